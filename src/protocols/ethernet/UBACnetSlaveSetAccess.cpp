#include "protocols/ethernet/UBACnetSlaveSetAccess.h"

TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess = nullptr;
