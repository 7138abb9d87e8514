// Cells read and written as numbers, control values, headings, version and
// the print layout arrays.
#include "ExGridTestForm.h"

#include "grid/base/ExUtil.h"
#include "rtl/SysUtils.h"

namespace {

class ExGridValuesTest : public ::testing::Test {
protected:
    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

void ExpectGridError(const std::function<void()>& Call, const char* Message)
{
    try {
        Call();
        ADD_FAILURE() << "no exception";
    } catch (const EExGridError& E) {
        EXPECT_EQ(E.Message(), Message);
    }
}

} // namespace

TEST_F(ExGridValuesTest, IntsReadTrimmedTagFreeNumbers)
{
    const std::vector<std::pair<const char*, Integer>> Cases = {
        {" 12 ", 12}, {"", 0}, {"-", 0}, {"<b>12</b>", 12}, {"-7", -7},
    };
    for (const auto& [Text, Value] : Cases) {
        G.SetCells(1, 1, QString::fromUtf8(Text));
        EXPECT_EQ(G.Ints(1, 1), Value) << Text;
    }
    G.SetCells(1, 1, QStringLiteral("12a"));
    ExpectGridError([&] { G.Ints(1, 1); }, "Cell does not contain integer value");
    EXPECT_EQ(G.Cells(1, 1), "12a");
    G.SetCells(1, 1, QStringLiteral("<b>12</b>"));
    ExpectGridError([&] { G.AllInts(1, 1); }, "Cell does not contain integer value");
    G.SetInts(2, 2, -40);
    EXPECT_EQ(G.Cells(2, 2), "-40");
    G.SetAllInts(2, 3, 5);
    EXPECT_EQ(G.AllInts(2, 3), 5);
}

TEST_F(ExGridValuesTest, FloatsFollowTheUsersSeparator)
{
    const TFormatSettings Saved = FormatSettings;
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    G.SetFloats(1, 1, 3.14159);
    EXPECT_EQ(G.Cells(1, 1), "3,14");
    EXPECT_DOUBLE_EQ(G.Floats(1, 1), 3.14);
    G.SetAllFloats(1, 2, 2.5);
    EXPECT_EQ(G.Cells(1, 2), "2,50");
    FormatSettings = Saved;

    G.SetCells(1, 1, QStringLiteral("-"));
    EXPECT_EQ(G.Floats(1, 1), 0);
    G.SetCells(1, 1, QStringLiteral("abc"));
    ExpectGridError([&] { G.Floats(1, 1); }, "Cell does not contain a float value");
    // A format pattern in the cell is only text.
    G.SetCells(1, 1, QStringLiteral("%s%n"));
    ExpectGridError([&] { G.Floats(1, 1); }, "Cell does not contain a float value");
}

TEST_F(ExGridValuesTest, VersionAndPrintArrays)
{
    class TVersioned : public TExStringGrid {
    public:
        using TExStringGrid::TExStringGrid;
        Integer GetVersionNr() const override { return 0x01020304; }
    } V(nullptr);
    EXPECT_EQ(V.Version(), "1.2.3.4");
    EXPECT_EQ(G.GetVersionString(), "6.2.1.3 Sep, 2012");

    G.MaxWidths[511] = 80;
    EXPECT_EQ(G.GetPrintColWidth(511), 80);
    EXPECT_EQ(G.GetPrintColOffset(0), 0);
    for (const Integer Bad : {-1, 512})
        for (const bool Width : {true, false})
            ExpectGridError([&] { Width ? G.GetPrintColWidth(Bad) : G.GetPrintColOffset(Bad); },
                            "Columns is not in valid range");
}

TEST_F(ExGridValuesTest, ColumnHeadersFillRowZero)
{
    for (Integer C = 0; C < 5; ++C)
        G.SetCells(C, 0, QStringLiteral("old"));
    TStringList Headers;
    Headers.Add(QStringLiteral("One"));
    Headers.Add(QStringLiteral("Two\\nLines"));
    G.SetColumnHeaders(&Headers);
    EXPECT_EQ(G.Cells(0, 0), "One");
    EXPECT_EQ(G.Cells(1, 0), QStringLiteral("Two") + EscapesToLineBreaks(QStringLiteral("\\n")) + "Lines");
    for (Integer C = 2; C < 5; ++C)
        EXPECT_EQ(G.Cells(C, 0), "") << C;
    // A change of the list shows at once.
    G.ColumnHeaders()->SetStrings(0, QStringLiteral("First"));
    EXPECT_EQ(G.Cells(0, 0), "First");

    TStringList Rows;
    Rows.Add(QStringLiteral("r0"));
    Rows.Add(QStringLiteral("r1"));
    G.SetRowHeaders(&Rows);
    EXPECT_EQ(G.Cells(0, 1), "r1");
}

TEST_F(ExGridValuesTest, ControlValuesInMiniHTML)
{
    G.SetCells(1, 1, QStringLiteral("<CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"abc\">"));
    EXPECT_EQ(G.GetCtrlVal(1, 1, QStringLiteral("e1")), "abc");
    EXPECT_EQ(G.GetCtrlVal(1, 1, QStringLiteral("none")), "");
    G.SetCtrlVal(1, 1, QStringLiteral("e1"), QStringLiteral("xyz"));
    EXPECT_EQ(G.GetCtrlVal(1, 1, QStringLiteral("e1")), "xyz");
    const String Before = G.Cells(1, 1);
    G.SetCtrlVal(1, 1, QStringLiteral("none"), QStringLiteral("q"));
    EXPECT_EQ(G.Cells(1, 1), Before);
}
