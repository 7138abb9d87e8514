#pragma once
// The time picker drop-down: a masked edit for a time of day (hours,
// minutes and, optionally, seconds joined by the user's time separator)
// whose pop-up holds a clock face and, on request, a time-of-day picker.
// The value is Time; the text follows it.
#include "controls/dropdown/ExDropDown.h"
#include "controls/dropdown/ExWatch.h"
#include "rtl/ComCtrls.h"

class TExTimePickerDropDown : public TExCustomDropDown {
public:
    explicit TExTimePickerDropDown(TComponent* AOwner);
    ~TExTimePickerDropDown() override;
    // Its defaults and first text, after the drop-down's construction steps.
    void AfterConstruction() override;

    bool Animation() const { return FAnimation; }
    void SetAnimation(bool Value) { FAnimation = Value; }
    Integer AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(Integer Value) { FAnimationFactor = Value; }
    TWatchSettings* WatchSettings() const { return FWatchSettings.get(); }
    void SetWatchSettings(TWatchSettings* Value) { FWatchSettings->Assign(Value); }
    TWatchAppearance* WatchAppearance() const { return FWatchAppearance.get(); }
    void SetWatchAppearance(TWatchAppearance* Value) { FWatchAppearance->Assign(Value); }
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime Value);
    bool ShowWatchAMPM() const { return FShowWatchAMPM; }
    void SetShowWatchAMPM(bool Value) { FShowWatchAMPM = Value; }
    bool ShowWatchNumbers() const { return FShowWatchNumbers; }
    void SetShowWatchNumbers(bool Value) { FShowWatchNumbers = Value; }
    bool ShowTimePicker() const { return FShowTimePicker; }
    void SetShowTimePicker(bool Value) { FShowTimePicker = Value; }
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value);

    // One part of Time replaced; nothing for the current value or one out
    // of range, else OnTimeChange.
    void SetHourPart(Byte Value);
    void SetMinutePart(Byte Value);
    void SetSecondPart(Byte Value);

    // Two-digit parts joined by the user's time separator.
    String FormatTimeText(TDateTime Value) const;

    TExWatch* ExWatch() const { return FExWatch; }
    TPanel* PanelCtrl() const { return FPanelCtrl; }
    TDateTimePicker* DateTimePicker() const { return FDateTimePicker; }

    void SetComponentStyle(TQVXStyle AStyle) override;
    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void DoHideDropDown(bool Cancel) override;
    void DropDownClosed() override;
    void FormKeyDown(Word& Key, TShiftState Shift) override;
    void FormKeyUp(Word& Key, TShiftState Shift) override;
    void ControlKeyDown(Word& Key, TShiftState Shift) override;
    void ControlKeyUp(Word& Key, TShiftState Shift) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnTimeChange;

protected:
    // Up and Down step the part under the caret.
    void KeyDown(Word& Key, TShiftState Shift) override;
    // Reads a complete typed time into Time.
    void Change() override;

private:
    void WatchChanged(TObject* Sender);
    void PickerChange(TObject* Sender);
    void ShowPicker();
    // The edit mask for ShowSeconds with the user's separator.
    String TimeMask() const;
    // A complete time text into Time; false when it is none.
    bool ReadTimeText(const String& Text, TDateTime& Value) const;
    void SetPart(Integer Part, Byte Value);
    void TimeChanged();
    // The clock face's keys (PageUp, PageDown, Up, Down) reach the edit
    // only with Alt.
    static bool PassesToEdit(Word Key, TShiftState Shift);

    std::unique_ptr<TWatchAppearance> FWatchAppearance;
    std::unique_ptr<TWatchSettings> FWatchSettings;
    bool FAnimation = true;
    Integer FAnimationFactor = 10;
    TDateTime FTime = 0;
    bool FShowWatchAMPM = true;
    bool FShowWatchNumbers = true;
    bool FShowTimePicker = false;
    bool FShowSeconds = true;
    TExWatch* FExWatch = nullptr;
    TPanel* FPanelCtrl = nullptr;
    TDateTimePicker* FDateTimePicker = nullptr;
    bool FInternalCall = false;
    // The edit's text and Time when the pop-up opened, and a cancelled
    // close running.
    String FTextAtOpening;
    TDateTime FTimeAtOpening = 0;
    bool FCancelling = false;
};
