#pragma once
// Window hooks, extended window styles and combined window regions: the few
// window services beyond Windows.h that the grid unit uses, in a header of
// their own so that only their users include them.
//
// A call-window-procedure hook (WH_CALLWNDPROC) of the GUI thread sees the
// messages sent to windows. Qt sends no such messages: the hooks here are
// told of the moves and size changes of top-level windows, as
// WM_WINDOWPOSCHANGED with the window, which is what their users watch. The
// newest hook is called first and passes the message on with CallNextHookEx.
#include "rtl/Windows.h"

struct THookEntry;
using HHOOK = THookEntry*;
using THookProc = LRESULT (*)(Integer Code, WPARAM WParam, LPARAM LParam);
enum : Integer { WH_CALLWNDPROC = 4, HC_ACTION = 0 };

// What a WH_CALLWNDPROC hook receives in LParam.
struct TCWPStruct {
    LPARAM lParam = 0;
    WPARAM wParam = 0;
    UINT message = 0;
    HWND hwnd = nullptr;
};

// nullptr for another kind of hook, without a procedure or without an
// application object; the module and thread are those of the caller.
HHOOK SetWindowsHookEx(Integer IdHook, THookProc Proc, void* Module, DWORD ThreadId);
// False for a hook that is not set.
bool UnhookWindowsHookEx(HHOOK Hook);
// The next older hook's answer; 0 at the end of the chain.
LRESULT CallNextHookEx(HHOOK Hook, Integer Code, WPARAM WParam, LPARAM LParam);

// Extended window styles. Only WS_EX_TRANSPARENT is applied when written
// (the window lets every mouse event through to what lies below it); the
// others are read from the window as it stands.
enum : Integer { GWL_EXSTYLE = -20 };
enum : LongInt { WS_EX_TOPMOST = 0x8, WS_EX_TRANSPARENT = 0x20, WS_EX_TOOLWINDOW = 0x80 };
// 0 for a null window or another index.
LongInt GetWindowLong(HWND Wnd, Integer Index);
// Answers the previous value.
LongInt SetWindowLong(HWND Wnd, Integer Index, LongInt Value);

// The window shows, and takes the mouse, only where exactly one of the two
// rectangles lies (window coordinates): a frame with a hole. False for a
// null window.
bool SetWindowRgnXor(HWND Wnd, const TRect& A, const TRect& B, bool Redraw);
