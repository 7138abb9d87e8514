#include "protocols/ethernet/UProfinetFileName.h"

TFProfinetFileName* FProfinetFileName = nullptr;
