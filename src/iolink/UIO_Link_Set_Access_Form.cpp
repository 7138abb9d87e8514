#include "iolink/UIO_Link_Set_Access_Form.h"

TFIO_Link_Set_Access* FIO_Link_Set_Access = nullptr;
