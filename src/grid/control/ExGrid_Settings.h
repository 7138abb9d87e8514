#pragma once
// The string grid's look and settings objects. The grid creates each in its
// constructor, frees it with itself and copies them in its Assign. They only
// hold values: where a value needs the grid (a repaint, a gradient colour
// the grid keeps, a drop target to register), the object raises an event
// that the grid wires, so the objects stand without the grid class.
//
// Events, as the grid wires them:
//   OnChange                      repaint the grid (or, where said, a part)
//   TControlLook::OnGradientColor the grid takes the colour into its
//                                 QVXGradient... colour of that role
//   TDragDropSettings::OnDropTargetChange  register or revoke the drop target
//   TBalloonSettings::OnEnableChange       set up or remove the balloon window
//   TFloatingFooter::OnChange     repaint the footer panel (its look)
//   TFilter::OnColumnFilterRemoved repaint that column's header cell
#include "grid/base/ExDropDown_Appearance.h"
#include "grid/base/ExObj.h"
#include "rtl/Printers.h"

#include <memory>
#include <optional>

// Drawing style of in-cell controls. The runtime's TControlStyle (the
// controls' style flags) holds the design's name, hence the prefix.
RTL_NAMED_ENUM(TGridControlStyle, csClassic, csFlat, csWinXP, csBorland, csQVX, csGlyph, csTheme)

// The fourteen fixed-cell gradient colours of the look, each the role of
// one of the grid's QVXGradient... colours.
enum TFixedGradientColor {
    fgFrom, fgTo, fgMirrorFrom, fgMirrorTo, fgHoverFrom, fgHoverTo, fgHoverMirrorFrom, fgHoverMirrorTo,
    fgHoverBorder, fgDownFrom, fgDownTo, fgDownMirrorFrom, fgDownMirrorTo, fgDownBorder
};
using TFixedGradientColorEvent = std::function<void(TObject* Sender, TFixedGradientColor Role, TColor Value)>;

RTL_NAMED_ENUM(TProgressStyle, psXP, psClassic)
RTL_NAMED_ENUM(TBackGroundDisplay, bdTile, bdFixed, bdGradientHorz, bdGradientVert)
RTL_NAMED_ENUM(TBackGroundCells, bcNormal, bcFixed, bcAll)
RTL_NAMED_ENUM(TScrollDirection, sdVertical, sdHorizontal)
RTL_NAMED_ENUM(TSortDirection, sdAscending, sdDescending)
RTL_NAMED_ENUM(TSortBlankPosition, blFirst, blLast)
RTL_NAMED_ENUM(TIndexSortKey, ikShift, ikCtrl)
RTL_NAMED_ENUM(TFooterStyle, fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint)
RTL_NAMED_ENUM(TFilterOperation, foSHORT, foNONE, foAND, foXOR, foOR)
RTL_NAMED_ENUM(TFilterCells, fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow)
RTL_NAMED_ENUM(TFilterMethod, fmExpression, fmLiteral)
RTL_NAMED_ENUM(TPrintPosition, ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight,
               ppBottomCenter)
RTL_NAMED_ENUM(TPrintBorders, pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround,
               pbAroundVertical, pbAroundHorizontal, pbCustom)
RTL_NAMED_ENUM(TFitToPage, fpNever, fpGrow, fpShrink, fpAlways, fpCustom)

using TCalcFooterEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TFilterColumnEvent = std::function<void(TObject* Sender, Integer ACol)>;

// Raises OnChange after a store.
class TRepaintingSettings : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed()
    {
        if (OnChange)
            OnChange(this);
    }
    // Stores and raises OnChange, also for an unchanged value.
    template <class T>
    void StoreAlways(T& Field, const T& Value)
    {
        Field = Value;
        Changed();
    }
    // Stores and raises OnChange only for a new value.
    template <class T>
    void StoreChanged(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Changed();
    }
};

// ---------------------------------------------------------------------------
// Look: in-cell controls, progress bars, background

// How in-cell check boxes, radio buttons, buttons, progress bars, comment
// marks and drop-down buttons are drawn, the fixed cells' gradients and the
// header and footer of the drop-down editors. Setters of the drawn values
// repaint (OnChange); the gradient setters pass their colour to the grid
// (OnGradientColor) instead: From, To, HoverFrom, HoverTo, HoverBorder,
// DownFrom, DownTo and DownBorder only when it is not clNone, the mirror
// colours always.
class TControlLook : public TRepaintingSettings {
public:
    // AGrid owns the drop-down header and footer.
    explicit TControlLook(TPersistent* AGrid);
    ~TControlLook() override;

    // Resets the colours to their initial values; sizes, style and glyphs
    // stay.
    void Init();
    // From another look: everything but FlatButton, ProgressXP,
    // NoDisabledCheckRadioLook, NoDisabledButtonLook and
    // FixedDropDownButton; no event.
    void Assign(TPersistent* Source) override;
    TPersistent* Grid() const { return FGrid; }

    RTL_PROPERTY_STORED_BY(StoreAlways, TColor, Color, clBlack)
    RTL_PROPERTY_STORED_BY(StoreAlways, TColor, CommentColor, clRed)
    TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
    void SetCheckedGlyph(TBitmap* Value) { CopyGlyph(*FCheckedGlyph, Value); }
    TColor FixedGradientFrom() const { return FFixedGradientFrom; }
    void SetFixedGradientFrom(TColor Value) { SetGradient(FFixedGradientFrom, Value, fgFrom); }
    TColor FixedGradientTo() const { return FFixedGradientTo; }
    void SetFixedGradientTo(TColor Value) { SetGradient(FFixedGradientTo, Value, fgTo); }
    TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
    void SetFixedGradientMirrorFrom(TColor Value) { SetGradient(FFixedGradientMirrorFrom, Value, fgMirrorFrom); }
    TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
    void SetFixedGradientMirrorTo(TColor Value) { SetGradient(FFixedGradientMirrorTo, Value, fgMirrorTo); }
    TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
    void SetFixedGradientHoverFrom(TColor Value) { SetGradient(FFixedGradientHoverFrom, Value, fgHoverFrom); }
    TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
    void SetFixedGradientHoverTo(TColor Value) { SetGradient(FFixedGradientHoverTo, Value, fgHoverTo); }
    TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
    void SetFixedGradientHoverMirrorFrom(TColor Value)
    {
        SetGradient(FFixedGradientHoverMirrorFrom, Value, fgHoverMirrorFrom);
    }
    TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
    void SetFixedGradientHoverMirrorTo(TColor Value)
    {
        SetGradient(FFixedGradientHoverMirrorTo, Value, fgHoverMirrorTo);
    }
    TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
    void SetFixedGradientHoverBorder(TColor Value) { SetGradient(FFixedGradientHoverBorder, Value, fgHoverBorder); }
    TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
    void SetFixedGradientDownFrom(TColor Value) { SetGradient(FFixedGradientDownFrom, Value, fgDownFrom); }
    TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
    void SetFixedGradientDownTo(TColor Value) { SetGradient(FFixedGradientDownTo, Value, fgDownTo); }
    TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
    void SetFixedGradientDownMirrorFrom(TColor Value)
    {
        SetGradient(FFixedGradientDownMirrorFrom, Value, fgDownMirrorFrom);
    }
    TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
    void SetFixedGradientDownMirrorTo(TColor Value)
    {
        SetGradient(FFixedGradientDownMirrorTo, Value, fgDownMirrorTo);
    }
    TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
    void SetFixedGradientDownBorder(TColor Value) { SetGradient(FFixedGradientDownBorder, Value, fgDownBorder); }
    RTL_STORED_PROPERTY(bool, FixedDropDownButton, false)
    // Maximum width of cell hints; 0 leaves the hint's own.
    RTL_STORED_PROPERTY(Integer, HintMaxWidth, 0)
    TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
    void SetUnCheckedGlyph(TBitmap* Value) { CopyGlyph(*FUnCheckedGlyph, Value); }
    TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
    void SetRadioOnGlyph(TBitmap* Value) { CopyGlyph(*FRadioOnGlyph, Value); }
    TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
    void SetRadioOffGlyph(TBitmap* Value) { CopyGlyph(*FRadioOffGlyph, Value); }
    RTL_PROPERTY_STORED_BY(StoreAlways, Integer, CheckSize, 15)
    RTL_STORED_PROPERTY(bool, CheckAlwaysActive, false)
    RTL_PROPERTY_STORED_BY(StoreAlways, Integer, RadioSize, 10)
    RTL_STORED_PROPERTY(bool, RadioAlwaysActive, false)
    RTL_PROPERTY_STORED_BY(StoreAlways, TGridControlStyle, ControlStyle, csTheme)
    RTL_PROPERTY_STORED_BY(StoreAlways, bool, DropDownAlwaysVisible, false)
    RTL_STORED_PROPERTY(Integer, DropDownCount, 8)
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    // Copies the appearance in.
    void SetDropDownHeader(THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }
    RTL_PROPERTY_STORED_BY(StoreAlways, bool, SpinButtonsAlwaysVisible, false)
    RTL_PROPERTY_STORED_BY(StoreAlways, bool, FlatButton, false)
    RTL_PROPERTY_STORED_BY(StoreAlways, bool, NoDisabledCheckRadioLook, false)
    RTL_PROPERTY_STORED_BY(StoreAlways, bool, NoDisabledButtonLook, false)
    // Kept for the visual-property file; drawing does not read it.
    RTL_STORED_PROPERTY(TColor, ProgressBorderColor, clGray)
    RTL_PROPERTY_STORED_BY(StoreAlways, Integer, ProgressMarginX, 2)
    RTL_PROPERTY_STORED_BY(StoreAlways, Integer, ProgressMarginY, 2)
    // Kept for the visual-property file; drawing does not read it.
    RTL_PROPERTY_STORED_BY(StoreAlways, bool, ProgressXP, false)

    TFixedGradientColorEvent OnGradientColor;

private:
    void CopyGlyph(TBitmap& Glyph, TBitmap* Value);
    void SetGradient(TColor& Field, TColor Value, TFixedGradientColor Role);

    TPersistent* FGrid;
    std::unique_ptr<TBitmap> FCheckedGlyph;
    std::unique_ptr<TBitmap> FUnCheckedGlyph;
    std::unique_ptr<TBitmap> FRadioOnGlyph;
    std::unique_ptr<TBitmap> FRadioOffGlyph;
    TColor FFixedGradientFrom = clNone;
    TColor FFixedGradientTo = clNone;
    TColor FFixedGradientMirrorFrom = clNone;
    TColor FFixedGradientMirrorTo = clNone;
    TColor FFixedGradientHoverFrom = clGray;
    TColor FFixedGradientHoverTo = clWhite;
    TColor FFixedGradientHoverMirrorFrom = clNone;
    TColor FFixedGradientHoverMirrorTo = clNone;
    TColor FFixedGradientHoverBorder = clSilver;
    TColor FFixedGradientDownFrom = clGray;
    TColor FFixedGradientDownTo = clSilver;
    TColor FFixedGradientDownMirrorFrom = clNone;
    TColor FFixedGradientDownMirrorTo = clNone;
    TColor FFixedGradientDownBorder = clGray;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
};

// The look of levelled progress bars. Every setter raises OnChange only for
// a new value.
class TGridProgressAppearance : public TRepaintingSettings {
public:
    // From another appearance: everything but OnChange, then one OnChange.
    void Assign(TPersistent* Source) override;

    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, CompleteColor, clRed)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, CompleteFontColor, clBlue)
    // clNone: the grid's brush colour.
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, UnCompleteColor, clNone)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, UnCompleteFontColor, clWindowText)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, Level0Color, 0x00FF00)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, Level0ColorTo, 0xE1FFE1)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, Level1Color, 0x00FFFF)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, Level1ColorTo, 0xCAFFFF)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, Level2Color, 0x53A9FF)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, Level2ColorTo, 0xA8D3FF)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, Level3Color, 0x0000FF)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, Level3ColorTo, 0xCACAFF)
    RTL_PROPERTY_STORED_BY(StoreChanged, Integer, Level1Perc, 70)
    RTL_PROPERTY_STORED_BY(StoreChanged, Integer, Level2Perc, 90)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, BorderColor, clBlack)
    RTL_PROPERTY_STORED_BY(StoreChanged, bool, ShowBorder, false)
    RTL_PROPERTY_STORED_BY(StoreChanged, bool, Stacked, false)
    RTL_PROPERTY_STORED_BY(StoreChanged, bool, ShowPercentage, true)
    RTL_PROPERTY_STORED_BY(StoreChanged, bool, CompletionSmooth, true)
    RTL_PROPERTY_STORED_BY(StoreChanged, bool, ShowGradient, true)
    RTL_PROPERTY_STORED_BY(StoreChanged, Integer, Steps, 11)
    RTL_PROPERTY_STORED_BY(StoreChanged, TProgressStyle, Style, psXP)
};

// A picture or a gradient behind the cells; every setter repaints.
class TBackGround : public TRepaintingSettings {
public:
    explicit TBackGround(TPersistent* AGrid);
    ~TBackGround() override;

    // All seven values from another background (the picture copied); no
    // event.
    void Assign(TPersistent* Source) override;
    TPersistent* Grid() const { return FGrid; }

    RTL_PROPERTY_STORED_BY(StoreAlways, Integer, Top, 0)
    RTL_PROPERTY_STORED_BY(StoreAlways, Integer, Left, 0)
    RTL_PROPERTY_STORED_BY(StoreAlways, TBackGroundDisplay, Display, bdTile)
    TBitmap* Bitmap() const { return FBitmap.get(); }
    // Copies the picture.
    void SetBitmap(TBitmap* Value);
    RTL_PROPERTY_STORED_BY(StoreAlways, TBackGroundCells, Cells, bcNormal)
    RTL_PROPERTY_STORED_BY(StoreAlways, TColor, Color, clWindow)
    RTL_PROPERTY_STORED_BY(StoreAlways, TColor, ColorTo, clBtnFace)

private:
    TPersistent* FGrid;
    std::unique_ptr<TBitmap> FBitmap;
};

// ---------------------------------------------------------------------------
// Drag and drop, balloons, modified rows, scroll control

// OLE drag and drop of the grid; dropping is off unless OleDropTarget is set.
class TDragDropSettings : public TPersistent {
public:
    explicit TDragDropSettings(TPersistent* AGrid) : FGrid(AGrid) {}

    // All fifteen values straight into the fields: nothing is registered
    // and the unit-wide RTF switch stays.
    void Assign(TPersistent* Source) override;
    TPersistent* Grid() const { return FGrid; }

    // Raises OnDropTargetChange for a new value.
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool Value);
    RTL_STORED_PROPERTY(bool, OleDropSource, false)
    RTL_STORED_PROPERTY(bool, OleAcceptText, true)
    RTL_STORED_PROPERTY(bool, OleAcceptFiles, true)
    RTL_STORED_PROPERTY(bool, OleAcceptURLs, true)
    // Writing it also sets the drag-and-drop unit's RTF switch.
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool Value);
    RTL_STORED_PROPERTY(bool, OleEntireRows, false)
    RTL_STORED_PROPERTY(bool, OleInsertRows, false)
    RTL_STORED_PROPERTY(bool, OleRemoveRows, false)
    RTL_STORED_PROPERTY(bool, OleAppendRows, false)
    RTL_STORED_PROPERTY(bool, OleCopyAlways, false)
    RTL_STORED_PROPERTY(bool, OleColumnDragDrop, false)
    RTL_STORED_PROPERTY(bool, OleColumnReorder, false)
    RTL_STORED_PROPERTY(bool, OleColumnsOnly, false)
    RTL_STORED_PROPERTY(bool, ShowCells, true)

    TNotifyEvent OnDropTargetChange;

private:
    TPersistent* FGrid;
    bool FOleDropTarget = false;
    bool FOleDropRTF = false;
};

class TDragScrollDelays : public TPersistent {
public:
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(Integer, InitialDelay, 1000)
    RTL_STORED_PROPERTY(Integer, RepeatDelay, 250)
};

class TDragScrollMargins : public TPersistent {
public:
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(Integer, TopMargin, 50)
    RTL_STORED_PROPERTY(Integer, BottomMargin, 50)
    RTL_STORED_PROPERTY(Integer, LeftMargin, 50)
    RTL_STORED_PROPERTY(Integer, RightMargin, 50)
};

// Scrolling while something is dragged near the grid's edges.
class TDragScrollOptions : public TPersistent {
public:
    TDragScrollOptions();
    ~TDragScrollOptions() override;

    // The margins, the delays and Active.
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(bool, Active, false)
    TDragScrollDelays* Delays() const { return FDelays.get(); }
    void SetDelays(TDragScrollDelays* Value) { FDelays->Assign(Value); }
    TDragScrollMargins* Margins() const { return FMargins.get(); }
    void SetMargins(TDragScrollMargins* Value) { FMargins->Assign(Value); }

private:
    std::unique_ptr<TDragScrollDelays> FDelays;
    std::unique_ptr<TDragScrollMargins> FMargins;
};

// Balloon hints of the cells.
class TBalloonSettings : public TPersistent {
public:
    // TextColor, BackgroundColor, the three delays and Enable; no event.
    void Assign(TPersistent* Source) override;

    // Every write raises OnEnableChange.
    bool Enable() const { return FEnable; }
    void SetEnable(bool Value);
    // Delays in milliseconds; -1 keeps the balloon window's own.
    RTL_STORED_PROPERTY(Integer, InitialDelay, -1)
    RTL_STORED_PROPERTY(Integer, ReshowDelay, -1)
    RTL_STORED_PROPERTY(Integer, AutoHideDelay, -1)
    // Kept for the visual-property file; the balloon window is not given them.
    RTL_STORED_PROPERTY(TColor, BackgroundColor, clNone)
    RTL_STORED_PROPERTY(TColor, TextColor, clNone)
    // 0 is opaque.
    RTL_STORED_PROPERTY(Byte, Transparency, 0)
    // The balloon window has been set up.
    RTL_STORED_PROPERTY(bool, Init, false)

    TNotifyEvent OnEnableChange;

private:
    bool FEnable = false;
};

// The mark of modified rows in column 0; writing Color raises OnChange.
class TShowModified : public TRepaintingSettings {
public:
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(bool, Enabled, false)
    RTL_PROPERTY_STORED_BY(StoreAlways, TColor, Color, clYellow)
};

class TExStringGrid;

// The thin scroll bar of the metro scroll type (ExGrid_ThinScroll.cpp): a
// thumb over the parent grid's rows or columns, scrolled by page clicks and
// thumb drags. It fills no background, so the grid shows through. Without a
// string grid as parent it does nothing.
class TScrollControl : public TCustomControl {
public:
    explicit TScrollControl(TComponent* AOwner);

    // The thumb's colour (outline and fill); a new value repaints.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    RTL_STORED_PROPERTY(Integer, ScrollWidth, 4)
    RTL_STORED_PROPERTY(TScrollDirection, Direction, sdVertical)

    // Thumb start and size along the track; no value when the grid gives
    // nothing to divide by.
    struct TThumb {
        Integer Pos;
        Integer Size;
    };
    std::optional<TThumb> Thumb() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    TExStringGrid* Grid() const;
    bool Vertical() const { return FDirection == sdVertical; }
    // Whether the grid has more lines than it shows.
    bool HasHiddenLines() const;
    void PageClick(bool Forward);

    TColor FColor = clSilver;
    bool FDownOnScroller = false;
    Integer FDownPos = 0;
    Integer FDownRow = 0;
};

// The picture of a dragged header (the grid's MoveButton): cell (0, 0)'s
// fixed look with the caption, in a bordered top-most tool window.
class THeaderDragButton : public TCustomControl {
public:
    explicit THeaderDragButton(TComponent* AOwner);

    TExStringGrid* Grid() const { return FGrid; }
    void SetGrid(TExStringGrid* Value) { FGrid = Value; }
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value) { FFlat = Value; }

protected:
    void Paint() override;

private:
    TExStringGrid* FGrid = nullptr;
    String FCaption;
    bool FFlat = false;
};

class TImageList;
class TPictureContainer;

// The hint window of mini-HTML and wide-encoded hints and of the grid's
// scroll hint (ExGrid_HintWindow.cpp).
class THTMLHintWindow : public THintWindow {
public:
    explicit THTMLHintWindow(TComponent* AOwner);

    void ActivateHint(TRect Rect, const String& AHint) override;
    // With a string grid as AData its images and pictures serve the hint.
    void ActivateHintData(TRect Rect, const String& AHint, void* AData) override;
    // The text's size within MaxWidth, at (0, 0), without margins.
    TRect CalcHintRect(Integer MaxWidth, const String& AHint, void* AData) override;
    Integer TextWidth() const { return FTextWidth; }
    Integer TextHeight() const { return FTextHeight; }
    const String& WideCaption() const { return FWideCaption; }
    TImageList* Images() const { return FImages; }
    TPictureContainer* Pictures() const { return FPictureContainer; }

protected:
    void Paint() override;
    void CMTextChanged(TMessage& Message) override;

private:
    TSize MeasureHint(TCanvas* ACanvas, const String& AHint, Integer MaxWidth);
    void KeepOnMonitor(TRect& Rect) const;

    TImageList* FImages = nullptr;
    TPictureContainer* FPictureContainer = nullptr;
    Integer FTextHeight = 0;
    Integer FTextWidth = 0;
    String FWideCaption;
};

// The face of wide-encoded hints: the showing grid's font name.
const String& HintFontName();
void SetHintFontName(const String& Name);

// ---------------------------------------------------------------------------
// Settings of the data services: export, print, sort, footer, search,
// filter, grouping. Interim holders of the values; the services that read
// them come with the data services.

// HTML export (grid/data/ExGrid_HTML.cpp).
class THTMLSettings : public TPersistent {
public:
    THTMLSettings();
    ~THTMLSettings() override;

    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(bool, AutoPreview, false)
    RTL_STORED_PROPERTY(Integer, BorderSize, 1)
    RTL_STORED_PROPERTY(Integer, CellSpacing, 0)
    RTL_STORED_PROPERTY(Integer, CellPadding, 0)
    RTL_STORED_PROPERTY(bool, ConvertSpecialChars, false)
    RTL_STORED_PROPERTY(bool, ExportImages, true)
    RTL_STORED_PROPERTY(String, FooterFile, String())
    RTL_STORED_PROPERTY(String, HeaderFile, String())
    RTL_STORED_PROPERTY(bool, NonBreakingText, false)
    RTL_STORED_PROPERTY(String, PrefixTag, String())
    RTL_STORED_PROPERTY(bool, SaveColor, true)
    RTL_STORED_PROPERTY(bool, SaveFonts, true)
    RTL_STORED_PROPERTY(String, SuffixTag, String())
    RTL_STORED_PROPERTY(String, Summary, String())
    RTL_STORED_PROPERTY(String, TableStyle, String())
    // Percent.
    RTL_STORED_PROPERTY(Integer, Width, 100)
    RTL_STORED_PROPERTY(bool, XHTML, false)
    // Per exported column; not copied by Assign.
    TIntList* ColWidths() const { return FColWidths.get(); }

private:
    std::unique_ptr<TIntList> FColWidths;
};

// Printing; lengths in tenths of a millimetre.
class TPrintSettings : public TPersistent {
public:
    explicit TPrintSettings(TPersistent* AOwner);
    ~TPrintSettings() override;

    // Every published value (fonts and title lines by content); not
    // FixedCellsAlways.
    void Assign(TPersistent* Source) override;
    TPersistent* Owner() const { return FOwner; }

    RTL_STORED_PROPERTY(Integer, FooterSize, 0)
    RTL_STORED_PROPERTY(Integer, HeaderSize, 0)
    RTL_STORED_PROPERTY(TPrintPosition, Time, ppNone)
    RTL_STORED_PROPERTY(TPrintPosition, Date, ppNone)
    RTL_STORED_PROPERTY(String, DateFormat, QStringLiteral("dd/mm/yyyy"))
    RTL_STORED_PROPERTY(TPrintPosition, PageNr, ppNone)
    RTL_STORED_PROPERTY(TPrintPosition, Title, ppNone)
    RTL_STORED_PROPERTY(String, TitleText, String())
    TStrings* TitleLines() const { return FTitleLines.get(); }
    void SetTitleLines(TStrings* Value) { FTitleLines->Assign(Value); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(TFont* Value) { FFixedFont->Assign(Value); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
    TFont* FooterFont() const { return FFooterFont.get(); }
    void SetFooterFont(TFont* Value) { FFooterFont->Assign(Value); }
    RTL_STORED_PROPERTY(TPrintBorders, Borders, pbSingle)
    RTL_STORED_PROPERTY(TPenStyle, BorderStyle, psSolid)
    RTL_STORED_PROPERTY(TColor, BorderColor, clBlack)
    RTL_STORED_PROPERTY(bool, Centered, true)
    RTL_STORED_PROPERTY(bool, RepeatFixedRows, false)
    RTL_STORED_PROPERTY(bool, RepeatFixedCols, false)
    RTL_STORED_PROPERTY(Integer, LeftSize, 0)
    RTL_STORED_PROPERTY(Integer, RightSize, 0)
    RTL_STORED_PROPERTY(Integer, ColumnSpacing, 0)
    RTL_STORED_PROPERTY(Integer, RowSpacing, 0)
    RTL_STORED_PROPERTY(Integer, TitleSpacing, 0)
    RTL_STORED_PROPERTY(TPrinterOrientation, Orientation, poPortrait)
    RTL_STORED_PROPERTY(String, PagePrefix, String())
    RTL_STORED_PROPERTY(String, PageSuffix, String())
    RTL_STORED_PROPERTY(Integer, PageNumberOffset, 0)
    RTL_STORED_PROPERTY(Integer, MaxPagesOffset, 0)
    RTL_STORED_PROPERTY(Integer, FixedWidth, 0)
    RTL_STORED_PROPERTY(Integer, FixedHeight, 0)
    RTL_STORED_PROPERTY(bool, UseFixedHeight, false)
    RTL_STORED_PROPERTY(bool, UseFixedWidth, false)
    RTL_STORED_PROPERTY(TFitToPage, FitToPage, fpNever)
    RTL_STORED_PROPERTY(String, JobName, String())
    RTL_STORED_PROPERTY(String, PageNumSep, QStringLiteral("/"))
    RTL_STORED_PROPERTY(bool, NoAutoSize, false)
    RTL_STORED_PROPERTY(bool, NoAutoSizeRow, false)
    RTL_STORED_PROPERTY(bool, PrintGraphics, false)
    RTL_STORED_PROPERTY(bool, UseDisplayFont, true)
    RTL_STORED_PROPERTY(bool, UseDefaultOrientation, false)
    RTL_STORED_PROPERTY(bool, FixedCellsAlways, false)

private:
    TPersistent* FOwner;
    std::unique_ptr<TStringList> FTitleLines;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TFont> FFooterFont;
};

// Sorting. Show and the four header colours raise OnChange for a new value
// (the grid repaints); the glyph setters copy the bitmap.
class TSortSettings : public TRepaintingSettings {
public:
    explicit TSortSettings(TPersistent* AOwner);
    ~TSortSettings() override;

    // Every value but the owner, SortOnVirtualCells and IgnoreCase (glyphs
    // copied); no event.
    void Assign(TPersistent* Source) override;
    TPersistent* Owner() const { return FOwner; }
    // The sort as text: "i;" and the index list with IndexShow, else "u" or
    // "d" and the column. Loading sorts the owning grid (the bodies live
    // with the grid's sorting).
    String SaveToString() const;
    void LoadFromString(const String& Value);
    // No sort column, no index list.
    void Remove();
    void ToggleDirection();

    RTL_PROPERTY_STORED_BY(StoreChanged, bool, Show, false)
    RTL_STORED_PROPERTY(bool, IndexShow, false)
    RTL_STORED_PROPERTY(bool, Full, true)
    RTL_STORED_PROPERTY(bool, SingleColumn, false)
    RTL_STORED_PROPERTY(bool, IgnoreBlanks, false)
    RTL_STORED_PROPERTY(TSortBlankPosition, BlankPos, blFirst)
    RTL_STORED_PROPERTY(bool, AutoFormat, true)
    RTL_STORED_PROPERTY(TSortDirection, Direction, sdAscending)
    // Empty when none was set.
    TBitmap* UpGlyph() const { return GetUpGlyph(); }
    TBitmap* GetUpGlyph() const { return FUpGlyph.get(); }
    void SetUpGlyph(TBitmap* Value) { FUpGlyph->Assign(Value); }
    TBitmap* DownGlyph() const { return GetDownGlyph(); }
    TBitmap* GetDownGlyph() const { return FDownGlyph.get(); }
    void SetDownGlyph(TBitmap* Value) { FDownGlyph->Assign(Value); }
    TBitmap* IndexUpGlyph() const { return FIndexUpGlyph.get(); }
    void SetIndexUpGlyph(TBitmap* Value) { FIndexUpGlyph->Assign(Value); }
    TBitmap* IndexDownGlyph() const { return FIndexDownGlyph.get(); }
    void SetIndexDownGlyph(TBitmap* Value) { FIndexDownGlyph->Assign(Value); }
    RTL_STORED_PROPERTY(bool, NormalCellsOnly, false)
    RTL_STORED_PROPERTY(bool, FixedCols, false)
    // Real column; -1 for none.
    RTL_STORED_PROPERTY(Integer, Column, -1)
    // The header row with the sort mark; a value not smaller than the
    // owning grid's FixedRows raises and is not stored.
    Integer Row() const { return FRow; }
    void SetRow(Integer Value);
    RTL_STORED_PROPERTY(bool, AutoColumnMerge, false)
    RTL_STORED_PROPERTY(TColor, IndexColor, clYellow)
    RTL_STORED_PROPERTY(TSortDirection, InitSortDirection, sdAscending)
    RTL_STORED_PROPERTY(bool, UndoSort, false)
    RTL_STORED_PROPERTY(bool, AutoSortForGrouping, true)
    RTL_STORED_PROPERTY(bool, SortOnVirtualCells, true)
    RTL_STORED_PROPERTY(bool, IgnoreCase, false)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, HeaderColor, clNone)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, HeaderColorTo, clNone)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, HeaderMirrorColor, clNone)
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, HeaderMirrorColorTo, clNone)
    RTL_STORED_PROPERTY(TIndexSortKey, IndexSortKey, ikShift)

private:
    TPersistent* FOwner;
    std::unique_ptr<TBitmap> FUpGlyph;
    std::unique_ptr<TBitmap> FDownGlyph;
    std::unique_ptr<TBitmap> FIndexUpGlyph;
    std::unique_ptr<TBitmap> FIndexDownGlyph;
    Integer FRow = 0;
};

// The grid's last row kept in view under the grid, or a preview of the
// current row. Color, Column and CustomTemplate raise OnChange on every
// write, BorderColor for a new value; EnableCalculation only stores.
// Visible, FooterStyle, Height and ShowHint act on the grid and its footer
// panel (grid/data/ExGrid_FloatingFooter.cpp).
class TFloatingFooter : public TRepaintingSettings {
public:
    // AHeight: the grid's default row height.
    TFloatingFooter(TPersistent* AGrid, Integer AHeight) : FGrid(AGrid), FHeight(AHeight) {}

    // CalculateHiddenRows, Color, Column, CustomTemplate, FooterStyle,
    // Visible (through its setter) and ShowHint.
    void Assign(TPersistent* Source) override;
    TPersistent* Grid() const { return FGrid; }

    // The footer panel is this high less 1.
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value);
    // Shown with fsFixedLastRow, the grid takes one fixed footer row and
    // hides its own last row, which the panel shows instead.
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    RTL_PROPERTY_STORED_BY(StoreAlways, TColor, Color, clBtnFace)
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle Value);
    RTL_PROPERTY_STORED_BY(StoreAlways, Integer, Column, 0)
    TCalcFooterEvent OnCalcFooter;
    RTL_PROPERTY_STORED_BY(StoreAlways, String, CustomTemplate, String())
    RTL_STORED_PROPERTY(bool, CalculateHiddenRows, true)
    RTL_STORED_PROPERTY(bool, EnableCalculation, true)
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    RTL_PROPERTY_STORED_BY(StoreChanged, TColor, BorderColor, clNone)
    // The calculation kind of a column, kept in its footer cell's
    // properties; setting it recalculates the column
    // (grid/data/ExGrid_FloatingFooter.cpp).
    TColumnCalcType GetColumnCalc(Integer c) const;
    void SetColumnCalc(Integer c, TColumnCalcType Value);

private:
    // The grid's last row hidden exactly while shown with fsFixedLastRow.
    void ApplyHideLastRow();

    TPersistent* FGrid;
    Integer FHeight;
    bool FVisible = false;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    bool FShowHint = false;
};

// The panel under the grid that shows the floating footer
// (grid/data/ExGrid_FooterPanel.cpp): the grid's last row, a preview of
// the current row or the application's own painting; its clicks and hints
// are those of the last row's cells.
class TFooterPanel : public TPanel {
public:
    explicit TFooterPanel(TComponent* AOwner, TPersistent* AGrid = nullptr) : TPanel(AOwner), FGrid(AGrid) {}

    // The column of the last hint; -1 for none.
    RTL_STORED_PROPERTY(Integer, LastHintCol, -1)
    // The display column under x (fixed columns first, then from the
    // grid's left column); -1 for none.
    Integer ColumnAt(Integer X) const;

protected:
    void CreateWnd() override;
    void Paint() override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMHintShow(TCMHintShow& Message) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    TPersistent* FGrid;
};

// The search bar's edit box: Enter and Ctrl+Enter are reported and go no
// further; carriage return and line feed reach only OnKeyPress.
class TRetEdit : public TEdit {
public:
    explicit TRetEdit(TComponent* AOwner) : TEdit(AOwner) {}

    TNotifyEvent OnReturn;
    TNotifyEvent OnCtrlReturn;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;
};

// The search bar under the grid (ExGrid_SearchPanel.cpp): an edit box, the
// find next, find previous and highlight buttons, a match-case box and a
// close button, placed at fixed positions (mirrored right to left).
class TSearchPanel : public TPanel {
public:
    explicit TSearchPanel(TComponent* AOwner);

    TNotifyEvent OnForwardClick;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnEditChange;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnHighlightClick;
    // The panel's window exists (it has a parent).
    TNotifyEvent OnCreated;
    TColor ColorTo() const { return FColorTo; }
    // Stores the gradient end and repaints.
    void SetColorTo(TColor Value);
    // The line along the top edge: the grid's line colour.
    RTL_STORED_PROPERTY(TColor, LineColor, clSilver)
    RTL_STORED_PROPERTY(String, FindNextCaption, String())
    RTL_STORED_PROPERTY(String, FindPrevCaption, String())
    RTL_STORED_PROPERTY(String, MatchCaseCaption, String())
    RTL_STORED_PROPERTY(String, FindPrevHint, String())
    RTL_STORED_PROPERTY(String, CloseHint, String())
    RTL_STORED_PROPERTY(String, FindNextHint, String())
    RTL_STORED_PROPERTY(String, HighlightHint, String())
    RTL_STORED_PROPERTY(String, HighlightCaption, String())

    TRetEdit* EditControl() const { return FEdit; }
    TExGridButton* ExitButton() const { return FExitButton; }
    TExGridButton* ForwardButton() const { return FForwardButton; }
    TExGridButton* BackwardButton() const { return FBackwardButton; }
    TExGridButton* HighlightButton() const { return FHighlightButton; }
    TExCheckBox* MatchCase() const { return FMatchCase; }
    // The layout table's positions; the check box moves left when the
    // highlight button is hidden.
    void PlaceControls();

protected:
    void CreateWnd() override;
    void Paint() override;

private:
    void EditChanged();
    void Place(TControl* Control, Integer Left, Integer Top, Integer AWidth, Integer AHeight);

    TColor FColorTo = clNone;
    TRetEdit* FEdit;
    TExGridButton* FExitButton;
    TExGridButton* FForwardButton;
    TExGridButton* FBackwardButton;
    TExGridButton* FHighlightButton;
    TExCheckBox* FMatchCase;
};

// One filter condition.
class TFilterData : public TCollectionItem {
public:
    explicit TFilterData(TCollection* ACollection) : TCollectionItem(ACollection) {}

    // Column, Condition, CaseSensitive, Data, Prefix, Suffix and Operation
    // from another condition; not Method.
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(SmallInt, Column, 0)
    RTL_STORED_PROPERTY(String, Condition, String())
    RTL_STORED_PROPERTY(bool, CaseSensitive, true)
    RTL_STORED_PROPERTY(String, Suffix, String())
    RTL_STORED_PROPERTY(String, Prefix, String())
    RTL_STORED_PROPERTY(TFilterOperation, Operation, foSHORT)
    RTL_STORED_PROPERTY(TFilterCells, Data, fcVirtual)
    RTL_STORED_PROPERTY(TFilterMethod, Method, fmExpression)
};

// The filter conditions of the grid.
class TFilter : public TCollection {
public:
    explicit TFilter(TPersistent* AGrid) : TCollection(CollectionItemClass<TFilterData>(), AGrid) {}

    // Joined with foNONE when it is the only condition, else with foAND.
    TFilterData* Add();
    // A condition with its defaults at the end; Index is not used.
    TFilterData* Insert(Integer Index);
    TFilterData* Items(Integer Index) const { return GetItem(Index); }
    TFilterData* GetItem(Integer Index) const { return static_cast<TFilterData*>(TCollection::Items(Index)); }
    void SetItem(Integer Index, TFilterData* Value) { SetItems(Index, Value); }
    // The first condition of the column, added (through Add) when none.
    TFilterData* GetColFilter(Integer Col);
    bool HasFilter(Integer ACol) const;
    // Deletes every condition of the column, last first, then raises
    // OnColumnFilterRemoved.
    void RemoveColumnFilter(Integer Col);

    TFilterColumnEvent OnColumnFilterRemoved;
};

// The look of the filter drop-down list; the glyph setters raise OnChange.
class TFilterDropDown : public TRepaintingSettings {
public:
    explicit TFilterDropDown(TPersistent* AGrid);
    ~TFilterDropDown() override;

    // Colour, column width, font, height, width and both glyphs; no event.
    void Assign(TPersistent* Source) override;
    TPersistent* Grid() const { return FGrid; }

    RTL_STORED_PROPERTY(bool, AutoSize, false)
    RTL_STORED_PROPERTY(Integer, Height, 150)
    RTL_STORED_PROPERTY(Integer, Width, 150)
    RTL_STORED_PROPERTY(TColor, Color, clWindow)
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    // The header button's picture; empty draws the built-in one.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    // The same while the column has a condition.
    TBitmap* GlyphActive() const { return FGlyphActive.get(); }
    void SetGlyphActive(TBitmap* Value);
    RTL_STORED_PROPERTY(bool, ColumnWidth, false)

private:
    TPersistent* FGrid;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TBitmap> FGlyphActive;
};

// Grouping of data rows under header rows. A colour of clNone is never
// applied.
class TGrouping : public TPersistent {
public:
    explicit TGrouping(TPersistent* AGrid) : FGrid(AGrid) {}

    // Everything but Summary and the line widths and colours.
    void Assign(TPersistent* Source) override;
    TPersistent* Grid() const { return FGrid; }

    RTL_STORED_PROPERTY(bool, MergeHeader, false)
    RTL_STORED_PROPERTY(bool, MergeSummary, false)
    RTL_STORED_PROPERTY(TColor, HeaderColor, clNone)
    RTL_STORED_PROPERTY(TColor, SummaryColor, clNone)
    RTL_STORED_PROPERTY(TColor, HeaderColorTo, clNone)
    RTL_STORED_PROPERTY(TColor, HeaderTextColor, clNone)
    RTL_STORED_PROPERTY(bool, Summary, false)
    RTL_STORED_PROPERTY(TColor, SummaryTextColor, clNone)
    RTL_STORED_PROPERTY(TColor, SummaryColorTo, clNone)
    RTL_STORED_PROPERTY(bool, HeaderUnderline, false)
    RTL_STORED_PROPERTY(bool, SummaryLine, false)
    RTL_STORED_PROPERTY(Integer, SummaryLineWidth, 2)
    RTL_STORED_PROPERTY(Integer, HeaderLineWidth, 2)
    RTL_STORED_PROPERTY(TColor, SummaryLineColor, clBlue)
    RTL_STORED_PROPERTY(TColor, HeaderLineColor, clBlue)
    RTL_STORED_PROPERTY(bool, ShowGroupCount, false)
    RTL_STORED_PROPERTY(String, GroupCountFormat, String())
    RTL_STORED_PROPERTY(bool, AutoSelectGroup, false)
    RTL_STORED_PROPERTY(bool, AutoCheckGroup, false)

private:
    TPersistent* FGrid;
};
