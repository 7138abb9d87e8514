#pragma once
// Controls: the framework's control classes over Qt widgets.
//
// Every control owns exactly one widget (its Handle). Qt events reaching the
// widget are turned into the framework's messages and delivered through
// WindowProc to the handler methods (WMSize, WMKeyDown, CMMouseEnter ...),
// which call the virtual operations (MouseDown, KeyDown, Click, Paint ...)
// and the On... events. docs/architecture.md has the table of the mapping.
// An exception escaping any of this is shown to the user by the application
// and never reaches Qt.
#include "rtl/Classes.h"
#include "rtl/Graphics.h"
#include "rtl/Windows.h"

#include <map>
#include <memory>
#include <vector>

class QContextMenuEvent;
class QEvent;
class QPaintEvent;
class QWidget;
class TWidgetLink;

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class THintWindow;
class TBasicAction;
class TControlActionLink;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
RTL_NAMED_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
using TLeftRight = TAlignment;
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

// Reading order and alignment of a control's texts; only bdRightToLeft
// mirrors the alignment (UseRightToLeftAlignment).
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
// The system reads right to left: Qt's application layout direction is.
bool SysLocaleMiddleEast();

// A control's window as a frameless top-level pop-up owned by its parent's
// window (placed in screen coordinates) instead of a child window.
struct TPopupWindowStyle {
    bool TopMost = false;    // above all other windows
    bool ToolWindow = false; // no task bar entry, kept above its owner
    bool Disabled = false;   // takes neither input nor the focus
};

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// The border of controls: bsNone or bsSingle.
using TBorderStyle = TFormBorderStyle;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

using TCursor = SmallInt;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = -22;

// Modal results; the button answers of message boxes have the same numbers.
using TModalResult = Integer;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrClose = 8;
constexpr TModalResult mrHelp = 9;
constexpr TModalResult mrTryAgain = 10;
constexpr TModalResult mrContinue = 11;
constexpr TModalResult mrAll = 12;
constexpr TModalResult mrNoToAll = 13;
constexpr TModalResult mrYesToAll = 14;

enum TControlStyleItem {
    csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
    csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible,
    csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector, csActionClient,
    csMenuEvents, csNeedsBorderPaint, csParentBackground, csPannable
};
using TControlStyle = TSet<TControlStyleItem>;
enum TControlStateItem {
    csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
    csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csAligning
};
using TControlState = TSet<TControlStateItem>;

using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled)>;

// The shift state of mouse-message key flags plus Alt from the keyboard.
TShiftState KeysToShiftState(Word Keys);
// The shift state of the keyboard (and mouse buttons) at the current event.
TShiftState KeyboardStateToShiftState();

// What the application fills before a hint is shown (CM_HINTSHOW). The
// window class is a factory; HintWindowClassOf<T>() gives one for a class.
using THintWindowClass = THintWindow* (*)(TComponent* AOwner);
template <class T>
THintWindowClass HintWindowClassOf()
{
    return [](TComponent* AOwner) -> THintWindow* { return new T(AOwner); };
}

struct THintInfo {
    TControl* HintControl = nullptr;
    THintWindowClass HintWindowClass = nullptr;
    TPoint HintPos;      // screen coordinates
    Integer HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect;    // client coordinates of HintControl
    TPoint CursorPos;    // client coordinates of HintControl
    Integer ReshowTimeout = 0;
    Integer HideTimeout = 0;
    String HintStr;
    void* HintData = nullptr;
};

struct TCMHintShow {
    Cardinal Msg = CM_HINTSHOW;
    WPARAM Reserved = 0;
    THintInfo* HintInfo = nullptr;
    LRESULT Result = 0;
};

// The kind of link a control makes to its action, as a factory;
// ActionLinkClassOf<T>() gives one for a class.
using TControlActionLinkClass = TControlActionLink* (*)(TControl* AClient);
template <class T>
TControlActionLinkClass ActionLinkClassOf()
{
    return [](TControl* AClient) -> TControlActionLink* { return new T(AClient); };
}

// Shows the exception being handled to the user (through the application's
// error box). Only valid inside a catch block.
void HandleEventException(TObject* Sender);

// Runs Body and shows any exception it raises instead of letting it escape.
template <class F>
void GuardEvent(TObject* Sender, F&& Body)
{
    try {
        Body();
    } catch (...) {
        HandleEventException(Sender);
    }
}

// The control whose widget is Wnd (or whose widget contains Wnd); nullptr
// for widgets that belong to no control.
TControl* FindControl(HWND Wnd);
// The form that holds Control (the control itself when it is a form).
TCustomForm* GetParentForm(TControl* Control);

// ---------------------------------------------------------------------------
// TControl

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // The widget; never null while the control lives.
    HWND Handle() const { return FWidget; }
    bool HandleAllocated() const { return FWidget != nullptr; }

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);

    Integer Left() const { return FLeft; }
    Integer Top() const { return FTop; }
    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Position in the parent's client area, in pixels.
    virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
    TRect BoundsRect() const { return TRect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }

    virtual TRect ClientRect() const;
    Integer ClientWidth() const { return ClientRect().Width(); }
    Integer ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(Integer Value);
    virtual void SetClientHeight(Integer Value);
    // Where the client area's origin lies in the control's own coordinates.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& P) const;
    TPoint ScreenToClient(const TPoint& P) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible (and the window shown).
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    // Caption and Text are the same window text.
    String Caption() const { return GetText(); }
    void SetCaption(const String& Value) { SetText(Value); }
    String Text() const { return GetText(); }
    void SetText(const String& Value);

    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);

    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);

    // Left to right unless set.
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool IsPopupWindow() const { return FPopupWindow; }
    // The action the control is linked to; linking takes the action's
    // caption and enabled state, a click executes it unless OnClick is set.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

    void Invalidate();
    // Paints at once (the paint handlers run before Repaint returns when the
    // control is showing).
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Paints what is pending now.
    virtual void Update();
    void BringToFront();
    void SendToBack();

    // Delivers a message to the control's handlers and returns its result.
    LRESULT Perform(Cardinal Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // The message path: WindowProc (replaceable, WndProc by default) passes
    // the message to Dispatch, which calls the handler of its number; a
    // message without a handler goes to DefaultHandler.
    std::function<void(TMessage& Message)> WindowProc;
    virtual void WndProc(TMessage& Message);
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    // Notification of a component going away (the popup menu, the action).
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Events.
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnResize;

    // Raises the click behaviour (OnClick) as a user click would.
    virtual void Click();

    // Runs Body as one of the control's events: an exception is shown
    // instead of passed on, and Body may free the control (its widget then
    // goes when Qt is done with it).
    void RunAsEvent(const std::function<void()>& Body);

    // For the Qt glue: the widget's events and paint requests. Return true
    // when the event was consumed.
    virtual bool WidgetEvent(QEvent* Event);
    virtual bool WidgetPaint(QPaintEvent* Event);

protected:
    // Takes AWidget as the control's widget; call from the constructor of a
    // class that needs another widget than its base (before anything else).
    void SetWidget(QWidget* AWidget);
    // Shows or hides the widget for Visible (forms show their window).
    virtual void ApplyVisibility();
    // The widget's own handling of Event (what a Qt widget does by itself).
    bool NativeEvent(QEvent* Event);
    // Makes the window a pop-up of that style; its bounds become screen
    // coordinates.
    void SetPopupWindow(const TPopupWindowStyle& Style);

    // A context menu asked for while the control has no PopupMenu: the
    // widget's own.
    virtual bool DefaultContextMenu(QContextMenuEvent* Event);

    virtual void DblClick();
    virtual TControlActionLinkClass GetActionLinkClass() const;
    // The control takes the action's values; with CheckDefaults only those
    // it still has at their defaults.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);
    virtual void Resize();
    virtual String GetText() const;
    // The text changed: show it (CM_TEXTCHANGED runs it).
    virtual void TextChanged();
    // Font or colour changed: apply them to the widget.
    virtual void ApplyFont();
    virtual void ApplyColor();
    virtual bool CanAutoSize(Integer& NewWidth, Integer& NewHeight);
    void AdjustSize();
    // The widget geometry for the bounds (forms place their frame).
    virtual void PlaceWidget();
    // Qt changed the widget's size (a window resized by the user, a widget
    // laid out by Qt): take the new size.
    virtual void WidgetResized();
    void SendSizeMessage();
    // Anchor distances against the parent's client size, taken from the
    // current bounds.
    void UpdateAnchorRules();
    void AnchorToParent(Integer ParentWidth, Integer ParentHeight);
    void RequestAlign();

    // Message handlers.
    virtual void WMSize(TWMSize& Message);
    virtual void WMTimer(TWMTimer& Message);
    virtual void WMGetDlgCode(TWMGetDlgCode& Message);
    virtual void WMKeyDown(TWMKey& Message);
    virtual void WMKeyUp(TWMKey& Message);
    virtual void WMChar(TWMKey& Message);
    virtual void CNKeyDown(TWMKey& Message);
    virtual void CNKeyUp(TWMKey& Message);
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);
    virtual void WMLButtonDown(TWMMouse& Message);
    virtual void WMLButtonUp(TWMMouse& Message);
    virtual void WMLButtonDblClk(TWMMouse& Message);
    virtual void WMRButtonDown(TWMMouse& Message);
    virtual void WMRButtonUp(TWMMouse& Message);
    virtual void WMRButtonDblClk(TWMMouse& Message);
    virtual void WMMButtonDown(TWMMouse& Message);
    virtual void WMMButtonUp(TWMMouse& Message);
    virtual void WMMButtonDblClk(TWMMouse& Message);
    virtual void WMMouseMove(TWMMouse& Message);
    virtual void WMMouseWheel(TWMMouseWheel& Message);
    virtual void WMHScroll(TWMScroll& Message);
    virtual void WMVScroll(TWMScroll& Message);
    virtual void WMCancelMode(TMessage& Message);
    virtual void CMMouseEnter(TMessage& Message);
    virtual void CMMouseLeave(TMessage& Message);
    virtual void CMCtl3DChanged(TMessage& Message);
    virtual void CMEnabledChanged(TMessage& Message);
    virtual void CMVisibleChanged(TMessage& Message);
    virtual void CMFontChanged(TMessage& Message);
    virtual void CMColorChanged(TMessage& Message);
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMParentFontChanged(TMessage& Message);
    virtual void CMParentColorChanged(TMessage& Message);
    virtual void CMParentShowHintChanged(TMessage& Message);
    virtual void CMFocusChanged(TMessage& Message);
    virtual void CMDialogKey(TCMDialogKey& Message);
    virtual void CMDialogChar(TCMDialogChar& Message);
    virtual void CMWantSpecialKey(TCMWantSpecialKey& Message);
    virtual void CMEnter(TMessage& Message);
    virtual void CMExit(TMessage& Message);
    virtual void CMHintShow(TCMHintShow& Message);
    virtual void CMMouseWheel(TWMMouseWheel& Message);

    // The bridge asks whether the control paints its widget itself.
    virtual bool PaintsItself() const { return false; }

    TWidgetLink* FLink = nullptr;

private:
    friend class TWinControl;
    void DispatchMouse(QEvent* Event);
    // The pointer is no longer over the control: CM_MOUSELEAVE once.
    void MouseLeft();
    void DispatchKey(QEvent* Event);
    void FontChangedByUser(TObject* Sender);
    bool DispatchWheel(QEvent* Event);
    // Puts the widget into the parent's client area, or makes it a window
    // owned by the parent's for a pop-up.
    void AttachWidget();

protected:

    QWidget* FWidget = nullptr;
    TWinControl* FParent = nullptr;
    Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    Integer FSizeSentWidth = -1, FSizeSentHeight = -1;
    Integer FAnchorRight = 0, FAnchorBottom = 0; // distances to the parent's client edges
    Integer FAnchorParentWidth = 0, FAnchorParentHeight = 0;
    bool FAnchorRulesValid = false;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    bool FAutoSize = false;
    bool FVisible = true;
    bool FEnabled = true;
    String FText;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FApplyingParentFont = false;
    TPopupMenu* FPopupMenu = nullptr;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FPopupWindow = false;
    TPopupWindowStyle FPopupStyle;
    std::unique_ptr<TControlActionLink> FActionLink;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    bool FMouseInControl = false;
    // Events being handled for this control (it may be freed by them).
    Integer FEventDepth = 0;
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// ---------------------------------------------------------------------------
// TWinControl: a control that can hold others and take the keyboard focus.

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    // Frees the child controls first (whoever owns them), as the framework does.
    ~TWinControl() override;

    Integer ControlCount() const { return Integer(FControls.size()); }
    TControl* Controls(Integer Index) const;
    // Child windowed controls in tab order.
    Integer TabListCount() const { return Integer(FTabList.size()); }
    TWinControl* TabList(Integer Index) const { return FTabList.at(std::size_t(Index)); }
    bool ContainsControl(const TControl* Control) const;
    // The child control at the client point, if any.
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled = false) const;

    TRect ClientRect() const override;
    // The widget that holds the children (the control's own widget, or the
    // inner surface of a scrolling or framed control).
    virtual QWidget* ClientWidget() const;

    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    // Tells the parent of a notification of the control: WM_COMMAND with
    // Code in the high word and the control's window, which the parent
    // reflects back as CN_COMMAND; without a parent the control gets
    // CN_COMMAND at once.
    void SendCommandNotification(Word Code);
    // The sunken 3D look of the platform's controls; the controls that draw
    // their own frame read it (a change sends CM_CTL3DCHANGED).
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);

    // With ParentBackground the control fills no background of its own, so
    // the parent shows where it paints nothing.
    bool ParentBackground() const { return FControlStyle.Contains(csParentBackground); }
    void SetParentBackground(bool Value);
    Integer TabOrder() const;
    void SetTabOrder(Integer Value);

    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // The next control in tab order after CurControl (inside this control).
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    void SelectFirst();

    // Sends the message to every child control until one answers non-zero.
    void Broadcast(TMessage& Message);
    void NotifyControls(Cardinal Msg);

    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    void Realign();
    // Lays out the children after AControl moved, resized or came.
    void AlignControl(TControl* AControl);
    // Lays out the aligned and anchored children in Rect (the client area).
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void AdjustClientRect(TRect& Rect);

    // Timers by identifier: each expiry delivers WM_TIMER with the id.
    // Setting an id that runs already restarts it with the new interval.
    UINT_PTR SetTimer(UINT_PTR IDEvent, UINT Elapse);
    bool KillTimer(UINT_PTR IDEvent);

    void Repaint() override;

    // The control receives CreateWnd once, when its window first sits in a
    // parent; RecreateWnd runs it again (only while the control has one).
    void SetParent(TWinControl* AParent) override;
    void RecreateWnd();

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    bool WidgetEvent(QEvent* Event) override;

    // The key route with the form's KeyPreview first; true when the key was
    // eaten (set to 0).
    virtual bool DoKeyDown(TWMKey& Message);
    virtual bool DoKeyUp(TWMKey& Message);
    virtual bool DoKeyPress(TWMKey& Message);

protected:
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(Char& Key);
    virtual void DoEnter();
    virtual void DoExit();
    // The window's set-up that needs a parent (the widget itself lives as
    // long as the control).
    virtual void CreateWnd() {}
    bool WindowCreated() const { return FWindowCreated; }
    // A child was added or removed.
    virtual void ControlsChanged() {}

    void WMSize(TWMSize& Message) override;
    void WMTimer(TWMTimer& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMKeyUp(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void CNKeyDown(TWMKey& Message) override;
    void CMDialogKey(TCMDialogKey& Message) override;
    void CMDialogChar(TCMDialogChar& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

    // How the widget takes the focus (Qt focus policy) for the current
    // TabStop; custom controls take it by Tab only, as the framework's do.
    virtual void ApplyFocusPolicy();

    // Drawing over a native control: once switched on, PaintOver runs after
    // every paint of the widget and its children, with a canvas over the
    // whole widget (the platform's frame and buttons are part of the widget
    // here); what it excludes from the clipping stays as the widget drew it.
    void SetPaintOver(bool Value);
    virtual void PaintOver(TCanvas* Canvas);

private:
    friend class TControl;
    friend class TPaintOverlay;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    void TimerFired(int QtTimerId);

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    std::map<UINT_PTR, int> FTimers; // id -> Qt timer id
    QWidget* FPaintOverlay = nullptr;
    bool FTabStop = false;
    bool FCtl3D = true;
    Integer FAlignLevel = 0;
    bool FAlignPending = false;
    bool FWindowCreated = false;
};

// A windowed control that paints itself on its Canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    // Bound to the widget's painter while Paint runs; outside a paint it
    // draws nothing.
    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint();
    bool PaintsItself() const override { return true; }
    bool WidgetPaint(QPaintEvent* Event) override;
    void ApplyFocusPolicy() override;

private:
    std::unique_ptr<TCanvas> FCanvas;
};

// A control without a window of its own in the framework: it cannot take
// the focus. Here it has a widget that paints nothing but what Paint draws,
// so the parent shows through.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint();
    bool PaintsItself() const override { return true; }
    bool WidgetPaint(QPaintEvent* Event) override;
    void ApplyColor() override;

private:
    std::unique_ptr<TCanvas> FCanvas;
};

// ---------------------------------------------------------------------------
// Mouse and hint window

class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(const TPoint& Value);
    // Lines per wheel notch as the system sets it.
    Integer WheelScrollLines() const;
    bool MousePresent() const { return true; }
};
extern TMouse* const Mouse;

// The small window that shows hints. Subclasses may measure and draw the
// text their own way (CalcHintRect, Paint).
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);

    // Shows the hint with Rect (screen coordinates) as the window's bounds.
    virtual void ActivateHint(TRect Rect, const String& AHint);
    virtual void ActivateHintData(TRect Rect, const String& AHint, void* AData);
    // The size the hint needs, at (0, 0), without the window's margins
    // added by the caller.
    virtual TRect CalcHintRect(Integer MaxWidth, const String& AHint, void* AData);
    void ReleaseHandle();
    bool IsHintShowing() const;

protected:
    void Paint() override;
    void PlaceWidget() override;
};

// The window shows, and takes the mouse, only inside the polygon (filled by
// the winding rule); an empty polygon gives it all back. False for a null
// window.
bool SetWindowRgn(HWND Wnd, const std::vector<TPoint>& Polygon, bool Redraw);

// The short part of a hint "short|long" and the long part.
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);
