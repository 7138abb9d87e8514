#pragma once
// The framework's owner-drawn button types, and speed buttons: graphic push
// buttons with a glyph and a caption, which can stay down as one of a group.
#include "rtl/Controls.h"

#include <memory>

// Where a button's glyph stands against its caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// Up, disabled, pressed, and held down (a toggle or a group member).
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
// 1 to 4 pictures side by side in a glyph: up, disabled, pressed, down.
using TNumGlyphs = Integer;

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    // The glyph's bottom-left pixel is its transparent colour. Setting it
    // copies the bitmap (null clears it).
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    // Taken only from 1 to 4.
    void SetNumGlyphs(TNumGlyphs Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // A flat button at rest lets its parent show through (else it shows the
    // button face).
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // Only a button of a group (GroupIndex above 0) stays down; pressing
    // one raises the others of its group on the same parent. A down button
    // goes up again only with AllowAllUp.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);

    TButtonState State() const { return FState; }
    // The button holds the mouse: the left button was pressed on it and
    // is not released yet (wherever the mouse is now).
    bool MouseCapture() const { return FDragging; }
    bool MouseInControl() const { return FMouseInControl; }

protected:
    // The platform's look: a push button (flat: only while hot or down)
    // with the glyph and the caption, one pixel right and down while down.
    void Paint() override;
    // The glyph of the state and the caption beside it, centred in R and
    // moved by Offset.
    void DrawGlyphAndCaption(TCanvas* Canvas, const TRect& R, TPoint Offset);
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

    TButtonState FState = bsUp;

private:
    void RaiseGroup();
    bool Inside(Integer X, Integer Y) const;

    std::unique_ptr<TBitmap> FGlyph;
    TNumGlyphs FNumGlyphs = 1;
    bool FFlat = false;
    bool FTransparent = true;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FDragging = false;
    Integer FGroupIndex = 0;
};
