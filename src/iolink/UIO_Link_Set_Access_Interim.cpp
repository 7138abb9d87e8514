// Interim bodies while the window is built in parts: each part deletes the
// bodies it builds; the file goes when it is empty.
#include "iolink/UIO_Link_Set_Access_Form.h"
#include "iolink/UIOLink_IODD_Catalog.h"
