#include "protocols/ethernet/USetAccess.h"

#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include <cstring>

TFSetAccess* FSetAccess = nullptr;

// Named: the unity build joins the table windows' sources.
namespace modbus_table {

enum { Read_Position = 8, Read_Start_Bit = 9, Write_Position = 10 };

TTable_Desc Read_Desc()
{
    return TTable_Desc{
        "Modbus_Read",
        TFSetAccess::Data_Rows + 1,
        2,
        1,
        1614,
        true,
        {{1616, edNormal, 40},
         {1617, edDataCheckBox, 50, Modbus_Enable_Color},
         {1618, edNormal, 60, Modbus_Slave_Color},
         {1619, edComboList, 115, Modbus_Slave_Color, Modbus_Read_Types()},
         {1620, edNormal, 60, Modbus_Slave_Color},
         {1621, edNormal, 64, Modbus_Slave_Color},
         {1622, edNormal, 64, Modbus_Time_Color},
         {1623, edNormal, 64, Modbus_Time_Color},
         {1624, edComboList, 61, Modbus_Position_Color},
         {1625, edComboList, 64, Modbus_Position_Color, Start_Bit_Items()},
         {1626, edDataCheckBox, 40, Modbus_Swap_Color},
         {1690, edDataCheckBox, 80, Modbus_Swap_Color},
         {1642, edComboList, 120, Modbus_Topic_Color},
         {1627, edNormal, 120, clWhite}},
        {1643, 1644, 1645, 1646, 1647, 1648, 1649, 1650, 1651, 1652, 1692, 1653, 1654},
        {{"Enable", 1, "Y"},
         {"Slave_ID", 2},
         {"Type", 3},
         {"Address", 4},
         {"NPoint", 5},
         {"PollTime", 6},
         {"MaxError", 7},
         {"Position", 8},
         {"Bit", 9},
         {"Swap", 10, "N"},
         {"SwapWord", 11, "N"},
         {"Index_Topic", TFSetAccess::Read_Topic, "-1"},
         {"Mnemonic", 13}},
    };
}

TTable_Desc Write_Desc()
{
    return TTable_Desc{
        "Modbus_Write",
        TFSetAccess::Data_Rows + 1,
        2,
        1,
        1615,
        false,
        {{1628, edNormal, 40},
         {1629, edDataCheckBox, 50, Modbus_Enable_Color},
         {1630, edNormal, 60, Modbus_Slave_Color},
         {1631, edComboList, 115, Modbus_Slave_Color, Modbus_Write_Types()},
         {1632, edNormal, 60, Modbus_Slave_Color},
         {1633, edNormal, 64, Modbus_Slave_Color},
         {1634, edNormal, 64, Modbus_Time_Color},
         {1635, edDataCheckBox, 68, Modbus_Time_Color},
         {1636, edDataCheckBox, 56, Modbus_Time_Color},
         {1637, edNormal, 64, Modbus_Time_Color},
         {1638, edComboList, 64, Modbus_Position_Color},
         {1639, edComboList, 64, Modbus_Position_Color, Start_Bit_Items()},
         {1640, edDataCheckBox, 40, Modbus_Swap_Color},
         {1691, edDataCheckBox, 80, Modbus_Swap_Color},
         {1641, edNormal, 113, clWhite}},
        {1655, 1656, 1657, 1658, 1659, 1660, 1661, 1662, 1663, 1664, 1665, 1666, 1693, 1667},
        {{"Enable", 1, "Y"},
         {"Slave_ID", 2},
         {"Type", 3},
         {"Address", 4},
         {"NPoint", 5},
         {"PollTime", 6},
         {"OnChange", 7},
         {"OnCMD", 8, "N"},
         {"MaxError", 9},
         {"Position", 10},
         {"Bit", 11},
         {"Swap", 12, "N"},
         {"SwapWord", 13, "N"},
         {"Mnemonic", 14}},
    };
}

const TModbus_Row_Layout Read_Layout{2, 3, 4, 5, 6, 7, Read_Position, Read_Start_Bit, false};
const TModbus_Row_Layout Write_Layout{2, 3, 4, 5, 6, 9, Write_Position, 11, true};
const TModbus_Row_Texts Read_Texts{1669, 1670, 1671, 1672, 1673, 1674, 1675, 1676, 1677};
const TModbus_Row_Texts Write_Texts{1679, 1680, 1681, 1682, 1683, 1684, 1685, 1686, 1687};

bool Is_Topic(const TTable_Attribute& A)
{
    return std::strcmp(A.Name, "Index_Topic") == 0;
}

} // namespace modbus_table

QStringList Modbus_Read_Types()
{
    return {QStringLiteral("Coil Status"), QStringLiteral("Input Status"), QStringLiteral("Holding Register"),
            QStringLiteral("Input Register")};
}

QStringList Modbus_Write_Types()
{
    return {QStringLiteral("Coil Status"), QStringLiteral("Holding Register")};
}

QStringList Start_Bit_Items()
{
    return {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
            QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7")};
}

std::optional<String> Check_Modbus_Row(TExStringGrid* Grid, Integer ARow, const TModbus_Row_Layout& L,
                                       const TModbus_Row_Texts& T, Integer NByte)
{
    if (!TTable_Form::In_Range(Grid, L.Slave, ARow, 1, 247))
        return Lang.Strings(T.Slave);
    const String Type = Grid->Cells(L.Type, ARow);
    if (Type.isEmpty())
        return Lang.Strings(T.Type);
    const String Kind = Type.trimmed().toUpper();
    const bool Bits = Kind == QLatin1String("COIL STATUS") || (!L.Write && Kind == QLatin1String("INPUT STATUS"));
    if (!TTable_Form::In_Range(Grid, L.Address, ARow, 0, 65535))
        return Lang.Strings(T.Address);
    const Integer NPoint_Limit = L.Write ? (Bits ? 1968 : 123) : (Bits ? 2000 : 125);
    if (!TTable_Form::In_Range(Grid, L.NPoint, ARow, 1, NPoint_Limit))
        return TTable_Form::Limit_Text(T.NPoint, NPoint_Limit);
    if (!TTable_Form::In_Range(Grid, L.Poll, ARow, L.Write ? 0 : 1000, 100000000))
        return Lang.Strings(T.Poll);
    if (!TTable_Form::In_Range(Grid, L.Max_Error, ARow, 0, 100000000))
        return Lang.Strings(T.Max_Error);
    if (!TTable_Form::In_Range(Grid, L.Position, ARow, 0, NByte - 1))
        return TTable_Form::Limit_Text(T.Position, NByte - 1);
    const Int64 Position = TTable_Form::Cell_Number(Grid, L.Position, ARow);
    const Int64 NPoint = TTable_Form::Cell_Number(Grid, L.NPoint, ARow);
    Int64 Last = Position + 2 * NPoint - 1;
    if (Bits) {
        if (Grid->Cells(L.Start_Bit, ARow).isEmpty())
            return Lang.Strings(T.Bit);
        const Integer Start_Bit = StrToIntDef(Grid->Cells(L.Start_Bit, ARow), 0);
        Last = Position + (NPoint + Start_Bit - 1) / 8;
    }
    if (Last >= NByte)
        return Lang.Strings(T.Too_Many);
    return std::nullopt;
}

TFSetAccess::TFSetAccess(TComponent* AOwner)
    : TTable_Form(
          AOwner, Lang_First,
          TTable_Window_Desc{
              "EtherNetIP_to_Modbus", "1.000", &File_ModbusM_SetAccess, 956, 337,
              TTable_Texts{{1602, 1603, 1604, 1605, 1606, 1607}, {1608, 1609, 1610, 1611, 1612, 1613}, 1668, 1688}})
{
    TTable& Read = Add_Table(modbus_table::Read_Desc());
    TTable& Write = Add_Table(modbus_table::Write_Desc());
    TS_Modbus_Read = Read.Sheet;
    ECG_Modbus_Read = Read.Grid;
    Hint_Modbus_Set_Access_Read = Read.Hints.get();
    TS_Modbus_Write = Write.Sheet;
    ECG_Modbus_Write = Write.Grid;
    Hint_Modbus_Set_Access_Write = Write.Hints.get();
    ECG_Modbus_Read->OnComboChange = [this](TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                            const String& ASelection) {
        ComboChange(Sender, ACol, ARow, AItemIndex, ASelection);
    };
}

void Modbus_Variant_Setup(TTabSheet* Write_Sheet, TExColumnGrid* Read_Grid, Integer Topic, Integer Position,
                          Integer Start_Bit)
{
    Write_Sheet->SetTabVisible(true);
    if (!Read_Grid->IsHiddenColumn(Topic))
        Read_Grid->HideColumn(Topic);
    for (Integer C : {Position, Start_Bit})
        if (Read_Grid->IsHiddenColumn(C))
            Read_Grid->UnHideColumn(C);
}

void TFSetAccess::Variant_Setup()
{
    Modbus_Variant_Setup(TS_Modbus_Write, ECG_Modbus_Read, Read_Topic, modbus_table::Read_Position,
                         modbus_table::Read_Start_Bit);
}

void TFSetAccess::Prepare_Tables()
{
    ComboItem_Topic.assign(std::size_t(Data_Rows), -1);
    NByte_IN = 1500;
    NByte_OUT = 1500;
    Fill_Items(ECG_Modbus_Read, modbus_table::Read_Position, NByte_IN);
    Fill_Items(ECG_Modbus_Write, modbus_table::Write_Position, NByte_OUT);
}

std::optional<String> TFSetAccess::Check_Row(Integer Table_Index, Integer ARow)
{
    if (Table_Index == 0)
        return Check_Modbus_Row(ECG_Modbus_Read, ARow, modbus_table::Read_Layout, modbus_table::Read_Texts, NByte_IN);
    return Check_Modbus_Row(ECG_Modbus_Write, ARow, modbus_table::Write_Layout, modbus_table::Write_Texts, NByte_OUT);
}

void TFSetAccess::Load_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow, const String& Value)
{
    if (!modbus_table::Is_Topic(A)) {
        TTable_Form::Load_Value(Table_Index, A, ARow, Value);
        return;
    }
    const Integer Index = StrToIntDef(Value, -1);
    ComboItem_Topic[std::size_t(ARow - 1)] = Index;
    ECG_Modbus_Read->SetCells(Read_Topic, ARow, Get_Topic_From_Index(Index));
}

String TFSetAccess::Save_Value(Integer Table_Index, const TTable_Attribute& A, Integer ARow)
{
    if (!modbus_table::Is_Topic(A))
        return TTable_Form::Save_Value(Table_Index, A, ARow);
    return QString::number(
        Get_Index_From_Topic(ECG_Modbus_Read->Cells(Read_Topic, ARow), ComboItem_Topic[std::size_t(ARow - 1)]));
}

void TFSetAccess::ComboChange(TObject*, Integer ACol, Integer ARow, Integer AItemIndex, const String&)
{
    if (ACol == Read_Topic && ARow >= 1 && ARow <= Data_Rows)
        ComboItem_Topic[std::size_t(ARow - 1)] = AItemIndex;
}

String TFSetAccess::Get_Topic_From_Index(Integer Index) const
{
    return Index >= 0 && Index < List_Publish_Topic.Count() ? List_Publish_Topic.Strings(Index) : String();
}

Integer TFSetAccess::Get_Index_From_Topic(const String& Topic, Integer Index) const
{
    if (Index >= 0 && Index < List_Publish_Topic.Count() && List_Publish_Topic.Strings(Index) == Topic)
        return Index;
    for (Integer I = 0; I < List_Publish_Topic.Count(); ++I)
        if (List_Publish_Topic.Strings(I) == Topic)
            return I;
    return -1;
}
