#include "protocols/fieldbus/UEtherCATSlave.h"

TFEtherCATSlave* FEtherCATSlave = nullptr;
