#pragma once
// The NMEA 2000 receive frame table window ("NMEA_Rec_Frames.xml"): the
// parameter groups the gateway takes from the bus and which of their bytes
// it keeps, built as the J1939 receive window.
#include "protocols/fieldbus/UReceiveJ1939.h"

class TFReceiveNMEA : public TPGN_Receive_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3000, Lang_Last = 3043;
    static constexpr Integer Data_Rows = 62;

    explicit TFReceiveNMEA(TComponent* AOwner);

    TExColumnGrid* sga = nullptr;
    TStringList* Hint_ReceiveNMEA = nullptr;
};

extern TFReceiveNMEA* FReceiveNMEA;
