#include "controls/dropdown/ExMemoDropDown.h"

#include "rtl/Menus.h"

#include <QPlainTextEdit>

TExMemoDropDown::TExMemoDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FMemoText(std::make_unique<TStringList>())
{
    FMemoText->OnChange = [this](TObject*) { UpdateEditText(); };
}

TExMemoDropDown::~TExMemoDropDown()
{
    FMemoText->OnChange = nullptr;
}

void TExMemoDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (!FMemo) {
        FMemo = new TMemo(this);
        FMemo->SetParent(DropDownForm());
        FMemo->SetHeight(100);
        FMemo->OnChange = [this](TObject* Sender) { MemoChanged(Sender); };
        FMemo->TextEdit()->setFrameShape(QFrame::NoFrame);
    }
    SetControl(FMemo);
}

void TExMemoDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TExCustomDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMemo)
        FMemo = nullptr;
    if (Operation == opRemove && AComponent == FMemoPopup)
        FMemoPopup = nullptr;
}

void TExMemoDropDown::MemoChanged(TObject*)
{
    if (OnMemoChange)
        OnMemoChange(this);
}

void TExMemoDropDown::SetMemoText(TStrings* Value)
{
    FMemoText->Assign(Value);
    if (FMemo)
        FMemo->Lines()->Assign(Value);
}

void TExMemoDropDown::SetMemoReadOnly(bool Value)
{
    FMemoReadOnly = Value;
    if (FMemo && DroppedDown())
        FMemo->SetReadOnly(Value);
}

void TExMemoDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    if (!FMemo)
        return;
    FMemo->Lines()->SetText(FMemoText->Text());
    FMemo->SetPopupMenu(FMemoPopup);
    FMemo->SetMaxLength(MaxLength());
    FMemo->SetScrollBars(FMemoScrollBars);
    FMemo->SetReadOnly(FMemoReadOnly);
}

void TExMemoDropDown::DoHideDropDown(bool Cancel)
{
    // The focus coming back to the edit must not open the pop-up again.
    const bool SavedAutoDrop = FAutoDrop;
    FAutoDrop = false;
    try {
        if (Cancel && FMemo && DroppedDown())
            FMemo->Lines()->Assign(FMemoText.get());
        TExCustomDropDown::DoHideDropDown(Cancel);
    } catch (...) {
        FAutoDrop = SavedAutoDrop;
        throw;
    }
    FAutoDrop = SavedAutoDrop;
}

void TExMemoDropDown::DropDownClosed()
{
    TExCustomDropDown::DropDownClosed();
    if (FMemo)
        FMemoText->SetText(FMemo->Lines()->Text());
    UpdateEditText();
    Perform(EM_SETSEL, 0, 0);
}

void TExMemoDropDown::DoEnter()
{
    TExCustomDropDown::DoEnter();
    if (FAutoDrop)
        DoShowDropDown();
}

void TExMemoDropDown::Change()
{
    if (!FInternalUpdate) {
        const TNotifyEvent Saved = FMemoText->OnChange;
        FMemoText->OnChange = nullptr;
        FMemoText->SetText(GetText());
        FMemoText->OnChange = Saved;
    }
    TExCustomDropDown::Change();
}

void TExMemoDropDown::UpdateEditText()
{
    String Shown;
    if (FMemoText->Count() == 0 || EditorEnabled()) {
        Shown = FMemoText->Text();
    } else {
        TBitmap Measure(1, 1);
        Measure.Canvas()->Font()->Assign(Font());
        const String First = FMemoText->Strings(0);
        const Integer Room = GetEditRect().Width();
        if (GetTextSize(Measure.Canvas(), First).cx <= Room)
            Shown = FMemoText->Count() > 1 ? First + QStringLiteral("...") : First;
        else
            FitTextToWidth(Measure.Canvas(), First, Room, true, Shown);
    }
    FInternalUpdate = true;
    SetPlainText(Shown);
    FInternalUpdate = false;
}

bool TExMemoDropDown::RelaysKey(Word Key)
{
    return GetKeyState(VK_MENU) < 0 || Key == VK_ESCAPE || Key == VK_F4;
}

void TExMemoDropDown::ControlKeyDown(Word& Key, TShiftState Shift)
{
    if (Key == 'A' && Shift.Contains(ssCtrl) && FMemo)
        FMemo->SelectAll();
    if (RelaysKey(Key))
        TExCustomDropDown::ControlKeyDown(Key, Shift);
}

void TExMemoDropDown::ControlKeyUp(Word& Key, TShiftState Shift)
{
    if (RelaysKey(Key))
        TExCustomDropDown::ControlKeyUp(Key, Shift);
}

void TExMemoDropDown::ControlKeyPress(Char& Key)
{
    if (GetKeyState(VK_MENU) < 0 || Key == QChar(27))
        TExCustomDropDown::ControlKeyPress(Key);
}
