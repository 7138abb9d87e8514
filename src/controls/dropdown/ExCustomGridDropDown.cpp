// The grid drop-down: construction, the chosen item, the pop-up with its
// sizing and fitting, choosing in the list and the keys of the closed edit.
#include "controls/dropdown/ExCustomGridDropDown.h"
#include "controls/dropdown/FlagScope.h"

#include "rtl/ImgList.h"

#include <algorithm>

namespace exgriddropdown {

namespace {

constexpr Integer ItemsPerPage = 10;

bool ShiftDown()
{
    return GetKeyState(VK_SHIFT) < 0;
}

} // namespace

// ---------------------------------------------------------------- construction

bool TCustomExGridDropDown::AltDown()
{
    return GetKeyState(VK_MENU) < 0;
}

TCustomExGridDropDown::TCustomExGridDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner),
      FHeaderFont(std::make_unique<TFont>()),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FLookupItems(std::make_unique<TStringList>()),
      FSearchFooter(std::make_unique<TSearchFooter>(this, false)),
      FBands(std::make_unique<TBands>()),
      FNavigation(std::make_unique<TNavigation>()),
      FMouseActions(std::make_unique<TMouseActions>(this))
{
    FNavigation->SetHomeEndKey(heFirstLastRow);
}

TCustomExGridDropDown::~TCustomExGridDropDown()
{
    // The list's events reach into this control: it goes first.
    delete FGrid;
}

void TCustomExGridDropDown::AfterConstruction()
{
    // Items come from the overridable CreateItems, which construction
    // cannot reach yet.
    FItems.reset(CreateItems());
    TExCustomDropDown::AfterConstruction();
    FLineColor = clSilver;
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    SetAutoSelect(true);
    SetSelectionColorStyle(scOffice2007);
}

TDropDownItems* TCustomExGridDropDown::CreateItems()
{
    return new TDropDownItems(this);
}

Integer TCustomExGridDropDown::GetVersionNr() const
{
    return 0x06000101;
}

void TCustomExGridDropDown::Loaded()
{
    TExCustomDropDown::Loaded();
    BuildLookupItems();
    if (FGrid)
        FGrid->FillFromItems();
}

void TCustomExGridDropDown::SetStyle(TDropDownStyle Value)
{
    FStyle = Value;
    SetEditorEnabled(Value == dsDropDown);
}

void TCustomExGridDropDown::SetGridImages(TImageList* Value)
{
    if (FGridImages)
        FGridImages->RemoveFreeNotification(this);
    FGridImages = Value;
    if (FGridImages)
        FGridImages->FreeNotification(this);
}

void TCustomExGridDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TExCustomDropDown::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FGrid)
        FGrid = nullptr;
    if (AComponent && AComponent == FGridImages) {
        FGridImages = nullptr;
        if (FGrid)
            FGrid->SetGridImages(nullptr);
    }
}

void TCustomExGridDropDown::DoEnter()
{
    TExCustomDropDown::DoEnter();
    if (FGrid)
        FGrid->RemoveAllFilters();
    FLookupEntry.clear();
}

// ---------------------------------------------------------------- the chosen item

Integer TCustomExGridDropDown::DataRowCount() const
{
    return FGrid ? FGrid->RowCount() - FGrid->FixedRows() : 0;
}

String TCustomExGridDropDown::LookupText(Integer Index) const
{
    return FItems->Items(Index)->ColumnText(FLookupColumn);
}

String TCustomExGridDropDown::GridLookupText(Integer ARow) const
{
    if (!FGrid || FLookupColumn < 0 || FLookupColumn >= FGrid->ColCount() || ARow < 0 || ARow >= FGrid->RowCount())
        return String();
    return FGrid->Cells(FLookupColumn, ARow);
}

void TCustomExGridDropDown::SetOwnText(const String& Value)
{
    // Rewriting the same text would lose the edit's selection.
    if (Value == GetText())
        return;
    TFlagScope Own(FOwnText);
    SetText(Value);
}

void TCustomExGridDropDown::SetItemIndex(Integer Value)
{
    if (FUseItems) {
        if (Value >= FItems->Count())
            return;
        FItemIndex = Value;
        SetOwnText(Value >= 0 && FLookupColumn >= 0 ? LookupText(Value) : String());
        return;
    }
    if (!FGrid) {
        FItemIndex = Value;
        return;
    }
    if (Value == FItemIndex || Value >= DataRowCount())
        return;
    FItemIndex = Value;
    SetOwnText(Value >= 0 ? GridLookupText(Value + FGrid->FixedRows()) : String());
}

void TCustomExGridDropDown::SelectFirstItem()
{
    if (ChoiceCount() > 0)
        SetItemIndex(0);
}

void TCustomExGridDropDown::SelectLastItem()
{
    if (ChoiceCount() > 0)
        SetItemIndex(ChoiceCount() - 1);
}

void TCustomExGridDropDown::SelectNextItem()
{
    const Integer Count = ChoiceCount();
    if (Count == 0)
        return;
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex < Count - 1)
        SetItemIndex(FItemIndex + 1);
}

void TCustomExGridDropDown::SelectPreviousItem()
{
    if (ChoiceCount() == 0)
        return;
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex > 0)
        SetItemIndex(FItemIndex - 1);
}

void TCustomExGridDropDown::SelectNextPage()
{
    const Integer Count = ChoiceCount();
    if (Count > 0)
        SetItemIndex(FItemIndex < 0 ? 0 : std::min(FItemIndex + ItemsPerPage, Count - 1));
}

void TCustomExGridDropDown::SelectPreviousPage()
{
    if (ChoiceCount() > 0)
        SetItemIndex(FItemIndex < ItemsPerPage ? 0 : FItemIndex - ItemsPerPage);
}

void TCustomExGridDropDown::SelectNext()
{
    TExCustomDropDown::SelectNext();
    SelectNextItem();
}

void TCustomExGridDropDown::SelectPrevious()
{
    TExCustomDropDown::SelectPrevious();
    SelectPreviousItem();
}

Integer TCustomExGridDropDown::ItemOfRow(Integer ARow) const
{
    return FGrid && ARow >= 0 && ARow < FGrid->RowCount() ? FGrid->ItemAt(ARow) : ARow;
}

Integer TCustomExGridDropDown::RowOfItem(Integer AItem) const
{
    if (FGrid && AItem >= 0)
        for (Integer R = FGrid->FixedRows(); R < FGrid->RowCount(); ++R)
            if (FGrid->ItemAt(R) == AItem)
                return R;
    return FItemIndex;
}

void TCustomExGridDropDown::ChooseRow(Integer ARow)
{
    if (FUseItems)
        SetItemIndex(ItemOfRow(ARow));
    else
        SetItemIndex(ARow - FGrid->FixedRows());
}

// ---------------------------------------------------------------- the pop-up

void TCustomExGridDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (FGrid || !DropDownForm())
        return;
    FGrid = new TExColGrid(this);
    FGrid->SetParent(DropDownForm());
    FGrid->FExDropDown = this;
    FGrid->SetBounds(0, 0, FGrid->Width(), 180);
    FGrid->SetColor(DropDownColor());
    FGrid->Navigation()->SetHomeEndKey(heFirstLastRow);
}

void TCustomExGridDropDown::PlaceDropDownControl()
{
    if (FGrid)
        SetControl(FGrid);
    TExCustomDropDown::PlaceDropDownControl();
}

void TCustomExGridDropDown::ApplySortIndicator()
{
    TSortSettings* S = FGrid->SortSettings();
    S->SetShow(FSorting != gsNone);
    S->SetIndexShow(FSorting == gsMultiColumn);
}

void TCustomExGridDropDown::DoBeforeDropDown()
{
    DropDownForm()->SetCancelOnDeActivate(false);
    if (!FGrid) {
        TExCustomDropDown::DoBeforeDropDown();
        return;
    }
    FGrid->ApplyDropDownSettings(this);
    FGrid->SetColor(DropDownColor());
    ApplySortIndicator();
    FBalloonInit = false;
    ConnectGridEvents();
    FGrid->SearchFooter()->Assign(FSearchFooter.get());
    FGrid->MouseActions()->Assign(FMouseActions.get());
    FGrid->Navigation()->Assign(FNavigation.get());
    FGrid->Bands()->Assign(FBands.get());
    TGridOptions Options = FGrid->Options() + TGridOptions{goThumbTracking};
    Options = FRowSelect ? Options + TGridOptions{goRowSelect} : Options - TGridOptions{goRowSelect};
    Options = FGridEditable ? Options + TGridOptions{goEditing} : Options - TGridOptions{goEditing};
    FGrid->SetOptions(Options);
    FGrid->SetGridImages(FGridImages);
    FGrid->OnCanSort = [this](TObject*, Integer, bool&) { GridCanSort(); };
    FGrid->OnClickSort = [this](TObject*, Integer) { GridClickSort(); };
    FGrid->SetComponentStyle(GetComponentStyle());
    if (FUseItems) {
        TExCustomDropDown::DoBeforeDropDown();
        const Integer Chosen = FItemIndex;
        FGrid->SetRowCount(FItems->Count() + 1);
        FGrid->SetFixedRows(1);
        FGrid->FillFromItems();
        const Integer R = RowOfItem(Chosen);
        if (R >= FGrid->FixedRows() && R < FGrid->RowCount())
            FGrid->SetRow(R);
    } else if (DataRowCount() > 0) {
        String Found;
        Integer Row = -1;
        FGrid->SetRow(FindLookupRow(GetText(), Found, Row) ? Row : FGrid->FixedRows());
    }
    if (FGrid->SortSettings()->Column() >= 0 && FGrid->SortSettings()->Show())
        FGrid->QSort();
    FOldItemIndex = FItemIndex;
    if (!FUseItems)
        TExCustomDropDown::DoBeforeDropDown();
}

void TCustomExGridDropDown::AdjustDropDownHeight(Integer& Height)
{
    Integer Bars = 0;
    if (DropDownHeader()->Visible())
        Bars += DropDownHeader()->Height();
    if (DropDownFooter()->Visible())
        Bars += DropDownFooter()->Height();
    const Integer Rows = (Height - Bars - FHeaderHeight - 2) / FDropDownRowHeight;
    Height = Bars + FHeaderHeight + Rows * FDropDownRowHeight + 6;
}

void TCustomExGridDropDown::DoShowDropDown()
{
    TExCustomDropDown::DoShowDropDown();
    if (!FGrid)
        return;
    if (!FUseItems)
        while (FColumns->Count() < FGrid->ColCount())
            FColumns->Add();
    if (DroppedDown())
        FitColumnsToDropDown();
    if (FGrid->RowsHidden()) {
        const Integer R = FGrid->Row();
        if (R >= FGrid->TopRow() + FGrid->VisibleRowCount() || R < FGrid->TopRow())
            FGrid->SetTopRow(R);
    }
    FSelRow = FGrid->FixedRows();
    FGrid->SetTabStop(true);
    if (DroppedDown() && FGrid->CanFocus())
        FGrid->SetFocus();
}

void TCustomExGridDropDown::UpdateDropDownSize()
{
    TExCustomDropDown::UpdateDropDownSize();
    TDropDownForm* F = DropDownForm();
    if (!FDropDownAutoWidth || !F || !FGrid)
        return;
    Integer W = 0;
    for (Integer C = 0; C < FGrid->ColCount(); ++C)
        W += FGrid->ColWidths(C);
    if (FGrid->VisibleRowCount() + FGrid->FixedRows() != FGrid->RowCount())
        W += GetSystemMetrics(SM_CXVSCROLL);
    FGrid->SetAlign(alNone);
    FGrid->SetWidth(W);
    F->SetBounds(F->Left(), F->Top(), W + 2 * DropDownBorderWidth(), F->Height());
    FGrid->SetAlign(alClient);
}

void TCustomExGridDropDown::DropDownResized()
{
    TExCustomDropDown::DropDownResized();
    FitColumnsToDropDown();
}

void TCustomExGridDropDown::FitColumnsToDropDown()
{
    if (!FColumnSizeWithDropDown || !FGrid || !DropDownForm())
        return;
    FGrid->SetScrollBars(ssVertical);
    if (FColumns->Count() == 0)
        return;
    double Total = 1;
    for (Integer I = 0; I < FColumns->Count(); ++I)
        Total += FColumns->Items(I)->Width();
    Integer Available = DropDownForm()->Width();
    if (FGrid->RowsHidden())
        Available -= GetSystemMetrics(SM_CXVSCROLL);
    const double Factor = Available / Total;
    double Carry = 0;
    const Integer Count = std::min(FColumns->Count(), FGrid->ColCount());
    for (Integer I = 0; I < Count; ++I) {
        const double Exact = FColumns->Items(I)->Width() * Factor;
        Integer W = Integer(Round(Exact));
        Carry += Exact - W;
        if (Carry > 1.0) {
            ++W;
            Carry -= 1.0;
        }
        FGrid->SetColWidths(I, W);
    }
}

void TCustomExGridDropDown::DoHideDropDown(bool Cancel)
{
    if (FGrid && DropDownForm() && DropDownForm()->Visible()) {
        if (Cancel) {
            SetItemIndex(FOldItemIndex);
        } else if (FGrid->ConfirmSelection()) {
            ChooseRow(FSelRow);
            FOldItemIndex = FItemIndex;
            FGrid->SetConfirmSelection(false);
        }
    }
    TExCustomDropDown::DoHideDropDown(Cancel);
}

// ---------------------------------------------------------------- choosing in the list

void TCustomExGridDropDown::GridSelectCell(Integer ARow)
{
    FSelRow = ARow;
    if (FGrid->MouseWheelSelection())
        return;
    if (FUseItems) {
        SetItemIndex(ItemOfRow(ARow));
        return;
    }
    SetOwnText(GridLookupText(ARow));
    SetItemIndex(ARow - FGrid->FixedRows());
}

void TCustomExGridDropDown::GridSelect()
{
    if (FGrid->ConfirmSelection())
        ChooseRow(FGrid->Row());
    if (!FGridEditable)
        DoHideDropDown(false);
    if (OnSelect)
        OnSelect(this);
}

void TCustomExGridDropDown::GridCanSort()
{
    FTempItemIndex = FItemIndex;
}

void TCustomExGridDropDown::GridClickSort()
{
    const Integer R = RowOfItem(FTempItemIndex);
    if (R >= 0 && R < FGrid->RowCount())
        FGrid->SetRow(R);
}

// ---------------------------------------------------------------- keys of the closed edit

void TCustomExGridDropDown::WMKeyDown(TWMKey& Message)
{
    const Word Key = Message.CharCode;
    if (Key == VK_RETURN && FGrid)
        FGrid->SetConfirmSelection(true);
    TExCustomDropDown::WMKeyDown(Message);
    if (!Enabled() || AltDown() || ChoiceCount() == 0)
        return;
    const bool ListOnly = FStyle == dsDropDownList && !ShiftDown();
    switch (Key) {
    case VK_UP: SelectPreviousItem(); break;
    case VK_DOWN: SelectNextItem(); break;
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_HOME:
        if (ListOnly)
            SelectFirstItem();
        break;
    case VK_END:
        if (ListOnly)
            SelectLastItem();
        break;
    default: return;
    }
    FLookupEntry.clear();
}

} // namespace exgriddropdown
