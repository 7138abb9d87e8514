#include "rtl/ImgList.h"

#include <gtest/gtest.h>

namespace {

// A strip of three 4x3 images, red, green and blue, each with a fuchsia
// pixel at its top-left corner and along the bottom row.
void MakeStrip(TBitmap& B)
{
    B.SetSize(12, 3);
    const TColor Colors[] = {clRed, clLime, clBlue};
    for (int I = 0; I < 3; ++I) {
        B.Canvas()->Brush()->SetColor(Colors[I]);
        B.Canvas()->FillRect(Rect(I * 4, 0, I * 4 + 4, 3));
        B.Canvas()->SetPixels(I * 4, 0, clFuchsia);
    }
    B.Canvas()->Brush()->SetColor(clFuchsia);
    B.Canvas()->FillRect(Rect(0, 2, 12, 3));
}

void Fill(TBitmap& B, int W, int H, TColor C)
{
    B.SetSize(W, H);
    B.Canvas()->Brush()->SetColor(C);
    B.Canvas()->FillRect(Rect(0, 0, W, H));
}

} // namespace

TEST(GraphicsImageListTest, AddMaskedSplitsAStripAndDrawsWithoutTheMaskColour)
{
    TImageList List(nullptr, 4, 3);
    TBitmap Strip;
    MakeStrip(Strip);
    EXPECT_EQ(List.AddMasked(&Strip, clFuchsia), 0);
    EXPECT_EQ(List.Count(), 3);
    EXPECT_EQ(List.AddMasked(&Strip, clDefault), 3); // the bottom-left pixel's colour
    EXPECT_EQ(List.Count(), 6);

    for (int Index : {1, 4}) {
        TBitmap Paper;
        Fill(Paper, 6, 5, clWhite);
        List.Draw(Paper.Canvas(), 1, 1, Index);
        TCanvas* C = Paper.Canvas();
        EXPECT_EQ(C->Pixels(1, 1), clWhite) << Index; // masked
        EXPECT_EQ(C->Pixels(2, 1), clLime) << Index;
        EXPECT_EQ(C->Pixels(4, 2), clLime) << Index;
        EXPECT_EQ(C->Pixels(2, 3), clWhite) << Index; // masked bottom row
        EXPECT_EQ(C->Pixels(5, 2), clWhite) << Index; // beyond the image
    }
}

TEST(GraphicsImageListTest, AddWithAMaskBitmap)
{
    TImageList List(nullptr, 2, 2);
    TBitmap Image, Mask;
    Fill(Image, 2, 2, clBlue);
    Fill(Mask, 2, 2, clBlack);
    Mask.Canvas()->SetPixels(1, 1, clWhite); // white in the mask: left out
    EXPECT_EQ(List.Add(&Image, &Mask), 0);
    TBitmap Paper;
    Fill(Paper, 2, 2, clRed);
    List.Draw(Paper.Canvas(), 0, 0, 0);
    EXPECT_EQ(Paper.Canvas()->Pixels(0, 0), clBlue);
    EXPECT_EQ(Paper.Canvas()->Pixels(1, 1), clRed);
}

TEST(GraphicsImageListTest, DisabledImagesAreGreyAndBadIndexesAreHandled)
{
    TImageList List(nullptr, 4, 3);
    TBitmap Strip;
    MakeStrip(Strip);
    List.AddMasked(&Strip, clFuchsia);

    TBitmap Paper;
    Fill(Paper, 4, 3, clWhite);
    List.Draw(Paper.Canvas(), 0, 0, 0, false);
    const TColor Gray = Paper.Canvas()->Pixels(2, 1);
    EXPECT_EQ(GetRValue(Gray), GetGValue(Gray));
    EXPECT_EQ(GetGValue(Gray), GetBValue(Gray));
    EXPECT_NE(Gray, clWhite);
    EXPECT_EQ(Paper.Canvas()->Pixels(0, 0), clWhite);

    // Drawing outside the list draws nothing; GetBitmap says so.
    TBitmap Untouched;
    Fill(Untouched, 4, 3, clWhite);
    List.Draw(Untouched.Canvas(), 0, 0, 3);
    List.Draw(Untouched.Canvas(), 0, 0, -1);
    EXPECT_EQ(Untouched.Canvas()->Pixels(2, 1), clWhite);
    TBitmap Out;
    EXPECT_FALSE(List.GetBitmap(3, &Out));
    EXPECT_TRUE(Out.Empty());
    EXPECT_TRUE(List.GetBitmap(2, &Out));
    EXPECT_EQ(Out.Width(), 4);
    EXPECT_EQ(Out.Canvas()->Pixels(3, 1), clBlue);

    try {
        List.Delete(3);
        ADD_FAILURE() << "no error";
    } catch (const EInvalidOperation& E) {
        EXPECT_EQ(E.Message(), QStringLiteral("Invalid ImageList Index"));
    }
    List.Delete(0);
    EXPECT_EQ(List.Count(), 2);
    List.SetWidth(8);
    EXPECT_EQ(List.Count(), 0);
}
