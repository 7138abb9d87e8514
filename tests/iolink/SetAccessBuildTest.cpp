// Ports of the device variant, inserting and deleting descriptions, and the
// automatic positions of process data, pins and events.
#include "SetAccessTestEnv.h"

using namespace setaccess_test;

namespace {

// One process-data item as (SubIndex, position, bit).
struct TPlace {
    const char* SubIndex;
    Integer Position;
    Integer Bit;
};

void ExpectPlaces(const TChannelObjList<TProcDataObjValue>* List, std::initializer_list<TPlace> Places)
{
    ASSERT_NE(List, nullptr);
    ASSERT_EQ(List->size(), Places.size());
    std::size_t I = 0;
    for (const TPlace& P : Places) {
        const TProcDataObjValue& Item = *(*List)[I++];
        SCOPED_TRACE("item " + std::to_string(I));
        EXPECT_EQ(Item.SubIndex, QString::fromLatin1(P.SubIndex));
        EXPECT_EQ(Item.position, QString::number(P.Position));
        EXPECT_EQ(Item.bit, QString::number(P.Bit));
    }
}

void ExpectEvents(const TChannel_IOLink& Ch, std::initializer_list<TPlace> Places)
{
    ASSERT_EQ(Ch.Event_List.size(), Places.size());
    std::size_t I = 0;
    for (const TPlace& P : Places) {
        const TEventObjValue& Event = *Ch.Event_List[I++];
        EXPECT_EQ(Event.Code, QString::fromLatin1(P.SubIndex));
        EXPECT_EQ(Event.Position, QString::number(P.Position));
        EXPECT_EQ(Event.Bit, QString::number(P.Bit));
    }
}

} // namespace

TEST(SetAccessPorts, PortsAndClassesFollowTheDeviceVariantInParGen)
{
    struct TCase {
        const char* Variant;   // empty: no "ParGen.xml"
        Integer Ports, ClassA, ClassB;
    };
    const TCase Cases[] = {
        {"GV52303-A1-4A", 4, 4, 0},    {"GV52303-A1-2A", 2, 2, 0},    {"GV52303-A1-2A-2B", 4, 2, 2},
        {"GV52303-A1-2B", 2, 0, 2},    {"GV52303-A1-4B", 4, 0, 4},    {"GV52303-A1-4A-4B", 8, 4, 4},
        {"GV52303-A1-8A", 8, 8, 0},    {"GV52303-A1-6A", 6, 6, 0},    {"GV52303-A1-2A-4B", 6, 2, 4},
        {"GV52303-A1-4A-2B", 6, 4, 2}, {"gv52303-a1-2a-4b", 6, 2, 4}, {"GV52303-A1-3A", 8, 8, 0},
        {" GV52303-A1-4A ", 4, 4, 0},  {"", 8, 8, 0},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Variant);
        TSetAccessEnv Env;
        if (*C.Variant)
            Env.WriteParGen(QString::fromLatin1(C.Variant));
        Env.Core.Create_Channels();
        // The window, the check and the image read a variant alike: an
        // unknown name is reported, and the image refuses it.
        const bool Unknown = QByteArrayView(C.Variant) == "GV52303-A1-3A";
        EXPECT_EQ(Env.Core.Variant_Error().isEmpty(), !Unknown);
        const std::vector<TMessage> Reported = Env.TakeMessages();
        ASSERT_EQ(Reported.size(), Unknown ? 1u : 0u);
        if (Unknown) {
            EXPECT_EQ(Reported[0].Text,
                      QStringLiteral("\"ParGen.xml\" names the unknown device variant \"GV52303-A1-3A\""));
        }
        EXPECT_EQ(Env.Core.Num_Channels, C.Ports);
        EXPECT_EQ(Env.Core.NChannelsA, C.ClassA);
        EXPECT_EQ(Env.Core.NChannelsB, C.ClassB);
        ASSERT_EQ(Env.Core.Channels.size(), std::size_t(C.Ports));
        ASSERT_EQ(Env.Core.IODD_List.size(), std::size_t(C.Ports));
        for (Integer Port = 1; Port <= C.Ports; ++Port) {
            EXPECT_EQ(Env.Ch(Port).TypeA, Port > C.ClassB) << "port " << Port;   // class B first
            EXPECT_EQ(Env.Ch(Port).Pin4Mode, QStringLiteral("Disable"));
        }
    }
}

TEST(SetAccessPorts, UnreadableParGenGivesEightClassAPorts)
{
    const QByteArray Files[] = {
        "<ParGen><IOLink_Select", "<ParGen><Other>GV52303-A1-2B</Other></ParGen>", "<ParGen/>",
        "<!-- no root -->",
    };
    for (const QByteArray& Bytes : Files) {
        SCOPED_TRACE(Bytes.toStdString());
        TSetAccessEnv Env;
        WriteBytes(File_ParGen, Bytes);
        Env.Core.Create_Channels();
        EXPECT_EQ(Env.Core.Num_Channels, 8);
        EXPECT_EQ(Env.Core.NChannelsB, 0);
        EXPECT_TRUE(Env.Messages.empty());
    }
}

TEST(SetAccessInsert, PortOneThenPortThreeAfterTwoPortsGetTheAutomaticPositions)
{
    TSetAccessEnv Env;
    Env.Core.Create_Channels();

    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(ValveFile)));
    const TChannel_IOLink& P1 = Env.Ch(1);
    EXPECT_EQ(P1.IODD_File, ValveFile);
    ASSERT_NE(Env.Core.IODD_List[0], nullptr);
    EXPECT_TRUE(QFile::exists(Path_Project + QStringLiteral("/IODD/") + ValveFile));
    // booleans share a byte, the 16-bit item starts a byte, the boolean after it another
    ExpectPlaces(P1.PD_List(true), {{"1", 0, 0}, {"2", 0, 1}, {"3", 1, 0}, {"4", 3, 0}});
    ExpectPlaces(P1.PD_List(false), {{"", 0, 0}});
    // both pins share the byte after the process data in, the events follow it
    EXPECT_EQ(P1.Pin2_Pos, QStringLiteral("4"));
    EXPECT_EQ(P1.Pin2_Bit, QStringLiteral("0"));
    EXPECT_EQ(P1.Pin4_Pos, QStringLiteral("4"));
    EXPECT_EQ(P1.Pin4_Bit, QStringLiteral("1"));
    ExpectEvents(P1, {{"16912", 5, 0}, {"6144", 5, 1}, {"6145", 5, 2}});

    // a port without process data and events still takes its pins' byte
    ASSERT_TRUE(Env.Core.Insert_IODD_File(1, CatalogFile(SwitchFile)));
    const TChannel_IOLink& P2 = Env.Ch(2);
    EXPECT_FALSE(P2.ProcDataIn_List.has_value());
    EXPECT_FALSE(P2.ProcDataOut_List.has_value());
    EXPECT_TRUE(P2.Event_List.empty());
    EXPECT_EQ(P2.Pin2_Pos, QStringLiteral("6"));
    Env.Ch(2).Pin4Mode = QStringLiteral("DOut");   // takes an output byte

    Integer In = -1, Out = -1;
    Env.Core.Find_First_Address_Data_Free(2, In, Out);
    EXPECT_EQ(In, 7);
    EXPECT_EQ(Out, 2);
    ASSERT_TRUE(Env.Core.Insert_IODD_File(2, CatalogFile(ValveFile)));
    const TChannel_IOLink& P3 = Env.Ch(3);
    ExpectPlaces(P3.PD_List(true), {{"1", 7, 0}, {"2", 7, 1}, {"3", 8, 0}, {"4", 10, 0}});
    ExpectPlaces(P3.PD_List(false), {{"", 2, 0}});
    EXPECT_EQ(P3.Pin2_Pos, QStringLiteral("11"));
    EXPECT_EQ(P3.Pin4_Pos, QStringLiteral("11"));
    ExpectEvents(P3, {{"16912", 12, 0}, {"6144", 12, 1}, {"6145", 12, 2}});
    // ports before stay where they were
    ExpectPlaces(P1.PD_List(true), {{"1", 0, 0}, {"2", 0, 1}, {"3", 1, 0}, {"4", 3, 0}});
    EXPECT_TRUE(Env.Messages.empty());
}

TEST(SetAccessInsert, FirstFreeBytesCountItemEndsPinsOutputPinAndEventBytes)
{
    struct TPort {
        const char *InPos, *InBits, *OutPos, *OutBits;   // null: no such list
        const char* Mode;
        Integer Events;
    };
    struct TCase {
        const char* Name;
        std::vector<TPort> Ports;
        Integer In, Out;
    };
    const TCase Cases[] = {
        {"two ports with 2 bytes in at 0 and 3", {{"0", "16", nullptr, nullptr, "IO-Link", 0},
                                                  {"3", "16", nullptr, nullptr, "IO-Link", 0}}, 6, 0},
        {"events take whole bytes", {{"0", "8", "0", "12", "IO-Link", 9}}, 1 + 1 + 2, 2},
        {"DOut takes an output byte", {{nullptr, nullptr, nullptr, nullptr, "DOut", 0}}, 1, 1},
        {"texts that are no numbers count as 0", {{"abc", "x", "4", "y", "DIn", 0}}, 1, 4},
        {"an earlier end further back is kept", {{"10", "8", nullptr, nullptr, "IO-Link", 0},
                                                 {"2", "8", nullptr, nullptr, "IO-Link", 0}}, 13, 0},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TSetAccessEnv Env;
        Env.Core.Create_Channels();
        Integer Port = 0;
        for (const TPort& P : C.Ports) {
            TChannel_IOLink& Ch = *Env.Core.Channels[Port++];
            Ch.Pin4Mode = QString::fromLatin1(P.Mode);
            for (const bool In : {true, false}) {
                const char* Pos = In ? P.InPos : P.OutPos;
                if (!Pos)
                    continue;
                auto Item = std::make_unique<TProcDataObjValue>();
                Item->position = QString::fromLatin1(Pos);
                Item->BitLength = QString::fromLatin1(In ? P.InBits : P.OutBits);
                (In ? Ch.ProcDataIn_List : Ch.ProcDataOut_List).emplace().push_back(std::move(Item));
            }
            for (Integer E = 0; E < P.Events; ++E)
                Ch.Event_List.push_back(std::make_unique<TEventObjValue>());
        }
        Integer In = -1, Out = -1;
        Env.Core.Find_First_Address_Data_Free(Port, In, Out);
        EXPECT_EQ(In, C.In);
        EXPECT_EQ(Out, C.Out);
        // ports after the one asked for do not count
        Env.Core.Find_First_Address_Data_Free(0, In, Out);
        EXPECT_EQ(In, 0);
        EXPECT_EQ(Out, 0);
    }
}

TEST(SetAccessInsert, ProcessDataPlacementOfRecordsArraysAndSimpleTypes)
{
    struct TCase {
        const char* Name;
        Integer Condition;
        bool In;
        Integer Start;
        std::vector<TPlace> Places;
        Integer Next;
    };
    const TCase Cases[] = {
        {"record bool, bool, 16 bits, bool", 0, true, 10, {{"1", 10, 0}, {"2", 10, 1}, {"3", 11, 0}, {"4", 13, 0}}, 14},
        {"simple 8 bits", 0, false, 3, {{"", 3, 0}}, 4},
        {"array of ten booleans",
         1,
         true,
         4,
         {{"1", 4, 0}, {"2", 4, 1}, {"3", 4, 2}, {"4", 4, 3}, {"5", 4, 4}, {"6", 4, 5}, {"7", 4, 6}, {"8", 4, 7},
          {"9", 5, 0}, {"10", 5, 1}},
         6},
        {"nine boolean record items",
         2,
         true,
         0,
         {{"1", 0, 0}, {"2", 0, 1}, {"3", 0, 2}, {"4", 0, 3}, {"5", 0, 4}, {"6", 0, 5}, {"7", 0, 6}, {"8", 0, 7},
          {"9", 1, 0}},
         2},
        {"array of three 16-bit elements", 2, false, 0, {{"1", 0, 0}, {"2", 2, 0}, {"3", 4, 0}}, 6},
        {"simple 12 bits", 3, true, 0, {{"", 0, 0}}, 2},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TSetAccessEnv Env;
        Env.Core.Create_Channels();
        ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(ValveFile)));
        ASSERT_TRUE(Env.Core.Change_ProcessData_Condition(0, C.Condition));
        Env.Ch(1).ProcessData_Erase();
        const Integer Next = C.In ? Env.Core.Create_List_ProcessDataIn(0, C.Start)
                                  : Env.Core.Create_List_ProcessDataOut(0, C.Start);
        EXPECT_EQ(Next, C.Next);
        const auto* List = Env.Ch(1).PD_List(C.In);
        ASSERT_NE(List, nullptr);
        ASSERT_EQ(List->size(), C.Places.size());
        for (std::size_t I = 0; I < C.Places.size(); ++I) {
            EXPECT_EQ((*List)[I]->SubIndex, QString::fromLatin1(C.Places[I].SubIndex)) << I;
            EXPECT_EQ((*List)[I]->position, QString::number(C.Places[I].Position)) << I;
            EXPECT_EQ((*List)[I]->bit, QString::number(C.Places[I].Bit)) << I;
        }
        EXPECT_FALSE(Env.Ch(1).PD_List(!C.In)) << "only the list asked for is built";
    }
}

TEST(SetAccessInsert, ItemsCarryTheirLengthsAndTheScalingOfTheFirstMenuEntry)
{
    TSetAccessEnv Env;
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(ValveFile)));
    struct TItem {
        const char *VarId, *SubIndex, *BitLength, *BitOffset, *Gradient, *Offset, *UnitCode;
    };
    // Record items: the first entry naming the item with a gradient or an
    // offset; an empty offset there keeps "0". A simple type keeps its
    // defaults, unit code "-1" included.
    const TItem In[] = {
        {"PDI_Main", "1", "1", "23", "0,25", "0", ""},
        {"PDI_Main", "2", "1", "22", "1", "0", ""},
        {"PDI_Main", "3", "16", "4", "0.5", "-10", "1001"},
        {"PDI_Main", "4", "1", "0", "1", "0", ""},
    };
    const TItem Out[] = {{"PDO_Main", "", "8", "0", "1", "0", "-1"}};
    const TItem ArrayOut[] = {
        {"PDO_Many", "1", "16", "0", "1", "0", "1342"},
        {"PDO_Many", "2", "16", "0", "1", "0", "1342"},
        {"PDO_Many", "3", "16", "0", "1", "0", "1342"},
    };
    const auto Expect = [](const TChannelObjList<TProcDataObjValue>* List, const auto& Items) {
        ASSERT_NE(List, nullptr);
        ASSERT_EQ(List->size(), std::size(Items));
        for (std::size_t I = 0; I < std::size(Items); ++I) {
            const TProcDataObjValue& P = *(*List)[I];
            SCOPED_TRACE(P.variableId.toStdString() + "/" + P.SubIndex.toStdString());
            EXPECT_EQ(P.variableId, QLatin1String(Items[I].VarId));
            EXPECT_EQ(P.SubIndex, QLatin1String(Items[I].SubIndex));
            EXPECT_EQ(P.BitLength, QLatin1String(Items[I].BitLength));
            EXPECT_EQ(P.BitOffset, QLatin1String(Items[I].BitOffset));
            EXPECT_EQ(P.gradient, QLatin1String(Items[I].Gradient));
            EXPECT_EQ(P.offset, QLatin1String(Items[I].Offset));
            EXPECT_EQ(P.unitCode, QLatin1String(Items[I].UnitCode));
        }
    };
    Expect(Env.Ch(1).PD_List(true), In);
    Expect(Env.Ch(1).PD_List(false), Out);
    // the array takes the first whole-variable entry that sets anything
    ASSERT_TRUE(Env.Core.Change_ProcessData_Condition(0, 2));
    Expect(Env.Ch(1).PD_List(false), ArrayOut);

    // event names come from the standard texts for standard events
    const auto& Events = Env.Ch(1).Event_List;
    ASSERT_EQ(Events.size(), 3u);
    EXPECT_EQ(Events[0]->Name, QStringLiteral("Device temperature over-run"));
    EXPECT_EQ(Events[0]->EventType, QStringLiteral("Warning"));
    EXPECT_EQ(Events[1]->Name, QStringLiteral("Leak & drip"));
    EXPECT_EQ(Events[2]->RealCode, 6145);
    EXPECT_EQ(Events[2]->EventType, QStringLiteral("Error"));
}

TEST(SetAccessInsert, EventsTakeOneBitEachEightToAByte)
{
    struct TCase {
        Integer Count, Start, Next;
    };
    const TCase Cases[] = {{12, 20, 22}, {8, 20, 21}, {9, 0, 2}, {1, 7, 8}, {0, 20, 20}};
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Count);
        TSetAccessEnv Env;
        Env.Core.Create_Channels();
        auto IODD = std::make_unique<TIODD>();
        for (Integer I = 0; I < C.Count; ++I) {
            auto Event = std::make_unique<TEventData>();
            Event->Code = 100 + I;
            IODD->ProfileBody->DeviceFunction->EventCollection->Event_List.push_back(std::move(Event));
        }
        Env.Core.IODD_List[0] = std::move(IODD);
        EXPECT_EQ(Env.Core.Create_List_Event(0, C.Start), C.Next);
        const auto& Events = Env.Ch(1).Event_List;
        ASSERT_EQ(Events.size(), std::size_t(C.Count));
        for (Integer I = 0; I < C.Count; ++I) {
            EXPECT_EQ(Events[I]->Position, QString::number(C.Start + I / 8));
            EXPECT_EQ(Events[I]->Bit, QString::number(I % 8));
            EXPECT_EQ(Events[I]->Code, QString::number(100 + I));
        }
    }
}

TEST(SetAccessInsert, VariableEntriesForSimpleArrayAndRecordVariables)
{
    TSetAccessEnv Env;
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(ValveFile)));
    struct TEntry {
        const char *Index, *SubIndex, *Dimension, *Access, *Total, *AccSup, *BitOffset;
        bool AccSupPresent, SubIndexPresent;
    };
    // Standard variable references are left out; array elements count from 0.
    const TEntry Expected[] = {
        {"64", "", "8", "Read Write", "8", "0", "", false, false},
        {"65", "", "16", "Read Write", "16", "0", "", false, false},
        {"66", "", "1", "Read Write", "1", "0", "", false, false},
        {"67", "", "32", "Read Write", "32", "0", "", false, false},
        {"68", "", "64", "Read Write", "64", "0", "", false, false},
        {"70", "", "", "Read Write", "", "0", "", true, true},
        {"70", "0", "16", "Read Write", "", "0", "0", true, false},
        {"70", "1", "16", "Read Write", "", "0", "0", true, false},
        {"70", "2", "16", "Read Write", "", "0", "0", true, false},
        {"71", "", "24", "Read Write", "24", "0", "", true, true},
        {"71", "1", "8", "Read Write", "24", "0", "16", true, false},
        {"71", "2", "1", "Read Write", "24", "0", "8", true, false},
        {"71", "3", "4", "Read Write", "24", "0", "0", true, false},
        {"72", "", "", "Read Only", "", "1", "", true, true},
        {"72", "0", "64", "Read Only", "", "1", "0", true, false},
        {"72", "1", "64", "Read Only", "", "1", "0", true, false},
        {"73", "", "40", "Read Write", "40", "0", "", false, false},
        {"1", "", "2", "Read Write", "2", "0", "", false, false},
    };
    const auto& List = Env.Ch(1).Var_List;
    ASSERT_EQ(List.size(), std::size(Expected));
    for (std::size_t I = 0; I < List.size(); ++I) {
        const TVarObjValue& V = *List[I];
        const TEntry& E = Expected[I];
        SCOPED_TRACE(std::string(E.Index) + "/" + E.SubIndex);
        EXPECT_EQ(V.Index, QLatin1String(E.Index));
        EXPECT_EQ(V.SubIndex, QLatin1String(E.SubIndex));
        EXPECT_EQ(V.Dimension, QLatin1String(E.Dimension));
        EXPECT_EQ(V.Access, QLatin1String(E.Access));
        EXPECT_EQ(V.total_bit_length, QLatin1String(E.Total));
        EXPECT_EQ(V.subindexAccessSupported, QLatin1String(E.AccSup));
        EXPECT_EQ(V.bit_offset, QLatin1String(E.BitOffset));
        EXPECT_EQ(V.SubindexAccSupPresent, E.AccSupPresent);
        EXPECT_EQ(V.SubIndex_Present, E.SubIndexPresent);
        EXPECT_FALSE(V.Enable);
        EXPECT_TRUE(V.Value.isEmpty());
    }
}

TEST(SetAccessInsert, InsertionReplacesThePreviousDescriptionButKeepsThePortSettings)
{
    TSetAccessEnv Env;
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(ValveFile)));
    TChannel_IOLink& Ch = Env.Ch(1);
    Ch.Pin4Mode = QStringLiteral("IO-Link");
    Ch.ReadPin2 = QStringLiteral("Y");
    Ch.TimeOut = QStringLiteral("30");
    Ch.Var_List[0]->Enable = true;
    ASSERT_TRUE(Env.Core.Change_ProcessData_Condition(0, 3));

    // the same file again: everything of the description starts anew,
    // the alternative included
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(ValveFile)));
    EXPECT_EQ(Ch.ProcDataCondition, 0);
    EXPECT_EQ(Ch.PD_List(true)->size(), 4u);
    EXPECT_FALSE(Ch.Var_List[0]->Enable);
    EXPECT_EQ(Ch.Pin4Mode, QStringLiteral("IO-Link"));
    EXPECT_EQ(Ch.ReadPin2, QStringLiteral("Y"));
    EXPECT_EQ(Ch.TimeOut, QStringLiteral("30"));

    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(SwitchFile)));
    EXPECT_EQ(Ch.IODD_File, SwitchFile);
    EXPECT_EQ(Ch.Var_List.size(), 1u);
    EXPECT_FALSE(Ch.ProcDataIn_List.has_value());
    EXPECT_TRUE(Ch.Event_List.empty());
    EXPECT_EQ(Ch.Pin2_Pos, QStringLiteral("0"));

    Env.Core.Delete_IODD(0);
    EXPECT_EQ(Env.Core.IODD_List[0], nullptr);
    EXPECT_TRUE(Ch.IODD_File.isEmpty());
    EXPECT_TRUE(Ch.Var_List.empty());
    EXPECT_FALSE(Ch.ProcDataIn_List.has_value());
    EXPECT_FALSE(Ch.ProcDataOut_List.has_value());
    EXPECT_EQ(Ch.Pin4Mode, QStringLiteral("IO-Link"));
    EXPECT_EQ(Ch.ReadPin2, QStringLiteral("Y"));
    EXPECT_EQ(Ch.TimeOut, QStringLiteral("30"));
    // the copies stay in the configuration
    EXPECT_TRUE(QFile::exists(Path_Project + QStringLiteral("/IODD/") + SwitchFile));
    EXPECT_TRUE(Env.Messages.empty());
}

TEST(SetAccessInsert, FailedInsertionsLeaveThePortUnchanged)
{
    TSetAccessEnv Env;
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(ValveFile)));
    const TIODD* Before = Env.Core.IODD_List[0].get();
    const auto Unchanged = [&] {
        EXPECT_EQ(Env.Core.IODD_List[0].get(), Before);
        EXPECT_EQ(Env.Ch(1).IODD_File, ValveFile);
        EXPECT_EQ(Env.Ch(1).Var_List.size(), 18u);
        EXPECT_EQ(Env.Ch(1).Event_List.size(), 3u);
    };

    // a file gone from the catalog: silently nothing
    EXPECT_FALSE(Env.Core.Insert_IODD_File(0, CatalogFile(QStringLiteral("Gone-IODD1.1.xml"))));
    EXPECT_TRUE(Env.Messages.empty());
    Unchanged();

    // a file that does not decode: its error, and no copy
    EXPECT_FALSE(Env.Core.Insert_IODD_File(0, CatalogFile(QStringLiteral("Broken-IODD1.1.xml"))));
    const std::vector<TMessage> Decode = Env.TakeMessages();
    ASSERT_EQ(Decode.size(), 1u);
    EXPECT_EQ(Decode[0].Kind, imkError);
    EXPECT_TRUE(Decode[0].Text.contains(QStringLiteral("Broken-IODD1.1.xml"))) << Decode[0].Text.toStdString();
    EXPECT_FALSE(QFile::exists(Path_Project + QStringLiteral("/IODD/Broken-IODD1.1.xml")));
    Unchanged();

    // a copy that fails: an "IODD" that is a file, not a folder
    ASSERT_TRUE(QDir(Path_Project + QStringLiteral("/IODD")).removeRecursively());
    WriteBytes(Path_Project + QStringLiteral("/IODD"), "not a folder");
    EXPECT_FALSE(Env.Core.Insert_IODD_File(0, CatalogFile(SwitchFile)));
    Env.ExpectOneError(QStringLiteral("Cannot copy \"%1\" to \"%2/IODD/%3\": Cannot create the folder \"%2/IODD\"")
                           .arg(CatalogFile(SwitchFile), Path_Project, SwitchFile));
    Unchanged();
}

TEST(SetAccessInsert, ChangeOfAlternativeRebuildsTheProcessDataFromByteZero)
{
    TSetAccessEnv Env;
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(SwitchFile)));
    ASSERT_TRUE(Env.Core.Insert_IODD_File(1, CatalogFile(ValveFile)));
    TChannel_IOLink& Ch = Env.Ch(2);
    ASSERT_EQ(Ch.PD_List(true)->front()->position, QStringLiteral("1"));

    ASSERT_TRUE(Env.Core.Change_ProcessData_Condition(1, 1));
    EXPECT_EQ(Ch.ProcDataCondition, 1);
    ASSERT_EQ(Ch.PD_List(true)->size(), 10u);
    EXPECT_EQ(Ch.PD_List(true)->front()->position, QStringLiteral("0"));
    EXPECT_FALSE(Ch.ProcDataOut_List.has_value()) << "that alternative has no process data out";

    for (const Integer Bad : {-1, 4})
        EXPECT_FALSE(Env.Core.Change_ProcessData_Condition(1, Bad));
    EXPECT_EQ(Ch.ProcDataCondition, 1);
    EXPECT_EQ(Ch.PD_List(true)->size(), 10u);
    EXPECT_FALSE(Env.Core.Change_ProcessData_Condition(2, 0)) << "a port without a description";
}
