// The EDE writer: the device settings of "ParGen.xml", the objects of
// "BACnet_Slave_SetAccess.xml", the columns and the code page of the file.
#include "DescriptionTestEnv.h"

#include "protocols/ethernet/UBACnet_EDE_File.h"

#include <QRegularExpression>

using namespace description_test;

namespace {

QByteArray Object(const char* Type, const char* Unit, const QByteArray& Mnemonic)
{
    return QByteArray("<row Data_Type=\"") + Type + "\" Eng_Unit=\"" + Unit +
           "\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"" + Mnemonic + "\"/>";
}

QByteArray ObjectFile(const QByteArray& Read, const QByteArray& Write)
{
    return "<BACnet_to_Modbus><BACnet_in_Read>" + Read + "</BACnet_in_Read><BACnet_in_Write>" + Write +
           "</BACnet_in_Write></BACnet_to_Modbus><!--SW_VERSION = 1.001-->";
}

const QByteArray Demo_Read = Object("Analog Value", "62", "TemperatureSensor01") +
                             Object(" analog value ", "95", "Valve") + Object("Binary Input", "95", "Door");
const QByteArray Demo_Write = Object("Analog Value", "98", "SetPoint") + Object("Foo", "0", "X");

class BACnetEDETest : public DescriptionTest {
protected:
    QList<QByteArray> Write(const QByteArray& Objects)
    {
        WriteBytes(File_BACnet_Slave_SetAccess, Objects);
        return WriteFile();
    }
    QList<QByteArray> WriteFile()
    {
        Write_EDE_File(Ede());
        return AnsiLines(Ede());
    }
    QString Ede() const { return Out(QStringLiteral("objects.csv")); }
};

} // namespace

TEST_F(BACnetEDETest, EveryRowBecomesALineWithItsTypeInstance)
{
    const QList<QByteArray> Lines = Write(ObjectFile(Demo_Read, Demo_Write));
    ASSERT_EQ(12, Lines.size());
    EXPECT_EQ("PROJECT_NAME; Tarnix--Demo;;;;;;", Lines[0]);
    EXPECT_EQ("VERSION_OF_REFERENCEFILE;1.0;;;;;;", Lines[1]);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^TIMESTAMP_OF_LAST_CHANGE;"
                                                  "([01]\\d|2[0-3]):[0-5]\\d:[0-5]\\d \\d\\d/\\d\\d/\\d{4};;;;;;$"))
                    .match(QString::fromLatin1(Lines[2]))
                    .hasMatch())
        << Lines[2].toStdString();
    const QList<QByteArray> Rest = Lines.mid(3);
    EXPECT_EQ((QList<QByteArray>{
                  "AUTHOR_OF_LAST_CHANGE;Tarnix;;;;;;",
                  "VERSION_OF_LAYOUT;2;;;;;;",
                  "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;",
                  "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;",
                  "_TemperatureSensor01_0;;TemperatureSenso;2;0;TemperatureSenso;62;",
                  "_Valve_1;;Valve;2;1;Valve;95;",
                  "_Door_0;;Door;3;0;Door;95;",
                  "_SetPoint_2;;SetPoint;2;2;SetPoint;98;",
                  "_X_0;;X;0;0;X;0;",
              }),
              Rest);
}

TEST_F(BACnetEDETest, TheTimeStampIsTheTimeOfWriting)
{
    const QStringList Lines = EDE_Lines(EncodeDate(2013, 1, 9) + EncodeTime(7, 5, 3, 0));
    ASSERT_EQ(7, Lines.size());
    EXPECT_EQ(QStringLiteral("TIMESTAMP_OF_LAST_CHANGE;07:05:03 09/01/2013;;;;;;"), Lines[2]);
}

TEST_F(BACnetEDETest, DeviceSettingsComeFromTheParameterFile)
{
    struct Case {
        QByteArray ParGen;
        QByteArray Line;
    };
    const Case Cases[] = {
        {"<Par_Gen><BACnet_Type>1</BACnet_Type><BACnet_Ser_DEV_IDE>5</BACnet_Ser_DEV_IDE>"
         "<BACnet_DEV_IDE>7</BACnet_DEV_IDE><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>",
         "5_TemperatureSensor01_0;5;TemperatureSensor01;2;0;TemperatureSensor01;62;"},
        {"<?xml version=\"1.0\"?><!-- before the root --><Par_Gen><BACnet_Type>0</BACnet_Type>"
         "<BACnet_Ser_DEV_IDE>5</BACnet_Ser_DEV_IDE><BACnet_DEV_IDE>7</BACnet_DEV_IDE></Par_Gen>",
         "7_TemperatureSensor01_0;7;TemperatureSenso;2;0;TemperatureSenso;62;"},
        {"<Par_Gen><BACnet_Type>one</BACnet_Type><BACnet_Ser_DEV_IDE>5</BACnet_Ser_DEV_IDE>"
         "<BACnet_Desc_Chars_Limit>2</BACnet_Desc_Chars_Limit></Par_Gen>",
         "_TemperatureSensor01_0;;TemperatureSenso;2;0;TemperatureSenso;62;"},
        {"<Par_Gen><BACnet_Type>1", "_TemperatureSensor01_0;;TemperatureSenso;2;0;TemperatureSenso;62;"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.ParGen.toStdString());
        WriteBytes(File_ParGen, C.ParGen);
        const QList<QByteArray> Lines = Write(ObjectFile(Demo_Read, Demo_Write));
        ASSERT_EQ(12, Lines.size());
        EXPECT_EQ(C.Line, Lines[7]);
    }
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

// Fields never shift or split the columns; the text is Windows-1252.
TEST_F(BACnetEDETest, FieldsKeepTheirColumnsAndCodePage)
{
    Name_Project = QStringLiteral("Pl;ant\u03A9");
    const QList<QByteArray> Lines = Write(ObjectFile(
        Object("Analog Input", "6;2", "Tank;Level&#13;&#10;High12345") +
            Object("analog input", "62", "\xC3\xA9\xE2\x82\xAC\xCE\xA9"),
        ""));
    ASSERT_EQ(9, Lines.size());
    EXPECT_EQ("PROJECT_NAME; Tarnix--Pl ant?;;;;;;", Lines[0]);
    EXPECT_EQ("_Tank Level  High12345_0;;Tank Level  High;0;0;Tank Level  High;6 2;", Lines[7]);
    EXPECT_EQ("_\xE9\x80?_1;;\xE9\x80?;0;1;\xE9\x80?;62;", Lines[8]);
}

TEST_F(BACnetEDETest, WithoutTheObjectFileOnlyTheHeaderIsWritten)
{
    EXPECT_EQ(7, WriteFile().size());
    EXPECT_EQ(7, Write(ObjectFile("", "")).size());
}

// A table file that lacks a section or a row attribute stops the writer:
// no file, the old one untouched, and an error naming the file.
TEST_F(BACnetEDETest, IncompleteObjectFilesWriteNothing)
{
    struct Case {
        QByteArray File;
        const char* Named;
    };
    const QByteArray No_Mnemonic = "<row Data_Type=\"Analog Value\" Eng_Unit=\"62\"/>";
    const QByteArray No_Unit = "<row Data_Type=\"Analog Value\" Mnemonic=\"A\"/>";
    const QByteArray No_Type = "<row Eng_Unit=\"62\" Mnemonic=\"A\"/>";
    const Case Cases[] = {
        {ObjectFile(Demo_Read + No_Mnemonic, ""), "Mnemonic"},
        {ObjectFile("", Demo_Write + No_Unit), "Eng_Unit"},
        {ObjectFile(No_Type, ""), "Data_Type"},
        {"<BACnet_to_Modbus><BACnet_in_Read/></BACnet_to_Modbus>", "BACnet_in_Write"},
        {"<BACnet_to_Modbus><BACnet_in_Write/></BACnet_to_Modbus>", "BACnet_in_Read"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Named);
        WriteBytes(Ede(), "old");
        WriteBytes(File_BACnet_Slave_SetAccess, C.File);
        Dialogs->Boxes.clear();
        Create_EDE_File(Ede());
        ASSERT_EQ(1u, Dialogs->Boxes.size());
        EXPECT_EQ(mtError, Dialogs->Boxes[0].DlgType);
        const String Text = Dialogs->Boxes[0].Text;
        EXPECT_TRUE(Text.contains(File_BACnet_Slave_SetAccess)) << Text.toStdString();
        EXPECT_TRUE(Text.contains(QLatin1String(C.Named))) << Text.toStdString();
        EXPECT_EQ("old", ReadBytes(Ede()));
    }
}

// Each of the nineteen types counts its own instances over both tables.
TEST_F(BACnetEDETest, ObjectTypesOfTheStandard)
{
    const std::pair<const char*, const char*> Types[] = {
        {"Analog Input", "0"},        {"Analog Out", "1"},           {"Analog Value", "2"},
        {"Binary Input", "3"},        {"Binary Out", "4"},           {"Binary Value", "5"},
        {"Multi State Input", "13"},  {"Multi State Output", "14"},  {"Multi State Value", "19"},
        {"Life Safety Point", "21"},  {"Life Safety Zone", "22"},    {"Accumulator", "23"},
        {"Access Door", "30"},        {"CharacterString Value", "40"}, {"DateTime Value", "44"},
        {"Integer Value", "45"},      {"Large Analog Value", "46"},  {"Octet String", "47"},
        {"Positive Integer Value", "48"}, {"", "0"},
    };
    QByteArray Read, Write;
    for (const auto& [Type, Number] : Types) {
        Read += Object(Type, "95", "r");
        Write += Object(Type, "95", "w");
    }
    const QList<QByteArray> Lines = this->Write(ObjectFile(Read, Write));
    const int N = int(std::size(Types));
    ASSERT_EQ(7 + 2 * N, Lines.size());
    for (int K = 0; K < N; ++K) {
        const QList<QByteArray> R = Lines[7 + K].split(';');
        const QList<QByteArray> W = Lines[7 + N + K].split(';');
        EXPECT_EQ(Types[K].second, R[3]) << Types[K].first;
        EXPECT_EQ(Types[K].second, W[3]) << Types[K].first;
        // Type 0 is met twice per table: "Analog Input" and the blank type.
        const int Zero = K == 0 ? 0 : K == N - 1 ? 1 : -1;
        EXPECT_EQ(QByteArray::number(Zero >= 0 ? Zero : 0), R[4]) << Types[K].first;
        EXPECT_EQ(QByteArray::number(Zero >= 0 ? Zero + 2 : 1), W[4]) << Types[K].first;
    }
}
