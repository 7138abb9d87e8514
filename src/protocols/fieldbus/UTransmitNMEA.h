#pragma once
// The NMEA 2000 transmit frame table window ("NMEA_Send_Frames.xml"): the
// parameter groups the gateway sends and their triggers, built as the J1939
// transmit window. Its file has the root of the receive file.
#include "protocols/fieldbus/UTransmitJ1939.h"

class TFTransmitNMEA : public TPGN_Transmit_Form {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3100, Lang_Last = 3142;
    static constexpr Integer Data_Rows = 62;

    explicit TFTransmitNMEA(TComponent* AOwner);

    TExColumnGrid* sga = nullptr;
    TStringList* Hint_TransmitNMEA = nullptr;
};

extern TFTransmitNMEA* FTransmitNMEA;
