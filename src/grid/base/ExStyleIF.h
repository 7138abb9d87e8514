#pragma once
// The colour styles and tones that styled controls of the grid library take,
// the office colour scheme of the user, the notifier that tells registered
// windows when that scheme changes, and the user-interface font.
#include "rtl/Controls.h"
#include "rtl/Registry.h"
#include "rtl/TypInfo.h"

#include <mutex>
#include <vector>

RTL_NAMED_ENUM(TQVXStyle,
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
    tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista, tsWindows7,
    tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black)

RTL_NAMED_ENUM(TOfficeTheme,
    ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black, ot2010Blue,
    ot2010Silver, ot2010Black, otUnknown)

struct TColorTone {
    TColor BrushColor = clNone;
    TColor BorderColor = clNone;
    TColor TextColor = clNone;
};

struct TColorTones {
    TColorTone Background;
    TColorTone Foreground;
    TColorTone Selected;
    TColorTone Hover;
    TColorTone Disabled;
};

// Controls that take a style preset or a set of tones implement these.
class IQVXStyle {
public:
    virtual ~IQVXStyle() = default;
    virtual void SetComponentStyle(TQVXStyle AStyle) = 0;
};

class IQVXTones {
public:
    virtual ~IQVXTones() = default;
    virtual void SetColorTones(const TColorTones& ATones) = 0;
};

// The system counts as Vista or later with common controls 6, so the
// user-interface font is "Segoe UI" (which fontconfig substitutes).
String GetUIFontName();
bool HasVistaAPI();
bool IsWinXP();
bool HasCommonControls6();

// 2 when the per-user settings of office version 14 exist, 1 for version 12,
// else 0.
Integer GetOfficeVersionKind();
// The office colour scheme the user chose; ot2003Classic when nothing says.
TOfficeTheme GetOfficeTheme();
// 1 "NormalColor", 2 "HomeStead", 3 "Metallic" as the colour scheme of the
// visual style, else 0 (Qt's style has none).
Integer GetXPThemeKind();

// Sent to the notifier's window and the registered windows when the office
// settings change: WParam the root key, LParam the watched key's path (a
// UTF-16 text ending with a null character, valid while the handler runs).
constexpr Cardinal WM_OFFICETHEMECHANGED = 2993;

// Window handles.
class THandleList : public TList {
public:
    Integer Add(HWND Wnd) { return TList::Add(Wnd); }
    void Insert(Integer Index, HWND Wnd) { TList::Insert(Index, Wnd); }
    HWND GetInteger(Integer Index) const { return static_cast<HWND>(Items(Index)); }
    void SetInteger(Integer Index, HWND Wnd) { SetItems(Index, Wnd); }
    bool HasValue(HWND Wnd) const { return IndexOf(Wnd) >= 0; }
    // Removes the first occurrence.
    void DeleteValue(HWND Wnd) { Remove(Wnd); }
};

// Waits for changes under a registry key and sends WM_OFFICETHEMECHANGED to
// its window, then to each registered window, waiting for each. The list of
// windows may change from the main thread at any time.
class TRegMonitorThread : public TThread {
public:
    TRegMonitorThread(HKEY RootKey, const String& Key, bool WatchSub, DWORD Filter, HWND Wnd);

    // Terminates the thread and wakes it.
    void Stop();
    void AddWindow(HWND Wnd);
    void RemoveWindow(HWND Wnd);
    std::vector<HWND> Windows() const;

protected:
    void Execute() override;

private:
    // Opens the key and asks for the next change; ERegistryException "Unable
    // to open registry key <key>" ends the thread.
    void OpenAndArm();
    void Arm();
    // All kinds of change when no filter was given.
    DWORD GetFilter() const { return FFilter ? FFilter : 15; }
    void SendChange();

    // The event outlives the registry object, whose open key holds the watch.
    std::unique_ptr<TEvent> FEvent;
    std::unique_ptr<TRegistry> FReg;
    const String FKey;
    const HKEY FRootKey;
    const bool FWatchSub;
    const DWORD FFilter;
    const HWND FWnd;
    mutable std::mutex FWinListLock;
    THandleList FWinList;
};

// The hidden window of the notifier: WM_OFFICETHEMECHANGED raises its event.
class TThemeNotifierWindow : public TWinControl {
public:
    using TWinControl::TWinControl;
    TNotifyEvent OnOfficeThemeChange;

protected:
    void WndProc(TMessage& Message) override;
};

// One per process (GetThemeNotifier). It watches the office settings only
// when they exist (GetOfficeVersionKind 1 or 2): then it has its window and
// its thread, which it stops and waits for when it is freed.
class TThemeNotifier : public TComponent {
public:
    explicit TThemeNotifier(TComponent* AOwner);
    ~TThemeNotifier() override;

    // Listed once each, and only while a thread watches.
    void RegisterWindow(HWND Wnd);
    void UnRegisterWindow(HWND Wnd);
    TRegMonitorThread* RegMonitorThread() const { return FRegMonitorThread.get(); }
    TThemeNotifierWindow* NotifierWindow() const { return FNotifier; }

    TNotifyEvent OnOfficeThemeChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void OfficeThemeChanged();

    std::unique_ptr<TRegMonitorThread> FRegMonitorThread;
    TThemeNotifierWindow* FNotifier = nullptr;
};

// The process's notifier, made on first use, owned by the application's main
// form when there is one, else by AOwner.
TThemeNotifier* GetThemeNotifier(TComponent* AOwner);
