// The configuration check: each rule's exact message for a failing value and
// a pass at its boundary, the one warning, and nothing saved on an error.
#include "SetAccessTestEnv.h"

#include "shell/ULanguage.h"

#include <functional>

using namespace setaccess_test;

namespace {

using TSetup = std::function<void(TSetAccessEnv&)>;

// Port 1 holds the valve in IO-Link mode; the other ports are off.
void PrepareValve(TSetAccessEnv& Env)
{
    Env.Core.Create_Channels();
    ASSERT_TRUE(Env.Core.Insert_IODD_File(0, CatalogFile(ValveFile)));
    Env.Ch(1).Pin4Mode = QStringLiteral("IO-Link");
}

TVarObjValue& Var(TSetAccessEnv& Env, const char* Index, const char* SubIndex, Integer Port = 1)
{
    const Integer I = Env.Ch(Port).Get_Index(QLatin1String(Index), QLatin1String(SubIndex));
    EXPECT_GE(I, 0) << Index << "/" << SubIndex;
    return *Env.Ch(Port).Var_List.at(I);
}

TSetup SetVar(const char* Index, const char* SubIndex, const char* Value)
{
    return [=](TSetAccessEnv& Env) {
        TVarObjValue& V = Var(Env, Index, SubIndex);
        V.Enable = true;
        V.Value = QString::fromUtf8(Value);
    };
}

// Every item entry of a variable enabled with one value.
TSetup SetItems(const char* Index, const char* Value)
{
    return [=](TSetAccessEnv& Env) {
        for (auto& V : Env.Ch(1).Var_List)
            if (V->Index == QLatin1String(Index) && !V->SubIndex.isEmpty()) {
                V->Enable = true;
                V->Value = QString::fromUtf8(Value);
            }
    };
}

TSetup Both(TSetup A, TSetup B)
{
    return [=](TSetAccessEnv& Env) {
        A(Env);
        B(Env);
    };
}

TSetup Separator(char Sep, TSetup Then)
{
    return [=](TSetAccessEnv& Env) {
        platform::SetUserDecimalSeparator(QChar::fromLatin1(Sep));
        Then(Env);
    };
}

TProcDataObjValue& PD(TSetAccessEnv& Env, bool In, std::size_t Item = 0, Integer Port = 1)
{
    return *Env.Ch(Port).PD_List(In)->at(Item);
}

TSetup SetPD(bool In, QString TProcDataObjValue::*Field, const char* Value)
{
    return [=](TSetAccessEnv& Env) { PD(Env, In).*Field = QString::fromLatin1(Value); };
}

TSetup SetEvent(QString TEventObjValue::*Field, const char* Value)
{
    return [=](TSetAccessEnv& Env) { Env.Ch(1).Event_List.front().get()->*Field = QString::fromLatin1(Value); };
}

TSetup SetChannel(Integer Port, QString TChannel_IOLink::*Field, const char* Value)
{
    return [=](TSetAccessEnv& Env) { Env.Ch(Port).*Field = QString::fromLatin1(Value); };
}

// A second valve on port 2 with automatic positions.
void SecondValve(TSetAccessEnv& Env)
{
    ASSERT_TRUE(Env.Core.Insert_IODD_File(1, CatalogFile(ValveFile)));
    Env.Ch(2).Pin4Mode = QStringLiteral("IO-Link");
}

struct TCase {
    const char* Name;
    TSetup Setup;
    const char* Error;   // null: the check passes
    Integer Warnings = 0;
};

void RunCases(const std::vector<TCase>& Cases)
{
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TSetAccessEnv Env;
        PrepareValve(Env);
        C.Setup(Env);
        const bool Passed = Env.Core.Check_Configuration();
        std::vector<TMessage> Got = Env.TakeMessages();
        Integer Warnings = 0;
        while (!Got.empty() && Got.front().Kind == imkWarning) {
            EXPECT_EQ(Got.front().Text, QStringLiteral("Warning in Channel #01!! Position of Variable Index 64 and "
                                                       "SubIndex  must be a valid value, should be major of 512"));
            Got.erase(Got.begin());
            ++Warnings;
        }
        EXPECT_EQ(Warnings, C.Warnings);
        if (!C.Error) {
            EXPECT_TRUE(Passed);
            EXPECT_TRUE(Got.empty()) << Got.front().Text.toStdString();
            continue;
        }
        EXPECT_FALSE(Passed);
        ASSERT_EQ(Got.size(), 1u) << "the check stops at its first error";
        EXPECT_EQ(Got[0].Kind, imkError);
        EXPECT_EQ(Got[0].Text, QString::fromUtf8(C.Error));
    }
}

TSetup Nothing() { return [](TSetAccessEnv&) {}; }

// The decoded description of port 1 loses the element type of an array or
// the items of a record.
TSetup EmptyComplexType(const char* VariableId)
{
    return [=](TSetAccessEnv& Env) {
        TIODD& IODD = *Env.Core.IODD_List[0];
        const TVariable* V = IODD.ProfileBody->DeviceFunction->VariableCollection->Get_Variables_IDs(
            QLatin1String(VariableId));
        ASSERT_NE(V, nullptr);
        TDataType* Type = V->DataType->IsDataTypeRef ? IODD.Resolve_DataType(V->DataType->Ref_DataTypeId, false)
                                                     : V->DataType.get();
        ASSERT_NE(Type, nullptr);
        Type->ComplexDataType->Arr_RecItem.clear();
    };
}

} // namespace

TEST(SetAccessCheck, PortsAndTheirSettings)
{
    RunCases({
        {"automatic positions pass", Nothing(), nullptr},
        {"a port off is never checked",
         Both(SetChannel(1, &TChannel_IOLink::Pin4Mode, "Disable"), SetChannel(1, &TChannel_IOLink::TimeOut, "x")),
         nullptr},
        {"an empty mode is off", Both(SetChannel(1, &TChannel_IOLink::Pin4Mode, ""), SetVar("64", "", "")), nullptr},
        {"IO-Link without a description", [](TSetAccessEnv& Env) { Env.Core.Delete_IODD(0); },
         "Error in Channel #01!! Must Select an IODD file for use this channel"},
        {"time-out at its limit", SetChannel(1, &TChannel_IOLink::TimeOut, "65000"), nullptr},
        {"time-out above", SetChannel(1, &TChannel_IOLink::TimeOut, "65001"),
         "Error in Channel #01!! TimeOut must be between 0 and 65000 seconds"},
        {"time-out negative", SetChannel(1, &TChannel_IOLink::TimeOut, "-1"),
         "Error in Channel #01!! TimeOut must be between 0 and 65000 seconds"},
        {"time-out no number", SetChannel(1, &TChannel_IOLink::TimeOut, "abc"),
         "Error in Channel #01!! TimeOut must be between 0 and 65000 seconds"},
    });
}

TEST(SetAccessCheck, ValuesOfVariablesAgainstTheirTypes)
{
    RunCases({
        {"empty value", SetVar("64", "", "  "),
         "Error in Channel #01!! Variable Index 64 and SubIndex  cannot be embty"},
        {"8 bits unsigned, top", SetVar("64", "", "255"), nullptr},
        {"8 bits unsigned, above", SetVar("64", "", "256"),
         "Error in Channel #01!! Variable Index 64 and SubIndex  Value Error"},
        {"8 bits unsigned, negative", SetVar("64", "", "-1"),
         "Error in Channel #01!! Variable Index 64 and SubIndex  Value Error"},
        {"8 bits unsigned, no number", SetVar("64", "", "abc"),
         "Error in Channel #01!! Variable Index 64 and SubIndex  Value Error"},
        {"16 bits signed, bottom", SetVar("65", "", "-32768"), nullptr},
        {"16 bits signed, above", SetVar("65", "", "32768"),
         "Error in Channel #01!! Variable Index 65 and SubIndex  Value Error"},
        {"boolean 1", SetVar("66", "", "1"), nullptr},
        {"boolean 2", SetVar("66", "", "2"), "Error in Channel #01!! Variable Index 66 and SubIndex  Value Error"},
        {"float with the user's comma", Separator(',', SetVar("67", "", "1,5")), nullptr},
        {"float with a comma, user's point", Separator('.', SetVar("67", "", "1,5")),
         "Error in Channel #01!! Variable Index 67 and SubIndex  Value Error"},
        {"float with the user's point", Separator('.', SetVar("67", "", "-1.5e3")), nullptr},
        {"string takes any text", SetVar("68", "", "any text"), nullptr},
        {"64 bits unsigned, top", SetVar("72", "1", "18446744073709551615"), nullptr},
        {"64 bits unsigned, above", SetVar("72", "1", "18446744073709551616"),
         "Error in Channel #01!! Variable Index 72 and SubIndex 1 Value Error"},
        {"64 bits unsigned, no number", SetVar("72", "0", "5000000000x"),
         "Error in Channel #01!! Variable Index 72 and SubIndex 0 Value Error"},
        {"40 bits signed, top", SetVar("73", "", "549755813887"), nullptr},
        {"40 bits signed, bottom", SetVar("73", "", "-549755813888"), nullptr},
        {"40 bits signed, above", SetVar("73", "", "549755813888"),
         "Error in Channel #01!! Variable Index 73 and SubIndex  Value Error"},
        {"40 bits signed, no number", SetVar("73", "", "abc"),
         "Error in Channel #01!! Variable Index 73 and SubIndex  Value Error"},
        // a device variable with index 1 is not shadowed by a standard one
        {"index 1, 2 bits, top", SetVar("1", "", "3"), nullptr},
        {"index 1, 2 bits, above", SetVar("1", "", "4"),
         "Error in Channel #01!! Variable Index 1 and SubIndex  Value Error"},
        {"array elements 0 to count - 1", SetItems("70", "-32768"), nullptr},
        {"array element value", Both(SetItems("70", "1"), SetVar("70", "0", "40000")),
         "Error in Channel #01!! Variable Index 70 and SubIndex 0 Value Error"},
        {"array element beyond the count",
         Both(SetItems("70", "1"), [](TSetAccessEnv& Env) { Var(Env, "70", "2").SubIndex = QStringLiteral("3"); }),
         "Error in Channel #01!! Variable Index 70 and SubIndex 3 SubIndex not exists"},
        {"record items", Both(SetItems("71", "1"), SetVar("71", "3", "15")), nullptr},
        {"record item through a type reference", Both(SetItems("71", "1"), SetVar("71", "3", "16")),
         "Error in Channel #01!! Variable Index 71 and SubIndex 3 Value Error"},
        {"record item not in the record",
         Both(SetItems("71", "1"), [](TSetAccessEnv& Env) { Var(Env, "71", "3").SubIndex = QStringLiteral("9"); }),
         "Error in Channel #01!! Variable Index 71 and SubIndex 9 SubIndex not exists"},
        {"whole record", SetVar("71", "", "1"),
         "Error in Channel #01!! Variable Index 71 and SubIndex  SubIndex not exists"},
        {"unknown variable",
         Both(SetVar("64", "", "1"), [](TSetAccessEnv& Env) { Var(Env, "64", "").Index = QStringLiteral("99"); }),
         "Error in Channel #01!! Variable Index 99 and SubIndex  cannot exists"},
        {"array without an element type", Both(SetVar("70", "", "1"), EmptyComplexType("V_Limits")),
         "Error in Channel #01!! Variable Index 70 and SubIndex  not exists"},
        {"record without items", Both(SetVar("71", "1", "1"), EmptyComplexType("V_Setup")),
         "Error in Channel #01!! Variable Index 71 and SubIndex 1 not exists"},
        {"no description", Both(SetVar("64", "", "1"), [](TSetAccessEnv& Env) { Env.Core.IODD_List[0].reset(); }),
         "Error in Channel #01!! Channel doesn't exist"},
    });
}

TEST(SetAccessCheck, PositionsReadTimesAndGroupsOfVariables)
{
    const auto Position = [](const char* Value) {
        return Both(SetVar("64", "", "1"), [=](TSetAccessEnv& Env) {
            Var(Env, "64", "").Position = QString::fromLatin1(Value);
        });
    };
    const auto ReadTime = [](const char* Value) {
        return Both(SetVar("64", "", "1"), [=](TSetAccessEnv& Env) {
            Var(Env, "64", "").ReadTime = QString::fromLatin1(Value);
        });
    };
    const auto Field = [](String TVarObjValue::*Member, const char* Value) {
        return Both(SetVar("64", "", "1"), [=](TSetAccessEnv& Env) {
            Var(Env, "64", "").*Member = QString::fromLatin1(Value);
        });
    };
    const char* BadPosition = "Error in Channel #01!! Position of Variable Index 64 and SubIndex  must be a valid "
                              "value, better if major of 512";
    const char* BadBit = "Error in Channel #01!! Start Bit of Variable Index 64 and SubIndex  must be a valid value "
                         "[0..7]";
    const char* BadTime = "Error in Channel #01!! Time of Variable Index 64 and SubIndex  must be between 0 and "
                          "4294967295";
    RunCases({
        {"no position", Position(""), nullptr},
        {"position 512", Position("512"), nullptr},
        {"position 1438", Position("1438"), nullptr},
        {"position beyond the gateway's data", Position("1439"), BadPosition},
        {"position the image would cut to 600", Position("66136"), BadPosition},
        {"start bit 7", Field(&TVarObjValue::Bit, "7"), nullptr},
        {"start bit 8", Field(&TVarObjValue::Bit, "8"), BadBit},
        {"start bit no number", Field(&TVarObjValue::Bit, "x"), BadBit},
        {"time 4294967295", Field(&TVarObjValue::Time, "4294967295"), nullptr},
        {"time beyond 32 bits", Field(&TVarObjValue::Time, "4294967296"), BadTime},
        {"negative time", Field(&TVarObjValue::Time, "-1"), BadTime},
        {"position 511 is advised against", Position("511"), nullptr, 1},
        {"position 0 is advised against", Position("0"), nullptr, 1},
        {"position -5", Position("-5"), BadPosition},
        {"position no number", Position("abc"), BadPosition},
        {"the check goes on after the advice", Both(Position("100"), ReadTime("65536")),
         "Error in Channel #01!! Read Time of Variable Index 64 and SubIndex  must be between 0 and 65535", 1},
        {"read time 65535", ReadTime("65535"), nullptr},
        {"read time no number", ReadTime("1e3"),
         "Error in Channel #01!! Read Time of Variable Index 64 and SubIndex  must be between 0 and 65535"},
        {"record items one by one", SetVar("71", "1", "1"),
         "Error in Channel #01!! Variable Index 71 must be all selected or unselected"},
        {"array element 0 counts in its group", SetVar("70", "0", "1"),
         "Error in Channel #01!! Variable Index 70 must be all selected or unselected"},
        {"items that can be accessed one by one", SetVar("72", "0", "1"), nullptr},
    });
}

TEST(SetAccessCheck, ProcessDataEventsAndPins)
{
    const char* InPosition =
        "Error in Channel #01!! ProcessData In Index PDI_Main and SubIndex 1 Position must be a valid value [0..1438]";
    const char* EventBit = "Error in Channel #01!! Event Code 16912, Start Bit must be a valid value [0..7]";
    const char* Pin4Position = "Error in Channel #08!! I/O Options, Pin 4, Position must be a valid value [0..1438]";
    const auto Port8 = [](const char* Mode, const char* Pos, const char* Bit) {
        return [=](TSetAccessEnv& Env) {
            TChannel_IOLink& Ch = Env.Ch(8);
            Ch.Pin4Mode = QString::fromLatin1(Mode);
            Ch.Pin4_Pos = QString::fromLatin1(Pos);
            Ch.Pin4_Bit = QString::fromLatin1(Bit);
        };
    };
    RunCases({
        {"gradient no number", SetPD(true, &TProcDataObjValue::gradient, "abc"),
         "Error in Channel #01!! ProcessData In Index PDI_Main and SubIndex 1 Gradient must be a valid float value"},
        {"gradient with a point, user's comma", Separator(',', SetPD(true, &TProcDataObjValue::gradient, "0.5")),
         nullptr},
        {"gradient with a comma, user's point", Separator('.', SetPD(true, &TProcDataObjValue::gradient, "0,5")),
         nullptr},
        {"offset bottom", SetPD(true, &TProcDataObjValue::offset, "-32768"), nullptr},
        {"offset above", SetPD(true, &TProcDataObjValue::offset, "32768"),
         "Error in Channel #01!! ProcessData In Index PDI_Main and SubIndex 1 Offset must be a valid value"},
        {"offset with a fraction", SetPD(true, &TProcDataObjValue::offset, "1.5"),
         "Error in Channel #01!! ProcessData In Index PDI_Main and SubIndex 1 Offset must be a valid value"},
        {"position above", SetPD(true, &TProcDataObjValue::position, "1439"), InPosition},
        {"position no number", SetPD(true, &TProcDataObjValue::position, "x"), InPosition},
        {"start bit 7", SetPD(true, &TProcDataObjValue::bit, "7"), nullptr},
        {"start bit 8", SetPD(true, &TProcDataObjValue::bit, "8"),
         "Error in Channel #01!! ProcessData In Index PDI_Main and SubIndex 1 Start Bit must be a valid value [0..7]"},
        {"out gradient", SetPD(false, &TProcDataObjValue::gradient, ""),
         "Error in Channel #01!! ProcessData Out Index PDO_Main and SubIndex  Gradient must be a valid float value"},
        {"out offset", SetPD(false, &TProcDataObjValue::offset, "-32769"),
         "Error in Channel #01!! ProcessData Out Index PDO_Main and SubIndex  Offset must be a valid value"},
        {"out position", SetPD(false, &TProcDataObjValue::position, "-1"),
         "Error in Channel #01!! ProcessData Out Index PDO_Main and SubIndex  Position must be a valid value "
         "[0..1438]"},
        {"out start bit", SetPD(false, &TProcDataObjValue::bit, ""),
         "Error in Channel #01!! ProcessData Out Index PDO_Main and SubIndex  Start Bit must be a valid value [0..7]"},
        {"event time-out top", SetEvent(&TEventObjValue::TimeOut, "100000000"), nullptr},
        {"event time-out above", SetEvent(&TEventObjValue::TimeOut, "100000001"),
         "Error in Channel #01!! Event Code 16912, TimeOut must be beetwen 0 and 100000000"},
        {"event time-out empty", SetEvent(&TEventObjValue::TimeOut, ""),
         "Error in Channel #01!! Event Code 16912, TimeOut must be beetwen 0 and 100000000"},
        {"event position above", SetEvent(&TEventObjValue::Position, "1439"),
         "Error in Channel #01!! Event Code 16912, Position must be a valid value [0..1438]"},
        {"event start bit 7", SetEvent(&TEventObjValue::Bit, "7"), nullptr},
        {"event start bit 8", SetEvent(&TEventObjValue::Bit, "8"), EventBit},
        {"event start bit no number", SetEvent(&TEventObjValue::Bit, "x"), EventBit},
        {"pin 2 read", Both(SetChannel(1, &TChannel_IOLink::ReadPin2, "Y"), SetChannel(1, &TChannel_IOLink::Pin2_Pos, "1438")),
         nullptr},
        {"pin 2 position", Both(SetChannel(1, &TChannel_IOLink::ReadPin2, "Y"), SetChannel(1, &TChannel_IOLink::Pin2_Pos, "1439")),
         "Error in Channel #01!! I/O Options, Pin 2, Position must be a valid value [0..1438]"},
        {"pin 2 start bit", Both(SetChannel(1, &TChannel_IOLink::ReadPin2, "Y"), SetChannel(1, &TChannel_IOLink::Pin2_Bit, "8")),
         "Error in Channel #01!! I/O Options, Pin 2, Start Bit must be a valid value [0..7]"},
        {"pin 2 not read", SetChannel(1, &TChannel_IOLink::Pin2_Pos, "x"), nullptr},
        {"pin 2 of a class B port",
         Both(Both(SetChannel(1, &TChannel_IOLink::ReadPin2, "Y"), SetChannel(1, &TChannel_IOLink::Pin2_Pos, "x")),
              [](TSetAccessEnv& Env) { Env.Ch(1).TypeA = false; }),
         nullptr},
        {"DIn pin 4 in range", Port8("DIn", "1438", "7"), nullptr},
        {"DIn pin 4 position", Port8("DIn", "", "0"), Pin4Position},
        {"DOut pin 4 start bit", Port8("DOut", "0", "8"),
         "Error in Channel #08!! I/O Options, Pin 4, Start Bit must be a valid value [0..7]"},
        {"any other mode checks pin 4", Port8("Other", "1439", "0"), Pin4Position},
        {"pin 2 before pin 4",
         Both(Port8("DIn", "", ""), Both(SetChannel(8, &TChannel_IOLink::ReadPin2, "Y"),
                                         SetChannel(8, &TChannel_IOLink::Pin2_Bit, "9"))),
         "Error in Channel #08!! I/O Options, Pin 2, Position must be a valid value [0..1438]"},
    });
}

TEST(SetAccessCheck, PortsFollowEachOtherAndTheTotalsStayWithinTheData)
{
    RunCases({
        {"two ports with automatic positions", SecondValve, nullptr},
        // port 1's events sit at byte 5, bit 0: that byte is taken
        {"process data in over the previous port's events",
         Both(SecondValve, [](TSetAccessEnv& Env) { PD(Env, true, 0, 2).position = QStringLiteral("5"); }),
         "Error in Channel #02!! ProcessData In Position must start at index #06!"},
        {"process data out over the previous port's",
         Both(SecondValve, [](TSetAccessEnv& Env) { PD(Env, false, 0, 2).position = QStringLiteral("0"); }),
         "Error in Channel #02!! ProcessData Out Position must start at index #01!"},
        {"a port without process data in keeps the end before it",
         [](TSetAccessEnv& Env) {
             ASSERT_TRUE(Env.Core.Insert_IODD_File(1, CatalogFile(SwitchFile)));
             ASSERT_TRUE(Env.Core.Insert_IODD_File(2, CatalogFile(ValveFile)));
             Env.Ch(2).Pin4Mode = QStringLiteral("IO-Link");
             Env.Ch(3).Pin4Mode = QStringLiteral("IO-Link");
             PD(Env, true, 0, 3).position = QStringLiteral("5");
         },
         "Error in Channel #03!! ProcessData In Position must start at index #06!"},
        {"input data up to byte 1437", SetEvent(&TEventObjValue::Position, "1437"), nullptr},
        {"input data to byte 1438", SetEvent(&TEventObjValue::Position, "1438"),
         "Error!! Too many bytes used in ProcessData In (#1439)"},
        {"output data up to byte 1437", SetPD(false, &TProcDataObjValue::position, "1437"), nullptr},
        {"output data to byte 1438", SetPD(false, &TProcDataObjValue::position, "1438"),
         "Error!! Too many bytes used in ProcessData Out (#1439)"},
    });
}

TEST(SetAccessCheck, NothingIsSavedOnAnErrorAndAWarningStillSaves)
{
    TSetAccessEnv Env;
    PrepareValve(Env);
    Env.Ch(1).TimeOut = QStringLiteral("70000");
    EXPECT_FALSE(Env.Core.Check_And_Save());
    EXPECT_FALSE(QFile::exists(File_IOLink_SetAccess));
    Env.ExpectOneError(QStringLiteral("Error in Channel #01!! TimeOut must be between 0 and 65000 seconds"));

    Env.Ch(1).TimeOut.clear();
    SetVar("64", "", "1")(Env);
    Var(Env, "64", "").Position = QStringLiteral("10");
    EXPECT_TRUE(Env.Core.Check_And_Save());
    EXPECT_TRUE(QFile::exists(File_IOLink_SetAccess));
    const std::vector<TMessage> Got = Env.TakeMessages();
    ASSERT_EQ(Got.size(), 1u);
    EXPECT_EQ(Got[0].Kind, imkWarning);
}

TEST(SetAccessCheck, MessagesComeFromTheTextTable)
{
    // The table as it was, for the tests that run after this one.
    struct TRestoreLang {
        QStringList Texts;
        TRestoreLang()
        {
            for (int I = 0; I < Lang.Count(); ++I)
                Texts.append(Lang.Strings(I));
        }
        ~TRestoreLang()
        {
            Lang.Clear();
            for (const QString& Text : Texts)
                Lang.Add(Text);
        }
    } Restore;
    Load_Lang_English();
    Lang.SetStrings(1700, QStringLiteral("Kanal #%.2d: keine Datei"));
    Lang.SetStrings(1732, QStringLiteral("Kanal %s"));   // does not fit: the built-in pattern serves

    struct TCase {
        const char* Name;
        TSetup Setup;
        const char* Error;
    };
    const TCase Cases[] = {
        {"a translated text", [](TSetAccessEnv& Env) { Env.Core.Delete_IODD(0); }, "Kanal #01: keine Datei"},
        {"a translation that does not fit", SetChannel(1, &TChannel_IOLink::TimeOut, "x"),
         "Error in Channel #01!! TimeOut must be between 0 and 65000 seconds"},
        {"the event start bit with a blank table entry", SetEvent(&TEventObjValue::Bit, "8"),
         "Error in Channel #01!! Event Code 16912, Start Bit must be a valid value [0..7]"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TSetAccessEnv Env;
        PrepareValve(Env);
        C.Setup(Env);
        EXPECT_FALSE(Env.Core.Check_Configuration());
        Env.ExpectOneError(QString::fromUtf8(C.Error));
    }

    Lang.SetStrings(1734, QStringLiteral("Kanal #%.2d Ereignis %s: Startbit"));
    TSetAccessEnv Env;
    PrepareValve(Env);
    SetEvent(&TEventObjValue::Bit, "9")(Env);
    EXPECT_FALSE(Env.Core.Check_Configuration());
    Env.ExpectOneError(QStringLiteral("Kanal #01 Ereignis 16912: Startbit"));
}
