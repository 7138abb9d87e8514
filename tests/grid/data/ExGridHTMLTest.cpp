// The grid as an HTML table: the table tag, rows and cells, style classes,
// spans, widths, links, escaping, pictures and the HTML file.
#include "GridTextTestSupport.h"

#include "grid/base/ExUtil.h"
#include "platform/TextCodec.h"
#include "rtl/Graphics.h"

#include <QRegularExpression>

namespace {

class ExGridHTMLTest : public GridTextTest {
protected:
    // The 2 x 2 grid with one fixed row.
    void PutHeaded()
    {
        Put({{"h1", "h2"}, {"a", "b"}});
        G.SetFixedRows(1);
    }
    QStringList Lines(const String& Dir = String()) { return G.SaveToHTMLString(Dir).split(QStringLiteral("\r\n")); }
    QStringList CellLines(const String& Dir = String())
    {
        return Lines(Dir).filter(QRegularExpression(QStringLiteral("^<TD ")));
    }
    // The style text of class N.
    String ClassStyle(const String& Html, Integer N)
    {
        const QRegularExpression Re(QStringLiteral("\\.c%1 \\{([^}]*)\\}").arg(N));
        return Re.match(Html).captured(1);
    }
    THTMLSettings& H() { return *G.HTMLSettings(); }
};

} // namespace

TEST_F(ExGridHTMLTest, DefaultTableHasTheTagAHeaderRowAndADataRow)
{
    PutHeaded();
    const String Html = G.SaveToHTMLString(String());
    const QStringList L = Html.split(QStringLiteral("\r\n"));
    EXPECT_TRUE(L.contains(R"(<TABLE BORDER="1" CELLSPACING="0" CELLPADDING="0"  WIDTH="100%">)"));
    EXPECT_EQ(L.count("<TR>"), 2);
    EXPECT_EQ(L.count("</TR>"), 2);
    EXPECT_EQ(L.first(), "<style>");
    EXPECT_TRUE(Html.endsWith("</TABLE>\r\n"));
    const QStringList Cells = CellLines();
    ASSERT_EQ(Cells.size(), 4);
    EXPECT_EQ(Cells[0], R"(<TD class="c0">h1</td>)");
    EXPECT_EQ(Cells[1], R"(<TD class="c0">h2</td>)");
    EXPECT_EQ(Cells[2], R"(<TD class="c1">a</td>)");
    EXPECT_EQ(Cells[3], R"(<TD class="c1">b</td>)");
    const String Fixed = ColorToHex(ColorToRGB(G.FixedColor()));
    EXPECT_TRUE(ClassStyle(Html, 0).contains("background-color: #" + Fixed)) << ClassStyle(Html, 0).toStdString();
    EXPECT_TRUE(ClassStyle(Html, 0).contains("font-family: "));
    EXPECT_FALSE(ClassStyle(Html, 1).contains("background-color: #" + Fixed));
    EXPECT_EQ(ClassStyle(Html, 2), "");
}

TEST_F(ExGridHTMLTest, CellsDifferingInBoldGetTwoClassesAndBlankCellsANonBreakingSpace)
{
    Put({{"x", "y", ""}, {"  ", "z", "w"}});
    G.SetFontStyles(1, 0, TFontStyles{fsBold});
    const String Html = G.SaveToHTMLString(String());
    const QStringList Cells = CellLines();
    EXPECT_TRUE(Cells[0].startsWith(R"(<TD class="c0")"));
    EXPECT_TRUE(Cells[1].startsWith(R"(<TD class="c1")"));
    EXPECT_TRUE(Cells[2].startsWith(R"(<TD class="c0")"));
    EXPECT_FALSE(ClassStyle(Html, 0).contains("font-weight: bold"));
    EXPECT_TRUE(ClassStyle(Html, 1).contains("font-weight: bold"));
    EXPECT_TRUE(Cells[2].endsWith(">&nbsp;</td>"));
    EXPECT_TRUE(Cells[3].endsWith(">&nbsp;</td>"));
}

TEST_F(ExGridHTMLTest, MergedCellsSpanAndTheirCoveredCellsAreLeftOut)
{
    Put({{"m", "", "r"}, {"", "", "s"}, {"t", "u", "v"}});
    G.MergeCells(0, 0, 2, 2);
    const QStringList Cells = CellLines();
    ASSERT_EQ(Cells.size(), 6);
    EXPECT_TRUE(Cells[0].contains(R"( COLSPAN="2" ROWSPAN="2")")) << Cells[0].toStdString();
    EXPECT_TRUE(Cells[1].endsWith(">r</td>"));
    EXPECT_TRUE(Cells[2].endsWith(">s</td>"));
}

TEST_F(ExGridHTMLTest, WrappingAndColumnWidths)
{
    PutHeaded();
    G.SetWordWrap(false);
    G.SetWordWraps(1, 1, true);
    H().ColWidths()->Add(40);
    H().ColWidths()->Add(60);
    QStringList Cells = CellLines();
    EXPECT_EQ(Cells[0], R"(<TD class="c0" nowrap WIDTH=40>h1</td>)");
    EXPECT_EQ(Cells[1], R"(<TD class="c0" nowrap WIDTH=60>h2</td>)");
    EXPECT_TRUE(Cells[3].endsWith(R"(">b</td>)")) << Cells[3].toStdString();
    EXPECT_FALSE(Cells[3].contains("nowrap"));
    // Without a header row the data rows carry the widths.
    G.SetSaveFixedCells(false);
    Cells = CellLines();
    ASSERT_EQ(Cells.size(), 2);
    EXPECT_TRUE(Cells[0].contains(" width=40>"));
}

TEST_F(ExGridHTMLTest, LinksAreWrappedWhenShown)
{
    Put({{"http://h.test/p", "mailto:a@b.test", "x</b>://"}});
    const auto Contents = [this] {
        QStringList Out;
        for (const String& Cell : CellLines())
            Out << Cell.mid(Cell.indexOf(u'>') + 1).chopped(5);
        return Out;
    };
    EXPECT_EQ(Contents(), QStringList({"http://h.test/p", "mailto:a@b.test", "x</b>://"}));
    G.SetURLShow(true);
    EXPECT_EQ(Contents(), QStringList({"<a href=http://h.test/p>h.test/p</a>", "<a href=mailto:a@b.test>a@b.test</a>",
                                       "x</b>://"}));
    G.SetURLFull(true);
    EXPECT_EQ(Contents()[0], "<a href=http://h.test/p>http://h.test/p</a>");
    EXPECT_EQ(Contents()[1], "<a href=mailto:a@b.test>mailto:a@b.test</a>");
}

TEST_F(ExGridHTMLTest, SpecialCharactersNonBreakingTextAndLineBreaks)
{
    Put({{"a & b <c>", "x\r\ny"}});
    QStringList Cells = CellLines();
    EXPECT_TRUE(Cells[0].endsWith(">a & b <c></td>"));
    EXPECT_TRUE(Cells[1].endsWith(">x<br>\ny</td>"));
    H().SetConvertSpecialChars(true);
    H().SetNonBreakingText(true);
    Cells = CellLines();
    EXPECT_TRUE(Cells[0].endsWith(">a&nbsp;&amp;&nbsp;b&nbsp;&lt;c&gt;</td>")) << Cells[0].toStdString();
}

TEST_F(ExGridHTMLTest, PrologPrefixSuffixSummaryAndTableStyle)
{
    Put({{"a"}});
    H().SetXHTML(true);
    H().SetPrefixTag("<body>");
    H().SetSuffixTag("</body>");
    H().SetSummary("sum");
    H().SetTableStyle("class=\"t\"");
    H().SetBorderSize(2);
    H().SetCellSpacing(3);
    H().SetCellPadding(4);
    H().SetWidth(50);
    const QStringList L = Lines();
    EXPECT_EQ(L[0], R"(<?xml version="1.0" encoding="utf-8"?>)");
    EXPECT_EQ(L[1], R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Strict//EN")");
    EXPECT_EQ(L[2], R"("http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd">)");
    EXPECT_EQ(L[3], R"(<HTML xmlns="http://www.w3.org/1999/xhtml" xml:lang="en" lang="en">)");
    EXPECT_EQ(L[4], "<body><style>");
    EXPECT_TRUE(L.contains(
        R"(<TABLE BORDER="2" CELLSPACING="3" CELLPADDING="4" SUMMARY="sum"  class="t"  WIDTH="50%">)"));
    const qsizetype End = L.indexOf("</TABLE>");
    ASSERT_GT(End, 0);
    EXPECT_EQ(L[End + 1], "</body>");
    EXPECT_EQ(L[End + 2], "</HTML>");
}

TEST_F(ExGridHTMLTest, ABitmapCellIsWrittenAsAJpegPicture)
{
    Put({{"pic", ""}});
    TBitmap Bitmap;
    Bitmap.SetWidth(8);
    Bitmap.SetHeight(6);
    Bitmap.Canvas()->Brush()->SetColor(clRed);
    Bitmap.Canvas()->FillRect(TRect(0, 0, 8, 6));
    G.AddBitmap(0, 0, &Bitmap, false, haLeft, vaTop);
    const String Folder = Dir.path() + "/";
    const QStringList Cells = CellLines(Folder);
    const String File = Folder + "images/img1.jpg";
    EXPECT_EQ(Cells[0].mid(Cells[0].indexOf(u'>') + 1), "pic<img src= \"file://" + File + "\"></td>");
    TJPEGImage Jpeg;
    Jpeg.LoadFromBytes(ReadFileBytes(File));
    EXPECT_EQ(Jpeg.Width(), 8);
    EXPECT_EQ(Jpeg.Height(), 6);
    G.HTMLSettings()->SetExportImages(false);
    EXPECT_TRUE(CellLines(Folder)[0].endsWith(">pic</td>"));
}

TEST_F(ExGridHTMLTest, TheFileTakesHeaderAndFooterAppendsAndIsAsciiOrUtf16)
{
    Put({{QStringLiteral("\u00E9\u20AC").toUtf8().constData()}});
    G.SetFontNames(0, 0, QStringLiteral("Caf\u00E9"));
    H().SetHeaderFile(WriteFile("head.txt", "<html>\r\n"));
    H().SetFooterFile(WriteFile("foot.txt", "</html>\r\n"));
    const String File = Path("t.html");
    G.SaveToHTML(File);
    const QByteArray Bytes = ReadFileBytes(File);
    EXPECT_TRUE(Bytes.startsWith("<html>\r\n<style>\r\n"));
    EXPECT_TRUE(Bytes.endsWith("</TABLE>\r\n</html>\r\n"));
    EXPECT_TRUE(Bytes.contains(">&#233;&#8364;</td>"));
    EXPECT_TRUE(Bytes.contains("font-family: Caf\\e9 "));
    for (const char B : Bytes)
        EXPECT_LT(uchar(B), 0x80);

    G.AppendToHTML(File);
    const QByteArray Twice = ReadFileBytes(File);
    EXPECT_TRUE(Twice.startsWith(Bytes));
    EXPECT_EQ(Twice.size(), 2 * Bytes.size());

    G.SaveToHTML(File, false, true);
    const QByteArray Wide = ReadFileBytes(File);
    EXPECT_TRUE(Wide.startsWith(QByteArray("\xFF\xFE<\0h\0", 6)));
    EXPECT_TRUE(textcodec::DecodeText(Wide).contains(QStringLiteral(">\u00E9\u20AC</td>")));

    // A missing footer file reaches the caller.
    H().SetFooterFile(Path("none.txt"));
    EXPECT_ANY_THROW(G.SaveToHTML(File));
}
