#pragma once
// Date and time pickers that move to the next field by themselves
// (AutoTab), and the picker of date and time together with a time part of
// its own and a label.
#include "grid/base/EsgDateTimePicker.h"
#include "rtl/ExtCtrls.h"

RTL_NAMED_ENUM(TExDateTimeKind, dkDate, dkTime, dkDateTime)

// The registered message "DTPShiftFocus", posted to a picker after a typed
// digit; the grid registers the same name for its pickers.
extern const UINT WM_DTPSHIFTFOCUS;

class TCustomDateTimePicker : public TEsgFlatPicker {
public:
    explicit TCustomDateTimePicker(TComponent* AOwner);

    // After a typed digit that changed a field the caret moves on.
    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool Value);

    virtual void ShiftFocus();
    // The picker is the time part inside a TExDateTimePicker: it draws no
    // metro border of its own.
    virtual bool IsInnerPicker() const { return true; }

    void WndProc(TMessage& Message) override;

protected:
    bool IsMetro() const override;
    Integer MetroFillLeft() const override;
    void DrawOverMetroFill(TCanvas* Canvas) override;
    void KeyPress(Char& Key) override;
    // The time of day changed since the digit was typed.
    bool TimeChangedSinceKey() const;
    // Moves the caret to the next field.
    void PostRight();

private:
    bool FAutoTab = false;
    Word Fh = 0, Fm = 0, Fs = 0, Fms = 0;
};

class TExDateTimePicker : public TCustomDateTimePicker, public TLabelledControl {
public:
    explicit TExDateTimePicker(TComponent* AOwner);
    ~TExDateTimePicker() override;

    TExDateTimeKind Kind() const { return FKind; }
    void SetKind(TExDateTimeKind Value);
    // Reading takes the time part's time first.
    TDateTime DateTime();
    // The time is cut to whole seconds; the time part gets the value too.
    void SetDateTime(TDateTime Value) override;
    TDateTime Date() const { return TDateTimePicker::Date(); }
    // The day of Value with the time of day shown (whole seconds).
    void SetDate(TDateTime Value);
    TDateTime Time() const;
    void SetTime(TDateTime Value);
    const String& TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const String& Value);
    void SetAutoTab(bool Value) override;
    void SetBorderStyle(TBorderStyle Value) override;
    // "1.2.0.0"; writing it changes nothing.
    String Version() const;
    void SetVersion(const String&) {}

    TLabel* PickerLabel() const { return AttachedLabel(); }
    // The embedded time part (dkDateTime), else null.
    TCustomDateTimePicker* TimePicker() const { return FTimePicker; }
    TTimer* FocusTimer() const { return FFocusTimer; }

    void ShiftFocus() override;
    bool IsInnerPicker() const override { return false; }

    void SetEnabled(bool Value) override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnTimeChange;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

protected:
    void CreateTimePicker();
    void UpdateTimePicker();
    void PaintOver(TCanvas* Canvas) override;
    void KeyPress(Char& Key) override;
    void CNNotify(TWMNotify& Message) override;
    void DTMSetSystemTime(TMessage& Message) override;
    void WMSize(TWMSize& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMParentFontChanged(TMessage& Message) override;
    TFont* LabelFontInUse() const override;
    void LabelMade(TLabel* Label) override;

private:
    bool Loading() const;
    // The time part's place inside the picker for its width.
    TRect TimePickerBounds(Integer TimeWidth) const;
    void ApplyCheckToTimePicker();

    TExDateTimeKind FKind = dkDateTime;
    String FTimeFormat;
    Word Fy = 0, Fm = 0, Fd = 0;
    bool FParentFnt = false;
    bool FIgnoreTimePickerCheck = false;
    bool FFirstRun = true;
    TCustomDateTimePicker* FTimePicker = nullptr;
    // Started by a change of the day of a picker with a check box.
    TTimer* FFocusTimer;
    TDateTime FNotifiedDay = 0;
};
