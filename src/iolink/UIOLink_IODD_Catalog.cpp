#include "iolink/UIOLink_IODD_Catalog.h"

TFIOLink_IODD_Catalog* FIOLink_IODD_Catalog = nullptr;
