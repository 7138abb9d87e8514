// Database tables into the grid: the loading rules through a source of the
// tests' own, the messages of bad files, and the published Access files.
#include "GridTextTestSupport.h"

#include "common/TestPaths.h"
#include "platform/TableSource.h"

#include <QDir>

namespace {

class TListSource : public platform::ITableSource {
public:
    TListSource(QStringList Names, qint64 Count, std::vector<std::vector<platform::TFieldValue>> Rows)
        : FNames(std::move(Names)), FCount(Count), FRows(std::move(Rows))
    {
    }
    QStringList FieldNames() const override { return FNames; }
    qint64 RecordCount() const override { return FCount; }
    bool Next(std::vector<platform::TFieldValue>& Values) override
    {
        if (FNext >= FRows.size())
            return false;
        Values = FRows[FNext++];
        return true;
    }

private:
    QStringList FNames;
    qint64 FCount;
    std::vector<std::vector<platform::TFieldValue>> FRows;
    size_t FNext = 0;
};

class GridTableSourceTest : public GridTextTest {
protected:
    void TearDown() override { platform::SetTableSourceOpener(nullptr); }
    // The next load reads Rows (fields "id", "name") with the given count.
    void Serve(qint64 Count, std::vector<std::vector<platform::TFieldValue>> Rows)
    {
        platform::SetTableSourceOpener([=](const String&, const String&, bool) {
            return std::make_unique<TListSource>(QStringList{"id", "name"}, Count, Rows);
        });
    }
    void Fixed()
    {
        Put({{"h", "h", "h", "h"}, {"x", "x", "x", "x"}, {"y", "y", "y", "y"}});
        G.SetFixedRows(1);
        G.SetFixedCols(1);
    }
};

const std::vector<std::vector<platform::TFieldValue>> TwoRows{{{"1", false}, {"Ann", false}},
                                                              {{"2", false}, {"", true}}};

} // namespace

TEST_F(GridTableSourceTest, FieldNamesInTheLastFixedRowAndRowsFromTheCount)
{
    Fixed();
    Serve(2, TwoRows);
    G.LoadFromMDBTable("any.mdb", "People");
    EXPECT_EQ(G.ColCount(), 3);
    EXPECT_EQ(Texts(), (QStringList{"h|id|name", "x|1|Ann", "y|2|"}));
}

TEST_F(GridTableSourceTest, UnknownCountGrowsTheGridRowByRow)
{
    Fixed();
    G.SetRowCount(2);
    Serve(-1, TwoRows);
    G.LoadFromMDBSQL("any.mdb", "SELECT * FROM People");
    // The grown row shows what the store kept beyond the old count.
    EXPECT_EQ(G.RowCount(), 3);
    EXPECT_EQ(Texts(), (QStringList{"h|id|name", "x|1|Ann", "y|2|"}));
}

TEST_F(GridTableSourceTest, EmptyResultKeepsRowCountAndOtherCells)
{
    Fixed();
    Serve(-1, {});
    G.LoadFromMDBSQL("any.mdb", "SELECT * FROM People WHERE 0");
    EXPECT_EQ(Texts(), (QStringList{"h|id|name", "x|x|x", "y|y|y"}));
}

TEST_F(GridTableSourceTest, MissingAndForeignFilesNameTheFile)
{
    const String Missing = Path("missing.mdb");
    EXPECT_TRUE(RaisedMessage([&] { G.LoadFromMDBTable(Missing, "T"); }).contains(Missing));
    const String Text = WriteFile("text.mdb", QByteArray(8192, 'x'));
    const String Message = RaisedMessage([&] { G.LoadFromMDBTable(Text, "T"); });
    EXPECT_TRUE(Message.contains(Text)) << Message.toStdString();
    EXPECT_TRUE(Message.contains("no Access database")) << Message.toStdString();
}

// Every table of the published Access files loads with its field names and
// record count.
TEST_F(GridTableSourceTest, PublishedAccessFiles)
{
    const QDir Dir(testpaths::SharedData() + "/mdb");
    if (testpaths::SharedData().isEmpty() || !Dir.exists())
        GTEST_SKIP() << "no published Access files";
    const QStringList Files = Dir.entryList({"*.mdb"}, QDir::Files);
    ASSERT_FALSE(Files.isEmpty());
    const String File = Dir.filePath(Files.first());
    EXPECT_TRUE(RaisedMessage([&] { G.LoadFromMDBTable(File, "No Such Table"); }).contains("No Such Table"));
    auto Source = platform::OpenAccessTable(File, "Customers");
    G.SetFixedRows(1);
    G.SetFixedCols(0);
    G.LoadFromMDBTable(File, "Customers");
    EXPECT_EQ(G.RowCount(), 1 + Source->RecordCount());
    EXPECT_EQ(G.Cells(0, 0), Source->FieldNames().first());
    EXPECT_GT(Source->RecordCount(), 0);
}
