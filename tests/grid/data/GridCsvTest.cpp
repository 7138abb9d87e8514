// CSV writing and reading.
#include "GridTextTestSupport.h"

#include "rtl/Classes.h"

#include <set>

namespace {

class GridCsvTest : public GridTextTest {
protected:
    QByteArray Saved(bool Unicode = false)
    {
        G.SaveToCSV(Path("out.csv"), Unicode);
        return ReadFileBytes(Path("out.csv"));
    }
    void Load(const QByteArray& Bytes, Integer MaxRows = 0) { G.LoadFromCSV(WriteFile("in.csv", Bytes), MaxRows); }
};

} // namespace

TEST_F(GridCsvTest, WritesCommasQuotesEmptyAndTwoLineCells)
{
    Put({{"a,b", "say \"hi\"", "", "x\r\ny"}, {"plain", "1", "2", "3"}});
    EXPECT_EQ(Saved(), QByteArray("\"a,b\",\"say \"\"hi\"\"\",\"\",\"x\x0By\"\r\nplain,1,2,3\r\n"));
}

TEST_F(GridCsvTest, WritingSettings)
{
    struct Case {
        const char* Name;
        std::function<void(TExStringGrid&)> Set;
        QByteArray Expected;
    };
    const std::vector<Case> Cases = {
        {"AlwaysQuotes", [](TExStringGrid& T) { T.SetAlwaysQuotes(true); },
         "\"a,b\",\"\",\"x\ny\",\"q\"\"\"\r\n"},
        {"JavaCSV", [](TExStringGrid& T) { T.SetJavaCSV(true); }, "a,b,^,x~y,\"q\"\"\"\r\n"},
        {"QuoteEmptyCells off", [](TExStringGrid& T) { T.SetQuoteEmptyCells(false); },
         "\"a,b\",,\"x\x0By\",\"q\"\"\"\r\n"},
        {"Delimiter", [](TExStringGrid& T) { T.SetDelimiter(u';'); }, "a,b;\"\";\"x\x0By\";\"q\"\"\"\r\n"},
    };
    for (const Case& C : Cases) {
        G.SetAlwaysQuotes(false);
        G.SetJavaCSV(false);
        G.SetQuoteEmptyCells(true);
        G.SetDelimiter(Char(0));
        Put({{"a,b", "", "x\r\ny", "q\""}});
        C.Set(G);
        EXPECT_EQ(Saved(), C.Expected) << C.Name;
    }
}

TEST_F(GridCsvTest, EncodingsAndOemConversionBothWays)
{
    Put({{"\xC3\xA9", "b"}});
    EXPECT_EQ(Saved(), QByteArray("\xE9,b\r\n"));
    EXPECT_EQ(Saved(true), QByteArray("\xEF\xBB\xBF\xC3\xA9,b\r\n"));
    G.SetOemConvert(true);
    EXPECT_EQ(Saved(), QByteArray("\x82,b\r\n"));
    G.SetCells(0, 0, String());
    G.LoadFromCSV(Path("out.csv"));
    EXPECT_EQ(G.Cells(0, 0), String::fromUtf8("\xC3\xA9"));
}

TEST_F(GridCsvTest, AppendKeepsTheLinesOfTheFile)
{
    Put({{"a", "b"}});
    WriteFile("out.csv", "old\r\n");
    G.AppendToCSV(Path("out.csv"));
    EXPECT_EQ(ReadFileBytes(Path("out.csv")), QByteArray("old\r\na,b\r\n"));
}

TEST_F(GridCsvTest, DelimiterDetection)
{
    const std::vector<std::pair<QByteArray, QStringList>> Cases = {
        // Same counts of ";" and "," in both lines: the earlier candidate.
        {"a;b,c\r\nd;e,f\r\n", {"a;b|c|", "d;e|f|"}},
        // One line: the candidate with most occurrences.
        {"a;b;c,d\r\n", {"a|b|c,d"}},
        // Counts that differ: the most in either line.
        {"a|b\r\nc|d|e\r\n", {"a|b|", "c|d|e"}},
        // None: each line is one field.
        {"a b\r\n", {"a b||"}},
    };
    for (const auto& [Bytes, Expected] : Cases) {
        Put({{"", "", ""}});
        Load(Bytes);
        EXPECT_EQ(Texts(), Expected) << Bytes.constData();
        EXPECT_EQ(G.Delimiter(), Char(0));
    }
}

TEST_F(GridCsvTest, ReadsQuotesLeadingBlanksAndLineBreakCodes)
{
    Put({{"", "", "", ""}});
    Load("  \"a,b\" ,  c,\"say \"\"hi\"\"\",d\r\n\"x\x0By\",e~f,^,\"last\"\r\n");
    EXPECT_EQ(Texts(), QStringList({"a,b|c|say \"hi\"|d", "x\r\ny|e~f|^|last"}));
    G.SetJavaCSV(true);
    Load("e~f,^,g\r\n");
    EXPECT_EQ(G.Cells(0, 0), "e\r\nf");
    EXPECT_EQ(G.Cells(1, 0), "");
}

TEST_F(GridCsvTest, LineEndingWithTheDelimiterLeavesTheLastCell)
{
    Put({{"o", "o", "o"}});
    Load("a,b,\r\n");
    EXPECT_EQ(Texts(), QStringList({"a|b|o"}));
}

TEST_F(GridCsvTest, FirstRowOffAndMaxRows)
{
    Put({{"", ""}});
    G.SetLoadFirstRow(false);
    Load("h1,h2\r\na,b\r\nc,d\r\ne,f\r\n", 2);
    EXPECT_EQ(Texts(), QStringList({"a|b", "c|d"}));
}

TEST_F(GridCsvTest, InsertGoesBehindTheLastRow)
{
    Put({{"k", "l"}, {"m", "n"}});
    G.InsertFromCSV(WriteFile("in.csv", "a,b,c\r\nd,e\r\n"));
    EXPECT_EQ(Texts(), QStringList({"k|l|", "m|n|", "a|b|c", "d|e|"}));
}

TEST_F(GridCsvTest, ImportsKeepTheFloatingFooterRowLast)
{
    for (const bool Insert : {true, false}) {
        Put({{"k", "l"}, {"m", "n"}, {"F", "G"}});
        G.FloatingFooter()->SetEnableCalculation(false);
        G.FloatingFooter()->SetVisible(true);
        const String File = WriteFile("in.csv", "a,b\r\nc,d\r\n");
        Insert ? G.InsertFromCSV(File) : G.LoadFromCSV(File);
        EXPECT_EQ(Texts(), Insert ? QStringList({"k|l", "m|n", "a|b", "c|d", "F|G"})
                                  : QStringList({"a|b", "c|d", "F|G"}));
        G.FloatingFooter()->SetVisible(false);
    }
}

TEST_F(GridCsvTest, GrowsByAThousandRowsAndEndsWithTheRowsNeeded)
{
    Put({{""}, {""}, {""}, {""}, {""}, {""}, {""}, {""}, {""}, {""}});
    G.SetFixedFooters(1);
    QByteArray Bytes;
    for (int I = 0; I < 2500; ++I)
        Bytes += "v" + QByteArray::number(I) + "\r\n";
    std::set<Integer> Counts;
    G.OnLoadCell = [&](TObject*, Integer, Integer, String&) { Counts.insert(G.RowCount()); };
    Load(Bytes);
    EXPECT_EQ(Counts, std::set<Integer>({10, 1009, 2008, 3007}));
    EXPECT_EQ(G.RowCount(), 2501);
    EXPECT_EQ(G.FMaxRowCount, 2501);
    EXPECT_EQ(G.Cells(0, 2499), "v2499");
}

TEST_F(GridCsvTest, ProgressByLinesFiresOnChange)
{
    Put({{""}});
    QList<SmallInt> Seen;
    G.OnFileProgress = [&](TObject*, SmallInt P) { Seen << P; };
    Load("a\r\nb\r\nc\r\n");
    EXPECT_EQ(Seen, QList<SmallInt>({33, 67, 100}));
    EXPECT_EQ(G.RowCount(), 3);
}

TEST_F(GridCsvTest, EmptyFileChangesNothingAndAnEmptyStreamRaises)
{
    Put({{"k", "l"}});
    Integer Changes = 0;
    G.OnCellsChanged = [&](TObject*, TRect) { ++Changes; };
    Load(QByteArray());
    EXPECT_EQ(Texts(), QStringList({"k|l"}));
    EXPECT_EQ(Changes, 0);
    TMemoryStream Empty;
    EXPECT_EQ(RaisedMessage([&] { G.LoadFromCSVStream(&Empty); }), "File is empty");
    EXPECT_EQ(RaisedMessage([&] { Load("\xEF\xBB\xBF"); }), "File is empty");
}

TEST_F(GridCsvTest, QuotedLineBreaksReadBack)
{
    for (const bool Always : {false, true}) {
        Put({{"x\r\ny", "p"}, {"say \"a\r\nb\"", "q"}, {"a,\"b\r\nc", "r"}});
        G.SetAlwaysQuotes(Always);
        G.SaveToCSV(Path("out.csv"));
        TExGridForm Other;
        Other.Grid->LoadFromCSV(Path("out.csv"));
        for (Integer R = 0; R < 3; ++R)
            for (Integer C = 0; C < 2; ++C)
                EXPECT_EQ(Other.Grid->Cells(C, R), G.Cells(C, R)) << Always << " " << C << "," << R;
        EXPECT_EQ(Other.Grid->RowCount(), 3);
    }
}

TEST_F(GridCsvTest, HostileFilesGiveTheCellsThatCanBeRead)
{
    Put({{""}});
    // An unclosed quote takes the rest of the file into one record.
    Load("\"open,b\r\nc,d\r\n");
    EXPECT_EQ(G.RowCount(), 1);
    EXPECT_EQ(G.Cells(2, 0), "d");
    Load(QByteArray("a\0b,c\r\n", 7));
    EXPECT_EQ(G.Cells(0, 0), QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
    Load("\"\"\"\r\n\",\r\n");
    QByteArray Wide;
    for (int I = 0; I < 100000; ++I)
        Wide += "x,";
    Load(Wide + "end\r\n");
    EXPECT_EQ(G.ColCount(), 100001);
    EXPECT_EQ(G.Cells(100000, 0), "end");
}
