// The grid's drop-down cell editors: the family's keys, changes, exit and
// caret; and the grid's side of these editors, which fills one from its
// cell and writes its result back.
#include "controls/dropdown/ExGrid_DropDownEditors.h"

#include "grid/control/ExGrid_Graphic.h"
#include "grid/control/ExGrid_Settings.h"

#include <QApplication>
#include <QLineEdit>

namespace {

TExStringGrid* GridOwner(TComponent* AOwner)
{
    auto* Grid = dynamic_cast<TExStringGrid*>(AOwner);
    if (!Grid)
        throw EInvalidCast(QStringLiteral("Invalid class typecast"));
    return Grid;
}

void GridTakesFocus(TExStringGrid* Grid)
{
    if (Grid->CanFocus())
        Grid->SetFocus();
}

// Alt as the key event says or as the keyboard stands.
bool AltIn(TShiftState Shift)
{
    return Shift.Contains(ssAlt) || GetKeyState(VK_MENU) < 0;
}

bool IsPageOrLineKey(Word Key)
{
    return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
}

} // namespace

// ---------------------------------------------------------------- the family

template <class TBase, bool KeysToBase, bool PressesToBase>
TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::TGridDropDownEditor(TComponent* AOwner)
    : TBase(GridOwner(AOwner)), FGrid(static_cast<TExStringGrid*>(AOwner))
{
}

template <class TBase, bool KeysToBase, bool PressesToBase>
void TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::BaseKeyDown(Word& Key, TShiftState Shift)
{
    if constexpr (KeysToBase)
        TBase::KeyDown(Key, Shift);
    else
        TExCustomDropDown::KeyDown(Key, Shift);
}

template <class TBase, bool KeysToBase, bool PressesToBase>
void TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::BaseKeyPress(Char& Key)
{
    if constexpr (PressesToBase)
        TBase::KeyPress(Key);
    else
        TExCustomDropDown::KeyPress(Key);
}

template <class TBase, bool KeysToBase, bool PressesToBase>
bool TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::IsSpecialKey(Word Key, TShiftState Shift) const
{
    switch (Key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_UP: return true;
    case VK_DOWN: return !AltIn(Shift);
    default: return false;
    }
}

template <class TBase, bool KeysToBase, bool PressesToBase>
bool TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::Commit(bool SelectAll)
{
    const String T = this->GetText();
    FGrid->SetCurrentCell(T);
    if (FGrid->ValidateCell(T))
        return true;
    RestoreText(FGrid->FNewCellText);
    if (SelectAll)
        this->LineEdit()->selectAll();
    else
        this->LineEdit()->end(false);
    this->Repaint();
    return false;
}

template <class TBase, bool KeysToBase, bool PressesToBase>
void TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::KeyDown(Word& Key, TShiftState Shift)
{
    Forced = false;
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    if (!IsSpecialKey(Key, Shift)) {
        BaseKeyDown(Key, Shift);
        // Alt+Down toggled the pop-up: the key stays with the editor instead
        // of moving the grid's row.
        if (Key == VK_DOWN && AltIn(Shift))
            Key = 0;
        return;
    }
    TExStringGrid* G = FGrid;
    if (Key == VK_ESCAPE) {
        // The cell as stored: the grid's current-cell text is the editor's
        // while it shows, and writing back may reformat it (the
        // calculator's precision).
        const Integer RealC = G->RealColIndex(G->Col()), R = G->Row();
        const String Stored = G->Cells(RealC, R);
        RestoreText(Stored);
        G->HideInplaceEdit();
        if (R < G->RowCount())
            G->EditorToCell(RealC, R, Stored);
        GridTakesFocus(G);
        return;
    }
    if (CommitKey(Key)) {
        BeforeCommit(Key);
        if (!Commit(true)) {
            Key = 0;
            G->FNoAutoAdvance = true;
            return;
        }
        String Stored;
        G->GetCurrentCell(Stored);
        RestoreText(Stored);
    }
    if (Key == VK_TAB && G->HasCellValidation()) {
        if (!Commit(false)) {
            Key = 0;
            return;
        }
        if (G->Options().Contains(goTabs)) {
            G->HideInplaceEdit();
            GridTakesFocus(G);
            G->TabToNextCell(Shift.Contains(ssShift));
            return;
        }
        PostMessage(G->Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (this->DroppedDown()) {
        G->HideInplaceEdit();
        if (IsPageOrLineKey(Key))
            Key = 0;
    } else if (Key == VK_END || (Key == VK_DOWN && AltIn(Shift))) {
        BaseKeyDown(Key, Shift);
        return;
    }
    G->DoneInplaceEdit(Key, Shift);
    if (G->Navigation()->AdvanceOnEnter() && G->Navigation()->AdvanceAutoEdit())
        G->ShowInplaceEdit();
    Key = 0;
    BaseKeyDown(Key, Shift);
}

template <class TBase, bool KeysToBase, bool PressesToBase>
void TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::KeyPress(Char& Key)
{
    if (FGrid->OnKeyPress)
        FGrid->OnKeyPress(this, Key);
    if (Key == QChar(27) || Key == QChar(13) || Key == QChar(9))
        Key = QChar(0);
    BaseKeyPress(Key);
}

template <class TBase, bool KeysToBase, bool PressesToBase>
void TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::Change()
{
    TBase::Change();
    if (FGrid && FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), this->GetText());
}

template <class TBase, bool KeysToBase, bool PressesToBase>
void TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::DoExit()
{
    // Focus that goes into the editor's own pop-up stays with the edit.
    if (!InOwnPopup())
        FGrid->EditorLostFocus();
    TBase::DoExit();
}

template <class TBase, bool KeysToBase, bool PressesToBase>
bool TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::InOwnPopup() const
{
    TDropDownForm* Popup = this->DropDownForm();
    if (this->DroppedDown() || (Popup && Popup->Visible()))
        return true;
    QWidget* Focus = QApplication::focusWidget();
    return Popup && Focus && Popup->Handle()->isAncestorOf(Focus);
}

template <class TBase, bool KeysToBase, bool PressesToBase>
void TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::CMWantSpecialKey(TCMWantSpecialKey& Message)
{
    const Word Key = Message.CharCode;
    // Escape is the family's own (it puts back the cell's text), also while
    // the pop-up is open: the drop-down's undo would hand it to the grid.
    if (Key == VK_ESCAPE) {
        Message.Result = 1;
        return;
    }
    TBase::CMWantSpecialKey(Message);
    if (Key == VK_TAB && FGrid->HasCellValidation())
        Message.Result = 1;
    if (ClaimsEnterAndEscape() && Key == VK_RETURN)
        Message.Result = 1;
}

template <class TBase, bool KeysToBase, bool PressesToBase>
void TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::WMSetFocus(TMessage& Message)
{
    TBase::WMSetFocus(Message);
    if (CaretAtClick() && FGrid->LButFlg)
        PlaceCaretAtClick();
}

template <class TBase, bool KeysToBase, bool PressesToBase>
void TGridDropDownEditor<TBase, KeysToBase, PressesToBase>::PlaceCaretAtClick()
{
    const TPoint P = this->ScreenToClient(Mouse->CursorPos());
    if (P.X < 0 || P.Y < 0 || P.X >= this->Width() || P.Y >= this->Height())
        return;
    const Integer At = this->CharFromPos(P);
    if (At == -1)
        return;
    this->SetSelStart(At);
    this->SetSelLength(0);
    FGrid->LButFlg = false;
}

template class TGridDropDownEditor<TExTrackBarDropDown, false, false>;
template class TGridDropDownEditor<TExMemoDropDown, false, false>;
template class TGridDropDownEditor<TExCalculatorDropdown, false, true>;
template class TGridDropDownEditor<TExTimePickerDropDown, true, false>;
template class TGridDropDownEditor<TExDetailDropDown, true, false>;
template class TGridDropDownEditor<exmulticolumn::TExMultiColumnDropDown, true, true>;
template class TGridDropDownEditor<exgriddropdown::TCustomExGridDropDown, true, true>;
template class TGridDropDownEditor<TExColorPickerDropDown, true, false>;
template class TGridDropDownEditor<TExImagePickerDropDown, false, false>;

// ---------------------------------------------------------------- the members

TGridTimepickerDropDown::TGridTimepickerDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner)
{
    SetFocusDraw(false);
}

bool TGridColorDropDown::IsSpecialKey(Word Key, TShiftState Shift) const
{
    if (DroppedDown())
        return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE;
    return Key == VK_HOME || TGridDropDownEditor::IsSpecialKey(Key, Shift);
}

// ---------------------------------------------------------------- the grid's side

namespace {

TExCustomDropDown* DropDownEditorOf(TExStringGrid* Grid, TEditorType Kind)
{
    switch (Kind) {
    case edTrackbarDropDown: return Grid->GetTrackbarDropDown();
    case edMemoDropDown: return Grid->GetMemoDropDown();
    case edCalculatorDropDown: return Grid->GetCalculatorDropDown();
    case edTimePickerDropDown: return Grid->GetTimePickerDropDown();
    case edDetailDropDown: return Grid->GetDetailPickerDropDown();
    case edGridDropDown: return Grid->GetGridDropDown();
    case edColorPickerDropDown: return Grid->GetColorPickerDropDown();
    case edImagePickerDropDown: return Grid->GetImagePickerDropDown();
    case edExGridDropDown: return Grid->GetExGridDropDown();
    default: return nullptr;
    }
}

bool IsImageCell(TCellType T)
{
    return T == ctImageList || T == ctDataImage;
}

void FillDetail(TGridDetailPickerDropDown* E, const String& Text)
{
    E->SetText(Text);
    E->SetEditorEnabled(true);
    for (Integer I = 0; I < E->Items()->Count(); ++I)
        if (E->Items()->Items(I)->Caption() == Text) {
            E->SetItemIndex(I);
            break;
        }
}

void FillMultiColumn(TGridGridDropDown* E, const String& Text)
{
    E->SetEditorEnabled(true);
    E->EndUpdate();
    const Integer Found = E->GetItemIndex(Text);
    E->SetItemIndex(Found >= 0 ? Found : 0);
    E->SetText(Text);
}

void FillExGrid(TGridExGridDropDown* E, const String& Text)
{
    E->SetEditorEnabled(true);
    E->GetGrid()->SetFixedRowAlways(true);
    E->EndUpdate();
    if (E->UseItems()) {
        String Found;
        Integer Row = -1;
        E->SetItemIndex(E->FindLookupRow(Text, Found, Row) ? Row : 0);
    }
    E->SetText(Text);
}

// The memo's lines as one text, line breaks between them.
String MemoValue(TGridMemoDropDown* E)
{
    QStringList Lines;
    for (Integer I = 0; I < E->MemoText()->Count(); ++I)
        Lines << E->MemoText()->Strings(I);
    return Lines.join(u'\n');
}

} // namespace

void TExStringGrid::StartCellEditor(TRect R, Integer ACol, Integer ARow, TColor C)
{
    TExCustomDropDown* E = DropDownEditorOf(this, FEditControlType);
    const Integer RealC = RealColIndex(ACol);
    const String Text = GetEditText(ACol, ARow);
    E->SetDropDownHeader(FControlLook->DropDownHeader());
    E->SetDropDownFooter(FControlLook->DropDownFooter());
    E->SetComponentStyle(FCurrentStyle);
    E->OnDropDownHeaderButtonClick = [this](TObject*, Integer Index) {
        if (OnDropDownHeaderButtonClick)
            OnDropDownHeaderButtonClick(this, Index);
    };
    E->OnDropDownFooterButtonClick = [this](TObject*, Integer Index) {
        if (OnDropDownFooterButtonClick)
            OnDropDownFooterButtonClick(this, Index);
    };
    E->SetBorderStyle(bsNone);
    E->SetBounds(R.Left, R.Top, 0, 0);
    E->SetEnabled(true);
    switch (FEditControlType) {
    case edTrackbarDropDown:
        static_cast<TGridTrackbarDropDown*>(E)->SetPosition(StrToIntDef(Text.trimmed(), 0));
        break;
    case edMemoDropDown:
        E->SetText(Text);
        E->SetSelStart(0);
        E->SetSelLength(0);
        break;
    case edCalculatorDropDown: E->SetText(Text); break;
    case edTimePickerDropDown:
        E->SetText(Text);
        E->SetEditorEnabled(true);
        break;
    case edDetailDropDown: FillDetail(static_cast<TGridDetailPickerDropDown*>(E), Text); break;
    case edGridDropDown: FillMultiColumn(static_cast<TGridGridDropDown*>(E), Text); break;
    case edColorPickerDropDown:
        static_cast<TGridColorDropDown*>(E)->SetSelectedColor(GetCellType(RealC, ARow) == ctShape
                                                                  ? GetShapeColor(RealC, ARow)
                                                                  : Colors(RealC, ARow));
        break;
    case edImagePickerDropDown: {
        auto* Picker = static_cast<TGridImageDropDown*>(E);
        const TCellType Kind = GetCellType(RealC, ARow);
        if (IsImageCell(Kind)) {
            Picker->SetImages(GridImages());
            if (Picker->Items()->Count() == 0)
                Picker->AddImagesFromImageList();
            Integer Index = -1;
            if (Kind == ctImageList)
                GetImageIdx(RealC, ARow, Index);
            else
                Index = StrToIntDef(Cells(RealC, ARow).trimmed(), -1);
            Picker->SetImageIndex(Index);
        }
        const Integer Item = Picker->ItemIndex();
        Picker->SetPlainText(Item >= 0 && Item < Picker->Items()->Count() ? Picker->Items()->Items(Item)->Caption()
                                                                           : String());
        break;
    }
    case edExGridDropDown: FillExGrid(static_cast<TGridExGridDropDown*>(E), Text); break;
    default: break;
    }
    PresentEditor(E, R, C, ACol, ARow);
    if (FMouseActions->DirectComboDrop())
        E->ShowDropDown();
}

void TExStringGrid::EndCellEditor(Integer ACol, Integer ARow)
{
    TExCustomDropDown* E = DropDownEditorOf(this, FEditControlType);
    const Integer RealC = RealColIndex(ACol);
    E->SetEnabled(false);
    E->SetVisible(false);
    // A handler may have taken the cell away under the open editor.
    if (!FEditMode || ARow < 0 || ARow >= RowCount() || RealC < 0 || RealC >= AllColCount())
        return;
    switch (FEditControlType) {
    case edMemoDropDown: EditorToCell(RealC, ARow, MemoValue(static_cast<TGridMemoDropDown*>(E))); break;
    case edColorPickerDropDown: {
        auto* Picker = static_cast<TGridColorDropDown*>(E);
        TColor Color = Picker->SelectedColor();
        String Value = Picker->SelectedColorText();
        if (OnColorSelected)
            OnColorSelected(this, RealC, ARow, Color, Value);
        EditorToCell(RealC, ARow, Value);
        if (GetCellType(RealC, ARow) == ctShape)
            SetShapeColor(RealC, ARow, Color);
        else
            SetColors(RealC, ARow, Color);
        break;
    }
    case edImagePickerDropDown: {
        Integer Index = static_cast<TGridImageDropDown*>(E)->GetImageIndex();
        if (OnImageSelected)
            OnImageSelected(this, RealC, ARow, Index);
        const TCellType Kind = GetCellType(RealC, ARow);
        if (Kind == ctImageList)
            SetImageIdx(RealC, ARow, Index);
        else if (Kind == ctDataImage)
            EditorToCell(RealC, ARow, QString::number(Index));
        break;
    }
    default: EditorToCell(RealC, ARow, E->GetText()); break;
    }
}
