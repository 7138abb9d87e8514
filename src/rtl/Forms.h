#pragma once
// Forms, the application object, the screen, and scrolling containers.
#include "rtl/Controls.h"

#include <memory>
#include <vector>

class QEventLoop;
class QTimer;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;

// ---------------------------------------------------------------------------
// Scrolling containers

class TScrollingWinControl;

// The scroll bar of a scrolling container, in pixels of its content.
class TControlScrollBar {
public:
    TControlScrollBar(TScrollingWinControl* AControl, bool AVertical);

    Integer Position() const;
    void SetPosition(Integer Value);
    // The extent of the content (the lowest or rightmost child edge).
    Integer Range() const;
    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer Value) { FIncrement = Value; }
    // Whether the content follows the thumb while it is dragged.
    bool Tracking() const;
    void SetTracking(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // True when the bar is shown (the content does not fit).
    bool IsScrollBarVisible() const;

private:
    TScrollingWinControl* FControl;
    bool FVertical;
    Integer FIncrement = 8;
    bool FVisible = true;
};

// A container whose children lie on a surface that scrolls when they do
// not fit. Children's positions are on the surface (they do not change
// when the view scrolls).
class TScrollingWinControl : public TWinControl {
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;

    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);
    void ScrollInView(TControl* AControl);

    QWidget* ClientWidget() const override;
    TRect ClientRect() const override;

    // The surface's size after the children moved or resized.
    void UpdateScrollRange();

protected:
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void WMSize(TWMSize& Message) override;
    void WMVScroll(TWMScroll& Message) override;
    void WMHScroll(TWMScroll& Message) override;
    void ControlsChanged() override;

private:
    friend class TControlScrollBar;
    QWidget* FSurface = nullptr;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
    bool FAutoScroll = true;
    bool FUpdatingRange = false;
    bool FNeedV = false;
    bool FNeedH = false;
};

class TScrollBox : public TScrollingWinControl {
public:
    explicit TScrollBox(TComponent* AOwner);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

private:
    TBorderStyle FBorderStyle = bsSingle;
};

// ---------------------------------------------------------------------------
// Forms

// A top-level window (a QDialog). Left, Top, Width and Height are the
// window's outer bounds; ClientWidth and ClientHeight its inside. A form is
// hidden until shown; OnCreate runs through DoCreate, which
// Application->CreateForm calls once the form's constructor is done.
class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    // Raises OnCreate; call once after construction (CreateForm does).
    virtual void DoCreate();
    // Raises OnDestroy while the form is still whole (forms freed by delete).
    void BeforeDestruction() override;

    void Show();
    void Hide();
    // Hides a modeless form after CloseQuery and OnClose; a modal form gets
    // mrCancel; closing the main form ends the program.
    void Close();
    // Frees the form once the events being handled are done.
    void Release();
    virtual bool CloseQuery();
    // Shows the form modally and returns its modal result once it is set.
    virtual TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value);
    bool Modal() const { return FModalLoop != nullptr || FInModal; }

    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    // Constant opacity of the window while AlphaBlend is set (255 opaque).
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    Byte AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value);
    // A window that shows without taking the activation and never takes
    // the focus.
    bool NoActivate() const { return FNoActivate; }
    void SetNoActivate(bool Value);

    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    // Focus moved to Control: OnExit and OnEnter of the controls left and
    // entered, then CM_FOCUSCHANGED to all controls.
    void SetFocusedControl(TWinControl* Control);
    void ControlRemoved(TControl* Control);
    bool Active() const;

    TRect ClientRect() const override;
    void SetClientWidth(Integer Value) override;
    void SetClientHeight(Integer Value) override;

    TCanvas* Canvas() const { return FCanvas.get(); }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;

    bool WidgetEvent(QEvent* Event) override;
    bool WidgetPaint(QPaintEvent* Event) override;

protected:
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    void CloseModal();

    void ApplyVisibility() override;
    void PlaceWidget() override;
    void WidgetResized() override;
    void TextChanged() override;
    String GetText() const override;
    void CMDialogKey(TCMDialogKey& Message) override;
    void ApplyFocusPolicy() override;

private:
    void ApplyWindowFlags();
    void ApplyPosition();
    TSize FrameExtra() const;

    std::unique_ptr<TCanvas> FCanvas;
    TModalResult FModalResult = mrNone;
    QEventLoop* FModalLoop = nullptr;
    bool FInModal = false;
    bool FKeyPreview = false;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TFormStyle FFormStyle = fsNormal;
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 255;
    bool FNoActivate = false;
    TWinControl* FActiveControl = nullptr;
    bool FShowing = false;
    bool FReleasing = false;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// ---------------------------------------------------------------------------
// Screen

class QCursor;
// A cursor picture with its hot spot.
using HCURSOR = std::shared_ptr<const QCursor>;
// The program's cursor resource of that name: a PNG under ":/cursors/" whose
// text key "HotSpot" holds "x,y" (0,0 without it); nullptr when there is none.
HCURSOR LoadCursor(const String& ResName);

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);

    Integer Width() const;
    Integer Height() const;
    TRect WorkAreaRect() const;
    // The work area of the screen that holds P (screen coordinates), the
    // primary screen's when none does.
    TRect MonitorWorkAreaAt(const TPoint& P) const;
    Integer WorkAreaLeft() const { return WorkAreaRect().Left; }
    Integer WorkAreaTop() const { return WorkAreaRect().Top; }
    Integer WorkAreaWidth() const { return WorkAreaRect().Width(); }
    Integer WorkAreaHeight() const { return WorkAreaRect().Height(); }
    Integer PixelsPerInch() const { return 96; }

    // The cursor shown over every window; crDefault gives each control its own.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // The table of the program's own cursors, by positive number; the
    // standard cursors (crDefault and below) are the platform's and not in
    // it. nullptr for a number without a cursor.
    HCURSOR Cursors(TCursor Index) const;
    void SetCursors(TCursor Index, HCURSOR Value);

    Integer FormCount() const { return Integer(FForms.size()); }
    TCustomForm* Forms(Integer Index) const;
    TCustomForm* ActiveForm() const;
    TWinControl* ActiveControl() const;

private:
    friend class TCustomForm;
    std::vector<TCustomForm*> FForms;
    TCursor FCursor = crDefault;
    std::map<TCursor, HCURSOR> FCursors;
};

// ---------------------------------------------------------------------------
// Application

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize() {}
    // The program's name unless set.
    String Title() const;
    void SetTitle(const String& Value) { FTitle = Value; }
    String ExeName() const;
    bool MainFormOnTaskBar() const { return FMainFormOnTaskBar; }
    void SetMainFormOnTaskBar(bool Value) { FMainFormOnTaskBar = Value; }

    TCustomForm* MainForm() const { return FMainForm; }
    // Creates a form of class T owned by the application, stores it in
    // Reference, makes the first one the main form and raises its OnCreate.
    template <class T>
    void CreateForm(T*& Reference)
    {
        Reference = new T(this);
        FormCreated(Reference);
    }
    void FormCreated(TCustomForm* Form);
    void MainFormGone(TCustomForm* Form);

    // Shows the main form and runs the event loop until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void ProcessMessages();
    void HandleMessage();

    // A message box with MB_ flags; answers IDOK, IDCANCEL, IDYES ...
    Integer MessageBox(const String& Text, const String& Caption, Cardinal Flags = MB_OK);
    // Shows the exception being handled (only inside a catch block); EAbort
    // is silent. OnException replaces the error box when set.
    void HandleException(TObject* Sender);
    // An error box captioned with the title, text ExceptionText(E).
    void ShowException(const Exception* E);
    // The message as the error box shows it: ending with a period.
    static String ExceptionText(const Exception* E);
    TExceptionEvent OnException;

    // Hints.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    Integer HintPause() const { return FHintPause; }
    void SetHintPause(Integer Value) { FHintPause = Value; }
    Integer HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(Integer Value) { FHintHidePause = Value; }
    Integer HintShortPause() const { return FHintShortPause; }
    void SetHintShortPause(Integer Value) { FHintShortPause = Value; }
    THintWindowClass HintWindowClass() const { return FHintWindowClass; }
    void SetHintWindowClass(THintWindowClass Value) { FHintWindowClass = Value; }
    // Shows the hint of the control under CursorPos (screen) at once.
    void ActivateHint(const TPoint& CursorPos);
    void CancelHint();
    // The hint window while a hint is shown, else nullptr.
    THintWindow* HintWindow() const;
    TControl* HintControl() const { return FHintControl; }

    // For the controls: the pointer entered or left a control.
    void HintMouseEnter(TControl* Control);
    void HintMouseLeave(TControl* Control);
    void HintControlGone(TControl* Control);

private:
    void StartHintTimer(Integer Ms);
    void HideHintWindow();

    String FTitle;
    bool FMainFormOnTaskBar = false;
    TCustomForm* FMainForm = nullptr;
    bool FTerminated = false;
    bool FRunning = false;
    bool FShowHint = true;
    TColor FHintColor = clInfoBk;
    Integer FHintPause = 500;
    Integer FHintHidePause = 2500;
    Integer FHintShortPause = 50;
    THintWindowClass FHintWindowClass = nullptr;
    TControl* FHintControl = nullptr;
    THintWindow* FHintWindow = nullptr;
    THintWindowClass FHintWindowMadeBy = nullptr;
    bool FHintShown = false;
    QTimer* FHintTimer = nullptr;
    QTimer* FHintHideTimer = nullptr;
};

// The application object and the screen, made when the program starts and
// kept to its end.
extern TApplication* const Application;
extern TScreen* const Screen;

// Whether VK (a character code) is the accelerator of Str: the character
// after its first single "&" ("&&" is a plain "&"), case ignored.
bool IsAccel(Word VK, const String& Str);

// Frees the forms and components the application owns, while Qt still
// runs; the program entry calls it before the QApplication goes.
void DoneApplication();
