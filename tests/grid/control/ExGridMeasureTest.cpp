// The size a cell's text needs: plain lines, wrapped text, mini-HTML, rich
// text and rotated cells, compared with the same font's metrics.
#include "ExGridTestForm.h"

#include "grid/control/ExGrid_RichEdit.h"

#include <cmath>
#include <numbers>

namespace {

class ExGridMeasureTest : public ::testing::Test {
protected:
    ExGridMeasureTest()
    {
        G.SetColCount(4);
        G.SetRowCount(5);
        G.SetColWidths(1, 200);
        G.SetRowHeights(1, 60);
    }

    // The width of Text in the grid's font, bold when asked.
    Integer Width(const String& Text, bool Bold = false)
    {
        Metrics.Assign(G.Font());
        if (Bold)
            Metrics.SetStyle(TFontStyles{fsBold});
        return Face().TextWidth(Text);
    }
    Integer LineHeight()
    {
        Metrics.Assign(G.Font());
        return Face().TextHeight("gh");
    }

    TExGridForm F;
    TTestExGrid& G = *F.Grid;

private:
    TCanvas& Face()
    {
        Canvas.Font()->Assign(&Metrics);
        return Canvas;
    }
    TFont Metrics;
    TCanvas Canvas;
};

} // namespace

TEST_F(ExGridMeasureTest, PlainTextMeasuresItsWidestLineByTheLineHeight)
{
    G.SetCells(1, 1, "Hello");
    EXPECT_EQ(G.GetCellTextSize(1, 1, false, false), TSize(Width("Hello"), LineHeight()));
    G.SetCells(1, 1, "a\rlonger");
    EXPECT_EQ(G.GetCellTextSize(1, 1, false, false), TSize(Width("a"), LineHeight())) << "first line only";
    G.SetMultilinecells("1");
    EXPECT_EQ(G.GetCellTextSize(1, 1, false, false), TSize(Width("longer"), 2 * LineHeight()));
    G.SetCells(1, 2, "http://example.org");
    G.SetURLShow(true);
    EXPECT_EQ(G.GetCellTextSize(1, 2, false, false).cx, Width("example.org")) << "without its scheme";
    G.SetURLFull(true);
    EXPECT_EQ(G.GetCellTextSize(1, 2, false, false).cx, Width("http://example.org"));
}

TEST_F(ExGridMeasureTest, WrappedTextStaysWithinTheCell)
{
    G.SetCells(1, 1, "one two three four five six seven eight nine ten eleven twelve");
    const TSize Wrapped = G.GetCellTextSize(1, 1, true, false);
    EXPECT_LE(Wrapped.cx, 200 - 4 - 4);
    EXPECT_GT(Wrapped.cy, LineHeight()) << "more than one line";
    const TSize WithButton = G.GetCellTextSize(1, 1, true, true);
    EXPECT_LE(WithButton.cx, 200 - 4 - 4 - 17);
    EXPECT_GE(WithButton.cy, Wrapped.cy);
}

TEST_F(ExGridMeasureTest, MiniHTMLIsMeasuredWithoutItsTags)
{
    G.SetCells(1, 1, "<b>Hi</b>");
    const TSize HTML = G.GetCellTextSize(1, 1, false, false);
    EXPECT_GE(HTML.cx, Width("Hi", true) + 2);
    EXPECT_LT(HTML.cx, Width("<b>Hi</b>"));
    G.SetEnableHTML(false);
    EXPECT_EQ(G.GetCellTextSize(1, 1, false, false).cx, Width("<b>Hi</b>"));
}

TEST_F(ExGridMeasureTest, RichTextMeasuresItsTextThroughTheRichEditor)
{
    G.SetCells(1, 1, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\*\\generator x;}\\f0\\fs20 Caf\\'e9 \\{x\\}\\par next}");
    const TSize Size = G.GetCellTextSize(1, 1, false, false);
    EXPECT_GE(Size.cx, Width(QStringLiteral("Caf\u00e9 {x}")) / 2);
    EXPECT_GE(Size.cy, 2 * LineHeight() * 3 / 4) << "both paragraphs";
    EXPECT_EQ(G.RichEdit()->Text(), QStringLiteral("Caf\u00e9 {x}\r\nnext"));
}

TEST_F(ExGridMeasureTest, ARotatedCellMeasuresItsTurnedBox)
{
    G.SetCells(1, 1, "Rotated text");
    const TSize Upright = G.GetCellTextSize(1, 1, false, false);
    const Integer W = Upright.cx;
    const Integer H = Upright.cy;
    TCellGraphic* Turn = G.CreateCellGraphic(1, 1);
    for (Integer Angle : {0, 90, 180, 270, 45, 30}) {
        SCOPED_TRACE(Angle);
        Turn->SetAngle(SmallInt(Angle));
        const double S = std::sin(Angle * std::numbers::pi / 180);
        const double C = std::cos(Angle * std::numbers::pi / 180);
        const auto R = [](double V) { return Integer(std::abs(Round(V))); };
        const TSize Expected(R(W * C) + R(H * S) + 12, R(W * S) + R(H * C) + 12);
        EXPECT_EQ(G.GetCellTextSize(1, 1, false, false), Expected);
    }
    Turn->SetAngle(90);
    EXPECT_EQ(G.GetCellTextSize(1, 1, false, false), TSize(H + 12, W + 12));
    Turn->SetAngle(45);
    EXPECT_GT(G.GetCellTextSize(1, 1, false, false).cx, W / 2) << "the box grows, never shrinks to the margin";
}

TEST_F(ExGridMeasureTest, TheCheckBoxOfARightAlignedCellSitsLeftOfItsText)
{
    G.MouseActions()->SetPreciseCheckBoxCheck(true);
    G.SetCells(1, 1, "Label");
    G.AddCheckBox(1, 1, false, false);
    G.CellProperties(1, 1)->SetAlignment(taRightJustify);
    const TRect R = G.CellRect(1, 1);
    const Integer S = G.ControlLook()->CheckSize();
    const Integer Left = R.Right - S - 2 - Width("Label");
    EXPECT_TRUE(G.IsInCheckBox(1, 1, Left, R.Top + 2));
    EXPECT_TRUE(G.IsInCheckBox(1, 1, Left + S - 1, R.Top + 2));
    EXPECT_FALSE(G.IsInCheckBox(1, 1, Left + S, R.Top + 2));
    EXPECT_FALSE(G.IsInCheckBox(1, 1, Left - 1, R.Top + 2));
}
