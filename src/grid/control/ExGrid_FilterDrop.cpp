// The release hook: the header filter drop-down, a release beyond the
// edge while sizing, disjunct cell selection and the selection-changed
// notification.
#include "grid/control/ExGrid.h"

#include "grid/data/ExGrid_FilterLists.h"

#include <QFontMetrics>

#include <algorithm>
#include <utility>

namespace {

// The button zone at the right of a header cell.
constexpr Integer FilterButtonWidth = 16;
constexpr Integer FilterButtonRightGap = 3;
constexpr Integer FilterButtonHeight = 19;
// The drop-down opens this far below and left of the cell's top right.
constexpr Integer FilterDropOffset = 16;

// The text a check-list entry is compared by: one holding a blank is
// quoted, as a condition for it is written.
String ComparedText(const String& Text)
{
    return Text.contains(u' ') ? QStringLiteral("\"%1\"").arg(Text) : Text;
}

} // namespace

void TExStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (IsDesigning()) {
        TBaseGrid::MouseUp(Button, Shift, X, Y);
        DesignHelperClick(X, Y);
        return;
    }
    const TGridRect Sel0 = Selection();
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    const Integer RealCol = ACol >= 0 ? RealColIndex(ACol) : -1;
    if (!OpenFilterDropDown(ACol, ARow, RealCol, X, Y)) {
        if (FDropList->Visible())
            FDropList->SetVisible(false);
        FFilterCol = -1;
    }
    FDropDownDown = false;
    // A size dragged beyond the edge is dropped.
    if ((X > Width() && FGridState == gsColSizing) || (Y > Height() && FGridState == gsRowSizing)) {
        FGridState = gsNormal;
        return;
    }
    if (MouseActions()->DisjunctCellSelect() && Button == mbLeft && ACol >= 0 && ARow >= 0 &&
        !DisjunctCellRelease(ACol, ARow, Shift))
        return;
    // The right release that ends nothing of the grid's own column move.
    if (Button == mbRight && FGridState == gsColMoving)
        return;
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    if (ACol >= 0 && ARow >= 0 && IsHoverFixedCell(ACol, ARow) && ControlLook()->FixedGradientDownTo() != clNone &&
        ARow == TBaseGrid::FixedRows() - 1)
        RepaintCell(ACol, ARow);
    const TGridRect S = Selection();
    if (S != Sel0)
        DoSelectionChanged(S.Left, S.Top, S.Right, S.Bottom);
}

bool TExStringGrid::OpenFilterDropDown(Integer ACol, Integer ARow, Integer RealCol, Integer X, Integer Y)
{
    if (ACol < 0 || ARow != FFilterRow || RealCol == FFilterCol)
        return false;
    const TRect R = CellRect(ACol, ARow);
    const bool OnButton = R.Right - FilterButtonWidth < X && X < R.Right - FilterButtonRightGap &&
                          Y < R.Top + FilterButtonHeight;
    if (!OnButton || !GetFilterList(RealCol, FFilterList.get()))
        return false;
    FFilterCol = RealCol;
    ShowFilterDropDown(ACol, R);
    return true;
}

void TExStringGrid::ShowFilterDropDown(Integer ACol, TRect R)
{
    const bool CheckList = FilterDropDownCheck();
    TCustomListBox* L = CheckList ? static_cast<TCustomListBox*>(FDropCheckList) : FDropList;
    L->SetColor(FFilterDropDown->Color());
    L->Font()->Assign(FFilterDropDown->Font());
    // The runtime's check list reports a check change for every item added:
    // filling it is no choice of the user's.
    const TDropSelectEvent OnCheck = std::exchange(FDropCheckList->OnSelect, nullptr);
    L->Items()->Clear();
    const QFontMetrics Metrics(FFilterDropDown->Font()->ToQFont());
    Integer Widest = 0;
    for (Integer I = 0; I < FFilterList->Count(); ++I) {
        const String Text = EntryName(FFilterList->Strings(I));
        L->Items()->Add(Text);
        String Compared = Text;
        if (CheckList && FFilter->Count() > 0) {
            Compared = ComparedText(Text);
            for (Integer F = 0; F < FFilter->Count(); ++F) {
                const TFilterData* Item = FFilter->Items(F);
                if (Item->Condition() == Compared && Item->Column() == FFilterCol)
                    FDropCheckList->SetChecked(L->Count() - 1, true);
            }
        }
        Widest = std::max<Integer>(Widest, Metrics.horizontalAdvance(Compared) + 8);
        if (!CheckList && I == 0)
            L->SetItemIndex(0);
    }
    FDropCheckList->OnSelect = OnCheck;
    Integer W = FFilterDropDown->Width();
    Integer H = FFilterDropDown->Height();
    if (FFilterDropDown->AutoSize()) {
        // Kept within the grid: a long or wide list scrolls instead.
        H = std::min<Integer>(L->Count() * L->ItemHeight() + 2 * GetSystemMetrics(SM_CYEDGE),
                              std::max<Integer>(0, Height() - R.Top - FilterDropOffset));
        W = std::min<Integer>(Widest + 2 * GetSystemMetrics(SM_CXEDGE), Width());
    }
    Integer Left = R.Right - FilterDropOffset;
    if (FFilterDropDown->ColumnWidth()) {
        W = R.Right - R.Left;
        Left = R.Left;
    }
    if (Left + W > Width())
        Left = std::max<Integer>(0, CellRect(ACol, 0).Right - W);
    L->SetParent(this);
    L->SetBounds(Left, R.Top + FilterDropOffset, W, H);
    L->SetVisible(true);
    if (L->CanFocus())
        L->SetFocus();
}

bool TExStringGrid::DisjunctCellRelease(Integer ACol, Integer ARow, TShiftState Shift)
{
    const TPoint B = BaseCell(ACol, ARow);
    auto RepaintListed = [this] {
        for (Integer I = 0; I < FSelectedCells->Count(); ++I) {
            const Integer Key = FSelectedCells->Items(I);
            RepaintCell(Key & 0xFFFF, Key >> 16);
        }
    };
    if (!IsFixed(B.X, B.Y)) {
        bool CanSelect = true;
        if (OnSelectCell)
            OnSelectCell(this, B.X, B.Y, CanSelect);
        if (!CanSelect)
            return false;
        if (Shift.Contains(ssShift)) {
            SetSelectedCells(ACol, ARow, true);
        } else if (Shift.Contains(ssCtrl)) {
            SetSelectedCells(B.X, B.Y, !SelectedCells(B.X, B.Y));
        } else {
            RepaintListed();
            FSelectedCells->Clear();
            SetSelectedCells(B.X, B.Y, true);
        }
    } else if (!Shift.Contains(ssCtrl) && !IsFixed(ACol, ARow)) {
        FSelectedCells->Clear();
        Invalidate();
    }
    const TGridRect S = Selection();
    if (S.Left == S.Right && S.Top == S.Bottom) {
        RepaintCell(ACol, ARow);
        return true;
    }
    for (Integer R = S.Top; R <= S.Bottom; ++R)
        for (Integer C = S.Left; C <= S.Right; ++C)
            if (TPoint(C, R) != B && !IsSelected(C, R))
                SetSelectedCells(C, R, true);
    RepaintListed();
    RepaintCell(ACol, ARow);
    return true;
}
