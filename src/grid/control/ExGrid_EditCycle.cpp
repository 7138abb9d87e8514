// The string grid: the edit cycle. The snapshot of the cell that becomes
// current, the end-of-edit check with OnCellValidate and its refusal path,
// the text path between the text editor and the cells, and the operations
// that open, close and finish the in-place editor.
#include "grid/base/EsgHTMLE.h"
#include "grid/base/esgcheck.h"
#include "grid/control/ExGrid.h"
#include "grid/control/ExGrid_Editors.h"

#include <QToolTip>

namespace {

// Runs its function when the scope ends, also when a handler raises.
template <class F>
class TFinally {
public:
    explicit TFinally(F Fn) : FFn(std::move(Fn)) {}
    TFinally(const TFinally&) = delete;
    TFinally& operator=(const TFinally&) = delete;
    ~TFinally() { FFn(); }

private:
    F FFn;
};

// Enter-advance is off while the validation handlers run and comes back
// after them, also when one raises.
class TAdvanceOnEnterOff {
public:
    explicit TAdvanceOnEnterOff(TNavigation* ANavigation)
        : FNavigation(ANavigation), FWas(ANavigation->AdvanceOnEnter())
    {
        FNavigation->SetAdvanceOnEnter(false);
    }
    TAdvanceOnEnterOff(const TAdvanceOnEnterOff&) = delete;
    TAdvanceOnEnterOff& operator=(const TAdvanceOnEnterOff&) = delete;
    ~TAdvanceOnEnterOff() { FNavigation->SetAdvanceOnEnter(FWas); }

private:
    TNavigation* FNavigation;
    bool FWas;
};

String InvalidEntryIconMark(TInvalidEntryIcon Icon)
{
    switch (Icon) {
    case ieInfo: return QStringLiteral("\u2139 ");
    case ieWarning: return QStringLiteral("\u26A0 ");
    case ieError: return QStringLiteral("\u26D4 ");
    default: return String();
    }
}

} // namespace

// ---------------------------------------------------------------- snapshot

void TExStringGrid::StoreOldCellText(Integer ACol, Integer ARow)
{
    FOldCol = ACol;
    FOldRow = ARow;
    FOldCellText = GetGridCell(RealColIndex(ACol), ARow);
    // Cell texts are already wide here.
    FOldCellTextWide = FOldCellText;
    FOldModifiedValue = FModified;
}

void TExStringGrid::CellValueChanged(Integer ACol, Integer)
{
    CalcFooter(ACol);
}

void TExStringGrid::CellsChanged()
{
    CalcFooter(-1);
}

// ---------------------------------------------------------------- validation

bool TExStringGrid::StartValidation(const String& NewValue)
{
    if (!FEditing || FValidating)
        return false;
    FEditing = false;
    FValidating = true;
    FNewCellText = NewValue;
    return true;
}

bool TExStringGrid::ValidateCell(const String& NewValue)
{
    if (!StartValidation(NewValue))
        return true;
    const Integer ACol = RealColIndex(FOldCol);
    const Integer ARow = FOldRow;
    bool Valid = true;
    {
        TFinally End([this] {
            StoreOldCellText(Col(), Row());
            FValidating = false;
        });
        if (NewValue != FOldCellText || FAlwaysValidate)
            Valid = RunCellValidation(ACol, ARow, NewValue);
    }
    if (Valid)
        HideFocusWindow();
    return Valid;
}

bool TExStringGrid::RunCellValidation(Integer ACol, Integer ARow, const String& NewValue)
{
    const bool Changed = NewValue != FOldCellText;
    String Value = NewValue;
    bool Valid = true;
    {
        const TAdvanceOnEnterOff AdvanceOff(FNavigation.get());
        if (FCellChecker && FCellChecker->AutoCorrect())
            Value = FCellChecker->Correct(ACol, ARow, Value);
        if (OnCellValidate)
            OnCellValidate(this, ACol, ARow, Value, Valid);
        // A refusal marks nothing unless the handler replaced the value.
        if (Value != FOldCellText && (Valid || Value != NewValue))
            MarkCellModified(Row());
        if (Valid)
            CellValueChanged(ACol, ARow);
        if (FCellChecker && FCellChecker->AutoMarkError())
            Value = FCellChecker->MarkError(ACol, ARow, Value);
        if (Valid && UndoRedo())
            UndoRedo()->RegisterChange(ACol, ARow, FOldCellText, Value);
        if (Valid && Changed)
            DoCellsChanged(TRect(ACol, ARow, ACol, ARow));
    }
    FNewCellText = Value;
    if (Valid)
        StoreValidatedValue(ACol, ARow, Value);
    else
        RefuseCellValue(NewValue, Value);
    FOldCellText = GetGridCell(ACol, ARow);
    return Valid;
}

void TExStringGrid::MarkCellModified(Integer ARow)
{
    FGridModified = true;
    if (TBaseGrid::FixedCols() <= 0)
        return;
    SetRowModified(RealRowIndex(ARow), true);
    if (FShowModified->Enabled())
        RepaintCell(0, ARow);
}

void TExStringGrid::StoreValidatedValue(Integer ACol, Integer ARow, const String& Value)
{
    SetCells(ACol, ARow, Value);
    // Cells writes a covered cell's base cell; the covered cell keeps the
    // value too.
    if (IsMergedNonBaseCell(ACol, ARow))
        SetGridCell(ACol, ARow, Value);
}

void TExStringGrid::ReturnToOldCell(const String& CellText)
{
    HideEditor();
    SetCells(RealColIndex(FOldCol), FOldRow, CellText);
    MoveColRow(FOldCol, FOldRow, true, true);
    FValidating = false;
}

void TExStringGrid::RefuseCellValue(const String& NewValue, const String& Value)
{
    FLastValidation = false;
    const bool Replaced = Value != NewValue;
    ReturnToOldCell(Replaced ? Value : FOldCellText);
    FEditing = true;
    ShowInplaceEdit();
    if (!Replaced && Col() != FOldCol)
        InvalidateEditor();
    FModified = FOldModifiedValue;
    if (!FInvalidEntryTitle.isEmpty() || !FInvalidEntryText.isEmpty())
        ShowInvalidEntryBalloon();
}

void TExStringGrid::ShowInvalidEntryBalloon()
{
    TWinControl* Target = nullptr;
    if (FEditMode && !FSpecialEditor)
        Target = InplaceEditor();
    else
        Target = EditCtrl;
    if (!Target || !Target->Visible())
        return;
    String Tip = InvalidEntryIconMark(FInvalidEntryIcon);
    if (!FInvalidEntryTitle.isEmpty())
        Tip += QStringLiteral("<b>%1</b>").arg(FInvalidEntryTitle.toHtmlEscaped());
    if (!FInvalidEntryTitle.isEmpty() && !FInvalidEntryText.isEmpty())
        Tip += QStringLiteral("<br>");
    Tip += FInvalidEntryText.toHtmlEscaped();
    const TPoint At = Target->ClientToScreen(TPoint(0, Target->Height()));
    QToolTip::showText(QPoint(At.X, At.Y), Tip);
}

bool TExStringGrid::ValidateCellWide(const String& NewValue)
{
    if (!StartValidation(NewValue))
        return true;
    const Integer ACol = RealColIndex(FOldCol);
    const Integer ARow = FOldRow;
    bool Valid = true;
    TFinally End([this, ACol, ARow] {
        if (ARow >= 0 && ARow < RowCount() && ACol >= 0 && ACol < TotalColCount())
            FOldCellTextWide = GetGridCell(ACol, ARow);
        StoreOldCellText(Col(), Row());
        FValidating = false;
    });
    if (NewValue == FOldCellTextWide && !FAlwaysValidate)
        return true;
    String Value = NewValue;
    CellValueChanged(ACol, ARow);
    if (OnCellValidateWide) {
        const TAdvanceOnEnterOff AdvanceOff(FNavigation.get());
        OnCellValidateWide(this, ACol, ARow, Value, Valid);
    }
    if (NewValue != FOldCellTextWide && (Valid || Value != NewValue))
        MarkCellModified(ARow);
    if (Valid) {
        if (NewValue != FOldCellTextWide)
            DoCellsChanged(TRect(ACol, ARow, ACol, ARow));
        FNewCellText = Value;
        StoreValidatedValue(ACol, ARow, Value);
        return true;
    }
    FLastValidation = false;
    const bool Replaced = Value != NewValue;
    FNewCellText = Value;
    ReturnToOldCell(Replaced ? Value : FOldCellTextWide);
    if (!Replaced && Col() != FOldCol)
        InvalidateEditor();
    return false;
}

// ---------------------------------------------------------------- editor text path

String TExStringGrid::GetEditText(Integer ACol, Integer ARow)
{
    FNoEditChange = true;
    Integer C = RealColIndex(ACol);
    Integer R = ARow;
    if (auto* Editor = dynamic_cast<TExInplaceEdit*>(InplaceEditor())) {
        const bool Centred = GetCellAlignment(C, R).second == vtaCenter;
        if (Editor->VAlign() != Centred)
            Editor->SetVAlign(Centred);
    }
    if (IsMergedNonBaseCell(C, R)) {
        const TPoint Base = BaseCell(C, R);
        C = Base.X;
        R = Base.Y;
    }
    // The store by real column: right of a hidden column C is beyond ColCount.
    const String Text = SlotText(C, R);
    return FEditWithTags ? Text : StripHTMLTags(Text);
}

void TExStringGrid::SetEditText(Integer ACol, Integer ARow, const String& Value)
{
    const TPoint Base = BaseCell(RealColIndex(ACol), ARow);
    // Right of a hidden column the real column lies beyond ColCount: the
    // store takes it directly.
    if (Base.X < ColCount())
        TBaseGrid::SetEditText(Base.X, Base.Y, Value);
    else
        SetSlotText(Base.X, Base.Y, Value);
}

// ---------------------------------------------------------------- current cell

void TExStringGrid::GetCurrentCell(String& S)
{
    const TPoint B = BaseCell(RealColIndex(Col()), Row());
    S = GetGridCell(B.X, B.Y);
}

void TExStringGrid::SetCurrentCell(const String& S)
{
    const TPoint B = BaseCell(RealColIndex(Col()), Row());
    SetCells(B.X, B.Y, S);
}

void TExStringGrid::GetCurrentCellEx(String& S)
{
    const TPoint B = BaseCell(RealColIndex(Col()), Row());
    S = Cells(B.X, B.Y);
}

void TExStringGrid::SetCurrentCellEx(const String& S)
{
    const TPoint B = BaseCell(RealColIndex(Col()), Row());
    SetEditText(DisplColIndex(B.X), B.Y, S);
}

// ---------------------------------------------------------------- opening and closing

void TExStringGrid::ShowInplaceEdit()
{
    if (IsClickControlCell(RealColIndex(Col()), Row()))
        return;
    if (Row() < TopRow())
        SetTopRow(Row());
    if (Col() < LeftCol())
        SetLeftCol(Col());
    GetCurrentCellEx(FEditText);
    ShowEditor();
}

void TExStringGrid::HideInplaceEdit()
{
    if (!FEditMode && !EditorMode() && !FSpecialEditor)
        return;
    HideEditor();
    HideCellEdit();
    FEditMode = false;
    FEditing = false;
    SelectCell(Col(), Row());
}

void TExStringGrid::DoEditingDone(Integer ACol, Integer ARow)
{
    if (OnEditingDone)
        OnEditingDone(this);
    FEditMode = false;
    PostMessage(Handle(), FEditDoneMessage, WPARAM(ACol), LPARAM(ARow));
}

void TExStringGrid::DoneInplaceEdit(Word Key, TShiftState Shift)
{
    FBlockFocus = true;
    const bool AlwaysEdit = FNavigation->AlwaysEdit();
    TFinally Restore([this, AlwaysEdit] {
        FNavigation->SetAlwaysEdit(AlwaysEdit);
        FBlockFocus = false;
    });
    FEditing = false;
    HideInplaceEdit();
    if (FNavigation->AppendOnArrowDown() && Key == VK_DOWN && IsLastDataRow())
        AutoAddRow();
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN)
        KeyDown(Key, Shift);
    FNavigation->SetAlwaysEdit(false);
    if (CanFocus())
        SetFocus();
    if (Key == VK_RETURN)
        AdvanceToNextCell(Col(), Row(), false, true, true, false, false);
}

void TExStringGrid::EditCellAt(Integer ACol, Integer ARow)
{
    const TRect R = CellRect(ACol, ARow);
    FForceSel = true;
    TMouseEvent Down = std::move(OnMouseDown);
    TMouseEvent Up = std::move(OnMouseUp);
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    TFinally Restore([&] {
        OnMouseDown = std::move(Down);
        OnMouseUp = std::move(Up);
        FForceSel = false;
    });
    TBaseGrid::MouseDown(mbLeft, TShiftState(), R.Left + 2, R.Top + 2);
    TBaseGrid::MouseUp(mbLeft, TShiftState(), R.Left + 2, R.Top + 2);
}

void TExStringGrid::Select()
{
    SelectCell(Col(), Row());
}

void TExStringGrid::DoEllipsClick(const String& S, String& Res)
{
    Res = S;
    if (!OnEllipsClick)
        return;
    String Value = S;
    OnEllipsClick(this, RealColIndex(Col()), Row(), Value);
    Res = Value;
}
