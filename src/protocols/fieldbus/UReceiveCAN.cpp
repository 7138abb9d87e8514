#include "protocols/fieldbus/UReceiveCAN.h"

#include "shell/UComon.h"
#include "shell/ULanguage.h"

TFReceiveCAN* FReceiveCAN = nullptr;

namespace {
namespace can_rx {

enum { Enable = 1, COBID, Type, Dim, TimeOut, Byte1, Mnemonic = 14 };

constexpr Integer Max_COBID_11 = 2047;
constexpr Integer Max_COBID_29 = 0x1FFFFFFF;

const TCAN_Row_Layout Layout{COBID, Type, Dim, Byte1};
const TCAN_Row_Texts Texts{2345, 2346, 2347, 2349};

TTable_Desc Receive_Desc()
{
    TTable_Desc D{nullptr, TFReceiveCAN::Data_Rows + 1, COBID, Enable, -1, true,
                  {{2308, edNormal, 40},
                   {2309, edDataCheckBox, 50, CAN_Enable_Color},
                   {2310, edNormal, 90, CAN_Frame_Color},
                   {2311, edComboList, 90, CAN_Frame_Color, CAN_Types()},
                   {2312, edNormal, 70, CAN_Frame_Color},
                   {2313, edNormal, 75, CAN_Time_Color}},
                  // Columns 1 to 4 take the text after 2328, the others
                  // skip 2333, a text no column of this table has.
                  {2329, 2330, 2331, 2332, 2334, 2335, 2336, 2337, 2338, 2339, 2340, 2341, 2342, 2343},
                  {{"Enable", Enable, "Y"}, {"COBID", COBID, ""}, {"CAN_Type", Type, ""}, {"Dim", Dim, ""},
                   {"TimeOut", TimeOut, "0"}}};
    static const char* const Byte_Names[8] = {"Byte1", "Byte2", "Byte3", "Byte4",
                                              "Byte5", "Byte6", "Byte7", "Byte8"};
    for (Integer K = 0; K < 8; ++K) {
        D.Columns.push_back({2314 + K, edComboList, 48, CAN_Byte_Color});
        D.Attributes.push_back({Byte_Names[K], Byte1 + K, ""});
    }
    D.Columns.push_back({2322, edNormal, 185});
    D.Attributes.push_back({"Mnemonic", Mnemonic, ""});
    return D;
}

} // namespace can_rx
} // namespace

QStringList CAN_Types()
{
    return {QStringLiteral("2.0A (11 bits)"), QStringLiteral("2.0B (29 bits)")};
}

std::optional<String> Check_CAN_Frame(TExStringGrid* Grid, Integer ARow, const TCAN_Row_Layout& L,
                                      const TCAN_Row_Texts& T, bool Extended)
{
    if (!TTable_Form::In_Range(Grid, L.COBID, ARow, 0, Extended ? can_rx::Max_COBID_29 : can_rx::Max_COBID_11))
        return Lang.Strings(Extended ? T.COBID_29 : T.COBID_11);
    if (!TTable_Form::In_Range(Grid, L.Dim, ARow, 1, 8))
        return Lang.Strings(T.Dim);
    return std::nullopt;
}

std::optional<String> Check_CAN_Bytes(TExStringGrid* Grid, Integer ARow, const TCAN_Row_Layout& L,
                                      const TCAN_Row_Texts& T, Integer Max_Byte)
{
    const Integer Dimension = TTable_Form::Cell_Number(Grid, L.Dim, ARow);
    for (Integer K = 1; K <= Dimension; ++K) {
        const String Text = Grid->Cells(L.Byte1 + K - 1, ARow).trimmed();
        if (Text.isEmpty() || Text == QLatin1String("None"))
            continue;
        if (!TTable_Form::In_Range(Grid, L.Byte1 + K - 1, ARow, 0, Max_Byte - 1))
            return TTable_Form::Limit_Text(K == 1 ? T.Byte1 : T.Byte1 + K, Max_Byte - 1) +
                   Lang.Strings(T.Byte1 + 1);
    }
    return std::nullopt;
}

void Fill_CAN_Byte_Items(TExColumnGrid* Grid, Integer First_Byte, Integer Max_Byte)
{
    QStringList Items;
    Items.reserve(Max_Byte + 1);
    Items << QStringLiteral("None");
    for (Integer I = 0; I < Max_Byte; ++I)
        Items << QString::number(I);
    const String Text = Items.join(u'\n');
    for (Integer K = 0; K < 8; ++K)
        Grid->Columns()->Items(First_Byte + K)->ComboItems()->SetText(Text);
}

TFReceiveCAN::TFReceiveCAN(TComponent* AOwner)
    : TTable_Form(AOwner, Lang_First,
                  TTable_Window_Desc{"Receive_Frames", "1.004", &File_CAN_Rec_Frames, 1010, 337,
                                     TTable_Texts{{2302, 2303, 2304, 2305, 2306, 2307},
                                                  {2323, 2324, 2325, 2326, 2327, 2328},
                                                  2344,
                                                  2358}})
{
    TTable& T = Add_Table(can_rx::Receive_Desc());
    ECG_CAN_Receive = T.Grid;
    Hint_ReceiveCAN = T.Hints.get();
}

void TFReceiveCAN::Prepare_Tables()
{
    MAX_Byte = 1440;
    Fill_CAN_Byte_Items(ECG_CAN_Receive, can_rx::Byte1, MAX_Byte);
}

bool TFReceiveCAN::Row_Enabled(Integer, Integer ARow)
{
    return Is_Checked(ECG_CAN_Receive, can_rx::Enable, ARow);
}

std::optional<String> TFReceiveCAN::Check_Row(Integer, Integer ARow)
{
    const bool Extended = ECG_CAN_Receive->Cells(can_rx::Type, ARow).trimmed() != CAN_Types().first();
    if (auto Error = Check_CAN_Frame(ECG_CAN_Receive, ARow, can_rx::Layout, can_rx::Texts, Extended))
        return Error;
    if (!In_Range(ECG_CAN_Receive, can_rx::TimeOut, ARow, 0, 100000000))
        return Lang.Strings(2348);
    return Check_CAN_Bytes(ECG_CAN_Receive, ARow, can_rx::Layout, can_rx::Texts, MAX_Byte);
}
