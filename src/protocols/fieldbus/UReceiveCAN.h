#pragma once
// The CAN receive frame table window ("CAN_Rec_Frames.xml"): the frames the
// gateway takes from the CAN network and where each of their bytes goes in
// the exchange data. The helpers below serve the transmit window too.
#include "protocols/UTable_Form.h"

// Colours of the CAN columns.
inline constexpr TColor CAN_Enable_Color = RGB(0xFF, 0xD8, 0xB0);
inline constexpr TColor CAN_Frame_Color = RGB(0xE0, 0xFA, 0xFE);
inline constexpr TColor CAN_Time_Color = RGB(0xA8, 0xFF, 0xA8);
inline constexpr TColor CAN_Byte_Color = RGB(0xFC, 0xD6, 0xF4);

// The Type column's items; the first one is the 11-bit frame.
QStringList CAN_Types();

// Where a CAN row keeps its frame and bytes, and the texts of their checks.
// Byte k's text is Byte1 for k = 1 and Byte1 + k above; the suffix " or
// None" is Byte1 + 1.
struct TCAN_Row_Layout {
    Integer COBID, Type, Dim, Byte1;
};
struct TCAN_Row_Texts {
    Integer COBID_11, COBID_29, Dim, Byte1;
};

// The COB-ID against the range of the frame kind, then the Dimension.
std::optional<String> Check_CAN_Frame(TExStringGrid* Grid, Integer ARow, const TCAN_Row_Layout& Layout,
                                      const TCAN_Row_Texts& Texts, bool Extended);
// The Byte cells up to the Dimension that are neither blank nor "None".
std::optional<String> Check_CAN_Bytes(TExStringGrid* Grid, Integer ARow, const TCAN_Row_Layout& Layout,
                                      const TCAN_Row_Texts& Texts, Integer Max_Byte);
// Offers "None" and the positions 0 to Max_Byte - 1 in the eight Byte columns.
void Fill_CAN_Byte_Items(TExColumnGrid* Grid, Integer First_Byte, Integer Max_Byte);

class TFReceiveCAN : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2300, Lang_Last = 2358;
    static constexpr Integer Data_Rows = 512;

    explicit TFReceiveCAN(TComponent* AOwner);

    TExColumnGrid* ECG_CAN_Receive = nullptr;
    TStringList* Hint_ReceiveCAN = nullptr;
    // Size of the exchange data in bytes.
    Integer MAX_Byte = 1440;

protected:
    void Prepare_Tables() override;
    bool Row_Enabled(Integer Table_Index, Integer ARow) override;
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
};

extern TFReceiveCAN* FReceiveCAN;
