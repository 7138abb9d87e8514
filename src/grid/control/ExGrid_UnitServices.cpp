// The services of the grid unit outside any one grid: the window hook that
// keeps the focus grid's glow on its cell, the file version query, the
// transparent window style and the time format readers.
#include "grid/control/ExGrid.h"

#include "rtl/WindowHooks.h"

namespace {

HHOOK GridHook = nullptr;

LRESULT GridWndHookProc(Integer Code, WPARAM WParam, LPARAM LParam)
{
    const auto* Message = reinterpret_cast<const TCWPStruct*>(LParam);
    const bool PositionChange =
        Message->message == WM_WINDOWPOSCHANGING || Message->message == WM_WINDOWPOSCHANGED;
    if (PositionChange && FocusGrid())
        FocusGrid()->MoveFocusWindow();
    return CallNextHookEx(GridHook, Code, WParam, LParam);
}

// The version of the common-controls library the grid counts on: 6.0.
constexpr Integer ComCtl6Version = 6 * 65536;
constexpr qsizetype NameBufferSize = 260;

} // namespace

Integer GetFileVersion(const String& FileName)
{
    // The name must fit the buffer with its terminating null.
    if (FileName.size() >= NameBufferSize)
        return -1;
    return FileName.compare(QStringLiteral("comctl32.dll"), Qt::CaseInsensitive) == 0 ? ComCtl6Version : -1;
}

void SetWindowTransparent(HWND Handle)
{
    SetWindowLong(Handle, GWL_EXSTYLE, GetWindowLong(Handle, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
}

String GetShortTimeFormat()
{
    return FormatSettings.ShortTimeFormat;
}

String GetLongTimeFormat()
{
    return FormatSettings.LongTimeFormat;
}

void InstallGridWndHook()
{
    if (!GridHook)
        GridHook = SetWindowsHookEx(WH_CALLWNDPROC, GridWndHookProc, nullptr, 0);
}

void RemoveGridWndHook()
{
    if (GridHook)
        UnhookWindowsHookEx(GridHook);
    GridHook = nullptr;
}

bool GridWndHookInstalled()
{
    return GridHook != nullptr;
}
