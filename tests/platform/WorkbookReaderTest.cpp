#include "platform/WorkbookReader.h"

#include "common/OfficeFiles.h"
#include "common/TestPaths.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

using namespace platform;

namespace {

using TCellMap = std::map<std::pair<int, int>, TWorkbookCell>;

TCellMap ReadAll(IWorkbookReader& Reader, int Sheet)
{
    TCellMap Cells;
    Reader.ReadCells(Sheet, [&](const TWorkbookCell& Cell) { Cells[{Cell.Col, Cell.Row}] = Cell; });
    return Cells;
}

class WorkbookReaderTest : public ::testing::Test {
protected:
    QString Path(const QString& Name) const { return FDir.filePath(Name); }
    QString Sample()
    {
        const QString File = Path(QStringLiteral("sample.xlsx"));
        officefiles::MakeSampleWorkbook(File);
        return File;
    }
    QTemporaryDir FDir;
};

} // namespace

TEST(WorkbookAddressTest, ColumnLettersAreBijectiveBase26)
{
    const std::pair<int, const char*> Cases[] = {{1, "A"},   {26, "Z"},    {27, "AA"},   {30, "AD"},  {52, "AZ"},
                                                 {53, "BA"}, {702, "ZZ"},  {703, "AAA"}, {16384, "XFD"}};
    for (const auto& [Col, Letters] : Cases) {
        EXPECT_EQ(ColumnLetters(Col), QString::fromLatin1(Letters));
        EXPECT_EQ(ColumnNumber(QString::fromLatin1(Letters)), Col) << Letters;
    }
    EXPECT_EQ(ColumnNumber(u"XFE"), 0);
    EXPECT_EQ(ColumnNumber(u"A1"), 0);
    EXPECT_EQ(ColumnNumber(u""), 0);
}

TEST(WorkbookAddressTest, CellAddressesWithAndWithoutDollars)
{
    int Col = 0, Row = 0;
    ASSERT_TRUE(ParseCellAddress(u"$AAA$12", Col, Row));
    EXPECT_EQ(Col, 703);
    EXPECT_EQ(Row, 12);
    ASSERT_TRUE(ParseCellAddress(u"b2", Col, Row));
    EXPECT_EQ(Col, 2);
    EXPECT_EQ(Row, 2);
    for (const char16_t* Bad : {u"", u"B", u"12", u"B0", u"B2x", u"B1048577", u"$", u"B-2"})
        EXPECT_FALSE(ParseCellAddress(Bad, Col, Row)) << QString::fromUtf16(Bad).toStdString();
}

TEST_F(WorkbookReaderTest, SheetsActiveSheetAndUsedRange)
{
    auto Reader = OpenWorkbook(Sample());
    EXPECT_EQ(Reader->SheetNames(), (QStringList{"First", "Data", "Last"}));
    EXPECT_EQ(Reader->ActiveSheet(), 1);
    const TCellRange Range = Reader->UsedRange(1);
    EXPECT_EQ(Range.FirstCol, 2);
    EXPECT_EQ(Range.FirstRow, 2);
    EXPECT_EQ(Range.LastCol, 4);
    EXPECT_EQ(Range.LastRow, 4);
}

TEST_F(WorkbookReaderTest, ValuesByKind)
{
    const QString File = Sample();
    officefiles::AddErrorCell(File);
    auto Reader = OpenWorkbook(File);
    const TCellMap Cells = ReadAll(*Reader, 1);
    EXPECT_EQ(Cells.at({2, 2}).Text, "Text");
    EXPECT_EQ(Cells.at({3, 2}).Kind, TWorkbookValueKind::wvNumber);
    EXPECT_EQ(Cells.at({3, 2}).Number, 42.5);
    EXPECT_EQ(Cells.at({4, 2}).Kind, TWorkbookValueKind::wvBoolean);
    EXPECT_EQ(Cells.at({4, 2}).Number, 1);
    EXPECT_EQ(Cells.at({3, 3}).Kind, TWorkbookValueKind::wvDate);
    EXPECT_EQ(Cells.at({3, 3}).Number, 45366); // 2024-03-15
    EXPECT_EQ(Cells.count({4, 3}), 0u);
    EXPECT_EQ(Cells.at({2, 4}).Number, 0);
    EXPECT_EQ(Cells.at({4, 4}).Kind, TWorkbookValueKind::wvError);
}

TEST_F(WorkbookReaderTest, RunsInlineStringsFormulaResultsAndMissingDimension)
{
    const QString File = Sample();
    officefiles::EditPart(File, "xl/worksheets/sheet1.xml", [](const QByteArray&) {
        return QByteArray(
            "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
            "<row r=\"3\"><c r=\"E3\" t=\"inlineStr\"><is><r><t>in</t></r><r><t>line</t></r></is></c>"
            "<c r=\"F3\" t=\"str\"><f>A1</f><v>cached</v></c><c r=\"G3\"><f>1+1</f><v>2</v></c></row>"
            "</sheetData></worksheet>");
    });
    auto Reader = OpenWorkbook(File);
    const TCellRange Range = Reader->UsedRange(0);
    EXPECT_EQ(ColumnLetters(Range.FirstCol) + QString::number(Range.FirstRow), "E3");
    EXPECT_EQ(ColumnLetters(Range.LastCol) + QString::number(Range.LastRow), "G3");
    const TCellMap Cells = ReadAll(*Reader, 0);
    EXPECT_EQ(Cells.at({5, 3}).Text, "inline");
    EXPECT_EQ(Cells.at({6, 3}).Text, "cached");
    EXPECT_EQ(Cells.at({7, 3}).Number, 2);
}

TEST_F(WorkbookReaderTest, SharedStringRunsAreJoined)
{
    const QString File = Sample();
    officefiles::EditPart(File, "xl/sharedStrings.xml", [](QByteArray Xml) {
        return Xml.replace("<si><t>Text</t></si>", "<si><r><t>Te</t></r><r><rPr><b/></rPr><t>xt!</t></r></si>");
    });
    auto Reader = OpenWorkbook(File);
    EXPECT_EQ(ReadAll(*Reader, 1).at({2, 2}).Text, "Text!");
}

TEST_F(WorkbookReaderTest, LegacyBiffWorkbook)
{
    auto Reader = OpenWorkbook(testpaths::Fixture(QStringLiteral("office/legacy.xls")));
    EXPECT_EQ(Reader->SheetNames(), (QStringList{"Alpha", "Beta"}));
    EXPECT_EQ(Reader->ActiveSheet(), 0);
    const TCellRange Range = Reader->UsedRange(0);
    EXPECT_EQ(Range.FirstCol, 2);
    EXPECT_EQ(Range.FirstRow, 2);
    EXPECT_EQ(Range.LastCol, 3);
    EXPECT_EQ(Range.LastRow, 3);
    const TCellMap Cells = ReadAll(*Reader, 0);
    EXPECT_EQ(Cells.at({2, 2}).Text, "Name");
    EXPECT_EQ(Cells.at({3, 2}).Number, 12.5);
    EXPECT_EQ(Cells.at({2, 3}).Text, QString::fromUtf8("Ölfilter"));
    EXPECT_EQ(Cells.at({3, 3}).Kind, TWorkbookValueKind::wvDate);
    EXPECT_EQ(Cells.at({3, 3}).Number, 45366);
    EXPECT_EQ(ReadAll(*Reader, 1).size(), 1u);
}

// Every bad input ends in EOfficeFileError naming the file, never a crash.
TEST_F(WorkbookReaderTest, BadInputRaisesNamingTheFile)
{
    struct TCase {
        const char* Name;
        std::string Part;
        std::function<QByteArray(QByteArray)> Edit;
        const char* Reason;
    };
    const QByteArray Deep = QByteArray("<a>").repeated(200000);
    const TCase Cases[] = {
        {"malformed", officefiles::DataSheetPart, [](QByteArray X) { return X.left(X.size() / 2); }, "not well-formed"},
        {"endless nesting", officefiles::DataSheetPart, [&](QByteArray) { return Deep; }, "not well-formed"},
        {"shared string index", "xl/sharedStrings.xml",
         [](QByteArray X) { return X.left(X.indexOf("<si>")) + "</sst>"; }, "shared string"},
        {"sheet relationship", "xl/workbook.xml", [](QByteArray X) { return X.replace("r:id=\"rId2\"", "r:id=\"rId99\""); },
         "points nowhere"},
        {"active tab", "xl/workbook.xml", [](QByteArray X) { return X.replace("activeTab=\"1\"", "activeTab=\"7\""); },
         "points nowhere"},
        {"huge range", officefiles::DataSheetPart,
         [](QByteArray X) { return X.replace("<dimension ref=\"B2:D4\"/>", "<dimension ref=\"A1:XFD1000\"/>"); },
         "more than 10000000 cells"},
        {"bad address", officefiles::DataSheetPart, [](QByteArray X) { return X.replace("r=\"C3\"", "r=\"C0\""); },
         "invalid"},
    };
    for (const TCase& Case : Cases) {
        const QString File = Path(QString::fromLatin1(Case.Name) + ".xlsx");
        officefiles::MakeSampleWorkbook(File);
        officefiles::EditPart(File, Case.Part, Case.Edit);
        try {
            auto Reader = OpenWorkbook(File);
            const int Sheet = Reader->ActiveSheet();
            Reader->UsedRange(Sheet);
            Reader->ReadCells(Sheet, [](const TWorkbookCell&) {});
            ADD_FAILURE() << Case.Name << " was read";
        } catch (const EOfficeFileError& E) {
            EXPECT_TRUE(E.Message().contains(File)) << E.Message().toStdString();
            EXPECT_TRUE(E.Message().contains(QString::fromLatin1(Case.Reason))) << E.Message().toStdString();
        }
    }
}

TEST_F(WorkbookReaderTest, NoWorkbookAndMissingFile)
{
    const QString Text = Path(QStringLiteral("plain.xlsx"));
    QFile F(Text);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("just text");
    F.close();
    const QString FakeBiff = Path(QStringLiteral("fake.xls"));
    QFile B(FakeBiff);
    ASSERT_TRUE(B.open(QIODevice::WriteOnly));
    B.write(QByteArray("\xD0\xCF\x11\xE0", 4) + QByteArray(600, '\0'));
    B.close();
    for (const QString& File : {Text, FakeBiff, Path(QStringLiteral("missing.xlsx"))}) {
        try {
            OpenWorkbook(File);
            ADD_FAILURE() << File.toStdString();
        } catch (const EOfficeFileError& E) {
            EXPECT_TRUE(E.Message().startsWith(File)) << E.Message().toStdString();
        }
    }
}
