#include "protocols/fieldbus/UReceiveNMEA.h"

#include "shell/UComon.h"

TFReceiveNMEA* FReceiveNMEA = nullptr;

namespace {
namespace nmea_rx {

enum { PGN = 1, SA, TP, FP, Start, NByte, Cancel, Mnemonic };

TTable_Desc Desc()
{
    return TTable_Desc{nullptr,
                       TFReceiveNMEA::Data_Rows + 1,
                       PGN,
                       -1,
                       -1,
                       true,
                       {{3014, edNormal, 40},
                        {3015, edNormal, 80, PGN_Blue_Color},
                        {3016, edNormal, 95, PGN_Blue_Color},
                        {3017, edDataCheckBox, 113, PGN_Yellow_Color},
                        {3018, edDataCheckBox, 73, PGN_Yellow_Color},
                        {3019, edNormal, 65, PGN_Green_Color},
                        {3020, edNormal, 50, PGN_Green_Color},
                        {3021, edDataCheckBox, 74, PGN_Pink_Color},
                        {3022, edNormal, 195}},
                       {3023, 3024, 3025, 3026, 3027, 3028, 3029, 3030},
                       {{"PGN", PGN, ""},
                        {"SA", SA, ""},
                        {"TP", TP, "N"},
                        {"FP", FP, "N"},
                        {"TP_Start", Start, ""},
                        {"TP_NByte", NByte, ""},
                        {"Delete", Cancel, "N"},
                        {"Mnemonic", Mnemonic, ""}},
                       false};
}

} // namespace nmea_rx
} // namespace

TFReceiveNMEA::TFReceiveNMEA(TComponent* AOwner)
    : TPGN_Receive_Form(AOwner, Lang_First,
                        TTable_Window_Desc{"Receive_NMEA_2000", "1.000", &File_NMEA_Rec_Frames, 810, 337,
                                           TTable_Texts{{3002, 3003, 3004, 3005, 3006, 3007},
                                                        {3008, 3009, 3010, 3011, 3012, 3013},
                                                        3031,
                                                        3043}},
                        TPGN_Receive_Layout{-1, nmea_rx::PGN, nmea_rx::SA, nmea_rx::TP, nmea_rx::FP, nmea_rx::Start,
                                            nmea_rx::NByte, -1, -1, 0x1FFFF, 239},
                        TPGN_Receive_Texts{-1, 3032, 3033, 3034, 3036, 3038, 3042, -1}, 512)
{
    TTable& T = Add_Table(nmea_rx::Desc());
    sga = T.Grid;
    Hint_ReceiveNMEA = T.Hints.get();
}
