#pragma once
// The CAN transmit frame table window ("CAN_Send_Frames.xml"): the frames
// the gateway sends, where each of their bytes comes from in the exchange
// data, and whether a frame goes on a data change, on command or on a timer.
#include "protocols/UTable_Form.h"

class TFTransmitCAN : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2400, Lang_Last = 2463;
    static constexpr Integer Data_Rows = 512;

    explicit TFTransmitCAN(TComponent* AOwner);

    TExColumnGrid* ECG_CAN_Transmit = nullptr;
    TStringList* Hint_TransmitCAN = nullptr;
    // Size of the exchange data in bytes.
    Integer MAX_Byte = 1440;
    // 1: each row's Type chooses the COB-ID range and Time is checked; 0:
    // CAN_Type chooses for every row and Time is not checked.
    Integer Hard_Type = 1;
    // The window-wide frame kind (0: 11 bits) and the defaults of rows
    // loaded without a sending mode or Time; nothing sets them.
    Integer CAN_Type = 0;
    Integer Send_Type = 0;
    Integer Send_Time = 0;

protected:
    void Prepare_Tables() override;
    void Load_Row(Integer Table_Index, const xml::TXMLNode& Row, Integer ARow) override;
    bool Row_Enabled(Integer Table_Index, Integer ARow) override;
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
};

extern TFTransmitCAN* FTransmitCAN;
