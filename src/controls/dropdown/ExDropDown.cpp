#include "controls/dropdown/ExDropDown.h"

#include "rtl/ImgList.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>

namespace {

// A frame of one pixel round R.
void FrameIn(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FrameRect(R);
}

// Hides the pop-up and clears the dropped-down state when a handler raises
// while it opens or closes.
template <class F>
void KeepPopupWhole(TExCustomDropDown* DropDown, bool& DroppedDown, F&& Body)
{
    try {
        Body();
    } catch (...) {
        if (TDropDownForm* Form = DropDown->DropDownForm())
            Form->Hide();
        DroppedDown = false;
        throw;
    }
}

} // namespace

// ---------------------------------------------------------------- construction

TExCustomDropDown::TExCustomDropDown(TComponent* AOwner)
    : TCustomMaskEdit(AOwner),
      FDropDownHeader(std::make_unique<THeaderAppearance>(this)),
      FButtonAppearance(std::make_unique<TExButtonAppearance>()),
      FDropDownFooter(std::make_unique<TFooterAppearance>(this)),
      FLabelFont(std::make_unique<TFont>())
{
    SetBounds(Left(), Top(), 200, 21);
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
    FDropDownHeader->OnChange = [this](TObject* Sender) { HeaderChanged(Sender); };
    FDropDownHeader->OnButtonsChanged = FDropDownHeader->OnChange;
    FDropDownFooter->OnChange = [this](TObject* Sender) { FooterChanged(Sender); };
    FDropDownFooter->OnButtonsChanged = FDropDownFooter->OnChange;
    FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
    SetPaintOver(true);
}

void TExCustomDropDown::AfterConstruction()
{
    TCustomMaskEdit::AfterConstruction();
    if (!ComponentState().Contains(csDesigning))
        CreateDropDownForm();
    CreateDropDownButton();
    SetReadOnly(false);
    SetDropPosition(dpAuto);
    SetText(String());
    FOldText.clear();
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
    FDropDownEnabled = false;
    SetSelectionColorStyle(scOffice2007);
    SetComponentStyle(tsOffice2007Luna);
    // The button came after the first sizing: place it now.
    ArrangeButton();
}

TExCustomDropDown::~TExCustomDropDown()
{
    // The form goes first, while the drop-down is whole for its OnDestroy.
    delete FDropDownForm;
    FDropDownForm = nullptr;
}

Integer TExCustomDropDown::GetVersionNr() const
{
    return 0x01020104;
}

String TExCustomDropDown::Version() const
{
    const Cardinal V = Cardinal(GetVersionNr());
    return QStringLiteral("%1.%2.%3.%4").arg(V >> 24).arg((V >> 16) & 0xFF).arg((V >> 8) & 0xFF).arg(V & 0xFF);
}

void TExCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm)
        return;
    FDropDownForm = new TDropDownForm(this);
    FDropDownForm->SetExDropDown(this);
    FDropDownForm->SetVisible(false);
    FDropDownForm->SetBounds(0, 0, FDropDownWidth, FDropDownHeight);
    FDropDownForm->OnHide = [this](TObject*) { DropDownClosed(); };
    FDropDownForm->OnKeyPress = [this](TObject*, Char& Key) { FormKeyPress(Key); };
    FDropDownForm->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { FormKeyDown(Key, Shift); };
    FDropDownForm->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { FormKeyUp(Key, Shift); };
    FDropDownForm->OnMouseWheel = [this](TObject*, TShiftState, Integer WheelDelta, TPoint, bool& Handled) {
        if (WheelDelta < 0)
            FormMouseWheelDown();
        else
            FormMouseWheelUp();
        Handled = true;
    };
    FDropDownForm->OnDestroy = [this](TObject*) { DropDownFormDestroyed(); };
    FDropDownForm->OnSizing = [this](TObject*) { DropDownResized(); };
}

void TExCustomDropDown::CreateDropDownButton()
{
    if (FButton)
        return;
    FButton = new TDropDownEditButton(this);
    FButton->SetParent(this);
    FButton->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
    if (ComponentState().Contains(csDesigning))
        FButton->SetColor(clBtnFace);
    InitDropDownButton();
}

void TExCustomDropDown::InitDropDownButton()
{
    FButton->SetBWidth(FButtonWidth);
    FButton->SetBounds(FButton->Left(), FButton->Top(), FButtonWidth, 17);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
}

// ---------------------------------------------------------------- settings

void TExCustomDropDown::SetEditorEnabled(bool Value)
{
    FEditorEnabled = Value;
    if (Value)
        SetControlStyle(ControlStyle() + TControlStyle{csDoubleClicks});
    else
        SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks});
}

void TExCustomDropDown::SetImages(TImageList* Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
}

void TExCustomDropDown::SetDropDownWidth(Integer Value)
{
    if (Value == FDropDownWidth)
        return;
    FDropDownWidth = Value;
    FUserDropDownWidth = -1;
}

void TExCustomDropDown::SetDropDownHeight(Integer Value)
{
    if (Value == FDropDownHeight)
        return;
    FDropDownHeight = Value;
    FUserDropDownHeight = -1;
}

void TExCustomDropDown::SetDropDownButtonWidth(Integer Value)
{
    if (Value == FButtonWidth)
        return;
    FButtonWidth = Value;
    if (!FButton)
        return;
    FButton->SetBWidth(Value);
    ArrangeButton();
}

void TExCustomDropDown::SetDropDownButtonHint(const String& Value)
{
    if (Value == FButtonHint)
        return;
    FButtonHint = Value;
    if (FButton) {
        FButton->SetHint(Value);
        FButton->SetShowHint(!Value.isEmpty());
    }
}

void TExCustomDropDown::SetDropDownButtonGlyph(TBitmap* Value)
{
    if (FButton)
        FButton->SetGlyph(Value);
}

void TExCustomDropDown::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor)
        return;
    FBorderColor = Value;
    Invalidate();
    if (FButton)
        FButton->SpeedButton()->Invalidate();
}

void TExCustomDropDown::SetDisabledBorder(bool Value)
{
    if (Value == FDisabledBorder)
        return;
    FDisabledBorder = Value;
    Invalidate();
}

void TExCustomDropDown::SetFocusControl(TWinControl* Value)
{
    if (FFocusControl)
        FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (FFocusControl)
        FFocusControl->FreeNotification(this);
}

void TExCustomDropDown::SetControl(TControl* Value)
{
    if (Value == FControl)
        return;
    if (FControl)
        FControl->RemoveFreeNotification(this);
    FControl = Value;
    if (FControl) {
        FControl->FreeNotification(this);
        FControlSize = {FControl->Width(), FControl->Height()};
    }
    if (!ComponentState().Contains(csDesigning))
        PlaceDropDownControl();
}

void TExCustomDropDown::HeaderChanged(TObject*)
{
    if (FDropDownForm && FDropDownForm->Visible())
        FDropDownForm->InitializeAndUpdate();
}

void TExCustomDropDown::FooterChanged(TObject*)
{
    if (FDropDownForm && FDropDownForm->Visible())
        FDropDownForm->InitializeAndUpdate();
}

// ---------------------------------------------------------------- opening and closing

void TExCustomDropDown::LabelClick(TObject*)
{
    if (OnLabelClick)
        OnLabelClick(this);
}

void TExCustomDropDown::LabelDblClick(TObject*)
{
    if (OnLabelDblClick)
        OnLabelDblClick(this);
}

void TExCustomDropDown::DoBeforeDropDown()
{
    if (OnBeforeDropDown)
        OnBeforeDropDown(this);
}

void TExCustomDropDown::AdjustDropDownHeight(Integer&) {}

void TExCustomDropDown::FocusDropDownControl()
{
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
}

TPoint TExCustomDropDown::ScreenPointOfControl() const
{
    if (Parent())
        return Parent()->ClientToScreen(TPoint(Left(), Top()));
    return ClientToScreen(TPoint(0, 0));
}

void TExCustomDropDown::PlaceDropDown(const TPoint& P)
{
    const TRect WorkArea = Screen->MonitorWorkAreaAt(P);
    const Integer H = FDropDownForm->Height();
    const bool Below = FDropPosition == dpDown || (FDropPosition == dpAuto && P.Y + H < WorkArea.Bottom);
    FDropDownForm->SetBounds(P.X, Below ? P.Y + Height() - 1 : P.Y - H, FDropDownForm->Width(), H);
}

void TExCustomDropDown::CorrectRightEdge(const TPoint& P)
{
    const TRect WorkArea = Screen->MonitorWorkAreaAt(P);
    TDropDownForm* F = FDropDownForm;
    if (F->Left() + F->Width() > WorkArea.Right && F->Left() < WorkArea.Right)
        F->SetBounds(WorkArea.Right - F->Width(), F->Top(), F->Width(), F->Height());
}

void TExCustomDropDown::DoShowDropDown()
{
    if (ComponentState().Contains(csDesigning) || !FDropDownForm || FDropDownForm->Visible() || !Enabled() ||
        ReadOnly())
        return;
    KeepPopupWhole(this, FDroppedDown, [&] {
        DoBeforeDropDown();
        FDropDownForm->SetShadow(DropDownShadow());
        FDropDownForm->InitializeAndUpdate();
        FDropDownForm->SetBounds(Left(), Top(), FDropDownForm->Width(), FDropDownForm->Height());
        UpdateDropDownSize();
        PlaceDropDownControl();
        FDropDownForm->SetMinSize(80, 50);
        if (auto* W = dynamic_cast<TWinControl*>(FControl)) {
            W->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
            W->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
            W->OnKeyPress = [this](TObject*, Char& Key) { ControlKeyPress(Key); };
        }
        // The size the user left the pop-up at counts for the placement too.
        Integer W = FUserDropDownWidth != -1 ? FUserDropDownWidth : FDropDownForm->Width();
        Integer H = FUserDropDownHeight != -1 ? FUserDropDownHeight : FDropDownForm->Height();
        FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), std::max(W, 80), std::max(H, 50));
        const TPoint P = ScreenPointOfControl();
        PlaceDropDown(P);
        bool Accept = true;
        if (OnDropDown)
            OnDropDown(this, Accept);
        if (!Accept)
            return;
        CorrectRightEdge(P);
        const Integer X = FDropDownForm->Left(), Y = FDropDownForm->Top();
        W = FDropDownForm->Width();
        H = FDropDownForm->Height();
        AdjustDropDownHeight(H);
        FDroppedDown = true;
        FDropDownForm->AttachToOwnerWindow(this);
        FDropDownForm->SetBounds(X, Y, W, H);
        FDropDownForm->Show();
        FDropDownForm->Handle()->activateWindow();
        FocusDropDownControl();
    });
}

void TExCustomDropDown::UpdateDropDownSize()
{
    if (!FDropDownForm)
        return;
    const bool ControlShown = FControl && FControl->Visible();
    Integer W = FDropDownWidth > 0 ? FDropDownWidth : ControlShown ? Integer(FControlSize.cx) : Width();
    Integer H = FDropDownHeight;
    if (H <= 0) {
        H = 2 * std::max(DropDownBorderWidth(), 0);
        if (FDropDownHeader->Visible())
            H += FDropDownHeader->Height();
        if (FDropDownFooter->Visible())
            H += FDropDownFooter->Height();
        if (ControlShown)
            H += FControlSize.cy;
    }
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), W, H);
}

void TExCustomDropDown::PlaceDropDownControl()
{
    if (!FDropDownForm || !FControl)
        return;
    FControl->SetParent(FDropDownForm);
    FControl->SetTop(FDropDownHeader->Visible() ? FDropDownHeader->Height() + 2 : DropDownBorderWidth());
    FControl->SetAlign(alClient);
}

void TExCustomDropDown::DoHideDropDown(bool Cancel)
{
    if (ComponentState().Contains(csDesigning) || !FDropDownForm || !FDropDownForm->Visible())
        return;
    KeepPopupWhole(this, FDroppedDown, [&] {
        if (OnBeforeDropUp)
            OnBeforeDropUp(this);
        FUserDropDownWidth = FDropDownForm->Width();
        FUserDropDownHeight = FDropDownForm->Height();
        FDropDownForm->Hide();
        Application->CancelHint();
        if (Cancel)
            SetText(FOldText);
        if (OnDropUp)
            OnDropUp(this, Cancel);
    });
}

void TExCustomDropDown::DropDownClosed()
{
    FDroppedDown = false;
    if (ComponentState().Contains(csDestroying))
        return;
    // The drop-down's window is active again.
    if (QWidget* Window = Handle()->window(); Window->isVisible())
        Window->activateWindow();
    if (TabStop() && CanFocus() && !Focused())
        SetFocus();
}

void TExCustomDropDown::DropDownFormDestroyed() {}

void TExCustomDropDown::DropDownResized() {}

void TExCustomDropDown::SelectNext() {}

void TExCustomDropDown::SelectPrevious() {}

void TExCustomDropDown::FormMouseWheelDown()
{
    SelectNext();
}

void TExCustomDropDown::FormMouseWheelUp()
{
    SelectPrevious();
}

void TExCustomDropDown::RelayKey(Cardinal Msg, Word Key, TShiftState Shift)
{
    // With Alt held the key goes as a system key, which carries the Alt
    // state on this platform.
    if (Shift.Contains(ssAlt))
        Msg = Msg == WM_KEYDOWN ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    SendMessage(Handle(), Msg, Key, 0);
}

void TExCustomDropDown::FormKeyPress(Char& Key)
{
    SendMessage(Handle(), WM_CHAR, Key.unicode(), 0);
}

void TExCustomDropDown::FormKeyDown(Word& Key, TShiftState Shift)
{
    RelayKey(WM_KEYDOWN, Key, Shift);
}

void TExCustomDropDown::FormKeyUp(Word& Key, TShiftState Shift)
{
    RelayKey(WM_KEYUP, Key, Shift);
}

void TExCustomDropDown::ControlKeyDown(Word& Key, TShiftState Shift)
{
    RelayKey(WM_KEYDOWN, Key, Shift);
}

void TExCustomDropDown::ControlKeyUp(Word& Key, TShiftState Shift)
{
    RelayKey(WM_KEYUP, Key, Shift);
}

void TExCustomDropDown::ControlKeyPress(Char& Key)
{
    SendMessage(Handle(), WM_CHAR, Key.unicode(), 0);
}

void TExCustomDropDown::ButtonClick(TObject*)
{
    DoButtonClick();
}

void TExCustomDropDown::DoButtonClick()
{
    if (ComponentState().Contains(csDesigning) || !FDropDownForm || FDropDownForm->Visible())
        return;
    if (GetTickCount() - FDropDownForm->DeActivateTime() > 250)
        DoShowDropDown();
}

// ---------------------------------------------------------------- keys

void TExCustomDropDown::WMKeyDown(TWMKey& Message)
{
    if (ComponentState().Contains(csDesigning)) {
        TCustomMaskEdit::WMKeyDown(Message);
        return;
    }
    const Word Key = Message.CharCode;
    const auto Toggle = [this] {
        if (FDropDownForm && FDropDownForm->Visible())
            DoHideDropDown(false);
        else
            DoShowDropDown();
    };
    if (GetKeyState(VK_MENU) < 0 && (Key == VK_UP || Key == VK_DOWN))
        Toggle();
    if (!FEditorEnabled && Enabled()) {
        if (!ReadOnly()) {
            if (Key == VK_RETURN)
                DoHideDropDown(false);
            else if (Key == VK_ESCAPE)
                DoHideDropDown(true);
            else if (Key == VK_F4)
                Toggle();
        }
        if (Key == VK_RETURN || Key == VK_ESCAPE)
            TCustomMaskEdit::WMKeyDown(Message);
        else
            Message.CharCode = 0;
        return;
    }
    if (GetKeyState(VK_CONTROL) < 0 && (Key == VK_TAB || Key == VK_RETURN)) {
        TCustomMaskEdit::WMKeyDown(Message);
        return;
    }
    if (Key == VK_RETURN && ReturnIsTab()) {
        Message.CharCode = VK_TAB;
        if (Visible())
            PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (EditTypeKeyDown(Message))
        return;
    switch (Message.CharCode) {
    case VK_RETURN: DoHideDropDown(false); break;
    case VK_ESCAPE: DoHideDropDown(true); break;
    case VK_F4: Toggle(); break;
    default: break;
    }
}

void TExCustomDropDown::KeyPress(Char& Key)
{
    TCustomMaskEdit::KeyPress(Key);
    if (Key == QChar(13))
        Key = QChar(0);
}

void TExCustomDropDown::CMWantSpecialKey(TCMWantSpecialKey& Message)
{
    TCustomForm* Form = GetParentForm(this);
    if (!Form)
        return;
    const bool Preview = Form->KeyPreview();
    if (Message.CharCode == VK_ESCAPE && CanUndo() && !Preview) {
        SelectAll();
        SetModified(false);
        Message.CharCode = 0;
        Message.Result = 0;
        if (DefaultHandling() && Parent()) {
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessage(Parent()->Handle(), WM_KEYUP, VK_ESCAPE, 0);
        }
    } else if (Message.CharCode == VK_RETURN && DefaultHandling() && !Preview && Parent() && Parent()->Focused()) {
        PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_RETURN, 0);
        PostMessage(Parent()->Handle(), WM_KEYUP, VK_RETURN, 0);
    }
    TCustomMaskEdit::CMWantSpecialKey(Message);
    if (Message.CharCode == VK_ESCAPE && FDroppedDown)
        Message.Result = 1;
}

// ---------------------------------------------------------------- mouse and focus

bool TExCustomDropDown::WidgetEvent(QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::MouseButtonPress: {
        // A press inside the selection keeps it (the release places the caret).
        const auto* M = static_cast<QMouseEvent*>(Event);
        if (FEditorEnabled && M->button() == Qt::LeftButton && SelLength() > 0 && Focused()) {
            const Integer Index = CharFromPos(TPoint(M->position().toPoint().x(), M->position().toPoint().y()));
            if (Index >= SelStart() && Index <= SelStart() + SelLength()) {
                FButtonDown = true;
                return true;
            }
        }
        return TCustomMaskEdit::WidgetEvent(Event);
    }
    case QEvent::FocusIn: {
        const bool R = TCustomMaskEdit::WidgetEvent(Event);
        GuardEvent(this, [&] { Perform(WM_SETFOCUS); });
        return R;
    }
    case QEvent::FocusOut:
        GuardEvent(this, [&] { Perform(WM_KILLFOCUS); });
        return TCustomMaskEdit::WidgetEvent(Event);
    default:
        return TCustomMaskEdit::WidgetEvent(Event);
    }
}

Integer TExCustomDropDown::CharFromPos(const TPoint& P)
{
    return Integer(Perform(EM_CHARFROMPOS, 0, LPARAM(Word(SmallInt(P.X))) | (LPARAM(Word(SmallInt(P.Y))) << 16)) &
                   0xFFFF);
}

void TExCustomDropDown::WMLButtonDown(TWMMouse& Message)
{
    TCustomMaskEdit::WMLButtonDown(Message);
    if (!FEditorEnabled)
        DoButtonClick();
}

void TExCustomDropDown::WMLButtonUp(TWMMouse& Message)
{
    if (!FEditorEnabled || ReadOnly())
        Repaint();
    if (FButtonDown)
        Perform(EM_SETSEL, CharFromPos(TPoint(Message.XPos, Message.YPos)), -1);
    FButtonDown = false;
    TCustomMaskEdit::WMLButtonUp(Message);
    AfterButtonRelease();
}

bool TExCustomDropDown::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos)
{
    TCustomMaskEdit::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (WheelDelta < 0)
        SelectNext();
    else
        SelectPrevious();
    return true;
}

void TExCustomDropDown::WMSetFocus(TMessage& Message)
{
    if (ComponentState().Contains(csLoading))
        return;
    TCustomMaskEdit::WMSetFocus(Message);
    if (FEditorEnabled) {
        if (AutoSelect())
            SelectAll();
        else if (FEditType == etFloat || FEditType == etMoney)
            SelectBeforeDecimal();
    } else {
        LineEdit()->setCursorPosition(0);
        Repaint();
    }
}

void TExCustomDropDown::WMKillFocus(TMessage& Message)
{
    if (ComponentState().Contains(csLoading))
        return;
    CompleteValueOnFocusLoss();
    TCustomMaskEdit::WMKillFocus(Message);
    if (!FEditorEnabled)
        Repaint();
}

void TExCustomDropDown::DoEnter()
{
    TCustomMaskEdit::DoEnter();
    SetEditRect();
}

void TExCustomDropDown::CMEnter(TMessage& Message)
{
    if (AutoSelect() && !ControlState().Contains(csLButtonDown))
        SelectAll();
    TWinControl::CMEnter(Message);
    PaintBorder();
}

void TExCustomDropDown::CMExit(TMessage& Message)
{
    TCustomMaskEdit::CMExit(Message);
    PaintBorder();
}

void TExCustomDropDown::CMMouseEnter(TMessage& Message)
{
    TCustomMaskEdit::CMMouseEnter(Message);
    if (Enabled() && !FMouseInControl) {
        FMouseInControl = true;
        PaintBorder();
    }
}

void TExCustomDropDown::CMMouseLeave(TMessage& Message)
{
    TCustomMaskEdit::CMMouseLeave(Message);
    if (Enabled() && FMouseInControl) {
        FMouseInControl = false;
        PaintBorder();
    }
}

void TExCustomDropDown::CMEnabledChanged(TMessage& Message)
{
    TCustomMaskEdit::CMEnabledChanged(Message);
    if (FButton)
        FButton->SetEnabled(Enabled());
}

bool TExCustomDropDown::IsHot() const
{
    if (ComponentState().Contains(csDesigning))
        return false;
    return FMouseInControl || Screen->ActiveControl() == this;
}

// ---------------------------------------------------------------- layout

void TExCustomDropDown::SetEditRect()
{
    TRect R;
    Perform(EM_GETRECT, 0, LPARAM(&R));
    R.Bottom = ClientHeight() + 1;
    R.Right = ClientWidth() - FButtonWidth - 3;
    const bool Single = BorderStyle() == bsSingle;
    R.Left = Single ? 1 : 2;
    R.Top = Single ? 1 : 3;
    FEditRect = R;
    if (!Ctl3D())
        R.Left += 1;
    Perform(EM_SETRECTNP, 0, LPARAM(&R));
}

Integer TExCustomDropDown::GetMinHeight()
{
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(Font());
    const Integer T = Measure.Canvas()->TextHeight(QStringLiteral("Wg"));
    TFont System;
    Measure.Canvas()->Font()->Assign(&System);
    const Integer S = Measure.Canvas()->TextHeight(QStringLiteral("Wg"));
    return T + std::min(T, S) / 4;
}

void TExCustomDropDown::ArrangeButton()
{
    const bool Single = BorderStyle() == bsSingle;
    const Integer Inset = Flat() ? 3 : Single ? 4 : 2;
    const Integer TopOffset = Flat() ? 2 : 0;
    if (Height() < GetMinHeight()) {
        SetHeight(GetMinHeight());
    } else if (FButton) {
        if (Ctl3D() && Single)
            FButton->SetBounds(Width() - FButtonWidth - Inset, TopOffset, FButtonWidth, Height() - Inset);
        else
            FButton->SetBounds(Width() - FButtonWidth - (Ctl3D() ? 0 : 2), 1, FButtonWidth, Height() - 2);
        SetEditRect();
    }
    Invalidate();
}

void TExCustomDropDown::WMSize(TWMSize& Message)
{
    TCustomMaskEdit::WMSize(Message);
    ArrangeButton();
}

void TExCustomDropDown::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->Parent())
        UpdateLabel();
}

void TExCustomDropDown::CMFontChanged(TMessage& Message)
{
    TCustomMaskEdit::CMFontChanged(Message);
    SetEditRect();
}

void TExCustomDropDown::WndProc(TMessage& Message)
{
    TCustomMaskEdit::WndProc(Message);
    if (Message.Msg == EM_SETREADONLY && FButton)
        FButton->SpeedButton()->Invalidate();
}

// ---------------------------------------------------------------- label

void TExCustomDropDown::CreateLabel()
{
    FLabel = new TLabel(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->Font()->Assign(FLabelFont.get());
    FLabel->OnClick = [this](TObject* Sender) { LabelClick(Sender); };
    FLabel->OnDblClick = [this](TObject* Sender) { LabelDblClick(Sender); };
    FLabel->SetParentFont(ParentFont());
}

String TExCustomDropDown::LabelCaption() const
{
    return FLabel ? FLabel->Caption() : String();
}

void TExCustomDropDown::SetLabelCaption(const String& Value)
{
    if (!FLabel)
        CreateLabel();
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TExCustomDropDown::SetLabelMargin(Integer Value)
{
    FLabelMargin = Value;
    if (FLabel)
        UpdateLabel();
}

void TExCustomDropDown::SetLabelPosition(dropdown::TLabelPosition Value)
{
    FLabelPosition = Value;
    if (FLabel)
        UpdateLabel();
}

void TExCustomDropDown::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    if (FLabel)
        UpdateLabel();
}

void TExCustomDropDown::SetLabelFont(TFont* Value)
{
    if (!ParentFont())
        FLabelFont->Assign(Value);
    if (FLabel)
        UpdateLabel();
}

void TExCustomDropDown::LabelFontChanged(TObject*)
{
    if (!FLabel)
        return;
    UpdateLabel();
    if (ComponentState().Contains(csDesigning) && !ComponentState().Contains(csLoading))
        SetParentFont(false);
}

void TExCustomDropDown::CMParentFontChanged(TMessage& Message)
{
    TCustomMaskEdit::CMParentFontChanged(Message);
    if (FLabel && ParentFont()) {
        FLabel->Font()->Assign(Font());
        UpdateLabel();
    }
}

void TExCustomDropDown::CMVisibleChanged(TMessage& Message)
{
    TCustomMaskEdit::CMVisibleChanged(Message);
    if (FLabel && !FLabel->Caption().isEmpty())
        FLabel->SetVisible(Visible());
}

void TExCustomDropDown::UpdateLabel()
{
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->Font()->Assign(FParentFnt ? Font() : FLabelFont.get());
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(FLabel->Font());
    TRect Caption(0, 0, 1000, 255);
    DrawText(Measure.Canvas(), FLabel->Caption(), Caption, DT_CALCRECT | DT_SINGLELINE);
    const Integer CW = Caption.Width();
    const Integer T = Top(), L = Left(), W = Width(), H = Height();
    const Integer h = FLabel->Height(), w = FLabel->Width(), m = FLabelMargin;
    const Integer VC = T + (H - h) / 2, HC = L + (W - w) / 2;
    Integer LTop = T, LLeft = L;
    switch (FLabelPosition) {
    case dropdown::lpLeftTop: LTop = T, LLeft = L - CW - m; break;
    case dropdown::lpLeftCenter: LTop = VC, LLeft = L - CW - m; break;
    case dropdown::lpLeftBottom: LTop = T + H - h, LLeft = L - CW - m; break;
    case dropdown::lpTopLeft: LTop = T - h - m, LLeft = L; break;
    case dropdown::lpBottomLeft: LTop = T + H + m, LLeft = L; break;
    case dropdown::lpLeftTopLeft: LTop = T, LLeft = L - m; break;
    case dropdown::lpLeftCenterLeft: LTop = VC, LLeft = L - m; break;
    case dropdown::lpLeftBottomLeft: LTop = T + H - h, LLeft = L - m; break;
    case dropdown::lpTopCenter: LTop = T - h - m, LLeft = HC; break;
    case dropdown::lpBottomCenter: LTop = T + H + m, LLeft = HC; break;
    case dropdown::lpRightTop: LTop = T, LLeft = L + W + m; break;
    case dropdown::lpRightCenter: LTop = VC, LLeft = L + W + m; break;
    case dropdown::lpRighBottom: LTop = T + H - h, LLeft = L + W + m; break;
    case dropdown::lpTopRight: LTop = T - h - m, LLeft = L + W - w; break;
    case dropdown::lpBottomRight: LTop = T + H + m, LLeft = L + W - w; break;
    }
    FLabel->SetBounds(LLeft, LTop, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
}

void TExCustomDropDown::Loaded()
{
    TCustomMaskEdit::Loaded();
    FParentFnt = ParentFont();
    SetEditRect();
    ArrangeButton();
    if (FButton)
        FButton->SetEnabled(Enabled());
    if (FLabel) {
        if (!LabelAlwaysEnabled())
            FLabel->SetEnabled(Enabled());
        UpdateLabel();
        if (ParentFont())
            FLabel->Font()->Assign(Font());
    }
}

// ---------------------------------------------------------------- drawing

void TExCustomDropDown::PaintBorder()
{
    if (Enabled() && !Flat() && FBorderColor == clNone && FFocusBorderColor == clNone)
        return;
    if (FButton)
        FButton->SpeedButton()->SetFocused(ComponentState().Contains(csDesigning) ? Enabled() : IsHot());
    // Drawn at once: the border is part of the control's painting.
    Repaint();
}

void TExCustomDropDown::PaintOver(TCanvas* Canvas)
{
    PaintReadOnlyFocus(Canvas);
    const bool Coloured = FBorderColor != clNone || FFocusBorderColor != clNone;
    if (Coloured || (!Enabled() && FDisabledBorder) || Flat())
        DrawBorder(Canvas);
}

void TExCustomDropDown::DrawBorder(TCanvas* Canvas)
{
    if (ComponentState().Contains(csDesigning))
        return;
    TRect R(0, 0, Width(), Height());
    if (!Enabled() && FIsThemed && FDisabledBorder) {
        FrameIn(Canvas, R, TColor(0xC0C0C0));
    } else if (FBorderColor != clNone && (!Focused() || FFocusBorderColor == clNone)) {
        FrameIn(Canvas, R, FBorderColor);
    } else if (FFocusBorderColor != clNone) {
        if (Focused())
            FrameIn(Canvas, R, FFocusBorderColor);
    } else if (IsHot()) {
        DrawEdge(Canvas, R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        FrameIn(Canvas, R, clBtnFace);
    } else {
        const TColor ParentColour = Parent() ? Parent()->Color() : clBtnFace;
        FrameIn(Canvas, R, ParentColour);
        InflateRect(R, -1, -1);
        FrameIn(Canvas, R, ParentColour);
    }
}

void TExCustomDropDown::PaintReadOnlyFocus(TCanvas* Canvas)
{
    if (FEditorEnabled || !Focused() || ComponentState().Contains(csDesigning) || !FocusDraw())
        return;
    TRect R(2, 2, Width() - FButtonWidth - 1, Height() - 2);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Pen()->SetWidth(1);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clHighlight);
    Canvas->Rectangle(R);
    R.Left += 2;
    R.Right -= 3;
    Canvas->Font()->Assign(Font());
    Canvas->Font()->SetColor(clHighlightText);
    Canvas->Brush()->SetStyle(bsClear);
    DrawText(Canvas, GetText(), R, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

// ---------------------------------------------------------------- components

void TExCustomDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomMaskEdit::Notification(AComponent, Operation);
    if (Operation != opRemove || ComponentState().Contains(csDestroying))
        return;
    if (AComponent == FImages) {
        SetImages(nullptr);
        Invalidate();
    }
    if (AComponent == FControl)
        SetControl(nullptr);
    if (AComponent == FFocusControl)
        FFocusControl = nullptr;
    if (AComponent == FDropDownForm)
        FDropDownForm = nullptr;
    if (AComponent == FButton)
        FButton = nullptr;
    if (AComponent == FLabel)
        FLabel = nullptr;
}

void TExCustomDropDown::Assign(TPersistent* Source)
{
    auto* S = dynamic_cast<TExCustomDropDown*>(Source);
    if (!S)
        return;
    SetFocusDraw(S->FocusDraw());
    SetForceShadow(S->ForceShadow());
    FDropDownEnabled = S->FDropDownEnabled;
    FDropDownColor = S->FDropDownColor;
    SetDropDownColorTo(S->DropDownColorTo());
    SetDropDownGradient(S->DropDownGradient());
    SetDropDownBorderColor(S->DropDownBorderColor());
    SetDropDownBorderWidth(S->DropDownBorderWidth());
    SetDropDownShadow(S->DropDownShadow());
    FDropDownWidth = S->FDropDownWidth;
    FDropDownHeight = S->FDropDownHeight;
    SetDropDownSizeable(S->DropDownSizeable());
    FEditType = S->FEditType;
    SetReturnIsTab(S->ReturnIsTab());
    SetLengthLimit(S->LengthLimit());
    FPrecision = S->FPrecision;
    SetPrefix(S->Prefix());
    SetSuffix(S->Suffix());
    SetDefaultHandling(S->DefaultHandling());
    SetCanUndo(S->CanUndo());
    SetExcelStyleDecimalSeparator(S->ExcelStyleDecimalSeparator());
    SetValidChars(S->ValidChars());
    SetSigned(S->Signed());
    SetAutoThousandSeparator(S->AutoThousandSeparator());
    FButtonAppearance->Assign(S->ButtonAppearance());
    FDropDownHeader->Assign(S->DropDownHeader());
    FDropDownFooter->Assign(S->DropDownFooter());
    SetDropPosition(S->DropPosition());
    SetFlat(S->Flat());
    SetDropDownButtonWidth(S->DropDownButtonWidth());
    SetDropDownButtonHint(S->DropDownButtonHint());
    FEditorEnabled = S->FEditorEnabled;
    if (FButton && S->FButton) {
        FButton->SetGlyph(S->FButton->Glyph());
        FButton->SetButtonCaption(S->FButton->ButtonCaption());
    }
    SetEtched(S->Etched());
    FImages = S->FImages;
    FSelectionColorStyle = S->FSelectionColorStyle;
    SetSelectionColor(S->SelectionColor());
    SetSelectionColorTo(S->SelectionColorTo());
}
