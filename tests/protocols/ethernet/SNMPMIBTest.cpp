// The MIB writer: the lists it reads from "SNMP_Trap.xml", the module it
// writes, the names it refuses, and a MIB compiler's view of the module.
#include "DescriptionTestEnv.h"

#include "common/TestPaths.h"
#include "protocols/ethernet/USNMP_MIB.h"

#include <QProcess>
#include <QStandardPaths>

using namespace description_test;

namespace {

// The table file, after a prolog that the reader skips.
QByteArray TrapFile(const QByteArray& Read, const QByteArray& Write)
{
    return "<?xml version=\"1.0\"?><!-- hand-written --><SNMP_Trap><SNMP_Trap_Read>" + Read +
           "</SNMP_Trap_Read><SNMP_Trap_Write>" + Write +
           "</SNMP_Trap_Write></SNMP_Trap><!--SW_VERSION = 1.000-->";
}

QByteArray Row(const char* Enable, const char* Type, const char* Description)
{
    QByteArray Text = "<row";
    if (Enable)
        Text += QByteArray(" Enable=\"") + Enable + '"';
    return Text + " Community_Name=\"Public\" Type=\"" + Type + "\" Description=\"" + Description + "\"/>";
}

// The lines every module holds, before the read objects.
const char* const Fixed_Head[] = {
    "GATEWAY DEFINITIONS ::= BEGIN",
    "IMPORTS",
    "       MODULE-IDENTITY,OBJECT-TYPE,NOTIFICATION-TYPE",
    "         FROM SNMPv2-SMI",
    "         DisplayString, TimeStamp",
    "         FROM SNMPv2-TC",
    "         enterprises",
    "         FROM RFC1155-SMI;",
    "",
    "identity MODULE-IDENTITY",
    "    LAST-UPDATED \"201701310000Z\"",
    "    ORGANIZATION \"Tarnix\"",
    "    CONTACT-INFO",
    "\t \"Example Street 1",
    "    00000 Example Town",
    "    Example Country",
    "    email:    example.com\"",
    "    DESCRIPTION",
    "\t\"MIB objects for agent module \"",
    "    REVISION     \"201701310000Z\"",
    "    DESCRIPTION",
    "\t\"Corrected notification \"",
    "    REVISION     \"200202060000Z\"",
    "    DESCRIPTION",
    "\t\"First draft\"",
    "    ::= { tarnix 2 }",
    "tarnix          OBJECT IDENTIFIER ::= { enterprises 32473 }",
    "gateway OBJECT IDENTIFIER::= { tarnix 1 }",
    "application OBJECT IDENTIFIER::= { gateway 1 }",
    "data OBJECT IDENTIFIER::= { application 1 }",
    "hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 1}",
    "countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 2}",
    "countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  DESCRIPTION \"\" ::= { data 3}",
    "bufferin OBJECT IDENTIFIER::= { data 4 }",
};

QList<QByteArray> Blocks(const char* Node, const char* Access)
{
    QList<QByteArray> Lines;
    for (int B = 1; B <= 8; ++B)
        Lines << QString::asprintf("%sblk%d OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS %s STATUS current "
                                   "DESCRIPTION \"data block n.%d\" ::= { %s %d }",
                                   Node, B, Access, B, Node, B)
                     .toLatin1();
    return Lines;
}

class SNMPMIBTest : public DescriptionTest {
protected:
    // The module written for this table file.
    QList<QByteArray> Write(const QByteArray& File)
    {
        WriteBytes(File_SNMP_Trap, File);
        return WriteLists();
    }
    QList<QByteArray> WriteLists()
    {
        Read_MIB_Lists();
        Write_MIB(Mib());
        return AnsiLines(Mib());
    }
    QString Mib() const { return Out(QStringLiteral("GATEWAY.mib")); }
};

} // namespace

TEST_F(SNMPMIBTest, EnabledRowsBecomeObjectsAndNotifications)
{
    const QList<QByteArray> Lines =
        Write(TrapFile(Row("Y", "Int", "temp") + Row("N", "Int", "off") + Row("y", "String", "") +
                           Row(nullptr, "Int", "noenable"),
                       Row("N", "Int", "w")));
    QList<QByteArray> Expected;
    for (const char* Line : Fixed_Head)
        Expected << Line;
    Expected << Blocks("bufferin", "read-only") << " bufferinval OBJECT IDENTIFIER::= { bufferin 9 }"
             << "temp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"temp\" ::= { "
                "bufferinval 1 }"
             << "bufferinval2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"\" "
                "::= { bufferinval 2 }"
             << "bufferout OBJECT IDENTIFIER::= { data 5 }" << Blocks("bufferout", "read-write")
             << " bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }" << "traps OBJECT IDENTIFIER::= { application 2 }"
             << " trapsval OBJECT IDENTIFIER::= { traps 1 }"
             << "trapval1 NOTIFICATION-TYPE OBJECTS { temp } STATUS current DESCRIPTION \"temp\" ::= { trapsval 1 }"
             << "trapval2 NOTIFICATION-TYPE OBJECTS { bufferinval2 } STATUS current DESCRIPTION \"\" ::= { trapsval 2 "
                "}"
             << "END";
    ASSERT_EQ(60, Lines.size());
    EXPECT_EQ(Expected, Lines);
    ASSERT_EQ(2, SL_MIB_Read.Count());
    EXPECT_EQ(QStringLiteral("temp"), SL_MIB_Read.Strings(0));
    EXPECT_EQ(String(), SL_MIB_Read.Strings(1));
    EXPECT_EQ(std::vector<Boolean>({true, false}), MIB_Type_Int.Read);
    EXPECT_TRUE(MIB_Type_Int.Write.empty());
}

TEST_F(SNMPMIBTest, WithoutTheTableFileOnlyTheFixedPartIsWritten)
{
    SL_MIB_Read.Add(QStringLiteral("stale"));
    const QList<QByteArray> Lines = WriteLists();
    ASSERT_EQ(56, Lines.size());
    EXPECT_EQ(0, SL_MIB_Read.Count());
    EXPECT_EQ(" bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }", Lines[52]);
    EXPECT_EQ("traps OBJECT IDENTIFIER::= { application 2 }", Lines[53]);
    EXPECT_EQ("END", Lines.last());
}

// More rows than the table window holds are written whole.
TEST_F(SNMPMIBTest, LongTablesAreWrittenWhole)
{
    QByteArray Read, Write;
    for (int K = 1; K <= 300; ++K) {
        Read += Row("Y", "Int", QByteArray("in" + QByteArray::number(K)).constData());
        Write += Row("Y", "String", QByteArray("out" + QByteArray::number(K)).constData());
    }
    const QList<QByteArray> Lines = this->Write(TrapFile(Read, Write));
    EXPECT_EQ(56 + 3 * 300, Lines.size());
    EXPECT_TRUE(Lines.contains("out300 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current "
                               "DESCRIPTION \"out300\" ::= { bufferoutval 300 }"));
    EXPECT_TRUE(Lines.contains("trapval300 NOTIFICATION-TYPE OBJECTS { in300 } STATUS current DESCRIPTION "
                               "\"in300\" ::= { trapsval 300 }"));
}

// A table file without one of its sections stops the writer; the old
// module stays.
TEST_F(SNMPMIBTest, AMissingSectionWritesNothing)
{
    WriteBytes(Mib(), "old");
    for (const QByteArray& File : {QByteArray("<SNMP_Trap><SNMP_Trap_Read>" + Row("Y", "Int", "a") +
                                              "</SNMP_Trap_Read></SNMP_Trap>"),
                                   QByteArray("<SNMP_Trap><SNMP_Trap_Write/></SNMP_Trap>")}) {
        WriteBytes(File_SNMP_Trap, File);
        try {
            Read_MIB_Lists();
            Write_MIB(Mib());
            ADD_FAILURE() << "no error for " << File.toStdString();
        } catch (const Exception& E) {
            EXPECT_TRUE(E.Message().contains(File_SNMP_Trap)) << E.Message().toStdString();
            EXPECT_TRUE(E.Message().contains(QStringLiteral("SNMP_Trap_"))) << E.Message().toStdString();
        }
        EXPECT_EQ("old", ReadBytes(Mib()));
    }
}

// Object names that would not make a valid module are refused before
// anything is written, naming the name.
TEST_F(SNMPMIBTest, NamesThatCannotStandInTheModuleAreRefused)
{
    const QByteArray Long64 = "a" + QByteArray(63, 'b');
    const QByteArray Long65 = Long64 + "c";
    struct Case {
        QByteArray Read;
        QByteArray Write;
        QByteArray Refused;   // empty: accepted
    };
    const Case Cases[] = {
        {Row("Y", "Int", "data"), "", "data"},
        {Row("Y", "Int", "traps"), "", "traps"},
        {Row("Y", "Int", "countin"), "", "countin"},
        {Row("Y", "Int", "enterprises"), "", "enterprises"},
        {Row("Y", "Int", "bufferinblk3"), "", "bufferinblk3"},
        {Row("Y", "Int", "trapval1"), "", "trapval1"},
        {Row("Y", "Int", "x") + Row("Y", "Int", "") + Row("Y", "Int", "bufferinval2"), "", "bufferinval2"},
        {Row("Y", "Int", "temp"), Row("Y", "Int", "temp"), "temp"},
        {"", Row("Y", "Int", "") + Row("Y", "Int", "bufferoutval1"), "bufferoutval1"},
        {Row("Y", "Int", "Temp"), "", "Temp"},
        {Row("Y", "Int", "1abc"), "", "1abc"},
        {Row("Y", "Int", "te-mp"), "", "te-mp"},
        {Row("Y", "Int", "te&quot;mp"), "", "te\"mp"},
        {Row("Y", "Int", Long65.constData()), "", Long65},
        {Row("Y", "Int", Long64.constData()), "", ""},
        {Row("Y", "Int", "temp") + Row("Y", "Int", "tEmp"), "", ""},
        {Row("Y", "Int", "trapval2"), "", ""},
        {Row("N", "Int", "data"), "", ""},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Read.toStdString() + " / " + C.Write.toStdString());
        WriteBytes(Mib(), "old");
        WriteBytes(File_SNMP_Trap, TrapFile(C.Read, C.Write));
        Read_MIB_Lists();
        if (C.Refused.isEmpty()) {
            EXPECT_NO_THROW(Write_MIB(Mib()));
            continue;
        }
        try {
            Write_MIB(Mib());
            ADD_FAILURE() << "accepted";
        } catch (const Exception& E) {
            EXPECT_EQ(QStringLiteral("Error!! The Description %1 cannot be used as a name in the MIB")
                          .arg(QString::fromUtf8(C.Refused)),
                      E.Message());
        }
        EXPECT_EQ("old", ReadBytes(Mib()));
    }
}

// A MIB compiler reads the module without a message. The distribution's
// compiler comes without the base modules; small ones of our own stand in.
TEST_F(SNMPMIBTest, AMibCompilerAcceptsTheModule)
{
    const QString Lint = QStandardPaths::findExecutable(QStringLiteral("smilint"));
    if (Lint.isEmpty())
        GTEST_SKIP() << "smilint is not installed";
    Write(TrapFile(Row("Y", "Int", "temp") + Row("Y", "String", "") + Row("Y", "Int", "level2"),
                   Row("Y", "Int", "setpoint") + Row("Y", "String", "")));
    const auto Messages = [&](const QString& File) {
        QProcess Process;
        QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
        Env.insert(QStringLiteral("SMIPATH"), testpaths::Fixture(QStringLiteral("mib")));
        Process.setProcessEnvironment(Env);
        Process.setWorkingDirectory(Out(QString()));
        Process.start(Lint, {QStringLiteral("-l"), QStringLiteral("3"), QStringLiteral("./") + File});
        EXPECT_TRUE(Process.waitForFinished(30000));
        return Process.readAllStandardOutput() + Process.readAllStandardError();
    };
    EXPECT_EQ(QByteArray(), Messages(QStringLiteral("GATEWAY.mib")));

    // The check can fail: a notification with the clauses of an object is
    // reported.
    QByteArray Broken = ReadBytes(Mib());
    Broken.replace("NOTIFICATION-TYPE OBJECTS { temp }", "NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only");
    WriteBytes(Out(QStringLiteral("BROKEN.mib")), Broken);
    EXPECT_NE(QByteArray(), Messages(QStringLiteral("BROKEN.mib")));
}
