// The grid's shared cell editor controls: what each adds to its base
// control, its keys, how losing the focus ends editing and how the value
// goes back to the grid.
#include "grid/control/ExGrid_Editors.h"

#include <QComboBox>
#include <QCursor>
#include <QFontMetrics>
#include <QLineEdit>

namespace {

TExStringGrid* OwningGrid(TComponent* AOwner)
{
    return dynamic_cast<TExStringGrid*>(AOwner);
}

// Writes Text into the current cell and validates it.
bool ValidateText(TExStringGrid* Grid, const String& Text)
{
    Grid->SetCurrentCell(Text);
    return Grid->ValidateCell(Text);
}

void HideOnExit(TExStringGrid* Grid)
{
    if (Grid)
        Grid->EditorLostFocus();
}

void ReportEditChange(TExStringGrid* Grid, const String& Text)
{
    if (Grid && Grid->OnEditChange)
        Grid->OnEditChange(Grid, Grid->Col(), Grid->Row(), Text);
}

// The keys an editor asks for: Enter and Escape always, Tab when asked.
void WantKeys(TWMGetDlgCode& Message, bool Tab)
{
    Message.Result |= DLGC_WANTALLKEYS;
    if (Tab)
        Message.Result |= DLGC_WANTTAB;
}

void GridTakesFocus(TExStringGrid* Grid)
{
    if (Grid->CanFocus())
        Grid->SetFocus();
}

bool Has(TShiftState Shift, TShiftStateItem E)
{
    return Shift.Contains(E);
}

// The first of Items that begins with the text up to the caret (case
// ignored unless CaseSensitive); -1 when none.
Integer LookupIndex(TStrings* Items, const String& Typed, bool CaseSensitive)
{
    if (Typed.isEmpty())
        return -1;
    const String Prefix = CaseSensitive ? Typed : Typed.toUpper();
    for (Integer I = 0; I < Items->Count(); ++I)
        if ((CaseSensitive ? Items->Strings(I) : Items->Strings(I).toUpper()).startsWith(Prefix))
            return I;
    return -1;
}

} // namespace

// ---------------------------------------------------------------- TGridCheckBox

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner), FGrid(OwningGrid(AOwner)) {}

void TGridCheckBox::KeyDown(Word& Key, TShiftState Shift)
{
    switch (Key) {
    case VK_RETURN:
        FGrid->HideInplaceEdit();
        GridTakesFocus(FGrid);
        FGrid->AdvanceToNextCell(FGrid->Col(), FGrid->Row(), false, true, true, false, true);
        Key = 0;
        return;
    case VK_UP:
    case VK_DOWN:
        FGrid->HideInplaceEdit();
        GridTakesFocus(FGrid);
        FGrid->KeyDown(Key, Shift);
        Key = 0;
        return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
        FGrid->HideInplaceEdit();
        GridTakesFocus(FGrid);
        Key = 0;
        return;
    default:
        // Space and a click toggle through the platform check box.
        TCheckBox::KeyDown(Key, Shift);
    }
}

void TGridCheckBox::DoExit()
{
    HideOnExit(FGrid);
    TCheckBox::DoExit();
}

// ---------------------------------------------------------------- TGridSpin

TGridSpin::TGridSpin(TComponent* AOwner) : TEsgSpinEdit(AOwner), FGrid(OwningGrid(AOwner))
{
    SetMaxValue(100);
    SetMinValue(0);
    SetIncrement(1);
}

void TGridSpin::DoSpinClick(bool UpDown)
{
    const Integer C = FGrid->Col();
    const Integer R = FGrid->Row();
    switch (SpinType()) {
    case sptNormal:
        if (FGrid->OnSpinClick)
            FGrid->OnSpinClick(FGrid, C, R, Value(), UpDown);
        break;
    case sptFloat:
        if (FGrid->OnFloatSpinClick)
            FGrid->OnFloatSpinClick(FGrid, C, R, FloatValue(), UpDown);
        break;
    case sptDate:
        if (FGrid->OnDateSpinClick)
            FGrid->OnDateSpinClick(FGrid, C, R, DateValue(), UpDown);
        break;
    case sptTime:
        if (FGrid->OnTimeSpinClick)
            FGrid->OnTimeSpinClick(FGrid, C, R, TimeValue(), UpDown);
        break;
    }
}

void TGridSpin::UpClick(TObject* Sender)
{
    TEsgSpinEdit::UpClick(Sender);
    DoSpinClick(true);
}

void TGridSpin::DownClick(TObject* Sender)
{
    TEsgSpinEdit::DownClick(Sender);
    DoSpinClick(false);
}

void TGridSpin::SetToLimit(bool Max)
{
    if (SpinType() == sptNormal)
        SetValue(Max ? MaxValue() : MinValue());
    else if (SpinType() == sptFloat)
        SetFloatValue(Max ? MaxFloatValue() : MinFloatValue());
    if (FGrid->OnSpinClick)
        FGrid->OnSpinClick(FGrid, FGrid->Col(), FGrid->Row(), Value(), false);
}

void TGridSpin::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_HOME || Key == VK_END) {
        SetToLimit(Key == VK_HOME);
        TEsgSpinEdit::KeyDown(Key, Shift);
        return;
    }
    const bool TabOwn = Key == VK_TAB && FGrid->Options().Contains(goTabs);
    if (Key != VK_RETURN && Key != VK_TAB && Key != VK_ESCAPE) {
        TEsgSpinEdit::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        SetText(FGrid->FCellCache);
        if (SpinType() == sptNormal)
            SetValue(Value());
        else if (SpinType() == sptFloat)
            SetFloatValue(FloatValue());
    } else if (!ValidateText(FGrid, Text())) {
        String Current;
        FGrid->GetCurrentCell(Current);
        SetText(Current);
        SetSelStart(Text().length());
        FGrid->FNoAutoAdvance = true;
        Repaint();
        Key = 0;
        return;
    }
    if (TabOwn) {
        FGrid->HideInplaceEdit();
        GridTakesFocus(FGrid);
        FGrid->TabToNextCell(Has(Shift, ssShift));
        Key = 0;
        return;
    }
    TExStringGrid* Grid = FGrid;
    Grid->DoneInplaceEdit(Key == VK_TAB ? Word(VK_RETURN) : Key, Shift);
    if (Grid->Navigation()->AdvanceOnEnter() && Grid->Navigation()->AdvanceAutoEdit())
        Grid->ShowInplaceEdit();
    Key = 0;
}

void TGridSpin::KeyPress(Char& Key)
{
    const char16_t K = Key.unicode();
    if (K == 9 || K == 13 || K == 27) {
        Key = Char(0);
        return;
    }
    TEsgSpinEdit::KeyPress(Key);
}

void TGridSpin::Change()
{
    TEsgSpinEdit::Change();
    ReportEditChange(FGrid, Text());
}

void TGridSpin::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TEsgSpinEdit::WMGetDlgCode(Message);
    WantKeys(Message, FGrid->Options().Contains(goTabs));
}

void TGridSpin::DoExit()
{
    HideOnExit(FGrid);
    TEsgSpinEdit::DoExit();
}

// ---------------------------------------------------------------- TGridCombo

TGridCombo::TGridCombo(TComponent* AOwner) : TEsgComboBox(AOwner), FGrid(OwningGrid(AOwner))
{
    SetButtonWidth(16);
}

bool TGridCombo::IsSpecialKey(Word Key, TShiftState Shift) const
{
    if (Key == VK_DOWN && Has(Shift, ssAlt))
        return false;
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE)
        return true;
    if (!Editable() || DroppedDown())
        return Key == VK_LEFT || Key == VK_RIGHT;
    return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_UP || Key == VK_DOWN;
}

bool TGridCombo::ValidateKey()
{
    if (!ValidateText(FGrid, Text())) {
        SetText(FGrid->FNewCellText);
        if (Editable())
            SelectAll();
        FGrid->FNoAutoAdvance = true;
        Repaint();
        return false;
    }
    String Current;
    FGrid->GetCurrentCell(Current);
    if (Editable())
        SetText(Current);
    else
        SetItemIndex(Items()->IndexOf(Current));
    return true;
}

void TGridCombo::KeyDown(Word& Key, TShiftState Shift)
{
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    TExStringGrid* Grid = FGrid;
    TNavigation* Nav = Grid->Navigation();
    if ((Key == VK_UP || Key == VK_DOWN) && !Nav->ComboGetUpDown() && !DroppedDown()) {
        // The editor's value is stored into its cell, then the grid moves.
        Grid->HideInplaceEdit();
        const bool AlwaysEdit = Nav->AlwaysEdit();
        Nav->SetAlwaysEdit(false);
        GridTakesFocus(Grid);
        Nav->SetAlwaysEdit(AlwaysEdit);
        Grid->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (!IsSpecialKey(Key, Shift)) {
        TEsgComboBox::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        String Current;
        Grid->GetCurrentCell(Current);
        SetText(Current);
        if (Items()->IndexOf(Current) >= 0)
            SetItemIndex(Items()->IndexOf(Current));
        Grid->HideInplaceEdit();
        GridTakesFocus(Grid);
        Key = 0;
        return;
    }
    if ((Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) && !ValidateKey()) {
        Key = 0;
        return;
    }
    if (Key == VK_TAB && Grid->HasCellValidation()) {
        if (!ValidateText(Grid, Text())) {
            Key = 0;
            return;
        }
        if (Grid->Options().Contains(goTabs)) {
            Grid->HideInplaceEdit();
            GridTakesFocus(Grid);
            Grid->TabToNextCell(Has(Shift, ssShift));
        } else {
            PostMessage(Grid->Handle(), WM_KEYDOWN, VK_TAB, 0);
        }
        Key = 0;
        return;
    }
    if (!Editable() || DroppedDown()) {
        if (Key == VK_LEFT || Key == VK_RIGHT) {
            TMouseActions* Mouse = Grid->MouseActions();
            const bool DirectClose = Mouse->DirectComboClose();
            Mouse->SetDirectComboClose(false);
            Grid->HideInplaceEdit();
            Mouse->SetDirectComboClose(DirectClose);
            GridTakesFocus(Grid);
            Grid->KeyDown(Key, Shift);
            Key = 0;
            return;
        }
    } else if (Key == VK_END) {
        TEsgComboBox::KeyDown(Key, Shift);
        return;
    }
    Grid->DoneInplaceEdit(Key, Shift);
    if (Nav->AdvanceOnEnter() && Nav->AdvanceAutoEdit())
        Grid->ShowInplaceEdit();
    Key = 0;
}

void TGridCombo::KeyPress(Char& Key)
{
    if (FGrid->OnKeyPress)
        FGrid->OnKeyPress(this, Key);
    const char16_t K = Key.unicode();
    if (K == 27) {
        Key = Char(0);
        return;
    }
    if (K == 13 && OnReturnKey)
        OnReturnKey(this);
    if (K == 13 || K == 9) {
        Key = Char(0);
        return;
    }
    TEsgComboBox::KeyPress(Key);
}

void TGridCombo::CursorWalk(Word Key)
{
    TExStringGrid* Grid = FGrid;
    const Integer C = Grid->Col();
    const bool Backward = Key == VK_LEFT;
    const Integer Span = std::max<Integer>(Grid->CellSpan(Grid->RealColIndex(C), Grid->Row()).X, 0);
    const Integer Next = Backward ? C - 1 : C + Span + 1;
    const bool Inside = Backward ? C > Grid->FixedCols() : Next < Grid->ColCount() - Grid->FixedRightCols();
    if (Inside && !Grid->IsClickControlCell(Grid->RealColIndex(Next), Grid->Row())) {
        if (ValidateText(Grid, Text())) {
            Grid->HideInplaceEdit();
            Grid->SetCol(Next);
        }
        return;
    }
    GridTakesFocus(Grid);
    Grid->WalkToNextCell(C, Backward, true);
}

void TGridCombo::KeyUp(Word& Key, TShiftState Shift)
{
    if (Editable() && FGrid->Navigation()->CursorWalkEditor() && !Has(Shift, ssShift) && SelLength() == 0 &&
        ((Key == VK_LEFT && SelStart() == 0) || (Key == VK_RIGHT && SelStart() == Text().length()))) {
        CursorWalk(Key);
        Key = 0;
        return;
    }
    FGrid->FNoAutoAdvance = false;
    if (Key != VK_RETURN)
        TEsgComboBox::KeyUp(Key, Shift);
    DoChange();
}

void TGridCombo::DoChange()
{
    if (!WorkMode || !FGrid->Lookup() || !Editable())
        return;
    const bool Case = FGrid->LookupCaseSensitive();
    const String Typed = Text().left(SelStart());
    TStrings* Source = Items();
    Integer Idx = LookupIndex(Source, Typed, Case);
    if (Idx < 0) {
        Source = FGrid->LookupItems();
        Idx = LookupIndex(Source, Typed, Case);
        if (Idx < 0)
            return;
    } else {
        SetItemIndex(Idx);
    }
    // The whole rest of the item, however long.
    const String Item = Source->Strings(Idx);
    SetText(Typed + Item.mid(Typed.length()));
    SetSelection(Typed.length(), Item.length() - Typed.length());
}

void TGridCombo::RaiseComboChange()
{
    const Integer Idx = ItemIndex();
    if (Idx < 0 || Idx >= Items()->Count())
        return;
    const Integer C = FGrid->RealColIndex(FGrid->Col());
    const String Item = Items()->Strings(Idx);
    if (FGrid->OnComboChange)
        FGrid->OnComboChange(FGrid, C, FGrid->Row(), Idx, Item);
    if (FGrid->OnComboObjectChange)
        FGrid->OnComboObjectChange(FGrid, C, FGrid->Row(), Idx, Item, Items()->Objects(Idx));
}


void TGridCombo::Change()
{
    TEsgComboBox::Change();
    if (FGrid && FGrid->FEditMode && FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

bool TGridCombo::DoMouseWheel(TShiftState, Integer WheelDelta, TPoint)
{
    // The wheel stops at the last item as at the first; an unchanged item
    // raises nothing.
    const Integer Old = ItemIndex();
    const Integer New = std::clamp(Old + (WheelDelta < 0 ? 1 : -1), 0, Items()->Count() - 1);
    if (Items()->Count() == 0 || New == Old)
        return true;
    SetItemIndex(New);
    if (FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->RealColIndex(FGrid->Col()), FGrid->Row(), Text());
    RaiseComboChange();
    return true;
}

void TGridCombo::SizeDropDownWidth()
{
    const QFontMetrics Metrics(FGrid->Font()->ToQFont());
    Integer W = Width();
    for (Integer I = 0; I < Items()->Count(); ++I) {
        const Integer T = Metrics.horizontalAdvance(Items()->Strings(I));
        if (Items()->Count() > DropDownCount()) {
            if (T > W - 25)
                W = T + 25;
        } else if (T > W - 5) {
            W = T + 8;
        }
    }
    SetDropWidth(W);
}

void TGridCombo::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TEsgComboBox::WMGetDlgCode(Message);
    WantKeys(Message, FGrid->HasCellValidation());
}

void TGridCombo::CMEnter(TMessage& Message)
{
    TEsgComboBox::CMEnter(Message);
    // While the grid opens the combo, it places the caret once the text
    // is in.
    if (FGrid->EditCtrl == this)
        PlaceCaret();
}

void TGridCombo::PlaceCaret()
{
    QLineEdit* Edit = ComboBox()->lineEdit();
    if (!Edit)
        return;
    if (!FGrid->Navigation()->EditSelectAll())
        Edit->setCursorPosition(Edit->text().length());
    if (!FGrid->LButFlg)
        return;
    FGrid->LButFlg = false;
    const QPoint P = Edit->mapFromGlobal(QCursor::pos());
    if (Edit->rect().contains(P))
        Edit->setCursorPosition(Edit->cursorPositionAt(P));
}

void TGridCombo::DoExit()
{
    if (FGrid && FGrid->LookupHistory() && !Text().isEmpty() && Items()->IndexOf(Text()) < 0)
        Items()->Add(Text());
    HideOnExit(FGrid);
    TEsgComboBox::DoExit();
}

// ---------------------------------------------------------------- TGridDatePicker

TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TEsgDateTimePicker(AOwner), FGrid(OwningGrid(AOwner)) {}

void TGridDatePicker::KeyPress(Char& Key)
{
    const bool Digit = Key >= u'0' && Key <= u'9';
    if (Digit) {
        DecodeDate(TDateTimePicker::DateTime(), Fy, Fm, Fd);
        DecodeTime(TDateTimePicker::DateTime(), Fth, Ftm, Fts, Ftms);
    }
    TEsgDateTimePicker::KeyPress(Key);
    if (Digit)
        PostMessage(Handle(), WM_DTPSHIFTFOCUS, 0, 0);
    if (FGrid->OnKeyPress)
        FGrid->OnKeyPress(FGrid, Key);
}

void TGridDatePicker::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_DTPSHIFTFOCUS) {
        ShiftFocus();
        return;
    }
    TEsgDateTimePicker::WndProc(Message);
}

void TGridDatePicker::ShiftFocus()
{
    Word Y, M, D, H, N, S, Ms;
    DecodeDate(TDateTimePicker::DateTime(), Y, M, D);
    DecodeTime(TDateTimePicker::DateTime(), H, N, S, Ms);
    bool Next = false;
    if (Kind() == dtkTime) {
        Next = H != Fth || N != Ftm || S != Fts;
    } else if (!Format().isEmpty()) {
        const QChar Last = Format().back().toUpper();
        const bool LastChanged = (Last == u'D' && D != Fd) || (Last == u'M' && M != Fm) || (Last == u'Y' && Y != Fy);
        Next = !LastChanged && (D != Fd || M != Fm || Y != Fy);
    } else {
        Next = D != Fd || M != Fm;
    }
    if (Next)
        PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TGridDatePicker::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE && Key != VK_PRIOR && Key != VK_NEXT &&
        Key != VK_END) {
        TEsgDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    TExStringGrid* Grid = FGrid;
    if (Key == VK_ESCAPE) {
        String Current;
        Grid->GetCurrentCell(Current);
        TDateTime Value = 0;
        const bool Read = Kind() == dtkTime ? TryStrToTime(Current, Value) : TryStrToDate(Current, Value);
        SetDateTime(Read ? Value : Now());
    } else if (Key == VK_RETURN) {
        SendMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
        SendMessage(Handle(), WM_KEYUP, VK_RIGHT, 0);
        if (!ValidateText(Grid, Text())) {
            TDateTime Value = 0;
            if (TryStrToDate(Grid->FNewCellText, Value))
                SetDateTime(Value);
            Grid->FNoAutoAdvance = true;
            Repaint();
            Key = 0;
            return;
        }
    } else if (Key == VK_TAB && Grid->HasCellValidation()) {
        if (ValidateText(Grid, Text())) {
            if (Grid->Options().Contains(goTabs)) {
                Grid->HideInplaceEdit();
                GridTakesFocus(Grid);
                Grid->TabToNextCell(Has(Shift, ssShift));
            } else {
                PostMessage(Grid->Handle(), WM_KEYDOWN, VK_TAB, 0);
            }
        }
        Key = 0;
        return;
    }
    if (!DroppedDown())
        Grid->DoneInplaceEdit(Key, Shift);
    Key = 0;
}

void TGridDatePicker::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TEsgDateTimePicker::WMGetDlgCode(Message);
    WantKeys(Message, FGrid->HasCellValidation());
}

void TGridDatePicker::DoExit()
{
    HideOnExit(FGrid);
    TEsgDateTimePicker::DoExit();
}

void TGridDatePicker::PaintOver(TCanvas* Canvas)
{
    TEsgDateTimePicker::PaintOver(Canvas);
    // No border inside the cell: the outer two rings in the window colour.
    TRect R(0, 0, Width(), Height());
    FrameInColour(Canvas, R, clWindow);
    InflateRect(R, -1, -1);
    FrameInColour(Canvas, R, clWindow);
}

// ---------------------------------------------------------------- TGridDateTimePicker

TGridDateTimePicker::TGridDateTimePicker(TComponent* AOwner)
    : TExDateTimePicker(AOwner), FGrid(static_cast<TExStringGrid*>(AOwner))
{
}

void TGridDateTimePicker::KeyDown(Word& Key, TShiftState Shift)
{
    TExStringGrid* Grid = FGrid;
    if (Key == VK_ESCAPE) {
        // The date the cell had; the time of day stays as typed.
        SetDate(std::trunc(Grid->FOriginalDateTime));
        Grid->HideInplaceEdit();
        GridTakesFocus(Grid);
        Key = 0;
        return;
    }
    if (Key == VK_RETURN) {
        Grid->HideInplaceEdit();
        GridTakesFocus(Grid);
        if (Grid->Navigation()->AdvanceOnEnter())
            Grid->AdvanceToNextCell(Grid->Col(), Grid->Row(), false, true, true, false, true);
        Key = 0;
        return;
    }
    if (Key == VK_TAB && Grid->HasCellValidation()) {
        const String Value = Text();
        Grid->HideInplaceEdit();
        GridTakesFocus(Grid);
        Grid->SetCurrentCell(Value);
        Grid->TabToNextCell(Has(Shift, ssShift));
        Key = 0;
        return;
    }
    TExDateTimePicker::KeyDown(Key, Shift);
}

// ---------------------------------------------------------------- TGridEditBtn

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TEsgEditBtn(AOwner), FGrid(OwningGrid(AOwner))
{
    OnClickBtn = [this](TObject* Sender) { BtnClick(Sender); };
}

// The number filters of the button editors, by the grid's editor kind:
// whether Key is typed. Beeps where the kind refuses with a beep.
static bool ButtonEditorTakes(TExStringGrid* Grid, TCustomEdit* Edit, Char Key)
{
    const TEditorType Kind = Grid->EditControl();
    const bool Ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    bool Beep = false;
    bool Taken = true;
    if (Kind == edNumericEditBtn || Kind == edNumericUnitEditBtn)
        Taken = AcceptNumericChar(Key, Edit->Text(), Edit->SelStart(), Edit->SelText(), false, Beep);
    else if (Kind == edFloatEditBtn || Kind == edFloatUnitEditBtn)
        Taken = AcceptFloatChar(Key, Edit->Text(), Edit->SelStart(), Edit->SelText(), false, Ctrl, Beep);
    else
        Taken = Kind == edEditBtn || Kind == edMaskEditBtn || Kind == edUnitEditBtn;
    if (Beep)
        MessageBeep(0);
    return Taken;
}

void TGridEditBtn::WMChar(TWMKey& Message)
{
    const char16_t K = char16_t(Message.CharCode);
    if (K == 13 || K == 9 || !ButtonEditorTakes(FGrid, this, QChar(K))) {
        Message.CharCode = 0;
        return;
    }
    TEsgEditBtn::WMChar(Message);
}

void TGridEditBtn::KeyPress(Char& Key)
{
    if (FGrid->OnKeyPress)
        FGrid->OnKeyPress(FGrid, Key);
    if (Key == u'\t') {
        Key = Char(0);
        return;
    }
    TEsgEditBtn::KeyPress(Key);
}

void TGridEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    TExStringGrid* Grid = FGrid;
    const bool Special = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                        Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!Special && Grid->OnKeyDown)
        Grid->OnKeyDown(Grid, Key, Shift);
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    FSelKeyDown = SelStart();
    if (Has(Shift, ssCtrl) || !Special) {
        TEsgEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        const TEditorType Kind = Grid->EditControl();
        const bool Valid = ValidateText(Grid, Text());
        SetText(Grid->FNewCellText);
        if (!Valid) {
            SelectAll();
            Repaint();
            Grid->FEditControlType = Kind;
            Key = 0;
            return;
        }
    }
    if (Key == VK_TAB && Grid->HasCellValidation()) {
        if (Grid->Options().Contains(goTabs)) {
            Grid->HideInplaceEdit();
            GridTakesFocus(Grid);
            Grid->TabToNextCell(Has(Shift, ssShift));
        } else {
            PostMessage(Grid->Handle(), WM_KEYDOWN, VK_TAB, 0);
        }
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE)
        SetText(Grid->FCellCache);
    Grid->DoneInplaceEdit(Key, Shift);
    Key = 0;
}

void TGridEditBtn::KeyUp(Word& Key, TShiftState Shift)
{
    TExStringGrid* Grid = FGrid;
    if (Grid->OnKeyUp)
        Grid->OnKeyUp(Grid, Key, Shift);
    if (Grid->Navigation()->CursorWalkEditor() && !Has(Shift, ssShift) && SelLength() == 0 &&
        ((Key == VK_LEFT && FSelKeyDown == 0) || (Key == VK_RIGHT && SelStart() == Text().length()))) {
        const bool Backward = Key == VK_LEFT;
        Key = 0;
        if (!ValidateText(Grid, Text()))
            return;
        Grid->HideInplaceEdit();
        GridTakesFocus(Grid);
        Grid->AdvanceToNextCell(Grid->Col(), Grid->Row(), true, true, !Backward, false, true);
        return;
    }
    if (Key != VK_RETURN)
        TEsgEditBtn::KeyUp(Key, Shift);
    DoLookup();
}

void TGridEditBtn::DoLookup()
{
    if (!WorkMode || SelLength() != 0 || !FGrid->Lookup())
        return;
    TStrings* Items = FGrid->LookupItems();
    const String Typed = Text().left(SelStart());
    const Integer Idx = LookupIndex(Items, Typed, FGrid->LookupCaseSensitive());
    if (Idx < 0)
        return;
    const String Item = Items->Strings(Idx);
    SetText(Typed + Item.mid(Typed.length()));
    SetSelStart(Typed.length());
    SetSelLength(Item.length() - Typed.length());
}

void TGridEditBtn::BtnClick(TObject*)
{
    String Res;
    FGrid->DoEllipsClick(Text(), Res);
    SetText(Res);
    SelectAll();
    Repaint();
    if (StopEditAfterClick) {
        FGrid->HideInplaceEdit();
        GridTakesFocus(FGrid);
    }
}

void TGridEditBtn::DblClick()
{
    TEsgEditBtn::DblClick();
    if (FGrid->OnDblClickCell)
        FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TGridEditBtn::WMPaste(TMessage&)
{
    // A read-only or disabled editor takes no paste, and the pasted text
    // passes the filters of the text editor's paste.
    String Clip;
    if (ReadOnly() || !Enabled() || !ClipboardTextToPaste(FGrid, this, Clip))
        return;
    const Integer Start = SelStart();
    const Integer Length = SelLength();
    String NewText = PasteInto(Text(), Start, Length, Clip);
    const TEditorType Kind = FGrid->EditControl();
    const TEditorType AsText = Kind == edNumericEditBtn ? edNumeric : Kind == edFloatEditBtn ? edFloat : edNormal;
    if (!AcceptPastedText(AsText, String(), NewText))
        return;
    const Integer Pasted = NewText.length() - (Text().length() - Length);
    SetText(NewText);
    FGrid->SetCurrentCellEx(NewText);
    SetSelStart(Length > 0 ? Start : Start + Pasted);
    SetSelLength(Length > 0 ? Pasted : 0);
}

void TGridEditBtn::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TEsgEditBtn::WMGetDlgCode(Message);
    WantKeys(Message, FGrid->HasCellValidation());
}

void TGridEditBtn::Change()
{
    TEsgEditBtn::Change();
    ReportEditChange(FGrid, Text());
}

void TGridEditBtn::DoExit()
{
    HideOnExit(FGrid);
    TEsgEditBtn::DoExit();
}

// ---------------------------------------------------------------- TGridUnitEditBtn

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner) : TEsgUnitEditBtn(AOwner), FGrid(OwningGrid(AOwner))
{
    OnClickBtn = [this](TObject* Sender) { BtnClick(Sender); };
}

void TGridUnitEditBtn::WMChar(TWMKey& Message)
{
    const char16_t K = char16_t(Message.CharCode);
    if (K == 13 || !ButtonEditorTakes(FGrid, this, QChar(K))) {
        Message.CharCode = 0;
        return;
    }
    TEsgUnitEditBtn::WMChar(Message);
}

void TGridUnitEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    TExStringGrid* Grid = FGrid;
    const bool Special = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                        Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!Special) {
        TEsgUnitEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        if (!ValidateText(Grid, TextAndUnit())) {
            String Current;
            Grid->GetCurrentCell(Current);
            SetText(Current);
            Key = 0;
            return;
        }
        String Current;
        Grid->GetCurrentCell(Current);
        SetTextAndUnit(Current);
    }
    if (Key == VK_RETURN && Grid->Navigation()->AdvanceOnEnter()) {
        Grid->HideInplaceEdit();
        GridTakesFocus(Grid);
        Key = 0;
        Grid->AdvanceToNextCell(Grid->Col(), Grid->Row(), false, true, true, false, true);
        return;
    }
    if (Key == VK_TAB && Grid->Options().Contains(goTabs)) {
        Grid->HideInplaceEdit();
        GridTakesFocus(Grid);
        Grid->TabToNextCell(Has(Shift, ssShift));
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE) {
        SetUnitID(String());
        String Current;
        Grid->GetCurrentCell(Current);
        SetText(Current);
    }
    Grid->DoneInplaceEdit(Key, Shift);
    Key = 0;
}

void TGridUnitEditBtn::BtnClick(TObject*)
{
    String Res;
    FGrid->DoEllipsClick(Text(), Res);
    SetText(Res);
    SelectAll();
    Repaint();
}

void TGridUnitEditBtn::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TEsgUnitEditBtn::WMGetDlgCode(Message);
    WantKeys(Message, FGrid->Options().Contains(goTabs));
}

void TGridUnitEditBtn::DoExit()
{
    HideOnExit(FGrid);
    TEsgUnitEditBtn::DoExit();
}

// ---------------------------------------------------------------- TGridButton

TGridButton::TGridButton(TComponent* AOwner) : TButton(AOwner), FGrid(OwningGrid(AOwner)) {}

void TGridButton::ClickThroughGrid()
{
    if (!FGrid)
        return;
    String Res;
    FGrid->DoEllipsClick(Caption(), Res);
    SetCaption(Res);
    FGrid->SetCurrentCell(Res);
}

void TGridButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (Button == mbLeft)
        ClickThroughGrid();
    TButton::MouseUp(Button, Shift, X, Y);
}

void TGridButton::LeaveToGrid()
{
    SetVisible(false);
    SetEnabled(false);
    FGrid->FEditMode = false;
    GridTakesFocus(FGrid);
}

void TGridButton::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) {
        SendMessage(FGrid->Handle(), WM_KEYDOWN, Key, 0);
        LeaveToGrid();
        SendMessage(FGrid->Handle(), WM_KEYUP, Key, 0);
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE) {
        LeaveToGrid();
        FGrid->RestoreCurrentCell();
        SendMessage(FGrid->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
        Key = 0;
        return;
    }
    TButton::KeyDown(Key, Shift);
}

void TGridButton::KeyUp(Word& Key, TShiftState Shift)
{
    if (Key == VK_SPACE) {
        ClickThroughGrid();
        SetFocus();
        Repaint();
    }
    TButton::KeyUp(Key, Shift);
}

void TGridButton::WMGetDlgCode(TWMGetDlgCode& Message)
{
    TButton::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

void TGridButton::DoExit()
{
    HideOnExit(FGrid);
    TButton::DoExit();
}
