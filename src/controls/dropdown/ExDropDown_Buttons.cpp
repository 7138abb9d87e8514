#include "controls/dropdown/ExDropDown_Buttons.h"

#include "controls/dropdown/ExDropDown.h"
#include "rtl/Forms.h"
#include "rtl/ImgList.h"

#include <algorithm>

// ---------------------------------------------------------------- TExButtonAppearance

TExButtonAppearance::TExButtonAppearance() : FFont(std::make_unique<TFont>())
{
    FFont->SetName(QStringLiteral("Tahoma"));
}

TExButtonAppearance::~TExButtonAppearance() = default;

void TExButtonAppearance::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<TExButtonAppearance*>(Source);
    if (!S) {
        TPersistent::Assign(Source);
        return;
    }
    SetBorderColor(S->BorderColor());
    SetBorderColorHot(S->BorderColorHot());
    SetBorderColorDown(S->BorderColorDown());
    SetBorderColorDisabled(S->BorderColorDisabled());
    SetBorderColorChecked(S->BorderColorChecked());
    SetColor(S->Color());
    SetColorTo(S->ColorTo());
    SetColorDown(S->ColorDown());
    SetColorDownTo(S->ColorDownTo());
    SetColorHot(S->ColorHot());
    SetColorHotTo(S->ColorHotTo());
    SetColorCheckedTo(S->ColorCheckedTo());
    SetColorDisabled(S->ColorDisabled());
    SetColorDisabledTo(S->ColorDisabledTo());
    SetColorChecked(S->ColorChecked());
    SetGradient(S->Gradient());
}

void TExButtonAppearance::SetGradient(TGradientDirection Value)
{
    if (FGradient == Value)
        return;
    FGradient = Value;
    Changed();
}

void TExButtonAppearance::Store(TColor& Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TExButtonAppearance::Changed()
{
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------- TExButton

TExButton::TExButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks});
    // The parent shows through: the button paints only its face.
    SetParentBackground(true);
    SetParentFont(true);
    Font()->SetName(QStringLiteral("Tahoma"));
    SetShowHint(false);
    SetBounds(Left(), Top(), 23, 22);
    FUnHotTimer = new TTimer(this);
    FUnHotTimer->SetEnabled(false);
    // Qt keeps intervals this short precise.
    FUnHotTimer->SetInterval(1);
    FUnHotTimer->OnTimer = [this](TObject* Sender) { UnHotTimerTick(Sender); };
}

TExButton::~TExButton()
{
    delete FUnHotTimer;
}

void TExButton::SetAppearance(TExButtonAppearance* Value)
{
    FAppearance = Value;
    Invalidate();
}

void TExButton::SetImages(TImageList* Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
    Invalidate();
}

void TExButton::SetImageIndex(Integer Value)
{
    FImageIndex = Value;
    Invalidate();
}

void TExButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
}

void TExButton::Loaded()
{
    TCustomControl::Loaded();
    SetDown(FInitialDown);
}

void TExButton::SizeToContent()
{
    if (!FAppearance)
        return;
    TBitmap Measure(1, 1);
    Measure.Canvas()->Font()->Assign(FAppearance->Font());
    TSize S = GetTextSize(Measure.Canvas(), Caption());
    if (FImages && FImageIndex >= 0) {
        S.cx = std::max(S.cx, FImages->Width());
        S.cy = std::max(S.cy, FImages->Height());
    }
    SetBounds(Left(), Top(), S.cx + 8, S.cy + 4);
}

void TExButton::PaintButton()
{
    if (!FAppearance)
        return;
    const TExButtonAppearance& A = *FAppearance;
    TColor From = A.Color(), To = A.ColorTo(), Border = A.BorderColor();
    if (!Enabled()) {
        From = A.ColorDisabled(), To = A.ColorDisabledTo(), Border = A.BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        From = To = A.ColorDown(), Border = A.BorderColorDown();
    } else if (FDown) {
        From = To = A.ColorChecked(), Border = A.BorderColorChecked();
    } else if (FMouseInControl || Focused()) {
        From = To = A.ColorHot(), Border = A.BorderColorHot();
    }
    TCanvas* C = Canvas();
    DrawBackground(C, ClientRect(), From, To, Border, 1, A.Gradient());
    C->Brush()->SetStyle(bsClear);
    C->Font()->Assign(A.Font());
    DrawImageText(C, ClientRect(), Caption(), FImages, FImageIndex);
}

void TExButton::UpdateState()
{
    if (!Enabled()) {
        FState = absDisabled;
        FDragging = false;
    } else if (FState == absDisabled) {
        FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
    }
    if (FStyle == tasCheck && FDown)
        FState = absDown;
}

void TExButton::Paint()
{
    UpdateState();
    PaintButton();
}

void TExButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled() || ComponentState().Contains(csDesigning))
        return;
    FMouseDownInControl = true;
    if (!FDown) {
        FState = absDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = absDown;
        Repaint();
    }
    FDragging = true;
}

void TExButton::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FDragging) {
        if (!FMouseInControl)
            TrackCursor();
        return;
    }
    const bool Inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    TExButtonState NewState = FDown ? absExclusive : (Inside ? absDown : absUp);
    if (FStyle == tasCheck && FDown)
        NewState = absDown;
    if (NewState != FState) {
        FState = NewState;
        Invalidate();
    }
}

void TExButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FMouseDownInControl = false;
    Invalidate();
    if (FDragging) {
        FDragging = false;
        const bool Inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
        if (FGroupIndex != 0) {
            if (Inside)
                SetDown(!FDown);
            else if (FDown)
                FState = absExclusive;
        } else {
            FState = absUp;
            FMouseInControl = false;
            // A check button toggles only when released over it.
            if (FStyle == tasCheck && Inside)
                SetDown(!FDown);
        }
    }
    TrackCursor();
}

void TExButton::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_RETURN || Key == VK_SPACE) {
        if (!FDown)
            FState = absDown;
        if (FStyle == tasCheck) {
            FState = absDown;
            Repaint();
        }
        // A key press runs the button's work but not OnClick.
        FInternalClick = true;
        Click();
        FInternalClick = false;
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TExButton::Click()
{
    if (TCustomForm* Form = GetParentForm(this))
        Form->SetModalResult(FModalResult);
    if (FExDropDown) {
        switch (FModalResult) {
        case mrOk: case mrYes: case mrAll: case mrYesToAll: FExDropDown->HideDropDown(false); break;
        case mrCancel: case mrAbort: case mrIgnore: case mrNo: case mrNoToAll: FExDropDown->HideDropDown(true); break;
        default: break;
        }
    }
    if (!FInternalClick)
        TCustomControl::Click();
}

void TExButton::SetDown(bool Value)
{
    if (ComponentState().Contains(csLoading)) {
        FInitialDown = Value;
        return;
    }
    if (FGroupIndex == 0 && FStyle == tasButton)
        Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        FState = Value ? absDown : absUp;
        Repaint();
        return;
    }
    if (Value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = Value;
    if (Value) {
        if (FState == absUp)
            Invalidate();
        FState = absExclusive;
        TellGroup();
    } else {
        FState = absUp;
        Repaint();
    }
}

void TExButton::TellGroup()
{
    TWinControl* P = Parent();
    if (!P)
        return;
    for (Integer I = 0; I < P->ControlCount(); ++I)
        if (auto* B = dynamic_cast<TExButton*>(P->Controls(I)); B && B != this)
            B->ButtonPressed(FGroupIndex, this);
}

void TExButton::ButtonPressed(Integer Group, TExButton* Sender)
{
    if (Group != FGroupIndex || Sender == this)
        return;
    if (Sender->Down() && FDown) {
        FDown = false;
        FState = absUp;
        Invalidate();
    }
    FAllowAllUp = Sender->AllowAllUp();
}

bool TExButton::CursorInside() const
{
    const TPoint P = ScreenToClient(Mouse->CursorPos());
    return P.X >= 0 && P.Y >= 0 && P.X < ClientWidth() && P.Y < ClientHeight();
}

void TExButton::TrackCursor()
{
    const bool Inside = CursorInside();
    if (Inside != FMouseInControl)
        Perform(Inside ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

void TExButton::ClearHot()
{
    FMouseInControl = false;
    if (Enabled())
        Invalidate();
}

void TExButton::UnHotTimerTick(TObject*)
{
    if (CursorInside())
        return;
    FUnHotTimer->SetEnabled(false);
    ClearHot();
}

void TExButton::CMMouseEnter(TMessage& Message)
{
    if (!ComponentState().Contains(csDesigning)) {
        FMouseInControl = true;
        if (Enabled())
            Invalidate();
        FUnHotTimer->SetEnabled(true);
    }
    TCustomControl::CMMouseEnter(Message);
}

void TExButton::CMMouseLeave(TMessage& Message)
{
    FUnHotTimer->SetEnabled(false);
    ClearHot();
    TCustomControl::CMMouseLeave(Message);
}

void TExButton::CMEnabledChanged(TMessage& Message)
{
    TCustomControl::CMEnabledChanged(Message);
    Invalidate();
}

void TExButton::CMFocusChanged(TMessage& Message)
{
    TCustomControl::CMFocusChanged(Message);
    Invalidate();
}

void TExButton::CMDialogChar(TCMDialogChar& Message)
{
    if (Enabled() && IsAccel(Message.CharCode, Caption())) {
        Click();
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(Message);
}
