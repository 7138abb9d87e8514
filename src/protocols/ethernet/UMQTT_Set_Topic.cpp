#include "protocols/ethernet/UMQTT_Set_Topic.h"

TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;
