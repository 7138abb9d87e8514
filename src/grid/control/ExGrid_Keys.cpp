// The string grid: the keyboard while the grid itself has the focus (no
// editor open), Tab between the cells that may take the focus, rows
// appended, inserted and deleted by key, and select-all.
#include "grid/control/ExGrid.h"

#include "grid/base/ExUtil.h"
#include "rtl/Forms.h"

#include <QGuiApplication>

#include <set>
#include <utility>

namespace {

bool IsArrowKey(Word Key)
{
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

// PgUp .. Down in key-code order: PgUp, PgDn, End, Home, Left, Up, Right, Down.
bool IsNavigationKey(Word Key)
{
    return Key >= VK_PRIOR && Key <= VK_DOWN;
}

bool IsEditKey(Word Key)
{
    return Key == VK_RETURN || Key == VK_F2;
}

bool HasHTMLControl(const String& Text)
{
    return Text.contains(QStringLiteral("<CONTROL"), Qt::CaseInsensitive);
}

// Runs its function when the scope ends, also by an exception.
template <class F>
class TKeysAtExit {
public:
    explicit TKeysAtExit(F Fn) : FFn(std::move(Fn)) {}
    TKeysAtExit(const TKeysAtExit&) = delete;
    TKeysAtExit& operator=(const TKeysAtExit&) = delete;
    ~TKeysAtExit() { FFn(); }

private:
    F FFn;
};

} // namespace

// ---------------------------------------------------------------- small operations

Integer TExStringGrid::FirstDataCol() const
{
    // Column 0 holds the node buttons of a grid without fixed columns.
    const Integer FC = TBaseGrid::FixedCols();
    return FC == 0 && FNumNodes > 0 ? 1 : FC;
}

Integer TExStringGrid::VisibleFixedRightCols()
{
    if (FNumHidden == 0)
        return FFixedRightCols;
    Integer Shown = 0;
    const Integer All = AllColCount();
    for (Integer C = std::max<Integer>(All - FFixedRightCols, 0); C < All; ++C)
        if (!IsHiddenColumn(C))
            ++Shown;
    return Shown;
}

bool TExStringGrid::CanFocusCell(Integer ACol, Integer ARow)
{
    // Editing counts as on where the grid took goEditing off for a
    // read-only current cell.
    bool Result = EditingOn() ? IsEditable(ACol, ARow) : !IsFixed(ACol, ARow);
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, Result);
    return Result;
}

Integer TExStringGrid::FirstFocusCol(Integer ARow)
{
    for (Integer C = 0; C < ColCount(); ++C)
        if (CanFocusCell(C, ARow))
            return C;
    return -1;
}

Integer TExStringGrid::LastFocusCol(Integer ARow)
{
    for (Integer C = ColCount() - 1; C >= 0; --C)
        if (CanFocusCell(C, ARow))
            return C;
    return -1;
}

void TExStringGrid::GotoFirstRow()
{
    if (TBaseGrid::FixedRows() < RowCount())
        SetRow(TBaseGrid::FixedRows());
}

bool TExStringGrid::IsLastDataRow()
{
    return Row() + 1 == RowCount() - FFixedFooters || (FFloatingFooter->Visible() && Row() + 2 == RowCount());
}

void TExStringGrid::EditorKeyDown(Word&, TShiftState) {}

TShiftState TExStringGrid::KeyShiftState()
{
    // AltGr is no Alt: it types characters.
    TShiftState S = KeyboardStateToShiftState() - TShiftState{ssLeft, ssRight, ssMiddle};
    if (QGuiApplication::keyboardModifiers() & Qt::GroupSwitchModifier)
        S.Exclude(ssAlt);
    return S;
}

void TExStringGrid::RaiseKeyDown(Word& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

bool TExStringGrid::CurrentCellHasHTMLControl()
{
    const String& Text = Cells(RealColIndex(Col()), Row());
    return GetCellTextKind(Text, FEnableHTML) == 1 && HasHTMLControl(Text);
}

// ---------------------------------------------------------------- key down

void TExStringGrid::WMKeyDown(TWMKey& Message)
{
    const TShiftState Shift = KeyShiftState();
    const bool Ctrl = Shift.Contains(ssCtrl);
    const Word Key = Message.CharCode;
    auto Consume = [&Message] {
        Message.CharCode = 0;
        Message.Result = 1;
    };
    auto RaiseAndConsume = [&] {
        Word K = Key;
        RaiseKeyDown(K, Shift);
        Consume();
    };

    FMoveSelection = Selection();
    const Integer OldLeftCol = LeftCol();
    const bool KeepHoriz = (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) &&
                           Options().Contains(goRowSelect) && LeftCol() != TBaseGrid::FixedCols() &&
                           FNavigation->KeepHorizScroll();

    if (FNavigation->MoveScrollOnly() && ScrollOnlyByKey(Key)) {
        Message.Result = 1;
        return;
    }
    if (FMouseActions->EditOnDblClickOnly() && IsEditKey(Key) && !Options().Contains(goEditing)) {
        const bool Saved = FMouseActions->RangeSelectAndEdit();
        FMouseActions->SetRangeSelectAndEdit(true);
        const bool Editable = IsEditable(Col(), Row());
        FMouseActions->SetRangeSelectAndEdit(Saved);
        if (Editable)
            SetOptions(Options() + TGridOptions{goEditing});
    }
    if (FMouseActions->RangeSelectAndEdit() && !Options().Contains(goEditing) && IsEditKey(Key)) {
        if (!IsEditable(Col(), Row())) {
            RaiseAndConsume();
            return;
        }
        SetOptions(Options() + TGridOptions{goEditing});
        ShowInplaceEdit();
    }
    if (IsEditKey(Key)) {
        if (Options().Contains(goEditing) && !IsEditable(Col(), Row())) {
            RaiseAndConsume();
            return;
        }
        if (CurrentCellHasHTMLControl()) {
            Message.Result = 1;
            return;
        }
    }
    if (Key == VK_RETURN && !IsEditable(Col(), Row())) {
        TCustomForm* Form = GetParentForm(this);
        if (Form && Form->KeyPreview())
            TBaseGrid::WMKeyDown(Message);
        else
            RaiseAndConsume();
        return;
    }
    if ((Key == VK_RETURN || Key == VK_SPACE) && IsClickControlCell(RealColIndex(Col()), Row()))
        PressClickControlByKey(Key == VK_SPACE);
    if ((Key == VK_HOME || Key == VK_END) && HomeEndByKey(Key, Shift, KeepHoriz, OldLeftCol)) {
        Message.Result = 0;
        return;
    }
    if ((Key == VK_RIGHT || Key == VK_LEFT) && IsNode(Row()) && IsMergedCell(RealColIndex(Col()), Row())) {
        if (Key == VK_RIGHT)
            ExpandNode(RealRowIndex(Row()));
        else
            ContractNode(RealRowIndex(Row()));
    }
    if ((Key == VK_LEFT || Key == VK_RIGHT) && RowSelectScroll(Key, Ctrl, Shift)) {
        Message.Result = 0;
        return;
    }
    if (Key == VK_TAB && Options().Contains(goTabs)) {
        TabToNextCell(Shift.Contains(ssShift));
        NotifySelectionChanged();
        return;
    }
    if (FNavigation->SkipFixedCells() && IsArrowKey(Key) && SkipFixedCellsByKey(Key)) {
        Word K = Key;
        RaiseKeyDown(K, Shift);
        Message.CharCode = 0;
    }
    if (Key == VK_DOWN && IsLastDataRow() && FNavigation->AppendOnArrowDown())
        AutoAddRow();
    if (Selection() != FMoveSelection && FSelectionRectangle) {
        RepaintRect(SelectionRect(Selection()));
        FMoveSelection = Selection();
    }
    if (!RunBaseKeyDown(Message, Shift, KeepHoriz, OldLeftCol))
        return;
    AfterBaseKeyDown(Key, Shift);
}

bool TExStringGrid::RunBaseKeyDown(TWMKey& Message, TShiftState Shift, bool KeepHoriz, Integer OldLeftCol)
{
    const Word Key = Message.CharCode;
    const bool Footer = FSearchFooter->Visible();
    const Integer OldTop = TopRow();
    const bool AtLastTop = Footer && TopRow() >= RowCount() - VisibleRowCount();
    const bool LastRow = Row() == RowCount() - 1;
    if (AtLastTop && LastRow) {
        const bool EdgeKey = Key == VK_DOWN || (Key == VK_RIGHT && Col() == ColCount() - 1) ||
                             (Key == VK_LEFT && Col() == TBaseGrid::FixedCols());
        if (EdgeKey) {
            if (Key == VK_DOWN)
                ScrollAboveSearchFooter();
            Message.Result = 1;
            Word K = Key;
            RaiseKeyDown(K, Shift);
            return false;
        }
    }
    const bool OtherKey = Key != VK_SHIFT && Key != VK_MENU && !IsNavigationKey(Key);
    const bool Bracket = (Footer && LastRow && (Key == VK_NEXT || Key == VK_END || IsArrowKey(Key))) ||
                         (Footer && OtherKey) || KeepHoriz;
    if (Bracket)
        BeginUpdate();
    TKeysAtExit Close([&] {
        if (Footer && AtLastTop && OtherKey)
            SetTopRow(OldTop);
        if (KeepHoriz)
            SetLeftCol(OldLeftCol);
        if (Bracket)
            EndUpdate();
    });
    TBaseGrid::WMKeyDown(Message);
    return true;
}

void TExStringGrid::AfterBaseKeyDown(Word Key, TShiftState Shift)
{
    const bool Ctrl = Shift.Contains(ssCtrl);
    const bool ShiftDown = Shift.Contains(ssShift);
    const bool Alt = Shift.Contains(ssAlt);
    if (FSearchFooter->Visible() && Row() == RowCount() - 1 &&
        (Key == VK_NEXT || Key == VK_END || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DOWN))
        ScrollAboveSearchFooter();
    const Integer SelRow = FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent()
                               ? RealRowIndex(Row())
                               : Row();
    if (FNavigation->AllowClipboardShortCuts() && ClipboardByKey(Key, Ctrl, ShiftDown))
        return;
    if (Key == VK_INSERT && !Ctrl && !ShiftDown && !Alt && FNavigation->AllowInsertRow())
        InsertRowByKey();
    if (Ctrl && Key == 'A') {
        if (Options().Contains(goRowSelect) || Options().Contains(goRangeSelect))
            SelectAllByKey();
        return;
    }
    if (IsNavigationKey(Key))
        DisjunctFlagsByKey(Ctrl, ShiftDown, SelRow);
    if (Key == VK_SPACE) {
        if (FMouseActions->DisjunctRowSelect())
            SetRowSelect(SelRow, !RowSelect(SelRow));
        if (FMouseActions->DisjunctColSelect())
            SetColSelect(Col(), !ColSelect(Col()));
    }
    if (Key == VK_DELETE && !Alt && FNavigation->AllowDeleteRow() &&
        RowCount() - TBaseGrid::FixedRows() - FFixedFooters > 0)
        DeleteRowByKey();
    if (IsEditKey(Key)) {
        StoreOldCellText(Col(), Row());
        if (CurrentCellHasHTMLControl())
            EditHTMLControl(Col(), Row(), String());
    }
    NotifySelectionChanged();
}

void TExStringGrid::NotifySelectionChanged()
{
    const TGridRect S = Selection();
    if (S == FMoveSelection)
        return;
    DoSelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
    FMoveSelection = S;
}

TRect TExStringGrid::SelectionRect(const TGridRect& S)
{
    return TRect(S.Left, S.Top, S.Right, S.Bottom);
}

bool TExStringGrid::ScrollOnlyByKey(Word Key)
{
    const Integer Visible = VisibleRowCount();
    const Integer FR = TBaseGrid::FixedRows();
    switch (Key) {
    case VK_PRIOR:
        SetTopRow(TopRow() > Visible + FR ? TopRow() - Visible : FR);
        return true;
    case VK_NEXT:
        if (TopRow() + Visible < RowCount())
            SetTopRow(TopRow() + Visible);
        return true;
    case VK_END:
        SetTopRow(RowCount() - Visible);
        return true;
    case VK_HOME:
        SetTopRow(FR);
        return true;
    case VK_UP:
        if (TopRow() > FR)
            SetTopRow(TopRow() - 1);
        return true;
    case VK_DOWN:
        if (TopRow() + Visible < RowCount())
            SetTopRow(TopRow() + 1);
        return true;
    default:
        return false;
    }
}

void TExStringGrid::PressClickControlByKey(bool Space)
{
    const Integer C = RealColIndex(Col());
    const Integer R = Row();
    bool Allowed = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit();
    CanEditCell(C, R, Allowed);
    const TCellType Kind = GetCellType(C, R);
    if (Space && (Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctVirtCheckBox ||
                  Kind == ctRowCheckBox)) {
        if ((Allowed || FControlLook->CheckAlwaysActive()) && DoToggleCheckBox(C, R, true)) {
            if (FShowModified->Enabled()) {
                SetRowModified(R, true);
                RepaintCell(0, R);
            }
            DoCheckBoxClick(Col(), R, IsChecked(C, R));
        }
    } else if (Space && Kind == ctRadio) {
        if (Allowed || FControlLook->RadioAlwaysActive()) {
            SelectNextRadio(C, R, true);
            Integer Idx = -1;
            GetRadioIdx(C, R, Idx);
            if (OnRadioClick)
                OnRadioClick(this, Col(), R, Idx);
        }
    } else if (Space && Kind == ctRadioButton) {
        if (Allowed || FControlLook->RadioAlwaysActive()) {
            SetRadioButtonColumnIndex(C, R);
            if (OnRadioButtonClick)
                OnRadioButtonClick(this, Col(), R, true);
        }
    } else if (Kind == ctButton || Kind == ctBitButton) {
        if (Allowed)
            DoButtonClick(Col(), R);
    }
    RepaintCell(Col(), R);
}

bool TExStringGrid::HomeEndByKey(Word Key, TShiftState Shift, bool KeepHoriz, Integer OldLeftCol)
{
    const bool Ctrl = Shift.Contains(ssCtrl);
    const bool ShiftDown = Shift.Contains(ssShift);
    const bool Home = Key == VK_HOME;
    const THomeEndAction Action = FNavigation->HomeEndKey();
    const Integer FR = TBaseGrid::FixedRows();
    const Integer FC = TBaseGrid::FixedCols();
    const bool OnlyFixed = FFixedRowAlways && RowCount() == 1;
    auto Finish = [&] {
        Word K = Key;
        RaiseKeyDown(K, Shift);
        if (KeepHoriz)
            SetLeftCol(OldLeftCol);
    };
    if (Ctrl) {
        if (!Home || Action != heFirstLastColumn || FR >= RowCount())
            return false;
        SetRow(FR);
        const Integer First = FirstFocusCol(FR);
        if (First >= 0)
            SetCol(First);
        SelectBaseCell();
        SetLeftCol(std::min(FirstDataCol(), ColCount() - 1));
        Finish();
        return true;
    }
    switch (Action) {
    case heFirstLastCell:
        SetCol(Home ? FC : ColCount() - 1);
        SetRow(Home ? FR : RowCount() - 1);
        SelectBaseCell();
        Finish();
        return true;
    case heFirstLastRow: {
        if (OnlyFixed)
            return false;
        const Integer OldRow = Row();
        const bool Floating = FFloatingFooter->Visible();
        Integer Target = FR;
        if (!Home)
            Target = Floating && RowCount() > 2 ? RowCount() - 2 : RowCount() - FFixedFooters - 1;
        if (!Home && FFixedFooters > 0 && !Floating)
            SetTopRow(RowCount() - VisibleRowCount());
        SetRow(Target);
        SelectBaseCell();
        if (ShiftDown)
            SetSelection(TGridRect{FC, std::min(OldRow, Target), ColCount() - 1, std::max(OldRow, Target)});
        if (FMouseActions->DisjunctRowSelect()) {
            ClearRowSelect();
            const TGridRect S = Selection();
            for (Integer R = S.Top; R <= S.Bottom; ++R)
                SetRowSelect(R, true);
        }
        if (!Home && Floating)
            SetTopRow(RowCount() - VisibleRowCount());
        Finish();
        return true;
    }
    case heFirstLastColumn:
        if (Options().Contains(goRowSelect))
            return false;
        if (OnlyFixed)
            return false;
        if (ShiftDown) {
            const Integer Edge = Home ? FC : ColCount() - FFixedRightCols - 1;
            SetSelection(TGridRect{std::min(Col(), Edge), Row(), std::max(Col(), Edge), Row()});
            RepaintRect(TRect(0, Row(), ColCount() - 1, Row()));
        } else if (Home) {
            const Integer First = FirstFocusCol(Row());
            if (First >= 0)
                SetCol(First);
            SetLeftCol(std::min(FirstDataCol(), ColCount() - 1));
            SelectBaseCell();
        } else {
            SetCol(ColCount() - 1);
            SetLeftCol(std::max(ColCount() - VisibleColCount(), FC));
            SelectBaseCell();
        }
        {
            Word K = Key;
            RaiseKeyDown(K, Shift);
        }
        return true;
    }
    return false;
}

bool TExStringGrid::RowSelectScroll(Word Key, bool Ctrl, TShiftState Shift)
{
    if (!Options().Contains(goRowSelect) || IsNode(Row()) || ColCount() - TBaseGrid::FixedCols() <= VisibleColCount())
        return false;
    const bool LeftRight = FNavigation->LeftRightRowSelect();
    if (LeftRight && !Ctrl)
        return false;
    const Integer Step = Key == VK_LEFT ? -1 : 1;
    const Integer Target = LeftCol() + Step;
    if (Target >= TBaseGrid::FixedCols() && Target <= ColCount() - VisibleColCount())
        SetLeftCol(Target);
    if (LeftRight)
        return false;
    Word K = Key;
    RaiseKeyDown(K, Shift);
    return true;
}

bool TExStringGrid::SkipFixedCellsByKey(Word Key)
{
    Integer DX = 0;
    Integer DY = 0;
    const bool RightToLeft = UseRightToLeftAlignment();
    switch (Key) {
    case VK_LEFT: DX = RightToLeft ? 1 : -1; break;
    case VK_RIGHT: DX = RightToLeft ? -1 : 1; break;
    case VK_UP: DY = -1; break;
    default: DY = 1; break;
    }
    const Integer MinC = TBaseGrid::FixedCols();
    const Integer MaxC = ColCount() - FFixedRightCols - 1;
    const Integer MinR = TBaseGrid::FixedRows();
    const Integer MaxR = RowCount() - FFixedFooters - 1;
    Integer C = Col() + DX;
    Integer R = Row() + DY;
    auto Inside = [&] { return C >= MinC && C <= MaxC && R >= MinR && R <= MaxR; };
    if (!Inside() || !IsFixed(C, R))
        return false;
    const bool WholeRows = DY != 0 && Options().Contains(goRowSelect);
    while (Inside() && IsFixed(C, R) && !WholeRows) {
        C += DX;
        R += DY;
    }
    if (!Inside())
        return false;
    SetCol(C);
    SetRow(R);
    return true;
}

bool TExStringGrid::ClipboardByKey(Word Key, bool Ctrl, bool ShiftDown)
{
    auto Run = [this](TClipboardEvent& Event, void (TExStringGrid::*Action)()) {
        bool Allow = true;
        if (Event)
            Event(this, Allow);
        if (Allow)
            (this->*Action)();
        return true;
    };
    if (Ctrl && Key == 'X')
        return Run(OnClipboardCut, &TExStringGrid::CutSelectionToClipboard);
    if (Ctrl && Key == 'V')
        return Run(OnClipboardPaste, &TExStringGrid::PasteSelectionFromClipboard);
    if (Ctrl && (Key == VK_INSERT || Key == 'C'))
        return Run(OnClipboardCopy, &TExStringGrid::CopySelectionToClipboard);
    if (ShiftDown && Key == VK_INSERT)
        return Run(OnClipboardPaste, &TExStringGrid::PasteSelectionFromClipboard);
    if (ShiftDown && Key == VK_DELETE)
        return Run(OnClipboardCut, &TExStringGrid::CutSelectionToClipboard);
    return false;
}

void TExStringGrid::DisjunctFlagsByKey(bool Ctrl, bool ShiftDown, Integer SelRow)
{
    const TGridRect S = Selection();
    if (FMouseActions->DisjunctRowSelect()) {
        if (!ShiftDown && !Ctrl)
            ClearRowSelect();
        if (ShiftDown)
            for (Integer R = S.Top; R <= S.Bottom; ++R)
                SetRowSelect(R, true);
        else
            SetRowSelect(SelRow, true);
    }
    if (FMouseActions->DisjunctColSelect()) {
        if (!ShiftDown && !Ctrl)
            ClearColSelect();
        if (ShiftDown)
            for (Integer C = S.Left; C <= S.Right; ++C)
                SetColSelect(C, true);
        else
            SetColSelect(Col(), true);
    }
}

// ---------------------------------------------------------------- rows by key

void TExStringGrid::InsertRowByKey()
{
    bool CanInsert = true;
    DoCanInsertRow(Row(), CanInsert);
    if (!CanInsert)
        return;
    const Integer Real = RealRowIndex(Row());
    const bool Filtered = FFilterActive;
    SetFilterActive(false);
    if (Real < RowCount())
        SetRow(Real);
    const Integer FR = TBaseGrid::FixedRows();
    Integer Inserted = Row();
    Integer Target = Row();
    if (FNavigation->InsertPosition() == pInsertAfter) {
        if (FFixedRowAlways && RowCount() == FR + 1 && Row() < FR) {
            Target = 1;
        } else {
            Inserted = Row() + 1;
            Target = Inserted;
        }
    }
    DoInsertRow(Inserted);
    if (OnAutoInsertRow)
        OnAutoInsertRow(this, Inserted);
    SetModified(true);
    SetFilterActive(Filtered);
    if (Target < RowCount())
        SetRow(Target);
    CalcFooter(-1);
}

void TExStringGrid::DeleteRowByKey()
{
    const Integer Real = RealRowIndex(Row());
    const bool Filtered = FFilterActive;
    SetFilterActive(false);
    bool CanDelete = true;
    if (OnCanDeleteRow)
        OnCanDeleteRow(this, Real, CanDelete);
    if (!CanDelete) {
        SetFilterActive(Filtered);
        return;
    }
    DoDeleteRow(Real);
    SetFilterActive(Filtered);
    if (FFloatingFooter->Visible() && Row() == RowCount() - 1 && Row() > TBaseGrid::FixedRows())
        SetRow(Row() - 1);
    StoreOldCellText(Col(), Row());
    SetModified(true);
    CalcFooter(-1);
}

void TExStringGrid::SelectAllByKey()
{
    const TGridRect All{FirstDataCol(), TBaseGrid::FixedRows(), ColCount() - FFixedRightCols - 1,
                        RowCount() - FFixedFooters - 1};
    if (All.Left > All.Right || All.Top > All.Bottom)
        return;
    if (FMouseActions->DisjunctRowSelect())
        for (Integer R = All.Top; R <= All.Bottom; ++R)
            SetRowSelect(R, true);
    bool Allow = true;
    BeforeSelectAll(Allow);
    if (!Allow)
        return;
    // The current cell goes to the bottom-right corner, the anchor stays
    // at the top-left one.
    MoveToCell(All.Right, All.Bottom);
    SetSelection(All);
}

void TExStringGrid::AutoAddRow()
{
    bool CanAdd = true;
    DoCanAddRow(CanAdd);
    if (!CanAdd)
        return;
    const bool Floating = FFloatingFooter->Visible();
    const Integer Footers = Floating ? 1 : FFixedFooters;
    AppendRow();
    // The footer rows move down one, so the new row is the last data row.
    const Integer NewRow = RowCount() - Footers - 1;
    for (Integer R = RowCount() - 1; R > NewRow; --R)
        for (Integer C = 0; C < AllColCount(); ++C)
            SetCells(C, R, Cells(C, R - 1));
    ClearRows(NewRow, 1);
    if (Footers > 0)
        SetRow(Row() + 1);
    if (Floating)
        CalcFooter(-1);
    if (OnAutoAddRow)
        OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
}

// ---------------------------------------------------------------- key down step

void TExStringGrid::KeyDown(Word& Key, TShiftState Shift)
{
    if (QGuiApplication::keyboardModifiers() & Qt::GroupSwitchModifier)
        Shift.Exclude(ssAlt);
    FLastKeyCell = TPoint(Col(), Row());
    const Word Pressed = Key;
    TBaseGrid::KeyDown(Key, Shift);
    if (Shift.Contains(ssCtrl) && FNavigation->CursorMoveRows() && (Pressed == VK_UP || Pressed == VK_DOWN))
        MoveSelectedRowsByKey(Pressed == VK_DOWN);
    if (FNavigation->CursorAdvance() != caDefault && !Shift.Contains(ssCtrl) && !Shift.Contains(ssShift))
        WrapCursorByKey(Pressed);
    if (FUseEnabledRows && FNavigation->SkipDisabledRows() && (Pressed == VK_UP || Pressed == VK_DOWN) &&
        Row() == FLastKeyCell.Y)
        SkipDisabledRowByKey(Pressed == VK_DOWN);
    if (TStringGrid* Sync = FSyncGrid->Grid()) {
        if (FSyncGrid->SelectionColumn() && Col() < Sync->ColCount())
            Sync->SetCol(Col());
        if (FSyncGrid->SelectionRow() && Row() < Sync->RowCount())
            Sync->SetRow(Row());
    }
}

void TExStringGrid::MoveSelectedRowsByKey(bool Down)
{
    const TGridRect S = Selection();
    const Integer From = std::min(S.Top, S.Bottom);
    const Integer To = std::max(S.Top, S.Bottom);
    const Integer Count = To - From + 1;
    if (Down ? To >= RowCount() - 1 : From <= TBaseGrid::FixedRows())
        return;
    const Integer Step = Down ? 1 : -1;
    if (Count == 1) {
        MoveRow(From, From + Step);
        SetRow(From + Step);
        return;
    }
    MoveRows(From, From + Step, Count);
    SetSelection(TGridRect{TBaseGrid::FixedCols(), From + Step, ColCount() - 1, To + Step});
}

void TExStringGrid::WrapCursorByKey(Word Key)
{
    const bool Snake = FNavigation->CursorAdvance() == caSnake;
    const Integer FC = TBaseGrid::FixedCols();
    const Integer FR = TBaseGrid::FixedRows();
    const Integer LastC = ColCount() - FFixedRightCols - 1;
    const Integer LastR = RowCount() - FFixedFooters - 1;
    switch (Key) {
    case VK_LEFT:
        if (FLastKeyCell.X != FC)
            return;
        SetCol(LastC);
        if (Snake && Row() > FR)
            SetRow(Row() - 1);
        break;
    case VK_UP:
        if (FLastKeyCell.Y != FR)
            return;
        SetRow(LastR);
        if (Snake && Col() > FC)
            SetCol(Col() - 1);
        break;
    case VK_RIGHT:
        if (FLastKeyCell.X != ColCount() - 1)
            return;
        SetCol(FC);
        if (Snake && Row() < LastR)
            SetRow(Row() + 1);
        break;
    case VK_DOWN:
        if (FLastKeyCell.Y != RowCount() - 1)
            return;
        SetRow(FR);
        if (Snake && Col() < LastC)
            SetCol(Col() + 1);
        break;
    default:
        break;
    }
}

void TExStringGrid::SkipDisabledRowByKey(bool Down)
{
    if (Down) {
        for (Integer R = Row() + 1; R < RowCount(); ++R)
            if (RowEnabled(R)) {
                SetRow(R);
                return;
            }
    } else {
        for (Integer R = Row() - 1; R >= TBaseGrid::FixedRows(); --R)
            if (RowEnabled(R)) {
                SetRow(R);
                return;
            }
    }
}

// ---------------------------------------------------------------- characters and key up

void TExStringGrid::WMChar(TWMKey& Message)
{
    Char Ch(char16_t(Message.CharCode));
    const Integer C = RealColIndex(Col());
    const bool Ctrl = GetKeyState(VK_CONTROL) < 0;
    if (CurrentCellHasHTMLControl()) {
        Message.Result = 1;
        return;
    }
    if (FMouseActions->EditOnDblClickOnly()) {
        // The question starts from "may edit"; the cell's handlers decide.
        bool CanEdit = true;
        CanEditCell(C, Row(), CanEdit);
        if (CanEdit)
            SetOptions(Options() + TGridOptions{goEditing});
    }
    const char16_t K = Ch.unicode();
    if (FNavigation->AllowClipboardShortCuts() && Ctrl && (K == 3 || K == 22 || K == 24)) {
        Message.CharCode = 0;
        return;
    }
    const bool ClickCell = IsClickControlCell(C, Row());
    if (FMouseActions->RangeSelectAndEdit() && !ClickCell && IsEditable(Col(), Row()) && K != 9 && K != 27 && !Ctrl) {
        Char Copy = Ch;
        if (OnKeyPress)
            OnKeyPress(this, Copy);
        FStartEditChar = Ch;
        SetOptions(Options() + TGridOptions{goEditing});
        ScrollInView(Col(), Row());
        TBaseGrid::WMChar(Message);
        return;
    }
    if (K == u'.' && (Message.KeyData & (1 << 22)) && FExcelStyleDecimalSeparator) {
        Ch = FormatSettings.DecimalSeparator;
        Message.CharCode = Ch.unicode();
    }
    bool Handled = false;
    if (ClickCell && Ch.unicode() == 13 && FNavigation->AdvanceOnEnter()) {
        TBaseGrid::WMChar(Message);
        Handled = true;
    }
    const char16_t Typed = Ch.unicode();
    if (Options().Contains(goEditing) && Typed != 9 && (Typed == 8 || (Typed >= 32 && Typed <= 255))) {
        if (OnKeyPress)
            OnKeyPress(this, Ch);
        Message.CharCode = Ch.unicode();
        FStartEditChar = Ch;
        if (!ClickCell && Ch.unicode() != 0)
            ShowEditorChar(Ch);
    } else if (!Handled) {
        TBaseGrid::WMChar(Message);
    }
}

void TExStringGrid::KeyUp(Word& Key, TShiftState Shift)
{
    const Word Released = Key;
    if (IsArrowKey(Key) || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_INSERT ||
        Key == VK_DELETE)
        SearchInc.clear();
    const TGridRect OldSel = FMoveSelection;
    TBaseGrid::KeyUp(Key, Shift);
    const bool TabMove = Released == VK_TAB && Options().Contains(goTabs);
    if (FNavigation->AlwaysEdit() && (IsArrowKey(Released) || TabMove) &&
        !IsClickControlCell(RealColIndex(Col()), Row()))
        ShowInplaceEdit();
    if (Released == VK_TAB || IsArrowKey(Released))
        NotifySelectionChanged();
    if (!FMouseActions->DisjunctCellSelect() || Options().Contains(goEditing))
        return;
    if (Shift.Contains(ssShift) && Released != VK_SPACE)
        ExtendSelectedCellsByKey(OldSel);
    if (Released == VK_SPACE)
        ToggleSelectedCellByKey(Shift.Contains(ssCtrl));
}

void TExStringGrid::ExtendSelectedCellsByKey(const TGridRect& OldSel)
{
    for (Integer R = OldSel.Top; R <= OldSel.Bottom; ++R)
        for (Integer C = OldSel.Left; C <= OldSel.Right; ++C)
            SetSelectedCells(C, R, false);
    const TGridRect S = Selection();
    for (Integer R = S.Top; R <= S.Bottom; ++R)
        for (Integer C = S.Left; C <= S.Right; ++C)
            if (C != Col() || R != Row())
                SetSelectedCells(C, R, true);
}

void TExStringGrid::ToggleSelectedCellByKey(bool Ctrl)
{
    const TPoint B = BaseCell(RealColIndex(Col()), Row());
    const Integer BC = DisplColIndex(B.X);
    if (IsFixed(BC, B.Y))
        return;
    bool CanSelect = true;
    if (OnSelectCell)
        OnSelectCell(this, BC, B.Y, CanSelect);
    if (!CanSelect)
        return;
    if (Ctrl) {
        SetSelectedCells(BC, B.Y, !SelectedCells(BC, B.Y));
    } else {
        ClearSelectedCells();
        SetSelectedCells(BC, B.Y, true);
        const TGridRect S = Selection();
        for (Integer R = S.Top; R <= S.Bottom; ++R)
            for (Integer C = S.Left; C <= S.Right; ++C)
                SetSelectedCells(C, R, true);
    }
    RepaintCell(Col(), Row());
}

// ---------------------------------------------------------------- Tab

bool TExStringGrid::TabAcceptable(Integer ACol, Integer ARow)
{
    return IsBaseCell(RealColIndex(ACol), ARow) && CanFocusCell(ACol, ARow);
}

void TExStringGrid::TabStep(bool Backward, bool& HandOn)
{
    Integer C = Col();
    Integer R = Row();
    const Integer FR = TBaseGrid::FixedRows();
    const Integer First = FirstDataCol();
    const Integer LastC = ColCount() - VisibleFixedRightCols() - 1;
    const Integer LastR = LastDataRow();
    const TPoint Span = CellSpan(RealColIndex(C), R);
    const bool AlongRow = FNavigation->TabAdvanceDirection() == adLeftRight;
    if (Backward && AlongRow) {
        if (C > First) {
            SetCol(C - 1);
            return;
        }
        R = R > FR ? R - 1 : LastR;
        C = LastC;
    } else if (Backward) {
        if (R > FR) {
            SetRow(R - 1);
            return;
        }
        R = LastR;
        C = C > First ? C - 1 : LastC;
    } else if (AlongRow) {
        if (C + std::max<Integer>(Span.X, 0) < LastC) {
            SetCol(C + std::max<Integer>(Span.X, 0) + 1);
            return;
        }
        if (R < LastR) {
            if (!AllowTabRowChange(R, C, R + 1))
                return;
            ++R;
        } else {
            TabPastLastCell(R, HandOn);
        }
        C = First;
    } else {
        if (R + std::max<Integer>(Span.Y, 0) < LastR) {
            SetRow(R + std::max<Integer>(Span.Y, 0) + 1);
            return;
        }
        R = FR;
        if (C < LastC) {
            ++C;
        } else {
            C = First;
            HandOn = true;
        }
    }
    FocusCell(std::clamp<Integer>(C, 0, ColCount() - 1), std::clamp<Integer>(R, 0, RowCount() - 1));
}

bool TExStringGrid::AllowTabRowChange(Integer OldRow, Integer OldCol, Integer NewRow)
{
    if (!FForceSel)
        return true;
    bool Allow = true;
    const Integer First = FirstFocusCol(NewRow);
    const Integer NewCol = First >= 0 ? First : TBaseGrid::FixedCols();
    if (OnRowChanging)
        OnRowChanging(this, OldRow, NewRow, Allow);
    if (Allow && OnCellChanging)
        OnCellChanging(this, OldRow, OldCol, NewRow, NewCol, Allow);
    if (Allow && OnColChanging)
        OnColChanging(this, OldCol, NewCol, Allow);
    return Allow;
}

void TExStringGrid::TabPastLastCell(Integer& ARow, bool& HandOn)
{
    ARow = TBaseGrid::FixedRows();
    HandOn = true;
    if (FNavigation->TabToNextAtEnd() || !FNavigation->AdvanceInsert())
        return;
    bool CanAdd = true;
    DoCanAddRow(CanAdd);
    if (!CanAdd)
        return;
    if (FFloatingFooter->Visible())
        InsertRows(RowCount() - 1, 1);
    else
        SetRowCount(RowCount() + 1);
    ARow = LastDataRow();
    if (OnAutoAddRow)
        OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
}

bool TExStringGrid::HandTabToParent()
{
    if (!Parent() || !FNavigation->TabToNextAtEnd())
        return false;
    PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
    return true;
}

bool TExStringGrid::TabToNextCell(bool Backward)
{
    if (OnKeyDown) {
        Word Key = VK_TAB;
        OnKeyDown(this, Key, Backward ? TShiftState{ssShift} : TShiftState{});
        if (Key != VK_TAB)
            return true;
    }
    if (Col() == FLastTabCol && Row() == FLastTabRow)
        return true;
    const Integer StartCol = Col();
    const Integer StartRow = Row();
    FLastTabCol = StartCol;
    FLastTabRow = StartRow;
    TKeysAtExit Forget([this] {
        FLastTabCol = -1;
        FLastTabRow = -1;
    });
    // Every cell is visited at most once per Tab.
    const Integer Cells = std::max<Integer>(ColCount() * RowCount(), 1);
    std::set<std::pair<Integer, Integer>> Visited{{StartCol, StartRow}};
    bool HandOn = false;
    bool Found = false;
    for (Integer Steps = 0; Steps <= Cells; ++Steps) {
        TabStep(Backward, HandOn);
        if (TabAcceptable(Col(), Row())) {
            Found = true;
            break;
        }
        if (!Visited.insert({Col(), Row()}).second)
            break;
    }
    if (!Found)
        FocusCell(StartCol, StartRow);
    const bool Handed = (HandOn || !Found) && HandTabToParent();
    if (Found && !Handed && FNavigation->AdvanceAutoEdit() && IsEditable(Col(), Row()) &&
        !IsClickControlCell(RealColIndex(Col()), Row()))
        EditCellAt(Col(), Row());
    if (FNavigation->AlwaysEdit() && CanFocus())
        SetFocus();
    return !Handed;
}
