// The grid's clipboard on the offscreen platform's in-process clipboard:
// copy, cut, paste in text, own block and rich text, text blocks, the
// selection text and the smart paste.
#include "GridTextTestSupport.h"

#include "grid/base/BaseGrid.h"
#include "rtl/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <tuple>
#include <vector>

namespace {

// A grid that records what MarkModifiedRect is told.
class TMarkingGrid : public TExStringGrid {
public:
    using TExStringGrid::TExStringGrid;
    void MarkModifiedRect(TPoint TopLeft, TRect R, TClipOperation Operation) override
    {
        Marks.emplace_back(TopLeft, R, Operation);
        TExStringGrid::MarkModifiedRect(TopLeft, R, Operation);
    }
    std::vector<std::tuple<TPoint, TRect, TClipOperation>> Marks;
};

class ExGridClipboardTest : public GridTextTest {
protected:
    void SetUp() override
    {
        QGuiApplication::clipboard()->clear();
        G.SetOptions(G.Options() + goEditing);
    }
    static QByteArray ClipText() { return QGuiApplication::clipboard()->mimeData()->data("text/plain"); }
    static void SetClipText(const char* Text) { Clipboard()->SetAsText(String::fromUtf8(Text)); }
    void Select(Integer L, Integer T, Integer R, Integer B) { G.SetSelection(TGridRect{L, T, R, B}); }
    // A column of Rows empty cells in a one-column grid, selected whole.
    void EmptyColumn(Integer Rows)
    {
        G.Clear();
        G.SetFixedRows(0);
        G.SetFixedCols(0);
        G.SetColCount(1);
        G.SetRowCount(Rows);
        Select(0, 0, 0, Rows - 1);
    }
    String ColumnText(Integer C) const
    {
        QStringList Texts;
        for (Integer R = 0; R < G.RowCount(); ++R)
            Texts << G.Cells(C, R);
        return Texts.join(u' ');
    }

    static UINT Rtf() { return RegisterClipboardFormat(QStringLiteral("Rich Text Format")); }
};

// A form with a marking grid, for pastes between two grids.
struct TMarkingForm {
    TMarkingForm()
    {
        Form.SetClientWidth(400);
        Form.SetClientHeight(300);
        Grid = new TMarkingGrid(&Form);
        Grid->SetParent(&Form);
        Grid->SetFixedRows(0);
        Grid->SetFixedCols(0);
        Grid->SetColCount(3);
        Grid->SetRowCount(3);
        Grid->SetOptions(Grid->Options() + goEditing);
        Grid->Navigation()->SetAllowFmtClipboard(true);
    }
    TForm Form{nullptr};
    TMarkingGrid* Grid = nullptr;
};

} // namespace

// ---------------------------------------------------------------- copy

TEST_F(ExGridClipboardTest, ABlockCopiesAsTabsAndLineBreaksAndOneCellWithoutBreak)
{
    Put({{"a", "b"}, {"c", "d"}});
    Select(0, 0, 1, 1);
    G.CopySelectionToClipboard();
    EXPECT_EQ(ClipText(), QByteArray("\x61\x09\x62\x0D\x0A\x63\x09\x64\x0D\x0A"));
    Select(0, 0, 0, 0);
    G.CopySelectionToClipboard();
    EXPECT_EQ(ClipText(), "a");
    Select(0, 1, 1, 1);
    EXPECT_EQ(G.SelectionAsText(), "c\td");
}

TEST_F(ExGridClipboardTest, FieldsAreQuotedMultiLineStrippedOrExcelFormed)
{
    Put({{"x\r\ny", "<B>bold</B>", "{\\rtf1\\ansi plain}"}});
    const auto Copied = [this](Integer C) {
        Select(C, 0, C, 0);
        G.CopySelectionToClipboard();
        return ClipText();
    };
    EXPECT_EQ(Copied(0), "\"x\n\ny\"");
    EXPECT_EQ(Copied(1), "<B>bold</B>");
    EXPECT_EQ(Copied(2), "plain");
    G.Navigation()->SetCopyHTMLTagsToClipboard(false);
    EXPECT_EQ(Copied(1), "bold");
    G.SetExcelClipboardFormat(true);
    EXPECT_EQ(Copied(0), "\"x\x0By\"");
}

TEST_F(ExGridClipboardTest, MergedCellsExtendTheCopiedSelection)
{
    Put({{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}});
    G.MergeCells(0, 0, 2, 1);
    G.MergeCells(1, 1, 2, 2);
    Select(1, 0, 1, 1);
    G.CopySelectionToClipboard();
    EXPECT_EQ(G.Selection(), (TGridRect{0, 0, 2, 2}));
    EXPECT_EQ(ClipText().count('\t'), 6);
    EXPECT_EQ(ClipText().count("\r\n"), 3);
}

TEST_F(ExGridClipboardTest, DisjunctRowsAndColumnsCopyOnlyTheFlaggedOnes)
{
    Put({{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}});
    G.MouseActions()->SetDisjunctRowSelect(true);
    G.SetRowSelect(0, true);
    G.SetRowSelect(2, true);
    G.CopySelectionToClipboard();
    EXPECT_EQ(ClipText(), "a\tb\tc\r\ng\th\ti\r\n");

    G.MouseActions()->SetDisjunctRowSelect(false);
    G.ClearRowSelect();
    G.MouseActions()->SetDisjunctColSelect(true);
    G.SetColSelect(1, true);
    G.CopySelectionToClipboard();
    EXPECT_EQ(ClipText(), "b\t\r\ne\t\r\nh\t\r\n");
}

TEST_F(ExGridClipboardTest, TheOwnFormatHoldsTheBlockOfTheRectangle)
{
    Put({{"a", "b"}, {"c", "d"}});
    G.Navigation()->SetAllowFmtClipboard(true);
    Select(0, 0, 1, 0);
    G.CopySelectionToClipboard();
    TMemoryStream Stream;
    G.SaveRectToBinStream(TRect(0, 0, 1, 0), &Stream);
    const QByteArray Expected(static_cast<const char*>(Stream.Memory()), qsizetype(Stream.Size()));
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data("application/x-exstringgrid-cells"), Expected);
    EXPECT_EQ(ClipText(), "a\tb");
    // Off, no block goes with the text.
    G.Navigation()->SetAllowFmtClipboard(false);
    G.CopySelectionToClipboard();
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat("application/x-exstringgrid-cells"));
}

TEST(ExGridClipboardBlock, APasteIntoItsOwnGridPassesWhereTheBlockCameFrom)
{
    QGuiApplication::clipboard()->clear();
    TMarkingForm A, B;
    A.Grid->SetCells(1, 1, "x");
    A.Grid->SetFontColors(1, 1, clRed);
    A.Grid->SetSelection(TGridRect{1, 1, 1, 1});
    A.Grid->CopySelectionToClipboard();

    A.Grid->SetSelection(TGridRect{0, 2, 0, 2});
    A.Grid->PasteSelectionFromClipboard();
    EXPECT_EQ(A.Grid->Cells(0, 2), "x");
    EXPECT_EQ(A.Grid->FontColors(0, 2), clRed);
    ASSERT_EQ(A.Grid->Marks.size(), 1u);
    EXPECT_EQ(std::get<0>(A.Grid->Marks[0]), TPoint(1, 1));
    EXPECT_EQ(std::get<1>(A.Grid->Marks[0]), TRect(0, 2, 0, 2));
    EXPECT_EQ(std::get<2>(A.Grid->Marks[0]), coCopy);

    B.Grid->SetSelection(TGridRect{2, 0, 2, 0});
    B.Grid->PasteSelectionFromClipboard();
    EXPECT_EQ(B.Grid->Cells(2, 0), "x");
    ASSERT_EQ(B.Grid->Marks.size(), 1u);
    EXPECT_EQ(std::get<0>(B.Grid->Marks[0]), TPoint(-1, -1));
}

TEST(ExGridClipboardBlock, ABadBlockLeavesTheGridAsItWas)
{
    TMarkingForm A;
    A.Grid->SetCells(0, 0, "keep");
    A.Grid->Navigation()->SetClipboardPasteAction(paInsert);
    TMemoryStream Stream;
    A.Grid->SaveRectToBinStream(TRect(0, 0, 1, 1), &Stream);
    const QByteArray Good(static_cast<const char*>(Stream.Memory()), qsizetype(Stream.Size()));
    for (const QByteArray& Bad : {Good.left(Good.size() / 2), QByteArray("\x01\x02"), QByteArray()}) {
        Clipboard()->SetAsBytes(CF_GRIDCELLS, Bad);
        A.Grid->SetSelection(TGridRect{2, 2, 2, 2});
        EXPECT_ANY_THROW(A.Grid->PasteSelectionFromClipboard());
        EXPECT_EQ(A.Grid->ColCount(), 3);
        EXPECT_EQ(A.Grid->RowCount(), 3);
        EXPECT_EQ(A.Grid->Cells(0, 0), "keep");
    }
}

TEST_F(ExGridClipboardTest, RichTextIsCopiedAndPasted)
{
    const char* Rich = "{\\rtf1\\ansi hello}";
    Put({{Rich, ""}});
    G.Navigation()->SetAllowRTFClipboard(true);
    Select(0, 0, 0, 0);
    G.CopySelectionToClipboard();
    EXPECT_EQ(ClipText(), "hello");
    EXPECT_EQ(Clipboard()->AsBytes(Rtf()), Rich);
    Select(1, 0, 1, 0);
    G.PasteSelectionFromClipboard();
    EXPECT_EQ(G.Cells(1, 0), Rich);
    // Without a zero at its end, and with one inside.
    Clipboard()->SetAsBytes(Rtf(), QByteArray("{\\rtf1 a}\0tail", 14));
    G.PasteSelectionFromClipboard();
    EXPECT_EQ(G.Cells(1, 0), "{\\rtf1 a}");
}

// ---------------------------------------------------------------- text blocks

TEST_F(ExGridClipboardTest, TextBlockSize)
{
    const struct {
        const char* Text;
        TPoint Size;
    } Cases[] = {
        {"a\tb\r\nc\r\n", TPoint(2, 1)},
        {"a", TPoint(1, 0)},
        {"a\r\nb\tc\td", TPoint(3, 1)},
        {"a\rb\n", TPoint(1, 1)},
        {"", TPoint(1, 0)},
    };
    for (const auto& Case : Cases) {
        TPoint Size;
        G.GetTextBlockSize(String::fromUtf8(Case.Text), Size);
        EXPECT_EQ(Size, Case.Size) << Case.Text;
    }
}

TEST_F(ExGridClipboardTest, InsertTextBlockCountsFieldsLinesAndUnquotes)
{
    Put({{"", "", ""}, {"", "", ""}, {"", "", ""}});
    Integer Cols = 0, Rows = 0;
    EXPECT_EQ(G.InsertTextBlock(0, 0, "a\t\"x\ny\"\r\nb\tc\r\n", Cols, Rows), 5);
    EXPECT_EQ(Rows, 3);
    EXPECT_EQ(Cols, 2);
    EXPECT_EQ(Texts(), QStringList({"a|x\ny|", "b|c|", "||"}));
    EXPECT_EQ(G.InsertTextBlock(2, 0, "\"p\x0Bq\"", Cols, Rows), 1);
    EXPECT_EQ(G.Cells(2, 0), "p\r\nq");
    // Not editing: nothing, unless the clipboard may always write.
    G.SetOptions(G.Options() - goEditing);
    EXPECT_EQ(G.InsertTextBlock(0, 2, "z", Cols, Rows), 0);
    EXPECT_EQ(G.Cells(0, 2), "");
    G.Navigation()->SetAllowClipboardAlways(true);
    EXPECT_EQ(G.InsertTextBlock(0, 2, "z", Cols, Rows), 1);
    EXPECT_EQ(G.Cells(0, 2), "z");
    EXPECT_EQ(G.InsertTextBlock(-1, 0, "z", Cols, Rows), 0);
}

TEST_F(ExGridClipboardTest, ABlockWiderAndTallerThanTheGridGrowsItOnlyWhenAllowed)
{
    Put({{"", ""}});
    SetClipText("a\tb\tc\r\nd\te\tf");
    Select(0, 0, 0, 0);
    G.PasteSelectionFromClipboard();
    EXPECT_EQ(Texts(), QStringList({"a|b|c", "d|e|f"}));

    Put({{"", ""}});
    G.Navigation()->SetAllowClipboardColGrow(false);
    G.Navigation()->SetAllowClipboardRowGrow(false);
    G.PasteSelectionFromClipboard();
    EXPECT_EQ(Texts(), QStringList({"a|b"}));

    // A long block without growth touches nothing beyond the grid.
    String Long;
    for (Integer I = 0; I < 100000; ++I)
        Long += QStringLiteral("v%1\tw\r\n").arg(I);
    Clipboard()->SetAsText(Long);
    Select(1, 0, 1, 0);
    G.PasteSelectionFromClipboard();
    EXPECT_EQ(Texts(), QStringList({"a|v0"}));
}

TEST_F(ExGridClipboardTest, InsertModeAddsARowForEveryNonEmptyLine)
{
    Put({{"1"}, {"2"}});
    G.Navigation()->SetClipboardPasteAction(paInsert);
    SetClipText("x\r\ny\r\n");
    Select(0, 1, 0, 1);
    G.PasteSelectionFromClipboard();
    EXPECT_EQ(ColumnText(0), "1 x y 2");
    // An empty line inserts no row and overwrites none.
    Put({{"1"}, {"2"}});
    SetClipText("x\r\n\r\ny");
    G.PasteSelectionFromClipboard();
    EXPECT_EQ(ColumnText(0).left(5), "1 x 2");
    EXPECT_TRUE(ColumnText(0).contains("y"));
}

TEST_F(ExGridClipboardTest, SelectionTextWritesFromTheSelectionAndGrows)
{
    Put({{"", ""}, {"", ""}});
    Select(1, 1, 1, 1);
    G.SetSelectionAsText("a\tb\r\n\"c\nd\"\r\n");
    EXPECT_EQ(Texts(), QStringList({"||", "|a|b", "|c\nd|"}));
}

TEST_F(ExGridClipboardTest, TextFieldsGoThroughThePasteEvents)
{
    Put({{"", ""}});
    std::vector<String> After;
    G.OnClipboardBeforePasteCell = [](TObject*, Integer ACol, Integer, String& Value, bool& Allow) {
        Allow = ACol == 0;
        Value = Value.toUpper();
    };
    G.OnClipboardAfterPasteCell = [&](TObject*, Integer, Integer, const String& Value) { After.push_back(Value); };
    std::vector<String> Wide;
    G.OnClipboardBeforePasteWideCell = [&](TObject*, Integer, Integer, String& Value, bool&) { Wide.push_back(Value); };
    SetClipText("a\tb");
    Select(0, 0, 0, 0);
    G.PasteSelectionFromClipboard();
    EXPECT_EQ(Texts(), QStringList({"A|"}));
    EXPECT_EQ(After, std::vector<String>({"A"}));
    Clipboard()->SetAsText(WideToCellText(QStringLiteral("\u20AC")));
    Select(1, 0, 1, 0);
    G.PasteSelectionFromClipboard();
    EXPECT_EQ(Wide, std::vector<String>({QStringLiteral("\u20AC")}));
    EXPECT_EQ(G.Cells(1, 0), QStringLiteral("\u20AC"));
}

// ---------------------------------------------------------------- cut and undo

TEST_F(ExGridClipboardTest, CutEmptiesExactlyTheCopiedEditableCells)
{
    Put({{"a", "b", "c"}, {"d", "e", "f"}});
    G.SetReadOnly(1, 0, true);
    Select(0, 0, 1, 0);
    G.CutSelectionToClipboard();
    EXPECT_EQ(ClipText(), "a\tb");
    EXPECT_EQ(Texts(), QStringList({"|b|c", "d|e|f"}));

    G.CutToClipboard();
    EXPECT_EQ(ClipText(), "\tb\tc\r\nd\te\tf\r\n");
    EXPECT_EQ(Texts(), QStringList({"|b|", "||"}));
}

TEST_F(ExGridClipboardTest, UndoTakesAPasteBackInOneStep)
{
    Put({{"a", "b"}, {"c", "d"}});
    TExGridUndoRedo Undo(nullptr);
    G.SetUndoRedo(&Undo);
    G.Navigation()->SetAllowSmartClipboard(true);
    SetClipText("1\r\n2\r\n");
    Select(0, 0, 1, 1);
    G.PasteSelectionFromClipboard();
    EXPECT_NE(Texts(), QStringList({"a|b", "c|d"}));
    Undo.Undo();
    EXPECT_EQ(Texts(), QStringList({"a|b", "c|d"}));
    G.SetUndoRedo(nullptr);
}

// ---------------------------------------------------------------- smart paste

TEST_F(ExGridClipboardTest, SmartPasteFillsAndContinuesSeries)
{
    G.Navigation()->SetAllowSmartClipboard(true);
    const auto PasteInto = [this](Integer Rows, const String& Clip) {
        EmptyColumn(Rows);
        Clipboard()->SetAsText(Clip);
        G.PasteSelectionFromClipboard();
        return ColumnText(0);
    };
    EXPECT_EQ(PasteInto(5, "1"), "1 1 1 1 1");
    EXPECT_EQ(PasteInto(6, "1\r\n3\r\n"), "1 3 5 7 9 11");
    const String Dec(GetDecimalSeparator());
    G.SetFloatFormat("%.2f");
    EXPECT_EQ(PasteInto(4, "1" + Dec + "5\r\n2\r\n"),
              QStringList({"1.50", "2.00", "2.50", "3.00"}).join(u' ').replace(u'.', GetDecimalSeparator()));
    EXPECT_EQ(PasteInto(5, "x\r\ny\r\n"), "x y x y x");

    const String Jan = DateToStr(EncodeDate(2024, 1, 15));
    const String Feb = DateToStr(EncodeDate(2024, 2, 15));
    EXPECT_EQ(PasteInto(3, Jan + "\r\n" + Feb + "\r\n"),
              QStringList({Jan, Feb, DateToStr(EncodeDate(2024, 3, 15))}).join(u' '));
    // Two months after 31 July is a day that does not exist: the series
    // ends there, keeping what it wrote.
    const QStringList Days{DateToStr(EncodeDate(2024, 3, 31)), DateToStr(EncodeDate(2024, 5, 31)),
                           DateToStr(EncodeDate(2024, 7, 31))};
    EXPECT_EQ(PasteInto(4, Days[0] + "\r\n" + Days[1] + "\r\n").toStdString(), (Days.join(u' ') + " ").toStdString());
}

TEST_F(ExGridClipboardTest, SmartPasteFillsRowsAndRepeatsARowOverTheSelection)
{
    G.Navigation()->SetAllowSmartClipboard(true);
    Put({{"", "", ""}, {"", "", ""}});
    G.SetReadOnly(1, 1, true);
    SetClipText("k");
    Select(0, 0, 2, 1);
    G.PasteSelectionFromClipboard();
    EXPECT_EQ(Texts(), QStringList({"k|k|k", "k||k"}));

    Put({{"", "", ""}, {"", "", ""}});
    G.SetReadOnly(1, 1, false);
    SetClipText("p\tq");
    Select(0, 0, 2, 1);
    G.PasteSelectionFromClipboard();
    EXPECT_EQ(Texts(), QStringList({"p|q|", "p|q|"}));
    EXPECT_EQ(G.Selection(), (TGridRect{0, 0, 2, 1}));
}

TEST_F(ExGridClipboardTest, WithoutSmartPasteOnlyTheBlockIsWritten)
{
    EmptyColumn(3);
    SetClipText("1");
    G.PasteSelectionFromClipboard();
    EXPECT_EQ(ColumnText(0), "1  ");
}

TEST_F(ExGridClipboardTest, HTMLCopyPutsTheTableAsHTMLAndAsText)
{
    Put({{"\xC3\xA9"}});
    G.CopyToClipBoardAsHTML();
    const QMimeData* Mime = QGuiApplication::clipboard()->mimeData();
    const QByteArray Html = Mime->data("text/html");
    EXPECT_TRUE(Html.startsWith("<style>"));
    EXPECT_TRUE(Html.contains(">\xC3\xA9</td>"));
    EXPECT_EQ(Mime->text(), String::fromUtf8(Html));
}
