// The string grid: the cell access layer. Cells by real row (hidden rows
// read and written in their saved cells), by unsorted row, and the per-cell
// look and behaviour kept in a cell's properties: a read of a cell without
// properties answers the default and creates nothing (but WordWraps).
#include "grid/control/ExGrid.h"

#include <algorithm>

namespace {

// The first item that stands for real row ARow, else nil.
TGridItem* HiddenRowItem(const TGridItems* Items, Integer ARow)
{
    if (!Items->HasIdx(ARow))
        return nullptr;
    for (int I = 0; I < Items->Count(); ++I)
        if (Items->Items(I)->Idx() == ARow)
            return Items->Items(I);
    return nullptr;
}

// A saved cell; columns added after the row was hidden answer empty.
const TStringGrid::TCellSlot* SavedCell(TGridItem* Item, Integer i)
{
    const auto& Row = Item->RowStrings()->Row();
    return std::size_t(i) < Row.size() ? &Row[std::size_t(i)] : nullptr;
}

TStringGrid::TCellSlot& ExtendedSavedCell(TGridItem* Item, Integer i)
{
    auto& Row = Item->RowStrings()->Row();
    if (std::size_t(i) >= Row.size())
        Row.resize(std::size_t(i) + 1);
    return Row[std::size_t(i)];
}

template <class T, class Read>
T ReadProperty(TExStringGrid* Grid, Integer i, Integer j, T Default, Read Get)
{
    return Grid->HasCellProperties(i, j) ? Get(Grid->CellProperties(i, j)) : Default;
}

} // namespace

// ---------------------------------------------------------------- cells by real row

String TExStringGrid::GetCellsEx(Integer i, Integer j)
{
    if (j < 0 || i < 0)
        return {};
    if (TGridItem* Item = HiddenRowItem(FGridItems.get(), j)) {
        const TCellSlot* Saved = SavedCell(Item, i);
        String Value = Saved ? Saved->Text : String();
        GetDisplText(i, j, Value);
        return Value;
    }
    return Cells(i, DisplRowIndex(j));
}

void TExStringGrid::SetCellsEx(Integer i, Integer j, const String& Value)
{
    if (j < 0 || i < 0)
        return;
    if (TGridItem* Item = HiddenRowItem(FGridItems.get(), j)) {
        ExtendedSavedCell(Item, i).Text = Value;
        return;
    }
    const Integer Displ = DisplRowIndex(j);
    SetCells(i, Displ, Value);
    if (DisplColIndex(i) != i)
        RepaintCell(DisplColIndex(i), Displ);
}

String TExStringGrid::AllGridCells(Integer i, Integer j)
{
    if (j < 0 || i < 0)
        return {};
    if (TGridItem* Item = HiddenRowItem(FGridItems.get(), j)) {
        const TCellSlot* Saved = SavedCell(Item, i);
        return Saved ? Saved->Text : String();
    }
    return GetGridCell(i, DisplRowIndex(j));
}

void TExStringGrid::SetAllGridCells(Integer i, Integer j, const String& Value)
{
    if (j < 0 || i < 0)
        return;
    if (TGridItem* Item = HiddenRowItem(FGridItems.get(), j)) {
        ExtendedSavedCell(Item, i).Text = Value;
        return;
    }
    const Integer Displ = DisplRowIndex(j);
    SetGridCell(i, Displ, Value);
    if (DisplColIndex(i) != i)
        RepaintCell(DisplColIndex(i), Displ);
}

TObject* TExStringGrid::AllObjects(Integer ACol, Integer ARow)
{
    if (ARow < 0 || ACol < 0)
        return nullptr;
    if (TGridItem* Item = HiddenRowItem(FGridItems.get(), ARow)) {
        const TCellSlot* Saved = SavedCell(Item, ACol);
        TObject* Object = Saved ? Saved->Object : nullptr;
        if (auto* Props = dynamic_cast<TCellProperties*>(Object))
            return Props->CellObject();
        return Object;
    }
    return GetObjectEx(ACol, DisplRowIndex(ARow));
}

// A hidden row's slot holds only properties, as every slot of the store: a
// caller's object goes into properties made for it, so that the row can be
// shown again.
void TExStringGrid::SetAllObjects(Integer i, Integer j, TObject* Value)
{
    if (j < 0 || i < 0)
        return;
    if (TGridItem* Item = HiddenRowItem(FGridItems.get(), j)) {
        TCellSlot& Saved = ExtendedSavedCell(Item, i);
        auto* Props = static_cast<TCellProperties*>(Saved.Object);
        if (!Props)
            Saved.Object = Props = new TCellProperties(this, i, j);
        Props->SetCellObject(Value);
        return;
    }
    SetObjectEx(i, DisplRowIndex(j), Value);
}

TObject* TExStringGrid::GetGridObjectsEx(Integer i, Integer j)
{
    if (j < 0 || i < 0)
        return nullptr;
    if (TGridItem* Item = HiddenRowItem(FGridItems.get(), j)) {
        const TCellSlot* Saved = SavedCell(Item, i);
        return Saved ? Saved->Object : nullptr;
    }
    return GetGridObject(i, DisplRowIndex(j));
}

// ---------------------------------------------------------------- cells by unsorted row

Integer TExStringGrid::UnSortedRowIndex(Integer ARow)
{
    const Integer At = FSortRowXRef->IndexOf(ARow);
    return At >= 0 ? At : ARow;
}

String TExStringGrid::UnSortedCells(Integer i, Integer j)
{
    return Cells(i, UnSortedRowIndex(j));
}

void TExStringGrid::SetUnSortedCells(Integer i, Integer j, const String& Value)
{
    SetCells(i, UnSortedRowIndex(j), Value);
}

namespace {

Integer CurrentPosition(TExStringGrid* Grid, Integer i)
{
    const Integer Position = Grid->ColumnPosition(i);
    return Position < 0 ? i : Position;
}

} // namespace

String TExStringGrid::OriginalCells(Integer i, Integer j)
{
    return Cells(CurrentPosition(this, i), j);
}

void TExStringGrid::SetOriginalCells(Integer i, Integer j, const String& Value)
{
    SetCells(CurrentPosition(this, i), j, Value);
}

Integer TExStringGrid::SortedRowIndex(Integer ARow)
{
    if (ARow >= 0 && ARow < FSortRowXRef->Count())
        ARow = FSortRowXRef->Items(ARow);
    return RealRowIndex(ARow);
}

// ---------------------------------------------------------------- per-cell properties

namespace {

// Writes one property (making the cell's properties) and repaints the cell
// where it shows.
template <class Write>
void WriteProperty(TExStringGrid* Grid, Integer i, Integer j, bool Repaint, Write Set)
{
    Set(Grid->CellProperties(i, j));
    if (Repaint)
        Grid->RepaintCell(Grid->DisplColIndex(i), j);
}

} // namespace

TColor TExStringGrid::Colors(Integer ACol, Integer ARow)
{
    return ReadProperty(this, ACol, ARow, clNone, [](TCellProperties* P) { return P->BrushColor(); });
}

void TExStringGrid::SetColors(Integer ACol, Integer ARow, TColor AColor)
{
    WriteProperty(this, ACol, ARow, FUpdateCount == 0, [=](TCellProperties* P) { P->StoreBrushColor(AColor); });
}

TColor TExStringGrid::ColorsTo(Integer i, Integer j)
{
    return ReadProperty(this, i, j, clNone, [](TCellProperties* P) { return P->BrushColorTo(); });
}

void TExStringGrid::SetColorsTo(Integer i, Integer j, TColor Value)
{
    WriteProperty(this, i, j, true, [=](TCellProperties* P) { P->StoreBrushColorTo(Value); });
}

TCellGradientDirection TExStringGrid::Gradients(Integer i, Integer j)
{
    return ReadProperty(this, i, j, GradientVertical, [](TCellProperties* P) { return P->GradientDirection(); });
}

void TExStringGrid::SetGradients(Integer i, Integer j, TCellGradientDirection Value)
{
    WriteProperty(this, i, j, true, [=](TCellProperties* P) { P->SetGradientDirection(Value); });
}

TColor TExStringGrid::FontColors(Integer i, Integer j)
{
    return ReadProperty(this, i, j, clNone, [](TCellProperties* P) { return P->FontColor(); });
}

void TExStringGrid::SetFontColors(Integer i, Integer j, TColor Value)
{
    WriteProperty(this, i, j, true, [=](TCellProperties* P) { P->SetFontColor(Value); });
}

TFontStyles TExStringGrid::FontStyles(Integer i, Integer j)
{
    return ReadProperty(this, i, j, TFontStyles(), [](TCellProperties* P) { return P->FontStyle(); });
}

void TExStringGrid::SetFontStyles(Integer i, Integer j, TFontStyles Value)
{
    WriteProperty(this, i, j, true, [=](TCellProperties* P) { P->SetFontStyle(Value); });
}

Integer TExStringGrid::FontSizes(Integer i, Integer j)
{
    return ReadProperty(this, i, j, 0, [](TCellProperties* P) { return P->FontSize(); });
}

void TExStringGrid::SetFontSizes(Integer i, Integer j, Integer Value)
{
    WriteProperty(this, i, j, true, [=](TCellProperties* P) { P->SetFontSize(Value); });
}

String TExStringGrid::FontNames(Integer i, Integer j)
{
    return ReadProperty(this, i, j, String(), [](TCellProperties* P) { return P->FontName(); });
}

void TExStringGrid::SetFontNames(Integer i, Integer j, const String& Value)
{
    WriteProperty(this, i, j, true, [&](TCellProperties* P) { P->SetFontName(Value); });
}

void TExStringGrid::SetFonts(Integer i, Integer j, TFont* Value)
{
    WriteProperty(this, i, j, FUpdateCount == 0, [=](TCellProperties* P) {
        P->SetFontName(Value->Name());
        P->SetFontSize(Value->Size());
        P->SetFontStyle(Value->Style());
        P->SetFontColor(Value->Color());
    });
}

TAlignment TExStringGrid::Alignments(Integer i, Integer j)
{
    return ReadProperty(this, i, j, taLeftJustify, [](TCellProperties* P) { return P->Alignment(); });
}

void TExStringGrid::SetAlignments(Integer ACol, Integer ARow, TAlignment Value)
{
    WriteProperty(this, ACol, ARow, true, [=](TCellProperties* P) { P->SetAlignment(Value); });
}

bool TExStringGrid::GetReadOnly(Integer ACol, Integer ARow)
{
    return ReadProperty(this, ACol, ARow, false, [](TCellProperties* P) { return P->ReadOnly(); });
}

void TExStringGrid::SetReadOnly(Integer i, Integer j, bool Value)
{
    WriteProperty(this, i, j, true, [=](TCellProperties* P) { P->SetReadOnly(Value); });
}

bool TExStringGrid::WordWraps(Integer i, Integer j)
{
    return CellProperties(i, j)->WordWrap();
}

void TExStringGrid::SetWordWraps(Integer i, Integer j, bool Value)
{
    WriteProperty(this, i, j, true, [=](TCellProperties* P) { P->SetWordWrap(Value); });
}

Integer TExStringGrid::LinesInCell(Integer i, Integer j)
{
    return 1 + Integer(Cells(i, j).count(u'\r'));
}

TControl* TExStringGrid::GetCellControls(Integer i, Integer j)
{
    return ReadProperty(this, i, j, static_cast<TControl*>(nullptr), [](TCellProperties* P) { return P->Control(); });
}

void TExStringGrid::SetCellControls(Integer i, Integer j, TControl* AControl)
{
    const Integer Real = RealRowIndex(j);
    const Integer Entry = FControlList->ControlIndex(i, Real);
    if (!AControl) {
        if (!HasCellProperties(i, j) || !CellProperties(i, j)->Control())
            return;
        if (Entry >= 0)
            FControlList->RemoveControl(Entry);
        CellProperties(i, j)->SetControl(nullptr);
        return;
    }
    if (Entry >= 0)
        FControlList->RemoveControl(Entry);
    FControlList->AddControl(i, Real, AControl);
    CellProperties(i, j)->SetControl(AControl);
    AControl->SetParent(this);
    const TRect R = CellRect(DisplColIndex(i), j);
    AControl->SetBounds(R.Left - 1, R.Top - 1, R.Width() + 1, R.Height() + 1);
}

// ---------------------------------------------------------------- row colours

namespace {

// A colour is unset as clNone or as the colour new properties start with.
bool IsUnsetColor(TColor Value, TColor Fresh)
{
    return Value == clNone || Value == Fresh;
}

bool SameLook(const TCellProperties* P, const TCellProperties* D)
{
    return IsUnsetColor(P->BrushColor(), D->BrushColor()) && IsUnsetColor(P->BrushColorTo(), D->BrushColorTo()) &&
           IsUnsetColor(P->FontColor(), D->FontColor()) && P->FontStyle() == D->FontStyle() &&
           P->FontSize() == D->FontSize() && P->FontName() == D->FontName() && P->ReadOnly() == D->ReadOnly() &&
           P->Alignment() == D->Alignment() && P->VAlignment() == D->VAlignment() && P->WordWrap() == D->WordWrap() &&
           P->GradientDirection() == D->GradientDirection() && P->Editor() == D->Editor() &&
           P->BrushStyle() == D->BrushStyle() && P->BorderWidth() == D->BorderWidth() &&
           P->BorderColor() == D->BorderColor() && P->NodeLevel() == D->NodeLevel() && P->CalcType() == D->CalcType();
}

} // namespace

// Nothing in the cell's properties differs from what new properties of the
// cell would hold, and they hold no graphic, control, object or merge.
bool TExStringGrid::IsDefaultProperties(Integer ACol, Integer ARow)
{
    TCellProperties* P = GetGridObject(ACol, ARow);
    if (GetPropertiesGraphic(P) || P->Control() || P->CellObject() || P->CalcObject() || P->CellSpanX() != -1 ||
        P->CellSpanY() != -1)
        return false;
    SetGridObject(ACol, ARow, nullptr);
    const std::unique_ptr<TCellProperties> Fresh(CellProperties(ACol, ARow));
    SetGridObject(ACol, ARow, P);
    return SameLook(P, Fresh.get());
}

void TExStringGrid::ResetRowColor(Integer j, void (TCellProperties::*Reset)(TColor))
{
    for (Integer C = TBaseGrid::FixedCols(); C < AllColCount(); ++C) {
        if (!HasCellProperties(C, j))
            continue;
        (CellProperties(C, j)->*Reset)(clNone);
        if (IsDefaultProperties(C, j))
            FreeCellSlot(C, j);
    }
    RepaintRow(j);
}

void TExStringGrid::SetRowColor(Integer j, TColor Value)
{
    if (Value == clNone)
        return ResetRowColor(j, &TCellProperties::StoreBrushColor);
    for (Integer C = TBaseGrid::FixedCols(); C < AllColCount(); ++C)
        CellProperties(C, j)->StoreBrushColor(Value);
    RepaintRow(j);
}

void TExStringGrid::SetRowColorTo(Integer j, TColor Value)
{
    if (Value == clNone)
        return ResetRowColor(j, &TCellProperties::StoreBrushColorTo);
    for (Integer C = TBaseGrid::FixedCols(); C < AllColCount(); ++C)
        CellProperties(C, j)->StoreBrushColorTo(Value);
    RepaintRow(j);
}

void TExStringGrid::SetRowFontColor(Integer j, TColor Value)
{
    if (Value == clNone)
        return ResetRowColor(j, &TCellProperties::SetFontColor);
    for (Integer C = TBaseGrid::FixedCols(); C < AllColCount(); ++C)
        CellProperties(C, j)->SetFontColor(Value);
    RepaintRow(j);
}

// ---------------------------------------------------------------- grid-wide accessors

Integer TExStringGrid::AllColWidths(Integer i)
{
    if (IsHiddenColumn(i))
        return FAllColWidths[std::size_t(i)];
    return ColWidths(DisplColIndex(i));
}

void TExStringGrid::SetAllColWidths(Integer i, Integer Value)
{
    if (i >= 0 && i < Integer(FAllColWidths.size()))
        FAllColWidths[std::size_t(i)] = Value;
    if (!IsHiddenColumn(i))
        SetColWidths(DisplColIndex(i), Value);
}

void TExStringGrid::SetCursor(TCursor Value)
{
    TControl::SetCursor(Value);
    FOldCursor = Value;
}

void TExStringGrid::SetStoredColor(TColor& Field, TColor Value)
{
    Field = ColorToRGB(Value);
    Invalidate();
}

void TExStringGrid::SetQVXGradientFrom(TColor Value)
{
    SetStoredColor(FQVXGradientFrom, Value);
}

void TExStringGrid::SetQVXGradientTo(TColor Value)
{
    SetStoredColor(FQVXGradientTo, Value);
}

void TExStringGrid::SetQVXGradientMirrorFrom(TColor Value)
{
    SetStoredColor(FQVXGradientMirrorFrom, Value);
}

void TExStringGrid::SetQVXGradientMirrorTo(TColor Value)
{
    SetStoredColor(FQVXGradientMirrorTo, Value);
}
