#include "protocols/fieldbus/UTransmitNMEA.h"

#include "protocols/fieldbus/UReceiveJ1939.h"
#include "shell/UComon.h"

TFTransmitNMEA* FTransmitNMEA = nullptr;

namespace {
namespace nmea_tx {

enum { Priority = 1, PGN, SA, FP, NByte, On_Request, On_Data_Change, On_Timer, Send_Timer, Mnemonic };

TTable_Desc Desc()
{
    return TTable_Desc{nullptr,
                       TFTransmitNMEA::Data_Rows + 1,
                       PGN,
                       -1,
                       -1,
                       true,
                       {{3114, edNormal, 40},
                        {3115, edNormal, 50, PGN_Blue_Color},
                        {3116, edNormal, 75, PGN_Blue_Color},
                        {3117, edNormal, 95, PGN_Blue_Color},
                        {3118, edDataCheckBox, 75, PGN_Pink_Color},
                        {3119, edNormal, 60, PGN_Yellow_Color},
                        {3120, edDataCheckBox, 55, PGN_Green_Color},
                        {3121, edDataCheckBox, 80, PGN_Green_Color},
                        {3122, edDataCheckBox, 64, PGN_Green_Color},
                        {3123, edNormal, 75, PGN_Green_Color},
                        {3124, edNormal, 116}},
                       {3125, 3126, 3127, 3128, 3129, 3130, 3131, 3132, 3133, 3134},
                       {{"Priority", Priority, ""},
                        {"PGN", PGN, ""},
                        {"SA", SA, ""},
                        {"FP", FP, "N"},
                        {"TP_NByte", NByte, ""},
                        {"On_Request", On_Request, "N"},
                        {"On_Data_Change", On_Data_Change, "N"},
                        {"On_Timer", On_Timer, "N"},
                        {"SendTimer", Send_Timer, ""},
                        {"Mnemonic", Mnemonic, ""}},
                       false};
}

} // namespace nmea_tx
} // namespace

TFTransmitNMEA::TFTransmitNMEA(TComponent* AOwner)
    : TPGN_Transmit_Form(AOwner, Lang_First,
                         TTable_Window_Desc{"Receive_NMEA_2000", "1.000", &File_NMEA_Send_Frames, 810, 337,
                                            TTable_Texts{{3102, 3103, 3104, 3105, 3106, 3107},
                                                         {3108, 3109, 3110, 3111, 3112, 3113},
                                                         3135,
                                                         3142}},
                         TPGN_Transmit_Layout{nmea_tx::Priority, -1, nmea_tx::PGN, nmea_tx::SA, nmea_tx::NByte,
                                              nmea_tx::On_Timer, nmea_tx::Send_Timer, 239},
                         TPGN_Transmit_Texts{3136, -1, 3137, 3138, 3139, 3140, 3141})
{
    TTable& T = Add_Table(nmea_tx::Desc());
    sga = T.Grid;
    Hint_TransmitNMEA = T.Hints.get();
}
