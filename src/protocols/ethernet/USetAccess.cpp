#include "protocols/ethernet/USetAccess.h"

TFSetAccess* FSetAccess = nullptr;
