#include "protocols/fieldbus/UNMEA_0183_Set_Access2.h"

TFNMEA_0183_Set_Access2* FNMEA_0183_Set_Access2 = nullptr;
