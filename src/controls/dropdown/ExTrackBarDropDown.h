#pragma once
// The drop-down for an integer in a range: a track bar in the pop-up; the
// edit shows its position. Arrow keys and a horizontal drag over the edit
// step the value while the edit cannot be typed into.
#include "controls/dropdown/ExDropDown.h"
#include "rtl/ComCtrls.h"

class TExTrackBarDropDown : public TExCustomDropDown {
public:
    explicit TExTrackBarDropDown(TComponent* AOwner);
    // Its defaults, after the drop-down's construction steps.
    void AfterConstruction() override;

    TTrackBar* TrackBar() const { return FTrackBar; }
    Integer Min() const { return FMin; }
    void SetMin(Integer Value);
    Integer Max() const { return FMax; }
    void SetMax(Integer Value);
    Integer Frequency() const { return FFrequency; }
    void SetFrequency(Integer Value);
    Integer PageSize() const { return FPageSize; }
    void SetPageSize(Integer Value);
    Integer Position() const { return FPosition; }
    // Stored as the track bar keeps it (inside its range).
    void SetPosition(Integer Value);

    void CreateDropDownForm() override;
    void DoBeforeDropDown() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TNotifyEvent OnTrackChange;

protected:
    // A text that reads as an integer moves the position; another one
    // leaves it.
    void Change() override;
    void WMKeyDown(TWMKey& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    void TrackChange(TObject* Sender);
    bool CanDrag() const { return DropDownEnabled() && !EditorEnabled(); }

    TTrackBar* FTrackBar = nullptr;
    Integer FMin = 0;
    Integer FFrequency = 1;
    Integer FPageSize = 2;
    Integer FMax = 10;
    Integer FPosition = 0;
    bool FMouseDragging = false;
    Integer FMouseX = 0;
};
