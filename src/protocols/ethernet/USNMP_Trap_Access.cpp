#include "protocols/ethernet/USNMP_Trap_Access.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;
