// The grid into workbooks: new ones of many columns, a sheet added to or
// overwritten in an existing workbook, texts kept as texts.
#include "GridTextTestSupport.h"

#include "common/OfficeFiles.h"
#include "platform/WorkbookReader.h"

namespace {

class GridWorkbookSaveTest : public GridTextTest {
protected:
    // Cols x Rows cells "c<col>r<row>".
    void Fill(Integer Cols, Integer Rows)
    {
        G.SetFixedRows(0);
        G.SetFixedCols(0);
        G.SetColCount(Cols);
        G.SetRowCount(Rows);
        for (Integer R = 0; R < Rows; ++R)
            for (Integer C = 0; C < Cols; ++C)
                G.SetCells(C, R, QStringLiteral("c%1r%2").arg(C).arg(R));
    }
    static String Dimension(const String& File, const String& Sheet)
    {
        auto Reader = platform::OpenWorkbook(File);
        const platform::TCellRange R = Reader->UsedRange(int(Reader->SheetNames().indexOf(Sheet)));
        return platform::ColumnLetters(R.FirstCol) + QString::number(R.FirstRow) + u':' +
               platform::ColumnLetters(R.LastCol) + QString::number(R.LastRow);
    }
    // The sheet's cells as "A1=text" in reading order.
    static QStringList SheetTexts(const String& File, const String& Sheet)
    {
        auto Reader = platform::OpenWorkbook(File);
        QStringList Texts;
        Reader->ReadCells(int(Reader->SheetNames().indexOf(Sheet)), [&](const platform::TWorkbookCell& Cell) {
            Texts << platform::ColumnLetters(Cell.Col) + QString::number(Cell.Row) + u'=' +
                         (Cell.Kind == platform::TWorkbookValueKind::wvText ? Cell.Text : QString::number(Cell.Number));
        });
        return Texts;
    }
};

} // namespace

TEST_F(GridWorkbookSaveTest, ColumnLettersOfTheWrittenRange)
{
    const std::pair<Integer, const char*> Cases[] = {{30, "A1:AD2"}, {52, "A1:AZ2"}, {703, "A1:AAA2"}};
    for (const auto& [Cols, Range] : Cases) {
        Fill(Cols, 2);
        G.SaveToXLS(Path("wide.xlsx"), true);
        EXPECT_EQ(Dimension(Path("wide.xlsx"), "Sheet1"), Range);
    }
    G.SetSaveFixedCells(true);
    G.LoadFromXLS(Path("wide.xlsx"));
    EXPECT_EQ(G.Cells(702, 1), "c702r1");
}

TEST_F(GridWorkbookSaveTest, TextsStayTextsAndCarriageReturnsGo)
{
    Put({{"007", "a\r\nb"}, {"", "1.5"}});
    G.SetSaveFixedCells(true);
    G.SaveToXLS(Path("t.xlsx"));
    EXPECT_EQ(SheetTexts(Path("t.xlsx"), "Sheet1"), (QStringList{"A1=007", "B1=a\nb", "B2=1.5"}));
    G.LoadFromXLS(Path("t.xlsx"));
    EXPECT_EQ(Texts(), (QStringList{"007|a\nb", "|1.5"}));
}

TEST_F(GridWorkbookSaveTest, NewSheetKeepsTheOtherSheets)
{
    const String File = Path("book.xlsx");
    officefiles::MakeSampleWorkbook(File);
    const QStringList DataBefore = SheetTexts(File, "Data");
    const QByteArray StylesBefore = platform::TOfficePackage(File, platform::TOfficePackage::TMode::pmRead).Read("xl/styles.xml");
    Put({{"x", "y"}, {"z", "w"}});
    G.SaveToXLSSheet(File, "Added");
    auto Reader = platform::OpenWorkbook(File);
    EXPECT_EQ(Reader->SheetNames(), (QStringList{"First", "Data", "Last", "Added"}));
    EXPECT_EQ(SheetTexts(File, "Added"), (QStringList{"A1=x", "B1=y", "A2=z", "B2=w"}));
    EXPECT_EQ(SheetTexts(File, "Data"), DataBefore);
    EXPECT_EQ(SheetTexts(File, "First"), QStringList{"A1=one"});
    EXPECT_EQ(platform::TOfficePackage(File, platform::TOfficePackage::TMode::pmRead).Read("xl/styles.xml"), StylesBefore);
}

TEST_F(GridWorkbookSaveTest, ExistingSheetIsOverwrittenInTheRangeOnly)
{
    const String File = Path("book.xlsx");
    officefiles::MakeSampleWorkbook(File);
    Put({{"p", "q"}, {"r", ""}});
    G.SaveToXLSSheet(File, "Data");
    EXPECT_EQ(SheetTexts(File, "Data"),
              (QStringList{"A1=p", "B1=q", "A2=r", "C2=42.5", "D2=1", "B3=second", "C3=45366", "B4=0", "C4=-7"}));
    EXPECT_EQ(Dimension(File, "Data"), "A1:D4");
}

TEST_F(GridWorkbookSaveTest, OverwrittenFormulaDropsTheCalculationChain)
{
    const String File = Path("book.xlsx");
    officefiles::MakeSampleWorkbook(File);
    officefiles::EditPart(File, officefiles::DataSheetPart, [](QByteArray X) {
        return X.replace("<c r=\"C4\"><v>-7</v></c>", "<c r=\"C4\"><f>C2*2</f><v>85</v></c>");
    });
    ASSERT_TRUE(platform::TOfficePackage(File, platform::TOfficePackage::TMode::pmRead).Read(officefiles::DataSheetPart).contains("<f>"));
    {
        platform::TOfficePackage P(File, platform::TOfficePackage::TMode::pmEdit);
        P.Write("xl/calcChain.xml", "<calcChain xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><c r=\"C4\" i=\"2\"/></calcChain>");
        P.Commit();
    }
    officefiles::EditPart(File, "xl/_rels/workbook.xml.rels", [](QByteArray X) {
        return X.replace("</Relationships>", "<Relationship Id=\"rId99\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain\" Target=\"calcChain.xml\"/></Relationships>");
    });
    Put({{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}, {"j", "k", "l"}});
    G.SaveToXLSSheet(File, "Data");
    platform::TOfficePackage P(File, platform::TOfficePackage::TMode::pmRead);
    EXPECT_FALSE(P.Has("xl/calcChain.xml"));
    EXPECT_FALSE(P.Read("xl/_rels/workbook.xml.rels").contains("calcChain"));
    EXPECT_TRUE(SheetTexts(File, "Data").contains("C4=l"));
}

TEST_F(GridWorkbookSaveTest, RefusedNamesAndUnreadableFilesLeaveTheFile)
{
    Put({{"a"}});
    const QByteArray Old("not a workbook");
    const String File = WriteFile("old.xlsx", Old);
    const String Message = RaisedMessage([&] { G.SaveToXLSSheet(File, "S"); });
    EXPECT_TRUE(Message.contains(File)) << Message.toStdString();
    EXPECT_EQ(ReadFileBytes(File), Old);
    for (const char* Bad : {"", "a:b", "x/y", "[1]", "what?", "0123456789012345678901234567890x"})
        EXPECT_FALSE(RaisedMessage([&] { G.SaveToXLSSheet(Path("new.xlsx"), QString::fromLatin1(Bad)); }).isEmpty()) << Bad;
    EXPECT_FALSE(QFile::exists(Path("new.xlsx")));
    G.SaveToXLSSheet(Path("new.xlsx"), "Fine");
    EXPECT_EQ(platform::OpenWorkbook(Path("new.xlsx"))->SheetNames(), QStringList{"Fine"});
}

TEST_F(GridWorkbookSaveTest, UnwritableFolderRaisesNamingTheFile)
{
    Put({{"a"}});
    const String File = Path("no/such/folder/x.xlsx");
    EXPECT_TRUE(RaisedMessage([&] { G.SaveToXLS(File); }).contains(File));
}
