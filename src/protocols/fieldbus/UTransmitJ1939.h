#pragma once
// The J1939 transmit frame table window ("J1939_Send_Frames.xml"): the
// parameter groups the gateway sends and their triggers.
// TPGN_Transmit_Form holds what it shares with the NMEA 2000 transmit window.
#include "protocols/UTable_Form.h"

// Where a transmit row keeps its values (-1: the window has no such column)
// and the Source Address limit.
struct TPGN_Transmit_Layout {
    Integer Priority, Data_Page, PGN, SA, NByte, On_Timer, Send_Timer;
    Integer SA_Max;
};
struct TPGN_Transmit_Texts {
    Integer Priority, Data_Page, PGN, SA, NByte, Too_Many, Send_Timer;
};

// A transmit table of parameter groups whose bytes together must fit the
// exchange data.
class TPGN_Transmit_Form : public TTable_Form {
public:
    // Capacity for sent data in bytes.
    Integer NUM_BYTE_OUT = 512;

protected:
    TPGN_Transmit_Form(TComponent* AOwner, Integer Caption_Text, TTable_Window_Desc Window,
                       TPGN_Transmit_Layout Layout, TPGN_Transmit_Texts Texts);

    TExColumnGrid* Grid() { return Table(0).Grid; }
    void Prepare_Tables() override { NUM_BYTE_OUT = 512; }
    void Before_Check() override { FBytes = 0; }
    // The row's own checks up to its byte count.
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
    // Those, then the bytes of the rows so far, then the send timer.
    std::optional<String> Row_Error(Integer Table_Index, Integer ARow) override;

private:
    TPGN_Transmit_Layout FLayout;
    TPGN_Transmit_Texts FTexts;
    Int64 FBytes = 0;
};

class TFTransmitJ1939 : public TPGN_Transmit_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2900, Lang_Last = 2943;
    static constexpr Integer Data_Rows = 512;

    explicit TFTransmitJ1939(TComponent* AOwner);

    TExColumnGrid* sga = nullptr;
    TStringList* Hint_TransmitJ1939 = nullptr;

protected:
    // An older file names the trigger in "T_Type"; a missing or empty byte
    // count is a whole frame.
    void Load_Row(Integer Table_Index, const xml::TXMLNode& Row, Integer ARow) override;
};

extern TFTransmitJ1939* FTransmitJ1939;
