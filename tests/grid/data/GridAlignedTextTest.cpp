// Aligned text, fixed width, CellToReal and the end of every import.
#include "GridTextTestSupport.h"

#include "common/ScopedFormatSettings.h"
#include "rtl/Classes.h"
#include "rtl/Forms.h"

namespace {

class GridAlignedTextTest : public GridTextTest {
protected:
    // Column 0 right-aligned in row 0, column 1 centred.
    void PutAligned()
    {
        Put({{"ab", "x\r\nyyy", "c"}, {"abcde", "m", ""}});
        G.CellProperties(0, 0)->SetAlignment(taRightJustify);
        G.CellProperties(1, 0)->SetAlignment(taCenter);
        G.CellProperties(1, 1)->SetAlignment(taCenter);
    }
    QByteArray SavedASCII(bool Unicode = false)
    {
        G.SaveToASCII(Path("out.txt"), Unicode);
        return ReadFileBytes(Path("out.txt"));
    }
};

} // namespace

TEST_F(GridAlignedTextTest, ColumnsArePaddedAndAligned)
{
    PutAligned();
    EXPECT_EQ(SavedASCII(), QByteArray("   ab x c \r\nabcde m   \r\n"));
    G.SetMultilinecells(QStringLiteral("1"));
    EXPECT_EQ(SavedASCII(), QByteArray("   ab  x  c \r\n      yyy\r\nabcde  m    \r\n"));
    EXPECT_EQ(SavedASCII(true).left(6), QByteArray("\xFF\xFE \0 \0", 6));
}

TEST_F(GridAlignedTextTest, WidthsAreNotLimitedToOneByte)
{
    const String Long(300, u'w');
    Put({{"", "b"}, {"", "c"}});
    G.SetCells(0, 0, Long);
    EXPECT_EQ(SavedASCII(), (Long + QStringLiteral(" b \r\n") + String(301, u' ') + QStringLiteral("c \r\n")).toLatin1());
}

TEST_F(GridAlignedTextTest, AppendKeepsTheFile)
{
    Put({{"a"}});
    WriteFile("out.txt", "old\r\n");
    G.AppendToASCII(Path("out.txt"));
    EXPECT_EQ(ReadFileBytes(Path("out.txt")), QByteArray("old\r\na \r\n"));
}

TEST_F(GridAlignedTextTest, HiddenColumnsAreSavedAndTheCountAndCursorComeBackAfterAFailure)
{
    Put({{"a", "hid", "c"}});
    G.HideColumn(1);
    G.SetSaveHiddenCells(true);
    EXPECT_EQ(SavedASCII(), QByteArray("a hid c \r\n"));
    EXPECT_EQ(G.ColCount(), 2);
    Screen->SetCursor(crCross);
    const String Bad = Path("missing/out.txt");
    EXPECT_FALSE(RaisedMessage([&] { G.SaveToASCII(Bad); }).isEmpty());
    EXPECT_EQ(G.ColCount(), 2);
    EXPECT_EQ(Screen->Cursor(), crCross);
    Screen->SetCursor(crDefault);
}

TEST_F(GridAlignedTextTest, FixedWidthWritesTheGivenAndTheMeasuredWidths)
{
    Put({{"ab", "c"}, {"abcd", "ef\r\nlonger"}});
    TIntList Widths(0, 0);
    Widths.Add(3);
    G.SaveToFixed(Path("fixed.txt"), &Widths);
    EXPECT_EQ(ReadFileBytes(Path("fixed.txt")), QByteArray("ab c  \r\nabcef \r\n"));
    EXPECT_EQ(Widths.StrValue(), "3,3");
    EXPECT_EQ(RaisedMessage([&] { G.SaveToFixed(Path("missing/f.txt"), &Widths); }),
              "Cannot Create file " + Path("missing/f.txt"));
}

TEST_F(GridAlignedTextTest, FixedWidthReads)
{
    const String File = WriteFile("in.txt", "ab  cd  \r\n  e fgh \r\nlast\r\n");
    struct Case {
        const char* Positions;
        bool Trim;
        Integer MaxRows;
        QStringList Expected;
    };
    const std::vector<Case> Cases = {
        {"1,5,9", true, -1, {"ab|cd", "e|fgh", "last|"}},
        {"9,1,5", true, 2, {"ab|cd", "e|fgh"}},
        {"1,5,9", false, 1, {"ab  |cd  "}},
        {"1,50,60", true, -1, {"ab  cd|", "e fgh|", "last|"}},
        // Fields that overlap or start before the line.
        {"-3,2,100", true, -1, {"ab  c|b  cd", "e f|e fgh", "last|ast"}},
    };
    for (const Case& C : Cases) {
        Put({{""}});
        TIntList Positions(0, 0);
        Positions.SetStrValue(QString::fromLatin1(C.Positions));
        G.LoadFromFixed(File, &Positions, C.Trim, C.MaxRows);
        EXPECT_EQ(Texts().mid(0, C.Expected.size()), C.Expected) << C.Positions;
    }
    TIntList Positions(0, 0);
    Positions.SetStrValue(QStringLiteral("1,2"));
    EXPECT_EQ(RaisedMessage([&] { G.LoadFromFixed(Path("none.txt"), &Positions, true, -1); }),
              "File " + Path("none.txt") + " not found");
}

TEST_F(GridAlignedTextTest, CellToReal)
{
    TScopedFormatSettings Settings;
    Settings->DecimalSeparator = u'.';
    Settings->ThousandSeparator = u',';
    Put({{"", "12.5", "1,234.5", "(3)", "abc 7"}, {"1.2.3", "-", "1e", "abc", "x"}});
    const std::vector<Double> Numbers = {0, 12.5, 1234.5, -3, 7};
    for (Integer C = 0; C < 5; ++C)
        EXPECT_DOUBLE_EQ(G.CellToReal(C, 0), Numbers[std::size_t(C)]) << C;
    const QStringList Positions = {"4", "2", "3", "1", "1"};
    for (Integer C = 0; C < 5; ++C)
        EXPECT_EQ(RaisedMessage([&] { G.CellToReal(C, 1); }),
                  QStringLiteral("Error at position: %1 in Cell [%2, 1].").arg(Positions[C]).arg(C));
}

TEST_F(GridAlignedTextTest, EveryImportEndsWithTheChangeNotification)
{
    Put({{"a", "b"}, {"c", "d"}});
    G.SaveToFile(Path("own.txt"));
    G.SaveToCSV(Path("in.csv"));
    TMemoryStream Cells;
    G.SaveToStream(&Cells);
    TIntList Positions(0, 0);
    Positions.SetStrValue(QStringLiteral("1,2,3"));
    const std::vector<std::function<void()>> Imports = {
        [&] { G.LoadFromFile(Path("own.txt")); },
        [&] {
            Cells.SetPosition(0);
            G.LoadFromStream(&Cells);
        },
        [&] { G.LoadFromCSV(Path("in.csv")); },
        [&] { G.InsertFromCSV(Path("in.csv")); },
        [&] {
            TFileStream S(Path("in.csv"), fmOpenRead);
            G.LoadFromCSVStream(&S);
        },
        [&] { G.LoadFromFixed(Path("in.csv"), &Positions, true, -1); },
    };
    for (std::size_t I = 0; I < Imports.size(); ++I) {
        std::vector<TRect> Changed;
        G.OnCellsChanged = [&](TObject*, TRect R) { Changed.push_back(R); };
        Imports[I]();
        ASSERT_EQ(Changed.size(), 1u) << I;
        EXPECT_EQ(Changed[0], TRect(0, 0, G.ColCount(), G.RowCount())) << I;
    }
}
