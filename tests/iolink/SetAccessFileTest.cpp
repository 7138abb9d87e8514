// Reading and writing "IOLink_SetAccess.xml": its exact layout, the defaults
// of hand-edited files, ports beyond the device variant, a description file
// that has gone, and a file that is not well-formed.
#include "SetAccessTestEnv.h"

using namespace setaccess_test;

TEST(SetAccessFile, HandWrittenFileLoadsAndSavesByteForByte)
{
    TSetAccessEnv Env;
    CopyToProject(ValveFile);
    CopyToProject(SwitchFile);
    Env.WriteParGen(QStringLiteral("GV52303-A1-2A-2B"));
    const QByteArray Original = ReadBytes(testpaths::Fixture(QStringLiteral("iolink/SetAccess-4-ports.xml")));
    WriteBytes(File_IOLink_SetAccess, Original);

    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Load_Configuration());
    EXPECT_TRUE(Env.Messages.empty());

    // what the file set, as the channel objects hold it
    const TChannel_IOLink& P1 = Env.Ch(1);
    EXPECT_EQ(P1.Pin4Mode, QStringLiteral("IO-Link"));
    EXPECT_EQ(P1.TimeOut, QStringLiteral("30"));
    EXPECT_TRUE(P1.Get_Enable(QStringLiteral("64"), QString()));
    EXPECT_EQ(P1.Get_ReadTime(QStringLiteral("64"), QString()), QStringLiteral("250"));
    EXPECT_TRUE(P1.Get_On_Timer(QStringLiteral("64"), QString()));
    EXPECT_EQ(P1.Get_Value(QStringLiteral("72"), QStringLiteral("1")), QStringLiteral("18446744073709551615"));
    EXPECT_EQ(P1.PD_Get_Offset(true, QStringLiteral("PDI_Main"), QStringLiteral("3")), QStringLiteral("-273"));
    EXPECT_EQ(P1.PD_Get_Gradient(false, QStringLiteral("PDO_Main"), QString()), QStringLiteral("2"));
    EXPECT_EQ(P1.Event_List[0]->Mnemonic, QStringLiteral("Leak & <drip> \"A\""));
    EXPECT_EQ(Env.Ch(2).Pin4Mode, QStringLiteral("DIn"));
    EXPECT_EQ(Env.Ch(2).Get_Value(QStringLiteral("80"), QString()), QStringLiteral("1000"));
    EXPECT_TRUE(Env.Ch(3).IODD_File.isEmpty());
    EXPECT_EQ(Env.Ch(3).Pin2_In_Type, QStringLiteral("NPN (Pull UP)"));
    EXPECT_EQ(Env.Ch(4).ProcDataCondition, 2);
    EXPECT_EQ(Env.Ch(4).PD_List(true)->size(), 9u);

    ASSERT_TRUE(QFile::remove(File_IOLink_SetAccess));
    ASSERT_TRUE(Env.Core.Save_Configuration());
    ExpectSameBytes(ReadBytes(File_IOLink_SetAccess), Original);
}

TEST(SetAccessFile, EightPortsReadWithAFourPortVariantKeepFour)
{
    TSetAccessEnv Env;
    Env.Core.Create_Channels();
    ASSERT_EQ(Env.Core.Num_Channels, 8);
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(ValveFile)));
    ASSERT_TRUE(Env.Core.Insert_IODD_File(5, CatalogFile(SwitchFile)));
    for (auto& Ch : Env.Core.Channels)
        Ch->TimeOut = QStringLiteral("7");
    ASSERT_TRUE(Env.Core.Save_Configuration());
    EXPECT_EQ(ReadBytes(File_IOLink_SetAccess).count("<Channel>"), 8);

    Env.WriteParGen(QStringLiteral("GV52303-A1-4A"));
    TIO_Link_Set_Access_Core Four;
    Four.Create_Channels();
    ASSERT_TRUE(Four.Load_Configuration());
    ASSERT_EQ(Four.Num_Channels, 4);
    ASSERT_EQ(Four.Channels.size(), 4u);
    EXPECT_EQ(Four.Channels[0]->IODD_File, ValveFile);
    EXPECT_NE(Four.IODD_List[0], nullptr);
    EXPECT_EQ(Four.Channels[3]->TimeOut, QStringLiteral("7"));
    ASSERT_TRUE(Four.Save_Configuration());
    const QByteArray Saved = ReadBytes(File_IOLink_SetAccess);
    EXPECT_EQ(Saved.count("<Channel>"), 4);
    EXPECT_FALSE(Saved.contains(SwitchFile.toUtf8())) << "port 6 is gone with the variant";
}

TEST(SetAccessFile, HandEditedValuesLoadWithTheirDefaults)
{
    TSetAccessEnv Env;
    CopyToProject(ValveFile);
    Env.WriteParGen(QStringLiteral("GV52303-A1-2A"));
    WriteBytes(File_IOLink_SetAccess,
               ConfigFile("<Channel><IODD_File FileName=\"Fixture-Valve-IODD1.1.xml\"/>"
                          "<Variables>"
                          "<Variable Index=\"64\" Value=\"9\" Enable=\"true\"/>"   // no sub-index: the whole variable
                          "<Variable Index=\"70\" SubIndex=\"1\" Enable=\"True\" Position=\"abc\"/>"
                          "<Variable Index=\"99\" SubIndex=\"\" Value=\"dropped\" Enable=\"True\"/>"
                          "<!-- a comment is skipped -->"
                          "</Variables>"
                          "<ProcessData><ProcessDataIn><PD_Record VariableId=\"PDI_Main\"/></ProcessDataIn></ProcessData>"
                          "<Events><Event Code=\"6144\" Enable=\"True\"/><Event Code=\"abc\" Enable=\"True\"/>"
                          "<Event Code=\"99\" Enable=\"True\"/></Events></Channel>"
                          "<Channel><IODD_File FileName=\"\" Pin4Mode=\"DOut\" Pin4Pos=\"3\"/>"
                          "<Variables><Variable Index=\"64\" Enable=\"True\"/></Variables><Events/></Channel>"
                          "<Channel><IODD_File FileName=\"Fixture-Valve-IODD1.1.xml\" Pin4Mode=\"IO-Link\"/></Channel>"));
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Load_Configuration());
    EXPECT_TRUE(Env.Messages.empty());

    const TChannel_IOLink& P1 = Env.Ch(1);
    EXPECT_EQ(P1.Pin4Mode, QStringLiteral("Disable")) << "a missing mode";
    EXPECT_EQ(P1.ReadPin2, QStringLiteral("N"));
    EXPECT_EQ(P1.Pin2_Inv, QStringLiteral("N"));
    EXPECT_EQ(P1.Pin2_In_Type, QStringLiteral("None"));
    EXPECT_EQ(P1.Pin4_Inv, QStringLiteral("N"));
    EXPECT_TRUE(P1.Pin2_Pos.isEmpty());
    EXPECT_TRUE(P1.TimeOut.isEmpty());
    EXPECT_EQ(P1.Get_Value(QStringLiteral("64"), QString()), QStringLiteral("9"));
    EXPECT_FALSE(P1.Get_Enable(QStringLiteral("64"), QString())) << "only \"True\" sets a flag";
    EXPECT_TRUE(P1.Get_Enable(QStringLiteral("70"), QStringLiteral("1")));
    EXPECT_EQ(P1.Get_Position(QStringLiteral("70"), QStringLiteral("1")), QStringLiteral("abc"));
    EXPECT_EQ(P1.Get_Index(QStringLiteral("99"), QString()), -1);
    EXPECT_EQ(P1.ProcDataCondition, 0);
    // a record without values empties the item's values
    const TProcDataObjValue& First = *P1.PD_List(true)->front();
    EXPECT_TRUE(First.gradient.isEmpty());
    EXPECT_TRUE(First.position.isEmpty());
    ASSERT_EQ(P1.Event_List.size(), 3u);
    const TEventObjValue& Named = *P1.Event_List[P1.Event_Get_Index(6144)];
    EXPECT_TRUE(Named.Enable);
    EXPECT_EQ(Named.TimeOut, QStringLiteral("1000"));
    EXPECT_EQ(Named.Position, QStringLiteral("0"));
    EXPECT_EQ(Named.Bit, QStringLiteral("0"));
    EXPECT_EQ(Named.Mnemonic, QStringLiteral("0"));
    const TEventObjValue& Unnamed = *P1.Event_List[P1.Event_Get_Index(16912)];
    EXPECT_FALSE(Unnamed.Enable);
    EXPECT_EQ(Unnamed.TimeOut, QStringLiteral("0")) << "not in the file: as built";

    // no file name: no lists, whatever the channel holds
    EXPECT_EQ(Env.Ch(2).Pin4Mode, QStringLiteral("DOut"));
    EXPECT_TRUE(Env.Ch(2).Var_List.empty());
    EXPECT_EQ(Env.Core.IODD_List[1], nullptr);
    // the third channel is beyond the two ports
    ASSERT_EQ(Env.Core.Channels.size(), 2u);

    ASSERT_TRUE(Env.Core.Save_Configuration());
    const QByteArray Saved = ReadBytes(File_IOLink_SetAccess);
    EXPECT_TRUE(Saved.contains("<Channel><IODD_File FileName=\"\" Pin4Mode=\"DOut\" ReadPin2=\"N\" Pin2Pos=\"\" "
                               "Pin2Bit=\"\" Pin2Inv=\"N\" Pin2InType=\"None\" Pin2Mne=\"\" Pin4Pos=\"3\" Pin4Bit=\"\" "
                               "Pin4Inv=\"N\" Pin4Mne=\"\" TimeOut=\"\"/></Channel>"))
        << Saved.toStdString();
}

TEST(SetAccessFile, AutomaticPositionsWhileReadingFollowOneRunningCounter)
{
    struct TCase {
        const char* Name;
        QByteArray FirstChannelItems;
        Integer SecondStart;
    };
    // Port 1 builds its in list from 0 (ends at 4), its out list from there
    // (ends at 5) and its events from there (end at 6); a stored alternative
    // rebuilds the lists and leaves the counter at the end of the out list.
    const TCase Cases[] = {
        {"no stored process data", "", 6},
        {"stored process data", "<ProcessData><processDataCondition>0</processDataCondition></ProcessData>", 5},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TSetAccessEnv Env;
        CopyToProject(ValveFile);
        const QByteArray Port = "<Channel><IODD_File FileName=\"Fixture-Valve-IODD1.1.xml\" Pin4Mode=\"IO-Link\"/>";
        WriteBytes(File_IOLink_SetAccess, ConfigFile(Port + C.FirstChannelItems + "</Channel>" + Port + "</Channel>"));
        Env.Core.Create_Channels();
        ASSERT_TRUE(Env.Core.Load_Configuration());
        EXPECT_EQ(Env.Ch(1).PD_List(true)->front()->position, QStringLiteral("0"));
        EXPECT_EQ(Env.Ch(1).PD_List(false)->front()->position, QStringLiteral("4"));
        EXPECT_EQ(Env.Ch(2).PD_List(true)->front()->position, QString::number(C.SecondStart));
    }
}

TEST(SetAccessFile, ProcessDataInRecordsApplyByPositionWhileTheIdMatchesElseByKey)
{
    TSetAccessEnv Env;
    CopyToProject(ValveFile);
    const auto Record = [](const char* VarId, const char* Sub, const char* Pos) {
        return QByteArray("<PD_Record VariableId=\"") + VarId + "\" SubIndex=\"" + Sub + "\" Gradient=\"1\" Offset=\"0\""
               " UnitCode=\"\" Position=\"" + Pos + "\" Bit=\"0\"/>";
    };
    WriteBytes(File_IOLink_SetAccess,
               ConfigFile("<Channel><IODD_File FileName=\"Fixture-Valve-IODD1.1.xml\" Pin4Mode=\"IO-Link\"/>"
                          "<ProcessData><processDataCondition>0</processDataCondition><ProcessDataIn>"
                          + Record("PDI_Main", "4", "40")      // by position: item 1, whatever its sub-index
                          + Record("PDI_Other", "2", "99")     // another id at item 2: no match by key either
                          + Record("PDI_Main", "3", "30")      // item 3
                          + Record("PDI_Main", "1", "10")      // item 4
                          + Record("PDI_Main", "2", "20")      // beyond the list: by key, item 2
                          + "</ProcessDataIn><ProcessDataOut>" + Record("PDO_Main", "1", "50")   // no such key
                          + Record("PDO_Main", "", "60") + "</ProcessDataOut></ProcessData></Channel>"));
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Load_Configuration());
    const auto& In = *Env.Ch(1).PD_List(true);
    const char* Expected[] = {"40", "20", "30", "10"};
    for (std::size_t I = 0; I < 4; ++I)
        EXPECT_EQ(In[I]->position, QLatin1String(Expected[I])) << "item " << I + 1;
    EXPECT_EQ(Env.Ch(1).PD_List(false)->front()->position, QStringLiteral("60"));
}

TEST(SetAccessFile, PortWhoseDescriptionIsGoneKeepsItsStoredItemsUntilAnotherInsertion)
{
    TSetAccessEnv Env;
    CopyToProject(QStringLiteral("Broken-IODD1.1.xml"));
    const QByteArray Items =
        "<Variables><Variable Enable=\"True\" Index=\"64\" SubIndex=\"\" Value=\"5\" Extra=\"kept\"/></Variables>"
        "<ProcessData><processDataCondition>1</processDataCondition><ProcessDataIn><PD_Record VariableId=\"PDI\" "
        "Position=\"2\"/></ProcessDataIn></ProcessData><Events><Event Enable=\"True\" Code=\"6144\" "
        "Mnemonic=\"a &amp; b\"/></Events>";
    const auto Port = [&Items](const char* File) {
        return QByteArray("<Channel><IODD_File FileName=\"") + File
               + "\" Pin4Mode=\"IO-Link\" ReadPin2=\"N\" Pin2Pos=\"4\" Pin2Bit=\"0\" Pin2Inv=\"N\" Pin2InType=\"None\" "
                 "Pin2Mne=\"\" Pin4Pos=\"4\" Pin4Bit=\"1\" Pin4Inv=\"N\" Pin4Mne=\"\" TimeOut=\"\"/>"
               + Items + "</Channel>";
    };
    const QByteArray Original = ConfigFile(Port("Gone-IODD1.1.xml") + Port("Broken-IODD1.1.xml")
                                           + Port("../catalog/Fixture-Valve-IODD1.1.xml") + EmptyPortXml);
    Env.WriteParGen(QStringLiteral("GV52303-A1-4A"));
    WriteBytes(File_IOLink_SetAccess, Original);

    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Load_Configuration());
    const std::vector<TMessage> Warnings = Env.TakeMessages();
    ASSERT_EQ(Warnings.size(), 3u);
    for (const TMessage& M : Warnings)
        EXPECT_EQ(M.Kind, imkWarning);
    EXPECT_EQ(Warnings[0].Text,
              QStringLiteral("Channel #01: IODD file \"Gone-IODD1.1.xml\" not found; its settings are kept as stored"));
    EXPECT_TRUE(Warnings[1].Text.contains(QStringLiteral("Broken-IODD1.1.xml"))) << Warnings[1].Text.toStdString();
    // a name with a folder in it is not looked for outside the "IODD" folder
    EXPECT_EQ(Warnings[2].Text, QStringLiteral("Channel #03: IODD file \"../catalog/Fixture-Valve-IODD1.1.xml\" "
                                               "not found; its settings are kept as stored"));
    for (Integer Port = 1; Port <= 3; ++Port) {
        EXPECT_EQ(Env.Core.IODD_List[Port - 1], nullptr);
        EXPECT_TRUE(Env.Ch(Port).Var_List.empty());
        EXPECT_FALSE(Env.Ch(Port).IODD_File.isEmpty());
    }
    // the check does not ask for a file the port still names
    EXPECT_TRUE(Env.Core.Check_Configuration());

    ASSERT_TRUE(Env.Core.Save_Configuration());
    ExpectSameBytes(ReadBytes(File_IOLink_SetAccess), Original);

    // another description on the port drops what was kept
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(SwitchFile)));
    Env.Core.Delete_IODD(1);
    ASSERT_TRUE(Env.Core.Save_Configuration());
    const QByteArray Saved = ReadBytes(File_IOLink_SetAccess);
    EXPECT_EQ(Saved.count("Extra=\"kept\""), 1) << "only port 3 still keeps its items";
    EXPECT_TRUE(Saved.contains("<Variable Enable=\"False\" Index=\"80\""));
}

TEST(SetAccessFile, MalformedFileIsReportedAndNeverOverwritten)
{
    TSetAccessEnv Env;
    const QByteArray Malformed = "<IO-Link><IO-Link_Channels><Channel><IODD_File FileName=\"x.xml\"></Channel>";
    WriteBytes(File_IOLink_SetAccess, Malformed);
    Env.Core.Create_Channels();
    EXPECT_FALSE(Env.Core.Load_Configuration());
    EXPECT_TRUE(Env.Core.Load_Failed());
    const std::vector<TMessage> Load = Env.TakeMessages();
    ASSERT_EQ(Load.size(), 1u);
    EXPECT_EQ(Load[0].Kind, imkError);
    EXPECT_TRUE(Load[0].Text.contains(QStringLiteral("IOLink_SetAccess.xml"))) << Load[0].Text.toStdString();
    for (auto& Ch : Env.Core.Channels)
        EXPECT_TRUE(Ch->IODD_File.isEmpty());

    EXPECT_FALSE(Env.Core.Save_Configuration());
    EXPECT_FALSE(Env.Core.Check_And_Save());
    const std::vector<TMessage> Save = Env.TakeMessages();
    ASSERT_EQ(Save.size(), 2u);
    EXPECT_TRUE(Save[0].Text.startsWith(QStringLiteral("\"") + File_IOLink_SetAccess
                                        + QStringLiteral("\" could not be read and is not overwritten: ")))
        << Save[0].Text.toStdString();
    ExpectSameBytes(ReadBytes(File_IOLink_SetAccess), Malformed);

    // once the file reads again, saving works again
    WriteBytes(File_IOLink_SetAccess, ConfigFile(EmptyPortXml));
    Env.Core.Create_Channels();
    EXPECT_TRUE(Env.Core.Load_Configuration());
    EXPECT_TRUE(Env.Core.Save_Configuration());
    EXPECT_EQ(ReadBytes(File_IOLink_SetAccess).count("<Channel>"), 8);
}

// A file of another shape, or with a value no port can keep, would load as
// ports that lose their data and be written back so: it is reported and
// never overwritten.
TEST(SetAccessFile, FileOfAnotherShapeIsReportedAndNeverOverwritten)
{
    TSetAccessEnv Env;
    CopyToProject(ValveFile);
    const QByteArray Port = "<Channel><IODD_File FileName=\"Fixture-Valve-IODD1.1.xml\" Pin4Mode=\"IO-Link\"/>"
                            "<ProcessData><processDataCondition>0</processDataCondition></ProcessData></Channel>";
    struct TCase {
        const char* Name;
        QByteArray File;
        const char* Reason;
    };
    const TCase Cases[] = {
        {"wrapped in another root", "<Backup><IO-Link><IO-Link_Channels>" + Port + "</IO-Link_Channels></IO-Link></Backup>",
         "its root element is \"Backup\""},
        {"list renamed", "<IO-Link><Channels>" + Port + "</Channels></IO-Link>", "it has no \"IO-Link_Channels\""},
        {"mode in another letter case", ConfigFile(QByteArray(Port).replace("IO-Link\"", "io-link\"")),
         "channel #01 has the unknown Pin 4 mode \"io-link\""},
        {"mode of another product", ConfigFile(QByteArray(Port).replace("IO-Link\"", "Analog\"")),
         "unknown Pin 4 mode \"Analog\""},
        {"alternative that is no number", ConfigFile(QByteArray(Port).replace(">0<", ">x<")),
         "channel #01 names the process data alternative \"x\""},
        {"alternative the description lacks", ConfigFile(QByteArray(Port).replace(">0<", ">5<")),
         "process data alternative \"5\", which \"Fixture-Valve-IODD1.1.xml\" lacks"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        WriteBytes(File_IOLink_SetAccess, C.File);
        Env.Core.Create_Channels();
        EXPECT_FALSE(Env.Core.Load_Configuration());
        const std::vector<TMessage> Load = Env.TakeMessages();
        ASSERT_FALSE(Load.empty());
        EXPECT_EQ(Load.back().Kind, imkError);
        EXPECT_TRUE(Load.back().Text.contains(QString::fromUtf8(C.Reason))) << Load.back().Text.toStdString();
        EXPECT_FALSE(Env.Core.Save_Configuration());
        Env.TakeMessages();
        ExpectSameBytes(ReadBytes(File_IOLink_SetAccess), C.File);
    }
}

// Only "Channel" elements are ports: anything else between them shifts none.
TEST(SetAccessFile, OnlyChannelElementsArePorts)
{
    TSetAccessEnv Env;
    WriteBytes(File_IOLink_SetAccess,
               ConfigFile("<Note/><Channel><IODD_File FileName=\"\" Pin4Mode=\"DIn\" Pin4Pos=\"1\"/></Channel>"
                          "<!-- between --><Spare><IODD_File Pin4Mode=\"DOut\"/></Spare>"
                          "<Channel><IODD_File FileName=\"\" Pin4Mode=\"DOut\" Pin4Pos=\"2\"/></Channel>"));
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Load_Configuration());
    EXPECT_EQ(Env.Ch(1).Pin4Mode, QStringLiteral("DIn"));
    EXPECT_EQ(Env.Ch(1).Pin4_Pos, QStringLiteral("1"));
    EXPECT_EQ(Env.Ch(2).Pin4Mode, QStringLiteral("DOut"));
    EXPECT_EQ(Env.Ch(2).Pin4_Pos, QStringLiteral("2"));
    EXPECT_EQ(Env.Ch(3).Pin4Mode, QStringLiteral("Disable"));

    // An empty file holds nothing to lose: it reads as none and is replaced.
    WriteBytes(File_IOLink_SetAccess, QByteArray());
    Env.Core.Create_Channels();
    EXPECT_TRUE(Env.Core.Load_Configuration());
    EXPECT_TRUE(Env.Core.Save_Configuration());
    EXPECT_EQ(ReadBytes(File_IOLink_SetAccess).count("<Channel>"), 8);
}

TEST(SetAccessFile, NoFileLeavesEveryPortUnconfigured)
{
    TSetAccessEnv Env;
    Env.Core.Create_Channels();
    EXPECT_TRUE(Env.Core.Load_Configuration());
    EXPECT_FALSE(Env.Core.Load_Failed());
    for (auto& Ch : Env.Core.Channels) {
        EXPECT_TRUE(Ch->IODD_File.isEmpty());
        EXPECT_EQ(Ch->Pin4Mode, QStringLiteral("Disable"));
    }
    ASSERT_TRUE(Env.Core.Save_Configuration());
    QByteArray Eight;
    for (int I = 0; I < 8; ++I)
        Eight += EmptyPortXml;
    ExpectSameBytes(ReadBytes(File_IOLink_SetAccess), ConfigFile(Eight));
    EXPECT_TRUE(Env.Messages.empty());
}

TEST(SetAccessFile, PortsNamingTheSameFileShareOneDecodeAndEachGetsItsWarning)
{
    TSetAccessEnv Env;
    CopyToProject(ValveFile);
    CopyToProject(SwitchFile);
    CopyToProject(QStringLiteral("Broken-IODD1.1.xml"));
    Env.WriteParGen(QStringLiteral("GV52303-A1-4A"));
    WriteBytes(File_IOLink_SetAccess,
               ConfigFile(PortXml(ValveFile.toUtf8(), "IO-Link") + PortXml("Broken-IODD1.1.xml", "IO-Link")
                          + PortXml(ValveFile.toUtf8(), "IO-Link") + PortXml("Broken-IODD1.1.xml", "IO-Link")));
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Load_Configuration());
    const auto& List = Env.Core.IODD_List;
    ASSERT_NE(List[0], nullptr);
    EXPECT_EQ(List[0], List[2]);
    EXPECT_EQ(Env.Ch(1).Var_List.size(), Env.Ch(3).Var_List.size());
    const std::vector<TMessage> Warnings = Env.TakeMessages();
    ASSERT_EQ(Warnings.size(), 2u);
    for (const Integer Port : {2, 4}) {
        SCOPED_TRACE(Port);
        EXPECT_EQ(List[Port - 1], nullptr);
        EXPECT_FALSE(Env.Core.Description_Error(Port - 1).isEmpty());
        EXPECT_TRUE(Warnings[Port / 2 - 1].Text.startsWith(QStringLiteral("Channel #0%1").arg(Port)))
            << Warnings[Port / 2 - 1].Text.toStdString();
    }
    EXPECT_EQ(Env.Core.Description_Error(1), Env.Core.Description_Error(3));

    // a later load reads the files again
    const QString Broken = Env.Core.IODD_File_Path(QStringLiteral("Broken-IODD1.1.xml"));
    ASSERT_TRUE(QFile::remove(Env.Core.IODD_File_Path(ValveFile)));
    ASSERT_TRUE(QFile::remove(Broken));
    ASSERT_TRUE(QFile::copy(CatalogFile(SwitchFile), Broken));
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Load_Configuration());
    EXPECT_EQ(List[0], nullptr);
    EXPECT_NE(List[1], nullptr);
    EXPECT_EQ(List[1], List[3]);
}
