#include "protocols/fieldbus/UTransmitNMEA.h"

TFTransmitNMEA* FTransmitNMEA = nullptr;
