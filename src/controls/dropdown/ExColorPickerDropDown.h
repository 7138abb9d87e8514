#pragma once
// The colour picker drop-down: an edit that paints a colour box and the
// colour's text; its pop-up shows one of four choosers: the picker's own
// colour list, a grid of theme colours and shades, a honeycomb of 127
// colour cells or a spectrum of all hues and lightnesses.
#include "controls/dropdown/ExListPickerDropDown.h"
#include "rtl/ExtCtrls.h"

#include <array>
#include <memory>
#include <span>

RTL_NAMED_ENUM(TColorSelectionStyle, csList, csDiscrete, csColorCube, csSpectrum)
RTL_NAMED_ENUM(TColorValueText, cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML)
RTL_NAMED_ENUM(TItemPos, ipStandAlone, ipTop, ipMiddle, ipBottom)

// The spectrum picture's colour at column X and row Y (0 to 127): hue
// 360 * X / 128 degrees, lightness 1 - Y / 127, full saturation.
TColor SpectrumColor(Integer X, Integer Y);
// A named colour of CSS; Value as CSS writes it (0xRRGGBB).
struct TNamedColor {
    const char* Name;
    Cardinal Value;
};
// The 148 named colours of CSS in that list's alphabetical order.
std::span<const TNamedColor> NamedWebColors();
TColor NamedColorValue(const TNamedColor& Named);
// The first named colour whose value equals the colour's (system colours
// resolved first), else "#RRGGBB".
String ColorWebName(TColor Color);
// The text of a colour in one of the value forms (cvtNone: empty).
String ColorToValueText(TColor Color, TColorValueText Form);

// The number the spectrum's pipette cursor has in the screen's cursor table.
constexpr TCursor crColorPipette = 54;

// A free-standing panel that raises OnShouldHide when a mouse button is
// released over it.
class TExCustomColorSelectorPanel : public TCustomControl {
public:
    explicit TExCustomColorSelectorPanel(TComponent* AOwner);

    TNotifyEvent OnShouldHide;

protected:
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void ShouldHide();
    // Height first, as the panels give it.
    void SetPanelSize(Integer AHeight, Integer AWidth);
};

// The honeycomb of 127 hexagonal cells in 13 rows, numbered from 1.
class TExColorCubePanel : public TExCustomColorSelectorPanel {
public:
    static constexpr Integer CellCount = 127;

    explicit TExColorCubePanel(TComponent* AOwner);

    TColor SelectedColor() const { return FSelectedColor; }
    // Selects the first cell of exactly that colour, or none; no repaint.
    void SetSelectedColor(TColor Value);
    bool ShowRGBHint() const { return FShowRGBHint; }
    void SetShowRGBHint(bool Value);
    Integer SelectedIndex() const { return FSelectedIndex; }
    Integer HotIndex() const { return FHotIndex; }
    TPoint CellCentre(Integer Index) const { return FCubeCells[std::size_t(Index)].Centre; }
    TColor CellColor(Integer Index) const { return FCubeCells[std::size_t(Index)].Color; }

    void InitCells();
    // No hot cell; the panel 182 x 160.
    void ResetHotCell();
    // The first cell whose centre lies within FCubeSize.X of the point, or -1.
    Integer CellAtPos(Integer X, Integer Y) const;

    TNotifyEvent OnSelect;

protected:
    void Paint() override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    struct TCubeCell {
        TPoint Centre;
        TColor Color = clNone;
    };
    void DrawCells(TCanvas* ACanvas);
    void DrawCell(TCanvas* ACanvas, Integer Index);
    void SelectColor(TColor Color, Integer Index);
    void ShowRGBHintOf(Integer Index);

    // Index 0 is unused: cells count from 1.
    std::array<TCubeCell, CellCount + 1> FCubeCells{};
    TPoint FCubeSize{6, 3};
    TColor FSelectedColor = clNone;
    Integer FSelectedIndex = -1;
    Integer FHotIndex = -1;
    bool FShowRGBHint = true;
};

// The spectrum picture with two swatches below it: the selected colour and
// the colour under the pointer.
class TExColorSpectrumPanel : public TExCustomColorSelectorPanel {
public:
    explicit TExColorSpectrumPanel(TComponent* AOwner);
    ~TExColorSpectrumPanel() override;

    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    TColor HotColor() const { return FHotColor; }
    TRect HotRect() const { return FHotRect; }
    TRect SelectedRect() const { return FSelectedRect; }
    TImage* SpectrumImage() const { return FSpectrumImage; }

    // The panel 150 x 174, the picture centred at the top, the swatches
    // below it; no hot colour.
    void ArrangePanel();

    TNotifyEvent OnSelect;

protected:
    void Paint() override;

private:
    void SpectrumMouseMove(Integer X, Integer Y);
    void SpectrumMouseDown();
    void DrawSwatch(TCanvas* ACanvas, const TRect& R, TColor Color);

    TImage* FSpectrumImage = nullptr;
    TColor FHotColor = clNone;
    TColor FSelectedColor = clWhite;
    TRect FHotRect;
    TRect FSelectedRect;
};

// ---------------------------------------------------------------------------
// The colour list and the colour selector's boxes

// A named colour of the picker's list.
class TColorItem : public TCollectionItem {
public:
    explicit TColorItem(TCollection* ACollection);

    // Caption, Color, Enabled and Hint.
    void Assign(TPersistent* Source) override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    RTL_STORED_PROPERTY(String, Hint, String())
    RTL_STORED_PROPERTY(bool, Enabled, true)
    RTL_STORED_PROPERTY(TRect, Rect, TRect())

private:
    String FCaption;
    TColor FColor = clNone;
};

// OnChange comes from the Caption and Color setters.
class TColorItems : public TCollection {
public:
    explicit TColorItems(TPersistent* AOwner) : TCollection(CollectionItemClass<TColorItem>(), AOwner) {}
    TPersistent* GetOwner() const { return Owner(); }
    TColorItem* Add() { return static_cast<TColorItem*>(TCollection::Add()); }
    TColorItem* Insert(int Index) { return static_cast<TColorItem*>(TCollection::Insert(Index)); }
    TColorItem* Items(int Index) const { return static_cast<TColorItem*>(TCollection::Items(Index)); }

    TNotifyEvent OnChange;
};

// A box of the colour selector; ColorBoxPos tells which sides of its border
// are drawn, so that boxes form connected columns.
class TColorBoxItem : public TCollectionItem {
public:
    explicit TColorBoxItem(TCollection* ACollection);

    // Color, ColorBoxPos and Enabled.
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    RTL_STORED_PROPERTY(TItemPos, ColorBoxPos, ipStandAlone)
    RTL_STORED_PROPERTY(bool, Enabled, true)
    RTL_STORED_PROPERTY(TRect, Rect, TRect())

private:
    TColor FColor = clNone;
};

class TColorBoxItems : public TCollection {
public:
    explicit TColorBoxItems(TPersistent* AOwner) : TCollection(CollectionItemClass<TColorBoxItem>(), AOwner) {}
    TPersistent* GetOwner() const { return Owner(); }
    TColorBoxItem* Add() { return static_cast<TColorBoxItem*>(TCollection::Add()); }
    TColorBoxItem* Insert(int Index) { return static_cast<TColorBoxItem*>(TCollection::Insert(Index)); }
    TColorBoxItem* Items(int Index) const { return static_cast<TColorBoxItem*>(TCollection::Items(Index)); }

    TNotifyEvent OnChange;
};

// The border colours of the boxes.
class TColorBoxAppearance : public TPersistent {
public:
    // All five colours.
    void Assign(TPersistent* Source) override;

    RTL_STORED_PROPERTY(TColor, BorderColor, TColor(0xC5C5C5))
    RTL_STORED_PROPERTY(TColor, OuterBorderColorHot, TColor(0x3694F2))
    RTL_STORED_PROPERTY(TColor, InnerBorderColorHot, TColor(0x94E2FF))
    RTL_STORED_PROPERTY(TColor, OuterBorderColorSelected, TColor(0x0000FF))
    RTL_STORED_PROPERTY(TColor, InnerBorderColorSelected, TColor(0x94E2FF))

    // Not raised by this class.
    TNotifyEvent OnChange;
};

// A fixed grid of colour boxes: rows of Columns boxes; rows of connected
// boxes touch, the others are ColumnGap apart.
class TCustomColorSelector : public TExCustomColorSelectorPanel {
public:
    explicit TCustomColorSelector(TComponent* AOwner);
    ~TCustomColorSelector() override;

    Integer ItemIndex() const { return FItemIndex; }
    // An index at or beyond the number of boxes, or a disabled box, is
    // refused.
    void SetItemIndex(Integer Value);
    Integer ItemHot() const { return FItemHot; }
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    Integer Columns() const { return FColumns; }
    void SetColumns(Integer Value);
    Integer ColumnGap() const { return FColumnGap; }
    void SetColumnGap(Integer Value);
    Integer ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(Integer Value);
    Integer ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(Integer Value);
    TColorBoxAppearance* ColorBoxAppearance() const { return FColorBoxAppearance.get(); }
    void SetColorBoxAppearance(TColorBoxAppearance* Value) { FColorBoxAppearance->Assign(Value); }
    TColorBoxItems* Items() const { return FItems.get(); }
    void SetItems(TColorBoxItems* Value) { FItems->Assign(Value); }
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle Value);

    // The 60 theme colours: ten base colours over ten columns of shades.
    void AddThemeColors();
    // PgUp to Down, by whether the edit is editable and the pop-up open.
    void KeyNavigate(Word Key, bool EditorEnabled, bool DroppedDown);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    // The first box whose rectangle holds the point, or -1.
    Integer ItemAtPos(Integer X, Integer Y) const;

    // The virtual operations, in slot order.
    virtual void DrawItem(Integer Index, TCanvas* ACanvas);
    virtual void GetItemArea(TRect& R) const;
    virtual void GetItemSize(TSize& Size) const;
    virtual void ArrangeItems();
    virtual void InvalidateItem(Integer Index);

    TNotifyEvent OnItemSelect;

protected:
    void Paint() override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseLeave(TMessage& Message) override;

private:
    void SetItemHot(Integer Value);
    void ClearItemHot();
    bool ValidIndex(Integer Index) const { return Index >= 0 && Index < FItems->Count(); }
    void SelectBoxAt(Integer Index);
    void DrawFrames(TCanvas* ACanvas, TRect R, TColor Outer, TColor Inner);
    void DrawBorderLines(TCanvas* ACanvas, const TRect& R, TItemPos Pos);
    template <class T>
    void StoreAndArrange(T& Field, T Value);

    Integer FItemIndex = -1;
    Integer FItemHot = -1;
    Integer FOffsetX = 4;
    Integer FOffsetY = 4;
    Integer FColumns = 10;
    Integer FColumnGap = 4;
    Integer FColorBoxHeight = 12;
    Integer FColorBoxWidth = 12;
    std::unique_ptr<TColorBoxAppearance> FColorBoxAppearance;
    std::unique_ptr<TColorBoxItems> FItems;
    TSelectionColorStyle FItemColorStyle = scOffice2007;
    TColor FSelectedColor = clNone;
};

// ---------------------------------------------------------------------------
// The colour picker

class TExColorPickerDropDown : public TExListPickerDropDown {
public:
    explicit TExColorPickerDropDown(TComponent* AOwner);
    ~TExColorPickerDropDown() override;
    // Its defaults, after the drop-down's construction steps.
    void AfterConstruction() override;

    // The 16 basic colours appended to Colors.
    void AddDefaultColors();

    TColorItems* Colors() const { return FColors.get(); }
    void SetColors(TColorItems* Value) { FColors->Assign(Value); }
    // Ignored at or beyond the number of colours; raises OnSelect also when
    // nothing changed.
    void SetItemIndex(Integer Value) override;
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    String SelectedColorText() { return GetSelectedColorText(); }
    virtual String GetSelectedColorText();
    RTL_STORED_PROPERTY(Integer, ColorBoxHeight, 14)
    RTL_STORED_PROPERTY(Integer, ColorBoxWidth, 14)
    RTL_STORED_PROPERTY(TColorValueText, ColorValueText, cvtNone)
    TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
    void SetColorSelectionStyle(TColorSelectionStyle Value);
    bool ShowText() const { return FShowText; }
    void SetShowText(bool Value);

    // The choosers (nullptr until their style was used).
    TCustomColorSelector* ColorSelector() const { return FColorSelector; }
    TExColorCubePanel* ColorCubePanel() const { return FColorCubePanel; }
    TExColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }
    TColor OldSelectedColor() const { return FOldSelectedColor; }

    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void PlaceDropDownControl() override;
    void UpdateDropDownSize() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownFormDestroyed() override;
    void SelectNext() override;
    void SelectPrevious() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TOnDrawSelectedItem OnDrawSelectedColor;

protected:
    void FillSelectorItems(TSelectorItems* Items) override;
    void ApplySelectorSettings() override;
    Integer ItemCount() const override { return FColors->Count(); }
    void WMKeyDown(TWMKey& Message) override;
    void PaintOver(TCanvas* Canvas) override;

private:
    // The chooser of the style, made once.
    TControl* MakeChooser(TColorSelectionStyle Style);
    TControl* ChooserOf(TColorSelectionStyle Style) const;
    // The chooser of the current style made, filled and shown; the others
    // hidden.
    void PrepareChooser();
    void PreparePanelChooser();
    // Width and height of the pop-up around the visible panel chooser.
    void SizeAroundPanel();
    void ColorSelectorSelect(TObject* Sender);
    void PanelSelect(TColor Color);
    void DrawSelectedColor(TCanvas* Canvas);

    std::unique_ptr<TColorItems> FColors;
    TColor FSelectedColor = clNone;
    TColor FOldSelectedColor = clNone;
    TColorSelectionStyle FColorSelectionStyle = csList;
    bool FShowText = true;
    TCustomColorSelector* FColorSelector = nullptr;
    TExColorCubePanel* FColorCubePanel = nullptr;
    TExColorSpectrumPanel* FSpectrumPanel = nullptr;
};
