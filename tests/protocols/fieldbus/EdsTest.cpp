// The CANopen EDS writer: whole files against hand-written ones, the PDO and
// manufacturer objects, the time stamp, and the table files it refuses.
#include "common/TestPaths.h"
#include "protocols/ethernet/DescriptionTestEnv.h"

#include "protocols/fieldbus/UEds.h"

#include <map>
#include <set>

using namespace description_test;

namespace {

class TFixedClock : public TEdsClock {
public:
    TDateTime At = EncodeDate(2026, 12, 8) + EncodeTime(12, 30, 0, 0);
    TDateTime Now() override { return At; }
};

QByteArray Pdo_Row(const QByteArray& COB_ID, const QByteArray& Dimension)
{
    return "<row COB-ID=\"" + COB_ID + "\" Dimension=\"" + Dimension +
           "\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\""
           " Address_B7=\"\" Address_B8=\"\" TimeOut=\"0\" Mnemonic=\"\"/>";
}

QByteArray Pdo_File(const QByteArray& Receive, const QByteArray& Transmit)
{
    return "<PDO_CANopen><Receive_PDO>" + Receive + "</Receive_PDO><Transmit_PDO>" + Transmit +
           "</Transmit_PDO></PDO_CANopen><!--SW_VERSION = 1.007-->";
}

QByteArray Sdo_Row(const QByteArray& Index, const QByteArray& Sub, const QByteArray& NByte)
{
    return "<row Index=\"" + Index + "\" SubIndex=\"" + Sub + "\" NByte=\"" + NByte +
           "\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"\"/>";
}

QByteArray Sdo_File(const QByteArray& Read, const QByteArray& Write)
{
    return "<SDO_Server_CANopen><SDO_Read>" + Read + "</SDO_Read><SDO_Write>" + Write +
           "</SDO_Write></SDO_Server_CANopen><!--SW_VERSION = 1.007-->";
}

QList<QByteArray> Expected_Lines(const char* Name)
{
    QList<QByteArray> Lines = ReadBytes(testpaths::Fixture(QStringLiteral("eds/") + QLatin1String(Name))).split('\n');
    Lines.removeLast();
    return Lines;
}

// The file as a strict INI reader takes it: every line a section, a key=value
// or empty; no section and no key of a section twice.
std::map<QByteArray, std::map<QByteArray, QByteArray>> Strict_Ini(const QList<QByteArray>& Lines)
{
    std::map<QByteArray, std::map<QByteArray, QByteArray>> Sections;
    std::map<QByteArray, QByteArray>* Current = nullptr;
    for (const QByteArray& Line : Lines) {
        if (Line.isEmpty())
            continue;
        if (Line.startsWith('[') && Line.endsWith(']')) {
            const QByteArray Name = Line.mid(1, Line.size() - 2);
            EXPECT_FALSE(Sections.count(Name)) << "section twice: " << Line.toStdString();
            Current = &Sections[Name];
            continue;
        }
        const qsizetype Equal = Line.indexOf('=');
        EXPECT_TRUE(Current && Equal > 0) << "no key line: " << Line.toStdString();
        if (!Current || Equal <= 0)
            continue;
        const QByteArray Key = Line.left(Equal);
        EXPECT_FALSE(Current->count(Key)) << "key twice: " << Line.toStdString();
        (*Current)[Key] = Line.mid(Equal + 1);
    }
    return Sections;
}

class EdsTest : public DescriptionTest {
protected:
    void SetUp() override
    {
        DescriptionTest::SetUp();
        SetEdsClock(&Clock);
    }
    void TearDown() override
    {
        SetEdsClock(nullptr);
        DescriptionTest::TearDown();
    }
    QList<QByteArray> Generate(const QString& Name = QStringLiteral("gateway.eds"))
    {
        Write_EDS_File(Out(Name));
        const QList<QByteArray> Lines = AnsiLines(Out(Name));
        Strict_Ini(Lines);
        return Lines;
    }
    std::map<QByteArray, std::map<QByteArray, QByteArray>> Sections() { return Strict_Ini(Generate()); }
    static void Expect_Same_Lines(const char* Expected_Name, const QList<QByteArray>& Actual)
    {
        const QList<QByteArray> Expected = Expected_Lines(Expected_Name);
        ASSERT_FALSE(Expected.isEmpty()) << Expected_Name;
        for (qsizetype I = 0; I < std::min(Expected.size(), Actual.size()); ++I)
            ASSERT_EQ(Expected[I], Actual[I]) << Expected_Name << " line " << I + 1;
        EXPECT_EQ(Expected.size(), Actual.size()) << Expected_Name;
    }

    TFixedClock Clock;
};

} // namespace

TEST_F(EdsTest, WithoutTableFilesOnlyTheFixedObjects)
{
    const QList<QByteArray> Lines = Generate();
    EXPECT_EQ(250, Lines.size());
    Expect_Same_Lines("no_tables.eds", Lines);
    EXPECT_TRUE(ReadBytes(Out(QStringLiteral("gateway.eds"))).endsWith("PDOMapping=0\r\n\r\n"));
}

TEST_F(EdsTest, WholeFilesOfPdosAndManufacturerObjects)
{
    WriteBytes(File_PDO_CANopen, Pdo_File(Pdo_Row("0x201", "2"), ""));
    Expect_Same_Lines("one_rx.eds", Generate());

    WriteBytes(File_PDO_CANopen, Pdo_File(Pdo_Row("0x201", "2"), Pdo_Row("$181", "1")));
    Expect_Same_Lines("rx_tx.eds", Generate());

    QFile::remove(File_PDO_CANopen);
    WriteBytes(File_SDO_Server_CANopen,
               Sdo_File(Sdo_Row("0x2000", "1", "2") + Sdo_Row("0x3000", "3", "1") + Sdo_Row("12288", "1", "1"),
                        Sdo_Row("0x2000", "0", "4") + Sdo_Row("0x2001", "10", "4")));
    Expect_Same_Lines("manufacturer.eds", Generate());
}

TEST_F(EdsTest, TheFileNameLineKeepsItsName)
{
    const QList<QByteArray> Lines = Generate(QStringLiteral("Other Name.EDS"));
    ASSERT_GT(Lines.size(), 1);
    EXPECT_EQ("FileName=CANopen_IOLink.eds", Lines[1]);
}

// The first 30 rows a direction count; lists, counts and objects agree.
TEST_F(EdsTest, ThirtyPdosADirectionAtMost)
{
    for (const int Rows : {30, 31}) {
        SCOPED_TRACE(Rows);
        QByteArray Receive, Transmit;
        for (int K = 0; K < Rows; ++K) {
            Receive += Pdo_Row(QByteArray::number(0x200 + K), "1");
            Transmit += Pdo_Row(QByteArray::number(0x180 + K), "1");
        }
        WriteBytes(File_PDO_CANopen, Pdo_File(Receive, Transmit));
        auto S = Sections();
        EXPECT_EQ("30", S["DeviceInfo"]["NrOfRXPDO"]);
        EXPECT_EQ("30", S["DeviceInfo"]["NrOfTXPDO"]);
        EXPECT_EQ("188", S["OptionalObjects"]["SupportedObjects"]);
        EXPECT_EQ(189u, S["OptionalObjects"].size());
        EXPECT_EQ("0x141D", S["OptionalObjects"]["38"]);
        EXPECT_EQ("0x706D", S["OptionalObjects"]["188"]);
        EXPECT_TRUE(S.count("706D"));
        EXPECT_FALSE(S.count("141E"));
        EXPECT_FALSE(S.count("706E"));
        EXPECT_EQ("av1", S["701Dsub1"]["ParameterName"]);
        EXPECT_EQ("cv1", S["706Dsub1"]["ParameterName"]);
        EXPECT_EQ("0x0000019D", S["181Dsub1"]["DefaultValue"]);
    }
}

TEST_F(EdsTest, PdoValuesThatAreNoNumberTakeTheirDefaults)
{
    WriteBytes(File_PDO_CANopen, Pdo_File(Pdo_Row("abc", "eight"), Pdo_Row("-1", "")));
    auto S = Sections();
    EXPECT_EQ("0x00000000", S["1400sub1"]["DefaultValue"]);
    EXPECT_EQ("9", S["1600"]["SubNumber"]);
    EXPECT_EQ("0x08", S["7000sub0"]["DefaultValue"]);
    EXPECT_EQ("0x70000808", S["1600sub8"]["DefaultValue"]);
    EXPECT_EQ("0xFFFFFFFF", S["1800sub1"]["DefaultValue"]);
    EXPECT_EQ("9", S["7050"]["SubNumber"]);
}

TEST_F(EdsTest, TimeStampsOfTheTwelveHourClock)
{
    const struct {
        int Hour, Minute;
        const char* Time;
    } Cases[] = {{12, 30, "12:30PM"}, {0, 15, "12:15AM"}, {13, 5, "01:05PM"}, {12, 0, "12:00PM"},
                 {11, 59, "11:59AM"}, {23, 7, "11:07PM"}, {1, 0, "01:00AM"}};
    for (const auto& C : Cases) {
        Clock.At = EncodeDate(2026, 12, 8) + EncodeTime(Word(C.Hour), Word(C.Minute), 0, 0);
        auto S = Sections();
        EXPECT_EQ(C.Time, S["FileInfo"]["CreationTime"]) << C.Hour << ":" << C.Minute;
        EXPECT_EQ(C.Time, S["FileInfo"]["ModificationTime"]);
        EXPECT_EQ("12-08-2026", S["FileInfo"]["CreationDate"]);
        EXPECT_EQ("12-08-2026", S["FileInfo"]["ModificationDate"]);
    }
    EXPECT_EQ(QStringLiteral("03-01-2027"), EDS_Date(EncodeDate(2027, 3, 1)));
}

// A sub-index named twice gives one section: size of its first row, rw
// when any of its rows is written; the counts see it once.
TEST_F(EdsTest, ASubIndexNamedTwiceIsOneEntry)
{
    WriteBytes(File_SDO_Server_CANopen,
               Sdo_File(Sdo_Row("0x2000", "1", "2") + Sdo_Row("0x2000", "1", "4") + Sdo_Row("0x2000", "3", "1"),
                        Sdo_Row("0x2000", "1", "1") + Sdo_Row("0x2000", "3", "1")));
    auto S = Sections();
    EXPECT_EQ("1", S["ManufacturerObjects"]["SupportedObjects"]);
    EXPECT_EQ("3", S["2000"]["SubNumber"]);
    EXPECT_EQ("0x03", S["2000sub0"]["DefaultValue"]);
    EXPECT_EQ("0x0006", S["2000sub1"]["DataType"]);
    EXPECT_EQ("rw", S["2000sub1"]["AccessType"]);
    EXPECT_EQ("rw", S["2000sub3"]["AccessType"]);

    WriteBytes(File_SDO_Server_CANopen, Sdo_File(Sdo_Row("0x2000", "1", "2") + Sdo_Row("0x2000", "1", "4"), ""));
    S = Sections();
    EXPECT_EQ("ro", S["2000sub1"]["AccessType"]);
    EXPECT_EQ("2", S["2000"]["SubNumber"]);
}

// N Byte keeps its low 8 bits; anything but 1 or 2 is UNSIGNED32.
TEST_F(EdsTest, TheByteCountChoosesTheDataType)
{
    WriteBytes(File_SDO_Server_CANopen,
               Sdo_File(Sdo_Row("0x2000", "1", "1") + Sdo_Row("0x2000", "2", "258") + Sdo_Row("0x2000", "3", "3") +
                            Sdo_Row("0x2000", "4", "-1"),
                        Sdo_Row("0x2000", "5", "0x7FFFFFFF")));
    auto S = Sections();
    EXPECT_EQ("0x0005", S["2000sub1"]["DataType"]);
    EXPECT_EQ("0x0006", S["2000sub2"]["DataType"]);
    EXPECT_EQ("0x0007", S["2000sub3"]["DataType"]);
    EXPECT_EQ("0x0007", S["2000sub4"]["DataType"]);
    EXPECT_EQ("0x0007", S["2000sub5"]["DataType"]);
    EXPECT_EQ("0xFFFFFFFF", S["2000sub5"]["HighLimit"]);
}

// A table file at fault stops the generation: an error naming the file
// (and the row), no file written, an old one byte for byte as it was.
TEST_F(EdsTest, TableFilesAtFaultWriteNothing)
{
    const QByteArray Good_Sdo = Sdo_File(Sdo_Row("0x2000", "1", "1"), "");
    const struct {
        QByteArray Pdo;
        QByteArray Sdo;
        const char* Named;
    } Cases[] = {
        {"<PDO_CANopen><Receive_PDO/></PDO_CANopen>", Good_Sdo, "Transmit_PDO"},
        {"<PDO_CANopen><Transmit_PDO/></PDO_CANopen>", Good_Sdo, "Receive_PDO"},
        {Pdo_File("<row COB-ID=\"1\"/>", ""), Good_Sdo, "Dimension"},
        {Pdo_File("", Pdo_Row("1", "1") + "<row Dimension=\"1\"/>"), Good_Sdo, "COB-ID"},
        {Pdo_File(Pdo_Row("1", "9"), ""), Good_Sdo, "row 1"},
        {Pdo_File(Pdo_Row("1", "1") + Pdo_Row("1", "0"), ""), Good_Sdo, "row 2"},
        {"<PDO_CANopen><Receive_PDO>", Good_Sdo, ""},
        {"", "<SDO_Server_CANopen><SDO_Read/></SDO_Server_CANopen>", "SDO_Write"},
        {"", Sdo_File("<row Index=\"0x2000\" SubIndex=\"1\"/>", ""), "NByte"},
        {"", Sdo_File("", Sdo_Row("0x2000", "one", "1")), "SubIndex"},
        {"", Sdo_File(Sdo_Row("0x2000", "1", "1") + Sdo_Row("0x1FFF", "1", "1"), ""), "row 2"},
        {"", Sdo_File("", Sdo_Row("0x6000", "1", "1")), "row 1"},
        {"", Sdo_File(Sdo_Row("0x12000", "0", "1"), ""), "row 1"},
        {"", Sdo_File(Sdo_Row("0x2000", "256", "1"), ""), "row 1"},
        {"", Sdo_File(Sdo_Row("0x2000", "-1", "1"), ""), "row 1"},
        {"", Sdo_File(Sdo_Row("0x2000", "1", "4 bytes"), ""), "NByte"},
        {"", "<SDO_Server_CANopen><SDO_Read><row", ""},
    };
    const QString Target = Out(QStringLiteral("gateway.eds"));
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Pdo.toStdString() + " / " + C.Sdo.toStdString());
        QFile::remove(File_PDO_CANopen);
        QFile::remove(File_SDO_Server_CANopen);
        if (!C.Pdo.isEmpty())
            WriteBytes(File_PDO_CANopen, C.Pdo);
        WriteBytes(File_SDO_Server_CANopen, C.Sdo);
        // The cases of an SDO server file at fault come without a PDO file.
        const String Faulty = C.Pdo.isEmpty() ? File_SDO_Server_CANopen : File_PDO_CANopen;

        QFile::remove(Target);
        Dialogs->Boxes.clear();
        Create_EDS_File(Target);
        EXPECT_FALSE(QFile::exists(Target));
        ASSERT_EQ(1u, Dialogs->Boxes.size());
        EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
        const String Text = Dialogs->Boxes[0].Text;
        EXPECT_TRUE(Text.contains(Faulty)) << Text.toStdString();
        EXPECT_TRUE(Text.contains(QLatin1String(C.Named))) << Text.toStdString();

        WriteBytes(Target, "old\r\n");
        EXPECT_THROW(Write_EDS_File(Target), Exception);
        EXPECT_EQ("old\r\n", ReadBytes(Target));
    }
}
