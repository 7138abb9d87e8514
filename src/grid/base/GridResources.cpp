#include "grid/base/GridResources.h"

#include <QtGlobal>

// Outside any namespace, as the resource initialiser requires.
static void Init_Grid_Resources_Once()
{
    Q_INIT_RESOURCE(Grid_Resources);
}

void Init_Grid_Resources()
{
    static const bool Done = (Init_Grid_Resources_Once(), true);
    (void)Done;
}
