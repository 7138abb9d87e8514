// Lookups of the IO-Link channel objects: keys compare as exact texts, the
// first match wins, and a missing entry or list gives the stated defaults.
#include "iolink/UIOLink_Channel.h"

#include <gtest/gtest.h>

namespace {

TVarObjValue* AddVar(TChannel_IOLink& Ch, const char* Index, const char* SubIndex, const char* Value)
{
    auto Var = std::make_unique<TVarObjValue>();
    Var->Index = QString::fromLatin1(Index);
    Var->SubIndex = QString::fromLatin1(SubIndex);
    Var->Value = QString::fromLatin1(Value);
    Var->Position = Var->Value + QStringLiteral("-pos");
    Var->Bit = Var->Value + QStringLiteral("-bit");
    Var->Time = Var->Value + QStringLiteral("-time");
    Var->ReadTime = Var->Value + QStringLiteral("-read");
    Ch.Var_List.push_back(std::move(Var));
    return Ch.Var_List.back().get();
}

void AddPD(TChannel_IOLink& Ch, bool In, const char* VarId, const char* SubIndex, const char* Tag)
{
    auto& List = In ? Ch.ProcDataIn_List : Ch.ProcDataOut_List;
    if (!List)
        List.emplace();
    auto Item = std::make_unique<TProcDataObjValue>();
    Item->variableId = QString::fromLatin1(VarId);
    Item->SubIndex = QString::fromLatin1(SubIndex);
    Item->gradient = QStringLiteral("g") + QLatin1String(Tag);
    Item->offset = QStringLiteral("o") + QLatin1String(Tag);
    Item->position = QStringLiteral("p") + QLatin1String(Tag);
    Item->bit = QStringLiteral("b") + QLatin1String(Tag);
    List->push_back(std::move(Item));
}

} // namespace

TEST(ChannelLookup, VariablesByExactIndexAndSubIndexFirstMatchWins)
{
    TChannel_IOLink Ch;
    AddVar(Ch, "64", "", "whole");
    AddVar(Ch, "64", "0", "zero")->Enable = true;
    AddVar(Ch, "64", "00", "double-zero");
    AddVar(Ch, "64", "0", "shadowed")->On_Timer = true;
    TVarObjValue* Flags = AddVar(Ch, "65", "1", "flags");
    Flags->On_CMD = true;
    Flags->On_Change = true;

    struct TCase {
        const char *Index, *SubIndex;
        Integer Position;
        const char* Value;
    };
    const TCase Cases[] = {
        {"64", "", 0, "whole"},  {"64", "0", 1, "zero"},  {"64", "00", 2, "double-zero"}, {"65", "1", 4, "flags"},
        {"65", "", -1, ""},      {"064", "0", -1, ""},     {"", "", -1, ""},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(std::string(C.Index) + "/" + C.SubIndex);
        const QString I = QString::fromLatin1(C.Index), S = QString::fromLatin1(C.SubIndex);
        const QString V = QString::fromLatin1(C.Value);
        EXPECT_EQ(Ch.Get_Index(I, S), C.Position);
        EXPECT_EQ(Ch.Get_Value(I, S), V);
        EXPECT_EQ(Ch.Get_Position(I, S), C.Position < 0 ? QString() : V + QStringLiteral("-pos"));
        EXPECT_EQ(Ch.Get_Bit(I, S), C.Position < 0 ? QString() : V + QStringLiteral("-bit"));
        EXPECT_EQ(Ch.Get_Time(I, S), C.Position < 0 ? QString() : V + QStringLiteral("-time"));
        EXPECT_EQ(Ch.Get_ReadTime(I, S), C.Position < 0 ? QString() : V + QStringLiteral("-read"));
    }
    EXPECT_TRUE(Ch.Get_Enable(QStringLiteral("64"), QStringLiteral("0")));
    EXPECT_FALSE(Ch.Get_On_Timer(QStringLiteral("64"), QStringLiteral("0")));   // the first "0" has none
    EXPECT_TRUE(Ch.Get_On_CMD(QStringLiteral("65"), QStringLiteral("1")));
    EXPECT_TRUE(Ch.Get_On_Change(QStringLiteral("65"), QStringLiteral("1")));
    EXPECT_FALSE(Ch.Get_Enable(QStringLiteral("99"), QString()));
    EXPECT_FALSE(Ch.Get_On_CMD(QStringLiteral("99"), QString()));
    EXPECT_FALSE(Ch.Get_On_Change(QStringLiteral("99"), QString()));
}

TEST(ChannelLookup, ProcessDataByKeyAndByPositionWithDefaultsForAbsentLists)
{
    TChannel_IOLink Ch;
    // Absent lists: lookups give their defaults and never fail.
    for (const bool In : {true, false}) {
        EXPECT_EQ(Ch.PD_Get_Index(In, QStringLiteral("PDI"), QString()), -1);
        EXPECT_EQ(Ch.PD_Get_Gradient(In, QStringLiteral("PDI"), QString()), QStringLiteral("1"));
        EXPECT_EQ(Ch.PD_Get_Offset(In, QStringLiteral("PDI"), QString()), QStringLiteral("0"));
        EXPECT_EQ(Ch.PD_Get_Position(In, QStringLiteral("PDI"), QString()), QString());
        EXPECT_EQ(Ch.PD_Get_Bit(In, QStringLiteral("PDI"), QString()), QString());
        EXPECT_EQ(Ch.PD_Get_Position_Arr(In, QString(), 0), QString());
        EXPECT_EQ(Ch.PD_Get_Bit_Arr(In, QString(), 0), QString());
    }

    AddPD(Ch, true, "PDI", "1", "A");
    AddPD(Ch, true, "PDI", "01", "B");
    AddPD(Ch, true, "PDI", "1", "C");
    AddPD(Ch, false, "PDO", "", "D");
    EXPECT_EQ(Ch.PD_Get_Index(true, QStringLiteral("PDI"), QStringLiteral("01")), 1);
    EXPECT_EQ(Ch.PD_Get_Gradient(true, QStringLiteral("PDI"), QStringLiteral("1")), QStringLiteral("gA"));
    EXPECT_EQ(Ch.PD_Get_Offset(true, QStringLiteral("PDI"), QStringLiteral("01")), QStringLiteral("oB"));
    EXPECT_EQ(Ch.PD_Get_Position(false, QStringLiteral("PDO"), QString()), QStringLiteral("pD"));
    EXPECT_EQ(Ch.PD_Get_Bit(false, QStringLiteral("PDO"), QString()), QStringLiteral("bD"));
    // the other list does not answer for this one
    EXPECT_EQ(Ch.PD_Get_Index(false, QStringLiteral("PDI"), QStringLiteral("1")), -1);
    EXPECT_EQ(Ch.PD_Get_Gradient(true, QStringLiteral("PDO"), QString()), QStringLiteral("1"));

    // by list position, whatever the id
    EXPECT_EQ(Ch.PD_Get_Position_Arr(true, QStringLiteral("ignored"), 2), QStringLiteral("pC"));
    EXPECT_EQ(Ch.PD_Get_Bit_Arr(true, QString(), 0), QStringLiteral("bA"));
    EXPECT_EQ(Ch.PD_Get_Position_Arr(true, QString(), 3), QString());
    EXPECT_EQ(Ch.PD_Get_Bit_Arr(true, QString(), -1), QString());

    Ch.ProcessData_Erase();
    EXPECT_FALSE(Ch.ProcDataIn_List.has_value());
    EXPECT_FALSE(Ch.ProcDataOut_List.has_value());
    EXPECT_EQ(Ch.PD_Get_Index(true, QStringLiteral("PDI"), QStringLiteral("1")), -1);
}

TEST(ChannelLookup, EventsByCodeFirstMatchWins)
{
    TChannel_IOLink Ch;
    EXPECT_EQ(Ch.Event_Get_Index(6144), -1);
    for (const Integer Code : {16912, 6144, 6144}) {
        auto Event = std::make_unique<TEventObjValue>();
        Event->RealCode = Code;
        Ch.Event_List.push_back(std::move(Event));
    }
    EXPECT_EQ(Ch.Event_Get_Index(16912), 0);
    EXPECT_EQ(Ch.Event_Get_Index(6144), 1);
    EXPECT_EQ(Ch.Event_Get_Index(-1), -1);
}
