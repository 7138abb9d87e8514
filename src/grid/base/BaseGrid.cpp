// The base grid: creation, the cell store, the display hooks, keys, wheel
// and scrolling.
#include "grid/base/BaseGrid.h"

#include "grid/base/ExUtil.h"

#include <algorithm>
#include <utility>

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner)
{
    // The painter draws the lines and the cells itself.
    TCustomGrid::SetGridLineWidth(0);
    TCustomGrid::SetDefaultDrawing(false);
}

TBaseGrid::~TBaseGrid()
{
    // Every slot, also of cells beyond the counts, which keep theirs.
    const Integer Cols = SlotColExtent();
    for (Integer R = 0; R < SlotRowExtent(); ++R)
        for (Integer C = 0; C < Cols; ++C)
            FreeSlotProperties(C, R, true);
}

// ---------------------------------------------------------------- settings

template <class T>
void TBaseGrid::SetAndRepaint(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Invalidate();
}

void TBaseGrid::SetDefaultDrawing(bool Value)
{
    FDefaultDrawing = Value;
    TCustomGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(Integer Value)
{
    FGridLineWidth = Value;
    TCustomGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value)
{
    FGridLineColor = Value;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor Value)
{
    FGridFixedLineColor = Value;
    Invalidate();
}

void TBaseGrid::SetActiveRowShow(bool Value)
{
    SetAndRepaint(FActiveRowShow, Value);
}

void TBaseGrid::SetActiveRowColor(TColor Value)
{
    SetAndRepaint(FActiveRowColor, Value);
}

void TBaseGrid::SetActiveRowColorTo(TColor Value)
{
    SetAndRepaint(FActiveRowColorTo, Value);
}

void TBaseGrid::SetActiveRowMirrorColor(TColor Value)
{
    SetAndRepaint(FActiveRowMirrorColor, Value);
}

void TBaseGrid::SetActiveRowMirrorColorTo(TColor Value)
{
    SetAndRepaint(FActiveRowMirrorColorTo, Value);
}

void TBaseGrid::SetSelectionStyle(TGridSelectionStyle Value)
{
    SetAndRepaint(FSelectionStyle, Value);
}

void TBaseGrid::SetUndoRedo(TExGridUndoRedo* Value)
{
    // A component that still points here keeps hearing when this goes.
    FUndoRedo = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->SetGrid(this);
    }
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FUndoRedo)
        FUndoRedo = nullptr;
    TObjStringGrid::Notification(AComponent, Operation);
}

// ---------------------------------------------------------------- the virtual hooks

bool TBaseGrid::IsFixed(Integer, Integer)
{
    return false;
}

Integer TBaseGrid::GetCellIndent(Integer)
{
    return 0;
}

bool TBaseGrid::HasNodes()
{
    return false;
}

void TBaseGrid::LastRowChanged() {}

void TBaseGrid::GetDisplText(Integer ACol, Integer ARow, String& Value)
{
    if (OnGetDisplText)
        OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(Integer ACol, Integer ARow, String& Value)
{
    if (OnGetDisplWideText)
        OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::GetCellDefaults(Integer, Integer, TFont* AFont, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                                TColor& MirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                                TCellGradientDirection& GD)
{
    AFont->Assign(Font());
    ABrush->SetColor(Color());
    ColorTo = clNone;
    MirrorColor = clNone;
    MirrorColorTo = clNone;
    HA = taLeftJustify;
    VA = vtaTop;
    WW = FWordWrap;
    GD = GradientVertical;
}

void TBaseGrid::CellTextChanged(Integer, Integer) {}

bool TBaseGrid::HasCellBorderEvent()
{
    return false;
}

bool TBaseGrid::UseVCLStyles()
{
    return false;
}

void TBaseGrid::GetVisualProperties(Integer, Integer, TGridDrawState&, bool, bool, bool, TBrush*, TColor&, TColor&,
                                    TColor&, TFont*, TAlignment&, TVAlignment&, bool&, TCellGradientDirection&)
{
}

Integer TBaseGrid::DisplColIndex(Integer ACol) const
{
    return ACol;
}

Integer TBaseGrid::TotalColCount() const
{
    return ColCount();
}

// ---------------------------------------------------------------- the store

void TBaseGrid::CheckStore(Integer ACol, Integer ARow) const
{
    if (ACol < 0 || ACol >= TotalColCount() || ARow < 0 || ARow >= RowCount())
        GridIndexError();
}

TCellProperties* TBaseGrid::StoreProperties(Integer ACol, Integer ARow) const
{
    if (ACol < 0 || ACol >= TotalColCount() || ARow < 0 || ARow >= RowCount())
        return nullptr;
    return SlotProperties(ACol, ARow);
}

bool TBaseGrid::HasCellProperties(Integer ACol, Integer ARow) const
{
    return StoreProperties(ACol, ARow) != nullptr;
}

String TBaseGrid::GetGridCell(Integer c, Integer r) const
{
    CheckStore(c, r);
    return SlotText(c, r);
}

void TBaseGrid::SetGridCell(Integer c, Integer r, const String& Value)
{
    CheckStore(c, r);
    SetSlotText(c, r, Value);
}

TCellProperties* TBaseGrid::GetGridObject(Integer c, Integer r) const
{
    CheckStore(c, r);
    return SlotProperties(c, r);
}

void TBaseGrid::SetGridObject(Integer c, Integer r, TCellProperties* Value)
{
    CheckStore(c, r);
    SetSlotObject(c, r, Value);
}

void TBaseGrid::ExchangeGridCells(Integer c1, Integer r1, Integer c2, Integer r2)
{
    const String Text = GetGridCell(c1, r1);
    TObject* Object = SlotObject(c1, r1);
    SetGridCell(c1, r1, GetGridCell(c2, r2));
    SetSlotObject(c1, r1, SlotObject(c2, r2));
    SetGridCell(c2, r2, Text);
    SetSlotObject(c2, r2, Object);
    for (const auto& [C, R] : {std::pair{c1, r1}, std::pair{c2, r2}})
        if (auto* Props = dynamic_cast<TCellProperties*>(SlotObject(C, R))) {
            Props->SetOwnerCol(C);
            Props->SetOwnerRow(R);
        }
}

TCellProperties* TBaseGrid::CreateCellProperties(Integer c, Integer r)
{
    auto* Props = new TCellProperties(this, c, r);
    SetSlotObject(c, r, Props);
    TFont DefFont;
    TBrush DefBrush;
    TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = FWordWrap;
    TCellGradientDirection GD = GradientVertical;
    GetCellDefaults(c, r, &DefFont, &DefBrush, ColorTo, MirrorColor, MirrorColorTo, HA, VA, WW, GD);
    Props->FCalcType = acNONE;
    Props->FAlignment = HA;
    Props->FVAlignment = VA;
    Props->FWordWrap = WW;
    Props->FFontName = DefFont.Name();
    Props->FFontSize = DefFont.Size();
    Props->FFontStyle = DefFont.Style();
    Props->FFontColor = DefFont.Color();
    Props->FBrushColor = DefBrush.Color();
    Props->FBrushColorTo = ColorTo;
    Props->FGradientDirection = GD;
    return Props;
}

TCellProperties* TBaseGrid::GetCellProperties(Integer c, Integer r)
{
    CheckStore(c, r);
    TCellProperties* Props = SlotProperties(c, r);
    return Props ? Props : CreateCellProperties(c, r);
}

void TBaseGrid::SetCellProperties(Integer c, Integer r, TCellProperties* Value)
{
    CheckStore(c, r);
    TCellProperties* Old = SlotProperties(c, r);
    // Storing the object the slot holds must not free it.
    if (Old == Value)
        return;
    SetSlotObject(c, r, Value);
    delete Old;
}

String TBaseGrid::GetCellEx(Integer c, Integer r)
{
    CheckStore(c, r);
    // One slot lookup for a plain cell: every read of a table goes here.
    const TCellSlot* S = Slot(c, r);
    Integer bc = c;
    Integer br = r;
    if (S && S->Object) {
        const TPoint B = static_cast<const TCellProperties*>(S->Object)->GetBaseCell(c, r);
        bc = B.X;
        br = B.Y;
        S = Slot(bc, br);
    }
    String Result = S ? S->Text : String();
    if (br < FNormalRowCount) {
        GetDisplText(bc, br, Result);
        if (OnGetDisplWideText) {
            String Wide = CellTextToWide(Result);
            GetDisplWideText(bc, br, Wide);
            Result = WideToCellText(Wide);
        }
    }
    return Result;
}

void TBaseGrid::SetCellEx(Integer c, Integer r, const String& Value)
{
    CheckStore(c, r);
    if (const TCellProperties* Props = SlotProperties(c, r)) {
        const TPoint B = Props->GetBaseCell(c, r);
        SetSlotText(B.X, B.Y, Value);
        CellTextChanged(B.X, B.Y);
        if (Parent())
            RepaintCell(c, r);
    } else {
        SetSlotText(c, r, Value);
    }
    if (FHideLastRow && r == RowCount() - 1)
        LastRowChanged();
}

template <class F>
void TBaseGrid::WithBlankText(Integer c, Integer r, F&& Change)
{
    const bool Blank = GetCellEx(c, r).isEmpty();
    if (Blank)
        SetCellEx(c, r, QStringLiteral(" "));
    Change();
    if (Blank)
        SetCellEx(c, r, String());
}

TObject* TBaseGrid::GetObjectEx(Integer c, Integer r)
{
    CheckStore(c, r);
    const TCellProperties* Props = SlotProperties(c, r);
    return Props ? Props->FObject : nullptr;
}

void TBaseGrid::SetObjectEx(Integer c, Integer r, TObject* Value)
{
    CheckStore(c, r);
    WithBlankText(c, r, [&] { GetCellProperties(c, r)->FObject = Value; });
}

TObject* TBaseGrid::GetGraphicObjectEx(Integer c, Integer r)
{
    CheckStore(c, r);
    const TCellProperties* Props = SlotProperties(c, r);
    return Props ? Props->FGraphicObject : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(Integer c, Integer r, TObject* Value)
{
    if (ComponentState().Contains(csDestroying))
        return;
    CheckStore(c, r);
    WithBlankText(c, r, [&] { GetCellProperties(c, r)->FGraphicObject = Value; });
}

bool TBaseGrid::IsBaseCellEx(Integer ACol, Integer ARow, Integer& BaseCol, Integer& BaseRow) const
{
    BaseCol = ACol;
    BaseRow = ARow;
    const TCellProperties* Props = StoreProperties(ACol, ARow);
    if (!Props || Props->FIsBaseCell)
        return true;
    const TPoint B = Props->GetBaseCell(ACol, ARow);
    BaseCol = B.X;
    BaseRow = B.Y;
    return false;
}

void TBaseGrid::FreeSlotProperties(Integer ACol, Integer ARow, bool FreeGraphic)
{
    TCellProperties* Props = SlotProperties(ACol, ARow);
    if (!Props)
        return;
    // Cell graphics belong to the grid control, which frees them itself.
    if (FreeGraphic && Props->FGraphicObject && Props->FGraphicObject->ClassName() != QLatin1String("TCellGraphic"))
        delete Props->FGraphicObject;
    SetSlotObject(ACol, ARow, nullptr);
    delete Props;
}

void TBaseGrid::FreeCellProperties(Integer ACol, Integer ARow)
{
    CheckStore(ACol, ARow);
    FreeSlotProperties(ACol, ARow, false);
}

void TBaseGrid::ClearCell(Integer ACol, Integer ARow)
{
    SetCellEx(ACol, ARow, String());
    FreeCellProperties(ACol, ARow);
}

void TBaseGrid::ClearColCells(Integer ACol)
{
    for (Integer R = 0; R < RowCount(); ++R) {
        FreeCellProperties(ACol, R);
        SetCellEx(ACol, R, String());
    }
}

void TBaseGrid::ClearRowCells(Integer ARow)
{
    for (Integer C = 0; C < ColCount(); ++C) {
        FreeCellProperties(C, ARow);
        SetCellEx(C, ARow, String());
    }
}

void TBaseGrid::FreeCellPropertiesRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2)
{
    if (!FHasCellProps)
        return;
    for (Integer C = ACol1; C <= ACol2; ++C)
        for (Integer R = ARow1; R <= ARow2; ++R)
            if (HasCellProperties(C, R))
                FreeSlotProperties(C, R, true);
}

void TBaseGrid::FreeAllCellProperties()
{
    FreeCellPropertiesRect(0, 0, ColCount() - 1, RowCount() - 1);
}

// ---------------------------------------------------------------- selection, keys, wheel, scrolling

bool TBaseGrid::SelectCell(Integer ACol, Integer ARow)
{
    if (UseRightToLeftAlignment()) {
        const bool Result = TObjStringGrid::SelectCell(ACol, ARow);
        Invalidate();
        return Result;
    }
    RepaintCell(Col(), Row());
    const bool Result = TObjStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return Result;
}

void TBaseGrid::SelectBaseCell()
{
    Integer bc = 0;
    Integer br = 0;
    if (IsBaseCellEx(Col(), Row(), bc, br))
        return;
    FocusCell(bc, br, true);
}

void TBaseGrid::KeyDown(Word& Key, TShiftState Shift)
{
    const Integer C = Col();
    const Integer R = Row();
    const TCellProperties* P = StoreProperties(C, R);
    const TPoint B = P ? P->GetBaseCell(C, R) : TPoint(C, R);
    switch (Key) {
    case VK_LEFT:
        // From a covered cell to the base cell first, so that the move
        // lands just before the area.
        if (P && B.X < C && C > FixedCols() && B.X > 0)
            SetCol(std::max(B.X, FixedCols()));
        break;
    case VK_UP:
        if (B.Y < R && R > FixedRows() && B.Y > 0)
            SetRow(std::max(B.Y, FixedRows()));
        break;
    case VK_RIGHT:
        if (P) {
            const Integer V = B.X + P->FCellSpanX;
            if (V >= C && C < ColCount() - 1 && B.X < ColCount() - 1 && V < ColCount())
                SetCol(V);
        }
        break;
    case VK_DOWN:
        if (P) {
            const Integer V = B.Y + P->FCellSpanY;
            if (V >= R && R < RowCount() - 1 && B.Y < RowCount() - 1)
                SetRow(V);
        }
        break;
    default:
        break;
    }
    const Word Pressed = Key;
    TObjStringGrid::KeyDown(Key, Shift);
    // The hidden last row is never a page's target.
    if (Pressed == VK_NEXT && FHideLastRow && RowCount() - 2 >= FixedRows() && Row() == RowCount() - 1)
        SetRow(RowCount() - 2);
    SelectBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    const bool Result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && FHideLastRow)
        SetTopRow(TopRow() + 1);
    SelectBaseCell();
    return Result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    const bool Result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
    SelectBaseCell();
    return Result;
}

void TBaseGrid::TopLeftChanged()
{
    TObjStringGrid::TopLeftChanged();
    // Merged areas in the fixed lines follow the scrolled ones.
    const Integer LastRow = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
    for (Integer C = 0; C < FixedCols(); ++C)
        for (Integer R = TopRow(); R <= LastRow; ++R)
            if (IsMergedCell(C, R))
                RepaintCell(C, R);
    const Integer LastCol = std::min(LeftCol() + VisibleColCount(), ColCount() - 1);
    for (Integer R = 0; R < FixedRows(); ++R)
        for (Integer C = LeftCol(); C <= LastCol; ++C)
            if (IsMergedCell(C, R))
                RepaintCell(C, R);
}
