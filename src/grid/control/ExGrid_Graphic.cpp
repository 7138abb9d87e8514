// The cell graphic, the node look and the editor's growth flags.
#include "grid/control/ExGrid_Graphic.h"

// ---------------------------------------------------------------- TCellGraphic

TCellGraphic::TCellGraphic() = default;

TCellGraphic::~TCellGraphic() = default;

void TCellGraphic::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TCellGraphic*>(Source);
    if (!S)
        return;
    using G = TCellGraphic;
    CopyMembers(*this, *S, &G::FCellType, &G::FCellVAlign, &G::FCellHAlign, &G::FCellIndex,
                &G::FCellTransparent, &G::FCellValue, &G::FCellAngle, &G::FCellBoolean, &G::FCellErrFrom,
                &G::FCellErrLen, &G::FCellText, &G::FCellCreated);
}

void TCellGraphic::OwnCellBitmap(std::unique_ptr<TObject> Value)
{
    FCellBitmap.SetObject(Value.get());
    FOwnedBitmap = std::move(Value);
}

void TCellGraphic::OwnCellIcon(std::unique_ptr<TIcon> Value)
{
    FCellIcon.SetObject(Value.get());
    FOwnedIcon = std::move(Value);
}

void TCellGraphic::SetPlacement(TCellHAlign hal, TCellVAlign val)
{
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctBitmap;
    SetCellBitmap(ABmp);
    FCellTransparent = Transparent;
    SetPlacement(hal, val);
}

void TCellGraphic::SetIcon(TIcon* aicon, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctIcon;
    SetCellIcon(aicon);
    SetPlacement(hal, val);
}

void TCellGraphic::SetImageIdx(Integer idx, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctImageList;
    FCellIndex = idx;
    SetPlacement(hal, val);
}

void TCellGraphic::SetDataImage(Integer idx, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctDataImage;
    FCellIndex = idx;
    SetPlacement(hal, val);
}

void TCellGraphic::SetMultiImage(Integer Col, Integer Row, Integer dir, TCellHAlign hal, TCellVAlign val,
                                 const TImageChangeEvent& Notifier)
{
    FCellType = ctImages;
    SetPlacement(hal, val);
    FCellBoolean = dir == 0;
    auto Images = std::make_unique<TIntList>(Col, Row);
    Images->OnChange = Notifier;
    OwnCellBitmap(std::move(Images));
    FCellCreated = true;
}

void TCellGraphic::SetPictureFields(TCellType Kind, TPersistent* APicture, bool Transparent, TStretchMode Mode,
                                    Integer padding, TCellHAlign hal, TCellVAlign val)
{
    FCellType = Kind;
    SetCellBitmap(APicture);
    FCellTransparent = Transparent;
    FCellAngle = Mode;
    FCellIndex = padding;
    SetPlacement(hal, val);
}

void TCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, Integer padding,
                              TCellHAlign hal, TCellVAlign val)
{
    SetPictureFields(ctPicture, APicture, Transparent, StretchMode, padding, hal, val);
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode stretchmode,
                                  Integer padding, TCellHAlign hal, TCellVAlign val)
{
    SetPictureFields(ctFilePicture, APicture, Transparent, stretchmode, padding, hal, val);
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    FCellType = Data ? ctDataCheckBox : ctCheckBox;
    FCellAngle = 0;
    FCellBoolean = Value;
    FCellTransparent = Flat;
    SetPlacement(hal, val);
}

void TCellGraphic::SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctTriStateCheckBox;
    FCellCheckBoxState = Value;
    FCellBoolean = false;
    FCellTransparent = Flat;
    SetPlacement(hal, val);
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctRadioButton;
    FCellAngle = 0;
    FCellBoolean = Value;
    FCellTransparent = Flat;
    SetPlacement(hal, val);
}

void TCellGraphic::SetButton(Integer bw, Integer bh, const String& caption, TCellHAlign hal, TCellVAlign val)
{
    FCellType = ctButton;
    SetPlacement(hal, val);
    // Unsigned, so a height beyond 15 bits wraps into the sign as the
    // design's 32-bit arithmetic does.
    FCellIndex = Integer((Cardinal(bh) << 16) | (Cardinal(bw) & 0xFFFFu));
    FCellBoolean = false;
    FCellText = caption;
}

void TCellGraphic::SetBitButton(Integer bw, Integer bh, const String& caption, TBitmap* Glyph, TCellHAlign hal,
                                TCellVAlign val)
{
    SetButton(bw, bh, caption, hal, val);
    FCellType = ctBitButton;
    SetCellBitmap(Glyph);
}

void TCellGraphic::SetInterfacedCell(TPersistent* AObject)
{
    FCellType = ctInterface;
    SetCellBitmap(AObject);
}

void TCellGraphic::SetAngle(SmallInt AAngle)
{
    FCellType = ctRotated;
    Integer Angle = AAngle;
    while (Angle < 0)
        Angle += 360;
    while (Angle > 360)
        Angle -= 360;
    FCellAngle = Angle;
}

TPoint TCellGraphic::PictureExtent() const
{
    if (FCellType == ctPicture) {
        if (const auto* Picture = dynamic_cast<const TPicture*>(CellBitmap()))
            return {Picture->Width(), Picture->Height()};
    } else if (const auto* FilePicture = dynamic_cast<const TFilePicture*>(CellBitmap())) {
        return {FilePicture->Width(), FilePicture->Height()};
    }
    return {0, 0};
}

namespace {

// The factor that fits Extent into Room; 1 for an empty extent.
Double FitFactor(Integer Room, Integer Extent)
{
    return Extent <= 0 ? 1.0 : Double(Room) / Extent;
}

// The picture scaled by the smaller factor: it fills the room in one
// direction and keeps its proportions in the other.
TPoint FitWithAspectRatio(TPoint Picture, TPoint Room, Double fx, Double fy)
{
    if (fx >= fy)
        return {Integer(Round(Picture.X * fy)), Room.Y};
    return {Room.X, Integer(Round(Picture.Y * fx))};
}

} // namespace

TPoint TCellGraphic::GetPictureSize(Integer cw, Integer rh, bool /*hastext*/) const
{
    if (FCellType != ctPicture && FCellType != ctFilePicture)
        return {0, 0};
    const TPoint Picture = PictureExtent();
    const TPoint Room(cw - FCellIndex, rh - FCellIndex);
    const bool Fits = Picture.X <= Room.X && Picture.Y <= Room.Y;
    switch (FCellAngle) {
    case Stretch:
        return Room;
    case StretchWithAspectRatio:
        return FitWithAspectRatio(Picture, Room, FitFactor(Room.X, Picture.X), FitFactor(Room.Y, Picture.Y));
    case Shrink:
        return Fits ? Picture : Room;
    case ShrinkWithAspectRatio:
        if (Fits)
            return Picture;
        return FitWithAspectRatio(Picture, Room, std::min(FitFactor(Room.X, Picture.X), 1.0),
                                  std::min(FitFactor(Room.Y, Picture.Y), 1.0));
    default:
        return Picture;
    }
}

// ---------------------------------------------------------------- TCellNode

TCellNode::TCellNode(TPersistent* AOwner)
    : FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>()), FOwner(AOwner)
{
}

TCellNode::~TCellNode() = default;

void TCellNode::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TCellNode*>(Source);
    if (!S)
        return;
    using N = TCellNode;
    CopyMembers(*this, *S, &N::FColor, &N::FNodeType, &N::FNodeColor, &N::FExpandOne, &N::FShowTree,
                &N::FShowTreeFull, &N::FNodeIndent, &N::FTreeColor);
    FExpandGlyph->Assign(S->FExpandGlyph.get());
    FContractGlyph->Assign(S->FContractGlyph.get());
}
