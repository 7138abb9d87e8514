// The variables page of the IO-Link window: rows per variable and item,
// their values from the port's entries, colours, editability and the
// hidden columns.
#include "IOLinkPagesTestSupport.h"

using namespace pages_test;

namespace {

struct TVarRow {
    const char* Index;
    const char* SubIndex;
};

// The fixture valve's device variables in order (its two standard
// variable references are not shown): whole rows then elements and items.
const std::vector<TVarRow> Valve_Rows = {
    {"64", ""},  {"65", ""},  {"66", ""},  {"67", ""},  {"68", ""},  {"70", ""}, {"70", "0"},
    {"70", "1"}, {"70", "2"}, {"71", ""},  {"71", "1"}, {"71", "2"}, {"71", "3"}, {"72", ""},
    {"72", "0"}, {"72", "1"}, {"73", ""},  {"1", ""}};
constexpr Integer Limits_Row = 6;   // V_Limits, array of three
constexpr Integer Setup_Row = 10;   // V_Setup, record of three

TEST(IOLinkPagesVariables, OneRowPerVariableThenOnePerElementOrItem)
{
    TPagesWindow P;
    P.Insert(PortA, ValveFile);
    TExStringGrid* G = P.W->ESG_Var;
    ASSERT_EQ(G->RowCount(), Integer(Valve_Rows.size()) + 1);
    for (std::size_t I = 0; I < Valve_Rows.size(); ++I) {
        const Integer R = Integer(I) + 1;
        EXPECT_EQ(G->Cells(1, R), QString::fromLatin1(Valve_Rows[I].Index)) << R;
        EXPECT_EQ(G->Cells(2, R), QString::fromLatin1(Valve_Rows[I].SubIndex)) << R;
    }
    // The whole array: id, name, no sub-index access given; its length, as
    // the port's entry has it, twice.
    const TChannel_IOLink& Ch = P.Ch(PortA);
    const String Whole_Length = Ch.Var_List.at(std::size_t(Ch.Get_Index(u"70"_qs, String())))->Dimension;
    EXPECT_EQ(TPagesWindow::Row(G, Limits_Row, {3, 4, 6, 7, 8, 9, 10}),
              std::vector<String>({u"V_Limits"_qs, u"TI_Limits"_qs, u"Read Write"_qs, Whole_Length, u"False"_qs,
                                   Whole_Length, u"0"_qs}));
    // An element: the element type and length, the variable's total length.
    EXPECT_EQ(TPagesWindow::Row(G, Limits_Row + 2, {3, 4, 5, 6, 7, 8, 9, 10, 11}),
              std::vector<String>({String(), u"TI_Limits"_qs, u"IntegerT"_qs, u"Read Write"_qs, u"16"_qs,
                                   u"False"_qs, Whole_Length, u"0"_qs, String()}));
    // Record items: names, types, lengths and bit offsets of the items.
    EXPECT_EQ(TPagesWindow::Row(G, Setup_Row + 1, {4, 5, 7, 9, 10}), S({"TI_Speed", "UIntegerT", "8", "24", "16"}));
    EXPECT_EQ(TPagesWindow::Row(G, Setup_Row + 2, {4, 5, 7, 9, 10}), S({"TI_Reverse", "BooleanT", "1", "24", "8"}));
    EXPECT_EQ(TPagesWindow::Row(G, Setup_Row + 3, {4, 5, 7, 9, 10}), S({"TI_Step", "UIntegerT", "4", "24", "0"}));
    // A simple variable with its default value.
    EXPECT_EQ(TPagesWindow::Row(G, 1, {3, 5, 7, 11}), S({"V_Mode", "UIntegerT", "8", "0"}));
    EXPECT_EQ(TPagesWindow::Row(G, 14, {3, 8}), S({"V_Counts", "True"}));
}

TEST(IOLinkPagesVariables, ValuesAndBoxesComeFromThePortsEntryOfThatIndexAndSubIndex)
{
    TPagesWindow P;
    ASSERT_TRUE(P.W->Core.Insert_IODD_File(PortA, CatalogFile(ValveFile)));
    TChannel_IOLink& Ch = P.Ch(PortA);
    TVarObjValue& Element = *Ch.Var_List.at(std::size_t(Ch.Get_Index(u"70"_qs, u"1"_qs)));
    Element.Enable = true;
    Element.Value = u"-5"_qs;
    Element.Position = u"12"_qs;
    Element.Bit = u"3"_qs;
    Element.On_Timer = true;
    Element.Time = u"250"_qs;
    Element.ReadTime = u"9"_qs;
    P.W->Show_Data_IODD(PortA);
    TExStringGrid* G = P.W->ESG_Var;
    const Integer R = Limits_Row + 2;
    EXPECT_TRUE(G->IsChecked(0, R));
    EXPECT_EQ(TPagesWindow::Row(G, R, {12, 13, 14, 18, 19}), S({"-5", "12", "3", "250", "9"}));
    EXPECT_FALSE(G->IsChecked(15, R));
    EXPECT_FALSE(G->IsChecked(16, R));
    EXPECT_TRUE(G->IsChecked(17, R));
    // The neighbours keep their own (empty) entries.
    EXPECT_FALSE(G->IsChecked(0, R - 1));
    EXPECT_EQ(G->Cells(12, R + 1), String());
}

TEST(IOLinkPagesVariables, WholeArrayOrRecordRowHasItsBoxCleared)
{
    TPagesWindow P;
    ASSERT_TRUE(P.W->Core.Insert_IODD_File(PortA, CatalogFile(ValveFile)));
    // Even an entry set enabled by hand shows no tick on the whole record.
    TChannel_IOLink& Ch = P.Ch(PortA);
    Ch.Var_List.at(std::size_t(Ch.Get_Index(u"71"_qs, String())))->Enable = true;
    P.W->Show_Data_IODD(PortA);
    EXPECT_TRUE(P.W->ESG_Var->HasCheckBox(0, Setup_Row));
    EXPECT_FALSE(P.W->ESG_Var->IsChecked(0, Setup_Row));
}

TEST(IOLinkPagesVariables, ColoursAlternateByVariableAndByColumnGroup)
{
    TPagesWindow P;
    P.Insert(PortA, ValveFile);
    TExStringGrid* G = P.W->ESG_Var;
    const TColor EditFirst = RGB(185, 255, 255), OtherFirst = RGB(187, 255, 187);
    const TColor EditSecond = RGB(255, 231, 206), OtherSecond = RGB(255, 255, 204);
    // Variable 1 (row 1) first group, variable 2 (row 2) second group.
    for (const Integer C : {0, 12, 13, 19})
        EXPECT_EQ(G->Colors(C, 1), EditFirst) << C;
    for (const Integer C : {1, 4, 11, 20})
        EXPECT_EQ(G->Colors(C, 1), OtherFirst) << C;
    EXPECT_EQ(G->Colors(0, 2), EditSecond);
    EXPECT_EQ(G->Colors(5, 2), OtherSecond);
    // V_Limits is the sixth variable (second group), its elements follow it;
    // V_Setup the seventh (first group).
    for (Integer R = Limits_Row; R < Setup_Row; ++R) {
        EXPECT_EQ(G->Colors(12, R), EditSecond) << R;
        EXPECT_EQ(G->Colors(2, R), OtherSecond) << R;
    }
    EXPECT_EQ(G->Colors(12, Setup_Row + 3), EditFirst);
}

TEST(IOLinkPagesVariables, OnlyTheEnableValueAndHiddenColumnsCanBeEdited)
{
    TPagesWindow P;
    P.Insert(PortA, ValveFile);
    TExStringGrid* G = P.W->ESG_Var;
    for (Integer C = 0; C < TFIO_Link_Set_Access::Var_Columns; ++C) {
        const bool Editable = C == 0 || (C >= 12 && C <= 19);
        EXPECT_EQ(G->ReadOnly(C, 3), !Editable) << C;
    }
}

TEST(IOLinkPagesVariables, ColumnsThirteenToNineteenAreHiddenAndKeepTheirCells)
{
    TPagesWindow P;
    ASSERT_TRUE(P.W->Core.Insert_IODD_File(PortA, CatalogFile(ValveFile)));
    P.Ch(PortA).Var_List.front()->Position = u"7"_qs;
    P.W->Show_Data_IODD(PortA);
    TExStringGrid* G = P.W->ESG_Var;
    for (Integer C = 0; C < TFIO_Link_Set_Access::Var_Columns; ++C)
        EXPECT_EQ(G->IsHiddenColumn(C), C >= 13 && C <= 19) << C;
    EXPECT_EQ(G->ColCount(), 14);
    EXPECT_EQ(G->Cells(13, 1), u"7"_qs);
    EXPECT_EQ(G->Cells(0, 0), u"Enable"_qs);
    EXPECT_EQ(G->Cells(13, 0), u"Position"_qs);
    EXPECT_EQ(G->Cells(20, 0), u"Description"_qs);
    for (const Integer C : {15, 16, 17})
        EXPECT_TRUE(G->HasCheckBox(C, 1)) << C;
}

TEST(IOLinkPagesVariables, PortWithoutVariablesOrDescriptionKeepsHeaderAndOneEmptyRow)
{
    TPagesWindow P;
    P.Insert(PortA, ValveFile);
    P.W->Show_Data_IODD(PortA + 1);
    TExStringGrid* G = P.W->ESG_Var;
    ASSERT_EQ(G->RowCount(), 2);
    for (Integer C = 1; C < TFIO_Link_Set_Access::Var_Columns; ++C)
        EXPECT_EQ(G->Cells(C, 1), String()) << C;
    EXPECT_FALSE(G->IsChecked(0, 1));
    EXPECT_EQ(G->Cells(4, 0), u"Name"_qs);
    // The colours of the port shown before are gone with its rows.
    EXPECT_NE(G->Colors(4, 1), RGB(187, 255, 187));
}

} // namespace
