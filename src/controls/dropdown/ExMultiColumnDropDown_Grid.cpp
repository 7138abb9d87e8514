// The list grid of the multi-column drop-down: loading, measuring, drawing
// and choosing.
#include "controls/dropdown/ExMultiColumnDropDown.h"

#include "rtl/ImgList.h"

#include <algorithm>

namespace exmulticolumn {

namespace {

// Least height of a word-wrapped data row.
constexpr Integer MinWrappedRowHeight = 24;
constexpr Integer HeaderGradientSteps = 80;

// The position of a column for the selection's edges: 1 first, 2 last,
// 3 between, 0 the only one.
Integer SelectionKind(Integer ACol, Integer ColCount)
{
    if (ColCount == 1)
        return 0;
    if (ACol == 0)
        return 1;
    return ACol == ColCount - 1 ? 2 : 3;
}

Cardinal AlignmentFlags(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

} // namespace

TExColGrid::TExColGrid(TComponent* AOwner)
    : TStringGrid(AOwner),
      FColumns(std::make_unique<TDropDownColumns>(this)),
      FHeaderFont(std::make_unique<TFont>())
{
    SetFixedCols(0);
    SetFixedRows(1);
    SetRowHeights(0, FHeaderHeight);
    SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRowSelect});
    SetDefaultDrawing(false);
    SetCtl3D(false);
    SetBorderStyle(bsNone);
    TStringGrid::SetGridLineWidth(0);
}

TExColGrid::~TExColGrid() = default;

TImageList* TExColGrid::Images() const
{
    return FExDropDown ? FExDropDown->Images() : nullptr;
}

// ---------------------------------------------------------------- loading and measuring

void TExColGrid::ApplyDropDownSettings()
{
    if (!FExDropDown)
        return;
    TExMultiColumnDropDown* D = FExDropDown;
    FColumns->Assign(D->Columns());
    SetColCount(FColumns->Count());
    const Integer ItemCount = D->Items()->Count();
    SetRowCount(ItemCount + 1);
    if (ItemCount > 0) {
        SetFixedRows(1);
        SetRow(1);
    }
    for (Integer I = 0; I < std::min(FColumns->Count(), ColCount()); ++I)
        SetColWidths(I, std::max(FColumns->Items(I)->Width(), 0));
    FLineColor = D->LineColor();
    FFixedLineColor = D->FixedLineColor();
    FHeaderColor = D->HeaderColor();
    FHeaderColorTo = D->HeaderColorTo();
    FHeaderHeight = D->HeaderHeight();
    FHeaderFont->Assign(D->HeaderFont());
    SetDefaultRowHeight(D->DropDownRowHeight());
    SetRowHeights(0, FHeaderHeight);
    TGridOptions Opts = Options();
    if (D->ColumnSizing())
        Opts += TGridOptions{goColSizing};
    else
        Opts -= TGridOptions{goColSizing};
    SetOptions(Opts);
    for (Integer I = 0; I < FColumns->Count(); ++I)
        if (FColumns->Items(I)->AutoSize())
            AutoSizeColumn(I);
    UpdateRowHeights();
}

TCanvas* TExColGrid::MeasureCanvas() const
{
    if (!FExDropDown || !FExDropDown->DropDownForm() || Parent() != FExDropDown->DropDownForm())
        return nullptr;
    if (!FMeasure)
        FMeasure = std::make_unique<TBitmap>(1, 1);
    return FMeasure->Canvas();
}

void TExColGrid::AutoSizeColumn(Integer Index)
{
    TCanvas* Canvas = MeasureCanvas();
    if (!Canvas || Index < 0 || Index >= FColumns->Count())
        return;
    TDropDownColumn* Column = FColumns->Items(Index);
    Canvas->Font()->Assign(Column->Font());
    TImageList* List = Images();
    const bool ImageColumn = Column->ColumnType() == ctImage && List;
    TDropDownItems* Items = FExDropDown->Items();
    Integer Widest = 0;
    for (int I = 0; I < Items->Count(); ++I) {
        const TDropDownItem* Item = Items->Items(I);
        Integer Needed = 0;
        if (ImageColumn && Item->ImageIndex() >= 0)
            Needed += List->Width() + 4;
        if (const String S = Item->ColumnText(Index); !S.isEmpty())
            Needed += Canvas->TextWidth(S) + 6;
        Widest = std::max(Widest, Needed);
    }
    Column->SetWidth(Widest);
    if (Index < ColCount())
        SetColWidths(Index, Widest);
}

void TExColGrid::UpdateRowHeights()
{
    TCanvas* Canvas = MeasureCanvas();
    if (!Canvas)
        return;
    std::vector<Integer> Wrapped;
    for (Integer I = 0; I < FColumns->Count(); ++I)
        if (FColumns->Items(I)->Wordwrap())
            Wrapped.push_back(I);
    if (Wrapped.empty())
        return;
    TImageList* List = Images();
    TDropDownItems* Items = FExDropDown->Items();
    std::vector<Integer> Heights(std::size_t(RowCount()), DefaultRowHeight());
    Heights[0] = FHeaderHeight;
    for (int Row = 1; Row < RowCount() && Row - 1 < Items->Count(); ++Row) {
        const TDropDownItem* Item = Items->Items(Row - 1);
        Integer H = MinWrappedRowHeight;
        for (const Integer C : Wrapped) {
            const TDropDownColumn* Column = FColumns->Items(C);
            const bool HasImage = Column->ColumnType() == ctImage && Item->ImageIndex() >= 0 && List;
            const Integer ImagePart = HasImage ? List->Height() + 6 : 0;
            Integer TextHeight = 0;
            if (const String S = Item->ColumnText(C); !S.isEmpty()) {
                Canvas->Font()->Assign(Column->Font());
                TRect R(0, 0, std::max(Column->Width(), 0), 0);
                TextHeight = DrawText(Canvas, S, R, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
            }
            H = std::max({H, ImagePart, TextHeight + 6});
        }
        Heights[std::size_t(Row)] = H;
    }
    SetRowHeightList(Heights);
}

bool TExColGrid::RowsHidden() const
{
    return RowCount() - FixedRows() > VisibleRowCount();
}

Integer TExColGrid::GetOptimalWidth() const
{
    Integer W = BorderStyle() == bsSingle ? 2 : 0;
    for (Integer I = 0; I < ColCount(); ++I)
        W += std::max(ColWidths(I), 0);
    if (RowsHidden())
        W += GetSystemMetrics(SM_CXVSCROLL);
    return W;
}

TRect TExColGrid::FullCellRect(Integer ACol, Integer ARow) const
{
    const TRect R = CellRect(ACol, ARow);
    return TRect(R.Left, R.Top, R.Left + ColWidths(ACol), R.Top + RowHeights(ARow));
}

// ---------------------------------------------------------------- drawing

void TExColGrid::DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    if (!FExDropDown)
        return;
    TExMultiColumnDropDown* D = FExDropDown;
    if (D->OnDropDownDrawItem) {
        D->OnDropDownDrawItem(D, ACol, ARow, Canvas(), ARect);
        return;
    }
    const Integer Kind = SelectionKind(ACol, ColCount());
    TRect R = FullCellRect(ACol, ARow);
    if (IsRectEmpty(R))
        R = TRect(ARect.Left, ARect.Top, ARect.Left + ColWidths(ACol), ARect.Top + RowHeights(ARow));
    const bool Header = ARow == 0;
    const TDropDownColumn* Column = ACol < FColumns->Count() ? FColumns->Items(ACol) : nullptr;
    TDropDownItem* Item = !Header && ARow - 1 < D->Items()->Count() ? D->Items()->Items(ARow - 1) : nullptr;
    const TColor Background = Column ? Column->Color() : Color();
    Canvas()->Font()->Assign(Column && !Header ? Column->Font() : FHeaderFont.get());
    Integer ImageIndex = -1;
    String Text;
    if (Column && Item) {
        ImageIndex = Column->ColumnType() == ctImage ? Item->ImageIndex() : -1;
        Text = Item->ColumnText(ACol);
    }
    if (D->OnDropDownGetItemText)
        D->OnDropDownGetItemText(D, ACol, ARow, Text);
    const bool Selected = !Header && AState.Contains(gdSelected);
    if (Header) {
        Text = Column ? Column->Header() : String();
        ImageIndex = -1;
        if (FHeaderColor == clNone || FHeaderColorTo == clNone) {
            if (FHeaderColor != clNone) {
                Canvas()->Brush()->SetStyle(bsSolid);
                Canvas()->Brush()->SetColor(FHeaderColor);
                Canvas()->FillRect(R);
            }
        } else {
            D->DrawGradient(Canvas(), FHeaderColor, FHeaderColorTo, HeaderGradientSteps, R, gdVertical);
        }
    } else if (Selected) {
        D->DrawSelectionBackground(Canvas(), R, Background, Kind);
    } else {
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->Brush()->SetColor(Background);
        Canvas()->Pen()->SetColor(Background);
        Canvas()->Pen()->SetWidth(1);
        Canvas()->Rectangle(R);
    }
    DrawCellLines(R, Header);
    InflateRect(R, -FLineWidth, -FLineWidth);
    DrawCellContent(R, ARow, ImageIndex, Text, Column, Selected);
}

void TExColGrid::DrawCellLines(const TRect& R, bool Header)
{
    const Integer Width = Header ? 1 : FLineWidth;
    if (Width <= 0)
        return;
    const Integer O = Header ? 1 : (FLineWidth + 1) / 2;
    Canvas()->Pen()->SetColor(Header ? FFixedLineColor : FLineColor);
    Canvas()->Pen()->SetWidth(Width);
    if (Options().Contains(Header ? goFixedHorzLine : goHorzLine)) {
        Canvas()->MoveTo(R.Left - O + 1, R.Bottom - O);
        Canvas()->LineTo(R.Right - O + 1, R.Bottom - O);
    }
    if (Options().Contains(Header ? goFixedVertLine : goVertLine)) {
        Canvas()->MoveTo(R.Right - O, R.Bottom - O);
        Canvas()->LineTo(R.Right - O, R.Top - O);
    }
}

void TExColGrid::DrawCellContent(TRect R, Integer ARow, Integer ImageIndex, const String& Text,
                                 const TDropDownColumn* Column, bool Selected)
{
    TImageList* List = Images();
    Integer TextLeft = R.Left + 2;
    if (ImageIndex >= 0 && List) {
        Integer Top = R.Top;
        if (List->Height() < R.Height())
            Top += (R.Height() - List->Height()) / 2;
        List->Draw(Canvas(), R.Left + 2, Top, ImageIndex);
        TextLeft = R.Left + List->Width() + 4;
    }
    if (Text.isEmpty())
        return;
    Cardinal Flags = DT_NOPREFIX | DT_EXPANDTABS | DT_VCENTER;
    if (Column) {
        Flags |= Column->Wordwrap() ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE;
        Flags |= AlignmentFlags(Column->Alignment());
        if (Column->Ellipsis())
            Flags |= DT_END_ELLIPSIS;
    } else {
        Flags |= DT_SINGLELINE;
    }
    if (Selected)
        Canvas()->Font()->SetColor(FExDropDown->SelectionTextColor());
    else if (ARow == 0)
        Canvas()->Font()->Assign(FHeaderFont.get());
    Canvas()->Brush()->SetStyle(bsClear);
    TRect TextRect(TextLeft, R.Top, R.Right, R.Bottom);
    DrawText(Canvas(), Text, TextRect, Flags);
}

// ---------------------------------------------------------------- choosing

void TExColGrid::DoSelect()
{
    if (OnSelect)
        OnSelect(this);
}

void TExColGrid::KeyDown(Word& Key, TShiftState Shift)
{
    FConfirmSelection = true;
    if (Key == VK_TAB) {
        Key = 0;
        return;
    }
    if (Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
        if (FExDropDown)
            SendMessage(FExDropDown->Handle(), WM_SYSKEYDOWN, Key, 0);
        return;
    }
    const Word Pressed = Key;
    TStringGrid::KeyDown(Key, Shift);
    if (Pressed == VK_RETURN)
        DoSelect();
}

void TExColGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FConfirmSelection = true;
    TStringGrid::MouseDown(Button, Shift, X, Y);
}

void TExColGrid::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TStringGrid::MouseUp(Button, Shift, X, Y);
    Integer C = -1, R = -1;
    MouseToCell(X, Y, C, R);
    if (Button == mbLeft && R >= FixedRows() && R > 0)
        DoSelect();
}

bool TExColGrid::WheelStep(bool Down, TShiftState Shift, TPoint MousePos)
{
    FMouseWheelSelection = true;
    FConfirmSelection = false;
    bool Result = false;
    try {
        Result = Down ? TStringGrid::DoMouseWheelDown(Shift, MousePos) : TStringGrid::DoMouseWheelUp(Shift, MousePos);
    } catch (...) {
        FMouseWheelSelection = false;
        throw;
    }
    FMouseWheelSelection = false;
    return Result;
}

bool TExColGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    return WheelStep(true, Shift, MousePos);
}

bool TExColGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    return WheelStep(false, Shift, MousePos);
}

void TExColGrid::WMGetDlgCode(TWMGetDlgCode& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB;
}

} // namespace exmulticolumn
