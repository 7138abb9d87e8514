// Start and end of the grid unit: once per process, before any grid exists
// and at program exit. The window hook (an application-wide filter of the
// top-level windows' moves and size changes) keeps the focus grid's glow on
// its cell; the clipboard format and the two window messages get their
// numbers. Nothing here is created by class name, so no class is registered.
#include "grid/control/ExGrid.h"

#include "rtl/ActiveX.h"

UINT CF_GRIDCELLS = 0;
UINT WM_GRIDEDITDONE = 0;
UINT WM_GRIDDTPSHIFTFOCUS = 0;

namespace {

// Starts minus ends: only the first start and the last end do the work.
Integer UnitStarts = 0;

} // namespace

void InitExGridUnit()
{
    if (++UnitStarts != 1)
        return;
    InstallGridWndHook();
    // The date pickers' modern common controls are always there.
    DoDatePicker = true;
    CF_GRIDCELLS = RegisterClipboardFormat(QStringLiteral("TExStringGrid Cells"));
    WM_GRIDEDITDONE = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    WM_GRIDDTPSHIFTFOCUS = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
}

void DoneExGridUnit()
{
    if (UnitStarts == 0 || --UnitStarts != 0)
        return;
    RemoveGridWndHook();
}

bool ExGridUnitStarted()
{
    return UnitStarts > 0;
}
