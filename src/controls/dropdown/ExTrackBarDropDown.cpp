#include "controls/dropdown/ExTrackBarDropDown.h"

TExTrackBarDropDown::TExTrackBarDropDown(TComponent* AOwner) : TExCustomDropDown(AOwner) {}

void TExTrackBarDropDown::AfterConstruction()
{
    TExCustomDropDown::AfterConstruction();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetEditType(etNumeric);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetForceShadow(true);
}

void TExTrackBarDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (!FTrackBar) {
        FTrackBar = new TTrackBar(this);
        FTrackBar->SetParent(DropDownForm());
        FTrackBar->SetBounds(0, 0, FTrackBar->Width(), 40);
    }
    FTrackBar->OnChange = [this](TObject* Sender) { TrackChange(Sender); };
}

void TExTrackBarDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    if (!FTrackBar)
        return;
    FTrackBar->SetMin(FMin);
    FTrackBar->SetMax(FMax);
    FTrackBar->SetPosition(FPosition);
    FTrackBar->SetPageSize(FPageSize);
    FTrackBar->SetFrequency(FFrequency);
    FTrackBar->SetWidth(Width());
    SetControl(FTrackBar);
}

void TExTrackBarDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TExCustomDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FTrackBar)
        FTrackBar = nullptr;
}

void TExTrackBarDropDown::SetPosition(Integer Value)
{
    FPosition = Value;
    if (!FTrackBar)
        return;
    FTrackBar->SetPosition(Value);
    FPosition = FTrackBar->Position();
}

void TExTrackBarDropDown::SetMin(Integer Value)
{
    FMin = Value;
    if (!FTrackBar)
        return;
    FTrackBar->SetMin(Value);
    FMin = FTrackBar->Min();
}

void TExTrackBarDropDown::SetMax(Integer Value)
{
    FMax = Value;
    if (!FTrackBar)
        return;
    FTrackBar->SetMax(Value);
    FMax = FTrackBar->Max();
}

void TExTrackBarDropDown::SetFrequency(Integer Value)
{
    FFrequency = Value;
    if (FTrackBar)
        FTrackBar->SetFrequency(Value);
}

void TExTrackBarDropDown::SetPageSize(Integer Value)
{
    FPageSize = Value;
    if (FTrackBar)
        FTrackBar->SetPageSize(Value);
}

void TExTrackBarDropDown::TrackChange(TObject*)
{
    if (!FTrackBar)
        return;
    FPosition = FTrackBar->Position();
    SetPlainText(IntToStr(FPosition));
    if (OnTrackChange)
        OnTrackChange(this);
}

void TExTrackBarDropDown::Change()
{
    TExCustomDropDown::Change();
    Integer Value = 0;
    if (TryStrToInt(GetText(), Value))
        SetPosition(Value);
}

void TExTrackBarDropDown::WMKeyDown(TWMKey& Message)
{
    const Word Key = Message.CharCode;
    TExCustomDropDown::WMKeyDown(Message);
    if (EditorEnabled() || GetKeyState(VK_MENU) < 0)
        return;
    if (Key == VK_UP && FPosition - FFrequency >= FMin)
        SetPosition(FPosition - FFrequency);
    else if (Key == VK_DOWN && FPosition + FFrequency <= FMax)
        SetPosition(FPosition + FFrequency);
}

void TExTrackBarDropDown::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExCustomDropDown::MouseDown(Button, Shift, X, Y);
    if (!CanDrag())
        return;
    FMouseX = X;
    FMouseDragging = true;
}

void TExTrackBarDropDown::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    TExCustomDropDown::MouseMove(Shift, X, Y);
    if (!FMouseDragging || !CanDrag())
        return;
    const Integer D = X - FMouseX;
    FMouseX = X;
    // Without a page size a drag has no step.
    if (FPageSize > 0)
        SetPosition(FPosition + D / FPageSize);
}

void TExTrackBarDropDown::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExCustomDropDown::MouseUp(Button, Shift, X, Y);
    FMouseDragging = false;
}
