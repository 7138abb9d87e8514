#include "rtl/Controls.h"

#include "rtl/ActnList.h"
#include "rtl/ControlBridge.h"
#include "rtl/Forms.h"
#include "rtl/Menus.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPolygon>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

// ---------------------------------------------------------------- helpers

namespace {

Qt::CursorShape QtCursorShape(TCursor Cursor)
{
    switch (Cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: case crSQLWait: return Qt::WaitCursor;
    case crDrag: case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop: case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

} // namespace

// A cursor of the screen's table for a positive number, else the standard one.
QCursor CursorOf(TCursor Cursor)
{
    if (Cursor > 0)
        if (const HCURSOR Own = Screen->Cursors(Cursor))
            return *Own;
    return QCursor(QtCursorShape(Cursor));
}

namespace {


// Key data of a key message: bit 22 for the numeric keypad, bit 29 for Alt,
// bit 30 for a repeat.
LongInt KeyDataOf(const QKeyEvent* E)
{
    LongInt Data = 1;
    if (E->modifiers() & Qt::KeypadModifier)
        Data |= 1 << 22;
    if (E->modifiers() & Qt::AltModifier)
        Data |= 1 << 29;
    if (E->isAutoRepeat())
        Data |= 1 << 30;
    return Data;
}

// The character a key event types, as the framework sees it: Ctrl+letter
// is the control character 1..26; Enter, Escape, Backspace and Tab are
// their control characters. 0 when the key types nothing.
char16_t CharOfKeyEvent(const QKeyEvent* E)
{
    const int Key = E->key();
    const Qt::KeyboardModifiers Mods = E->modifiers();
    if ((Mods & Qt::ControlModifier) && !(Mods & Qt::AltModifier)) {
        if (Key >= Qt::Key_A && Key <= Qt::Key_Z)
            return char16_t(Key - Qt::Key_A + 1);
        return 0;
    }
    // A character sent as WM_CHAR comes without a key.
    if (Key == Qt::Key_unknown && E->text().size() == 1 && E->text().at(0).unicode() < 32)
        return E->text().at(0).unicode();
    switch (Key) {
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    default: break;
    }
    const QString T = E->text();
    if (T.isEmpty())
        return 0;
    const char16_t C = T.at(0).unicode();
    return (C < 32 || C == 127) ? 0 : C;
}

// A key event that types Ch instead of what the original typed.
QKeyEvent ReplacementKeyEvent(const QKeyEvent* E, char16_t Ch, bool KeepKey)
{
    int Key = E->key();
    Qt::KeyboardModifiers Mods = E->modifiers();
    QString Text;
    if (!KeepKey || Ch != 0) {
        switch (Ch) {
        case 0: Key = Qt::Key_unknown; break;
        case 8: Key = Qt::Key_Backspace; Mods = Qt::NoModifier; break;
        case 9: Key = Qt::Key_Tab; Mods = Qt::NoModifier; break;
        case 13: Key = Qt::Key_Return; Mods = Qt::NoModifier; break;
        case 27: Key = Qt::Key_Escape; Mods = Qt::NoModifier; break;
        default:
            Text = QString(QChar(Ch));
            Key = (Ch < 128) ? int(QChar(Ch).toUpper().unicode()) : Qt::Key_unknown;
            Mods &= Qt::ShiftModifier;
            break;
        }
    }
    if (Ch == 8 || Ch == 9 || Ch == 13 || Ch == 27)
        Text = QString(QChar(Ch));
    return QKeyEvent(E->type(), Key, Mods, Text, E->isAutoRepeat(), ushort(E->count()));
}

// The wheel event being routed through the framework, so the copies Qt
// propagates to parent widgets are handled natively only.
const QEvent* RoutedWheelEvent = nullptr;

} // namespace

Word MouseKeys(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Mods)
{
    Word Keys = 0;
    if (Buttons & Qt::LeftButton)
        Keys |= MK_LBUTTON;
    if (Buttons & Qt::RightButton)
        Keys |= MK_RBUTTON;
    if (Buttons & Qt::MiddleButton)
        Keys |= MK_MBUTTON;
    if (Mods & Qt::ShiftModifier)
        Keys |= MK_SHIFT;
    if (Mods & Qt::ControlModifier)
        Keys |= MK_CONTROL;
    return Keys;
}

bool SysLocaleMiddleEast() { return QGuiApplication::layoutDirection() == Qt::RightToLeft; }

Word QtKeyToVirtualKey(int Key)
{
    if (Key >= Qt::Key_A && Key <= Qt::Key_Z)
        return Word('A' + (Key - Qt::Key_A));
    if (Key >= Qt::Key_0 && Key <= Qt::Key_9)
        return Word('0' + (Key - Qt::Key_0));
    if (Key >= Qt::Key_F1 && Key <= Qt::Key_F12)
        return Word(VK_F1 + (Key - Qt::Key_F1));
    switch (Key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Asterisk: return VK_MULTIPLY;
    case Qt::Key_Plus: case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Comma: case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Minus: case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Period: case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Slash: case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_Semicolon: case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash: case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return VK_OEM_7;
    default: return 0;
    }
}

namespace {

Word VirtualKeyOfEvent(const QKeyEvent* E)
{
    const int Key = E->key();
    if (E->modifiers() & Qt::KeypadModifier) {
        if (Key >= Qt::Key_0 && Key <= Qt::Key_9)
            return Word(VK_NUMPAD0 + (Key - Qt::Key_0));
        switch (Key) {
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Slash: return VK_DIVIDE;
        case Qt::Key_Period: case Qt::Key_Comma: return VK_DECIMAL;
        default: break;
        }
    }
    return QtKeyToVirtualKey(Key);
}

} // namespace

TShiftState KeysToShiftState(Word Keys)
{
    TShiftState S;
    if (Keys & MK_SHIFT)
        S.Include(ssShift);
    if (Keys & MK_CONTROL)
        S.Include(ssCtrl);
    if (Keys & MK_LBUTTON)
        S.Include(ssLeft);
    if (Keys & MK_RBUTTON)
        S.Include(ssRight);
    if (Keys & MK_MBUTTON)
        S.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0)
        S.Include(ssAlt);
    return S;
}

TShiftState KeyboardStateToShiftState()
{
    TShiftState S;
    if (GetKeyState(VK_SHIFT) < 0)
        S.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        S.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0)
        S.Include(ssAlt);
    if (GetKeyState(VK_LBUTTON) < 0)
        S.Include(ssLeft);
    if (GetKeyState(VK_RBUTTON) < 0)
        S.Include(ssRight);
    if (GetKeyState(VK_MBUTTON) < 0)
        S.Include(ssMiddle);
    return S;
}

TControl* FindControl(HWND Wnd)
{
    for (QWidget* W = Wnd; W; W = W->parentWidget())
        if (auto* Link = dynamic_cast<TWidgetLink*>(W); Link && Link->Control)
            return Link->Control;
    return nullptr;
}

TCustomForm* GetParentForm(TControl* Control)
{
    while (Control && Control->Parent())
        Control = Control->Parent();
    return dynamic_cast<TCustomForm*>(Control);
}

String GetShortHint(const String& Hint)
{
    const qsizetype I = Hint.indexOf(QLatin1Char('|'));
    return I < 0 ? Hint : Hint.left(I);
}

String GetLongHint(const String& Hint)
{
    const qsizetype I = Hint.indexOf(QLatin1Char('|'));
    return I < 0 ? Hint : Hint.mid(I + 1);
}

// ---------------------------------------------------------------- messages by handle

namespace {

// The Qt key of a virtual key code (0 when there is none).
int VirtualKeyToQtKey(Word VK)
{
    static const std::map<Word, int> Keys = [] {
        std::map<Word, int> M;
        auto Add = [&](int Key) {
            if (const Word V = QtKeyToVirtualKey(Key))
                M.try_emplace(V, Key);
        };
        for (int Key = Qt::Key_Space; Key <= Qt::Key_AsciiTilde; ++Key)
            Add(Key);
        for (int Key = Qt::Key_Escape; Key <= Qt::Key_F12; ++Key)
            Add(Key);
        Add(Qt::Key_Menu);
        Add(Qt::Key_Help);
        return M;
    }();
    const auto It = Keys.find(VK);
    return It == Keys.end() ? 0 : It->second;
}

// A key message sent or posted to a control arrives as a key of the
// keyboard would: through the control's handlers to its widget.
QKeyEvent* KeyEventOfMessage(Cardinal Msg, WPARAM WParam)
{
    // A character alone: no key goes down, the character is typed.
    if (Msg == WM_CHAR)
        return new QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(char16_t(WParam))));
    const bool Down = Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN;
    if (!Down && Msg != WM_KEYUP && Msg != WM_SYSKEYUP)
        return nullptr;
    const int Key = VirtualKeyToQtKey(Word(WParam));
    if (Key == 0)
        return nullptr;
    QString Text;
    if (Key == Qt::Key_Tab || Key == Qt::Key_Return || Key == Qt::Key_Escape || Key == Qt::Key_Backspace)
        Text = QChar(char16_t(WParam)); // these codes are their characters
    else if (Key >= Qt::Key_Space && Key <= Qt::Key_AsciiTilde)
        Text = QChar(char16_t(Key)).toLower();
    const Qt::KeyboardModifiers Mods = Msg == WM_SYSKEYDOWN || Msg == WM_SYSKEYUP ? Qt::AltModifier : Qt::NoModifier;
    return new QKeyEvent(Down ? QEvent::KeyPress : QEvent::KeyRelease, Key, Mods, Text);
}

LRESULT SendOnMainThread(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam)
{
    TControl* C = FindControl(Wnd);
    if (!C)
        return 0;
    if (const std::unique_ptr<QKeyEvent> Key{KeyEventOfMessage(Msg, WParam)}) {
        QCoreApplication::sendEvent(C->Handle(), Key.get());
        return 0;
    }
    return C->Perform(Msg, WParam, LParam);
}

} // namespace

LRESULT SendMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam)
{
    if (IsMainThread())
        return SendOnMainThread(Wnd, Msg, WParam, LParam);
    // From another thread the handler runs on the windows' thread while the
    // sender waits; a window that is gone by then gets nothing.
    LRESULT Result = 0;
    TThread::Synchronize([&] {
        if (!QApplication::allWidgets().contains(Wnd))
            return;
        if (TControl* C = FindControl(Wnd))
            GuardEvent(C, [&] { Result = SendOnMainThread(Wnd, Msg, WParam, LParam); });
    });
    return Result;
}

bool PostMessage(HWND Wnd, Cardinal Msg, WPARAM WParam, LPARAM LParam)
{
    TControl* C = FindControl(Wnd);
    if (!C)
        return false;
    if (QKeyEvent* Key = KeyEventOfMessage(Msg, WParam)) {
        QCoreApplication::postEvent(C->Handle(), Key);
        return true;
    }
    QPointer<QWidget> Target(Wnd);
    QTimer::singleShot(0, Wnd, [Target, Msg, WParam, LParam] {
        if (TControl* C = Target ? FindControl(Target) : nullptr)
            GuardEvent(C, [&] {
                const bool KeyMessage = Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN || Msg == WM_KEYUP;
                if (!KeyMessage || C->Perform(CN_BASE + Msg, WParam, LParam) == 0)
                    C->Perform(Msg, WParam, LParam);
            });
    });
    return true;
}

bool InvalidateRect(HWND Wnd, const TRect* R, bool)
{
    TControl* C = FindControl(Wnd);
    if (!C)
        return false;
    if (R) {
        auto* W = dynamic_cast<TWinControl*>(C);
        (W ? W->ClientWidget() : C->Handle())->update(ToQRect(*R));
    } else {
        C->Invalidate();
    }
    return true;
}

UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse, void*)
{
    auto* W = dynamic_cast<TWinControl*>(FindControl(Wnd));
    return W ? W->SetTimer(IDEvent, Elapse) : 0;
}

bool KillTimer(HWND Wnd, UINT_PTR IDEvent)
{
    auto* W = dynamic_cast<TWinControl*>(FindControl(Wnd));
    return W && W->KillTimer(IDEvent);
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>())
{
    WindowProc = [this](TMessage& M) { WndProc(M); };
    FFont->OnChange = [this](TObject* Sender) { FontChangedByUser(Sender); };
    SetWidget(new TBridge<QWidget>());
}

TControl::~TControl()
{
    ApplicationHintControlGone(this);
    if (FParent)
        FParent->RemoveControl(this);
    if (FWidget) {
        FLink->Control = nullptr;
        FWidget->blockSignals(true);
        if (FEventDepth > 0) {
            // Freed from one of its own event handlers: Qt is still inside
            // the widget, so it goes when the event is done.
            FWidget->hide();
            FWidget->setParent(nullptr);
            FWidget->deleteLater();
        } else {
            delete FWidget;
        }
        FWidget = nullptr;
    }
    *FAlive = false;
}

void TControl::SetWidget(QWidget* AWidget)
{
    auto* Link = dynamic_cast<TWidgetLink*>(AWidget);
    Q_ASSERT(Link);
    if (FWidget) {
        FLink->Control = nullptr;
        delete FWidget;
    }
    FWidget = AWidget;
    FLink = Link;
    FLink->Control = this;
    FWidget->setMouseTracking(true);
    // Hints are ours; Qt's tooltips stay off.
    FWidget->setToolTip(QString());
    if (FParent || FPopupWindow)
        AttachWidget();
    PlaceWidget();
    FWidget->setEnabled(FEnabled);
    if (FCursor != crDefault)
        FWidget->setCursor(CursorOf(FCursor));
    if (auto* Win = dynamic_cast<TWinControl*>(this)) {
        FWidget->setAutoFillBackground(true);
        Win->ApplyFocusPolicy();
    }
    ApplyFont();
    ApplyColor();
    ApplyVisibility();
}

bool TControl::NativeEvent(QEvent* Event)
{
    return FLink->BaseEvent(Event);
}

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent)
        return;
    if (AParent == this)
        throw EInvalidOperation(QStringLiteral("A control cannot have itself as its parent"));
    if (FParent)
        FParent->RemoveControl(this);
    FParent = AParent;
    if (FParent) {
        AttachWidget();
        FParent->InsertControl(this);
        TMessage M{};
        if (FParentFont)
            CMParentFontChanged(M);
        if (FParentColor)
            CMParentColorChanged(M);
        PlaceWidget();
        ApplyVisibility();
        UpdateAnchorRules();
        RequestAlign();
    } else {
        FWidget->hide();
        AttachWidget();
    }
}

void TControl::AttachWidget()
{
    if (!FPopupWindow) {
        FWidget->setParent(FParent ? FParent->ClientWidget() : nullptr);
        return;
    }
    Qt::WindowFlags Flags = Qt::FramelessWindowHint | (FPopupStyle.ToolWindow ? Qt::Tool : Qt::Window);
    if (FPopupStyle.TopMost)
        Flags |= Qt::WindowStaysOnTopHint;
    if (FPopupStyle.Disabled)
        Flags |= Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus;
    FWidget->setParent(FParent ? FParent->Handle() : nullptr, Flags);
}

void TControl::SetPopupWindow(const TPopupWindowStyle& Style)
{
    FPopupWindow = true;
    FPopupStyle = Style;
    // A pop-up never takes the activation from its form.
    FWidget->setAttribute(Qt::WA_ShowWithoutActivating);
    if (Style.Disabled)
        FWidget->setFocusPolicy(Qt::NoFocus);
    AttachWidget();
    PlaceWidget();
    ApplyVisibility();
}

void TControl::SetBiDiMode(TBiDiMode Value)
{
    if (FBiDiMode == Value)
        return;
    FBiDiMode = Value;
    Invalidate();
}

void TControl::PlaceWidget()
{
    FWidget->setGeometry(FLeft, FTop, FWidth, FHeight);
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    PlaceWidget();
    if (!FParent || !FParent->FControlState.Contains(csAligning))
        UpdateAnchorRules();
    RequestAlign();
    SendSizeMessage();
}

void TControl::SendSizeMessage()
{
    if (FWidth == FSizeSentWidth && FHeight == FSizeSentHeight)
        return;
    FSizeSentWidth = FWidth;
    FSizeSentHeight = FHeight;
    const TRect R = ClientRect();
    Perform(WM_SIZE, SIZE_RESTORED, LPARAM((Cardinal(Word(R.Height())) << 16) | Word(R.Width())));
}

void TControl::WidgetResized()
{
    const QRect G = FWidget->geometry();
    if (G.width() == FWidth && G.height() == FHeight)
        return;
    FWidth = G.width();
    FHeight = G.height();
    SendSizeMessage();
}

TRect TControl::ClientRect() const
{
    return TRect(0, 0, FWidth, FHeight);
}

void TControl::SetClientWidth(Integer Value)
{
    SetWidth(FWidth - ClientWidth() + Value);
}

void TControl::SetClientHeight(Integer Value)
{
    SetHeight(FHeight - ClientHeight() + Value);
}

TPoint TControl::ClientOrigin() const
{
    return TPoint(0, 0);
}

TPoint TControl::ClientToScreen(const TPoint& P) const
{
    const TPoint O = ClientOrigin();
    const QPoint G = FWidget->mapToGlobal(QPoint(P.X + O.X, P.Y + O.Y));
    return TPoint(G.x(), G.y());
}

TPoint TControl::ScreenToClient(const TPoint& P) const
{
    const TPoint O = ClientOrigin();
    const QPoint L = FWidget->mapFromGlobal(QPoint(P.X, P.Y));
    return TPoint(L.x() - O.X, L.y() - O.Y);
}

void TControl::SetAlign(TAlign Value)
{
    if (FAlign == Value)
        return;
    FAlign = Value;
    if (Value != alNone && Value != alCustom)
        FAnchors = TAnchors{akLeft, akTop};
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value)
{
    FAnchors = Value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    if (!FParent) {
        FAnchorRulesValid = false;
        return;
    }
    const TRect PR = FParent->ClientRect();
    FAnchorParentWidth = PR.Width();
    FAnchorParentHeight = PR.Height();
    FAnchorRight = PR.Width() - (FLeft + FWidth);
    FAnchorBottom = PR.Height() - (FTop + FHeight);
    FAnchorRulesValid = true;
}

void TControl::AnchorToParent(Integer ParentWidth, Integer ParentHeight)
{
    if (!FAnchorRulesValid || FAlign != alNone)
        return;
    Integer L = FLeft, T = FTop, W = FWidth, H = FHeight;
    if (FAnchors.Contains(akRight)) {
        if (FAnchors.Contains(akLeft))
            W = ParentWidth - FAnchorRight - L;
        else
            L = ParentWidth - FAnchorRight - W;
    } else if (!FAnchors.Contains(akLeft) && FAnchorParentWidth > 0) {
        // Neither edge: the centre keeps its relative place.
        const Integer Centre = (FLeft + FWidth / 2) * ParentWidth / FAnchorParentWidth;
        L = Centre - W / 2;
    }
    if (FAnchors.Contains(akBottom)) {
        if (FAnchors.Contains(akTop))
            H = ParentHeight - FAnchorBottom - T;
        else
            T = ParentHeight - FAnchorBottom - H;
    } else if (!FAnchors.Contains(akTop) && FAnchorParentHeight > 0) {
        const Integer Centre = (FTop + FHeight / 2) * ParentHeight / FAnchorParentHeight;
        T = Centre - H / 2;
    }
    const Integer KeepRight = FAnchorRight, KeepBottom = FAnchorBottom;
    const Integer KeepPW = FAnchorParentWidth, KeepPH = FAnchorParentHeight;
    SetBounds(L, T, W, H);
    // The rules describe the designed distances; moving by them keeps them.
    FAnchorRight = KeepRight;
    FAnchorBottom = KeepBottom;
    FAnchorParentWidth = KeepPW;
    FAnchorParentHeight = KeepPH;
    FAnchorRulesValid = true;
}

void TControl::RequestAlign()
{
    if (FParent && !FParent->ComponentState().Contains(csDestroying))
        FParent->AlignControl(this);
}

void TControl::SetAutoSize(bool Value)
{
    if (FAutoSize == Value)
        return;
    FAutoSize = Value;
    if (Value)
        AdjustSize();
}

bool TControl::CanAutoSize(Integer&, Integer&)
{
    return false;
}

void TControl::AdjustSize()
{
    if (!FAutoSize)
        return;
    Integer W = FWidth, H = FHeight;
    if (CanAutoSize(W, H))
        SetBounds(FLeft, FTop, W, H);
}

void TControl::SetVisible(bool Value)
{
    if (FVisible == Value)
        return;
    FVisible = Value;
    ApplyVisibility();
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
    RequestAlign();
}

void TControl::ApplyVisibility()
{
    // A control without a parent never shows a window of its own.
    if (FParent)
        FWidget->setVisible(FVisible);
}

bool TControl::Showing() const
{
    return FWidget->isVisible();
}

void TControl::SetEnabled(bool Value)
{
    if (FEnabled == Value)
        return;
    FEnabled = Value;
    FWidget->setEnabled(Value);
    Perform(CM_ENABLEDCHANGED);
}

String TControl::GetText() const
{
    return FText;
}

void TControl::SetText(const String& Value)
{
    if (GetText() == Value && FText == Value)
        return;
    FText = Value;
    Perform(CM_TEXTCHANGED);
}

void TControl::TextChanged()
{
    AdjustSize();
    Invalidate();
}

void TControl::SetShowHint(bool Value)
{
    FShowHint = Value;
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool Value)
{
    FParentShowHint = Value;
    if (Value && FParent)
        FShowHint = FParent->ShowHint();
}

void TControl::SetCursor(TCursor Value)
{
    FCursor = Value;
    if (Value == crDefault)
        FWidget->unsetCursor();
    else
        FWidget->setCursor(CursorOf(Value));
    Perform(CM_CURSORCHANGED);
}

void TControl::SetColor(TColor Value)
{
    if (FColor == Value && !FParentColor)
        return;
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value)
{
    if (FParentColor == Value)
        return;
    FParentColor = Value;
    if (Value && FParent) {
        TMessage M{CM_PARENTCOLORCHANGED};
        CMParentColorChanged(M);
    }
}

void TControl::SetFont(TFont* Value)
{
    FFont->Assign(Value);
}

void TControl::SetParentFont(bool Value)
{
    if (FParentFont == Value)
        return;
    FParentFont = Value;
    if (Value && FParent) {
        TMessage M{CM_PARENTFONTCHANGED};
        CMParentFontChanged(M);
    }
}

void TControl::FontChangedByUser(TObject*)
{
    if (!FApplyingParentFont)
        FParentFont = false;
    Perform(CM_FONTCHANGED);
}

void SetEnabledPaletteColor(QPalette& P, QPalette::ColorRole Role, const QColor& C)
{
    P.setColor(QPalette::Active, Role, C);
    P.setColor(QPalette::Inactive, Role, C);
}

void TControl::ApplyFont()
{
    FWidget->setFont(FFont->ToQFont());
    QPalette P = FWidget->palette();
    const QColor C = ColorToQColor(FFont->Color());
    if (C.isValid()) {
        // A disabled control keeps the platform's grey text.
        for (const QPalette::ColorRole Role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            SetEnabledPaletteColor(P, Role, C);
        FWidget->setPalette(P);
    }
}

void TControl::ApplyColor()
{
    const QColor C = ColorToQColor(FColor);
    if (!C.isValid())
        return;
    QPalette P = FWidget->palette();
    P.setColor(QPalette::Window, C);
    P.setColor(QPalette::Button, C);
    // A disabled edit shows the platform's disabled background.
    SetEnabledPaletteColor(P, QPalette::Base, C);
    FWidget->setPalette(P);
}

void TControl::SetPopupMenu(TPopupMenu* Value)
{
    FPopupMenu = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FPopupMenu)
        FPopupMenu = nullptr;
    if (AComponent == Action())
        SetAction(nullptr);
}

TBasicAction* TControl::Action() const
{
    return FActionLink ? FActionLink->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* Value)
{
    if (!Value) {
        FActionLink.reset();
        FControlStyle.Exclude(csActionClient);
        return;
    }
    FControlStyle.Include(csActionClient);
    if (!FActionLink)
        FActionLink.reset(GetActionLinkClass()(this));
    FActionLink->SetAction(Value);
    ActionChange(Value, Value->ComponentState().Contains(csLoading));
    Value->FreeNotification(this);
}

TControlActionLinkClass TControl::GetActionLinkClass() const
{
    return ActionLinkClassOf<TControlActionLink>();
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults)
{
    const auto* A = dynamic_cast<TCustomAction*>(Sender);
    if (!A)
        return;
    if (!CheckDefaults || Caption().isEmpty() || Caption() == Name())
        SetCaption(A->Caption());
    if (!CheckDefaults || Enabled())
        SetEnabled(A->Enabled());
}

void TControl::Invalidate()
{
    FWidget->update();
}

void TControl::Repaint()
{
    FWidget->repaint();
}

void TControl::Update()
{
    FWidget->repaint();
}

void TControl::BringToFront()
{
    FWidget->raise();
}

void TControl::SendToBack()
{
    FWidget->lower();
}

// ---------------------------------------------------------------- message path

LRESULT TControl::Perform(Cardinal Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage M{Msg, WParam, LParam, 0};
    WindowProc(M);
    return M.Result;
}

void TControl::WndProc(TMessage& Message)
{
    Dispatch(Message);
}

void TControl::DefaultHandler(TMessage&)
{
}

namespace {

template <class T>
T KeyMessage(const TMessage& M)
{
    return T{M.Msg, Word(M.WParam), LongInt(M.LParam), M.Result};
}

TWMMouse MouseMessage(const TMessage& M)
{
    return TWMMouse{M.Msg, Word(M.WParam), SmallInt(M.LParam & 0xFFFF),
                    SmallInt((M.LParam >> 16) & 0xFFFF), M.Result};
}

} // namespace

void TControl::Dispatch(TMessage& M)
{
    auto Key = [&](void (TControl::*Handler)(TWMKey&)) {
        TWMKey K = KeyMessage<TWMKey>(M);
        (this->*Handler)(K);
        M.WParam = K.CharCode;
        M.Result = K.Result;
    };
    auto Mouse = [&](void (TControl::*Handler)(TWMMouse&)) {
        TWMMouse K = MouseMessage(M);
        (this->*Handler)(K);
        M.Result = K.Result;
    };
    switch (M.Msg) {
    case WM_SIZE: {
        TWMSize S{M.Msg, Cardinal(M.WParam), Word(M.LParam & 0xFFFF), Word((M.LParam >> 16) & 0xFFFF), 0};
        WMSize(S);
        M.Result = S.Result;
        break;
    }
    case WM_TIMER: {
        TWMTimer T{M.Msg, UINT_PTR(M.WParam), M.LParam, 0};
        WMTimer(T);
        M.Result = T.Result;
        break;
    }
    case WM_GETDLGCODE: WMGetDlgCode(M); break;
    case WM_KEYDOWN: case WM_SYSKEYDOWN: Key(&TControl::WMKeyDown); break;
    case WM_KEYUP: case WM_SYSKEYUP: Key(&TControl::WMKeyUp); break;
    case WM_CHAR: case WM_SYSCHAR: Key(&TControl::WMChar); break;
    case CN_KEYDOWN: case CN_SYSKEYDOWN: Key(&TControl::CNKeyDown); break;
    case CN_KEYUP: Key(&TControl::CNKeyUp); break;
    case CM_DIALOGKEY: Key(&TControl::CMDialogKey); break;
    case CM_DIALOGCHAR: Key(&TControl::CMDialogChar); break;
    case CM_WANTSPECIALKEY: Key(&TControl::CMWantSpecialKey); break;
    case WM_SETFOCUS: WMSetFocus(M); break;
    case WM_KILLFOCUS: WMKillFocus(M); break;
    case WM_LBUTTONDOWN: Mouse(&TControl::WMLButtonDown); break;
    case WM_LBUTTONUP: Mouse(&TControl::WMLButtonUp); break;
    case WM_LBUTTONDBLCLK: Mouse(&TControl::WMLButtonDblClk); break;
    case WM_RBUTTONDOWN: Mouse(&TControl::WMRButtonDown); break;
    case WM_RBUTTONUP: Mouse(&TControl::WMRButtonUp); break;
    case WM_RBUTTONDBLCLK: Mouse(&TControl::WMRButtonDblClk); break;
    case WM_MBUTTONDOWN: Mouse(&TControl::WMMButtonDown); break;
    case WM_MBUTTONUP: Mouse(&TControl::WMMButtonUp); break;
    case WM_MBUTTONDBLCLK: Mouse(&TControl::WMMButtonDblClk); break;
    case WM_MOUSEMOVE: Mouse(&TControl::WMMouseMove); break;
    case WM_MOUSEWHEEL: case CM_MOUSEWHEEL: {
        TWMMouseWheel W{M.Msg, Word(M.WParam & 0xFFFF), SmallInt((M.WParam >> 16) & 0xFFFF),
                        SmallInt(M.LParam & 0xFFFF), SmallInt((M.LParam >> 16) & 0xFFFF), 0};
        if (M.Msg == WM_MOUSEWHEEL)
            WMMouseWheel(W);
        else
            CMMouseWheel(W);
        M.Result = W.Result;
        break;
    }
    case WM_HSCROLL: case WM_VSCROLL: {
        TWMScroll S{M.Msg, Word(M.WParam & 0xFFFF), SmallInt((M.WParam >> 16) & 0xFFFF),
                    reinterpret_cast<HWND>(M.LParam), 0};
        if (M.Msg == WM_HSCROLL)
            WMHScroll(S);
        else
            WMVScroll(S);
        M.Result = S.Result;
        break;
    }
    case WM_CANCELMODE: WMCancelMode(M); break;
    case CM_MOUSEENTER: CMMouseEnter(M); break;
    case CM_CTL3DCHANGED: CMCtl3DChanged(M); break;
    case CM_MOUSELEAVE: CMMouseLeave(M); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(M); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(M); break;
    case CM_FONTCHANGED: CMFontChanged(M); break;
    case CM_COLORCHANGED: CMColorChanged(M); break;
    case CM_TEXTCHANGED: CMTextChanged(M); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(M); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(M); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(M); break;
    case CM_FOCUSCHANGED: CMFocusChanged(M); break;
    case CM_ENTER: CMEnter(M); break;
    case CM_EXIT: CMExit(M); break;
    case WM_COMMAND:
        // A child control's notification, reflected back to it.
        if (TControl* From = FindControl(reinterpret_cast<HWND>(M.LParam)); From && From != this)
            M.Result = From->Perform(CN_COMMAND, M.WParam, M.LParam);
        else
            DefaultHandler(M);
        break;
    case WM_NOTIFY:
        // Reflected back to the control that sent it, as the platform's
        // parent windows do by default.
        if (auto* Hdr = reinterpret_cast<const TNMHdr*>(M.LParam); Hdr && FindControl(Hdr->hwndFrom))
            M.Result = FindControl(Hdr->hwndFrom)->Perform(CN_NOTIFY, M.WParam, M.LParam);
        else
            DefaultHandler(M);
        break;
    case CM_HINTSHOW: {
        TCMHintShow H{M.Msg, M.WParam, reinterpret_cast<THintInfo*>(M.LParam), 0};
        CMHintShow(H);
        M.Result = H.Result;
        break;
    }
    default: DefaultHandler(M); break;
    }
}

// Default handlers.

void TControl::WMSize(TWMSize&)
{
    Resize();
}

void TControl::WMTimer(TWMTimer&) {}
void TControl::WMGetDlgCode(TWMGetDlgCode&) {}
void TControl::WMKeyDown(TWMKey&) {}
void TControl::WMKeyUp(TWMKey&) {}
void TControl::WMChar(TWMKey&) {}
void TControl::CNKeyDown(TWMKey&) {}
void TControl::CNKeyUp(TWMKey&) {}
void TControl::WMSetFocus(TMessage&) {}
void TControl::WMKillFocus(TMessage&) {}
void TControl::WMHScroll(TWMScroll&) {}
void TControl::WMVScroll(TWMScroll&) {}
void TControl::CMDialogKey(TCMDialogKey&) {}
void TControl::CMDialogChar(TCMDialogChar&) {}
void TControl::CMWantSpecialKey(TCMWantSpecialKey&) {}
void TControl::CMEnter(TMessage&) {}
void TControl::CMExit(TMessage&) {}
void TControl::CMFocusChanged(TMessage&) {}
void TControl::CMHintShow(TCMHintShow&) {}

void TControl::WMCancelMode(TMessage&)
{
    FControlState.Exclude(csClicked);
    FControlState.Exclude(csLButtonDown);
}

void TControl::WMLButtonDown(TWMMouse& Message)
{
    FControlState.Include(csLButtonDown);
    if (FControlStyle.Contains(csClickEvents))
        FControlState.Include(csClicked);
    MouseDown(mbLeft, KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMLButtonUp(TWMMouse& Message)
{
    FControlState.Exclude(csLButtonDown);
    if (FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        if (PtInRect(ClientRect(), TPoint(Message.XPos, Message.YPos)))
            Click();
    }
    MouseUp(mbLeft, KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMLButtonDblClk(TWMMouse& Message)
{
    if (!FControlStyle.Contains(csDoubleClicks)) {
        WMLButtonDown(Message);
        return;
    }
    FControlState.Include(csLButtonDown);
    if (FControlStyle.Contains(csClickEvents))
        DblClick();
    MouseDown(mbLeft, KeysToShiftState(Message.Keys) + ssDouble, Message.XPos, Message.YPos);
}

void TControl::WMRButtonDown(TWMMouse& Message)
{
    MouseDown(mbRight, KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMRButtonUp(TWMMouse& Message)
{
    MouseUp(mbRight, KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMRButtonDblClk(TWMMouse& Message)
{
    MouseDown(mbRight, KeysToShiftState(Message.Keys) + ssDouble, Message.XPos, Message.YPos);
}

void TControl::WMMButtonDown(TWMMouse& Message)
{
    MouseDown(mbMiddle, KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMMButtonUp(TWMMouse& Message)
{
    MouseUp(mbMiddle, KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMMButtonDblClk(TWMMouse& Message)
{
    MouseDown(mbMiddle, KeysToShiftState(Message.Keys) + ssDouble, Message.XPos, Message.YPos);
}

void TControl::WMMouseMove(TWMMouse& Message)
{
    MouseMove(KeysToShiftState(Message.Keys), Message.XPos, Message.YPos);
}

void TControl::WMMouseWheel(TWMMouseWheel& Message)
{
    // The focused control hears of the wheel first; the message climbs to
    // the form from there.
    TControl* Target = this;
    if (TCustomForm* Form = GetParentForm(this); Form && Form->ActiveControl())
        Target = Form->ActiveControl();
    Message.Result = Target->Perform(CM_MOUSEWHEEL, WPARAM(Word(Message.Keys)) | (WPARAM(Word(Message.WheelDelta)) << 16),
                                     LPARAM(Word(Message.XPos)) | (LPARAM(Word(Message.YPos)) << 16));
}

void TControl::CMMouseWheel(TWMMouseWheel& Message)
{
    if (DoMouseWheel(KeysToShiftState(Message.Keys), Message.WheelDelta, TPoint(Message.XPos, Message.YPos)))
        Message.Result = 1;
    else if (FParent)
        Message.Result = FParent->Perform(CM_MOUSEWHEEL,
                                          WPARAM(Message.Keys) | (WPARAM(Word(Message.WheelDelta)) << 16),
                                          LPARAM(Word(Message.XPos)) | (LPARAM(Word(Message.YPos)) << 16));
}

bool TControl::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos)
{
    bool Handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, Handled);
    return Handled;
}

void TControl::CMMouseEnter(TMessage&)
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&)
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TControl::CMCtl3DChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMEnabledChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&)
{
}

void TControl::CMFontChanged(TMessage&)
{
    ApplyFont();
    AdjustSize();
    Invalidate();
}

void TControl::CMColorChanged(TMessage&)
{
    ApplyColor();
    Invalidate();
}

void TControl::CMTextChanged(TMessage&)
{
    TextChanged();
}

void TControl::CMParentFontChanged(TMessage&)
{
    if (!FParentFont || !FParent)
        return;
    FApplyingParentFont = true;
    try {
        FFont->Assign(FParent->Font());
    } catch (...) {
        FApplyingParentFont = false;
        throw;
    }
    FApplyingParentFont = false;
}

void TControl::CMParentColorChanged(TMessage&)
{
    if (!FParentColor || !FParent)
        return;
    FColor = FParent->Color();
    Perform(CM_COLORCHANGED);
}

void TControl::CMParentShowHintChanged(TMessage&)
{
    if (FParentShowHint && FParent)
        FShowHint = FParent->ShowHint();
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
    else if (FActionLink)
        FActionLink->Execute(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

// ---------------------------------------------------------------- Qt events

void TControl::RunAsEvent(const std::function<void()>& Body)
{
    const std::shared_ptr<bool> Alive = FAlive;
    ++FEventDepth;
    try {
        Body();
    } catch (...) {
        if (*Alive)
            --FEventDepth;
        HandleEventException(*Alive ? this : nullptr);
        return;
    }
    if (*Alive)
        --FEventDepth;
}

bool TControl::WidgetEvent(QEvent* Event)
{
    if (ComponentState().Contains(csDestroying))
        return NativeEvent(Event);
    const std::shared_ptr<bool> Alive = FAlive;
    bool Result = true;
    RunAsEvent([&] {
        switch (Event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            DispatchMouse(Event);
            break;
        case QEvent::Wheel:
            if (!DispatchWheel(Event))
                Result = NativeEvent(Event);
            break;
        case QEvent::Enter:
            if (!FMouseInControl) {
                FMouseInControl = true;
                ApplicationHintEnter(this);
                Perform(CM_MOUSEENTER, 0, LPARAM(this));
            }
            Result = NativeEvent(Event);
            break;
        case QEvent::Leave:
            MouseLeft();
            Result = NativeEvent(Event);
            break;
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
            // No leave comes when the control or its window goes away or
            // another window takes over: the pointer is no longer on it.
            MouseLeft();
            Result = NativeEvent(Event);
            break;
        case QEvent::Resize:
            Result = NativeEvent(Event);
            if (*Alive)
                WidgetResized();
            break;
        case QEvent::ContextMenu:
            if (FPopupMenu) {
                const auto* CE = static_cast<QContextMenuEvent*>(Event);
                FPopupMenu->SetPopupComponent(this);
                FPopupMenu->Popup(CE->globalPos().x(), CE->globalPos().y());
            } else {
                Result = DefaultContextMenu(static_cast<QContextMenuEvent*>(Event));
            }
            break;
        case QEvent::ToolTip:
        case QEvent::WhatsThis:
            break;
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::DragLeave:
        case QEvent::Drop:
            if (!DeliverDragEvent(this, Event))
                Result = NativeEvent(Event);
            break;
        case QEvent::StyleChange:
            // A theme change of the desktop comes as a style change too.
            Result = NativeEvent(Event);
            if (*Alive)
                Perform(WM_THEMECHANGED);
            break;
        default:
            Result = NativeEvent(Event);
            break;
        }
    });
    return Result;
}

void TControl::MouseLeft()
{
    if (!FMouseInControl)
        return;
    FMouseInControl = false;
    ApplicationHintLeave(this);
    Perform(CM_MOUSELEAVE, 0, LPARAM(this));
}

bool TControl::DefaultContextMenu(QContextMenuEvent* Event)
{
    return NativeEvent(Event);
}

void TControl::DispatchMouse(QEvent* Event)
{
    auto* E = static_cast<QMouseEvent*>(Event);
    const std::shared_ptr<bool> Alive = FAlive;
    if (Event->type() == QEvent::MouseButtonPress || Event->type() == QEvent::MouseButtonDblClick)
        ApplicationHintCancel();
    Cardinal Msg = WM_MOUSEMOVE;
    const bool Dbl = Event->type() == QEvent::MouseButtonDblClick;
    const bool Up = Event->type() == QEvent::MouseButtonRelease;
    if (Event->type() != QEvent::MouseMove) {
        switch (E->button()) {
        case Qt::LeftButton: Msg = Dbl ? WM_LBUTTONDBLCLK : Up ? WM_LBUTTONUP : WM_LBUTTONDOWN; break;
        case Qt::RightButton: Msg = Dbl ? WM_RBUTTONDBLCLK : Up ? WM_RBUTTONUP : WM_RBUTTONDOWN; break;
        case Qt::MiddleButton: Msg = Dbl ? WM_MBUTTONDBLCLK : Up ? WM_MBUTTONUP : WM_MBUTTONDOWN; break;
        default: NativeEvent(Event); return;
        }
    }
    // Positions in the control's own window (a category panel's header
    // included).
    const QPoint P = E->position().toPoint();
    const Word Keys = MouseKeys(E->buttons(), E->modifiers());
    const LPARAM Pos = LPARAM(Word(SmallInt(P.x()))) | (LPARAM(Word(SmallInt(P.y()))) << 16);
    // Native handling first for presses, so a control that takes the focus
    // on a click has it when MouseDown runs, as with the platform's controls.
    if (Msg != WM_MOUSEMOVE && !Up) {
        NativeEvent(Event);
        if (!*Alive)
            return;
        Perform(Msg, Keys, Pos);
    } else {
        Perform(Msg, Keys, Pos);
        if (!*Alive)
            return;
        NativeEvent(Event);
    }
    Event->accept();
}

bool TControl::DispatchWheel(QEvent* Event)
{
    if (RoutedWheelEvent == Event)
        return false;
    auto* E = static_cast<QWheelEvent*>(Event);
    const QPoint G = E->globalPosition().toPoint();
    const int Delta = E->angleDelta().y() != 0 ? E->angleDelta().y() : E->angleDelta().x();
    const Word Keys = MouseKeys(E->buttons(), E->modifiers());
    const QEvent* Saved = RoutedWheelEvent;
    RoutedWheelEvent = Event;
    LRESULT R = 0;
    try {
        R = Perform(WM_MOUSEWHEEL, WPARAM(Keys) | (WPARAM(Word(SmallInt(Delta))) << 16),
                    LPARAM(Word(SmallInt(G.x()))) | (LPARAM(Word(SmallInt(G.y()))) << 16));
    } catch (...) {
        RoutedWheelEvent = Saved;
        throw;
    }
    RoutedWheelEvent = Saved;
    if (R != 0) {
        Event->accept();
        return true;
    }
    RoutedWheelEvent = Event;
    return false;
}

bool TControl::WidgetPaint(QPaintEvent*)
{
    return false;
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner)
{
    FWidget->setAutoFillBackground(true);
    ApplyFocusPolicy();
}

TWinControl::~TWinControl()
{
    // The derived parts are gone: the widget's signals and paints must not
    // reach them while the children go.
    FWidget->blockSignals(true);
    SetPaintOver(false);
    // Leaves the parent's lists while still a windowed control, so that
    // its tab order forgets it too.
    if (FParent)
        FParent->RemoveControl(this);
    // Children go first, whoever owns them; each leaves this list itself.
    while (!FControls.empty()) {
        TControl* C = FControls.back();
        delete C;
    }
    for (auto& [Id, QtId] : FTimers)
        FWidget->killTimer(QtId);
    FTimers.clear();
}

QWidget* TWinControl::ClientWidget() const
{
    return FWidget;
}

TRect TWinControl::ClientRect() const
{
    const QWidget* W = ClientWidget();
    if (W == FWidget)
        return TRect(0, 0, Width(), Height());
    return TRect(0, 0, W->width(), W->height());
}

TControl* TWinControl::Controls(Integer Index) const
{
    if (Index < 0 || Index >= ControlCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FControls[std::size_t(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const
{
    for (const TControl* C = Control; C; C = C->Parent())
        if (C == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled) const
{
    for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
        TControl* C = *It;
        if (C->Visible() && (AllowDisabled || C->Enabled()) && PtInRect(C->BoundsRect(), Pos))
            return C;
    }
    return nullptr;
}

void TWinControl::SetParent(TWinControl* AParent)
{
    TControl::SetParent(AParent);
    if (AParent && !FWindowCreated) {
        FWindowCreated = true;
        CreateWnd();
    }
}

void TWinControl::SendCommandNotification(Word Code)
{
    const WPARAM WParam = WPARAM(Code) << 16;
    if (Parent())
        Parent()->Perform(WM_COMMAND, WParam, LPARAM(Handle()));
    else
        Perform(CN_COMMAND, WParam, LPARAM(Handle()));
}

void TWinControl::RecreateWnd()
{
    if (Parent())
        CreateWnd();
}

void TWinControl::InsertControl(TControl* AControl)
{
    FControls.push_back(AControl);
    if (auto* W = dynamic_cast<TWinControl*>(AControl))
        FTabList.push_back(W);
    ControlsChanged();
}

void TWinControl::RemoveControl(TControl* AControl)
{
    if (TCustomForm* Form = GetParentForm(this))
        Form->ControlRemoved(AControl);
    std::erase(FControls, AControl);
    std::erase(FTabList, static_cast<TWinControl*>(dynamic_cast<TWinControl*>(AControl)));
    AControl->FParent = nullptr;
    if (!ComponentState().Contains(csDestroying)) {
        ControlsChanged();
        Realign();
    }
}

Integer TWinControl::TabOrder() const
{
    if (!Parent())
        return -1;
    const auto& L = Parent()->FTabList;
    const auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : Integer(It - L.begin());
}

void TWinControl::SetTabOrder(Integer Value)
{
    if (!Parent())
        return;
    auto& L = Parent()->FTabList;
    std::erase(L, this);
    Value = std::clamp(Value, 0, Integer(L.size()));
    L.insert(L.begin() + Value, this);
}

void TWinControl::SetTabStop(bool Value)
{
    if (FTabStop == Value)
        return;
    FTabStop = Value;
    ApplyFocusPolicy();
}

void TWinControl::ApplyFocusPolicy()
{
    FWidget->setFocusPolicy(FTabStop ? Qt::StrongFocus : Qt::NoFocus);
}

void TWinControl::SetParentBackground(bool Value)
{
    if (Value)
        FControlStyle.Include(csParentBackground);
    else
        FControlStyle.Exclude(csParentBackground);
    FWidget->setAutoFillBackground(!Value);
    Invalidate();
}

bool TWinControl::CanFocus() const
{
    const TCustomForm* Form = GetParentForm(const_cast<TWinControl*>(this));
    for (const TControl* C = this; C && C != Form; C = C->Parent())
        if (!C->Visible() || !C->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const
{
    const QWidget* Focus = FWidget->window()->focusWidget();
    return Focus && (Focus == FWidget || Focus->focusProxy() == FWidget || FWidget->focusProxy() == Focus);
}

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
    // The focus moves first, so that the controls told of the change see
    // where it is now.
    FWidget->setFocus(Qt::OtherFocusReason);
    // A handler of the focus-in may have passed the focus on (a grid to its
    // editor); that control already told the form.
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Focused())
        Form->SetFocusedControl(this);
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const
{
    std::vector<TWinControl*> List;
    std::function<void(const TWinControl*)> Collect = [&](const TWinControl* W) {
        for (TWinControl* C : W->FTabList) {
            List.push_back(C);
            Collect(C);
        }
    };
    Collect(this);
    if (List.empty())
        return nullptr;
    const Integer Count = Integer(List.size());
    auto It = std::find(List.begin(), List.end(), CurControl);
    Integer Start = It == List.end() ? (GoForward ? Count - 1 : 0) : Integer(It - List.begin());
    Integer I = Start;
    do {
        if (GoForward) {
            if (++I == Count)
                I = 0;
        } else {
            if (I == 0)
                I = Count;
            --I;
        }
        TWinControl* C = List[std::size_t(I)];
        if (C->CanFocus() && (!CheckTabStop || C->TabStop()) && (!CheckParent || C->Parent() == this))
            return C;
    } while (I != Start);
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop)
{
    if (TWinControl* C = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
        C->SetFocus();
}

void TWinControl::SelectFirst()
{
    SelectNext(nullptr, true, true);
}

void TWinControl::Broadcast(TMessage& Message)
{
    for (std::size_t I = 0; I < FControls.size(); ++I) {
        FControls[I]->WindowProc(Message);
        if (Message.Result != 0)
            return;
    }
}

void TWinControl::NotifyControls(Cardinal Msg)
{
    TMessage M{Msg, 0, 0, 0};
    const std::vector<TControl*> Copy = FControls;
    for (TControl* C : Copy)
        C->WindowProc(M);
}

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0 && --FAlignLevel == 0 && FAlignPending)
        Realign();
}

void TWinControl::Realign()
{
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl* AControl)
{
    if (ComponentState().Contains(csDestroying))
        return;
    if (FAlignLevel > 0) {
        FAlignPending = true;
        return;
    }
    DisableAlign();
    FControlState.Include(csAligning);
    try {
        TRect R = ClientRect();
        AlignControls(AControl, R);
    } catch (...) {
        FControlState.Exclude(csAligning);
        FAlignPending = false;
        --FAlignLevel;
        throw;
    }
    FControlState.Exclude(csAligning);
    // Requests made by the children while they were placed are answered.
    FAlignPending = false;
    --FAlignLevel;
}

void TWinControl::AdjustClientRect(TRect&)
{
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    AdjustClientRect(Rect);
    const TRect Client = ClientRect();
    for (TControl* C : FControls)
        if (C->Align() == alNone && !(C->Anchors() == TAnchors{akLeft, akTop}))
            C->AnchorToParent(Client.Width(), Client.Height());

    // Whether X goes before Y on the side A: nearer to that side first.
    auto Before = [](TAlign A, const TControl* X, const TControl* Y) {
        switch (A) {
        case alTop: return X->Top() < Y->Top();
        case alBottom: return X->Top() + X->Height() > Y->Top() + Y->Height();
        case alLeft: return X->Left() < Y->Left();
        case alRight: return X->Left() + X->Width() > Y->Left() + Y->Width();
        default: return false;
        }
    };
    const TAlign Order[] = {alTop, alBottom, alLeft, alRight, alClient};
    for (TAlign A : Order) {
        // The control that just moved keeps its place against equals; the
        // others go in the order they came.
        std::vector<TControl*> List;
        if (AControl && AControl->Align() == A && AControl->Visible() && AControl->Parent() == this)
            List.push_back(AControl);
        for (TControl* C : FControls) {
            if (C == AControl || C->Align() != A || !C->Visible())
                continue;
            auto It = List.begin();
            while (It != List.end() && !Before(A, C, *It))
                ++It;
            List.insert(It, C);
        }
        for (TControl* C : List) {
            const Integer W = C->Width(), H = C->Height();
            switch (A) {
            case alTop:
                C->SetBounds(Rect.Left, Rect.Top, Rect.Width(), H);
                Rect.Top += C->Height();
                break;
            case alBottom:
                C->SetBounds(Rect.Left, Rect.Bottom - H, Rect.Width(), H);
                Rect.Bottom -= C->Height();
                break;
            case alLeft:
                C->SetBounds(Rect.Left, Rect.Top, W, Rect.Height());
                Rect.Left += C->Width();
                break;
            case alRight:
                C->SetBounds(Rect.Right - W, Rect.Top, W, Rect.Height());
                Rect.Right -= C->Width();
                break;
            default:
                C->SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
                break;
            }
        }
    }
}

UINT_PTR TWinControl::SetTimer(UINT_PTR IDEvent, UINT Elapse)
{
    KillTimer(IDEvent);
    const int QtId = FWidget->startTimer(int(std::max<UINT>(Elapse, 1)));
    if (QtId == 0)
        return 0;
    FTimers[IDEvent] = QtId;
    return IDEvent;
}

bool TWinControl::KillTimer(UINT_PTR IDEvent)
{
    const auto It = FTimers.find(IDEvent);
    if (It == FTimers.end())
        return false;
    FWidget->killTimer(It->second);
    FTimers.erase(It);
    return true;
}

void TWinControl::TimerFired(int QtTimerId)
{
    for (const auto& [Id, QtId] : FTimers)
        if (QtId == QtTimerId) {
            Perform(WM_TIMER, Id, 0);
            return;
        }
}

void TWinControl::Repaint()
{
    FWidget->repaint();
}

// A transparent child on top of the widget's own children that draws what
// the control paints over them; mouse events pass through it.
class TPaintOverlay : public QWidget {
public:
    explicit TPaintOverlay(TWinControl* AControl) : QWidget(AControl->Handle()), Control(AControl)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        parentWidget()->installEventFilter(this);
        setGeometry(parentWidget()->rect());
        raise();
        show();
    }

protected:
    bool eventFilter(QObject* Watched, QEvent* E) override
    {
        if (Watched == parentWidget()) {
            if (E->type() == QEvent::Resize)
                setGeometry(parentWidget()->rect());
            else if (E->type() == QEvent::ChildAdded && static_cast<QChildEvent*>(E)->child() != this)
                raise();
        }
        return false;
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter P(this);
        TCanvas Canvas(&P);
        GuardEvent(Control, [&] { Control->PaintOver(&Canvas); });
    }

private:
    TWinControl* Control;
};

void TWinControl::SetCtl3D(bool Value)
{
    if (Value == FCtl3D)
        return;
    FCtl3D = Value;
    Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetPaintOver(bool Value)
{
    if (Value == (FPaintOverlay != nullptr))
        return;
    if (Value) {
        FPaintOverlay = new TPaintOverlay(this);
    } else {
        delete FPaintOverlay;
        FPaintOverlay = nullptr;
    }
}

void TWinControl::PaintOver(TCanvas*)
{
}

bool TWinControl::WidgetEvent(QEvent* Event)
{
    if (ComponentState().Contains(csDestroying))
        return NativeEvent(Event);
    const std::shared_ptr<bool> Alive = FAlive;
    switch (Event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        RunAsEvent([&] { DispatchKey(Event); });
        return true;
    case QEvent::Timer: {
        const int QtId = static_cast<QTimerEvent*>(Event)->timerId();
        for (const auto& [Id, Q] : FTimers)
            if (Q == QtId) {
                GuardEvent(this, [&] { TimerFired(QtId); });
                return true;
            }
        return NativeEvent(Event);
    }
    case QEvent::FocusIn: {
        const bool R = NativeEvent(Event);
        const auto Reason = static_cast<QFocusEvent*>(Event)->reason();
        if (*Alive && Reason != Qt::ActiveWindowFocusReason && Reason != Qt::PopupFocusReason)
            GuardEvent(this, [&] {
                if (TCustomForm* Form = GetParentForm(this); Form && Form != this)
                    Form->SetFocusedControl(this);
            });
        return R;
    }
    default:
        return TControl::WidgetEvent(Event);
    }
}

void TControl::DispatchKey(QEvent* Event)
{
    auto* E = static_cast<QKeyEvent*>(Event);
    const std::shared_ptr<bool> Alive = FAlive;
    Event->accept();
    const Word VK = VirtualKeyOfEvent(E);
    const LongInt Data = KeyDataOf(E);
    const bool Alt = E->modifiers() & Qt::AltModifier;
    if (Event->type() == QEvent::KeyRelease) {
        if (VK != 0) {
            TMessage CN{CN_KEYUP, VK, Data, 0};
            WindowProc(CN);
            if (!*Alive || CN.Result != 0)
                return;
            TMessage M{Alt ? WM_SYSKEYUP : WM_KEYUP, VK, Data, 0};
            WindowProc(M);
            if (!*Alive || M.WParam == 0)
                return;
        }
        NativeEvent(Event);
        return;
    }
    ApplicationHintCancel();
    bool KeyEaten = false;
    if (VK != 0) {
        TMessage CN{Alt ? CN_SYSKEYDOWN : CN_KEYDOWN, VK, Data, 0};
        WindowProc(CN);
        if (!*Alive || CN.Result != 0)
            return;
        TMessage M{Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, VK, Data, 0};
        WindowProc(M);
        if (!*Alive)
            return;
        KeyEaten = M.WParam == 0;
    }
    const char16_t Original = CharOfKeyEvent(E);
    char16_t Ch = Original;
    if (Ch != 0) {
        if (Alt) {
            // Alt+character: an accelerator for the window's controls.
            if (TCustomForm* Form = GetParentForm(this)) {
                if (Form->Perform(CM_DIALOGCHAR, Ch, Data) != 0)
                    return;
                if (!*Alive)
                    return;
            }
        }
        TMessage M{Alt ? WM_SYSCHAR : WM_CHAR, Ch, Data, 0};
        WindowProc(M);
        if (!*Alive)
            return;
        Ch = char16_t(M.WParam);
    }
    // Backspace and Ctrl+letter do their work (delete, copy, paste, cut ...)
    // through their characters, as the platform's edits do: a swallowed one
    // does nothing.
    const bool WorkingCharSwallowed =
        Ch == 0 && (Original == 8 || (Original >= 1 && Original <= 26 && (E->modifiers() & Qt::ControlModifier)));
    // A control character without its key (sent as WM_CHAR) needs its key
    // to do its work.
    const bool KeylessControlChar = E->key() == Qt::Key_unknown && Ch != 0 && Ch < 32;
    if (!KeyEaten && Ch == Original && !KeylessControlChar) {
        NativeEvent(Event);
    } else if (WorkingCharSwallowed) {
        return;
    } else if (!KeyEaten || Ch != 0) {
        QKeyEvent Replacement = ReplacementKeyEvent(E, Ch, !KeyEaten);
        NativeEvent(&Replacement);
    }
}

void TWinControl::CNKeyDown(TWMKey& Message)
{
    Message.Result = 1;
    Cardinal Mask = 0;
    switch (Message.CharCode) {
    case VK_TAB: Mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: Mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: Mask = DLGC_WANTALLKEYS; break;
    default: break;
    }
    if (Mask != 0 && Perform(CM_WANTSPECIALKEY, Message.CharCode, Message.KeyData) == 0 &&
        (Perform(WM_GETDLGCODE) & (Mask | DLGC_WANTALLKEYS)) == 0) {
        if (TCustomForm* Form = GetParentForm(this);
            Form && Form->Perform(CM_DIALOGKEY, Message.CharCode, Message.KeyData) != 0)
            return;
    }
    Message.Result = 0;
}

void TWinControl::WMKeyDown(TWMKey& Message)
{
    if (!DoKeyDown(Message))
        TControl::WMKeyDown(Message);
}

void TWinControl::WMKeyUp(TWMKey& Message)
{
    if (!DoKeyUp(Message))
        TControl::WMKeyUp(Message);
}

void TWinControl::WMChar(TWMKey& Message)
{
    if (!DoKeyPress(Message))
        TControl::WMChar(Message);
}

bool TWinControl::DoKeyDown(TWMKey& Message)
{
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->KeyPreview() && Form->DoKeyDown(Message))
        return true;
    const TShiftState Shift = KeyboardStateToShiftState() - TShiftState{ssLeft, ssRight, ssMiddle};
    Word Key = Message.CharCode;
    KeyDown(Key, Shift);
    Message.CharCode = Key;
    return Key == 0;
}

bool TWinControl::DoKeyUp(TWMKey& Message)
{
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->KeyPreview() && Form->DoKeyUp(Message))
        return true;
    const TShiftState Shift = KeyboardStateToShiftState() - TShiftState{ssLeft, ssRight, ssMiddle};
    Word Key = Message.CharCode;
    KeyUp(Key, Shift);
    Message.CharCode = Key;
    return Key == 0;
}

bool TWinControl::DoKeyPress(TWMKey& Message)
{
    TCustomForm* Form = GetParentForm(this);
    if (Form && Form != this && Form->KeyPreview() && Form->DoKeyPress(Message))
        return true;
    Char Ch(char16_t(Message.CharCode));
    KeyPress(Ch);
    Message.CharCode = Ch.unicode();
    return Ch.unicode() == 0;
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TWinControl::CMDialogKey(TCMDialogKey& Message)
{
    TMessage M{Message.Msg, Message.CharCode, Message.KeyData, 0};
    Broadcast(M);
    Message.Result = M.Result;
}

void TWinControl::CMDialogChar(TCMDialogChar& Message)
{
    TMessage M{Message.Msg, Message.CharCode, Message.KeyData, 0};
    Broadcast(M);
    Message.Result = M.Result;
}

void TWinControl::CMEnter(TMessage&)
{
    DoEnter();
}

void TWinControl::CMExit(TMessage&)
{
    DoExit();
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::CMFontChanged(TMessage& Message)
{
    TControl::CMFontChanged(Message);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message)
{
    TControl::CMColorChanged(Message);
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFocusChanged(TMessage& Message)
{
    Broadcast(Message);
    Message.Result = 0;
}

void TWinControl::CMEnabledChanged(TMessage& Message)
{
    TControl::CMEnabledChanged(Message);
}

void TWinControl::WMSize(TWMSize& Message)
{
    Realign();
    TControl::WMSize(Message);
}

void TWinControl::WMTimer(TWMTimer& Message)
{
    TControl::WMTimer(Message);
}

// ---------------------------------------------------------------- TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>())
{
    ApplyFocusPolicy();
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::ApplyFocusPolicy()
{
    // The framework's custom controls do not take the focus on a click;
    // those that want it call SetFocus in MouseDown.
    Handle()->setFocusPolicy(TabStop() ? Qt::TabFocus : Qt::NoFocus);
}

void TCustomControl::Paint()
{
}

bool TCustomControl::WidgetPaint(QPaintEvent*)
{
    QPainter P(Handle());
    FCanvas->SetPainter(&P);
    GuardEvent(this, [&] { Paint(); });
    FCanvas->SetPainter(nullptr);
    return true;
}

// ---------------------------------------------------------------- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TCanvas>())
{
    Handle()->setFocusPolicy(Qt::NoFocus);
    Handle()->setAutoFillBackground(false);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::ApplyColor()
{
    // Nothing is filled for it: Paint draws what it shows.
}

void TGraphicControl::Paint()
{
}

bool TGraphicControl::WidgetPaint(QPaintEvent*)
{
    QPainter P(Handle());
    FCanvas->SetPainter(&P);
    GuardEvent(this, [&] { Paint(); });
    FCanvas->SetPainter(nullptr);
    return true;
}

// ---------------------------------------------------------------- TMouse

namespace {
TMouse TheMouse;
}
TMouse* const Mouse = &TheMouse;

TPoint TMouse::CursorPos() const
{
    const QPoint P = QCursor::pos();
    return TPoint(P.x(), P.y());
}

void TMouse::SetCursorPos(const TPoint& Value)
{
    QCursor::setPos(Value.X, Value.Y);
}

Integer TMouse::WheelScrollLines() const
{
    return QApplication::wheelScrollLines();
}

// ---------------------------------------------------------------- window regions

bool SetWindowRgn(HWND Wnd, const std::vector<TPoint>& Polygon, bool Redraw)
{
    if (!Wnd)
        return false;
    if (Polygon.empty()) {
        Wnd->clearMask();
    } else {
        QPolygon Points;
        for (const TPoint& P : Polygon)
            Points << QPoint(P.X, P.Y);
        Wnd->setMask(QRegion(Points, Qt::WindingFill));
    }
    if (Redraw)
        Wnd->update();
    return true;
}

// ---------------------------------------------------------------- THintWindow

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    auto* W = new TBridge<QWidget>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    W->setAttribute(Qt::WA_ShowWithoutActivating);
    SetWidget(W);
    SetParentColor(false);
    SetColor(clInfoBk);
    SetParentFont(false);
}

void THintWindow::PlaceWidget()
{
    Handle()->setGeometry(Left(), Top(), Width(), Height());
}

TRect THintWindow::CalcHintRect(Integer MaxWidth, const String& AHint, void*)
{
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(Font());
    TRect R(0, 0, MaxWidth, 0);
    DrawText(Measure.Canvas(), AHint, -1, R, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    R.Right += 6;
    R.Bottom += 2;
    return R;
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint)
{
    SetCaption(AHint);
    // Keep the window on the screen it starts on.
    const TRect Work = FromQRect(Handle()->screen() ? Handle()->screen()->availableGeometry() : QRect());
    if (!IsRectEmpty(Work)) {
        if (Rect.Right > Work.Right)
            OffsetRect(Rect, Work.Right - Rect.Right, 0);
        if (Rect.Left < Work.Left)
            OffsetRect(Rect, Work.Left - Rect.Left, 0);
        if (Rect.Bottom > Work.Bottom)
            OffsetRect(Rect, 0, Work.Bottom - Rect.Bottom);
    }
    SetBoundsRect(Rect);
    Handle()->show();
    Repaint();
}

void THintWindow::ActivateHintData(TRect Rect, const String& AHint, void*)
{
    ActivateHint(Rect, AHint);
}

void THintWindow::ReleaseHandle()
{
    Handle()->hide();
}

bool THintWindow::IsHintShowing() const
{
    return Handle()->isVisible();
}

void THintWindow::Paint()
{
    TCanvas* C = Canvas();
    const TRect R = ClientRect();
    C->Brush()->SetColor(Color());
    C->Brush()->SetStyle(bsSolid);
    C->FillRect(R);
    C->Brush()->SetColor(clWindowFrame);
    C->FrameRect(R);
    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsClear);
    TRect T = R;
    T.Left += 2;
    T.Top += 1;
    DrawText(C, Caption(), -1, T, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}
