// Workbooks into the grid: sheet names, the used range with and without
// fixed cells, value texts, and the messages of bad files.
#include "GridTextTestSupport.h"

#include "common/OfficeFiles.h"
#include "common/TestPaths.h"
#include "rtl/Forms.h"

namespace {

class GridWorkbookTest : public GridTextTest {
protected:
    String Sample()
    {
        const String File = Path("sample.xlsx");
        officefiles::MakeSampleWorkbook(File);
        officefiles::AddErrorCell(File);
        return File;
    }
    // Screen cursor after the action, which may fail.
    template <typename Action> TCursor CursorAfter(Action&& Do)
    {
        Screen->SetCursor(crDefault);
        RaisedMessage(Do);
        return Screen->Cursor();
    }
};

} // namespace

TEST_F(GridWorkbookTest, SheetNamesInWorkbookOrder)
{
    const std::unique_ptr<TStringList> Names = G.GetXLSSheets(Sample());
    EXPECT_EQ(Names->Text(), "First\r\nData\r\nLast\r\n");
}

TEST_F(GridWorkbookTest, UsedRangeWithSavedFixedCellsLoadsAtTheOrigin)
{
    Put({{"old"}});
    G.SetSaveFixedCells(true);
    G.LoadFromXLS(Sample());
    ASSERT_EQ(G.ColCount(), 3);
    ASSERT_EQ(G.RowCount(), 3);
    const QStringList Rows = Texts();
    EXPECT_EQ(Rows[0], "Text|42.5|True");
    EXPECT_EQ(Rows[1], "second|" + DateToStr(45366) + "|");
    EXPECT_EQ(Rows[2], "False|-7|");
}

TEST_F(GridWorkbookTest, UsedRangeAfterOneFixedRowAndColumn)
{
    Put({{"k", "k", "k", "k", "k"}, {"k", "k", "k", "k", "keep"}});
    G.SetFixedRows(1);
    G.SetFixedCols(1);
    G.SetSaveFixedCells(false);
    G.SetColCount(4);
    G.SetRowCount(4);
    G.SetCells(3, 3, "error cell keeps this");
    G.LoadFromXLS(Sample());
    EXPECT_EQ(G.ColCount(), 4);
    EXPECT_EQ(G.RowCount(), 4);
    EXPECT_EQ(G.FixedCols(), 1);
    EXPECT_EQ(G.FixedRows(), 1);
    const QStringList Rows = Texts();
    EXPECT_EQ(Rows[1], "k|Text|42.5|True");
    EXPECT_EQ(Rows[2], "|second|" + DateToStr(45366) + "|");
    EXPECT_EQ(Rows[3], "|False|-7|error cell keeps this");
}

TEST_F(GridWorkbookTest, NamedSheetSingleCellAndUnknownSheet)
{
    G.SetSaveFixedCells(true);
    const String File = Sample();
    G.LoadFromXLSSheet(File, "Last");
    EXPECT_EQ(G.ColCount(), 1);
    EXPECT_EQ(G.RowCount(), 1);
    EXPECT_EQ(G.Cells(0, 0), "single");
    EXPECT_EQ(RaisedMessage([&] { G.LoadFromXLSSheet(File, "Nowhere"); }), "Excel worksheet Nowhere not found");
    EXPECT_EQ(G.Cells(0, 0), "single");
}

TEST_F(GridWorkbookTest, LegacyWorkbookLoads)
{
    G.SetSaveFixedCells(true);
    G.LoadFromXLS(testpaths::Fixture("office/legacy.xls"));
    EXPECT_EQ(Texts(), (QStringList{"Name|12.5", QString::fromUtf8("Ölfilter|") + DateToStr(45366)}));
}

TEST_F(GridWorkbookTest, NoWorkbookIsAnIncorrectFileAndTheGridStays)
{
    Put({{"a", "b"}});
    const String Text = WriteFile("note.xlsx", "no workbook");
    const String Message = RaisedMessage([&] { G.LoadFromXLS(Text); });
    EXPECT_TRUE(Message.startsWith("Incorrect XLS file " + Text)) << Message.toStdString();
    EXPECT_TRUE(RaisedMessage([&] { G.GetXLSSheets(Text); }).startsWith("Incorrect XLS file "));
    EXPECT_EQ(Texts(), QStringList{"a|b"});
}

TEST_F(GridWorkbookTest, TooLargeRangeIsRefusedBeforeTheGridChanges)
{
    Put({{"a", "b"}});
    const String File = Sample();
    officefiles::EditPart(File, officefiles::DataSheetPart, [](QByteArray X) {
        return X.replace("<dimension ref=\"B2:D4\"/>", "<dimension ref=\"A1:J1000001\"/>");
    });
    EXPECT_TRUE(RaisedMessage([&] { G.LoadFromXLS(File); }).contains("more than 10000000 cells"));
    EXPECT_EQ(Texts(), QStringList{"a|b"});
}

TEST_F(GridWorkbookTest, HourglassEndsAlsoAfterFailures)
{
    const String File = Sample();
    EXPECT_EQ(CursorAfter([&] { G.LoadFromXLS(File); }), crDefault);
    EXPECT_EQ(CursorAfter([&] { G.LoadFromXLSSheet(File, "Nowhere"); }), crDefault);
    EXPECT_EQ(CursorAfter([&] { G.GetXLSSheets(Path("missing.xlsx")); }), crDefault);
}
