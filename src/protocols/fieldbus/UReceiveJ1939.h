#pragma once
// The J1939 receive frame table window ("J1939_Rec_Frames.xml"): the
// parameter groups the gateway picks up from the bus and which of their
// bytes it keeps. TPGN_Receive_Form holds what it shares with the NMEA 2000
// receive window.
#include "protocols/UTable_Form.h"

// Colours of the J1939 and NMEA 2000 columns.
inline constexpr TColor PGN_Blue_Color = RGB(0xE0, 0xFA, 0xFE);
inline constexpr TColor PGN_Yellow_Color = RGB(0xFF, 0xFF, 0xA8);
inline constexpr TColor PGN_Green_Color = RGB(0xCA, 0xFF, 0xCA);
inline constexpr TColor PGN_Pink_Color = RGB(0xFC, 0xD6, 0xF4);
inline constexpr TColor PGN_Orange_Color = RGB(0xFF, 0xD8, 0xB0);

// Where a receive row keeps its values (-1: the window has no such column)
// and the limits of its checks.
struct TPGN_Receive_Layout {
    Integer Data_Page, PGN, SA, TP, FP, Start, NByte, On_Request, Time;
    Integer PGN_Max, SA_Max;
};
// The texts of the checks. A byte window's Start text is followed by its
// sum text; Single is the first of the four single-frame texts (both
// filled, Start, N Byte, sum).
struct TPGN_Receive_Texts {
    Integer Data_Page, PGN, SA, TP_Start, FP_Start, Single, Too_Many, Time;
};

// A receive table of parameter groups: a row keeps a window of bytes from
// a transported (or fast-packet) group or from a single frame, and the
// bytes of all rows together must fit the exchange data.
class TPGN_Receive_Form : public TTable_Form {
public:
    // Capacity for received data in bytes.
    Integer NUM_BYTE_IN;

protected:
    TPGN_Receive_Form(TComponent* AOwner, Integer Caption_Text, TTable_Window_Desc Window,
                      TPGN_Receive_Layout Layout, TPGN_Receive_Texts Texts, Integer Capacity);

    TExColumnGrid* Grid() { return Table(0).Grid; }
    void Prepare_Tables() override;
    void Before_Check() override { FBytes = 0; }
    // The row's own checks up to its byte window.
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
    // Those, then the bytes of the rows so far, then the request time.
    std::optional<String> Row_Error(Integer Table_Index, Integer ARow) override;

private:
    std::optional<String> Check_Byte_Window(Integer ARow, Integer Max, Integer Start_Text);
    std::optional<String> Check_Single_Frame(Integer ARow);
    // The bytes a row that passed its checks takes.
    Integer Counted_Bytes(Integer ARow);

    TPGN_Receive_Layout FLayout;
    TPGN_Receive_Texts FTexts;
    Integer FCapacity;
    Int64 FBytes = 0;
};

class TFReceiveJ1939 : public TPGN_Receive_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2800, Lang_Last = 2847;
    static constexpr Integer Data_Rows = 512;

    explicit TFReceiveJ1939(TComponent* AOwner);

    TExColumnGrid* sga = nullptr;
    TStringList* Hint_ReceiveJ1939 = nullptr;
};

extern TFReceiveJ1939* FReceiveJ1939;
