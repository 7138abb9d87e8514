#pragma once
// The CANopen PDO table window ("PDO_CANopen.xml"): the receive PDOs, whose
// bytes go to positions of the input side of the exchange data, and the
// transmit PDOs, whose bytes come from the output side. The EDS writer
// declares these PDOs.
#include "protocols/UTable_Form.h"

// Address columns First_Col to First_Col + Count - 1 of a row in 0 to
// Max_Byte - 1; the failing column k (from 0) gives Lang[First_Text + k]
// followed by Max_Byte - 1. The CANopen windows share it.
std::optional<String> CANopen_Address_Error(TExStringGrid* Grid, Integer ARow, Integer First_Col, Integer Count,
                                            Integer Max_Byte, Integer First_Text);

// The address columns an SDO row of N Byte bytes fills: 2 and 4 their own
// count, any other (it fails its own check) 1.
Integer SDO_Address_Count(Integer NByte);
// N Byte is 1, 2 or 4.
bool SDO_NByte_Valid(Integer NByte);

class TFSet_PDO_Access : public TTable_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 2500, Lang_Last = 2591;
    static constexpr Integer Data_Rows = 30;

    explicit TFSet_PDO_Access(TComponent* AOwner);

    TTabSheet* TS_Receive_PDO = nullptr;
    TTabSheet* TS_Transmit_PDO = nullptr;
    TExColumnGrid* sga = nullptr;
    TExColumnGrid* sgb = nullptr;
    TStringList* Hint_PDO_Receive = nullptr;
    TStringList* Hint_PDO_Transmit = nullptr;
    // Byte counts of the input and output side of the exchange data.
    Integer PROFINET_NByte_IN = 1440;
    Integer PROFINET_NByte_OUT = 1440;

protected:
    void Prepare_Tables() override;
    std::optional<String> Check_Row(Integer Table_Index, Integer ARow) override;
};

extern TFSet_PDO_Access* FSet_PDO_Access;
