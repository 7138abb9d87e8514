// Window hooks over an application event filter, extended styles and
// combined window regions.
#include "rtl/WindowHooks.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <vector>

struct THookEntry {
    THookProc Proc;
};

namespace {

// Oldest first; the newest is called first.
std::vector<std::unique_ptr<THookEntry>>& HookChain()
{
    static std::vector<std::unique_ptr<THookEntry>> Chain;
    return Chain;
}

LRESULT CallFrom(std::size_t Index, Integer Code, WPARAM WParam, LPARAM LParam)
{
    // The procedure of entry Index, newest counted as 0.
    const auto& Chain = HookChain();
    if (Index >= Chain.size())
        return 0;
    return Chain[Chain.size() - 1 - Index]->Proc(Code, WParam, LParam);
}

class TWindowPosWatch : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() != QEvent::Move && Event->type() != QEvent::Resize)
            return false;
        auto* Widget = qobject_cast<QWidget*>(Watched);
        if (!Widget || !Widget->isWindow())
            return false;
        TCWPStruct Message;
        Message.message = WM_WINDOWPOSCHANGED;
        Message.hwnd = Widget;
        CallFrom(0, HC_ACTION, 0, LPARAM(&Message));
        return false;
    }
};

QPointer<TWindowPosWatch>& Watch()
{
    static QPointer<TWindowPosWatch> W;
    return W;
}

} // namespace

HHOOK SetWindowsHookEx(Integer IdHook, THookProc Proc, void*, DWORD)
{
    QCoreApplication* App = QCoreApplication::instance();
    if (IdHook != WH_CALLWNDPROC || !Proc || !App)
        return nullptr;
    if (!Watch()) {
        Watch() = new TWindowPosWatch(App);
        App->installEventFilter(Watch());
    }
    HookChain().push_back(std::make_unique<THookEntry>(THookEntry{Proc}));
    return HookChain().back().get();
}

bool UnhookWindowsHookEx(HHOOK Hook)
{
    auto& Chain = HookChain();
    const auto It = std::find_if(Chain.begin(), Chain.end(), [Hook](const auto& E) { return E.get() == Hook; });
    if (It == Chain.end())
        return false;
    Chain.erase(It);
    if (Chain.empty() && Watch())
        delete Watch().data();
    return true;
}

LRESULT CallNextHookEx(HHOOK Hook, Integer Code, WPARAM WParam, LPARAM LParam)
{
    const auto& Chain = HookChain();
    for (std::size_t I = 0; I < Chain.size(); ++I)
        if (Chain[Chain.size() - 1 - I].get() == Hook)
            return CallFrom(I + 1, Code, WParam, LParam);
    return 0;
}

// ---------------------------------------------------------------- extended styles

LongInt GetWindowLong(HWND Wnd, Integer Index)
{
    if (!Wnd || Index != GWL_EXSTYLE)
        return 0;
    LongInt Style = 0;
    if (Wnd->testAttribute(Qt::WA_TransparentForMouseEvents) ||
        (Wnd->isWindow() && Wnd->windowFlags().testFlag(Qt::WindowTransparentForInput)))
        Style |= WS_EX_TRANSPARENT;
    if (Wnd->windowFlags() & Qt::WindowStaysOnTopHint)
        Style |= WS_EX_TOPMOST;
    if (Wnd->isWindow() && (Wnd->windowFlags() & Qt::WindowType_Mask) == Qt::Tool)
        Style |= WS_EX_TOOLWINDOW;
    return Style;
}

LongInt SetWindowLong(HWND Wnd, Integer Index, LongInt Value)
{
    const LongInt Old = GetWindowLong(Wnd, Index);
    if (!Wnd || Index != GWL_EXSTYLE)
        return Old;
    const bool Transparent = (Value & WS_EX_TRANSPARENT) != 0;
    Wnd->setAttribute(Qt::WA_TransparentForMouseEvents, Transparent);
    // A window takes input from the window system: the flag keeps it away.
    if (Wnd->isWindow() && Wnd->windowFlags().testFlag(Qt::WindowTransparentForInput) != Transparent) {
        const bool Visible = Wnd->isVisible();
        Wnd->setWindowFlag(Qt::WindowTransparentForInput, Transparent);
        if (Visible)
            Wnd->show();
    }
    return Old;
}

// ---------------------------------------------------------------- regions

bool SetWindowRgnXor(HWND Wnd, const TRect& A, const TRect& B, bool Redraw)
{
    if (!Wnd)
        return false;
    const auto ToQ = [](const TRect& R) { return QRegion(R.Left, R.Top, R.Width(), R.Height()); };
    Wnd->setMask(ToQ(A).xored(ToQ(B)));
    if (Redraw)
        Wnd->update();
    return true;
}
