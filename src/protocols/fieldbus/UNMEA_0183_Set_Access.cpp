#include "protocols/fieldbus/UNMEA_0183_Set_Access.h"

TFNMEA_0183_Set_Access* FNMEA_0183_Set_Access = nullptr;
