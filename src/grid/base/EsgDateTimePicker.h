#pragma once
// The date picker of the grid's date editors: the platform's picker with a
// flat one-pixel frame, coloured borders and, in the metro look, a
// drop-down button in the owner's colours. TEsgFlatPicker holds the look it
// shares with the pickers of ExDateTimePicker.
#include "grid/base/EsgCombo.h"
#include "rtl/ComCtrls.h"

// The four bytes of a version number, high byte first: "1.2.0.0".
String VersionText(Cardinal Version);

class TEsgFlatPicker : public TDateTimePicker, public TButtonColors {
public:
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    virtual void SetBorderStyle(TBorderStyle Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    bool MetroStyle() const { return FMetroStyle; }
    void SetMetroStyle(bool Value);
    Integer ButtonWidth() const { return FButtonWidth; }
    bool IsWinXP() const { return FIsWinXP; }

protected:
    // Ctl3DOn and BorderColor: the look at creation.
    TEsgFlatPicker(TComponent* AOwner, bool Ctl3DOn, TColor ABorderColor);

    // The metro look is in force.
    virtual bool IsMetro() const = 0;
    // Where the metro look's fill starts left of the button while themes
    // are active.
    virtual Integer MetroFillLeft() const = 0;
    // Drawn over the platform's picker: the frame, the metro button, the
    // borders.
    void PaintOver(TCanvas* Canvas) override;
    // The flat outline of a picker without Ctl3D.
    void DrawFlatOutline(TCanvas* Canvas);
    void DrawBorders(TCanvas* Canvas);
    void DrawControlBorder(TCanvas* Canvas);
    void DrawButtonBorder(TCanvas* Canvas);
    void DrawButton(TCanvas* Canvas);
    // TCustomDateTimePicker draws its outline again over the metro fill.
    virtual void DrawOverMetroFill(TCanvas*) {}
    bool Themed() const;

    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void ButtonColorsChanged() override;

    TBorderStyle FBorderStyle = bsNone;
    TColor FBorderColor;
    bool FIsThemed;
    Integer FButtonWidth;
    bool FButtonHover = false;
    bool FIsWinXP;
    bool FMetroStyle = false;
    TColor FFocusBorderColor = clDefault;
    bool FDisabledBorder = false;
    bool FFocusBorder = false;
    bool FHasFocus = false;

private:
    bool NeedsFocusBorder() const;
    bool PaintsClientArea() const;
};

class TEsgDateTimePicker : public TEsgFlatPicker {
public:
    explicit TEsgDateTimePicker(TComponent* AOwner);

    // "1.0.0.0"; writing it changes nothing.
    String Version() const;
    void SetVersion(const String&) {}

protected:
    bool IsMetro() const override;
    Integer MetroFillLeft() const override;
};
