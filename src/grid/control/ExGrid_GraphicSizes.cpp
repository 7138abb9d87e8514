// The string grid: the room a cell's graphic takes on screen and on paper.
#include "grid/control/ExGrid.h"


#include <algorithm>
#include <optional>

namespace {

bool BesideText(const TCellGraphic* G)
{
    return G->CellHAlign() == haBeforeText || G->CellHAlign() == haAfterText;
}

bool OverOrUnderText(const TCellGraphic* G)
{
    return G->CellVAlign() == vaUnderText || G->CellVAlign() == vaAboveText;
}

TPoint Square(Integer Side)
{
    return TPoint(Side, Side);
}

// A button's size: width in the low 16 bits of CellIndex, height in the high.
TPoint PackedSize(const TCellGraphic* G)
{
    const auto Packed = static_cast<std::uint32_t>(G->CellIndex());
    return TPoint(Integer(Packed & 0xFFFF), Integer(Packed >> 16));
}

TPoint GraphicSize(TObject* Object)
{
    auto* Graphic = dynamic_cast<TGraphic*>(Object);
    return Graphic ? TPoint(Graphic->Width(), Graphic->Height()) : TPoint(0, 0);
}

TStrings* RadioOptions(const TCellGraphic* G)
{
    return dynamic_cast<TStrings*>(G->CellBitmap());
}

Integer ImageCount(const TCellGraphic* G)
{
    auto* Indexes = dynamic_cast<TIntList*>(G->CellBitmap());
    return Indexes ? Indexes->Count() : 0;
}

bool IsButton(TCellType T)
{
    return T == ctButton || T == ctBitButton;
}

} // namespace

// The kinds whose room is the same on screen, on paper and for painting.
std::optional<TPoint> TExStringGrid::CommonGraphicSize(const TCellGraphic* G, Integer ARow)
{
    switch (G->CellType()) {
    case ctCheckBox:
    case ctTriStateCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        return Square(FControlLook->CheckSize());
    case ctImages:
        return ImagesSize(G);
    case ctProgressPie:
        return Square(20);
    case ctShape:
        return Square(RowHeights(ARow) - 2 * FXYOffset.Y);
    default:
        return std::nullopt;
    }
}

TPoint TExStringGrid::GetCellGraphicSize(Integer ACol, Integer ARow)
{
    return GetCellGraphicSizeEx(ACol, ARow, 0);
}

TPoint TExStringGrid::CellPixelSize(Integer ACol, Integer ARow) const
{
    return TPoint(ColWidths(DisplColIndex(ACol)), RowHeights(ARow));
}

TPoint TExStringGrid::GridImageSize()
{
    TImageList* Images = GetGridImages();
    return Images ? TPoint(Images->Width(), Images->Height()) : TPoint(0, 0);
}

TPoint TExStringGrid::InterfaceSize(const TCellGraphic* G, TPoint Cell) const
{
    auto* Object = dynamic_cast<IGridCellInterface*>(G->CellBitmap());
    const TSize Size = Object ? Object->GetSize() : TSize(0, 0);
    return TPoint(Size.cx > 0 ? Size.cx : Cell.X, Size.cy > 0 ? Size.cy : Cell.Y);
}

// Options side by side, or one under the other (at least 16 pixels a line).
TPoint TExStringGrid::RadioGroupSize(const TCellGraphic* G, bool Print)
{
    TStrings* Options = RadioOptions(G);
    const Integer Count = Options ? Options->Count() : 0;
    const Integer LineHeight = Canvas()->TextHeight(QStringLiteral("gh"));
    Integer Width = 0;
    if (G->CellBoolean()) {
        for (Integer I = 0; I < Count; ++I)
            Width += Canvas()->TextWidth(Options->Strings(I)) + 12;
        return TPoint(Width, LineHeight);
    }
    for (Integer I = 0; I < Count; ++I)
        Width = std::max(Width, Canvas()->TextWidth(Options->Strings(I)));
    return TPoint(std::max<Integer>(12, Width + 12), (Print ? LineHeight : std::max<Integer>(16, LineHeight)) * Count);
}

TPoint TExStringGrid::ImagesSize(const TCellGraphic* G)
{
    const TPoint Image = GridImageSize();
    const Integer Count = ImageCount(G);
    return G->CellBoolean() ? TPoint(Count * Image.X, Image.Y) : TPoint(Image.X, Count * Image.Y);
}

TPoint TExStringGrid::ButtonSize(const TCellGraphic* G, bool HasText)
{
    TPoint Size = PackedSize(G);
    if (!HasText) {
        if (G->CellHAlign() == haFull) {
            Canvas()->Font()->Assign(Font());
            Size.X = Canvas()->TextWidth(G->CellText()) + 4;
        }
        return Size;
    }
    if (G->CellHAlign() == haCenter)
        Size.X = 0;
    if (G->CellHAlign() == haFull)
        Size.X = Canvas()->TextWidth(G->CellText()) + 4;
    if (OverOrUnderText(G))
        Size.X = 0;
    else
        Size.Y = 0;
    return Size;
}

TPoint TExStringGrid::GetCellGraphicSizeEx(Integer ACol, Integer ARow, Integer Extra)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G)
        return TPoint(0, 0);
    const bool HasText = !Cells(ACol, ARow).isEmpty();
    const bool WidthShown = BesideText(G) || !HasText;
    const TPoint Cell = CellPixelSize(ACol, ARow);
    TPoint Size = CommonGraphicSize(G, ARow).value_or(TPoint(0, 0));
    switch (G->CellType()) {
    case ctBitmap:
    case ctIcon: {
        const TPoint Picture = GraphicSize(G->CellType() == ctBitmap ? G->CellBitmap() : G->CellIcon());
        const bool HeightShown = G->CellType() == ctIcon || !HasText || OverOrUnderText(G);
        Size = TPoint(WidthShown ? Picture.X : 0, HeightShown ? Picture.Y : 0);
        break;
    }
    case ctImageList:
    case ctDataImage: {
        const TPoint Image = GridImageSize();
        Size = TPoint(WidthShown ? Image.X : 0, OverOrUnderText(G) || !HasText ? Image.Y : 0);
        break;
    }
    case ctRadioButton:
        Size = Square(FControlLook->RadioSize());
        break;
    case ctRadio:
        Size = RadioGroupSize(G, false);
        break;
    case ctPicture:
    case ctFilePicture:
        Size = G->GetPictureSize(Cell.X - HorzCellMargin() - 1, Cell.Y - VertCellMargin() - Extra - 1, HasText);
        break;
    case ctButton:
    case ctBitButton:
        Size = ButtonSize(G, HasText);
        break;
    case ctInterface:
        Size = InterfaceSize(G, Cell);
        break;
    case ctRating:
        Size = TPoint(G->CellAngle() * 18, 16);
        break;
    default:
        break;
    }
    if (G->CellVAlign() == vaFull)
        Size.Y = Cell.Y;
    const bool CaptionOnlyButton = IsButton(G->CellType()) && !HasText && !G->CellText().isEmpty();
    if (G->CellHAlign() == haFull && G->CellType() != ctRating && !CaptionOnlyButton)
        Size.X = Cell.X;
    return Size;
}

TPoint TExStringGrid::GetCellGraphicExtent(Integer ACol, Integer ARow, Double Scale, Integer AvailWidth,
                                           Integer AvailHeight)
{
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G)
        return TPoint(0, 0);
    const bool HasText = !Cells(ACol, ARow).isEmpty();
    if (const auto Common = CommonGraphicSize(G, ARow))
        return *Common;
    const TPoint Cell = CellPixelSize(ACol, ARow);
    switch (G->CellType()) {
    case ctBitmap:
        return GraphicSize(G->CellBitmap());
    case ctIcon:
        return GraphicSize(G->CellIcon());
    case ctImageList: {
        const TPoint Image = GridImageSize();
        return TPoint(BesideText(G) || !HasText ? Image.X : 0, Image.Y);
    }
    case ctDataImage:
        return GridImageSize();
    case ctRadioButton:
        return Square(FControlLook->RadioSize());
    case ctRadio:
        return RadioGroupSize(G, true);
    case ctPicture:
    case ctFilePicture: {
        // A scale of 0 or less prints the picture unscaled.
        const Double Factor = Scale > 0 ? Scale : 1.0;
        const TPoint Fitted = G->GetPictureSize(AvailWidth, AvailHeight, HasText);
        return TPoint(Integer(Round(Fitted.X / Factor)), Integer(Round(Fitted.Y / Factor)));
    }
    case ctButton:
    case ctBitButton:
        return PackedSize(G);
    case ctNode:
        return Square(20);
    case ctProgress:
    case ctXPProgress:
        return Cell;
    case ctInterface:
        return InterfaceSize(G, Cell);
    default:
        return TPoint(0, 0);
    }
}

TCellGraphic* TExStringGrid::GetCellGraphicInfo(Integer ACol, Integer ARow, Integer& Width, Integer& Height,
                                                TCellHAlign& HAlign, TCellVAlign& VAlign, bool& TextAllowed)
{
    Width = 0;
    Height = 0;
    HAlign = haLeft;
    VAlign = vaTop;
    TextAllowed = true;
    TCellGraphic* G = GetCellGraphic(ACol, ARow);
    if (!G)
        return nullptr;
    HAlign = G->CellHAlign();
    VAlign = G->CellVAlign();
    TPoint Size = CommonGraphicSize(G, ARow).value_or(TPoint(0, 0));
    switch (G->CellType()) {
    case ctBitmap:
        Size = GraphicSize(G->CellBitmap());
        break;
    case ctIcon:
        Size = GraphicSize(G->CellIcon());
        break;
    case ctImageList:
    case ctDataImage:
        Size = GridImageSize();
        TextAllowed = G->CellType() == ctImageList;
        break;
    case ctRadioButton:
        Size = Square(FControlLook->RadioSize() + 4);
        break;
    case ctPicture:
    case ctFilePicture: {
        const TPoint Cell = CellPixelSize(ACol, ARow);
        Size = G->GetPictureSize(Cell.X, Cell.Y, !Cells(ACol, ARow).isEmpty());
        break;
    }
    case ctButton:
    case ctBitButton:
        Size = PackedSize(G);
        break;
    case ctInterface:
        Size = InterfaceSize(G, TPoint(0, 0));
        break;
    case ctRating:
        Size = TPoint(G->CellAngle() * 18, 16);
        TextAllowed = false;
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadio:
    case ctProgress:
    case ctXPProgress:
    case ctRangeIndicator:
    case ctRotated:
        TextAllowed = false;
        break;
    default:
        break;
    }
    Width = Size.X;
    Height = Size.Y;
    return G;
}

Integer TExStringGrid::HorzCellMargin() const
{
    return FXYOffsetTopLeftOnly ? FXYOffset.X : 2 * FXYOffset.X;
}

Integer TExStringGrid::VertCellMargin() const
{
    return FXYOffsetTopLeftOnly ? FXYOffset.Y : 2 * FXYOffset.Y;
}
