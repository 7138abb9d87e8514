#include "protocols/ethernet/UTopicTemplate.h"

TFTopicTemplate* FTopicTemplate = nullptr;
