#include "grid/base/ExStyleIF.h"

#include "rtl/Forms.h"
#include "rtl/Themes.h"

namespace {

const char* const OfficeKey14 = "Software\\Microsoft\\Office\\14.0\\Common";
const char* const OfficeKey12 = "Software\\Microsoft\\Office\\12.0\\Common";

TThemeNotifier* ProcessThemeNotifier = nullptr;

bool OfficeKeyExists(const char* Key)
{
    TRegistry Reg(KEY_READ);
    Reg.SetRootKey(HKEY_CURRENT_USER);
    return Reg.KeyExists(QString::fromLatin1(Key) + QStringLiteral("\\General"));
}

// The integer "Theme" of the key, -1 when the key or the value is missing.
Integer ReadOfficeThemeValue(const char* Key)
{
    TRegistry Reg(KEY_READ);
    Reg.SetRootKey(HKEY_CURRENT_USER);
    if (!Reg.OpenKeyReadOnly(QString::fromLatin1(Key)) || !Reg.ValueExists(QStringLiteral("Theme")))
        return -1;
    try {
        return Reg.ReadInteger(QStringLiteral("Theme"));
    } catch (const ERegistryException&) {
        return -1;
    }
}

} // namespace

String GetUIFontName() { return HasVistaAPI() ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma"); }
bool HasVistaAPI() { return true; }
bool IsWinXP() { return true; }
bool HasCommonControls6() { return true; }

Integer GetOfficeVersionKind()
{
    if (OfficeKeyExists(OfficeKey14))
        return 2;
    return OfficeKeyExists(OfficeKey12) ? 1 : 0;
}

TOfficeTheme GetOfficeTheme()
{
    const struct {
        const char* Key;
        TOfficeTheme Themes[3];
    } Versions[] = {
        {OfficeKey14, {ot2010Blue, ot2010Silver, ot2010Black}},
        {OfficeKey12, {ot2007Blue, ot2007Silver, ot2007Black}},
    };
    for (const auto& Version : Versions) {
        const Integer Value = ReadOfficeThemeValue(Version.Key);
        if (Value >= 1 && Value <= 3)
            return Version.Themes[Value - 1];
        if (Value != -1)
            return ot2003Blue;
    }
    switch (GetXPThemeKind()) {
    case 1: return ot2003Blue;
    case 2: return ot2003Olive;
    case 3: return ot2003Silver;
    default: return ot2003Classic;
    }
}

Integer GetXPThemeKind()
{
    if (!IsWinXP() || !IsThemeActive() || !HasCommonControls6())
        return 0;
    String FileName, ColorName, SizeName;
    if (GetCurrentThemeName(&FileName, &ColorName, &SizeName) != S_OK)
        return 0;
    if (ColorName.contains(QLatin1String("NormalColor")))
        return 1;
    if (ColorName.contains(QLatin1String("HomeStead")))
        return 2;
    return ColorName.contains(QLatin1String("Metallic")) ? 3 : 0;
}

// ---------------------------------------------------------------------------
// TRegMonitorThread

TRegMonitorThread::TRegMonitorThread(HKEY RootKey, const String& Key, bool WatchSub, DWORD Filter, HWND Wnd)
    : FEvent(std::make_unique<TEvent>(nullptr, true, false, QStringLiteral("RegMonitorChange"))),
      FReg(std::make_unique<TRegistry>(KEY_READ)), FKey(Key), FRootKey(RootKey), FWatchSub(WatchSub),
      FFilter(Filter), FWnd(Wnd)
{
}

void TRegMonitorThread::Stop()
{
    Terminate();
    FEvent->SetEvent();
}

void TRegMonitorThread::AddWindow(HWND Wnd)
{
    std::lock_guard Lock(FWinListLock);
    if (!FWinList.HasValue(Wnd))
        FWinList.Add(Wnd);
}

void TRegMonitorThread::RemoveWindow(HWND Wnd)
{
    std::lock_guard Lock(FWinListLock);
    FWinList.DeleteValue(Wnd);
}

std::vector<HWND> TRegMonitorThread::Windows() const
{
    std::lock_guard Lock(FWinListLock);
    std::vector<HWND> List;
    for (Integer I = 0; I < FWinList.Count(); ++I)
        List.push_back(FWinList.GetInteger(I));
    return List;
}

void TRegMonitorThread::OpenAndArm()
{
    FReg->SetRootKey(FRootKey);
    if (!FReg->OpenKeyReadOnly(FKey))
        throw ERegistryException(QStringLiteral("Unable to open registry key ") + FKey);
    Arm();
}

void TRegMonitorThread::Arm()
{
    RegNotifyChangeKeyValue(FReg->CurrentKey(), FWatchSub, GetFilter(), FEvent.get(), true);
}

// The next change is asked for before the windows are told of this one, so
// a change made while they handle the message is not lost.
void TRegMonitorThread::Execute()
{
    OpenAndArm();
    while (!Terminated()) {
        FEvent->WaitFor(INFINITE);
        if (Terminated())
            return;
        FEvent->ResetEvent();
        Arm();
        SendChange();
    }
}

// The windows are sent to outside the lock: the main thread, which handles
// the messages, may be waiting for the lock to register a window.
void TRegMonitorThread::SendChange()
{
    const auto KeyText = reinterpret_cast<LPARAM>(FKey.utf16());
    SendMessage(FWnd, WM_OFFICETHEMECHANGED, WPARAM(FRootKey), KeyText);
    for (HWND Wnd : Windows()) {
        if (Terminated())
            return;
        SendMessage(Wnd, WM_OFFICETHEMECHANGED, WPARAM(FRootKey), KeyText);
    }
}

// ---------------------------------------------------------------------------
// TThemeNotifierWindow, TThemeNotifier

void TThemeNotifierWindow::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_OFFICETHEMECHANGED && OnOfficeThemeChange)
        OnOfficeThemeChange(this);
    TWinControl::WndProc(Message);
}

TThemeNotifier::TThemeNotifier(TComponent* AOwner) : TComponent(AOwner)
{
    if (ComponentState().Contains(csDesigning))
        return;
    const Integer Kind = GetOfficeVersionKind();
    if (Kind != 1 && Kind != 2)
        return;
    FNotifier = new TThemeNotifierWindow(this);
    FNotifier->SetVisible(false);
    if (auto* Parent = dynamic_cast<TWinControl*>(AOwner))
        FNotifier->SetParent(Parent);
    FNotifier->OnOfficeThemeChange = [this](TObject*) { OfficeThemeChanged(); };
    FRegMonitorThread = std::make_unique<TRegMonitorThread>(
        HKEY_CURRENT_USER, QString::fromLatin1(Kind == 2 ? OfficeKey14 : OfficeKey12), true,
        REG_NOTIFY_CHANGE_LAST_SET, FNotifier->Handle());
    FRegMonitorThread->Start();
}

TThemeNotifier::~TThemeNotifier()
{
    if (FRegMonitorThread) {
        FRegMonitorThread->Stop();
        FRegMonitorThread->WaitFor();
    }
    if (ProcessThemeNotifier == this)
        ProcessThemeNotifier = nullptr;
}

void TThemeNotifier::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FNotifier)
        FNotifier = nullptr;
}

void TThemeNotifier::RegisterWindow(HWND Wnd)
{
    if (FRegMonitorThread)
        FRegMonitorThread->AddWindow(Wnd);
}

void TThemeNotifier::UnRegisterWindow(HWND Wnd)
{
    if (FRegMonitorThread)
        FRegMonitorThread->RemoveWindow(Wnd);
}

void TThemeNotifier::OfficeThemeChanged()
{
    if (OnOfficeThemeChange)
        OnOfficeThemeChange(this);
}

TThemeNotifier* GetThemeNotifier(TComponent* AOwner)
{
    if (!ProcessThemeNotifier) {
        TCustomForm* MainForm = Application ? Application->MainForm() : nullptr;
        ProcessThemeNotifier = new TThemeNotifier(MainForm && MainForm->HandleAllocated() ? MainForm : AOwner);
    }
    return ProcessThemeNotifier;
}
