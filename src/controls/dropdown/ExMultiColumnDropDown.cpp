#include "controls/dropdown/ExMultiColumnDropDown.h"
#include "controls/dropdown/FlagScope.h"

#include "rtl/ImgList.h"

#include <QLineEdit>

#include <algorithm>

namespace exmulticolumn {

namespace {

constexpr Integer ItemsPerPage = 10;
// The longest completed rest of an entry.
constexpr Integer MaxCompletedRest = 255;

bool AltDown()
{
    return GetKeyState(VK_MENU) < 0;
}

} // namespace

// ---------------------------------------------------------------- columns and items

TDropDownColumn::TDropDownColumn(TCollection* ACollection)
    : TCollectionItem(ACollection), FFont(std::make_unique<TFont>())
{
}

TDropDownColumn::~TDropDownColumn() = default;

void TDropDownColumn::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TDropDownColumn*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    FWidth = Other->Width();
    FColor = Other->Color();
    FAlignment = Other->Alignment();
    FEllipsis = Other->Ellipsis();
    FFont->Assign(Other->Font());
    FColumnType = Other->ColumnType();
    FHeader = Other->Header();
    FWordwrap = Other->Wordwrap();
    FAutoSize = Other->AutoSize();
    Changed(false);
}

Integer TDropDownColumns::TotalWidth() const
{
    Integer Total = 0;
    for (int I = 0; I < Count(); ++I)
        Total += std::max(Items(I)->Width(), 0);
    return Total;
}

TDropDownItem::TDropDownItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FText(std::make_unique<TStringList>())
{
}

TDropDownItem::~TDropDownItem() = default;

void TDropDownItem::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TDropDownItem*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    FImageIndex = Other->ImageIndex();
    FText->Assign(Other->Text());
    Changed(false);
}

String TDropDownItem::ColumnText(Integer Column) const
{
    return HasColumn(Column) ? FText->Strings(Column) : String();
}

Integer TDropDownItems::IndexInColumn(Integer Column, const String& Value) const
{
    for (int I = 0; I < Count(); ++I) {
        const TDropDownItem* Item = Items(I);
        if (Item->HasColumn(Column) && Item->Text()->Strings(Column) == Value)
            return I;
    }
    return -1;
}

// ---------------------------------------------------------------- construction

TExMultiColumnDropDown::TExMultiColumnDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FItems(std::make_unique<TDropDownItems>(this)),
      FHeaderFont(std::make_unique<TFont>()),
      FLookupItems(std::make_unique<TStringList>())
{
}

TExMultiColumnDropDown::~TExMultiColumnDropDown() = default;

void TExMultiColumnDropDown::AfterConstruction()
{
    TExCustomDropDown::AfterConstruction();
    FColumnSizing = false;
    FLookupColumn = 0;
    FHeaderColorTo = TColor(0x808080);
    FHeaderColor = clWhite;
    FHeaderHeight = 25;
    FLineColor = TColor(0xC0C0C0);
    SetDropDownColor(clWhite);
    SetDropDownHeight(200);
    FItemIndex = -1;
    FOldItemIndex = -1;
    FWorkMode = true;
    FLookupEntry.clear();
    FMatchCase = false;
    FMatchStart = true;
    SetAutoSelect(true);
    FDropDownAutoWidth = true;
    SetSelectionColorStyle(scOffice2007);
    FSelectionTextColor = clBlack;
    FColumnSizeWithDropDown = true;
    FDropDownRowHeight = 22;
}

void TExMultiColumnDropDown::CreateDropDownForm()
{
    TExCustomDropDown::CreateDropDownForm();
    if (FExColGrid || !DropDownForm())
        return;
    FExColGrid = new TExColGrid(this);
    FExColGrid->SetParent(DropDownForm());
    FExColGrid->SetExDropDown(this);
    FExColGrid->SetBounds(0, 0, FExColGrid->Width(), 180);
    FExColGrid->SetColor(DropDownColor());
}

void TExMultiColumnDropDown::PlaceDropDownControl()
{
    if (FExColGrid)
        SetControl(FExColGrid);
    TExCustomDropDown::PlaceDropDownControl();
}

void TExMultiColumnDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TExCustomDropDown::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FExColGrid)
        FExColGrid = nullptr;
}

void TExMultiColumnDropDown::Loaded()
{
    TExCustomDropDown::Loaded();
    BuildLookupItems();
}

void TExMultiColumnDropDown::Assign(TPersistent* Source)
{
    TExCustomDropDown::Assign(Source);
    auto* S = dynamic_cast<TExMultiColumnDropDown*>(Source);
    if (!S)
        return;
    FCaseSensitive = S->FCaseSensitive;
    FDropDownAutoWidth = S->FDropDownAutoWidth;
    FDropDownRowHeight = S->FDropDownRowHeight;
    FLineColor = S->FLineColor;
    FFixedLineColor = S->FFixedLineColor;
    FColumnSizing = S->FColumnSizing;
    FColumnSizeWithDropDown = S->FColumnSizeWithDropDown;
    FColumns->Assign(S->Columns());
    FHeaderColor = S->FHeaderColor;
    FHeaderColorTo = S->FHeaderColorTo;
    FHeaderHeight = S->FHeaderHeight;
    FHeaderFont->Assign(S->HeaderFont());
    FLookupColumn = S->FLookupColumn;
    FSelectionTextColor = S->FSelectionTextColor;
    FItems->Assign(S->Items());
    FItemIndex = S->FItemIndex;
}

// ---------------------------------------------------------------- the chosen item

String TExMultiColumnDropDown::LookupText(Integer Index) const
{
    return FItems->Items(Index)->ColumnText(FLookupColumn);
}

void TExMultiColumnDropDown::SetOwnText(const String& Value)
{
    TFlagScope Own(FOwnText);
    SetText(Value);
}

void TExMultiColumnDropDown::SetItemIndex(Integer Value)
{
    if (Value >= FItems->Count())
        return;
    FItemIndex = Value;
    SetOwnText(Value >= 0 && FLookupColumn >= 0 ? LookupText(Value) : String());
}

Integer TExMultiColumnDropDown::GetItemIndex(const String& Text) const
{
    return FItems->IndexInColumn(FLookupColumn, Text);
}

void TExMultiColumnDropDown::SelectFirstItem()
{
    if (FItems->Count() > 0)
        SetItemIndex(0);
}

void TExMultiColumnDropDown::SelectLastItem()
{
    if (FItems->Count() > 0)
        SetItemIndex(FItems->Count() - 1);
}

void TExMultiColumnDropDown::SelectNextItem()
{
    if (FItems->Count() == 0)
        return;
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex < FItems->Count() - 1)
        SetItemIndex(FItemIndex + 1);
}

void TExMultiColumnDropDown::SelectPreviousItem()
{
    if (FItems->Count() == 0)
        return;
    if (FItemIndex < 0)
        SetItemIndex(0);
    else if (FItemIndex > 0)
        SetItemIndex(FItemIndex - 1);
}

void TExMultiColumnDropDown::SelectNextPage()
{
    if (FItems->Count() == 0)
        return;
    SetItemIndex(FItemIndex < 0 ? 0 : std::min(FItemIndex + ItemsPerPage, FItems->Count() - 1));
}

void TExMultiColumnDropDown::SelectPreviousPage()
{
    if (FItems->Count() == 0)
        return;
    SetItemIndex(FItemIndex < ItemsPerPage ? 0 : FItemIndex - ItemsPerPage);
}

// ---------------------------------------------------------------- the pop-up

void TExMultiColumnDropDown::DoBeforeDropDown()
{
    TExCustomDropDown::DoBeforeDropDown();
    DropDownForm()->SetCancelOnDeActivate(false);
    FShowing = true;
    if (FExColGrid) {
        FExColGrid->ApplyDropDownSettings();
        FExColGrid->SetOptions(FExColGrid->Options() + TGridOptions{goThumbTracking});
        FExColGrid->SetColor(DropDownColor());
        FExColGrid->OnSelectCell = [this](TObject*, Integer, Integer ARow, bool&) { GridSelectCell(ARow); };
        FExColGrid->OnSelect = [this](TObject*) { GridSelect(); };
        ShowItemIndexRow();
    }
    FOldItemIndex = FItemIndex;
}

void TExMultiColumnDropDown::ShowItemIndexRow()
{
    if (FExColGrid && FExColGrid->RowCount() > 1)
        FExColGrid->SetRow(std::clamp(FItemIndex + 1, 1, FExColGrid->RowCount() - 1));
}

void TExMultiColumnDropDown::UpdateDropDownSize()
{
    TExCustomDropDown::UpdateDropDownSize();
    if (!FDropDownAutoWidth || !FExColGrid || !DropDownForm())
        return;
    const Integer ListWidth = FExColGrid->GetOptimalWidth();
    FExColGrid->SetWidth(ListWidth);
    TDropDownForm* F = DropDownForm();
    F->SetBounds(F->Left(), F->Top(), ListWidth + 2 * DropDownBorderWidth(), F->Height());
    FExColGrid->SetAlign(alClient);
}

void TExMultiColumnDropDown::AdjustDropDownHeight(Integer& Height)
{
    Integer Bars = 0;
    if (DropDownHeader()->Visible())
        Bars += DropDownHeader()->Height();
    if (DropDownFooter()->Visible())
        Bars += DropDownFooter()->Height();
    const Integer Rows = (Height - Bars - FHeaderHeight - 2) / FDropDownRowHeight;
    Height = Bars + FHeaderHeight + Rows * FDropDownRowHeight + 2;
}

void TExMultiColumnDropDown::DoShowDropDown()
{
    try {
        TExCustomDropDown::DoShowDropDown();
    } catch (...) {
        FShowing = false;
        throw;
    }
    if (DroppedDown() && FExColGrid) {
        FitColumnsToDropDown();
        // Setting the row scrolls it into view at the bottom of the list.
        ShowItemIndexRow();
        // The list's keys choose rows.
        if (FExColGrid->CanFocus())
            FExColGrid->SetFocus();
    }
    FShowing = false;
}

void TExMultiColumnDropDown::DropDownResized()
{
    TExCustomDropDown::DropDownResized();
    FitColumnsToDropDown();
}

void TExMultiColumnDropDown::FitColumnsToDropDown()
{
    if (!FColumnSizeWithDropDown || !FExColGrid || !DropDownForm())
        return;
    FExColGrid->SetScrollBars(ssVertical);
    TDropDownColumns* Cols = FExColGrid->Columns();
    const Integer Count = std::min(Cols->Count(), FExColGrid->ColCount());
    if (Count == 0)
        return;
    const double Total = 1 + Cols->TotalWidth();
    Integer Available = DropDownForm()->Width();
    if (FExColGrid->RowsHidden())
        Available -= GetSystemMetrics(SM_CXVSCROLL);
    const double Factor = Available / Total;
    double Carry = 0;
    for (Integer I = 0; I < Count; ++I) {
        const double E = Factor * std::max(Cols->Items(I)->Width(), 0);
        const Integer Rounded = Integer(Round(E));
        Carry += E - Rounded;
        Integer W = Rounded;
        if (Carry > 1) {
            ++W;
            Carry -= 1;
        }
        FExColGrid->SetColWidths(I, W);
    }
}

void TExMultiColumnDropDown::DoHideDropDown(bool Cancel)
{
    if (!DropDownForm() || !DropDownForm()->Visible()) {
        TExCustomDropDown::DoHideDropDown(Cancel);
        return;
    }
    TExCustomDropDown::DoHideDropDown(Cancel);
    if (Cancel)
        SetItemIndex(FOldItemIndex);
    else if (FExColGrid && FExColGrid->ConfirmSelection())
        SetItemIndex(FExColGrid->Row() - 1);
    FOldItemIndex = FItemIndex;
}

void TExMultiColumnDropDown::GridSelectCell(Integer ARow)
{
    if (FExColGrid && !FExColGrid->MouseWheelSelection() && !FShowing)
        SetItemIndex(ARow - 1);
}

void TExMultiColumnDropDown::GridSelect()
{
    if (FExColGrid && FExColGrid->ConfirmSelection())
        SetItemIndex(FExColGrid->Row() - 1);
    DoHideDropDown(false);
    if (OnSelect)
        OnSelect(this);
}

// ---------------------------------------------------------------- keys in the list

void TExMultiColumnDropDown::ControlKeyDown(Word& Key, TShiftState Shift)
{
    const bool Moves = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!Moves || Shift.Contains(ssAlt))
        TExCustomDropDown::ControlKeyDown(Key, Shift);
}

void TExMultiColumnDropDown::ControlKeyUp(Word& Key, TShiftState Shift)
{
    const bool Moves = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!Moves || Shift.Contains(ssAlt))
        TExCustomDropDown::ControlKeyUp(Key, Shift);
}

void TExMultiColumnDropDown::ControlKeyPress(Char& Key)
{
    if ((Key == QChar(13) || Key == QChar(27)) && !AltDown()) {
        FLookupEntry.clear();
        return;
    }
    const Integer Found = LookupChar(Key);
    if (Found >= 0)
        ScrollToItem(Found);
    else
        FLookupEntry.clear();
}

void TExMultiColumnDropDown::ScrollToItem(Integer Index)
{
    if (!FExColGrid || Index + 1 >= FExColGrid->RowCount())
        return;
    const Integer Row = Index + 1;
    if (Row < FExColGrid->TopRow() || Row >= FExColGrid->TopRow() + FExColGrid->VisibleRowCount())
        FExColGrid->SetTopRow(Row);
    FExColGrid->SetCol(0);
    FExColGrid->SetRow(Row);
}

Integer TExMultiColumnDropDown::LookupChar(Char Ch)
{
    if (Ch == QChar(8)) {
        if (SelLength() == 0) {
            FLookupEntry.chop(1);
            SetOwnText(FLookupEntry);
        } else {
            String T = GetText();
            T.remove(SelStart(), SelLength());
            SetOwnText(T);
        }
        LineEdit()->end(false);
        return -1;
    }
    if (Ch != QChar(9))
        FLookupEntry += Ch;
    Integer Found = FindLookupItem(FLookupEntry);
    if (Found >= 0) {
        ShowLookupItem(Found, Length(FLookupEntry));
        return Found;
    }
    Found = FindLookupItem(String(Ch));
    if (Found >= 0) {
        FLookupEntry = String(Ch);
        ShowLookupItem(Found, 1);
    } else {
        FLookupEntry.clear();
    }
    return Found;
}

Integer TExMultiColumnDropDown::FindLookupItem(const String& Entry) const
{
    if (Entry.isEmpty())
        return -1;
    const Qt::CaseSensitivity Sense = FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int I = 0; I < FItems->Count(); ++I) {
        const TDropDownItem* Item = FItems->Items(I);
        if (Item->HasColumn(FLookupColumn) && Item->Text()->Strings(FLookupColumn).startsWith(Entry, Sense))
            return I;
    }
    return -1;
}

void TExMultiColumnDropDown::ShowLookupItem(Integer Index, Integer Typed)
{
    FItemIndex = Index;
    const String T = LookupText(Index);
    SetOwnText(T);
    LineEdit()->setSelection(std::min(Typed, Length(T)), std::max(Length(T) - Typed, 0));
}

// ---------------------------------------------------------------- keys in the edit

void TExMultiColumnDropDown::WMKeyDown(TWMKey& Message)
{
    const Word Key = Message.CharCode;
    TExCustomDropDown::WMKeyDown(Message);
    if (!Enabled() || AltDown())
        return;
    switch (Key) {
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_END:
        if (!EditorEnabled())
            SelectLastItem();
        break;
    case VK_HOME:
        if (!EditorEnabled())
            SelectFirstItem();
        break;
    case VK_UP: SelectPreviousItem(); break;
    case VK_DOWN: SelectNextItem(); break;
    default: break;
    }
}

void TExMultiColumnDropDown::KeyDown(Word& Key, TShiftState Shift)
{
    if (!CanComplete()) {
        TExCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    const Word Pressed = Key;
    switch (Key) {
    case VK_BACK:
    case VK_ESCAPE:
    case VK_DELETE: FWorkMode = false; break;
    case VK_RETURN:
        // With ReturnIsTab the edit has made Enter a Tab before the key
        // handlers run, so Enter arrives here only without it.
        if (const Integer I = FLookupItems->IndexOf(GetText()); I >= 0) {
            TFlagScope Own(FOwnText);
            FItemIndex = I;
            SetText(FLookupItems->Strings(I));
            Change();
        }
        break;
    default: FWorkMode = true; break;
    }
    TExCustomDropDown::KeyDown(Key, Shift);
    if (Pressed == VK_ESCAPE)
        SetItemIndex(FLookupItems->IndexOf(GetText()));
}

void TExMultiColumnDropDown::WMChar(TWMKey& Message)
{
    if (Message.CharCode == 13 && ReturnIsTab()) {
        Message.CharCode = 0;
        return;
    }
    TExCustomDropDown::WMChar(Message);
}

void TExMultiColumnDropDown::KeyUp(Word& Key, TShiftState Shift)
{
    if (Key != VK_RETURN || !ReturnIsTab())
        TExCustomDropDown::KeyUp(Key, Shift);
    if (FItemChange) {
        SetItemIndex(FItemIdx);
        const Integer L = Length(GetText());
        LineEdit()->setSelection(std::min(FItemSel, L), std::max(L - FItemSel, 0));
    }
    FItemChange = false;
}

// ---------------------------------------------------------------- completion

void TExMultiColumnDropDown::BuildLookupItems()
{
    if (FLookupColumn < 0 || FItems->Count() == 0)
        return;
    FLookupItems->BeginUpdate();
    FLookupItems->Clear();
    FLookupKeys.clear();
    FLookupKeys.reserve(std::size_t(FItems->Count()));
    for (int I = 0; I < FItems->Count(); ++I) {
        const String S = LookupText(I);
        FLookupItems->Add(S);
        FLookupKeys.push_back(S.toUpper());
    }
    FLookupItems->EndUpdate();
}

void TExMultiColumnDropDown::Change()
{
    FItemChange = false;
    TExCustomDropDown::Change();
    if (ComponentState().Contains(csDesigning) || !FWorkMode || FOwnText)
        return;
    // The text is compared with a value that is never assigned: any text
    // counts as a change.
    SetModified(!GetText().isEmpty());
    Complete();
}

void TExMultiColumnDropDown::Complete()
{
    const String Typed = GetText().left(SelStart());
    // An empty typed part would match every entry.
    if (Typed.isEmpty())
        return;
    const String Key = FMatchCase ? Typed : Typed.toUpper();
    const auto Matches = [&](int I) {
        return FMatchCase ? FLookupItems->Strings(I).startsWith(Key) : FLookupKeys[std::size_t(I)].startsWith(Key);
    };
    for (int I = 0; I < FLookupItems->Count(); ++I) {
        if (!Matches(I))
            continue;
        const String Rest = FLookupItems->Strings(I).mid(Key.size(), MaxCompletedRest);
        // Setting the text runs Change, which clears FItemChange.
        SetOwnText(Typed + Rest);
        FItemIndex = I;
        FItemIdx = I;
        FItemSel = Length(Typed);
        FItemChange = true;
        LineEdit()->setSelection(Length(Typed) + Length(Rest), -Length(Rest));
        return;
    }
    SetOwnText(Typed);
    LineEdit()->end(false);
}

} // namespace exmulticolumn
