#include "protocols/fieldbus/UReceiveCAN.h"

TFReceiveCAN* FReceiveCAN = nullptr;
