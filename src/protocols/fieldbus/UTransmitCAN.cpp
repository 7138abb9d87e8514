#include "protocols/fieldbus/UTransmitCAN.h"

TFTransmitCAN* FTransmitCAN = nullptr;
