// The grid's XML list: the file written, field names, empty cells, the
// encoding, and reading files back with their attributes and levels.
#include "GridTextTestSupport.h"

namespace {

class ExGridXMLTest : public GridTextTest {
protected:
    QByteArray Saved(TStrings* Fields = nullptr, bool Empty = false)
    {
        G.SaveToXML(Path("s.xml"), "LIST", "ROW", Fields, Empty);
        return ReadFileBytes(Path("s.xml"));
    }
    void Load(const QByteArray& Bytes, bool LevelToRow = false, bool FieldNames = false)
    {
        G.LoadFromXML(WriteFile("l.xml", Bytes), LevelToRow, FieldNames);
    }
};

} // namespace

TEST_F(ExGridXMLTest, ARowIsARecordOfFieldsInCrLfLines)
{
    Put({{"a&b", "x"}});
    EXPECT_EQ(Saved(), QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST>\r\n<ROW>\r\n"
                                  "<FIELD0>a&amp;b</FIELD0>\r\n<FIELD1>x</FIELD1>\r\n</ROW>\r\n</LIST>\r\n"));
}

TEST_F(ExGridXMLTest, FieldNamesEmptyCellsAndRefusedNames)
{
    Put({{"1", "", "3"}});
    TStringList Names;
    Names.Add("A");
    Names.Add("B");
    EXPECT_TRUE(Saved(&Names).contains("<A>1</A>\r\n<FIELD2>3</FIELD2>\r\n"));
    EXPECT_TRUE(Saved(&Names, true).contains("<A>1</A>\r\n<B>\"\"</B>\r\n<FIELD2>3</FIELD2>\r\n"));
    G.SetQuoteEmptyCells(false);
    EXPECT_TRUE(Saved(&Names, true).contains("<B></B>"));

    Names.Add("no name");
    DeleteFile(Path("s.xml"));
    EXPECT_EQ(RaisedMessage([&] { Saved(&Names); }), "Invalid XML name: \"no name\"");
    EXPECT_FALSE(FileExists(Path("s.xml")));
}

TEST_F(ExGridXMLTest, TextIsWrittenInTheNamedEncodingWithReferencesForTheRest)
{
    Put({{"\xC3\xA9\xE2\x82\xAC<\"\x01"}});
    EXPECT_TRUE(Saved().contains("<FIELD0>\xE9&#8364;&lt;&quot;</FIELD0>"));
    G.SetXMLEncoding("UTF-8");
    const QByteArray Utf8 = Saved();
    EXPECT_TRUE(Utf8.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>"));
    EXPECT_TRUE(Utf8.contains("<FIELD0>\xC3\xA9\xE2\x82\xAC&lt;&quot;</FIELD0>"));
    G.SetXMLEncoding("NO-SUCH-CODE");
    DeleteFile(Path("s.xml"));
    EXPECT_ANY_THROW(Saved());
    EXPECT_FALSE(FileExists(Path("s.xml")));
}

TEST_F(ExGridXMLTest, EveryTextReadsBack)
{
    Put({{"a&b", "&lt;", "<x y=\"1\">", "\xC3\xA9", ""}});
    G.SetXMLEncoding("UTF-8");
    Saved(nullptr, true);
    Put({{"", "", "", "", ""}, {"", "", "", "", ""}});
    G.LoadFromXML(Path("s.xml"));
    EXPECT_EQ(Texts(), QStringList({"a&b|&lt;|<x y=\"1\">|\xC3\xA9|"}));
    // The old writer's ampersand.
    Load("<LIST><ROW><F>a$amp;b</F></ROW></LIST>");
    EXPECT_EQ(G.Cells(0, 0), "a&b");
}

TEST_F(ExGridXMLTest, ThreeRecordsFillThreeRowsOfTwoColumns)
{
    Put({{"", "", "", ""}});
    Load("<L><R><A>1</A><B>2</B></R><R><A>3</A><B>4</B></R><R><A>5</A><B>6</B></R></L>");
    EXPECT_EQ(G.ColCount(), 2);
    EXPECT_EQ(G.RowCount(), 3);
    EXPECT_EQ(Texts(), QStringList({"1|2", "3|4", "5|6"}));
}

TEST_F(ExGridXMLTest, FieldNamesGoIntoTheFixedRow)
{
    Put({{"", ""}, {"", ""}});
    G.SetFixedRows(1);
    Load("<L><R><A>1</A><B>2</B></R><R><A>3</A><B>4</B></R></L>", false, true);
    EXPECT_EQ(Texts(), QStringList({"A|B", "1|2", "3|4"}));
}

TEST_F(ExGridXMLTest, AttributesAndLevelsToRows)
{
    const QByteArray Record = "<L><R id=\"7\" k=\"a$amp;b\"><A>1</A><B>2</B></R></L>";
    Put({{""}});
    Load(Record);
    EXPECT_EQ(Texts(), QStringList({"7|a&b|1|2"}));
    G.Clear();
    Put({{""}, {""}});
    G.SetFixedRows(1);
    Load(Record, false, true);
    EXPECT_EQ(Texts(), QStringList({"id|k|A|B", "7|a&b|1|2"}));

    G.Clear();
    Put({{""}});
    G.SetSaveFixedCells(false);
    Load("<L><R id=\"7\"><A>1</A><B>2</B></R><R id=\"8\"><A>3</A><B>4</B></R></L>", true);
    // A record's attributes share the row of the record before's last
    // children: its children start one row further, indented by the level.
    EXPECT_EQ(Texts(), QStringList({"7||", "8|1|2", "|3|4"}));

    G.Clear();
    Put({{""}});
    Load("<L><G><A>1</A><B>2</B></G><G><A>3</A><B>4</B></G></L>", true);
    EXPECT_EQ(Texts(), QStringList({"1|2", "3|4"}));
}

TEST_F(ExGridXMLTest, MissingAndMalformedFiles)
{
    Put({{"keep"}});
    EXPECT_EQ(RaisedMessage([&] { G.LoadFromXML(Path("none.xml")); }), "XML file not found");
    EXPECT_EQ(RaisedMessage([&] { Load("<L>\n<R>\n<A>1</B>\n</R></L>"); }), "XMLDOM Parsing error 14 on line 3");
    EXPECT_EQ(RaisedMessage([&] { Load("<L></L><M/>"); }).left(21), "XMLDOM Parsing error ");
    EXPECT_EQ(G.Cells(0, 0), "keep");
}

TEST_F(ExGridXMLTest, HostileFilesEndWithAnErrorOrTheCellsReadNeverACrash)
{
    Put({{""}});
    QByteArray Deep = "<L>";
    for (int I = 0; I < 20000; ++I)
        Deep += "<a><b/>";
    Deep += "<c>x</c>";
    for (int I = 0; I < 20000; ++I)
        Deep += "</a>";
    Deep += "</L>";
    Load(Deep);
    EXPECT_LE(G.ColCount(), 1000000);

    Load("<!DOCTYPE L [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><L><R><A>&e;</A></R></L>");
    EXPECT_FALSE(G.Cells(0, 0).contains("root"));
}
