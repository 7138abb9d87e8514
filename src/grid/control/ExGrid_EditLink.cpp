// The custom editor link: its pop-up form, focus and window procedure, and
// how the editor's keys end an edit.
#include "grid/control/ExGrid_EditLink.h"

#include "grid/control/ExGrid_Settings.h"

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

TEditLink::~TEditLink()
{
    // The form is the link's own: no other link ever holds it.
    delete FPopupForm;
}

void TEditLink::Attach(TExStringGrid* AGrid, TPoint ACell)
{
    if (FGrid != AGrid) {
        if (FGrid)
            FGrid->RemoveFreeNotification(this);
        if (AGrid)
            AGrid->FreeNotification(this);
    }
    FGrid = AGrid;
    FEditCell = ACell;
    FStartText = GetCellValue();
}

void TEditLink::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FGrid)
        FGrid = nullptr;
    if (AComponent == FPopupForm)
        FPopupForm = nullptr;
}

// ---------------------------------------------------------------- the pop-up form

void TEditLink::ShowPopupForm(TRect R)
{
    if (FAutoPopupWidth)
        FPopupWidth = R.Right - R.Left;
    if (!FPopupForm) {
        FPopupForm = new TForm(nullptr);
        FPopupForm->FreeNotification(this);
        FPopupForm->SetBorderStyle(bsNone);
        FPopupForm->SetFormStyle(fsStayOnTop);
        FPopupForm->OnDeactivate = [this](TObject* Sender) { FormExit(Sender); };
    }
    const TPoint At = FPopupLeft != -1 && FPopupTop != -1 ? TPoint(FPopupLeft, FPopupTop)
                                                         : FGrid->ClientToScreen(TPoint(R.Left, R.Top));
    FPopupForm->SetBounds(At.X, At.Y, 0, 0);
    FPopupForm->Show();
    FPopupForm->SetBounds(At.X, At.Y, FPopupWidth, FPopupHeight);
}

TWinControl* TEditLink::GetParent()
{
    if (FEditStyle == esPopup && FPopupForm)
        return FPopupForm;
    return FGrid;
}

// ---------------------------------------------------------------- the edit control

void TEditLink::SetRect(TRect R)
{
    TWinControl* Control = GetEditControl();
    if (!Control || !FGrid)
        return;
    const Integer Line = FGrid->GridLineWidth();
    Control->SetBounds(R.Left, R.Top, R.Right - R.Left - Line, R.Bottom - R.Top - Line);
}

void TEditLink::SetVisible(bool Value)
{
    if (TWinControl* Control = GetEditControl())
        Control->SetVisible(Value);
}

void TEditLink::SetFocus(bool Value)
{
    TWinControl* Control = GetEditControl();
    if (Value && Control) {
        Control->SetVisible(true);
        Control->SetEnabled(true);
        if (FEditStyle == esInplace && !FSubclassed && FGrid) {
            // The grid's in-cell procedure asks for arrows, Tab and
            // characters with goTabs and passes the rest on.
            FGrid->FEditLinkWndProc = Control->WindowProc;
            TExStringGrid* G = FGrid;
            Control->WindowProc = [G](TMessage& Message) { G->EditLinkWndProc(Message); };
            FSubclassed = true;
        }
    }
    if (Value && Control && Control->CanFocus())
        Control->SetFocus();
    else if (!Value && FGrid && FGrid->CanFocus())
        FGrid->SetFocus();
}

void TEditLink::RestoreWinProc()
{
    TWinControl* Control = GetEditControl();
    if (!Control || FEditStyle != esInplace || !FSubclassed || !FGrid)
        return;
    Control->WindowProc = FGrid->FEditLinkWndProc;
    FGrid->FEditLinkWndProc = nullptr;
    FSubclassed = false;
    Control->SetVisible(false);
}

// ---------------------------------------------------------------- values

String TEditLink::GetCellValue()
{
    if (!FGrid)
        return String();
    return FGrid->Cells(FGrid->RealColIndex(FGrid->Col()), FGrid->Row());
}

void TEditLink::SetCellValue(const String& S)
{
    if (FGrid)
        FGrid->EditorToCell(FGrid->RealColIndex(FGrid->Col()), FGrid->Row(), S);
}

void TEditLink::HideEditor()
{
    if (!FGrid)
        return;
    SetCellValue(GetEditorValue());
    FGrid->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::EditExit(TObject*)
{
    HideEditor();
    if (FEditStyle == esPopup && FPopupForm) {
        DestroyEditor();
        FPopupForm->Hide();
    }
}

void TEditLink::FormExit(TObject* Sender)
{
    if (!FGrid)
        return;
    if (TInplaceEdit* Normal = FGrid->InplaceEditor())
        Normal->SetText(GetEditorValue());
    if (FForcedExit) {
        SetCellValue(GetEditorValue());
        return;
    }
    EditExit(Sender);
    FGrid->InvokedFocusChange = true;
}

// ---------------------------------------------------------------- keys

bool TEditLink::IsGridKey(Word Key, TShiftState Shift) const
{
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
        return !FWantKeyUpDown;
    case VK_LEFT:
    case VK_RIGHT:
        return !FWantKeyLeftRight;
    case VK_HOME:
    case VK_END:
        return !FWantKeyHomeEnd;
    case VK_PRIOR:
    case VK_NEXT:
        return !FWantKeyPriorNext;
    case VK_RETURN:
        return !FWantKeyReturn;
    case VK_ESCAPE:
        return !FWantKeyEscape;
    case VK_TAB:
        return !WantTabs;
    default:
        return Shift.Contains(ssAlt);
    }
}

void TEditLink::ForcedExit()
{
    FForcedExit = true;
    if (FGrid->CanFocus())
        FGrid->SetFocus();
    FForcedExit = false;
    if (FGrid->FEditMode)
        FGrid->HideInplaceEdit();
}

// Tab with TabToNextAtEnd: the value is stored, the grid moves on and the
// editor opens again in the new cell. Answers whether it moved.
bool TEditLink::TabOn(TShiftState Shift)
{
    ForcedExit();
    const TPoint Before(FGrid->Col(), FGrid->Row());
    FGrid->TabToNextCell(Shift.Contains(ssShift));
    if (TPoint(FGrid->Col(), FGrid->Row()) == Before ||
        FGrid->IsClickControlCell(FGrid->RealColIndex(FGrid->Col()), FGrid->Row()))
        return false;
    PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_F2, 0);
    return true;
}

void TEditLink::EditKeyDown(TObject*, Word& Key, TShiftState Shift)
{
    if (!FGrid || !IsGridKey(Key, Shift))
        return;
    // The grid may be freed by a handler this reaches.
    TExStringGrid* G = FGrid;
    const Word Pressed = Key;
    if (Pressed == VK_TAB) {
        Key = 0;
        if (G->Navigation()->TabToNextAtEnd() && TabOn(Shift))
            return;
    }
    if (Pressed == VK_ESCAPE)
        SetEditorValue(FStartText);
    ForcedExit();
    if (FEditStyle == esPopup)
        EditExit(this);
    G->FEditMode = false;
    G->SelectCell(G->Col(), G->Row());
    if (Pressed == VK_RETURN && G->FLastValidation) {
        G->AdvanceToNextCell(G->Col(), G->Row(), false, true, !Shift.Contains(ssShift), false, false);
        Key = 0;
        return;
    }
    if (!G->FLastValidation) {
        // The value was refused: the edit goes on.
        G->FLastValidation = true;
        G->ShowInplaceEdit();
        return;
    }
    if (Pressed == VK_ESCAPE) {
        Key = 0;
        return;
    }
    if (Pressed == VK_LEFT || Pressed == VK_RIGHT || Pressed == VK_UP || Pressed == VK_DOWN) {
        Word Arrow = Pressed;
        G->KeyDown(Arrow, Shift);
    }
    if (TWinControl* Control = GetEditControl())
        Control->SetEnabled(false);
    ForcedExit();
}
