#include "protocols/fieldbus/UReceiveNMEA.h"

TFReceiveNMEA* FReceiveNMEA = nullptr;
