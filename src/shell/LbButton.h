#pragma once
// The owner-drawn push button of every window: a caption and an optional
// picture strip on a face of one of six styles, tinted toward a hot-track
// colour while the pointer is over it, pressed visibly, with a modal result,
// a pop-up menu, accelerator and dialog keys and ten standard kinds.
#include "rtl/Controls.h"
#include "shell/LbButtons.h"

#include <memory>

// Registers the program's pictures (glyphs, step pictures, logo, kind
// strips) once; they live in a static library, whose resources are not
// registered by themselves.
void Init_Shell_Resources();

class TLbButton : public TCustomControl {
public:
    explicit TLbButton(TComponent* AOwner);
    ~TLbButton() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value) { FDefault = Value; }
    // Reading always gives lcsCustom: setting a preset is a one-shot action.
    TLbColorStyle ColorStyle() const { return FDummyStyle; }
    void SetColorStyle(TLbColorStyle Value);
    TColor ColorWhenDown() const { return FColorWhenDown; }
    void SetColorWhenDown(TColor Value) { FColorWhenDown = Value; }
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor Value) { FHotTrackColor = Value; }
    void SetEnabled(bool Value) override;
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Copies the picture; NumGlyphs := its width / its height.
    void SetGlyph(TBitmap* Value);
    TFont* HotTrackFont() const { return FHTFont.get(); }
    void SetHotTrackFont(TFont* Value);
    TLbButtonKind Kind() const { return FKind; }
    void SetKind(TLbButtonKind Value);
    TLbButtonLayout Layout() const { return FLayout; }
    void SetLayout(TLbButtonLayout Value);
    TColor LightColor() const { return FLightColor; }
    void SetLightColor(TColor Value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value);
    Integer NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(Integer Value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor Value);
    bool SlowDecease() const { return FSlowDecease; }
    void SetSlowDecease(bool Value);
    TLbButtonStyle Style() const { return FStyle; }
    void SetStyle(TLbButtonStyle Value);
    bool UseHotTrackFont() const { return FUseHTFont; }
    void SetUseHotTrackFont(bool Value) { FUseHTFont = Value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

    // The button's own enter and exit events (OnMouseEnter is the control's).
    TNotifyEvent OnMouseExit;

    // State, for the windows and tests that look at it.
    bool Down() const { return bDown; }
    bool CursorOnButton() const { return bCursorOnButton; }
    Integer HotTrackStep() const { return FHotTrackStep; }
    TLbButtonThread* Thread() const { return FThread.get(); }

    void Click() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;
    void CNKeyDown(TWMKey& Message) override;
    void CNKeyUp(TWMKey& Message) override;
    void CMDialogChar(TCMDialogChar& Message) override;
    void CMDialogKey(TCMDialogKey& Message) override;

private:
    void FadeTick(TObject* Sender);
    void StopThread();
    void Release_Key();
    bool ParentShowing() const;
    bool Hot() const;

    TAlignment FAlignment = taCenter;
    TColor FShadowColor = RGB(128, 128, 128);
    TColor FColorWhenDown = clNone;
    bool FEnabled = true;
    bool FFlat = false;
    bool FWordWrap = false;
    std::unique_ptr<TBitmap> FGlyph;
    TColor FHotTrackColor = clNone;
    std::unique_ptr<TFont> FHTFont;
    TLbButtonKind FKind = bkCustom;
    TLbButtonLayout FLayout = blGlyphLeft;
    TColor FLightColor = clWhite;
    TModalResult FModalResult = 0;
    Integer FNumGlyphs = 0;
    bool FUseHTFont = false;
    TLbColorStyle FDummyStyle = lcsCustom;
    TLbButtonStyle FStyle = bsNormal;
    bool FDefault = false;
    bool FCancel = false;
    bool FSlowDecease = false;
    bool bDown = false;
    bool bCursorOnButton = false;
    // Enter or Space while it went down on this button, else 0.
    Word FKeyDown = 0;
    std::unique_ptr<TLbButtonThread> FThread;
    Integer FHotTrackStep = 0;
};

// Everything the face routine draws from.
struct TLbFace {
    Integer Width = 0;
    Integer Height = 0;
    TAlignment Alignment = taCenter;
    String Caption;
    TLbButtonLayout Layout = blGlyphLeft;
    TFont* Font = nullptr;
    TColor ShadowColor = clGray;
    TColor LightColor = clWhite;
    TColor HotTrackColor = clNone;
    TColor ColorWhenDown = clNone;
    TColor Color = clBtnFace;
    TLbButtonStyle Style = bsNormal;
    bool HasPopup = false;
    bool WordWrap = false;
    bool Flat = false;
    bool Enabled = true;
    bool Hot = false;
    bool Pressed = false;
    TBitmap* Glyph = nullptr;
    Integer NumGlyphs = 0;
    Integer HotTrackStep = 0;
};

// Draws the face, edges, caption and glyph of a button on Canvas.
void PaintButtonFace(TCanvas* Canvas, const TLbFace& Face);

// Vertical gradient of 32 bands from C1 to C2 over rows Y1..Y2 and columns X1..X2.
void LbGradient(TCanvas* Canvas, TColor C1, TColor C2, Integer X1, Integer Y1, Integer X2, Integer Y2);
