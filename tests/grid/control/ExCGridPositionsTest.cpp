// Saved column positions of the column grid: "CP<position>" = the DefIdx of
// the item there, and files that must change nothing.
#include "ExGridOnForm.h"

#include "grid/control/ExCGrid.h"
#include "rtl/IniFiles.h"
#include "rtl/SysUtils.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

using TColumnGridOnForm = TGridOnForm<TExColumnGrid>;

// A three-column grid with headers "A", "B", "C", loaded.
struct TAbcGrid : TColumnGridOnForm {
    TAbcGrid()
    {
        Grid->SetFixedCols(0);
        Grid->SetColCount(3);
        for (int I = 0; I < 3; ++I)
            Grid->Columns()->Items(I)->SetHeader(QString(QChar(u'A' + I)));
        Grid->Loaded();
    }
    QStringList Row0() const
    {
        return {Grid->Cells(0, 0), Grid->Cells(1, 0), Grid->Cells(2, 0)};
    }
    std::vector<Integer> DefIdx() const
    {
        std::vector<Integer> Result;
        for (int I = 0; I < Grid->Columns()->Count(); ++I)
            Result.push_back(Grid->Columns()->Items(I)->DefIdx());
        return Result;
    }
};

QStringList SectionLines(const String& File, const String& Section)
{
    TMemIniFile Ini(File);
    TStringList Lines;
    Ini.ReadSectionValues(Section, &Lines);
    QStringList Result;
    for (int I = 0; I < Lines.Count(); ++I)
        Result.append(Lines.Strings(I));
    return Result;
}

class ExCGridPositionsTest : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    String Ini = Dir.filePath(QStringLiteral("grid.ini"));
};

TEST_F(ExCGridPositionsTest, AMovedOrderSavesAndLoadsIntoAFreshGrid)
{
    TAbcGrid Moved;
    Moved.Grid->MoveColumn(0, 2);
    Moved.Grid->SaveColumnPositions(Ini, QStringLiteral("Cols"));
    EXPECT_EQ(SectionLines(Ini, QStringLiteral("Cols")),
              (QStringList{QStringLiteral("CP0=1"), QStringLiteral("CP1=2"), QStringLiteral("CP2=0")}));

    TAbcGrid Fresh;
    Fresh.Grid->LoadColumnPositions(Ini, QStringLiteral("Cols"));
    EXPECT_EQ(Fresh.Row0(), (QStringList{QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}));
    EXPECT_EQ(Fresh.DefIdx(), (std::vector<Integer>{1, 2, 0}));

    const String Again = Dir.filePath(QStringLiteral("again.ini"));
    Fresh.Grid->SaveColumnPositions(Again, QStringLiteral("Cols"));
    EXPECT_EQ(SectionLines(Again, QStringLiteral("Cols")), SectionLines(Ini, QStringLiteral("Cols")));
}

// Decision on hand-edited and foreign files: unless the values name every
// item once, nothing changes (a duplicate used to loop for ever, a value
// beyond the items to stop halfway).
TEST_F(ExCGridPositionsTest, PositionsThatAreNoPermutationChangeNothing)
{
    const struct {
        const char* Name;
        const char* Section;
    } Cases[] = {
        {"duplicate", "[Cols]\nCP0=0\nCP1=0\nCP2=1\n"},
        {"out of range", "[Cols]\nCP0=1\nCP1=3\nCP2=0\n"},
        {"negative", "[Cols]\nCP0=1\nCP1=-2\nCP2=0\n"},
        {"not a number", "[Cols]\nCP0=1\nCP1=x\nCP2=0\n"},
        {"missing value", "[Cols]\nCP0=1\nCP2=0\n"},
        {"other section", "[Other]\nCP0=1\nCP1=2\nCP2=0\n"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        QFile File(Ini);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly | QIODevice::Truncate));
        File.write(C.Section);
        File.close();
        TAbcGrid G;
        G.Grid->MoveColumn(2, 0);
        G.Grid->LoadColumnPositions(Ini, QStringLiteral("Cols"));
        EXPECT_EQ(G.Row0(), (QStringList{QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("B")}));
        EXPECT_EQ(G.DefIdx(), (std::vector<Integer>{2, 0, 1}));
    }
    TAbcGrid NoFile;
    NoFile.Grid->LoadColumnPositions(Dir.filePath(QStringLiteral("none.ini")), QStringLiteral("Cols"));
    EXPECT_EQ(NoFile.Row0(), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
}

TEST_F(ExCGridPositionsTest, AnUnwritableFileRaisesNamingIt)
{
    const String Blocked = Dir.filePath(QStringLiteral("no-folder/grid.ini"));
    TAbcGrid G;
    try {
        G.Grid->SaveColumnPositions(Blocked, QStringLiteral("Cols"));
        FAIL() << "no exception";
    } catch (const EIniFileException& E) {
        EXPECT_TRUE(E.Message().contains(Blocked)) << E.Message().toStdString();
    }
    EXPECT_EQ(G.DefIdx(), (std::vector<Integer>{0, 1, 2}));
}

// Through ColumnSize: an INI key without a folder lies in the user's data
// folder; with a folder it is the file itself.
TEST_F(ExCGridPositionsTest, ColPositionsUseTheColumnSizeKey)
{
    const QByteArray OldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", Dir.path().toLocal8Bit());
    TAbcGrid G;
    G.Grid->ColumnSize()->SetLocation(clIniFile);
    G.Grid->ColumnSize()->SetKey(QStringLiteral("positions.ini"));
    G.Grid->ColumnSize()->SetSection(QStringLiteral("Cols"));
    G.Grid->MoveColumn(0, 1);
    G.Grid->SaveColPositions();
    const String Expected =
        Dir.path() + u'/' + QCoreApplication::applicationName() + QStringLiteral("/positions.ini");
    EXPECT_EQ(SectionLines(Expected, QStringLiteral("Cols")),
              (QStringList{QStringLiteral("CP0=1"), QStringLiteral("CP1=0"), QStringLiteral("CP2=2")}));

    TAbcGrid Fresh;
    Fresh.Grid->ColumnSize()->SetLocation(clIniFile);
    Fresh.Grid->ColumnSize()->SetKey(Expected);
    Fresh.Grid->ColumnSize()->SetSection(QStringLiteral("Cols"));
    Fresh.Grid->LoadColPositions();
    EXPECT_EQ(Fresh.Row0(), (QStringList{QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("C")}));
    if (OldData.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", OldData);
}

} // namespace
