// Drawing cell graphics on a canvas over an image: check boxes of every
// control style, radio groups, their placement in the cell, ratings,
// progress bars, buttons and rotated text. The Qt style is fixed so that
// pixels compare.
#include "ExGridTestForm.h"

#include "common/ScopedThemes.h"
#include "grid/base/GridResources.h"

#include <QApplication>
#include <QImage>
#include <QStyleFactory>

namespace {

QImage WhiteImage(int W = 600, int H = 400)
{
    QImage I(W, H, QImage::Format_RGB32);
    I.fill(Qt::white);
    return I;
}

QRgb Rgb(TColor C)
{
    const TColor R = ColorToRGB(C);
    return qRgb(GetRValue(R), GetGValue(R), GetBValue(R));
}

QImage ResourceImage(const char* Name)
{
    Init_Grid_Resources();
    return QImage(QStringLiteral(":/bitmaps/%1.png").arg(QLatin1String(Name))).convertToFormat(QImage::Format_RGB32);
}

// Whether the glyph stands at (X, Y) of the image: every pixel but those of
// its transparent colour (the bottom-left one).
bool ShowsGlyph(const QImage& I, const QImage& Glyph, int X, int Y)
{
    const QRgb Key = Glyph.pixel(0, Glyph.height() - 1);
    for (int GY = 0; GY < Glyph.height(); ++GY)
        for (int GX = 0; GX < Glyph.width(); ++GX)
            if (Glyph.pixel(GX, GY) != Key && I.pixel(X + GX, Y + GY) != Glyph.pixel(GX, GY))
                return false;
    return true;
}

} // namespace

class ExGridGraphicPaintTest : public ::testing::Test {
protected:
    ExGridGraphicPaintTest()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        G->SetColCount(5);
        G->SetRowCount(6);
        G->SetDefaultRowHeight(22);
        for (Integer C = 0; C < 5; ++C)
            G->SetColWidths(C, 100);
    }

    // The check box drawn alone at (2, 2) of a 20 x 20 image.
    QImage Check(TGridControlStyle Style, bool Checked, bool Enabled = true)
    {
        QImage I = WhiteImage(20, 20);
        TCanvas C(&I);
        G->DrawCheck(&C, TRect(2, 2, 17, 17), Checked, cbUnchecked, false, Style, false, Enabled);
        return I;
    }

    // The cell's graphic drawn into the cell's rectangle of a grid-sized image.
    QImage Cell(Integer ACol, Integer ARow, Integer GW, Integer GH, Integer TW = 0, TAlignment HA = taLeftJustify)
    {
        QImage I = WhiteImage();
        TCanvas C(&I);
        G->DrawCellGraphic(&C, ACol, ARow, TGridDrawState(), G->CellRect(ACol, ARow), G->GetCellGraphic(ACol, ARow),
                           GW, GH, TW, HA, vtaTop);
        return I;
    }

    TExGridForm F;
    TTestExGrid* G = F.Grid;
};

TEST_F(ExGridGraphicPaintTest, EachControlStyleGivesItsPicture)
{
    EXPECT_TRUE(ShowsGlyph(Check(csWinXP, true), ResourceImage("ESGCHK05"), 2, 2));
    EXPECT_TRUE(ShowsGlyph(Check(csWinXP, false, false), ResourceImage("ESGCHK08"), 2, 2));
    EXPECT_TRUE(ShowsGlyph(Check(csQVX, true), ResourceImage("ESGCHK01"), 2, 2));
    EXPECT_TRUE(ShowsGlyph(Check(csQVX, false), ResourceImage("ESGCHK02"), 2, 2));
    // Disabled boxes look enabled with CheckAlwaysActive.
    G->ControlLook()->SetCheckAlwaysActive(true);
    EXPECT_TRUE(ShowsGlyph(Check(csQVX, true, false), ResourceImage("ESGCHK01"), 2, 2));
    G->ControlLook()->SetCheckAlwaysActive(false);

    TBitmap On, Off;
    On.LoadFromResourceName("metrocheckon");
    Off.LoadFromResourceName("metrocheckoff");
    G->ControlLook()->SetCheckedGlyph(&On);
    G->ControlLook()->SetUnCheckedGlyph(&Off);
    EXPECT_TRUE(ShowsGlyph(Check(csGlyph, true), ResourceImage("metrocheckon"), 2, 2));
    EXPECT_TRUE(ShowsGlyph(Check(csGlyph, false), ResourceImage("metrocheckoff"), 2, 2));

    // Borland: a face-coloured box with its mark in ControlLook.Color.
    G->ControlLook()->SetColor(clRed);
    const QImage Borland = Check(csBorland, true);
    EXPECT_EQ(Borland.pixel(10, 5), Rgb(clBtnFace));
    EXPECT_EQ(Borland.pixel(4, 14), Rgb(clRed));
    EXPECT_EQ(Check(csBorland, false).pixel(4, 14), Rgb(clBtnFace));

    // Classic: a checked box differs from an unchecked one, flat from 3-D.
    EXPECT_NE(Check(csClassic, true), Check(csClassic, false));
    EXPECT_NE(Check(csFlat, true), Check(csClassic, true));
}

TEST_F(ExGridGraphicPaintTest, ThemedCheckWithoutVisualStylesIsTheClassicBox)
{
    const QImage Themed = Check(csTheme, true);
    EXPECT_NE(Themed, WhiteImage(20, 20));
    TScopedThemesOff Off;
    EXPECT_EQ(Check(csTheme, true), Check(csClassic, true));
    EXPECT_NE(Check(csTheme, true), Check(csTheme, false));
}

TEST_F(ExGridGraphicPaintTest, CheckBoxInARightAlignedCell)
{
    G->ControlLook()->SetControlStyle(csWinXP);
    G->AddCheckBox(1, 1, true, false);
    const TRect R = G->CellRect(1, 1);
    // Without editing the box is drawn disabled.
    EXPECT_TRUE(ShowsGlyph(Cell(1, 1, 15, 15), ResourceImage("ESGCHK07"), R.Left + 2, R.Top + 2));
    G->SetOptions(G->Options() + goEditing);
    const QImage Glyph = ResourceImage("ESGCHK05");
    // Without text at the right edge: the cell inset by XYOffset - 1, then 1 more.
    const QImage Alone = Cell(1, 1, 15, 15, 0, taRightJustify);
    EXPECT_TRUE(ShowsGlyph(Alone, Glyph, R.Right - 1 - 15 - 1, R.Top + 2));
    // With 40 pixels of text the box stands left of it.
    const QImage WithText = Cell(1, 1, 15, 15, 40, taRightJustify);
    EXPECT_TRUE(ShowsGlyph(WithText, Glyph, R.Right - 1 - 42 - 15 - 1, R.Top + 2));
    // Left aligned: at the left edge.
    EXPECT_TRUE(ShowsGlyph(Cell(1, 1, 15, 15, 40, taLeftJustify), Glyph, R.Left + 2, R.Top + 2));
}

TEST_F(ExGridGraphicPaintTest, RadioGroupMarksTheItemEqualToTheCellText)
{
    G->ControlLook()->SetControlStyle(csWinXP);
    TStringList Items;
    Items.Add("a");
    Items.Add("b");
    const QImage On = ResourceImage("ESGRAD05"), Off = ResourceImage("ESGRAD06");
    const auto Draw = [&](const String& CellText) {
        G->SetCells(1, 1, CellText);
        QImage I = WhiteImage(200, 60);
        TCanvas C(&I);
        G->DrawRadioGroup(&C, TRect(0, 0, 200, 60), false, 1.0, csWinXP, 1, 1, false, &Items, false, false, -1, 2);
        return I;
    };
    QImage Probe = WhiteImage(10, 10);
    const Integer H16 = std::max(16, TCanvas(&Probe).TextHeight("gh"));
    QImage I = Draw("b");
    EXPECT_TRUE(ShowsGlyph(I, Off, 2, 2));
    EXPECT_TRUE(ShowsGlyph(I, On, 2, 2 + H16));
    I = Draw("c");
    EXPECT_TRUE(ShowsGlyph(I, Off, 2, 2));
    EXPECT_TRUE(ShowsGlyph(I, Off, 2, 2 + H16));
}

TEST_F(ExGridGraphicPaintTest, RatingsRoundToHalfStars)
{
    G->AddRating(1, 1, 5, clRed, clSilver);
    const TRect R = G->CellRect(1, 1);
    // haFull from the inset cell; vaTop one pixel down.
    const Integer X0 = R.Left + 1, Y0 = R.Top + 2;
    const struct {
        const char* Value;
        int Full, Half;
    } Cases[] = {{"3.5", 3, 1}, {"3.74", 3, 1}, {"3.75", 4, 0}, {"x", 0, 0}, {"9", 5, 0}};
    for (const auto& C : Cases) {
        G->SetCells(1, 1, C.Value);
        const QImage I = Cell(1, 1, 90, 16);
        for (int Star = 0; Star < 5; ++Star) {
            const int X = X0 + 18 * Star;
            const bool Full = Star < C.Full, Half = Star == C.Full && C.Half;
            EXPECT_EQ(I.pixel(X + 5, Y0 + 9), Rgb(Full || Half ? clRed : clSilver)) << C.Value << " " << Star;
            EXPECT_EQ(I.pixel(X + 11, Y0 + 9), Rgb(Full ? clRed : clSilver)) << C.Value << " " << Star;
        }
    }
}

TEST_F(ExGridGraphicPaintTest, ThemedProgressIsClampedToItsRange)
{
    G->ControlLook()->SetControlStyle(csTheme);
    G->ControlLook()->SetProgressXP(true);
    G->AddProgress(1, 1, clRed, clBlue);
    const auto Draw = [&](const char* Value) {
        G->SetCells(1, 1, Value);
        return Cell(1, 1, 0, 0);
    };
    const QImage Full = Draw("100"), Empty = Draw("0");
    EXPECT_NE(Full, Empty);
    EXPECT_EQ(Draw("150"), Full);
    EXPECT_EQ(Draw("-5"), Empty);
    EXPECT_EQ(Draw("no number"), Empty);
}

TEST_F(ExGridGraphicPaintTest, XPProgressWithEqualBounds)
{
    G->AddExProgress(1, 1, 0, 100);
    G->SetCells(1, 1, "0");
    const QImage Empty = Cell(1, 1, 0, 0);
    G->SetCells(1, 1, "100");
    const QImage Full = Cell(1, 1, 0, 0);
    G->AddExProgress(1, 1, 50, 50);
    G->SetCells(1, 1, "10");
    EXPECT_EQ(Cell(1, 1, 0, 0), Empty);
    G->SetCells(1, 1, "50");
    EXPECT_EQ(Cell(1, 1, 0, 0), Full);
    G->SetCells(1, 1, "abc");
    EXPECT_EQ(Cell(1, 1, 0, 0), Empty);
}

TEST_F(ExGridGraphicPaintTest, DataImagesOutsideTheListDrawNothing)
{
    TImageList Images(nullptr, 16, 16);
    TBitmap Red;
    Red.SetWidth(16);
    Red.SetHeight(16);
    Red.Canvas()->Brush()->SetColor(clRed);
    Red.Canvas()->FillRect(TRect(0, 0, 16, 16));
    Images.Add(&Red, nullptr);
    G->SetGridImages(&Images);
    G->AddDataImage(1, 1, 0, haLeft, vaTop);
    const TRect R = G->CellRect(1, 1);
    EXPECT_EQ(Cell(1, 1, 16, 16).pixel(R.Left + 8, R.Top + 8), Rgb(clRed));
    for (const char* Text : {"-1", "1"}) {
        G->SetCells(1, 1, Text);
        EXPECT_EQ(Cell(1, 1, 16, 16), WhiteImage()) << Text;
    }
    // A text that is no number reads as 0 while painting.
    G->SetCells(1, 1, "text");
    EXPECT_EQ(Cell(1, 1, 16, 16).pixel(R.Left + 8, R.Top + 8), Rgb(clRed));
    G->SetGridImages(nullptr);
}

TEST_F(ExGridGraphicPaintTest, GraphicsStayInsideTheirCell)
{
    G->AddShape(1, 1, csRectangle, clRed, clRed, haLeft, vaTop);
    const TRect R = G->CellRect(1, 1);
    const QImage I = Cell(1, 1, 400, 300);
    for (int Y = 0; Y < I.height(); ++Y)
        for (int X = 0; X < I.width(); ++X)
            if (I.pixel(X, Y) != qRgb(255, 255, 255)) {
                ASSERT_TRUE(PtInRect(R, TPoint(X, Y))) << X << "," << Y;
            }
}

TEST_F(ExGridGraphicPaintTest, ButtonsStoreTheirOffsetAndExpandDrawsAChevron)
{
    G->AddButton(1, 1, 60, 18, "Go", haLeft, vaTop);
    Cell(1, 1, 60, 18);
    // Placed one pixel inside the cell inset by XYOffset - 1.
    EXPECT_EQ(Integer(G->GetCellGraphic(1, 1)->CellValue()), (2 << 16) | 2);
    const TRect Cell1 = G->CellRect(1, 1);
    EXPECT_EQ(G->GetButtonRect(1, 1), TRect(Cell1.Left + 2, Cell1.Top + 2, Cell1.Left + 62, Cell1.Top + 20));

    G->AddExpand(2, 1, 60);
    const TRect R = G->CellRect(2, 1);
    const QImage I = Cell(2, 1, 13, 13);
    // The inset cell's right edge less 7 is the chevron's tip.
    EXPECT_EQ(I.pixel(R.Right - 1 - 7, R.Top + 1 + 5), qRgb(0, 0, 0));
}

TEST_F(ExGridGraphicPaintTest, CommentTriangleInTheTopRightCorner)
{
    G->AddColorComment(1, 1, "c", clLime);
    G->GetCellGraphic(1, 1)->SetCellAngle(Integer(clBlack));
    const TRect R = G->CellRect(1, 1);
    const QImage I = Cell(1, 1, 0, 0);
    EXPECT_EQ(I.pixel(R.Right - 4, R.Top + 2), Rgb(clLime));
    EXPECT_EQ(I.pixel(R.Right - 10, R.Top + 10), qRgb(255, 255, 255));
    G->ControlLook()->SetCommentColor(clNone);
    EXPECT_EQ(Cell(1, 1, 0, 0), WhiteImage());
}

TEST_F(ExGridGraphicPaintTest, RotatedCells)
{
    G->SetRotated(1, 1, -90);
    EXPECT_EQ(G->GetCellGraphic(1, 1)->CellAngle(), 270);
    G->SetRotated(1, 1, 450);
    EXPECT_EQ(G->GetCellGraphic(1, 1)->CellAngle(), 90);
    G->AddRotated(2, 1, 45, "turned");
    EXPECT_EQ(G->GetCellType(2, 1), ctRotated);
    EXPECT_EQ(G->Cells(2, 1), "turned");
    EXPECT_NE(Cell(2, 1, 0, 0), WhiteImage());
    G->RemoveRotated(2, 1);
    EXPECT_EQ(G->GetCellGraphic(2, 1), nullptr);
}

TEST_F(ExGridGraphicPaintTest, RotatedTextStartPoint)
{
    QImage I = WhiteImage(10, 10);
    TCanvas C(&I);
    const Integer W = C.TextWidth("abcw"), H = C.TextHeight("abcw");
    TRect R(0, 0, 200, 100);
    G->DrawRotatedText(&C, R, 0, taLeftJustify, vtaTop, "abc");
    EXPECT_EQ(R.Left, 2);
    EXPECT_EQ(R.Top, 2);
    R = TRect(0, 0, 200, 100);
    G->DrawRotatedText(&C, R, 0, taRightJustify, vtaBottom, "abc");
    EXPECT_EQ(R.Left, 198 - W);
    EXPECT_EQ(R.Top, 98 - H);
    // Turned upwards the text starts at the bottom of its box.
    R = TRect(0, 0, 200, 100);
    G->DrawRotatedText(&C, R, 90, taLeftJustify, vtaTop, "abc");
    EXPECT_EQ(R.Left, 2);
    EXPECT_EQ(R.Top, 2 + W);
}

TEST_F(ExGridGraphicPaintTest, CellMarginsAndPercentClamp)
{
    G->SetXYOffset(TPoint(3, 4));
    EXPECT_EQ(G->HorzCellMargin(), 6);
    EXPECT_EQ(G->VertCellMargin(), 8);
    G->SetXYOffsetTopLeftOnly(true);
    EXPECT_EQ(G->HorzCellMargin(), 3);
    EXPECT_EQ(G->VertCellMargin(), 4);
    EXPECT_EQ(ClampPercent(150), 100);
    EXPECT_EQ(ClampPercent(-5), 0);
    EXPECT_EQ(ClampPercent(42), 42);
}

namespace {

// Node rows of the first level: indented by one step.
class TNodeGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    Integer GetCellIndent(Integer) override { return CellNode()->NodeIndent(); }
};

} // namespace

TEST_F(ExGridGraphicPaintTest, NodeGlyphsLeftOfTheIndent)
{
    TForm Form(nullptr);
    auto* Grid = new TNodeGrid(&Form);
    Grid->SetParent(&Form);
    Grid->SetRowCount(4);
    Grid->SetDefaultRowHeight(22);
    Grid->CellNode()->SetShowTree(false);
    TCellGraphic Node;
    Node.SetCellType(ctNode);
    const auto Draw = [&](TNodeType Type, bool Collapsed) {
        Grid->CellNode()->SetNodeType(Type);
        Node.SetCellBoolean(Collapsed);
        QImage I = WhiteImage();
        TCanvas C(&I);
        C.Brush()->SetColor(clWhite);
        Grid->DrawCellGraphic(&C, 0, 1, TGridDrawState(), Grid->CellRect(0, 1), &Node, 0, 0, 0, taLeftJustify,
                              vtaTop);
        return I;
    };
    const TRect R = Grid->CellRect(0, 1);
    // Indent 12: the glyph box starts at 12 - 6 - 4 + 4 from the cell's left.
    const int X = R.Left + 6;
    EXPECT_TRUE(ShowsGlyph(Draw(cnXP, true), ResourceImage("XPNODEC"), X, R.Top + (R.Height() - 10) / 2));
    EXPECT_TRUE(ShowsGlyph(Draw(cnXP, false), ResourceImage("XPNODEO"), X, R.Top + (R.Height() - 10) / 2));
    // Flat: a minus, and the plus bar when collapsed, in NodeColor.
    Grid->CellNode()->SetNodeColor(clRed);
    const int T = R.Top + (R.Height() - 8) / 2;
    const QImage Open = Draw(cnFlat, false), Closed = Draw(cnFlat, true);
    EXPECT_EQ(Open.pixel(X + 4, T + 4), Rgb(clRed));
    EXPECT_EQ(Open.pixel(X + 4, T + 2), Rgb(clSilver));
    EXPECT_EQ(Closed.pixel(X + 4, T + 2), Rgb(clRed));
}

TEST_F(ExGridGraphicPaintTest, AButtonUnderTheMouseIsDrawnHot)
{
    TColorTones Tones;
    Tones.Background = {RGB(200, 200, 200), clBlack, clBlack};
    Tones.Hover = {RGB(255, 200, 0), clBlack, clBlack};
    Tones.Selected = {RGB(0, 100, 255), clBlack, clBlack};
    G->SetColorTones(Tones);
    G->ControlLook()->SetNoDisabledButtonLook(true);
    G->AddButton(1, 1, 60, 18, "", haLeft, vaTop);
    const TRect R = G->CellRect(1, 1);
    const auto Face = [&] { return Cell(1, 1, 60, 18).pixel(R.Left + 20, R.Top + 10); };
    EXPECT_EQ(Face(), Rgb(Tones.Background.BrushColor));
    G->FHoverButton = TPoint(1, 1);
    EXPECT_EQ(Face(), Rgb(Tones.Hover.BrushColor));
    // Pressed wins over hot; another cell's hover leaves it alone.
    G->PushButton(1, 1, true);
    EXPECT_EQ(Face(), Rgb(Tones.Selected.BrushColor));
    G->PushButton(1, 1, false);
    G->FHoverButton = TPoint(2, 1);
    EXPECT_EQ(Face(), Rgb(Tones.Background.BrushColor));
}

namespace {

// A cell object that fills what it is given and remembers how it was asked.
class TFillingInterface : public TPersistent, public IGridCellInterface {
public:
    explicit TFillingInterface(bool Under = false) : FUnder(Under) {}
    TSize GetSize() const override { return TSize(0, 0); }
    bool DrawUnderText() const override { return FUnder; }
    void Draw(TCanvas* Canvas, const TRect& R, TExStringGrid* Grid, bool Selected, Integer ARow, Integer ACol) override
    {
        FillRectColor(Canvas, R, clLime);
        Drawn = R;
        Owner = Grid;
        WasSelected = Selected;
        Where = TPoint(ACol, ARow);
        ++Draws;
    }

    TRect Drawn;
    TExStringGrid* Owner = nullptr;
    bool WasSelected = false;
    TPoint Where{-1, -1};
    int Draws = 0;

private:
    bool FUnder;
};

} // namespace

TEST_F(ExGridGraphicPaintTest, AnInterfacedCellDrawsItselfIntoTheCell)
{
    TFillingInterface Object;
    G->AddInterfacedCell(2, 3, &Object);
    QImage I = WhiteImage();
    TCanvas C(&I);
    const TRect R = G->CellRect(2, 3);
    G->DrawCellGraphic(&C, 2, 3, TGridDrawState{gdSelected}, R, G->GetCellGraphic(2, 3), R.Width(), R.Height(), 0,
                       taLeftJustify, vtaTop);
    EXPECT_EQ(Object.Draws, 1);
    EXPECT_EQ(Object.Owner, G);
    EXPECT_TRUE(Object.WasSelected);
    EXPECT_EQ(Object.Where, TPoint(2, 3));
    // The cell inset by XYOffset - 1, then one more pixel at the top and left.
    const TPoint O = G->XYOffset();
    EXPECT_EQ(Object.Drawn, TRect(R.Left + O.X - 2, R.Top + O.Y - 2, R.Right - O.X + 1, R.Bottom - O.Y + 1));
    EXPECT_EQ(I.pixel(R.Left + 10, R.Top + 10), Rgb(clLime));
}

TEST_F(ExGridGraphicPaintTest, ARotatedHeaderOfTheSortedColumnShowsTheSortMark)
{
    G->SetFixedRows(1);
    G->AddRotated(2, 0, 90, "");
    G->AddRotated(3, 0, 90, "");
    G->SortSettings()->SetShow(true);
    G->SortSettings()->SetColumn(2);
    const auto MarkAt = [&](Integer ACol) {
        const TRect R = G->CellRect(ACol, 0);
        const QImage I = Cell(ACol, 0, 0, 0);
        // Around (right - 10, top + 8) of the cell inset by XYOffset - 1.
        const TPoint O = G->XYOffset();
        const Integer X = R.Right - O.X + 1 - 10, Y = R.Top + O.Y - 1 + 8;
        int Gray = 0;
        for (int DY = -5; DY <= 5; ++DY)
            for (int DX = -5; DX <= 5; ++DX)
                Gray += I.pixel(X + DX, Y + DY) == Rgb(clGray);
        return Gray;
    };
    EXPECT_GT(MarkAt(2), 4);
    EXPECT_EQ(MarkAt(3), 0);
}

TEST_F(ExGridGraphicPaintTest, InRightToLeftModeACheckBoxMovesByTheCellMargin)
{
    G->SetXYOffset(TPoint(3, 2));
    G->SetBiDiMode(bdRightToLeft);
    const QImage I = Check(csWinXP, true);
    EXPECT_TRUE(ShowsGlyph(I, ResourceImage("ESGCHK05"), 2 + 3, 2));
    EXPECT_FALSE(ShowsGlyph(I, ResourceImage("ESGCHK05"), 2, 2));
    G->SetBiDiMode(bdRightToLeftReadingOnly);
    EXPECT_TRUE(ShowsGlyph(Check(csWinXP, true), ResourceImage("ESGCHK05"), 2, 2));
}
