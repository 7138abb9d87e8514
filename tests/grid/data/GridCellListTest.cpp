// The own cell list as a file and as a stream, progress, notifications.
#include "GridTextTestSupport.h"

#include "rtl/Classes.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

class GridCellListTest : public GridTextTest {
protected:
    // The 2 x 2 grid of the format's example: "a" CR LF "b" and "x".
    void PutExample()
    {
        G.SetColCount(2);
        G.SetRowCount(2);
        G.SetCells(0, 0, QStringLiteral("a\r\nb"));
        G.SetCells(1, 1, QStringLiteral("x"));
    }
};

const QByteArray ExampleText = QByteArray("2,2\r\ncw 0,64\r\ncw 1,64\r\n0,0,a\t\bb\r\n1,1,x\r\n");

QByteArray Utf16(const QByteArray& Latin)
{
    QByteArray Bytes;
    for (const char C : Latin)
        Bytes.append(C).append('\0');
    return Bytes;
}

// A grid that records what the export notifications tell it.
class TNotedGrid : public TTestExGrid {
public:
    using TTestExGrid::TTestExGrid;
    void ExportNotification(Integer AState, Integer ARow) override
    {
        Notes << QStringLiteral("%1:%2").arg(AState).arg(ARow);
    }
    QStringList Notes;
};

} // namespace

TEST_F(GridCellListTest, FileIsTheCountsTheWidthsAndTheCellsInAnsiOrUtf16)
{
    PutExample();
    G.SaveToFile(Path("a.txt"));
    EXPECT_EQ(ReadFileBytes(Path("a.txt")), ExampleText);
    G.SaveToFile(Path("u.txt"), true);
    EXPECT_EQ(ReadFileBytes(Path("u.txt")), QByteArray("\xFF\xFE") + Utf16(ExampleText));
}

TEST_F(GridCellListTest, FileReadsBackWithAndWithoutMultiLineCells)
{
    PutExample();
    G.SaveToFile(Path("u.txt"), true);
    for (const bool Multi : {false, true}) {
        TExGridForm Other;
        TTestExGrid& T = *Other.Grid;
        T.SetColCount(5);
        T.SetColWidths(1, 20);
        T.SetMultilinecells(Multi ? QStringLiteral("1") : String());
        T.LoadFromFile(Path("u.txt"));
        EXPECT_EQ(T.ColCount(), 2);
        EXPECT_EQ(T.RowCount(), 2);
        EXPECT_EQ(T.ColWidths(1), 64);
        EXPECT_EQ(T.Cells(0, 0), Multi ? "a\r\nb" : "a");
        EXPECT_EQ(T.Cells(1, 1), "x");
    }
}

TEST_F(GridCellListTest, FileWithoutFixedCellsAddsTheFixedCountsAndWritesAbsoluteIndexes)
{
    G.SetColCount(3);
    G.SetRowCount(3);
    G.SetSaveFixedCells(false);
    G.SetCells(1, 1, QStringLiteral("d"));
    G.SetCells(0, 0, QStringLiteral("fixed"));
    G.SaveToFile(Path("f.txt"));
    EXPECT_EQ(ReadFileBytes(Path("f.txt")), QByteArray("2,2\r\ncw 1,64\r\ncw 2,64\r\n1,1,d\r\n"));
    G.SetCells(1, 1, String());
    G.LoadFromFile(Path("f.txt"));
    EXPECT_EQ(G.ColCount(), 3);
    EXPECT_EQ(G.Cells(1, 1), "d");
}

TEST_F(GridCellListTest, CorruptFirstLinesFailAndLeaveTheGridAlone)
{
    Put({{"k", "l"}, {"m", "n"}});
    for (const char* First : {"x,2", "2", "200000,2", "2,20000000", "-1,2", "0,2", "2,0"}) {
        const String File = WriteFile("bad.txt", QByteArray(First) + "\r\n0,0,new\r\n");
        EXPECT_EQ(RaisedMessage([&] { G.LoadFromFile(File); }), "File contains no data or corrupt file " + File)
            << First;
        EXPECT_EQ(Texts(), QStringList({"k|l", "m|n"})) << First;
    }
}

TEST_F(GridCellListTest, CellLinesOutsideTheGridOrMalformedAreSkipped)
{
    Put({{"k", "l"}, {"m", "n"}});
    const String File = WriteFile("cells.txt", "2,2\r\n5,0,far\r\n0,9,low\r\n-1,0,neg\r\nx,1,bad\r\n0,1\r\ncw 9,10\r\n"
                                               "cw 1,x\r\n1,0,ok,with comma\r\n");
    G.LoadFromFile(File);
    EXPECT_EQ(Texts(), QStringList({"k|ok,with comma", "m|n"}));
}

TEST_F(GridCellListTest, AnEmptyFirstLineKeepsTheCounts)
{
    Put({{"k", "l"}});
    G.LoadFromFile(WriteFile("empty.txt", "\r\n0,0,z\r\n"));
    EXPECT_EQ(Texts(), QStringList({"z|l"}));
}

TEST_F(GridCellListTest, StreamIsUtf16WithRelativeIndexesAndEveryDisplayWidth)
{
    G.SetColCount(3);
    G.SetRowCount(3);
    G.SetSaveFixedCells(false);
    G.SetColWidths(0, 30);
    G.SetCells(2, 2, QStringLiteral("z"));
    TMemoryStream Stream;
    G.SaveToStream(&Stream);
    const QByteArray Bytes(static_cast<const char*>(Stream.Memory()), qsizetype(Stream.Size()));
    EXPECT_EQ(Bytes, Utf16("2,2\r\ncw 0,30\r\ncw 1,64\r\ncw 2,64\r\n1,1,z\r\n"));
}

TEST_F(GridCellListTest, StreamLoadStopsAtALineThatIsNoCell)
{
    Put({{"", "", ""}, {"", "", ""}});
    TMemoryStream Stream;
    const QByteArray Bytes = Utf16("1,1\r\ncw 1,20\r\n0,0,a\t\bb\r\n1,0,q\r\nrest,\r\nmore");
    Stream.WriteBuffer(Bytes.constData(), Integer(Bytes.size()));
    Stream.SetPosition(0);
    G.SetMultilinecells(QStringLiteral("1"));
    G.LoadFromStream(&Stream);
    EXPECT_EQ(G.ColCount(), 1);
    EXPECT_EQ(G.RowCount(), 1);
    EXPECT_EQ(G.ColWidths(0), 64);
    EXPECT_EQ(G.Cells(0, 0), "a\r\nb");
    EXPECT_EQ(Stream.Position(), Utf16("1,1\r\ncw 1,20\r\n0,0,a\t\bb\r\n1,0,q\r\n").size());
}

TEST_F(GridCellListTest, StreamCountsThatAreNoNumbersOrTooLargeRaise)
{
    for (const char* First : {"a,1", "1,99999999"}) {
        TMemoryStream Stream;
        const QByteArray Bytes = Utf16(QByteArray(First) + "\r\n");
        Stream.WriteBuffer(Bytes.constData(), Integer(Bytes.size()));
        Stream.SetPosition(0);
        EXPECT_FALSE(RaisedMessage([&] { G.LoadFromStream(&Stream); }).isEmpty()) << First;
    }
}

TEST_F(GridCellListTest, AssignCellsCopiesThroughTheStream)
{
    Put({{"a", "b"}, {"c", "d\r\ne"}});
    G.SetMultilinecells(QStringLiteral("1"));
    TExGridForm Other;
    Other.Grid->SetMultilinecells(QStringLiteral("1"));
    Other.Grid->AssignCells(&G);
    EXPECT_EQ(Other.Grid->ColCount(), 2);
    EXPECT_EQ(Other.Grid->Cells(1, 1), "d\r\ne");
}

TEST_F(GridCellListTest, ProgressFiresOnChangeWithoutProcessingEvents)
{
    Put({{"0"}, {"1"}, {"2"}, {"3"}, {"4"}});
    QList<SmallInt> Saved;
    G.OnFileProgress = [&](TObject*, SmallInt P) { Saved << P; };
    G.SaveToFile(Path("p.txt"));
    EXPECT_EQ(Saved, QList<SmallInt>({0, 25, 50, 75, 100}));

    bool Posted = false, RanDuringLoad = false;
    QTimer::singleShot(0, [&] { Posted = true; });
    QList<SmallInt> Loaded;
    G.OnFileProgress = [&](TObject*, SmallInt P) {
        Loaded << P;
        RanDuringLoad = RanDuringLoad || Posted;
    };
    G.LoadFromFile(Path("p.txt"));
    EXPECT_EQ(Loaded, QList<SmallInt>({0, 25, 50, 75, 100}));
    EXPECT_FALSE(RanDuringLoad);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Posted);
}

TEST(GridCellListNotes, ExportsTellStartRowsAndEnd)
{
    TForm Form(nullptr);
    TNotedGrid Grid(&Form);
    Grid.SetParent(&Form);
    Grid.SetFixedRows(0);
    Grid.SetFixedCols(0);
    Grid.SetColCount(1);
    Grid.SetRowCount(2);
    TMemoryStream Stream;
    Grid.SaveToStream(&Stream);
    EXPECT_EQ(Grid.Notes, QStringList({"0:0", "1:0", "1:1", "2:-1"}));
}
