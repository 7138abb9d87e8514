// The grid drop-down's list (TExColGrid): settings taken from the drop-down,
// filling from the items, automatic widths and word-wrap heights, its keys,
// mouse and wheel; and the relays of the list's events to the drop-down.
#include "controls/dropdown/ExCustomGridDropDown.h"
#include "controls/dropdown/FlagScope.h"

#include "rtl/ImgList.h"

#include <algorithm>
#include <cstdint>

namespace exgriddropdown {

namespace {

// A relay of a list event to the drop-down's event of the same type.
template <class TEvent>
TEvent Relay(const TEvent& Target)
{
    return [&Target](auto&&... Args) {
        if (Target)
            Target(std::forward<decltype(Args)>(Args)...);
    };
}

// While a handler runs, a dialog it opens does not close the pop-up.
template <class TEvent>
TEvent RelayBlocking(const TEvent& Target, TDropDownForm* Form)
{
    return [&Target, Form](auto&&... Args) {
        if (!Target)
            return;
        const bool Was = Form->BlockActivate();
        Form->SetBlockActivate(true);
        try {
            Target(std::forward<decltype(Args)>(Args)...);
        } catch (...) {
            Form->SetBlockActivate(Was);
            throw;
        }
        Form->SetBlockActivate(Was);
    };
}

constexpr Integer MeasureWidth = 1000;
constexpr Integer MeasureHeight = 500;

} // namespace

// ---------------------------------------------------------------- the list

TExColGrid::TExColGrid(TComponent* AOwner)
    : TExStringGrid(AOwner),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>())
{
    SetFixedRowAlways(true);
    SetFixedCols(0);
    SetFixedRows(1);
    SetOptions((Options() + TGridOptions{goHorzLine, goRowSelect}) - TGridOptions{goRangeSelect});
    SetBorderStyle(bsNone);
    SetCtl3D(false);
}

TExColGrid::~TExColGrid() = default;

Integer TExColGrid::ItemAt(Integer ARow) const
{
    // Reading a cell object changes nothing; the base grid's reader is not const.
    return Integer(reinterpret_cast<std::intptr_t>(const_cast<TExColGrid*>(this)->Objects(0, ARow)));
}

void TExColGrid::SetItemAt(Integer ARow, Integer Item)
{
    SetObjects(0, ARow, reinterpret_cast<TObject*>(std::intptr_t(Item)));
}

void TExColGrid::DoSelect()
{
    if (OnSelect)
        OnSelect(this);
}

bool TExColGrid::RowsHidden() const
{
    return VisibleRowCount() + FixedRows() < RowCount();
}

void TExColGrid::ApplyDropDownSettings(TCustomExGridDropDown* ADropDown)
{
    FExDropDown = ADropDown;
    TCustomExGridDropDown* D = ADropDown;
    FColumns->Assign(D->Columns());
    if (ColCount() < FColumns->Count())
        SetColCount(FColumns->Count());
    if (D->UseItems())
        SetRowCount(D->Items()->Count() + 1);
    for (Integer I = 0; I < std::min(FColumns->Count(), ColCount()); ++I)
        SetColWidths(I, FColumns->Items(I)->Width());
    FLineColor = D->LineColor();
    FFixedLineColor = D->FixedLineColor();
    SetGridLineColor(FLineColor);
    SetGridFixedLineColor(FFixedLineColor);
    FHeaderColor = D->HeaderColor();
    FHeaderColorTo = D->HeaderColorTo();
    ControlLook()->SetFixedGradientFrom(FHeaderColor);
    ControlLook()->SetFixedGradientTo(FHeaderColorTo);
    FHeaderHeight = D->HeaderHeight();
    FHeaderFont->Assign(D->HeaderFont());
    SetFixedFont(FHeaderFont.get());
    SetHoverRow(D->HoverRow());
    SetHoverRowColor(D->HoverRowColor());
    SetHoverRowColorTo(D->HoverRowColorTo());
    FImages = D->Images();
    SetDefaultRowHeight(D->DropDownRowHeight());
    SetRowHeights(0, FHeaderHeight);
    TGridOptions O = Options() - TGridOptions{goColSizing, goColMoving, goRowSizing, goRowMoving};
    if (D->ColumnSizing())
        O.Include(goColSizing);
    if (D->ColumnMoving())
        O.Include(goColMoving);
    if (D->RowSizing())
        O.Include(goRowSizing);
    if (D->RowMoving())
        O.Include(goRowMoving);
    SetOptions(O);
    if (D->AutoSizeColumns()) {
        if (D->UseItems()) {
            for (Integer I = 0; I < FColumns->Count(); ++I)
                if (FColumns->Items(I)->AutoSize())
                    AutoSizeColumn(I);
        } else {
            TExStringGrid::AutoSizeColumns(true, 4);
        }
    }
    UpdateRowHeights();
}

void TExColGrid::FillFromItems()
{
    if (!FExDropDown)
        return;
    TDropDownColumns* Cols = FExDropDown->Columns();
    TDropDownItems* Items = FExDropDown->Items();
    if (ColCount() != Cols->Count() && Cols->Count() > 0)
        SetColCount(Cols->Count());
    for (Integer I = 0; I < Cols->Count(); ++I)
        SetCells(I, 0, Cols->Items(I)->Header());
    SetItemAt(0, -1);
    if (Items->Count() == 0)
        return;
    SetRowCount(FixedRows() + Items->Count());
    for (Integer J = 0; J < Items->Count(); ++J) {
        const TDropDownItem* Item = Items->Items(J);
        for (Integer I = 0; I < ColCount(); ++I)
            SetCells(I, J + 1, Item->ColumnText(I));
        SetItemAt(J + 1, J);
    }
}

TCanvas* TExColGrid::MeasureCanvas() const
{
    if (!FExDropDown || !FExDropDown->DropDownForm() || Parent() != FExDropDown->DropDownForm())
        return nullptr;
    if (!FMeasure)
        FMeasure = std::make_unique<TBitmap>(1, 1);
    return FMeasure->Canvas();
}

Integer TExColGrid::ImagePart(Integer Index, Integer ARow, Integer Extra, bool Height) const
{
    if (!FImages || !FExDropDown || Index >= FColumns->Count() || FColumns->Items(Index)->ColumnType() != ctImage)
        return 0;
    const Integer Item = ItemAt(ARow);
    TDropDownItems* Items = FExDropDown->Items();
    if (!FExDropDown->UseItems() || Item < 0 || Item >= Items->Count() || Items->Items(Item)->ImageIndex() < 0)
        return 0;
    return (Height ? FImages->Height() : FImages->Width()) + Extra;
}

void TExColGrid::AutoSizeColumn(Integer Index)
{
    TCanvas* Canvas = MeasureCanvas();
    if (!Canvas || Index < 0 || Index >= FColumns->Count() || !FColumns->Items(Index)->AutoSize())
        return;
    Canvas->Font()->Assign(FColumns->Items(Index)->Font());
    Integer Widest = 0;
    for (Integer R = FixedRows(); R < RowCount(); ++R) {
        Integer W = ImagePart(Index, R, 4, false);
        const String Text = Cells(Index, R);
        if (!Text.isEmpty()) {
            TRect Box(0, 0, MeasureWidth, MeasureHeight);
            DrawText(Canvas, Text, Box, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            W += Box.Width() + 6;
        }
        Widest = std::max(Widest, W);
    }
    FColumns->Items(Index)->SetWidth(Widest);
    SetColWidths(Index, Widest);
}

void TExColGrid::UpdateRowHeights()
{
    TCanvas* Canvas = MeasureCanvas();
    if (!Canvas)
        return;
    const auto Wraps = [this](Integer I) { return FColumns->Items(I)->Wordwrap(); };
    bool AnyWrap = false;
    for (Integer I = 0; I < FColumns->Count(); ++I)
        AnyWrap = AnyWrap || Wraps(I);
    if (!AnyWrap)
        return;
    for (Integer R = FixedRows(); R < RowCount(); ++R) {
        Integer H = 24;
        for (Integer I = 0; I < std::min(FColumns->Count(), ColCount()); ++I) {
            if (!Wraps(I))
                continue;
            Canvas->Font()->Assign(FColumns->Items(I)->Font());
            TRect Box(0, 0, ColWidths(I), MeasureHeight);
            const Integer TextHeight = DrawText(Canvas, Cells(I, R), Box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            H = std::max({H, ImagePart(I, R, 6, true), TextHeight + 6});
        }
        SetRowHeights(R, H);
    }
}

// ---------------------------------------------------------------- keys, mouse and wheel

void TExColGrid::WMKeyDown(TWMKey& Message)
{
    FConfirmSelection = true;
    const Word Key = Message.CharCode;
    if ((Key == VK_UP || Key == VK_DOWN) && GetKeyState(VK_MENU) < 0 && FExDropDown) {
        SendMessage(FExDropDown->Handle(), WM_KEYDOWN, Key, 0);
        return;
    }
    if (Key == VK_TAB)
        return;
    if (Key == VK_RETURN) {
        Message.CharCode = 0;
        DoSelect();
        return;
    }
    TExStringGrid::WMKeyDown(Message);
}

void TExColGrid::KeyPress(Char& Key)
{
    FConfirmSelection = true;
    TExStringGrid::KeyPress(Key);
}

void TExColGrid::WMChar(TWMKey& Message)
{
    if (Message.CharCode == 13)
        return;
    TExStringGrid::WMChar(Message);
}

void TExColGrid::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
}

void TExColGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FConfirmSelection = true;
    TExStringGrid::MouseDown(Button, Shift, X, Y);
    FOldRow = Row();
}

void TExColGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TExStringGrid::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    Integer ACol = -1, ARow = -1;
    MouseToCell(X, Y, ACol, ARow);
    if (ARow >= FixedRows() && ACol >= 0 && !HasCheckBox(ACol, ARow))
        DoSelect();
}

bool TExColGrid::WheelStep(bool Down, TShiftState Shift, TPoint MousePos)
{
    FConfirmSelection = false;
    TFlagScope Wheel(FMouseWheelSelection);
    return Down ? TExStringGrid::DoMouseWheelDown(Shift, MousePos) : TExStringGrid::DoMouseWheelUp(Shift, MousePos);
}

bool TExColGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    return WheelStep(true, Shift, MousePos);
}

bool TExColGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    return WheelStep(false, Shift, MousePos);
}

void TExColGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TExStringGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages && !ComponentState().Contains(csDestroying))
        FImages = nullptr;
}

void TExColGrid::TopLeftChanged()
{
    TExStringGrid::TopLeftChanged();
    if (FExDropDown && FExDropDown->OnGridTopLeftChanged)
        FExDropDown->OnGridTopLeftChanged(this);
}

void TExColGrid::SetBlockActivate(bool Value) const
{
    if (FExDropDown && FExDropDown->DropDownForm())
        FExDropDown->DropDownForm()->SetBlockActivate(Value);
}

void TExColGrid::DoStartBlockFocus()
{
    TExStringGrid::DoStartBlockFocus();
    SetBlockActivate(true);
}

void TExColGrid::DoEndBlockFocus()
{
    TExStringGrid::DoEndBlockFocus();
    SetBlockActivate(false);
}

// ---------------------------------------------------------------- the list's events

void TCustomExGridDropDown::ConnectGridEvents()
{
    TExColGrid* G = FGrid;
    TDropDownForm* F = DropDownForm();
    G->OnSelectCell = [this](TObject*, Integer, Integer ARow, bool&) { GridSelectCell(ARow); };
    G->OnSelect = [this](TObject*) { GridSelect(); };
    G->OnCheckBoxClick = Relay(OnGridCheckBoxClick);
    G->OnAnchorClick = RelayBlocking(OnGridAnchorClick, F);
    G->OnAnchorEnter = Relay(OnGridAnchorEnter);
    G->OnAnchorExit = Relay(OnGridAnchorExit);
    G->OnAnchorHint = Relay(OnGridAnchorHint);
    G->OnButtonClick = RelayBlocking(OnGridButtonClick, F);
    G->OnGetAlignment = [this](TObject* Sender, Integer ARow, Integer ACol, TAlignment& HAlign, TVAlignment& VAlign) {
        if (ACol >= 0 && ACol < FColumns->Count())
            HAlign = FColumns->Items(ACol)->Alignment();
        if (OnGridGetAlignment)
            OnGridGetAlignment(Sender, ARow, ACol, HAlign, VAlign);
    };
    G->OnGetCellColor = [this](TObject* Sender, Integer ARow, Integer ACol, TGridDrawState AState, TBrush* ABrush,
                               TFont* AFont) {
        if (ACol >= 0 && ACol < FColumns->Count())
            ABrush->SetColor(FColumns->Items(ACol)->Color());
        if (OnGridGetCellColor)
            OnGridGetCellColor(Sender, ARow, ACol, AState, ABrush, AFont);
    };
    G->OnGetCellGradient = Relay(OnGridGetCellGradient);
    G->OnGetDisplText = Relay(OnGridGetDiplText);
    G->OnGetFormat = Relay(OnGridGetFormat);
    G->OnGridHint = Relay(OnGridHint);
    G->OnRightClickCell = Relay(OnGridRightClickCell);
    G->OnScrollHint = Relay(OnGridScrollHint);
    G->OnMouseDown = Relay(OnGridMouseDown);
    G->OnMouseUp = Relay(OnGridMouseUp);
    G->OnMouseMove = [this](TObject* Sender, TShiftState Shift, Integer X, Integer Y) {
        // The first move after opening restarts the balloon hints.
        if (!FBalloonInit && FGrid->Balloon()->Enable()) {
            FGrid->Balloon()->SetEnable(false);
            FGrid->Balloon()->SetEnable(true);
        }
        FBalloonInit = true;
        if (OnGridMouseMove)
            OnGridMouseMove(Sender, Shift, X, Y);
    };
    G->OnColumnSize = Relay(OnGridColumnSize);
    G->OnColumnSizing = Relay(OnGridColumnSizing);
    G->OnEndColumnSize = Relay(OnGridEndColumnSize);
    G->OnRowSize = Relay(OnGridRowSize);
    G->OnRowSizing = Relay(OnGridRowSizing);
    G->OnEndRowSize = Relay(OnGridEndRowSize);
    G->OnGetEditorType = Relay(OnGridGetEditorType);
    G->OnGetEditorProp = Relay(OnGridGetEditorProp);
    G->OnCanEditCell = Relay(OnGridCanEditCell);
    G->OnEllipsClick = RelayBlocking(OnGridEllipsClick, F);
    G->OnAutoAddRow = Relay(OnGridAutoAddRow);
    G->OnAutoInsertRow = Relay(OnGridInsertRow);
    G->OnAutoDeleteRow = Relay(OnGridDeleteRow);
    G->OnAutoInsertCol = Relay(OnGridInsertCol);
    G->OnCanAddRow = Relay(OnGridCanAddRow);
    G->OnCanInsertRow = Relay(OnGridCanInsertRow);
    G->OnCanDeleteRow = Relay(OnGridCanDeleteRow);
    G->OnCellBalloon = Relay(OnGridCellBalloon);
    G->OnRowMove = Relay(OnGridRowMove);
    G->OnRowMoving = Relay(OnGridRowMoving);
    G->OnRowMoved = Relay(OnGridRowMoved);
    G->OnColumnMove = Relay(OnGridColumnMove);
    G->OnColumnMoving = Relay(OnGridColumnMoving);
    G->OnColumnMoved = Relay(OnGridColumnMoved);
    G->OnSearchEditChange = Relay(OnGridSearchEditChange);
    G->OnGetFloatFormat = [this](TObject* Sender, Integer ACol, Integer ARow, bool& IsFloat, String& FloatFormat) {
        FloatFormat.clear();
        if (OnGridGetFloatFormat)
            OnGridGetFloatFormat(Sender, ACol, ARow, IsFloat, FloatFormat);
    };
    G->OnCustomCellDraw = OnGridCustomCellDraw ? Relay(OnGridCustomCellDraw) : nullptr;
    G->OnCustomCellBkgDraw = OnGridCustomCellBkgDraw ? Relay(OnGridCustomCellBkgDraw) : nullptr;
}

} // namespace exgriddropdown
