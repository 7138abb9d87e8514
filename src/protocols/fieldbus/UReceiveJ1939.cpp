#include "protocols/fieldbus/UReceiveJ1939.h"

#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFReceiveJ1939* FReceiveJ1939 = nullptr;

namespace {
namespace pgn_rx {

// The bytes a transported group, a fast packet and a single frame carry.
constexpr Integer Transport_Bytes = 1785;
constexpr Integer Fast_Packet_Bytes = 223;
constexpr Integer Single_Frame_Bytes = 8;

} // namespace pgn_rx

namespace j1939_rx {

enum { Data_Page = 1, PGN, SA, TP, Start, NByte, Cancel, On_Request, Time, Mnemonic };

TTable_Desc Desc()
{
    return TTable_Desc{nullptr,
                       TFReceiveJ1939::Data_Rows + 1,
                       PGN,
                       -1,
                       -1,
                       true,
                       {{2814, edNormal, 40},
                        {2815, edComboList, 65, PGN_Blue_Color, {QStringLiteral("0"), QStringLiteral("1")}},
                        {2816, edNormal, 85, PGN_Blue_Color},
                        {2817, edNormal, 95, PGN_Blue_Color},
                        {2818, edDataCheckBox, 113, PGN_Yellow_Color},
                        {2819, edNormal, 65, PGN_Green_Color},
                        {2820, edNormal, 55, PGN_Green_Color},
                        {2821, edDataCheckBox, 75, PGN_Pink_Color},
                        {2822, edDataCheckBox, 75, PGN_Orange_Color},
                        {2823, edNormal, 65, PGN_Orange_Color},
                        {2824, edNormal, 120, clWhite}},
                       {2825, 2826, 2827, 2828, 2829, 2830, 2831, 2832, 2833, 2834},
                       {{"DP", Data_Page, ""},
                        {"PGN", PGN, ""},
                        {"SA", SA, ""},
                        {"TP", TP, "N"},
                        {"TP_Start", Start, ""},
                        {"TP_NByte", NByte, ""},
                        {"Delete", Cancel, "N"},
                        {"OnRequest", On_Request, "N"},
                        {"OnReq_Time", Time, "1000"},
                        {"Mnemonic", Mnemonic, ""}},
                       false};
}

} // namespace j1939_rx
} // namespace

TPGN_Receive_Form::TPGN_Receive_Form(TComponent* AOwner, Integer Caption_Text, TTable_Window_Desc Window,
                                     TPGN_Receive_Layout Layout, TPGN_Receive_Texts Texts, Integer Capacity)
    : TTable_Form(AOwner, Caption_Text, Window), NUM_BYTE_IN(Capacity), FLayout(Layout), FTexts(Texts),
      FCapacity(Capacity)
{
}

void TPGN_Receive_Form::Prepare_Tables()
{
    NUM_BYTE_IN = FCapacity;
}

std::optional<String> TPGN_Receive_Form::Check_Row(Integer, Integer ARow)
{
    const TPGN_Receive_Layout& L = FLayout;
    if (L.Data_Page >= 0 && Grid()->Cells(L.Data_Page, ARow).isEmpty())
        return Lang.Strings(FTexts.Data_Page);
    if (!In_Range(Grid(), L.PGN, ARow, 0, L.PGN_Max))
        return Lang.Strings(FTexts.PGN);
    if (!In_Range(Grid(), L.SA, ARow, 0, L.SA_Max))
        return Lang.Strings(FTexts.SA);
    if (Is_Checked(Grid(), L.TP, ARow))
        return Check_Byte_Window(ARow, pgn_rx::Transport_Bytes, FTexts.TP_Start);
    if (L.FP >= 0 && Is_Checked(Grid(), L.FP, ARow))
        return Check_Byte_Window(ARow, pgn_rx::Fast_Packet_Bytes, FTexts.FP_Start);
    return Check_Single_Frame(ARow);
}

std::optional<String> TPGN_Receive_Form::Check_Byte_Window(Integer ARow, Integer Max, Integer Start_Text)
{
    if (!In_Range(Grid(), FLayout.Start, ARow, 0, Max))
        return Lang.Strings(Start_Text);
    const Int64 Start = Cell_Number(Grid(), FLayout.Start, ARow);
    const Int64 Count = Cell_Number(Grid(), FLayout.NByte, ARow);
    if (Count < 0 || Start + Count > Max)
        return Lang.Strings(Start_Text + 1);
    return std::nullopt;
}

std::optional<String> TPGN_Receive_Form::Check_Single_Frame(Integer ARow)
{
    const bool No_Start = Grid()->Cells(FLayout.Start, ARow).trimmed().isEmpty();
    const bool No_Count = Grid()->Cells(FLayout.NByte, ARow).trimmed().isEmpty();
    if (No_Start && No_Count)
        return std::nullopt;
    if (No_Start || No_Count)
        return Lang.Strings(FTexts.Single);
    if (!In_Range(Grid(), FLayout.Start, ARow, 1, pgn_rx::Single_Frame_Bytes))
        return Lang.Strings(FTexts.Single + 1);
    if (!In_Range(Grid(), FLayout.NByte, ARow, 1, pgn_rx::Single_Frame_Bytes))
        return Lang.Strings(FTexts.Single + 2);
    if (Cell_Number(Grid(), FLayout.Start, ARow) + Cell_Number(Grid(), FLayout.NByte, ARow) >
        pgn_rx::Single_Frame_Bytes)
        return Lang.Strings(FTexts.Single + 3);
    return std::nullopt;
}

Integer TPGN_Receive_Form::Counted_Bytes(Integer ARow)
{
    const bool Window = Is_Checked(Grid(), FLayout.TP, ARow) || (FLayout.FP >= 0 && Is_Checked(Grid(), FLayout.FP, ARow));
    if (!Window && Grid()->Cells(FLayout.Start, ARow).trimmed().isEmpty())
        return pgn_rx::Single_Frame_Bytes;
    return Cell_Number(Grid(), FLayout.NByte, ARow);
}

std::optional<String> TPGN_Receive_Form::Row_Error(Integer Table_Index, Integer ARow)
{
    if (auto Error = TTable_Form::Row_Error(Table_Index, ARow))
        return Error;
    FBytes += Counted_Bytes(ARow);
    if (FBytes > NUM_BYTE_IN)
        return Limit_Text(FTexts.Too_Many, NUM_BYTE_IN);
    if (FLayout.On_Request >= 0 && Is_Checked(Grid(), FLayout.On_Request, ARow) &&
        !In_Range(Grid(), FLayout.Time, ARow, 2, 10000000))
        return Row_Prefixed(ARow, Lang.Strings(FTexts.Time));
    return std::nullopt;
}

TFReceiveJ1939::TFReceiveJ1939(TComponent* AOwner)
    : TPGN_Receive_Form(AOwner, Lang_First,
                        TTable_Window_Desc{"Receive_J1939", "1.000", &File_J1939_Rec_Frames, 876, 337,
                                           TTable_Texts{{2802, 2803, 2804, 2805, 2806, 2807},
                                                        {2808, 2809, 2810, 2811, 2812, 2813},
                                                        2835,
                                                        2847}},
                        TPGN_Receive_Layout{j1939_rx::Data_Page, j1939_rx::PGN, j1939_rx::SA, j1939_rx::TP, -1,
                                            j1939_rx::Start, j1939_rx::NByte, j1939_rx::On_Request, j1939_rx::Time,
                                            0xFFFF, 239},
                        TPGN_Receive_Texts{2836, 2837, 2838, 2839, -1, 2841, 2845, 2846}, 1440)
{
    TTable& T = Add_Table(j1939_rx::Desc());
    sga = T.Grid;
    Hint_ReceiveJ1939 = T.Hints.get();
}
