// The column grid: the column items and their collection.
#include "grid/control/ExCGrid.h"

#include "grid/control/ExGrid_Editors.h"

#include <algorithm>

// ---------------------------------------------------------------- TGridColumnItem

namespace {

TExColumnGrid* GridOfCollection(TCollection* ACollection)
{
    auto* Columns = dynamic_cast<TGridColumnCollection*>(ACollection);
    return Columns ? Columns->Grid() : nullptr;
}

std::unique_ptr<TPen> NewPen(TColor Color)
{
    auto Pen = std::make_unique<TPen>();
    Pen->SetColor(Color);
    Pen->SetWidth(1);
    return Pen;
}

// A copy of the grid's font, or the default font without a grid.
std::unique_ptr<TFont> NewFont(TExColumnGrid* Grid)
{
    auto Font = std::make_unique<TFont>();
    if (Grid)
        Font->Assign(Grid->Font());
    return Font;
}

} // namespace

// The item joins its collection only once it is whole: the collection's
// Update may look at it.
TGridColumnItem::TGridColumnItem(TCollection* ACollection)
    : TCollectionItem(nullptr),
      FBorderPen(NewPen(clSilver)),
      FComboItems(std::make_unique<TStringList>()),
      FFilter(std::make_unique<TStringList>()),
      FPrintBorderPen(NewPen(clBlack))
{
    TExColumnGrid* G = GridOfCollection(ACollection);
    if (G)
        FColor = G->Color();
    FFont = NewFont(G);
    FHeaderFont = NewFont(G);
    FPrintFont = NewFont(G);
    FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    FHeaderFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    FBorderPen->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    FFilter->OnChange = [this](TObject* Sender) { FilterChanged(Sender); };
    SetCollection(ACollection);
}

TGridColumnItem::~TGridColumnItem() = default;

TExColumnGrid* TGridColumnItem::Grid() const
{
    return GridOfCollection(Collection());
}

TExColumnGrid* TGridColumnItem::ColumnsGrid() const
{
    TExColumnGrid* G = Grid();
    return G && G->Columns() == Collection() ? G : nullptr;
}

TExColumnGrid& TGridColumnItem::CellGrid() const
{
    TExColumnGrid* G = ColumnsGrid();
    if (!G)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index()));
    return *G;
}

void TGridColumnItem::RepaintGrid() const
{
    if (TExColumnGrid* G = ColumnsGrid())
        G->Invalidate();
}

void TGridColumnItem::FontChanged(TObject*)
{
    Changed(false);
}

void TGridColumnItem::FilterChanged(TObject*)
{
    RepaintGrid();
}

void TGridColumnItem::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    RepaintGrid();
}

void TGridColumnItem::SetBorders(TCellBorders Value)
{
    FBorders = Value;
    Changed(false);
}

void TGridColumnItem::SetBorderPen(TPen* Value)
{
    FBorderPen->Assign(Value);
}

void TGridColumnItem::SetColor(TColor Value)
{
    FColor = Value;
    Changed(false);
}

// The grid hears when the menu goes, also one of another owner.
void TGridColumnItem::SetColumnPopup(TPopupMenu* Value)
{
    FColumnPopup = Value;
    if (TExColumnGrid* G = Grid(); G && Value)
        Value->FreeNotification(G);
}

void TGridColumnItem::SetComboItems(TStrings* Value)
{
    FComboItems->Assign(Value);
}

void TGridColumnItem::SetEditLink(TEditLink* Value)
{
    FEditLink = Value;
    if (TExColumnGrid* G = Grid(); G && Value)
        Value->FreeNotification(G);
}

void TGridColumnItem::SetEditor(TEditorType Value)
{
    const bool CheckBoxChange = (Value == edDataCheckBox) != (FEditor == edDataCheckBox);
    FEditor = Value;
    if (CheckBoxChange)
        RepaintGrid();
}

void TGridColumnItem::SetFilter(TStrings* Value)
{
    FFilter->Assign(Value);
}

void TGridColumnItem::SetFixed(bool Value)
{
    FFixed = Value;
    Changed(false);
}

void TGridColumnItem::SetFloatFormat(const String& Value)
{
    FFloatFormat = Value;
    RepaintGrid();
}

void TGridColumnItem::SetFont(TFont* Value)
{
    FFont->Assign(Value);
}

void TGridColumnItem::SetHeader(const String& Value)
{
    FHeader = Value;
    TExColumnGrid* G = ColumnsGrid();
    if (!G)
        return;
    if (G->FixedRows() > 0 && !G->FColMoving) {
        G->SetCells(Index(), 0, Value);
        Changed(false);
    }
    TStringList* Headers = G->ColumnHeaders();
    Headers->BeginUpdate();
    Headers->Clear();
    for (int I = 0; I < G->Columns()->Count(); ++I)
        Headers->Add(G->Columns()->Items(I)->Header());
    Headers->EndUpdate();
}

void TGridColumnItem::SetHeaderAlignment(TAlignment Value)
{
    FHeaderAlignment = Value;
    RepaintGrid();
}

void TGridColumnItem::SetHeaderFont(TFont* Value)
{
    FHeaderFont->Assign(Value);
    RepaintGrid();
}

void TGridColumnItem::SetPassword(bool Value)
{
    FPassword = Value;
    Changed(false);
}

void TGridColumnItem::SetPrintBorderPen(TPen* Value)
{
    FPrintBorderPen->Assign(Value);
}

void TGridColumnItem::SetPrintFont(TFont* Value)
{
    FPrintFont->Assign(Value);
}

void TGridColumnItem::SetShowBands(bool Value)
{
    FShowBands = Value;
    Changed(false);
}

Integer TGridColumnItem::Width() const
{
    TExColumnGrid* G = ColumnsGrid();
    if (!G || Index() >= G->AllColCount())
        return FWidth;
    return G->AllColWidths(Index());
}

void TGridColumnItem::SetWidth(Integer Value)
{
    FWidth = Value;
    if (TExColumnGrid* G = ColumnsGrid(); G && Index() < G->AllColCount())
        G->SetAllColWidths(Index(), Value);
}

String TGridColumnItem::GetRows(Integer Index) const
{
    return CellGrid().Cells(this->Index(), Index);
}

void TGridColumnItem::SetRows(Integer Index, const String& Value)
{
    CellGrid().SetCells(this->Index(), Index, Value);
}

Integer TGridColumnItem::GetInts(Integer Index) const
{
    return CellGrid().Ints(this->Index(), Index);
}

void TGridColumnItem::SetInts(Integer Index, Integer Value)
{
    CellGrid().SetInts(this->Index(), Index, Value);
}

Double TGridColumnItem::GetFloats(Integer Index) const
{
    return CellGrid().Floats(this->Index(), Index);
}

void TGridColumnItem::SetFloats(Integer Index, Double Value)
{
    CellGrid().SetFloats(this->Index(), Index, Value);
}

TDateTime TGridColumnItem::GetDates(Integer Index) const
{
    return CellGrid().GetDates(this->Index(), Index);
}

void TGridColumnItem::SetDates(Integer Index, TDateTime Value)
{
    CellGrid().SetDates(this->Index(), Index, Value);
}

TDateTime TGridColumnItem::GetTimes(Integer Index) const
{
    return CellGrid().GetTimes(this->Index(), Index);
}

void TGridColumnItem::SetTimes(Integer Index, TDateTime Value)
{
    CellGrid().SetTimes(this->Index(), Index, Value);
}

String TGridColumnItem::GetDisplayName() const
{
    if (FName.isEmpty())
        return QStringLiteral("Column %1").arg(Index());
    return QStringLiteral("Col %1: %2").arg(Index()).arg(FName);
}

// What Assign and AssignVisuals both copy. The references go through their
// setters, so that this item's grid also hears when they are freed.
void TGridColumnItem::CopyAssignedSettings(TGridColumnItem* Source)
{
    FAlignment = Source->FAlignment;
    FHeaderAlignment = Source->FHeaderAlignment;
    FBorderPen->Assign(Source->FBorderPen.get());
    FBorders = Source->FBorders;
    FCheckFalse = Source->FCheckFalse;
    FCheckTrue = Source->FCheckTrue;
    FEditLength = Source->FEditLength;
    SetEditLink(Source->FEditLink);
    FEditMask = Source->FEditMask;
    FEditor = Source->FEditor;
    FFixed = Source->FFixed;
    FPassword = Source->FPassword;
    FPrintBorderPen->Assign(Source->FPrintBorderPen.get());
    FPrintBorders = Source->FPrintBorders;
    FPrintColor = Source->FPrintColor;
    FPrintFont->Assign(Source->FPrintFont.get());
    FReadOnly = Source->FReadOnly;
    FSortPrefix = Source->FSortPrefix;
    FSortStyle = Source->FSortStyle;
    FSortSuffix = Source->FSortSuffix;
    FSpinMax = Source->FSpinMax;
    FSpinMin = Source->FSpinMin;
    FSpinStep = Source->FSpinStep;
    SetColumnPopup(Source->FColumnPopup);
    FWidth = Source->Width();
    FShowBands = Source->FShowBands;
    FMinSize = Source->FMinSize;
    FMaxSize = Source->FMaxSize;
    FAutoMinSize = Source->FAutoMinSize;
    FAutoMaxSize = Source->FAutoMaxSize;
    FFilter->Assign(Source->FFilter.get());
    FFilterCaseSensitive = Source->FFilterCaseSensitive;
    FDefIdx = Source->FDefIdx;
    FFloatFormat = Source->FFloatFormat;
}

void TGridColumnItem::Assign(TPersistent* Source)
{
    auto* From = dynamic_cast<TGridColumnItem*>(Source);
    if (!From || From == this)
        return;
    CopyAssignedSettings(From);
    FColor = From->FColor;
    FComboItems->Assign(From->FComboItems.get());
    FDropDownCount = From->FDropDownCount;
    FFont->Assign(From->FFont.get());
    FHeaderFont->Assign(From->FHeaderFont.get());
    FHeader = From->FHeader;
    FName = From->FName;
    FTag = From->FTag;
}

void TGridColumnItem::AssignVisuals(TPersistent* Source)
{
    auto* From = dynamic_cast<TGridColumnItem*>(Source);
    if (!From || From == this)
        return;
    CopyAssignedSettings(From);
    TExColumnGrid* G = Grid();
    FColor = G ? G->Color() : clBlack;
    FFont->Assign(NewFont(G).get());
}

void TGridColumnItem::AssignAll(TGridColumnItem* Source)
{
    Assign(Source);
    FColumnPopupType = Source->FColumnPopupType;
    FPrintBorderCustom = Source->FPrintBorderCustom;
    FPrintFontCustom = Source->FPrintFontCustom;
}

// ---------------------------------------------------------------- TGridColumnCollection

TGridColumnCollection::TGridColumnCollection(TExColumnGrid* AOwner)
    : TCollection(CollectionItemClass<TGridColumnItem>(), AOwner), FOwner(AOwner)
{
}

TGridColumnItem* TGridColumnCollection::Add()
{
    auto* Item = static_cast<TGridColumnItem*>(TCollection::Add());
    if (Count() > 1)
        Item->AssignVisuals(Items(Count() - 2));
    return Item;
}

TGridColumnItem* TGridColumnCollection::Insert(int Index)
{
    return static_cast<TGridColumnItem*>(TCollection::Insert(Index));
}

void TGridColumnCollection::SetOrganization()
{
    {
        TNoRecursiveUpdate Guard(this);
        if (FOwner)
            FOwner->SyncColumnItems();
    }
    for (int I = 0; I < Count(); ++I)
        Items(I)->SetDefIdx(I);
}

// A pass moves each column whose DefIdx lies left of it there. A permutation
// needs at most Count passes; the bound keeps any other DefIdx from looping.
void TGridColumnCollection::ResetOrganization()
{
    if (!FOwner)
        return;
    for (int Pass = 0; Pass <= Count(); ++Pass) {
        bool Moved = false;
        for (int I = 0; I < Count(); ++I) {
            const Integer Target = Items(I)->DefIdx();
            if (Target < I && Target >= 0) {
                FOwner->MoveColumn(I, Target);
                Moved = true;
            }
        }
        if (!Moved)
            return;
    }
}

void TGridColumnCollection::Update(TCollectionItem*)
{
    if (UpdateCount() > 0 || FNoRecursiveUpdate || !FOwner || FOwner->IsLoading() || FOwner->IsDestroying())
        return;
    const Integer N = Count() - FOwner->NumHiddenColumns();
    if (N != FOwner->ColCount() && N > FOwner->FixedCols())
        FOwner->SetColCount(N);
    FOwner->UpdateColumnHeaders();
    FOwner->Invalidate();
}
