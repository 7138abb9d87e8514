// The column state text and the column widths and order kept in an INI
// file or the per-user registry.
#include "ExGridTestForm.h"

#include "rtl/IniFiles.h"
#include "rtl/SysUtils.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

class ExGridColumnStatesTest : public ::testing::Test {
protected:
    void Columns(TTestExGrid& g, std::initializer_list<Integer> Widths)
    {
        g.SetColCount(Integer(Widths.size()));
        Integer C = 0;
        for (Integer W : Widths)
            g.SetColWidths(C++, W);
    }
    void UseIni(const String& File, const String& Section)
    {
        G.ColumnSize()->SetLocation(clIniFile);
        G.ColumnSize()->SetKey(File);
        G.ColumnSize()->SetSection(Section);
    }

    static String FirstRow(TTestExGrid& g)
    {
        QStringList Texts;
        for (Integer C = 0; C < g.ColCount(); ++C)
            Texts << g.Cells(C, 0);
        return Texts.join(u' ');
    }

    QTemporaryDir Dir;
    TExGridForm F;
    TTestExGrid& G = *F.Grid;
};

} // namespace

TEST_F(ExGridColumnStatesTest, StatesListCountWidthsOrderAndVisibility)
{
    Columns(G, {64, 80, 120});
    EXPECT_EQ(G.ColumnStatesToString(), String("3#64,80,120#0,1,2#1,1,1"));

    G.SetDefaultColWidth(64);
    Columns(G, {10, 20, 30, 40});
    G.HideColumn(1);
    const String States = G.ColumnStatesToString();
    EXPECT_EQ(States, String("4#10,30,40,64#0,1,2,3#1,0,1,1"));

    TExGridForm Fresh;
    TTestExGrid& g = *Fresh.Grid;
    g.SetDefaultColWidth(64);
    g.SetColCount(4);
    g.StringToColumnStates(States);
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_TRUE(g.IsHiddenColumn(1));
    EXPECT_EQ(g.ColWidths(0), 10);
    EXPECT_EQ(g.ColWidths(1), 30);
    EXPECT_EQ(g.ColWidths(2), 40);
    EXPECT_EQ(g.ColumnStatesToString(), States);
}

TEST_F(ExGridColumnStatesTest, AStoredOrderRearrangesTheColumns)
{
    Columns(G, {10, 20, 30});
    for (Integer C = 0; C < 3; ++C)
        G.SetCells(C, 0, IntToStr(C));
    G.StringToColumnStates("3#10,20,30#2,0,1#1,1,1");
    EXPECT_EQ(FirstRow(G), String("2 0 1"));
    EXPECT_EQ(G.ColumnStatesToString(), String("3#10,20,30#2,0,1#1,1,1"));
}

TEST_F(ExGridColumnStatesTest, MalformedStatesChangeOnlyWhatIsSound)
{
    Columns(G, {10, 20, 30});
    const String Before = G.ColumnStatesToString();
    for (const char* Bad : {"no hash", "x#1,2,3", "0#1", "5000#1", "-1#5", "99999999999#1"}) {
        SCOPED_TRACE(Bad);
        G.StringToColumnStates(Bad);
        EXPECT_EQ(G.ColumnStatesToString(), Before);
    }
    for (Integer C = 0; C < 3; ++C)
        G.SetCells(C, 0, IntToStr(C));
    // An order that is no permutation is passed over; widths and visibility still apply.
    G.StringToColumnStates("3#11,abc,-4#0,0,7#1,1,0");
    EXPECT_EQ(G.ColCount(), 2);
    EXPECT_TRUE(G.IsHiddenColumn(2));
    EXPECT_EQ(G.ColWidths(0), 11);
    EXPECT_EQ(G.ColWidths(1), 20);
    EXPECT_EQ(G.Cells(1, 0), String("1"));
    G.StringToColumnStates("3#1#");
    EXPECT_EQ(G.ColCount(), 3);
    EXPECT_EQ(G.ColWidths(0), 1);
}

TEST_F(ExGridColumnStatesTest, ColumnSizesGoToTheNamedIniSectionAndBack)
{
    const String File = Dir.filePath("cols.ini");
    Columns(G, {64, 100});
    UseIni(File, "Grid");
    G.SaveColSizes();
    {
        TMemIniFile Ini(File);
        EXPECT_EQ(Ini.ReadString("Grid", "Col0", ""), String("64"));
        EXPECT_EQ(Ini.ReadString("Grid", "Col1", ""), String("100"));
        Ini.WriteString("Grid", "Col0", "70");
        Ini.WriteString("Grid", "Col1", "abc");
        Ini.UpdateFile();
    }
    G.SetColWidths(0, 5);
    G.SetColWidths(1, 6);
    G.LoadColSizes();
    EXPECT_EQ(G.ColWidths(0), 70);
    EXPECT_EQ(G.ColWidths(1), 6) << "a value that is no number keeps the width";
}

TEST_F(ExGridColumnStatesTest, WithoutKeyOrSectionNothingIsWrittenOrRead)
{
    const String File = Dir.filePath("none.ini");
    Columns(G, {64, 100});
    for (auto [Key, Section] : {std::pair<String, String>{File, ""}, {"", "Grid"}}) {
        UseIni(Key, Section);
        G.SaveColSizes();
        G.SaveColPositions();
        G.LoadColSizes();
        G.LoadColPositions();
        EXPECT_FALSE(QFile::exists(File));
    }
}

TEST_F(ExGridColumnStatesTest, AnUnreadableIniFileReadsAsEmpty)
{
    Columns(G, {64, 100});
    UseIni(Dir.path(), "Grid");  // a folder, not a file
    G.LoadColSizes();
    G.LoadColPositions();
    EXPECT_EQ(G.ColWidths(1), 100);
}

TEST_F(ExGridColumnStatesTest, StoredPositionsApplyOnlyAsAPermutation)
{
    const String File = Dir.filePath("pos.ini");
    Columns(G, {10, 20, 30});
    for (Integer C = 0; C < 3; ++C)
        G.SetCells(C, 0, IntToStr(C));
    UseIni(File, "Grid");
    {
        TMemIniFile Ini(File);
        Ini.WriteInteger("Grid", "Pos0", 0);
        Ini.WriteInteger("Grid", "Pos1", 0);
        Ini.WriteInteger("Grid", "Pos2", 9);
        Ini.UpdateFile();
    }
    G.LoadColPositions();
    EXPECT_EQ(G.ColumnStatesToString(), String("3#10,20,30#0,1,2#1,1,1"));
    EXPECT_EQ(G.Cells(1, 0), String("1"));

    G.StringToColumnStates("3#10,20,30#2,0,1#1,1,1");
    G.SaveColPositions();
    TExGridForm Fresh;
    TTestExGrid& g = *Fresh.Grid;
    g.SetColCount(3);
    for (Integer C = 0; C < 3; ++C)
        g.SetCells(C, 0, IntToStr(C));
    g.ColumnSize()->SetLocation(clIniFile);
    g.ColumnSize()->SetKey(File);
    g.ColumnSize()->SetSection("Grid");
    g.LoadColPositions();
    EXPECT_EQ(FirstRow(g), String("2 0 1"));
}

TEST_F(ExGridColumnStatesTest, TheRegistryKeepsSizesUnderKeyAndSection)
{
    qputenv("CFG_REGISTRY_FILE", Dir.filePath("reg.ini").toLocal8Bit());
    Columns(G, {64, 100});
    G.ColumnSize()->SetKey("Software\\Cfg");
    G.ColumnSize()->SetSection("Grid");
    G.SaveColSizes();
    TMemIniFile Raw(Dir.filePath("reg.ini"));
    EXPECT_EQ(Raw.ReadInteger("Software\\Cfg\\Grid", "Col1", 0), 100);
    G.SetColWidths(1, 3);
    G.LoadColSizes();
    EXPECT_EQ(G.ColWidths(1), 100);
    qunsetenv("CFG_REGISTRY_FILE");
}
