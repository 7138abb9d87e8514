// The string grid's cell painting, probed on grabbed images of a grid shown
// offscreen in the Fusion style: colours and selection, header looks, the
// focus rectangle and the cell text.
#include "ExGridTestForm.h"

#include "common/ScopedThemes.h"

#include <QImage>
#include <QPainter>
#include <QStyleFactory>

#include <functional>

namespace {

constexpr TColor GridColor = RGB(250, 240, 230);

class ExGridPaintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void SetUp() override
    {
        G.SetBorderStyle(bsNone);
        G.SetScrollBars(ssNone);
        G.SetBounds(0, 0, 400, 200);
        G.SetColCount(5);
        G.SetRowCount(6);
        G.SetFixedCols(1);
        G.SetFixedRows(1);
        G.SetDefaultColWidth(70);
        G.SetDefaultRowHeight(24);
        G.SetLook(glStandard);
        G.SetColor(GridColor);
    }

    void Show() { ShowWithFocus(F.Form.get(), &G); }
    // Shown, with the focus on another control of the form.
    void ShowUnfocused()
    {
        auto* Other = new TEdit(F.Form.get());
        Other->SetParent(F.Form.get());
        Other->SetBounds(0, 300, 50, 20);
        ShowWithFocus(F.Form.get(), Other);
    }
    QImage Grab() const { return G.ClientWidget()->grab().toImage(); }
    // The colour near the bottom-right corner of a cell, away from its text.
    TColor Probe(const QImage& I, Integer C, Integer R) const
    {
        const TRect Cell = G.CellRect(C, R);
        return QColorToColor(I.pixelColor(Cell.Right - 6, Cell.Bottom - 4));
    }
    static TColor At(const QImage& I, Integer X, Integer Y) { return QColorToColor(I.pixelColor(X, Y)); }
    // Pixels of the colour in the rectangle.
    static int Count(const QImage& I, const TRect& R, TColor Color)
    {
        int N = 0;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                N += At(I, X, Y) == Color;
        return N;
    }
    static bool HasInk(const QImage& I, const TRect& R)
    {
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                if (qGray(I.pixel(X, Y)) < 100)
                    return true;
        return false;
    }
    QImage CellImage(const QImage& I, Integer C, Integer R) const { return I.copy(ToQRect(G.CellRect(C, R))); }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

// ---------------------------------------------------------------- colours and selection

struct TColourProbe {
    Integer Col, Row;
    std::function<TColor(TExStringGrid&)> Expected;
};

struct TColourCase {
    const char* Name;
    std::function<void(TExStringGrid&)> Setup;
    std::vector<TColourProbe> Probes;
};

TColor InColor(TExStringGrid&) { return GridColor; }
TColor InFixedColor(TExStringGrid& G) { return ColorToRGB(G.FixedColor()); }
TColor InSelectionColor(TExStringGrid& G) { return ColorToRGB(G.SelectionColor()); }
std::function<TColor(TExStringGrid&)> Fixed(TColor C)
{
    return [C](TExStringGrid&) { return C; };
}

void Bands(TExStringGrid& G, Integer Primary, Integer Secondary)
{
    G.Bands()->SetActive(true);
    G.Bands()->SetPrimaryColor(RGB(200, 255, 200));
    G.Bands()->SetSecondaryColor(RGB(200, 200, 255));
    G.Bands()->SetPrimaryLength(Primary);
    G.Bands()->SetSecondaryLength(Secondary);
}

const std::vector<TColourCase>& ColourCases()
{
    static const std::vector<TColourCase> Cases = {
        {"an unselected cell is in Color", [](TExStringGrid&) {}, {{3, 3, InColor}, {4, 5, InColor}}},
        {"a selected cell is in SelectionColor",
         [](TExStringGrid& G) { G.SelectRange(2, 3, 2, 3); },
         {{2, 2, InSelectionColor}, {3, 3, InSelectionColor}, {4, 4, InColor}}},
        {"the mixer mixes an own colour evenly and leaves Color to SelectionColor",
         [](TExStringGrid& G) {
             G.SetSelectionColor(clBlue);
             G.SetSelectionColorMixer(true);
             G.SetSelectionColorMixerFactor(50);
             G.SetColors(2, 2, clYellow);
             G.SelectRange(2, 3, 2, 3);
         },
         {{2, 2, Fixed(RGB(128, 128, 128))}, {3, 2, Fixed(clBlue)}}},
        {"bands by (row - fixed rows) mod cycle",
         [](TExStringGrid& G) { Bands(G, 1, 2); },
         {{3, 1, Fixed(RGB(200, 255, 200))}, {3, 2, Fixed(RGB(200, 200, 255))}, {3, 3, Fixed(RGB(200, 200, 255))},
          {3, 4, Fixed(RGB(200, 255, 200))}, {0, 2, InFixedColor}}},
        {"bands of no length leave Color", [](TExStringGrid& G) { Bands(G, 0, 0); },
         {{3, 1, InColor}, {3, 2, InColor}}},
        {"an own colour stays through bands and fixed colouring",
         [](TExStringGrid& G) {
             Bands(G, 1, 1);
             G.SetColors(3, 2, clRed);
             G.SetColors(0, 3, clRed);
         },
         {{3, 2, Fixed(clRed)}, {3, 3, Fixed(RGB(200, 255, 200))}, {0, 3, Fixed(clRed)}}},
        {"a header keeps its own colour only without graphic",
         [](TExStringGrid& G) {
             G.SetColors(2, 0, clRed);
             G.SetColors(3, 0, clRed);
             G.AddCheckBox(3, 0, false, false);
         },
         {{2, 0, Fixed(clRed)}, {3, 0, InFixedColor}}},
    };
    return Cases;
}

TEST_F(ExGridPaintTest, CellColoursFollowSelectionBandsAndOwnColours)
{
    for (const TColourCase& Case : ColourCases()) {
        SCOPED_TRACE(Case.Name);
        TExGridForm Each;
        TTestExGrid& E = *Each.Grid;
        E.SetBorderStyle(bsNone);
        E.SetScrollBars(ssNone);
        E.SetBounds(0, 0, 400, 200);
        E.SetColCount(5);
        E.SetRowCount(6);
        E.SetDefaultColWidth(70);
        E.SetDefaultRowHeight(24);
        E.SetLook(glStandard);
        E.SetColor(GridColor);
        Case.Setup(E);
        ShowWithFocus(Each.Form.get(), &E);
        const QImage I = E.ClientWidget()->grab().toImage();
        for (const TColourProbe& P : Case.Probes) {
            const TRect Cell = E.CellRect(P.Col, P.Row);
            EXPECT_EQ(QColorToColor(I.pixelColor(Cell.Right - 6, Cell.Bottom - 4)), P.Expected(E))
                << "cell " << P.Col << "," << P.Row;
        }
    }
}

TEST_F(ExGridPaintTest, BlendColorRoundsHalvesToEvenAndGivesWayToNone)
{
    EXPECT_EQ(TExStringGrid::BlendColor(clBlue, clYellow, 50), RGB(128, 128, 128));
    EXPECT_EQ(TExStringGrid::BlendColor(RGB(1, 3, 0), RGB(0, 0, 0), 50), RGB(0, 2, 0));
    EXPECT_EQ(TExStringGrid::BlendColor(clRed, clBlue, 100), clRed);
    EXPECT_EQ(TExStringGrid::BlendColor(clRed, clBlue, 0), clBlue);
    EXPECT_EQ(TExStringGrid::BlendColor(clNone, clBlue, 50), clBlue);
    EXPECT_EQ(TExStringGrid::BlendColor(clRed, clNone, 50), clRed);
    EXPECT_EQ(TExStringGrid::BlendColorIf(clRed, clBlue, false, 50), clRed);
    EXPECT_EQ(TExStringGrid::BlendColorIf(clWhite, clBlack, true, 25), RGB(64, 64, 64));
}

TEST_F(ExGridPaintTest, NewCellPropertiesTakeTheCellsLookWithoutBandOrHeaderColour)
{
    TFont Bold;
    Bold.Assign(G.Font());
    Bold.SetSize(14);
    G.Font()->Assign(&Bold);
    EXPECT_EQ(G.CellProperties(2, 2)->BrushColor(), GridColor);
    EXPECT_EQ(G.CellProperties(2, 2)->FontSize(), 14);
    EXPECT_EQ(G.CellProperties(2, 0)->BrushColor(), clNone);
    Bands(G, 1, 1);
    EXPECT_EQ(G.CellProperties(3, 3)->BrushColor(), clNone);
    // Nothing else of the grid made properties while resolving those.
    EXPECT_FALSE(G.HasCellProperties(3, 2));
}

// ---------------------------------------------------------------- header looks

TEST_F(ExGridPaintTest, XPHeadersRunVerticallyFromGradientFromToGradientTo)
{
    G.SetLook(glXP);
    G.SetQVXGradientFrom(RGB(255, 0, 0));
    G.SetQVXGradientTo(RGB(0, 0, 255));
    G.SetQVXGradientMirrorFrom(clNone);
    G.SetQVXGradientMirrorTo(clNone);
    Show();
    const QImage I = Grab();
    const TRect H = G.CellRect(2, 0);
    const TColor Top = At(I, H.Left + 30, H.Top + 3);
    const TColor Bottom = At(I, H.Left + 30, H.Bottom - 5);
    EXPECT_GT(GetRValue(Top), GetBValue(Top) + 100);
    EXPECT_GT(GetBValue(Bottom), GetRValue(Bottom) + 100);
    EXPECT_GT(GetRValue(Top), GetRValue(Bottom));
    // The white edge of the XP look along the top and left.
    EXPECT_EQ(At(I, H.Left, H.Top + 10), clWhite);
    EXPECT_EQ(At(I, H.Left + 30, H.Top), clWhite);
}

TEST_F(ExGridPaintTest, ClassicHeadersAreButtonFaceWithRaisedEdges)
{
    G.SetLook(glClassic);
    G.SetFixedColor(clBtnFace);
    Show();
    const QImage I = Grab();
    const TRect H = G.CellRect(2, 0);
    const Integer Mid = (H.Top + H.Bottom) / 2;
    EXPECT_EQ(At(I, H.Left + 30, Mid), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(I, H.Left, Mid), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(I, H.Left + 30, H.Top), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(I, H.Right - 1, Mid), clBlack);
    EXPECT_EQ(At(I, H.Left + 30, H.Bottom - 1), clBlack);
}

// ---------------------------------------------------------------- text colour, focus, default drawing

TEST_F(ExGridPaintTest, ADisabledGridWritesInDisabledFontColor)
{
    constexpr TColor Pale = RGB(255, 128, 128);
    G.SetCells(2, 3, QStringLiteral("WWWW"));
    G.SetDisabledFontColor(Pale);
    Show();
    const TRect Cell = G.CellRect(2, 3);
    EXPECT_EQ(Count(Grab(), Cell, Pale), 0);
    G.SetEnabled(false);
    const QImage I = Grab();
    EXPECT_GT(Count(I, Cell, Pale), 10);
    EXPECT_FALSE(HasInk(I, Cell));
    G.SetUseDisabledFont(false);
    EXPECT_TRUE(HasInk(Grab(), Cell));
}

TEST_F(ExGridPaintTest, TheFocusRectangleMarksOnlyTheFocusedCurrentCell)
{
    G.SetSelectionColor(clWhite);
    G.SetColor(clWhite);
    G.GotoCell(2, 2);
    // The dotted frame inverts white pixels along the cell's edge.
    const auto Framed = [&](const QImage& I) { return Count(I, G.CellRect(2, 2), clBlack) > 10; };
    Show();
    EXPECT_TRUE(Framed(Grab()));
    EXPECT_FALSE(Count(Grab(), G.CellRect(3, 3), clBlack) > 0);
    G.SetOptions(G.Options() + goRowSelect);
    EXPECT_FALSE(Framed(Grab()));
    G.SetOptions(G.Options() - goRowSelect);
    G.SetHideFocusRect(true);
    EXPECT_FALSE(Framed(Grab()));
}

TEST_F(ExGridPaintTest, NoFocusRectangleWithoutTheFocus)
{
    G.SetSelectionColor(clWhite);
    G.SetColor(clWhite);
    G.GotoCell(2, 2);
    ShowUnfocused();
    EXPECT_EQ(Count(Grab(), G.CellRect(2, 2), clBlack), 0);
}

TEST_F(ExGridPaintTest, NoDefaultDrawStillDrawsTheTextWithoutDrawingEvents)
{
    G.SetCells(2, 3, QStringLiteral("WWWW"));
    G.SetNoDefaultDraw(true);
    Show();
    EXPECT_TRUE(HasInk(Grab(), G.CellRect(2, 3)));
    Integer Calls = 0;
    G.OnCustomCellDraw = [&](TObject*, TCanvas*, Integer, Integer, TGridDrawState, TRect, bool) { ++Calls; };
    EXPECT_FALSE(HasInk(Grab(), G.CellRect(2, 3)));
    EXPECT_GT(Calls, 0);
}

// ---------------------------------------------------------------- cell text

TEST_F(ExGridPaintTest, APasswordCellShowsOnePasswordCharPerCharacter)
{
    G.SetPasswordChar(u'*');
    G.SetCells(2, 2, QStringLiteral("abcd"));
    G.SetCells(2, 3, QStringLiteral("****"));
    G.SetCells(2, 4, QStringLiteral("abc"));
    G.OnIsPasswordCell = [](TObject*, Integer ARow, Integer, bool& IsPassword) { IsPassword = ARow == 2 || ARow == 4; };
    Show();
    const QImage I = Grab();
    EXPECT_EQ(CellImage(I, 2, 2), CellImage(I, 2, 3));
    EXPECT_NE(CellImage(I, 2, 4), CellImage(I, 2, 3));
}

TEST_F(ExGridPaintTest, AURLShowsWithoutItsSchemeUnderlinedInURLColor)
{
    G.SetURLShow(true);
    G.SetURLColor(clBlue);
    G.SetCells(2, 2, QStringLiteral("http://x.org/a"));
    G.SetCells(2, 3, QStringLiteral("x.org/a"));
    G.SetCells(2, 4, QStringLiteral("http://x.org/a"));
    TFontStyles Underlined;
    Underlined.Include(fsUnderline);
    for (Integer R : {3, 4}) {
        G.CellProperties(2, R)->SetFontColor(clBlue);
        G.CellProperties(2, R)->SetFontStyle(Underlined);
    }
    Show();
    G.SetURLShow(false);
    const QImage Plain = Grab();
    G.SetURLShow(true);
    const QImage Shown = Grab();
    EXPECT_GT(Count(Shown, G.CellRect(2, 2), clBlue), 10);
    EXPECT_EQ(CellImage(Shown, 2, 2), CellImage(Plain, 2, 3));
    G.SetURLFull(true);
    EXPECT_EQ(CellImage(Grab(), 2, 2), CellImage(Plain, 2, 4));
}

TEST_F(ExGridPaintTest, ATextWithLineBreaksShowsItsFirstLineWithoutMultilinecells)
{
    G.SetWordWrap(false);
    G.SetRowHeights(2, 60);
    G.SetRowHeights(3, 60);
    G.SetCells(2, 2, QStringLiteral("abc\r\ndef"));
    G.SetCells(2, 3, QStringLiteral("abc"));
    Show();
    const QImage I = Grab();
    EXPECT_EQ(CellImage(I, 2, 2), CellImage(I, 2, 3));
    G.SetMultilinecells(QStringLiteral("1"));
    EXPECT_NE(CellImage(Grab(), 2, 2), CellImage(I, 2, 3));
}

TEST_F(ExGridPaintTest, TheFilterRowTextNeverRunsUnderTheGlyph)
{
    G.SetFilterDropDownAuto(true);
    TBitmap Glyph(16, 16);
    Glyph.Canvas()->Brush()->SetColor(clLime);
    Glyph.Canvas()->FillRect(TRect(0, 0, 16, 16));
    G.FilterDropDown()->SetGlyph(&Glyph);
    G.SetCells(2, 0, QStringLiteral("WWWWWWWWWWWWWWWWWWWW"));
    for (Integer R = 1; R < G.RowCount(); ++R)
        G.SetCells(2, R, QStringLiteral("a"));
    Show();
    const QImage I = Grab();
    const TRect H = G.CellRect(2, 0);
    EXPECT_TRUE(HasInk(I, TRect(H.Left, H.Top, H.Right - 16, H.Bottom)));
    EXPECT_FALSE(HasInk(I, TRect(H.Right - 16, H.Top, H.Right, H.Bottom)));
}

TEST_F(ExGridPaintTest, DataCheckBoxCellsShowNoText)
{
    G.SetCells(2, 2, QStringLiteral("a"));
    G.SetCells(2, 3, QStringLiteral("WWWW"));
    G.SetCells(2, 4, QStringLiteral("WWWW"));
    G.AddCheckBox(2, 2, false, true);
    G.AddCheckBox(2, 3, false, true);
    Show();
    const QImage I = Grab();
    EXPECT_EQ(CellImage(I, 2, 2), CellImage(I, 2, 3));
    EXPECT_NE(CellImage(I, 2, 3), CellImage(I, 2, 4));
}

TEST_F(ExGridPaintTest, ASortMarkInRightToLeftModeLeavesTheOrientation)
{
    G.SetBiDiMode(bdRightToLeft);
    Show();
    for (bool IndexShow : {false, true}) {
        G.SortSettings()->SetIndexShow(IndexShow);
        TBitmap B(100, 40);
        TCanvas* C = B.Canvas();
        C->Painter()->setLayoutDirection(Qt::RightToLeft);
        G.DrawSortIndicator(C, 2, 20, 50);
        EXPECT_EQ(C->Painter()->layoutDirection(), Qt::RightToLeft);
    }
}

} // namespace

// ---------------------------------------------------------------- graphics

TEST_F(ExGridPaintTest, ACellsGraphicIsDrawnWithTheCell)
{
    G.AddCheckBox(2, 2, true, false);
    G.AddProgress(3, 2, clBlue, clNone);
    G.SetCells(3, 2, "100");
    ShowUnfocused();
    const QImage I = Grab();
    EXPECT_TRUE(HasInk(I, G.CellRect(2, 2)));
    EXPECT_FALSE(HasInk(I, G.CellRect(4, 2)));
    EXPECT_GT(Count(I, G.CellRect(3, 2), clBlue), 0);
    EXPECT_EQ(Count(I, G.CellRect(4, 2), clBlue), 0);
}

TEST_F(ExGridPaintTest, OnPaintedFollowsEachPaintOfTheCells)
{
    Integer CellsSinceLast = 0;
    std::vector<Integer> CellsPerPaint;
    G.OnCustomCellDraw = [&](TObject*, TCanvas*, Integer, Integer, TGridDrawState, TRect, bool) { ++CellsSinceLast; };
    G.OnPainted = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &G);
        CellsPerPaint.push_back(CellsSinceLast);
        CellsSinceLast = 0;
    };
    Show();
    CellsPerPaint.clear();
    Grab();
    ASSERT_EQ(CellsPerPaint.size(), 1u);
    EXPECT_EQ(CellsPerPaint[0], G.ColCount() * G.RowCount());
    EXPECT_EQ(CellsSinceLast, 0);
}

TEST_F(ExGridPaintTest, NoImageAndTextLeavesOutTheTextOfCellsWithAGraphic)
{
    G.SetCells(2, 2, QStringLiteral("WWWW"));
    G.SetCells(2, 3, QStringLiteral("WWWW"));
    G.AddComment(2, 2, QStringLiteral("note"));
    Show();
    const TRect Text = G.CellRect(2, 2);
    const TRect TextArea(Text.Left, Text.Top, Text.Right - 10, Text.Bottom);
    EXPECT_TRUE(HasInk(Grab(), TextArea));
    G.SetNoImageAndText(true);
    const QImage I = Grab();
    EXPECT_FALSE(HasInk(I, TextArea));
    EXPECT_GT(Count(I, Text, ColorToRGB(G.ControlLook()->CommentColor())), 0) << "the comment mark stays";
    EXPECT_TRUE(HasInk(I, G.CellRect(2, 3))) << "a cell without graphic keeps its text";
}

namespace {

class TPaintInterface : public TPersistent, public IGridCellInterface {
public:
    explicit TPaintInterface(bool Under) : FUnder(Under) {}
    TSize GetSize() const override { return TSize(0, 0); }
    bool DrawUnderText() const override { return FUnder; }
    void Draw(TCanvas* Canvas, const TRect& R, TExStringGrid*, bool, Integer, Integer) override
    {
        FillRectColor(Canvas, R, clLime);
    }

private:
    bool FUnder;
};

} // namespace

TEST_F(ExGridPaintTest, AnInterfacedCellDrawsUnderOrOverItsText)
{
    TPaintInterface Under(true), Over(false);
    G.SetCells(2, 2, QStringLiteral("WWWW"));
    G.SetCells(2, 3, QStringLiteral("WWWW"));
    G.AddInterfacedCell(2, 2, &Under);
    G.AddInterfacedCell(2, 3, &Over);
    ShowUnfocused();
    const QImage I = Grab();
    for (Integer R : {2, 3})
        EXPECT_GT(Count(I, G.CellRect(2, R), clLime), 100) << R;
    EXPECT_TRUE(HasInk(I, G.CellRect(2, 2))) << "the text over the object";
    EXPECT_FALSE(HasInk(I, G.CellRect(2, 3))) << "the object over the text";
}

TEST_F(ExGridPaintTest, InRightToLeftModeEachCellShowsItsOwnText)
{
    // The runtime grid lays its columns out left to right in every mode.
    const char* Texts[] = {"A", "BB", "WWW", "MMMM"};
    for (Integer C = 1; C <= 4; ++C)
        G.SetCells(C, 2, QString::fromLatin1(Texts[C - 1]));
    ShowUnfocused();
    const QImage LeftToRight = Grab();
    G.SetBiDiMode(bdRightToLeft);
    const QImage RightToLeft = Grab();
    // Inside the lines, which the base grid moves by a pixel in this mode.
    const auto Inside = [&](const QImage& I, Integer C) {
        TRect R = G.CellRect(C, 2);
        InflateRect(R, -2, -2);
        return I.copy(ToQRect(R));
    };
    for (Integer C = 1; C <= 4; ++C) {
        EXPECT_TRUE(HasInk(RightToLeft, G.CellRect(C, 2))) << C;
        EXPECT_EQ(Inside(RightToLeft, C), Inside(LeftToRight, C)) << C;
    }
}
