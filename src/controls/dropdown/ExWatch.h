#pragma once
// The analog clock face: a dial with tick marks, numerals, an AM/PM box and
// hands. It shows a stored time of day that the user sets by clicking on
// the dial or with keys, or runs as a live clock. The time picker
// drop-down shows one in its pop-up.
#include "grid/base/ExStyleIF.h"
#include "rtl/Controls.h"
#include "rtl/ExtCtrls.h"
#include "rtl/Graphics.h"
#include "rtl/SysUtils.h"

#include <memory>

RTL_NAMED_ENUM(TAMPMFrame, apRect, apRoundRect)
RTL_NAMED_ENUM(TWatchGradient, wgVertical, wgRadial, wgDiagonalForward, wgDiagonalBackward)
RTL_NAMED_ENUM(THourMarkStyle, hmsLine, hmsQuartDblLine)
RTL_NAMED_ENUM(TPointerStyle, psLine, psPointer, psShortLine, psLineArrow)
RTL_NAMED_ENUM(TWatchShape, wsCircle, wsRect, wsRoundRect)
RTL_NAMED_ENUM(TTickMarks, tmAll, tmHours, tmQuartHours, tmNone)
RTL_NAMED_ENUM(TWatchStyle, wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack,
               wsBlackWhite, wsGray, wsSuperNova, wsSports, wsSmooth)

// The parts of a time of day.
struct TTimeParts {
    Word Hour = 0, Minute = 0, Second = 0, MSec = 0;
};
TTimeParts DecodeTimeParts(TDateTime T);

// The clock the live mode reads; tests put one of their own in place.
class TWatchClock {
public:
    virtual ~TWatchClock() = default;
    virtual TDateTime Now();
};
TWatchClock& WatchClock();
// Not owned; nullptr puts the system clock back.
void SetWatchClock(TWatchClock* Clock);

// The look of the clock face. Every setter stores a changed value and
// fires OnChange; the font and picture setters copy and always notify.
class TWatchAppearance : public TPersistent {
public:
    TWatchAppearance();
    ~TWatchAppearance() override;

    // Every value; only the last three setters (centre point outer border,
    // tick marks, hour mark style) notify.
    void Assign(TPersistent* Source) override;
    // The defaults of a fresh appearance, then one notification.
    void ResetDefaults();
    // The AM/PM box colours without notification.
    void StoreAMPMColors(TColor Border, TColor Fill);

    TFont* AMPMFont() const { return FAMPMFont.get(); }
    void SetAMPMFont(TFont* Value);
    RTL_PROPERTY_STORED_BY(Store, TColor, AMPMBorderColor, clBlack)
    RTL_PROPERTY_STORED_BY(Store, TColor, AMPMColor, clWhite)
    RTL_PROPERTY_STORED_BY(Store, TAMPMFrame, AMPMFrame, apRect)
    RTL_PROPERTY_STORED_BY(Store, TColor, BorderColor, clBlack)
    RTL_PROPERTY_STORED_BY(Store, Integer, BorderWidth, 4)
    RTL_PROPERTY_STORED_BY(Store, TColor, BackgroundColor, clWhite)
    RTL_PROPERTY_STORED_BY(Store, TColor, BackgroundColorTo, clNone)
    RTL_PROPERTY_STORED_BY(Store, TWatchGradient, BackgroundGradient, wgVertical)
    RTL_PROPERTY_STORED_BY(Store, TColor, CenterPointBorderColor, clNone)
    RTL_PROPERTY_STORED_BY(Store, TColor, CenterPointOuterBorderColor, clNone)
    RTL_PROPERTY_STORED_BY(Store, TColor, CenterPointColor, clBlack)
    RTL_PROPERTY_STORED_BY(Store, Byte, CenterPointSize, 4)
    TFont* HourFont() const { return FHourFont.get(); }
    void SetHourFont(TFont* Value);
    RTL_PROPERTY_STORED_BY(Store, TColor, HourColor, clBlack)
    RTL_PROPERTY_STORED_BY(Store, Byte, HourMarkLength, 0)
    RTL_PROPERTY_STORED_BY(Store, Byte, HourMarkWidth, 1)
    RTL_PROPERTY_STORED_BY(Store, THourMarkStyle, HourMarkStyle, hmsLine)
    RTL_PROPERTY_STORED_BY(Store, TColor, HourPointer, clBlack)
    RTL_PROPERTY_STORED_BY(Store, TColor, HourPointerShadow, clBtnShadow)
    RTL_PROPERTY_STORED_BY(Store, Byte, HourPointerSize, 4)
    RTL_PROPERTY_STORED_BY(Store, TColor, MinuteColor, TColor(0x808080))
    RTL_PROPERTY_STORED_BY(Store, TColor, MinutePointer, clBlack)
    RTL_PROPERTY_STORED_BY(Store, TColor, MinutePointerShadow, clBtnShadow)
    RTL_PROPERTY_STORED_BY(Store, Byte, MinutePointerSize, 3)
    RTL_PROPERTY_STORED_BY(Store, Byte, MinuteMarkLength, 0)
    RTL_PROPERTY_STORED_BY(Store, Byte, MinuteMarkWidth, 1)
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value);
    RTL_PROPERTY_STORED_BY(Store, TPointerStyle, PointerStyle, psLine)
    RTL_PROPERTY_STORED_BY(Store, TColor, SecondPointer, TColor(0x0000FF))
    RTL_PROPERTY_STORED_BY(Store, Byte, SecondPointerSize, 1)
    RTL_PROPERTY_STORED_BY(Store, TWatchShape, Shape, wsCircle)
    RTL_PROPERTY_STORED_BY(Store, Integer, Size, 0)
    RTL_PROPERTY_STORED_BY(Store, TTickMarks, TickMarks, tmAll)

    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    struct TDefaultsOnly {};
    // The defaults, without notification (ResetDefaults copies them).
    explicit TWatchAppearance(TDefaultsOnly);
    // Every value but the three Assign sets through its setters.
    void CopyPlainValues(const TWatchAppearance& From);
    template <class T>
    void Store(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Changed();
    }

    std::unique_ptr<TFont> FAMPMFont;
    std::unique_ptr<TFont> FHourFont;
    std::unique_ptr<TPicture> FPicture;
};

// The clock face's behaviour: live clock, its offset in minutes and the
// second hand.
class TWatchSettings : public TPersistent {
public:
    // Second and TimeOffset silently, Auto through its setter.
    void Assign(TPersistent* Source) override;

    RTL_PROPERTY_STORED_BY(Store, bool, Auto, false)
    RTL_PROPERTY_STORED_BY(Store, Integer, TimeOffset, 0)
    RTL_PROPERTY_STORED_BY(Store, bool, Second, true)

    TNotifyEvent OnChange;

private:
    template <class T>
    void Store(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        if (OnChange)
            OnChange(this);
    }
};

// The component-style colours of the clock face (also the time picker's).
void ApplyWatchComponentStyle(TWatchAppearance* Appearance, TQVXStyle AStyle);

class TExWatch : public TCustomControl, public IQVXStyle {
public:
    explicit TExWatch(TComponent* AOwner);
    ~TExWatch() override;

    // Raise "Invalid time" above 23 (59) and change nothing then.
    void SetHour(Byte Value);
    void SetMinute(Byte Value);
    // A, P, PageUp, PageDown, Home, End, Left, Right; nothing in live mode.
    void HandleKey(Word Key);
    void SetComponentStyle(TQVXStyle AStyle) override;

    bool Animation() const { return FAnimation; }
    void SetAnimation(bool Value) { FAnimation = Value; }
    Integer AnimationFactor() const { return FAnimationFactor; }
    // Values below 1 are stored as 1: the step divides by it.
    void SetAnimationFactor(Integer Value) { FAnimationFactor = std::max<Integer>(Value, 1); }
    TWatchAppearance* Appearance() const { return FAppearance.get(); }
    // Copied, and drawn anew whatever Assign reported.
    void SetAppearance(TWatchAppearance* Value);
    TWatchSettings* Settings() const { return FSettings.get(); }
    void SetSettings(TWatchSettings* Value) { FSettings->Assign(Value); }
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime Value);
    bool ShowAMPM() const { return FShowAMPM; }
    void SetShowAMPM(bool Value);
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool Value);
    TWatchStyle Style() const { return FStyle; }
    void SetStyle(TWatchStyle Value);
    // The dial shows the AM half.
    bool AM() const { return FAM; }

    // Geometry.
    TRect GetWatchRect() const;
    TPoint GetCenter() const;
    double GetRadius() const;
    // (-1, -1, -1, -1) without ShowAMPM.
    TRect GetAMPMRect();
    Integer MinuteFromPoint(Integer X, Integer Y) const;
    Integer HourFromPoint(Integer X, Integer Y) const;
    // The time the hands show: the live clock plus TimeOffset, or Time.
    TDateTime GetDisplayTime();

    // The timers' ticks.
    void AnimationTimerTick();
    void WatchTimerTick();
    bool Animating() const { return FAnimationTimer->Enabled(); }
    bool LiveTimerRunning() const { return FWatchTimer->Enabled(); }

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void WMGetDlgCode(TWMGetDlgCode& Message) override;

private:
    // The full drawing: background, marks and AM/PM box into the cache,
    // the cache and the hands into the picture the control shows.
    void PaintWatch();
    void ComposeBackground();
    void ComposePicture();
    void RedrawHands();
    // The shown picture to the screen at once.
    void ShowPicture();
    void DrawBackground(TCanvas* C);
    void DrawWatchPicture(TCanvas* C);
    void DrawTickMarks(TCanvas* C);
    void DrawNumbers(TCanvas* C);
    void DrawMarks(TCanvas* C);
    void DrawAMPM(TCanvas* C);
    void DrawAMPMFrame(TCanvas* C, const TRect& Box);
    void DrawHands(TCanvas* C);
    void DrawLineHands(TCanvas* C, double HourAngle, double MinuteAngle);
    void DrawPointerHands(TCanvas* C, double HourAngle, double MinuteAngle);
    void DrawCenterPoint(TCanvas* C);
    TPoint PointAt(double K, double Angle) const;
    void SetAM(bool Value);
    // The box text scrolls from one half to the other, frame by frame.
    void FlipAMPM(bool ToAM);
    // The time stored, the AM flag following its hour without the flip.
    void SetTimeInternal(TDateTime Value);
    // An immediate change of the time: stored, hands redrawn, OnChange
    // unless it is an intermediate step of a running animation.
    void StoreChange(TDateTime Value, bool Intermediate);
    void Changed();
    void SetHourInternally(Byte Value);
    void SetMinuteInternally(Byte Value);
    void AnimationStep();
    void SettingsChanged(TObject* Sender);
    void AppearanceChanged(TObject* Sender);
    void ApplyPreset(TWatchStyle Value);
    bool Manual() const { return !FSettings->Auto(); }
    bool LoadingOrDesigning() const;

    bool FAnimation = true;
    Integer FAnimationFactor = 10;
    std::unique_ptr<TWatchAppearance> FAppearance;
    std::unique_ptr<TWatchSettings> FSettings;
    TDateTime FTime = 0;
    bool FShowAMPM = true;
    bool FShowNumbers = true;
    TWatchStyle FStyle = wsClassic;
    bool FAM = true;
    std::unique_ptr<TBitmap> FBKGCache;
    // What the control shows: the cache with the hands.
    std::unique_ptr<TBitmap> FPicture;
    bool FComposed = false;
    // Paint runs: the shown picture is being copied to the screen.
    bool FPainting = false;
    TTimer* FWatchTimer = nullptr;
    TTimer* FAnimationTimer = nullptr;
    Integer FCurrentHourTo = -1;
    Integer FCurrentMinuteTo = -1;
    Integer FMinuteFrom = 0;
    bool FHourAnimating = false;
    bool FInternalCall = false;
    bool FInternalSet = false;
    // Set while the animation timer's tick changes the time.
    bool FAnimationStep = false;
};
