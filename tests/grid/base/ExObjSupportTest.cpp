// The grid's support objects: integer and sort lists, hosted controls, file
// pictures, line lists, arrow and focus windows, the alpha mask and blur.
#include "grid/base/ExObj.h"

#include "common/TestPaths.h"

#include "rtl/Forms.h"
#include "rtl/StdCtrls.h"

#include <QDir>
#include <QRegion>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

std::vector<Integer> IntListValues(const TIntList& L)
{
    std::vector<Integer> V;
    for (Integer I = 0; I < L.Count(); ++I)
        V.push_back(L.Items(I));
    return V;
}

} // namespace

TEST(IntList, ReportsEachChangeForItsCellAndReadsAndWritesCommaText)
{
    TIntList L(3, 7);
    std::vector<std::pair<Integer, Integer>> Events;
    L.OnChange = [&](TObject* Sender, Integer C, Integer R) {
        EXPECT_EQ(Sender, &L);
        Events.emplace_back(C, R);
    };
    L.Add(3);
    L.Add(10);
    L.Insert(2, -1);
    EXPECT_EQ(Events.size(), 2u);
    EXPECT_EQ(Events.back(), std::make_pair(3, 7));
    EXPECT_EQ(L.StrValue(), "3,10,-1");
    EXPECT_TRUE(L.HasValue(-1));

    L.SetItems(1, 11);
    L.DeleteValue(42);
    EXPECT_EQ(Events.size(), 3u);
    L.DeleteValue(3);
    EXPECT_EQ(IntListValues(L), (std::vector<Integer>{11, -1}));
    EXPECT_EQ(Events.size(), 4u);

    Events.clear();
    L.SetStrValue(QStringLiteral("4,5"));
    EXPECT_EQ(IntListValues(L), (std::vector<Integer>{4, 5}));
    EXPECT_EQ(Events.size(), 2u);
    L.SetStrValue(QStringLiteral("7 \"8\""));
    EXPECT_EQ(IntListValues(L), (std::vector<Integer>{7, 8}));
    L.SetStrValue(String());
    EXPECT_EQ(L.StrValue(), "");

    // The items before a bad one stay.
    EXPECT_THROW(L.SetStrValue(QStringLiteral("1,2,x,4")), EConvertError);
    EXPECT_EQ(IntListValues(L), (std::vector<Integer>{1, 2}));
}

TEST(SortIndexList, KeepsColumnsAndDirectionsAndTheirTextForm)
{
    TSortIndexList L;
    Integer Events = 0;
    L.OnChange = [&](TObject*, Integer, Integer) { ++Events; };
    L.AddIndex(2, true);
    L.AddIndex(5, false);
    EXPECT_EQ(L.SaveToString(), "u2;d5");
    EXPECT_EQ(L.Items(1), Integer(0x80000005u));
    EXPECT_EQ(L.FindIndex(5), 1);
    EXPECT_EQ(L.FindIndex(3), -1);
    EXPECT_FALSE(L.SortDirections(1));

    Events = 0;
    L.ToggleIndex(9);
    EXPECT_EQ(Events, 0);
    L.ToggleIndex(5);
    EXPECT_EQ(Events, 1);
    EXPECT_TRUE(L.SortDirections(1));
    L.SetSortDirections(0, false);
    L.SetSortColumns(0, 12);
    EXPECT_EQ(L.SortColumns(0), 12);
    EXPECT_FALSE(L.SortDirections(0));

    L.LoadFromString(QStringLiteral("u2;x;d3;"));
    EXPECT_EQ(L.Count(), 2);
    EXPECT_EQ(L.SortColumns(0), 2);
    EXPECT_TRUE(L.SortDirections(0));
    EXPECT_EQ(L.SortColumns(1), 3);
    EXPECT_FALSE(L.SortDirections(1));
    EXPECT_EQ(L.FindIndex(3), 1);

    // Columns that are no number are skipped; a column beyond 16 bits
    // comes back as itself.
    L.LoadFromString(QStringLiteral("uz;d;u7x;U4"));
    EXPECT_EQ(L.SaveToString(), "d4");
    L.Clear();
    L.AddIndex(70000, false);
    EXPECT_EQ(L.SaveToString(), "d70000");
    L.LoadFromString(L.SaveToString());
    EXPECT_EQ(L.SortColumns(0), 70000);
    L.LoadFromString(String());
    EXPECT_EQ(L.Count(), 0);
}

TEST(ControlList, FindsControlsByCellAndWindowAndFreesOnlyItsItems)
{
    TForm Form(nullptr);
    auto* Edit = new TEdit(&Form);
    Edit->SetParent(&Form);
    auto* Label = new TLabel(&Form);
    {
        TControlList L;
        L.AddControl(1, 2, Label);
        L.AddControl(3, 4, Edit);
        L.AddControl(3, 4, Label);
        EXPECT_EQ(L.ControlIndex(3, 4), 1);
        EXPECT_EQ(L.ControlIndex(4, 3), -1);
        EXPECT_EQ(L.Control(0)->Control(), Label);
        EXPECT_TRUE(L.HasHandle(Edit->Handle()));
        EXPECT_FALSE(L.HasHandle(Form.Handle()));
        L.RemoveControl(1);
        EXPECT_EQ(L.Count(), 2);
        EXPECT_FALSE(L.HasHandle(Edit->Handle()));
    }
    // The controls outlive the list.
    Edit->SetText(QStringLiteral("alive"));
    EXPECT_EQ(Edit->Text(), "alive");
    EXPECT_EQ(Form.ComponentCount(), 2);
}

TEST(FilePicture, TakesTheSizeFromTheFileAndDrawsWhatIsThere)
{
    QTemporaryDir Dir;
    const String Name = Dir.filePath(QStringLiteral("cell.bmp"));
    TBitmap Source(6, 4);
    Source.Canvas()->Brush()->SetColor(clRed);
    Source.Canvas()->FillRect(TRect(0, 0, 6, 4));
    Source.SaveToFile(Name);

    TFilePicture P;
    P.SetFilename(Name);
    EXPECT_EQ(P.Width(), 6);
    EXPECT_EQ(P.Height(), 4);

    TBitmap Target(12, 8);
    P.DrawPicture(Target.Canvas(), TRect(0, 0, 12, 8));
    EXPECT_EQ(Target.Canvas()->Pixels(11, 7), clRed);

    TFilePicture Copy;
    Copy.Assign(&P);
    EXPECT_EQ(Copy.Filename(), Name);
    EXPECT_EQ(Copy.Height(), 4);
    TBitmap Foreign;
    EXPECT_THROW(Copy.Assign(&Foreign), EConvertError);

    // A file gone since: drawing goes on without it; naming it fails.
    QFile::remove(Name);
    TBitmap Blank(12, 8);
    P.DrawPicture(Blank.Canvas(), TRect(0, 0, 12, 8));
    EXPECT_EQ(Blank.Canvas()->Pixels(11, 7), clWhite);
    EXPECT_THROW(P.SetFilename(Name), EFOpenError);
    P.SetFilename(String());
    EXPECT_EQ(P.Width(), 0);
}

TEST(FileStringList, ReadsAndWritesLineByLine)
{
    TFileStringList L;
    L.Write(QStringLiteral("a"));
    L.Write(QStringLiteral("b"));
    L.WriteLn(QStringLiteral("c"));
    L.WriteLn(QStringLiteral("d"));
    EXPECT_EQ(L.Count(), 2);
    L.Reset();
    String S;
    L.ReadLn(S);
    EXPECT_EQ(S, "abc");
    EXPECT_FALSE(L.Eof());
    L.ReadLn(S);
    EXPECT_EQ(S, "d");
    EXPECT_TRUE(L.Eof());
    EXPECT_THROW(L.ReadLn(S), EStringListError);
}

TEST(ArrowWindow, IsAnArrowShapedPopupOfItsOwner)
{
    TForm Form(nullptr);
    const std::vector<std::pair<TArrowDirection, QPolygon>> Cases = {
        {arrUp, QPolygon({{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}})},
        {arrDown, QPolygon({{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}})},
        {arrLeft, QPolygon({{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}})},
        {arrRight, QPolygon({{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}})},
    };
    for (const auto& [Dir, Outline] : Cases) {
        auto* A = new TArrowWindow(&Form, Dir);
        EXPECT_EQ(A->Owner(), &Form);
        EXPECT_EQ(A->Parent(), &Form);
        EXPECT_EQ(A->Color(), clLime);
        EXPECT_FALSE(A->Visible());
        EXPECT_TRUE(A->Handle()->isWindow());
        EXPECT_EQ(A->Handle()->mask(), QRegion(Outline, Qt::WindingFill));
    }
    // The up arrow's tip column and not its corners.
    const QRegion Up = static_cast<TArrowWindow*>(Form.Components(0))->Handle()->mask();
    EXPECT_TRUE(Up.contains(QPoint(5, 1)));
    EXPECT_TRUE(Up.contains(QPoint(4, 8)));
    EXPECT_FALSE(Up.contains(QPoint(0, 8)));
}

TEST(GridFocusWindow, IsAnEmptyRedTopMostToolWindowThatTakesNoInput)
{
    TGridFocusWindow W(nullptr);
    EXPECT_EQ(W.Color(), clRed);
    EXPECT_EQ(W.Width(), 0);
    QWidget* H = W.Handle();
    EXPECT_TRUE(H->isWindow());
    const Qt::WindowFlags F = H->windowFlags();
    EXPECT_TRUE(F.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(F.testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(F.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_EQ(F & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_EQ(H->focusPolicy(), Qt::NoFocus);
}

// ---------------------------------------------------------------- alpha mask and blur

namespace {

std::unique_ptr<TBitmap> FilledBitmap(Integer W, Integer H, TColor Color, TPixelFormat Format = pf24bit)
{
    auto B = std::make_unique<TBitmap>(W, H);
    B->SetPixelFormat(Format);
    B->Canvas()->Brush()->SetColor(Color);
    B->Canvas()->FillRect(TRect(0, 0, W, H));
    return B;
}

QRgb PixelOf(TBitmap& B, int X, int Y)
{
    return B.Image().pixel(X, Y);
}

} // namespace

TEST(GridAlphaMask, PremultipliesTheBitmapByTheMasksRedBytes)
{
    TGridAlphaMask M;
    EXPECT_EQ(M.PixelFormat(), pf32bit);
    EXPECT_EQ(M.Opacity(), 255);
    auto White = FilledBitmap(4, 2, clWhite);
    auto Mask = FilledBitmap(3, 1, clBlack);
    Mask->Canvas()->SetPixels(0, 0, RGB(128, 7, 7));
    Mask->Canvas()->SetPixels(1, 0, RGB(255, 0, 0));
    Mask->Canvas()->SetPixels(2, 0, RGB(0, 255, 255));
    M.MergeMask(Mask.get(), White.get(), clNone);
    ASSERT_EQ(M.Width(), 4);
    ASSERT_EQ(M.Height(), 2);
    const uchar* Row = M.Image().constScanLine(0);
    const int Expected[][2] = {{128, 128}, {255, 255}, {0, 0}, {0, 0}};
    for (int X = 0; X < 4; ++X) {
        SCOPED_TRACE(X);
        EXPECT_EQ(Row[X * 4 + 0], Expected[X][0]);
        EXPECT_EQ(Row[X * 4 + 1], Expected[X][0]);
        EXPECT_EQ(Row[X * 4 + 2], Expected[X][0]);
        EXPECT_EQ(Row[X * 4 + 3], Expected[X][1]);
    }
    // Beyond the mask's rows the alpha is 0 too.
    EXPECT_EQ(qAlpha(PixelOf(M, 0, 1)), 0);

    // Colours scale with the alpha; a bitmap that is not 24-bit does nothing.
    auto Coloured = FilledBitmap(1, 1, RGB(200, 100, 51));
    auto Half = FilledBitmap(1, 1, RGB(128, 0, 0));
    M.MergeMask(Half.get(), Coloured.get(), clNone);
    EXPECT_EQ(PixelOf(M, 0, 0), qRgba(100, 50, 26, 128));
    auto Deep = FilledBitmap(5, 5, clWhite, pf32bit);
    M.MergeMask(Half.get(), Deep.get(), clNone);
    EXPECT_EQ(M.Width(), 1);
}

TEST(GridAlphaMask, AssignsFromASmallerMaskOnlyWhatItHas)
{
    auto Red = FilledBitmap(2, 1, clRed);
    auto Full = FilledBitmap(2, 1, RGB(255, 0, 0));
    TGridAlphaMask Small;
    Small.MergeMask(Full.get(), Red.get(), clNone);
    Small.SetOpacity(230);

    TGridAlphaMask Big;
    auto White = FilledBitmap(3, 2, clWhite);
    auto None = FilledBitmap(3, 2, clBlack);
    Big.MergeMask(None.get(), White.get(), clNone);
    Big.Assign(&Small);
    EXPECT_EQ(Big.Opacity(), 230);
    EXPECT_EQ(Big.Width(), 3);
    EXPECT_EQ(PixelOf(Big, 1, 0), qRgba(255, 0, 0, 255));
    EXPECT_EQ(PixelOf(Big, 2, 0), qRgba(0, 0, 0, 0));
    EXPECT_EQ(PixelOf(Big, 0, 1), qRgba(0, 0, 0, 0));

    // Any other bitmap is copied as a bitmap and becomes 32-bit.
    Big.Assign(White.get());
    EXPECT_EQ(Big.Height(), 2);
    EXPECT_EQ(Big.PixelFormat(), pf32bit);
}

TEST(BlurBitmap, KernelSizesFollowTheRadius)
{
    struct TCase {
        Double Radius;
        Integer Size;
    };
    for (const TCase C : {TCase{1, 2}, TCase{3, 8}, TCase{0.5, 1}, TCase{10, 9}}) {
        SCOPED_TRACE(C.Radius);
        const TBlurKernel K = MakeBlurKernel(C.Radius);
        EXPECT_EQ(K.Size, C.Size);
        ASSERT_EQ(K.Weights.size(), std::size_t(2 * C.Size + 1));
        Double Sum = 0;
        for (Single W : K.Weights)
            Sum += W;
        EXPECT_NEAR(Sum, 1.0, 1e-6);
        EXPECT_FLOAT_EQ(K.Weights.front(), K.Weights.back());
    }
}

TEST(BlurBitmap, SpreadsALineByTheKernelAndKeepsUniformAreas)
{
    // A white column in a black strip spreads two pixels each way at radius 1.
    auto Strip = FilledBitmap(9, 1, clBlack);
    Strip->Canvas()->SetPixels(4, 0, clWhite);
    BlurBitmap(Strip.get(), 1);
    const TBlurKernel K = MakeBlurKernel(1);
    for (int X = 0; X < 9; ++X) {
        SCOPED_TRACE(X);
        const int Distance = std::abs(X - 4);
        const int Expected = Distance > 2 ? 0 : int(std::trunc(255.0 * K.Weights[std::size_t(2 + Distance)]));
        EXPECT_EQ(qRed(PixelOf(*Strip, X, 0)), Expected);
        EXPECT_EQ(qBlue(PixelOf(*Strip, X, 0)), Expected);
    }

    // Full levels stay full, none stay none.
    auto White = FilledBitmap(50, 50, clWhite);
    BlurBitmap(White.get(), 3);
    auto Black = FilledBitmap(50, 50, clBlack);
    BlurBitmap(Black.get(), 3);
    for (int P : {0, 15, 25, 49}) {
        EXPECT_EQ(PixelOf(*White, P, 49 - P), qRgb(255, 255, 255));
        EXPECT_EQ(PixelOf(*Black, P, P), qRgb(0, 0, 0));
    }
}

TEST(BlurBitmap, RefusesOtherThan24BitAndIgnoresRadiiUpToZero)
{
    auto Deep = FilledBitmap(4, 4, clWhite, pf32bit);
    try {
        BlurBitmap(Deep.get(), 2);
        FAIL() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), "Blur only works for 24-bit bitmaps");
    }
    EXPECT_EQ(Deep->PixelFormat(), pf32bit);

    for (Double Radius : {0.0, -1.0}) {
        auto Dot = FilledBitmap(5, 5, clBlack);
        Dot->Canvas()->SetPixels(2, 2, clWhite);
        BlurBitmap(Dot.get(), Radius);
        EXPECT_EQ(Dot->Canvas()->Pixels(2, 2), clWhite);
        EXPECT_EQ(Dot->Canvas()->Pixels(1, 2), clBlack);
    }
}

TEST(RoundRectMask, DrawsAWhiteOutlineOrShapeOnBlack)
{
    TBitmap Outline;
    CreateRoundRectMask(&Outline, 60, 40, 4, 5, 0);
    EXPECT_EQ(Outline.PixelFormat(), pf24bit);
    EXPECT_EQ(Outline.Width(), 60);
    EXPECT_EQ(Outline.Canvas()->Pixels(0, 20), clBlack);
    EXPECT_EQ(Outline.Canvas()->Pixels(5, 20), clWhite);
    EXPECT_EQ(Outline.Canvas()->Pixels(30, 20), clBlack);

    TBitmap Shape;
    CreateRoundRectMask(&Shape, 60, 40, 0, 5, 0);
    EXPECT_EQ(Shape.Canvas()->Pixels(30, 20), clWhite);
    EXPECT_EQ(Shape.Canvas()->Pixels(1, 20), clBlack);

    // The focus glow: blurred, so the edge fades into the black.
    TBitmap Glow;
    CreateRoundRectMask(&Glow, 60, 40, 4, 5, 3);
    const int Edge = GetRValue(Glow.Canvas()->Pixels(2, 20));
    EXPECT_GT(Edge, 0);
    EXPECT_LT(Edge, 255);
}
