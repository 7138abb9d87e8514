#include "protocols/fieldbus/UTransmitJ1939.h"

#include "protocols/fieldbus/UReceiveJ1939.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFTransmitJ1939* FTransmitJ1939 = nullptr;

namespace {
namespace j1939_tx {

enum { Priority = 1, Data_Page, PGN, SA, NByte, On_Request, On_Data_Change, On_Timer, Send_Timer, Mnemonic };

TTable_Desc Desc()
{
    return TTable_Desc{nullptr,
                       TFTransmitJ1939::Data_Rows + 1,
                       PGN,
                       -1,
                       -1,
                       true,
                       {{2914, edNormal, 40},
                        {2915, edNormal, 50, PGN_Blue_Color},
                        {2916, edComboList, 65, PGN_Blue_Color, {QStringLiteral("0"), QStringLiteral("1")}},
                        {2917, edNormal, 85, PGN_Blue_Color},
                        {2918, edNormal, 95, PGN_Blue_Color},
                        {2919, edNormal, 60, PGN_Yellow_Color},
                        {2920, edDataCheckBox, 55, PGN_Green_Color},
                        {2921, edDataCheckBox, 80, PGN_Green_Color},
                        {2922, edDataCheckBox, 60, PGN_Green_Color},
                        {2923, edNormal, 70, PGN_Green_Color},
                        {2924, edNormal, 115, clWhite}},
                       {2925, 2926, 2927, 2928, 2929, 2930, 2931, 2932, 2933, 2934},
                       {{"Priority", Priority, ""},
                        {"DP", Data_Page, ""},
                        {"PGN", PGN, ""},
                        {"SA", SA, ""},
                        {"TP_NByte", NByte, "8"},
                        {"On_Request", On_Request, "N"},
                        {"On_Data_Change", On_Data_Change, "N"},
                        {"On_Timer", On_Timer, "N"},
                        {"SendTimer", Send_Timer, ""},
                        {"Mnemonic", Mnemonic, ""}},
                       false};
}

} // namespace j1939_tx
} // namespace

TPGN_Transmit_Form::TPGN_Transmit_Form(TComponent* AOwner, Integer Caption_Text, TTable_Window_Desc Window,
                                       TPGN_Transmit_Layout Layout, TPGN_Transmit_Texts Texts)
    : TTable_Form(AOwner, Caption_Text, Window), FLayout(Layout), FTexts(Texts)
{
}

std::optional<String> TPGN_Transmit_Form::Check_Row(Integer, Integer ARow)
{
    const TPGN_Transmit_Layout& L = FLayout;
    if (!In_Range(Grid(), L.Priority, ARow, 0, 7))
        return Lang.Strings(FTexts.Priority);
    if (L.Data_Page >= 0 && Grid()->Cells(L.Data_Page, ARow).isEmpty())
        return Lang.Strings(FTexts.Data_Page);
    if (!In_Range(Grid(), L.PGN, ARow, 0, 0x1FFFF))
        return Lang.Strings(FTexts.PGN);
    if (!In_Range(Grid(), L.SA, ARow, 0, L.SA_Max))
        return Lang.Strings(FTexts.SA);
    if (!In_Range(Grid(), L.NByte, ARow, 0, NUM_BYTE_OUT))
        return Limit_Text(FTexts.NByte, NUM_BYTE_OUT);
    return std::nullopt;
}

std::optional<String> TPGN_Transmit_Form::Row_Error(Integer Table_Index, Integer ARow)
{
    if (auto Error = TTable_Form::Row_Error(Table_Index, ARow))
        return Error;
    FBytes += Cell_Number(Grid(), FLayout.NByte, ARow);
    if (FBytes > NUM_BYTE_OUT)
        return Limit_Text(FTexts.Too_Many, NUM_BYTE_OUT);
    if (Is_Checked(Grid(), FLayout.On_Timer, ARow) && !In_Range(Grid(), FLayout.Send_Timer, ARow, 1, 65535))
        return Row_Prefixed(ARow, Lang.Strings(FTexts.Send_Timer));
    return std::nullopt;
}

TFTransmitJ1939::TFTransmitJ1939(TComponent* AOwner)
    : TPGN_Transmit_Form(AOwner, Lang_First,
                         TTable_Window_Desc{"Transmit_J1939", "1.000", &File_J1939_Send_Frames, 800, 337,
                                            TTable_Texts{{2902, 2903, 2904, 2905, 2906, 2907},
                                                         {2908, 2909, 2910, 2911, 2912, 2913},
                                                         2935,
                                                         2943}},
                         TPGN_Transmit_Layout{j1939_tx::Priority, j1939_tx::Data_Page, j1939_tx::PGN, j1939_tx::SA,
                                              j1939_tx::NByte, j1939_tx::On_Timer, j1939_tx::Send_Timer, 255},
                         TPGN_Transmit_Texts{2936, 2937, 2938, 2939, 2940, 2941, 2942})
{
    TTable& T = Add_Table(j1939_tx::Desc());
    sga = T.Grid;
    Hint_TransmitJ1939 = T.Hints.get();
}

void TFTransmitJ1939::Load_Row(Integer Table_Index, const xml::TXMLNode& Row, Integer ARow)
{
    TPGN_Transmit_Form::Load_Row(Table_Index, Row, ARow);
    if (sga->Cells(j1939_tx::NByte, ARow).isEmpty())
        sga->SetCells(j1939_tx::NByte, ARow, QStringLiteral("8"));
    const std::optional<String> Trigger = Row.Attribute("T_Type");
    if (!Trigger)
        return;
    const String Kind = Trigger->toUpper();
    sga->SetCells(j1939_tx::On_Request, ARow, QStringLiteral("N"));
    sga->SetCells(j1939_tx::On_Data_Change, ARow, QLatin1String(Kind == QLatin1String("ON DATA CHANGE") ? "Y" : "N"));
    sga->SetCells(j1939_tx::On_Timer, ARow, QLatin1String(Kind == QLatin1String("ON TIMER") ? "Y" : "N"));
}
