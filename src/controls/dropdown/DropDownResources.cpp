#include "controls/dropdown/DropDownResources.h"

#include <QtGlobal>

// Outside any namespace, as the resource initialiser requires.
static void Init_DropDown_Resources_Once()
{
    Q_INIT_RESOURCE(DropDown_Resources);
}

void InitDropDownResources()
{
    static const bool Done = (Init_DropDown_Resources_Once(), true);
    (void)Done;
}
