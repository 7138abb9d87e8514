#pragma once
// What a cell shows besides its text: one TCellGraphic per cell at most,
// kept in the cell's properties; the grid's node look (TCellNode) and the
// text editor's growth flags (TSizeWhileTyping).
#include "grid/base/ExObj.h"
#include "grid/control/ExGrid_Settings.h"
#include "rtl/StdCtrls.h"
#include "rtl/Variants.h"

#include <memory>

// Kinds of cell graphic; ordinals are stored and compared.
RTL_NAMED_BYTE_ENUM(TCellType,
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage,
    ctNode, ctRadio, ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment,
    ctButton, ctBitButton, ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary,
    ctRangeIndicator, ctXPProgress, ctInterface, ctScrollbar, ctRadioButton, ctBalloon, ctShape,
    ctRating, ctTriStateCheckBox, ctExpand)

RTL_NAMED_BYTE_ENUM(TCellVAlign, vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull)
RTL_NAMED_BYTE_ENUM(TCellHAlign, haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull)

// How a picture is fitted into its cell; noStretch first, so a graphic's
// zero angle means the picture's own size.
RTL_NAMED_ENUM(TStretchMode, noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio)

RTL_NAMED_ENUM(TNodeType, cnFlat, cn3D, cnGlyph, cnLeaf, cnXP)

// An in-cell scroll bar's page size and range.
struct TScrollProp {
    Integer PageSize = 0;
    Integer Range = 0;
};

// The graphic of one cell. What each field holds depends on the kind; the
// kinds that keep a colour where others keep an object use the Value
// accessors of the same slot.
//
// Ownership: the graphic frees only the objects handed to it through
// OwnCellBitmap/OwnCellIcon (made for it, e.g. by SetMultiImage), whatever
// CellCreated says; objects given through the setters stay the caller's.
// CellCreated is kept for reading only.
class TCellGraphic : public TPersistent {
public:
    TCellGraphic();
    ~TCellGraphic() override;
    TCellGraphic(const TCellGraphic&) = delete;
    TCellGraphic& operator=(const TCellGraphic&) = delete;

    // From another graphic: kind, placements, index, transparency, value,
    // angle, Boolean, error marker, text and the CellCreated value; not the
    // bitmap, icon, variant or tri-state, and never ownership. Any other
    // source changes nothing.
    void Assign(TPersistent* Source) override;

    TCellType CellType() const { return FCellType; }
    void SetCellType(TCellType Value) { FCellType = Value; }
    // The slot's object; nullptr while it holds a value.
    TObject* CellBitmap() const { return FCellBitmap.Object; }
    void SetCellBitmap(TObject* Value) { FCellBitmap.SetObject(Value); }
    // The slot's 32-bit value (a colour); 0 while it holds an object.
    Integer CellBitmapValue() const { return FCellBitmap.Value; }
    void SetCellBitmapValue(Integer Value) { FCellBitmap.SetValue(Value); }
    TIcon* CellIcon() const { return static_cast<TIcon*>(FCellIcon.Object); }
    void SetCellIcon(TIcon* Value) { FCellIcon.SetObject(Value); }
    Integer CellIconValue() const { return FCellIcon.Value; }
    void SetCellIconValue(Integer Value) { FCellIcon.SetValue(Value); }
    RTL_STORED_PROPERTY(TCellVAlign, CellVAlign, vaTop)
    RTL_STORED_PROPERTY(TCellHAlign, CellHAlign, haLeft)
    RTL_STORED_PROPERTY(Integer, CellIndex, 0)
    RTL_STORED_PROPERTY(bool, CellTransparent, false)
    RTL_STORED_PROPERTY(bool, CellCreated, false)
    RTL_STORED_PROPERTY(bool, CellBoolean, false)
    RTL_STORED_PROPERTY(Integer, CellAngle, 0)
    RTL_STORED_PROPERTY(Double, CellValue, 0.0)
    RTL_STORED_PROPERTY(Integer, CellErrFrom, 0)
    RTL_STORED_PROPERTY(Integer, CellErrLen, 0)
    RTL_STORED_PROPERTY(String, CellText, String())
    RTL_STORED_PROPERTY(Variant, CellVar, Variant())
    RTL_STORED_PROPERTY(TCheckBoxState, CellCheckBoxState, cbUnchecked)

    // Puts an object made for this graphic into the slot; the graphic frees
    // it (also when the slot is written again later, at its destruction).
    void OwnCellBitmap(std::unique_ptr<TObject> Value);
    void OwnCellIcon(std::unique_ptr<TIcon> Value);

    void SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
    void SetIcon(TIcon* aicon, TCellHAlign hal, TCellVAlign val);
    void SetImageIdx(Integer idx, TCellHAlign hal, TCellVAlign val);
    void SetDataImage(Integer idx, TCellHAlign hal, TCellVAlign val);
    // A new image list owned by the graphic, reporting its changes for
    // (Col, Row) through Notifier; CellBoolean is dir = 0.
    void SetMultiImage(Integer Col, Integer Row, Integer dir, TCellHAlign hal, TCellVAlign val,
                       const TImageChangeEvent& Notifier);
    void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, Integer padding,
                    TCellHAlign hal, TCellVAlign val);
    void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode stretchmode, Integer padding,
                        TCellHAlign hal, TCellVAlign val);
    // ctDataCheckBox when Data, else ctCheckBox.
    void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
    // The size packed into CellIndex: height in the high 16 bits, width in
    // the low 16 bits.
    void SetButton(Integer bw, Integer bh, const String& caption, TCellHAlign hal, TCellVAlign val);
    void SetBitButton(Integer bw, Integer bh, const String& caption, TBitmap* Glyph, TCellHAlign hal,
                      TCellVAlign val);
    // The caller's object, which draws the cell.
    void SetInterfacedCell(TPersistent* AObject);
    // ctRotated with the angle brought into 0..360 (360 stays 360).
    void SetAngle(SmallInt AAngle);
    // The drawn size of a ctPicture or ctFilePicture graphic in an area of
    // cw x rh less the padding in CellIndex, by the stretch mode in
    // CellAngle; halves round to even. A picture graphic without picture
    // counts as 0 x 0; other kinds answer (0, 0). hastext changes nothing.
    TPoint GetPictureSize(Integer cw, Integer rh, bool hastext) const;

private:
    // An object reference or a 32-bit value in its place.
    struct TSlot {
        TObject* Object = nullptr;
        Integer Value = 0;
        void SetObject(TObject* AObject)
        {
            Object = AObject;
            Value = 0;
        }
        void SetValue(Integer AValue)
        {
            Object = nullptr;
            Value = AValue;
        }
    };

    void SetPlacement(TCellHAlign hal, TCellVAlign val);
    void SetPictureFields(TCellType Kind, TPersistent* APicture, bool Transparent, TStretchMode Mode,
                          Integer padding, TCellHAlign hal, TCellVAlign val);
    // Width and height of the picture in the slot (0 x 0 without one).
    TPoint PictureExtent() const;

    TCellType FCellType = ctNone;
    TSlot FCellBitmap;
    TSlot FCellIcon;
    std::unique_ptr<TObject> FOwnedBitmap;
    std::unique_ptr<TIcon> FOwnedIcon;
};

class TExStringGrid;

// What the caller's object of a ctInterface cell tells the grid: the size
// it wants (0 for a side means the cell's), whether it goes under the
// cell's text rather than over it, and its drawing into the cell.
class IGridCellInterface {
public:
    virtual ~IGridCellInterface() = default;
    virtual TSize GetSize() const = 0;
    virtual bool DrawUnderText() const { return false; }
    virtual void Draw(TCanvas* Canvas, const TRect& R, TExStringGrid* Grid, bool Selected, Integer ARow,
                      Integer ACol) = 0;
};

// The look of the tree nodes of the grid. Writing NodeType, ShowTree,
// ShowTreeFull, TreeColor or NodeIndent with a new value raises OnChange, on
// which the grid repaints; the glyph setters copy the bitmap silently.
class TCellNode : public TRepaintingSettings {
public:
    explicit TCellNode(TPersistent* AOwner);
    ~TCellNode() override;

    // Every property from another node look; no event.
    void Assign(TPersistent* Source) override;
    TPersistent* Owner() const { return FOwner; }

    RTL_STORED_PROPERTY(TColor, Color, clSilver)
    RTL_PROPERTY_STORED_BY(StoreChanged, TNodeType, NodeType, cnXP)
    RTL_STORED_PROPERTY(TColor, NodeColor, clBlack)
    TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
    void SetExpandGlyph(TBitmap* Value) { FExpandGlyph->Assign(Value); }
    RTL_STORED_PROPERTY(bool, ExpandOne, false)
    TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
    void SetContractGlyph(TBitmap* Value) { FContractGlyph->Assign(Value); }
    RTL_PROPERTY_STORED_BY(StoreChanged, bool, ShowTree, true)
    RTL_PROPERTY_STORED_BY(StoreChanged, bool, ShowTreeFull, true)
    // Pixels.
    RTL_PROPERTY_STORED_BY(StoreChanged, Integer, NodeIndent, 12)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, TreeColor, clGray)

private:
    std::unique_ptr<TBitmap> FExpandGlyph;
    std::unique_ptr<TBitmap> FContractGlyph;
    TPersistent* FOwner;
};

// With Height the text editor grows the row while multi-line text is typed,
// with Width the column.
class TSizeWhileTyping : public TPersistent {
public:
    RTL_STORED_PROPERTY(bool, Height, false)
    RTL_STORED_PROPERTY(bool, Width, false)
};
