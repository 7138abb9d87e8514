// The string grid: attaching, reading, changing and removing pictures,
// progress bars, comments, shapes, ratings, scroll bars, buttons, expand
// buttons, balloons, error markers and the other cell graphics.
#include "grid/control/ExGrid.h"

#include <QFontMetrics>

#include <cmath>
#include <type_traits>

namespace {

bool IsBoxWithBalloonRoom(TCellType T)
{
    return T == ctCheckBox || T == ctDataCheckBox || T == ctRadioButton;
}

// Two 16-bit halves of a 32-bit value: low is x (or width), high y (or height).
TPoint WordHalves(Integer Value)
{
    return {Integer(Word(Cardinal(Value) & 0xFFFFu)), Integer(Word(Cardinal(Value) >> 16))};
}

std::unique_ptr<TStringList> BalloonTexts(const String& Title, const String& Text)
{
    auto List = std::make_unique<TStringList>();
    List->Add(Title);
    List->Add(Text);
    return List;
}

// A new object of type T that the graphic owns (CellCreated), set up by Setup.
template <class T, class F>
T* CreateOwned(TCellGraphic* G, F&& Setup)
{
    auto Object = std::make_unique<T>();
    T* Result = Object.get();
    Setup(Result);
    if constexpr (std::is_same_v<T, TIcon>)
        G->OwnCellIcon(std::move(Object));
    else
        G->OwnCellBitmap(std::move(Object));
    G->SetCellCreated(true);
    return Result;
}

} // namespace

TCellGraphic* TExStringGrid::GraphicOfType(Integer ACol, Integer ARow, TCellType Kind)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    return G && G->CellType() == Kind ? G : nullptr;
}

TCellGraphic* TExStringGrid::BaseGraphicOfType(Integer ACol, Integer ARow, TCellType Kind)
{
    const TPoint B = BaseCell(ACol, ARow);
    return GraphicOfType(B.X, B.Y, Kind);
}

void TExStringGrid::ForEachDisplayCell(const std::function<void(Integer, Integer)>& Action)
{
    for (Integer R = 0; R < RowCount(); ++R)
        for (Integer C = 0; C < ColCount(); ++C)
            Action(C, R);
}

// ---------------------------------------------------------------- pictures, bitmaps, icons

void TExStringGrid::AddPicture(Integer ACol, Integer ARow, TPicture* APicture, bool transparent,
                               TStretchMode stretchmode, Integer padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetPicture(APicture, transparent, stretchmode, padding, hal, val);
}

TPicture* TExStringGrid::CreatePicture(Integer ACol, Integer ARow, bool transparent, TStretchMode stretchmode,
                                       Integer padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    return CreateOwned<TPicture>(G, [&](TPicture* P) { G->SetPicture(P, transparent, stretchmode, padding, hal, val); });
}

TPicture* TExStringGrid::GetPicture(Integer ACol, Integer ARow)
{
    TCellGraphic* G = GraphicOfType(ACol, ARow, ctPicture);
    return G ? dynamic_cast<TPicture*>(G->CellBitmap()) : nullptr;
}

void TExStringGrid::AddBitmap(Integer ACol, Integer ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal,
                              TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap* TExStringGrid::CreateBitmap(Integer ACol, Integer ARow, bool transparent, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    return CreateOwned<TBitmap>(G, [&](TBitmap* B) { G->SetBitmap(B, transparent, hal, val); });
}

TBitmap* TExStringGrid::GetBitmap(Integer ACol, Integer ARow)
{
    TCellGraphic* G = GraphicOfType(ACol, ARow, ctBitmap);
    return G ? dynamic_cast<TBitmap*>(G->CellBitmap()) : nullptr;
}

void TExStringGrid::AddFilePicture(Integer ACol, Integer ARow, TFilePicture* AFilePicture, bool Transparent,
                                   TStretchMode stretchmode, Integer padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetFilePicture(AFilePicture, Transparent, stretchmode, padding, hal, val);
}

TFilePicture* TExStringGrid::CreateFilePicture(Integer ACol, Integer ARow, bool Transparent, TStretchMode stretchmode,
                                               Integer padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    return CreateOwned<TFilePicture>(
        G, [&](TFilePicture* P) { G->SetFilePicture(P, Transparent, stretchmode, padding, hal, val); });
}

TFilePicture* TExStringGrid::GetFilePicture(Integer ACol, Integer ARow)
{
    TCellGraphic* G = GraphicOfType(ACol, ARow, ctFilePicture);
    return G ? dynamic_cast<TFilePicture*>(G->CellBitmap()) : nullptr;
}

void TExStringGrid::AddIcon(Integer ACol, Integer ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, hal, val);
}

TIcon* TExStringGrid::CreateIcon(Integer ACol, Integer ARow, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    return CreateOwned<TIcon>(G, [&](TIcon* I) { G->SetIcon(I, hal, val); });
}

// ---------------------------------------------------------------- images of the grid's list

void TExStringGrid::AddImageIdx(Integer ACol, Integer ARow, Integer Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (FGridImages)
        CreateCellGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
}

bool TExStringGrid::GetImageIdx(Integer ACol, Integer ARow, Integer& idx)
{
    TCellGraphic* G = FGridImages ? GraphicOfType(ACol, ARow, ctImageList) : nullptr;
    if (G)
        idx = G->CellIndex();
    return G != nullptr;
}

void TExStringGrid::SetImageIdx(Integer ACol, Integer ARow, Integer Idx)
{
    if (TCellGraphic* G = FGridImages ? GraphicOfType(ACol, ARow, ctImageList) : nullptr)
        G->SetCellIndex(Idx);
}

void TExStringGrid::AddDataImage(Integer ACol, Integer ARow, Integer Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!FGridImages)
        return;
    CreateCellGraphic(ACol, ARow)->SetDataImage(Aidx, hal, val);
    if (Cells(ACol, ARow).isEmpty())
        SetInts(ACol, ARow, Aidx);
}

bool TExStringGrid::HasDataImage(Integer ACol, Integer ARow)
{
    return BaseGraphicOfType(ACol, ARow, ctDataImage) != nullptr;
}

void TExStringGrid::RemoveDataImage(Integer ACol, Integer ARow)
{
    if (RemoveCellGraphicOfType(ACol, ARow, ctDataImage))
        SetCells(ACol, ARow, String());
}

void TExStringGrid::AddMultiImage(Integer ACol, Integer ARow, Integer Dir, TCellHAlign hal, TCellVAlign val)
{
    if (!FGridImages)
        return;
    CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, hal, val,
                                                 [this](TObject* Sender, Integer C, Integer R) {
                                                     MultiImageChanged(Sender, C, R);
                                                 });
}

// ---------------------------------------------------------------- progress bars, pies, range indicators

void TExStringGrid::AddProgressGraphic(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                       TColor BKTextColor, bool TextColors, const String& Fmt, Double Min, Double Max)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctProgress);
    G->SetCellBitmapValue(Integer(FGColor));
    G->SetCellIconValue(Integer(BKColor));
    G->SetCellErrFrom(Integer(Round(Min)));
    G->SetCellErrLen(Integer(Round(Max)));
    G->SetCellBoolean(TextColors);
    G->SetCellIndex(Integer(FGTextColor));
    G->SetCellAngle(Integer(BKTextColor));
    G->SetCellText(Fmt);
    G->SetCellHAlign(haLeft);
    G->SetCellVAlign(vaTop);
    if (FAutoNumAlign)
        SetAlignments(ACol, ARow, taRightJustify);
}

void TExStringGrid::AddProgress(Integer ACol, Integer ARow, TColor FGColor, TColor BKColor)
{
    AddProgressGraphic(ACol, ARow, FGColor, clNone, BKColor, clNone, false, String(), 0, 100);
}

void TExStringGrid::AddProgressEx(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                  TColor BKTextColor)
{
    AddProgressGraphic(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, true, String(), 0, 100);
}

void TExStringGrid::AddProgressFormatted(Integer ACol, Integer ARow, TColor FGColor, TColor FGTextColor,
                                         TColor BKColor, TColor BKTextColor, const String& Fmt, Double Min, Double Max)
{
    AddProgressGraphic(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, true, Fmt, Min, Max);
}

bool TExStringGrid::HasProgress(Integer ACol, Integer ARow)
{
    return BaseGraphicOfType(ACol, ARow, ctProgress) != nullptr;
}

void TExStringGrid::AddExProgress(Integer ACol, Integer ARow, Integer Min, Integer Max)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctXPProgress);
    G->SetCellErrFrom(Min);
    G->SetCellErrLen(Max);
    G->SetCellBoolean(false);
    G->SetCellText(String());
    G->SetCellHAlign(haLeft);
    G->SetCellVAlign(vaTop);
}

void TExStringGrid::AddProgressPie(Integer ACol, Integer ARow, TColor Color, Integer Value)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctProgressPie);
    G->SetCellBitmapValue(Integer(Color));
    G->SetCellAngle(Value);
    G->SetCellHAlign(haBeforeText);
    G->SetCellVAlign(vaTop);
}

void TExStringGrid::SetProgressPie(Integer ACol, Integer ARow, Integer Value)
{
    if (TCellGraphic* G = GraphicOfType(ACol, ARow, ctProgressPie)) {
        G->SetCellAngle(Value);
        RepaintCell(DisplColIndex(ACol), ARow);
    }
}

void TExStringGrid::AddRangeIndicator(Integer ACol, Integer ARow, Integer Range, TColor NegColor, TColor PosColor,
                                      bool ShowValue)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctRangeIndicator);
    G->SetCellIndex(Range);
    G->SetCellBitmapValue(Integer(NegColor));
    G->SetCellIconValue(Integer(PosColor));
    G->SetCellBoolean(ShowValue);
    G->SetCellHAlign(haLeft);
    G->SetCellVAlign(vaTop);
}

// ---------------------------------------------------------------- comments

void TExStringGrid::AddComment(Integer ACol, Integer ARow, const String& Comment)
{
    AddColorComment(ACol, ARow, Comment, FControlLook->CommentColor());
}

void TExStringGrid::AddColorComment(Integer ACol, Integer ARow, const String& Comment, TColor Color)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctComment);
    G->SetCellText(Comment);
    G->SetCellIndex(Integer(Color));
    G->SetCellHAlign(haLeft);
    G->SetCellVAlign(vaTop);
}

bool TExStringGrid::IsComment(Integer ACol, Integer ARow, String& Comment)
{
    TCellGraphic* G = GraphicOfType(ACol, ARow, ctComment);
    if (G)
        Comment = G->CellText();
    return G != nullptr;
}

String TExStringGrid::GetComment(Integer ACol, Integer ARow)
{
    String Comment;
    IsComment(ACol, ARow, Comment);
    return Comment;
}

void TExStringGrid::SetComment(Integer ACol, Integer ARow, const String& Value)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G)
        AddComment(ACol, ARow, Value);
    else if (G->CellType() == ctComment)
        G->SetCellText(Value);
}

void TExStringGrid::RemoveAllComments()
{
    ForEachDisplayCell([this](Integer C, Integer R) { RemoveComment(RealColIndex(C), R); });
}

// ---------------------------------------------------------------- shapes and ratings

void TExStringGrid::AddShape(Integer ACol, Integer ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                             TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctShape);
    G->SetCellAngle(Shape);
    G->SetCellIndex(Integer(FillColor));
    G->SetCellBitmapValue(Integer(LineColor));
    G->SetCellHAlign(hal);
    G->SetCellVAlign(val);
}

void TExStringGrid::SetShapeColor(Integer ACol, Integer ARow, TColor FillColor)
{
    if (TCellGraphic* G = GraphicOfType(ACol, ARow, ctShape))
        G->SetCellIndex(Integer(FillColor));
}

TColor TExStringGrid::GetShapeColor(Integer ACol, Integer ARow)
{
    TCellGraphic* G = GraphicOfType(ACol, ARow, ctShape);
    return G ? TColor(G->CellIndex()) : clNone;
}

void TExStringGrid::AddRating(Integer ACol, Integer ARow, Integer Scale, TColor FillColor, TColor EmptyColor)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctRating);
    G->SetCellAngle(Scale);
    G->SetCellIndex(Integer(FillColor));
    G->SetCellBitmapValue(Integer(EmptyColor));
    G->SetCellHAlign(haFull);
}

bool TExStringGrid::HasRating(Integer ACol, Integer ARow)
{
    return BaseGraphicOfType(ACol, ARow, ctRating) != nullptr;
}

// ---------------------------------------------------------------- in-cell scroll bars

void TExStringGrid::AddScrollBar(Integer ACol, Integer ARow, bool AutoRange)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctScrollbar);
    G->SetCellAngle(0);
    G->SetCellErrFrom(100);
    G->SetCellIndex(0);
    G->SetCellBoolean(AutoRange);
    if (AutoRange)
        ApplyAutoScrollRange(ACol, ARow);
}

bool TExStringGrid::HasScrollBar(Integer ACol, Integer ARow)
{
    return BaseGraphicOfType(ACol, ARow, ctScrollbar) != nullptr;
}

bool TExStringGrid::HasAutoRangeScrollBar(Integer ACol, Integer ARow)
{
    TCellGraphic* G = BaseGraphicOfType(ACol, ARow, ctScrollbar);
    return G && G->CellBoolean();
}

void TExStringGrid::SetScrollPosition(Integer ACol, Integer ARow, Integer Pos)
{
    if (TCellGraphic* G = BaseGraphicOfType(ACol, ARow, ctScrollbar)) {
        G->SetCellIndex(Pos);
        RepaintCell(DisplColIndex(ACol), ARow);
    }
}

Integer TExStringGrid::GetScrollPosition(Integer ACol, Integer ARow)
{
    TCellGraphic* G = BaseGraphicOfType(ACol, ARow, ctScrollbar);
    return G ? G->CellIndex() : -1;
}

void TExStringGrid::SetScrollProp(Integer ACol, Integer ARow, TScrollProp Prop)
{
    if (TCellGraphic* G = BaseGraphicOfType(ACol, ARow, ctScrollbar)) {
        G->SetCellAngle(Prop.PageSize);
        G->SetCellErrFrom(Prop.Range);
    }
}

TScrollProp TExStringGrid::GetScrollProp(Integer ACol, Integer ARow)
{
    TCellGraphic* G = BaseGraphicOfType(ACol, ARow, ctScrollbar);
    return G ? TScrollProp{G->CellAngle(), G->CellErrFrom()} : TScrollProp{-1, -1};
}

// Page size: the row's height; range: the height of the cell's text
// wrapped beside a vertical scroll bar.
void TExStringGrid::ApplyAutoScrollRange(Integer ACol, Integer ARow)
{
    const Integer Room = std::max(1, ColWidths(DisplColIndex(ACol)) - GetSystemMetrics(SM_CXVSCROLL) - 4);
    const QFontMetrics Metrics(GetCellFont(ACol, ARow)->ToQFont());
    const Integer TextHeight =
        Metrics.boundingRect(QRect(0, 0, Room, 1 << 20), Qt::TextWordWrap, Cells(ACol, ARow)).height();
    SetScrollProp(ACol, ARow, TScrollProp{RowHeights(ARow), TextHeight});
}

void TExStringGrid::CellTextChanged(Integer ACol, Integer ARow)
{
    TBaseGrid::CellTextChanged(ACol, ARow);
    if (HasAutoRangeScrollBar(ACol, ARow))
        ApplyAutoScrollRange(ACol, ARow);
}

void TExStringGrid::ShowCellScrollBar(Integer ACol, Integer ARow)
{
    TCellGraphic* G = BaseGraphicOfType(ACol, ARow, ctScrollbar);
    if (!G)
        return;
    if (!FScrollBar) {
        FScrollBar = new TScrollBar(this);
        FScrollBar->SetKind(sbVertical);
        FScrollBar->SetParent(this);
        FScrollBar->OnScroll = [this](TObject*, TScrollCode Code, Integer& Pos) {
            TWMScroll Message{WM_VSCROLL, Word(Code), SmallInt(Pos), FScrollBar->Handle(), 0};
            WMVScroll(Message);
            Pos = FScrollBar->Position();
        };
    }
    FScrollCol = ACol;
    FScrollRow = ARow;
    const TRect R = CellRect(DisplColIndex(ACol), ARow);
    const Integer Width = GetSystemMetrics(SM_CXVSCROLL);
    FScrollBar->SetBounds(R.Right - Width, R.Top, Width, R.Height());
    FScrollBar->SetPageSize(0);
    FScrollBar->SetParams(G->CellIndex(), 0, std::max(0, G->CellErrFrom()));
    FScrollBar->SetPageSize(std::clamp(G->CellAngle(), 0, std::max(0, G->CellErrFrom()) + 1));
    FScrollBar->SetVisible(true);
}

bool TExStringGrid::CellScrollBarMessage(TWMScroll& Message)
{
    const Integer Old = FScrollBar->Position();
    Integer New = Old;
    switch (Message.ScrollCode) {
    case SB_LINEUP: New = Old - 10; break;
    case SB_LINEDOWN: New = Old + 10; break;
    case SB_PAGEUP: New = Old - 100; break;
    case SB_PAGEDOWN: New = Old + 100; break;
    case SB_THUMBTRACK: New = Message.Pos; break;
    default: break;
    }
    // Every step, page steps too, stays within the bar's range.
    New = std::clamp(New, FScrollBar->Min(), FScrollBar->Max());
    if (New == Old)
        return false;
    FScrollBar->SetPosition(New);
    SetScrollPosition(FScrollCol, FScrollRow, New);
    DoScrollCell(FScrollCol, FScrollRow);
    return true;
}

void TExStringGrid::DoScrollCell(Integer ACol, Integer ARow)
{
    if (OnScrollCell && FScrollBar)
        OnScrollCell(this, ACol, ARow, GetScrollPosition(ACol, ARow), FScrollBar->Min(), FScrollBar->Max());
}

// ---------------------------------------------------------------- buttons

void TExStringGrid::AddButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption,
                              TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
}

void TExStringGrid::AddBitButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption,
                                 TBitmap* Glyph, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

TBitmap* TExStringGrid::CreateBitButton(Integer ACol, Integer ARow, Integer bw, Integer bh, const String& Caption,
                                        TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    return CreateOwned<TBitmap>(G, [&](TBitmap* B) { G->SetBitButton(bw, bh, Caption, B, hal, val); });
}

bool TExStringGrid::HasButton(Integer ACol, Integer ARow)
{
    return BaseGraphicOfType(ACol, ARow, ctButton) || BaseGraphicOfType(ACol, ARow, ctBitButton);
}

void TExStringGrid::SetButtonText(Integer ACol, Integer ARow, const String& Caption)
{
    if (TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow)) {
        G->SetCellText(Caption);
        RepaintCell(ACol, ARow);
    }
}

String TExStringGrid::GetButtonText(Integer ACol, Integer ARow)
{
    TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
    return G ? G->CellText() : String();
}

void TExStringGrid::PushButton(Integer ACol, Integer ARow, bool push)
{
    TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!G || G->CellType() == ctNode)
        return;
    G->SetCellBoolean(push);
    RepaintCell(ACol, ARow);
}

void TExStringGrid::RemoveButton(Integer ACol, Integer ARow)
{
    if (!RemoveCellGraphicOfType(ACol, ARow, ctButton))
        RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TExStringGrid::RemoveAllButtons()
{
    ForEachDisplayCell([this](Integer C, Integer R) { RemoveButton(RealColIndex(C), R); });
}

// ---------------------------------------------------------------- expand buttons

void TExStringGrid::AddExpand(Integer ACol, Integer ARow, Integer ExpandedHeight)
{
    TCellGraphic* G = CreateCellGraphic(ACol, ARow);
    G->SetCellType(ctExpand);
    G->SetCellAngle(ExpandedHeight);
    G->SetCellIndex(RowHeights(ARow));
    G->SetCellVar(Variant(false));
}

bool TExStringGrid::HasExpand(Integer ACol, Integer ARow)
{
    return BaseGraphicOfType(ACol, ARow, ctExpand) != nullptr;
}

bool TExStringGrid::ToggleExpand(Integer ACol, Integer ARow)
{
    TCellGraphic* G = BaseGraphicOfType(ACol, ARow, ctExpand);
    if (!G)
        return false;
    const bool Expanded = !G->CellVar().toBool();
    G->SetCellVar(Variant(Expanded));
    return Expanded;
}

bool TExStringGrid::GetExpandState(Integer ACol, Integer ARow)
{
    TCellGraphic* G = BaseGraphicOfType(ACol, ARow, ctExpand);
    return G && G->CellVar().toBool();
}

Integer TExStringGrid::GetExpandHeight(Integer ACol, Integer ARow, bool Expanded)
{
    TCellGraphic* G = BaseGraphicOfType(ACol, ARow, ctExpand);
    if (!G)
        return DefaultRowHeight();
    return Expanded ? G->CellAngle() : G->CellIndex();
}

TRect TExStringGrid::GetExpandRect(Integer ACol, Integer ARow)
{
    if (!HasExpand(ACol, ARow))
        return TRect(0, 0, 0, 0);
    const TRect R = CellRect(DisplColIndex(ACol), ARow);
    return TRect(R.Right - 13, R.Top + 2, R.Right - 2, R.Top + 13);
}

TRect TExStringGrid::GetButtonRect(Integer ACol, Integer ARow)
{
    TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!G)
        return TRect(0, 0, 0, 0);
    const TRect Cell = CellRect(ACol, ARow);
    const TPoint Offset = WordHalves(Integer(Round(G->CellValue())));
    const TPoint Size = WordHalves(G->CellIndex());
    TRect R(Cell.Left + Offset.X, Cell.Top + Offset.Y, 0, 0);
    R.Right = R.Left + Size.X;
    R.Bottom = R.Top + Size.Y;
    if (G->CellVAlign() == vaFull) {
        R.Top = Cell.Top;
        R.Bottom = Cell.Bottom;
    }
    if (G->CellHAlign() == haFull) {
        R.Left = Cell.Left;
        R.Right = Cell.Right;
    }
    return R;
}

// ---------------------------------------------------------------- interfaced cells

void TExStringGrid::AddInterfacedCell(Integer ACol, Integer ARow, TPersistent* AObject)
{
    CreateCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

TPersistent* TExStringGrid::GetInterfacedCell(Integer ACol, Integer ARow)
{
    TCellGraphic* G = GraphicOfType(ACol, ARow, ctInterface);
    return G ? dynamic_cast<TPersistent*>(G->CellBitmap()) : nullptr;
}

// ---------------------------------------------------------------- balloons

void TExStringGrid::AddBalloon(Integer ACol, Integer ARow, const String& Title, const String& Text, Integer Icon)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (G && !IsBoxWithBalloonRoom(G->CellType()))
        return;
    if (!G) {
        G = CreateCellGraphic(ACol, ARow);
        G->SetCellType(ctBalloon);
    }
    G->SetCellAngle(G->CellType() == ctBalloon ? 0 : 1);
    G->SetCellIndex(Icon);
    G->OwnCellBitmap(BalloonTexts(Title, Text));
}

bool TExStringGrid::HasBalloon(Integer ACol, Integer ARow)
{
    return BaseGraphicOfType(ACol, ARow, ctBalloon) != nullptr;
}

bool TExStringGrid::IsBalloon(Integer ACol, Integer ARow, String& Title, String& Text, Integer& Icon)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G || !(G->CellType() == ctBalloon || (IsBoxWithBalloonRoom(G->CellType()) && G->CellAngle() == 1)))
        return false;
    auto* Lines = dynamic_cast<TStrings*>(G->CellBitmap());
    if (!Lines || Lines->Count() < 2)
        return false;
    Title = Lines->Strings(0);
    Text = Lines->Strings(1);
    Icon = G->CellIndex();
    return true;
}

void TExStringGrid::RemoveBalloon(Integer ACol, Integer ARow)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (G && IsBoxWithBalloonRoom(G->CellType()) && G->CellAngle() == 1) {
        G->SetCellAngle(0);
        G->OwnCellBitmap(nullptr);
        return;
    }
    RemoveCellGraphicOfType(ACol, ARow, ctBalloon);
}

// ---------------------------------------------------------------- error markers

void TExStringGrid::AddMarker(Integer ACol, Integer ARow, Integer ErrPos, Integer ErrLen)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G) {
        G = CreateCellGraphic(ACol, ARow);
        G->SetCellType(ctEmpty);
    }
    G->SetCellErrFrom(ErrPos);
    G->SetCellErrLen(ErrLen);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TExStringGrid::GetMarker(Integer ACol, Integer ARow, Integer& ErrPos, Integer& ErrLen)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    ErrPos = G ? G->CellErrFrom() : 0;
    ErrLen = G ? G->CellErrLen() : 0;
}

void TExStringGrid::RemoveMarker(Integer ACol, Integer ARow)
{
    if (RemoveCellGraphicOfType(ACol, ARow, ctEmpty))
        return;
    if (TCellGraphic* G = GetCellGraphic(ACol, ARow)) {
        G->SetCellErrFrom(0);
        G->SetCellErrLen(0);
    }
}

void TExStringGrid::RemoveAllMarkers()
{
    ForEachDisplayCell([this](Integer C, Integer R) { RemoveMarker(RealColIndex(C), R); });
}

// ---------------------------------------------------------------- events of the pickers and ratings

void TExStringGrid::DoRatingChange(Integer ACol, Integer ARow, Double& NewRate, bool& Allow)
{
    Allow = true;
    if (OnRatingChange)
        OnRatingChange(this, ACol, ARow, NewRate, Allow);
}
