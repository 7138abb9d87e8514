#pragma once
// Key codes, message numbers, message records and the few system routines
// that the controls and the windows of the system use. Messages are not
// sent through an operating system: a control's Perform delivers them to
// its handler methods, and Qt events are turned into them (Controls.h).
#include "rtl/Graphics.h"

#include <cstdint>

class QWidget;

using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using SHORT = std::int16_t;
// A window handle is the widget of a windowed control.
using HWND = QWidget*;

// Virtual key codes.
enum : Word {
    VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04,
    VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D,
    VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23,
    VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
    VK_SELECT = 0x29, VK_PRINT = 0x2A, VK_EXECUTE = 0x2B, VK_SNAPSHOT = 0x2C,
    VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F,
    // '0'..'9' and 'A'..'Z' are their own codes.
    VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D,
    VK_NUMPAD0 = 0x60, VK_NUMPAD1, VK_NUMPAD2, VK_NUMPAD3, VK_NUMPAD4, VK_NUMPAD5,
    VK_NUMPAD6, VK_NUMPAD7, VK_NUMPAD8, VK_NUMPAD9,
    VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C, VK_SUBTRACT = 0x6D,
    VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F,
    VK_F1 = 0x70, VK_F2, VK_F3, VK_F4, VK_F5, VK_F6, VK_F7, VK_F8, VK_F9, VK_F10,
    VK_F11, VK_F12,
    VK_NUMLOCK = 0x90, VK_SCROLL = 0x91,
    VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3,
    VK_LMENU = 0xA4, VK_RMENU = 0xA5,
    VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD,
    VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB,
    VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE,
};

// Window messages.
enum : Cardinal {
    WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003,
    WM_SIZE = 0x0005, WM_ACTIVATE = 0x0006, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A, WM_SETREDRAW = 0x000B, WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D,
    WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_ERASEBKGND = 0x0014, WM_SHOWWINDOW = 0x0018,
    WM_SETCURSOR = 0x0020, WM_CANCELMODE = 0x001F, WM_WINDOWPOSCHANGING = 0x0046,
    WM_WINDOWPOSCHANGED = 0x0047, WM_NOTIFY = 0x004E, WM_CONTEXTMENU = 0x007B, WM_NCHITTEST = 0x0084,
    WM_NCPAINT = 0x0085, WM_NCACTIVATE = 0x0086, WM_GETDLGCODE = 0x0087,
    WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102, WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105, WM_SYSCHAR = 0x0106, WM_COMMAND = 0x0111, WM_TIMER = 0x0113,
    WM_HSCROLL = 0x0114, WM_VSCROLL = 0x0115,
    WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206, WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209, WM_MOUSEWHEEL = 0x020A, WM_SIZING = 0x0214,
    WM_CUT = 0x0300, WM_COPY = 0x0301, WM_PASTE = 0x0302, WM_CLEAR = 0x0303, WM_UNDO = 0x0304,
    WM_THEMECHANGED = 0x031A, WM_USER = 0x0400,
    // Edit messages: the formatting rectangle (LParam: TRect*), the
    // selection (EM_SETSEL: start and end), the character at a client point
    // (EM_CHARFROMPOS: LParam x | y << 16; answers the index in the low
    // word), the read-only state (WParam).
    EM_SETSEL = 0x00B1, EM_GETRECT = 0x00B2, EM_SETRECT = 0x00B3, EM_SETRECTNP = 0x00B4,
    EM_CHARFROMPOS = 0x00D7, EM_SETREADONLY = 0x00CF,
    // Notification codes of WM_COMMAND (high word of WParam; LParam the
    // control that sends it): an edit's text changed; a combo box's
    // selection changed, its edit part was typed in, its list dropped down
    // or closed up.
    EN_CHANGE = 0x0300,
    CBN_SELCHANGE = 1, CBN_EDITCHANGE = 5, CBN_DROPDOWN = 7, CBN_CLOSEUP = 8,
    // Combo box messages: the least width of the dropped list (WParam); the
    // selected item (-1 for none); an item's text (WParam the index, LParam
    // a String* that receives it; answers its length, -1 outside the items).
    CB_GETDROPPEDWIDTH = 0x015F, CB_SETDROPPEDWIDTH = 0x0160, CB_GETCURSEL = 0x0147, CB_GETLBTEXT = 0x0148,
};

// The framework's own control messages.
enum : Cardinal {
    CM_BASE = 0xB000,
    CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE, CM_GOTFOCUS, CM_LOSTFOCUS, CM_CANCELMODE,
    CM_DIALOGKEY, CM_DIALOGCHAR, CM_FOCUSCHANGED, CM_PARENTFONTCHANGED,
    CM_PARENTCOLORCHANGED, CM_HITTEST, CM_VISIBLECHANGED, CM_ENABLEDCHANGED,
    CM_COLORCHANGED, CM_FONTCHANGED, CM_CURSORCHANGED, CM_CTL3DCHANGED,
    CM_PARENTCTL3DCHANGED, CM_TEXTCHANGED, CM_MOUSEENTER, CM_MOUSELEAVE, CM_MENUCHANGED,
    CM_APPKEYDOWN, CM_APPSYSCOMMAND, CM_BUTTONPRESSED, CM_SHOWINGCHANGED, CM_ENTER,
    CM_EXIT, CM_DESIGNHITTEST, CM_ICONCHANGED, CM_WANTSPECIALKEY, CM_INVOKEHELP,
    CM_WINDOWHOOK, CM_RELEASE, CM_SHOWHINTCHANGED, CM_PARENTSHOWHINTCHANGED,
    CM_SYSCOLORCHANGE, CM_WININICHANGE, CM_FONTCHANGE, CM_TIMECHANGE, CM_TABSTOPCHANGED,
    CM_UIACTIVATE, CM_UIDEACTIVATE, CM_DOCWINDOWACTIVATE, CM_CONTROLLISTCHANGE,
    CM_GETDATALINK, CM_CHILDKEY, CM_DRAG, CM_HINTSHOW, CM_DIALOGHANDLE, CM_ISTOOLCONTROL,
    CM_RECREATEWND, CM_INVALIDATE, CM_SYSFONTCHANGED, CM_CONTROLCHANGE, CM_CHANGED,
    CM_DOCKCLIENT, CM_UNDOCKCLIENT, CM_FLOAT, CM_BORDERCHANGED, CM_BIDIMODECHANGED,
    CM_PARENTBIDIMODECHANGED, CM_ALLCHILDRENFLIPPED, CM_ACTIONUPDATE, CM_ACTIONEXECUTE,
    CM_HINTSHOWPAUSE, CM_DOCKNOTIFICATION, CM_MOUSEWHEEL, CM_ISSHORTCUT,
    CM_STYLECHANGED = CM_BASE + 79,
    // Notifications reflected back to the control that caused them.
    CN_BASE = 0xBC00,
    CN_KEYDOWN = CN_BASE + WM_KEYDOWN, CN_KEYUP = CN_BASE + WM_KEYUP,
    CN_CHAR = CN_BASE + WM_CHAR, CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN,
    CN_SYSCHAR = CN_BASE + WM_SYSCHAR, CN_NOTIFY = CN_BASE + WM_NOTIFY,
    CN_COMMAND = CN_BASE + WM_COMMAND,
};

// Answers to WM_GETDLGCODE: which keys a control keeps for itself instead of
// leaving them to the window's focus navigation and dialog keys.
enum : Cardinal {
    DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002, DLGC_WANTALLKEYS = 0x0004,
    DLGC_WANTMESSAGE = 0x0004, DLGC_HASSETSEL = 0x0008, DLGC_DEFPUSHBUTTON = 0x0010,
    DLGC_UNDEFPUSHBUTTON = 0x0020, DLGC_RADIOBUTTON = 0x0040, DLGC_WANTCHARS = 0x0080,
    DLGC_STATIC = 0x0100, DLGC_BUTTON = 0x2000,
};

// Scroll codes of WM_HSCROLL / WM_VSCROLL and the scroll bar kinds.
enum : Word {
    SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2,
    SB_PAGELEFT = 2, SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8,
};
enum : Integer { SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3 };

// Mouse-message key flags.
enum : Word { MK_LBUTTON = 0x01, MK_RBUTTON = 0x02, MK_SHIFT = 0x04, MK_CONTROL = 0x08, MK_MBUTTON = 0x10 };

// Message box flags and answers.
enum : Cardinal {
    MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5, MB_TYPEMASK = 0xF,
    MB_ICONHAND = 0x10, MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10, MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40,
    MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0,
    MB_DEFBUTTON1 = 0x000, MB_DEFBUTTON2 = 0x100, MB_DEFBUTTON3 = 0x200, MB_DEFMASK = 0xF00,
    MB_APPLMODAL = 0x0000, MB_SYSTEMMODAL = 0x1000, MB_TASKMODAL = 0x2000,
    MB_SETFOREGROUND = 0x10000, MB_TOPMOST = 0x40000,
};
enum : Integer { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7, IDCLOSE = 8, IDHELP = 9 };

// WM_SIZE kinds.
enum : Cardinal { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

// A message as a control's handlers see it.
struct TMessage {
    Cardinal Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    Word WParamLo() const { return Word(WParam & 0xFFFF); }
    Word WParamHi() const { return Word((WParam >> 16) & 0xFFFF); }
    Word LParamLo() const { return Word(LParam & 0xFFFF); }
    Word LParamHi() const { return Word((LParam >> 16) & 0xFFFF); }
};

// Typed views of the messages that have them. The dispatcher fills one from
// the TMessage, calls the handler and copies the fields back, so a handler
// may change CharCode or Result as the framework's handlers do.
// Key data: bit 22 for a key of the numeric keypad (a scan code with bit 6
// set, as the keypad's keys have), bit 29 for Alt, bit 30 for a repeat.
struct TWMKey {
    Cardinal Msg = 0;
    Word CharCode = 0;
    LongInt KeyData = 0;
    LRESULT Result = 0;
};
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;
using TWMChar = TWMKey;
using TCMDialogKey = TWMKey;
using TCMDialogChar = TWMKey;
using TCMWantSpecialKey = TWMKey;

struct TWMSize {
    Cardinal Msg = 0;
    Cardinal SizeType = SIZE_RESTORED;
    Word Width = 0;
    Word Height = 0;
    LRESULT Result = 0;
};

struct TWMTimer {
    Cardinal Msg = 0;
    UINT_PTR TimerID = 0;
    LPARAM TimerProc = 0;
    LRESULT Result = 0;
};

struct TWMScroll {
    Cardinal Msg = 0;
    Word ScrollCode = 0;
    SmallInt Pos = 0;
    HWND ScrollBar = nullptr;
    LRESULT Result = 0;
};
using TWMHScroll = TWMScroll;
using TWMVScroll = TWMScroll;

struct TWMMouse {
    Cardinal Msg = 0;
    Word Keys = 0;
    SmallInt XPos = 0;
    SmallInt YPos = 0;
    LRESULT Result = 0;
};

struct TWMMouseWheel {
    Cardinal Msg = 0;
    Word Keys = 0;
    SmallInt WheelDelta = 0;
    SmallInt XPos = 0; // screen coordinates
    SmallInt YPos = 0;
    LRESULT Result = 0;
};

using TWMGetDlgCode = TMessage;

// A control's notification to itself (CN_NOTIFY, LParam: TNMHdr*); the
// record of the notification begins with this header.
struct TNMHdr {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    Integer code = 0;
};

struct TWMNotify {
    Cardinal Msg = 0;
    WPARAM IDCtrl = 0;
    TNMHdr* NMHdr = nullptr;
    LRESULT Result = 0;
};

// The state of a key at the time of the input event being handled: the high
// bit (a negative value) when the key is down. Shift, Ctrl, Alt and the
// mouse buttons are known; toggle states read as off.
SHORT GetKeyState(Integer VirtKey);
// Same as GetKeyState; there is no separate asynchronous state here.
SHORT GetAsyncKeyState(Integer VirtKey);
// Milliseconds since an arbitrary start, wrapping at 2^32.
DWORD GetTickCount();
void Sleep(DWORD Milliseconds);
// The system's alert sound.
bool MessageBeep(UINT Type);
// How many times MessageBeep was called in this process (for tests).
Integer MessageBeepCount();

// A message number of its own for Name, from 0xC000 up: every caller that
// registers the same name (case ignored) gets the same number.
UINT RegisterWindowMessage(const String& Name);

// Messages and timers addressed by window handle, delivered to the control
// whose widget the handle is (defined with the controls). A handle that is
// no control's gets nothing: SendMessage answers 0, SetTimer 0. SendMessage
// from another thread blocks while the handler runs on the main thread.
LRESULT SendMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam);
// Queued delivery: the message arrives from the event loop. A key-down or
// key-up message arrives as the message loop hands keys on: first as
// CN_KEYDOWN / CN_KEYUP (dialog keys: Tab moves the focus), then as itself
// unless that was handled.
bool PostMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam);
struct TRect;
// Marks R (client coordinates; all of it when null) for painting. There is
// no separate erasing here.
bool InvalidateRect(HWND Wnd, const TRect* R, bool Erase);
UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse, void* TimerFunc = nullptr);
bool KillTimer(HWND Wnd, UINT_PTR IDEvent);

// Layered windows. The window becomes a frameless top-level window with a
// translucent background; without a compositor the alpha is not seen.
constexpr Byte AC_SRC_OVER = 0x00;
constexpr Byte AC_SRC_ALPHA = 0x01;
struct TBlendFunction {
    Byte BlendOp = AC_SRC_OVER;
    Byte BlendFlags = 0;
    Byte SourceConstantAlpha = 255;
    Byte AlphaFormat = AC_SRC_ALPHA;
};
enum : DWORD { ULW_COLORKEY = 0x1, ULW_ALPHA = 0x2, ULW_OPAQUE = 0x4 };
enum : DWORD { LWA_COLORKEY = 0x1, LWA_ALPHA = 0x2 };

// Shows Size pixels of the source canvas's image from SrcPos (32-bit with
// premultiplied alpha) as the window's content, at DstPos on the screen;
// with ULW_ALPHA the blend's constant alpha is the window's opacity, with
// ULW_COLORKEY pixels of Key are left out. Null positions and size keep the
// window's own; without a source only the place changes. False when the
// window is null or the source canvas has no image.
bool UpdateLayeredWindow(HWND Wnd, TCanvas* DstCanvas, const TPoint* DstPos, const TSize* Size,
                         TCanvas* SrcCanvas, const TPoint* SrcPos, TColor Key, const TBlendFunction* Blend,
                         DWORD Flags);
// LWA_ALPHA: Alpha is the window's opacity. A colour key is not offered.
bool SetLayeredWindowAttributes(HWND Wnd, TColor Key, Byte Alpha, DWORD Flags);

// Classic frame drawing, by hand in the system colour table, so the pixels
// are the same on every desktop.
enum : UINT { DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4 };
enum : UINT {
    DFCS_BUTTONCHECK = 0x0000, DFCS_BUTTONRADIO = 0x0004, DFCS_BUTTONPUSH = 0x0010,
    DFCS_SCROLLUP = 0x0000, DFCS_SCROLLDOWN = 0x0001, DFCS_SCROLLLEFT = 0x0002, DFCS_SCROLLRIGHT = 0x0003,
    DFCS_SCROLLCOMBOBOX = 0x0005,
    DFCS_INACTIVE = 0x0100, DFCS_PUSHED = 0x0200, DFCS_CHECKED = 0x0400, DFCS_HOT = 0x1000,
    DFCS_ADJUSTRECT = 0x2000, DFCS_FLAT = 0x4000,
};
enum : UINT {
    BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,
};
enum : UINT {
    BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_RECT = 0xF,
    BF_MIDDLE = 0x0800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000,
};

// Draws the edges of Edge on the sides of Flags, outer edge first, each one
// pixel wide: the left and top in the light colour, the right and bottom
// (with the corners they meet) in the dark one. Raised outer: 3D light /
// dark shadow (button highlight / dark shadow with BF_SOFT); raised inner:
// button highlight / button shadow (3D light / button shadow with BF_SOFT);
// sunken outer: button shadow / button highlight; sunken inner: dark shadow /
// 3D light. BF_FLAT draws the outer edge in button shadow and the inner one
// in button face. BF_MIDDLE fills the inside with button face; BF_ADJUST
// leaves R as the inside. Nothing is drawn into an empty rectangle.
bool DrawEdge(TCanvas* Canvas, TRect& R, UINT Edge, UINT Flags);
// Push buttons, check boxes and radio buttons (DFC_BUTTON) and the scroll
// and combo buttons (DFC_SCROLL) in the classic look; see docs/architecture.md.
bool DrawFrameControl(TCanvas* Canvas, TRect& R, UINT Type, UINT State);

enum : Integer {
    SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CYVSCROLL = 20,
    SM_CXHSCROLL = 21, SM_CXEDGE = 45, SM_CYEDGE = 46,
};
// The scroll bar sizes of the runtime's widgets and the border sizes (1 and
// 2); 0 for other indices.
Integer GetSystemMetrics(Integer Index);

enum : Integer { LOGPIXELSX = 88, LOGPIXELSY = 90 };
// The logical resolution of the canvas's device: 96 for a screen, an image's
// dots per metre as dots per inch, a printer's own; 0 for other indices.
Integer GetDeviceCaps(TCanvas* Canvas, Integer Index);
