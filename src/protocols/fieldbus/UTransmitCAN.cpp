#include "protocols/fieldbus/UTransmitCAN.h"

#include "protocols/fieldbus/UReceiveCAN.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFTransmitCAN* FTransmitCAN = nullptr;

namespace {
namespace can_tx {

enum { Enable = 1, COBID, Type, Dim, OnChange, OnCMD, OnTimer, Time, Byte1, Mnemonic = 17 };

const TCAN_Row_Layout Layout{COBID, Type, Dim, Byte1};
const TCAN_Row_Texts Texts{2448, 2449, 2450, 2452};

TTable_Desc Transmit_Desc()
{
    // Type, OnChange, OnTimer and Time have defaults that follow the
    // window's fields; Load_Row gives them.
    TTable_Desc D{nullptr, TFTransmitCAN::Data_Rows + 1, COBID, Enable, -1, true,
                  {{2408, edNormal, 40},
                   {2409, edDataCheckBox, 50, CAN_Enable_Color},
                   {2410, edNormal, 90, CAN_Frame_Color},
                   {2411, edComboList, 90, CAN_Frame_Color, CAN_Types()},
                   {2412, edNormal, 70, CAN_Frame_Color},
                   {2413, edDataCheckBox, 65, CAN_Time_Color},
                   {2462, edDataCheckBox, 50, CAN_Time_Color},
                   {2414, edDataCheckBox, 55, CAN_Time_Color},
                   {2415, edNormal, 70, CAN_Time_Color}},
                  {2431, 2432, 2433, 2434, 2435, 2463, 2436, 2437, 2438, 2439, 2440, 2441, 2442, 2443, 2444, 2445,
                   2446},
                  {{"Enable", Enable, "Y"},
                   {"COBID", COBID, ""},
                   {"CAN_Type", Type, ""},
                   {"Dim", Dim, ""},
                   {"OnChange", OnChange, ""},
                   {"OnCMD", OnCMD, "N"},
                   {"OnTimer", OnTimer, ""},
                   {"Time", Time, ""}}};
    static const char* const Byte_Names[8] = {"Byte1", "Byte2", "Byte3", "Byte4",
                                              "Byte5", "Byte6", "Byte7", "Byte8"};
    for (Integer K = 0; K < 8; ++K) {
        D.Columns.push_back({2416 + K, edComboList, 48, CAN_Byte_Color});
        D.Attributes.push_back({Byte_Names[K], Byte1 + K, ""});
    }
    D.Columns.push_back({2424, edNormal, 110});
    D.Attributes.push_back({"Mnemonic", Mnemonic, ""});
    return D;
}

} // namespace can_tx
} // namespace

TFTransmitCAN::TFTransmitCAN(TComponent* AOwner)
    : TTable_Form(AOwner, Lang_First,
                  TTable_Window_Desc{"Transmit_Frames", "1.004", &File_CAN_Send_Frames, 1100, 337,
                                     TTable_Texts{{2402, 2403, 2404, 2405, 2406, 2407},
                                                  {2425, 2426, 2427, 2428, 2429, 2430},
                                                  2447,
                                                  2461}})
{
    TTable& T = Add_Table(can_tx::Transmit_Desc());
    ECG_CAN_Transmit = T.Grid;
    Hint_TransmitCAN = T.Hints.get();
}

void TFTransmitCAN::Prepare_Tables()
{
    MAX_Byte = 1440;
    Hard_Type = 1;
    Fill_CAN_Byte_Items(ECG_CAN_Transmit, can_tx::Byte1, MAX_Byte);
}

void TFTransmitCAN::Load_Row(Integer Table_Index, const xml::TXMLNode& Row, Integer ARow)
{
    TTable_Form::Load_Row(Table_Index, Row, ARow);
    const auto Default = [&](const char* Name, Integer ACol, const String& Value) {
        if (!Row.Attribute(Name))
            ECG_CAN_Transmit->SetCells(ACol, ARow, Value);
    };
    Default("CAN_Type", can_tx::Type, CAN_Types()[CAN_Type != 0 ? 1 : 0]);
    Default("OnChange", can_tx::OnChange, QLatin1String(Send_Type != 0 ? "N" : "Y"));
    Default("OnTimer", can_tx::OnTimer, QLatin1String(Send_Type == 1 ? "Y" : "N"));
    if (ECG_CAN_Transmit->Cells(can_tx::OnTimer, ARow) == QLatin1String("Y"))
        Default("Time", can_tx::Time, QString::number(Send_Time));
}

bool TFTransmitCAN::Row_Enabled(Integer, Integer ARow)
{
    return Is_Checked(ECG_CAN_Transmit, can_tx::Enable, ARow);
}

std::optional<String> TFTransmitCAN::Check_Row(Integer, Integer ARow)
{
    const bool Extended = Hard_Type != 0 ? ECG_CAN_Transmit->Cells(can_tx::Type, ARow).trimmed() != CAN_Types().first()
                                         : CAN_Type != 0;
    if (auto Error = Check_CAN_Frame(ECG_CAN_Transmit, ARow, can_tx::Layout, can_tx::Texts, Extended))
        return Error;
    if (Hard_Type == 1 && Is_Checked(ECG_CAN_Transmit, can_tx::OnTimer, ARow) &&
        !In_Range(ECG_CAN_Transmit, can_tx::Time, ARow, 0, 100000000))
        return Lang.Strings(2451);
    return Check_CAN_Bytes(ECG_CAN_Transmit, ARow, can_tx::Layout, can_tx::Texts, MAX_Byte);
}
