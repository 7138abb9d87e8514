// The string grid: what it does with its editors' command notifications
// (live writing of typed text, the combo editor's change, close-up and
// drop-down events).
#include "grid/control/ExGrid.h"

#include "grid/control/ExGrid_Editors.h"

#include <QWidget>

namespace {

bool IsLiveTextKind(TEditorType E)
{
    switch (E) {
    case edNormal: case edNumeric: case edPositiveNumeric: case edFloat: case edCapital: case edMixedCase:
    case edPassword: case edLowerCase: case edUpperCase: case edPositiveFloat:
        return true;
    default:
        return false;
    }
}

bool IsLiveSpinKind(TEditorType E)
{
    return E == edSpinEdit || E == edFloatSpinEdit || E == edTimeSpinEdit || E == edDateSpinEdit;
}

bool IsLiveButtonKind(TEditorType E)
{
    return E == edEditBtn || E == edNumericEditBtn || E == edFloatEditBtn || E == edMaskEditBtn;
}

} // namespace

void TExStringGrid::WMCommand(TMessage& Message)
{
    const Word Code = Message.WParamHi();
    TControl* From = FindControl(reinterpret_cast<HWND>(Message.LParam));
    if (Code == EN_CHANGE) {
        // The edit's own change handling first, then its text into the cell.
        if (From && From != this)
            From->Perform(CN_COMMAND, Message.WParam, Message.LParam);
        if (FShowEditProcess)
            WriteEditorTextLive();
        return;
    }
    const bool FromCombo = EditCombo && From == EditCombo;
    if (FromCombo && FEditMode && (Code == CBN_SELCHANGE || Code == CBN_EDITCHANGE))
        RaiseComboChangeEvents();
    TWinControl* LinkControl = FEditLink ? FEditLink->GetEditControl() : nullptr;
    if (LinkControl && From == LinkControl && OnComboChange && (Code == CBN_SELCHANGE || Code == CBN_EDITCHANGE)) {
        const Integer Index = Integer(LinkControl->Perform(CB_GETCURSEL));
        String Item;
        if (Index >= 0)
            LinkControl->Perform(CB_GETLBTEXT, WPARAM(Index), LPARAM(&Item));
        OnComboChange(this, Col(), Row(), Index, Item);
    }
    if (FromCombo && Code == CBN_CLOSEUP)
        ComboClosedUp();
    if (FromCombo && Code == CBN_DROPDOWN)
        DoComboDropDown(Row(), RealColIndex(Col()));
    if (Code == CBN_EDITCHANGE && OnComboChange)
        OnComboChange(this, Col(), Row(), -1, EditCombo->Text());
    TBaseGrid::Dispatch(Message);
}

void TExStringGrid::WriteEditorTextLive()
{
    if (FEditStart || !FEditMode)
        return;
    TWinControl* Source = nullptr;
    if (IsLiveTextKind(FEditControlType))
        Source = InplaceEditor();
    else if (IsLiveSpinKind(FEditControlType))
        Source = FEditSpin;
    else if (IsLiveButtonKind(FEditControlType))
        Source = EditBtn;
    if (!Source)
        return;
    // The text editor is not redrawn while the cell takes its text.
    QWidget* Editor = InplaceEditor() ? InplaceEditor()->Handle() : nullptr;
    if (Editor)
        Editor->setUpdatesEnabled(false);
    SetEditText(Col(), Row(), Source->Text());
    if (Editor)
        Editor->setUpdatesEnabled(true);
}

void TExStringGrid::RaiseComboChangeEvents()
{
    const Integer Index = EditCombo->ItemIndex();
    const bool Item = Index >= 0 && Index < EditCombo->Items()->Count();
    const String Text = Item ? EditCombo->Items()->Strings(Index) : EditCombo->Text();
    const Integer C = RealColIndex(Col());
    if (OnComboChange)
        OnComboChange(this, C, Row(), Index, Text);
    if (OnComboObjectChange)
        OnComboObjectChange(this, C, Row(), Index, Text, Item ? EditCombo->Items()->Objects(Index) : nullptr);
}

void TExStringGrid::ComboClosedUp()
{
    if (FMouseActions->DirectComboClose()) {
        const Integer Index = EditCombo->ItemIndex();
        if (Index >= 0 && Index < EditCombo->Items()->Count())
            EditCombo->SetText(EditCombo->Items()->Strings(Index));
        RaiseComboChangeEvents();
        FEditControlType = edComboEdit;
        FEditMode = true;
        const bool DirectEdit = FMouseActions->DirectEdit();
        FMouseActions->SetDirectEdit(false);
        HideInplaceEdit();
        FMouseActions->SetDirectEdit(DirectEdit);
        if (CanFocus())
            SetFocus();
    }
    DoComboCloseUp(Row(), RealColIndex(Col()));
}

void TExStringGrid::DoComboCloseUp(Integer ARow, Integer ACol)
{
    if (OnComboCloseUp)
        OnComboCloseUp(this, ARow, ACol);
}

void TExStringGrid::DoComboDropDown(Integer ARow, Integer ACol)
{
    if (OnComboDropDown)
        OnComboDropDown(this, ARow, ACol);
}
