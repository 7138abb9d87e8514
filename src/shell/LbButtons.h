#pragma once
// Types of the owner-drawn push button, and its fade ticker.
#include "rtl/Buttons.h"
#include "rtl/Classes.h"

#include <memory>

class QTimer;

// Ordinals are stored with the windows' descriptions: keep the order.
enum TLbButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
enum TLbColorStyle {
    lcsCustom, lcsGold, lcsChrome, lcsBlue, lcsRed, lcsUltraFlat1, lcsUltraFlat2, lcsUltraFlatXP,
    lcsAqua, lcsDefault, lcsQuicken
};
enum TLbButtonKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
using TLbButtonLayout = TButtonLayout;

// Ticks every 30 ms on the window thread while resumed and calls its notify
// event with itself as sender; created suspended. It stands where the
// original design had a worker thread that handed each tick to the window
// thread: a timer of the window thread gives the same ticks without one.
class TLbButtonThread : public TObject {
public:
    static constexpr int Tick_Interval_Ms = 30;

    explicit TLbButtonThread(TNotifyEvent ANotify);
    ~TLbButtonThread() override;

    bool Suspended() const { return FSuspended; }
    void Resume();
    void Suspend();
    // Stops the ticks for good.
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Nothing runs apart from the window thread, so there is nothing to wait for.
    void WaitFor() {}

    // One tick: calls the notify event (tests call it to step a fade).
    void DoEvent();

private:
    TNotifyEvent FNotify;
    std::unique_ptr<QTimer> FTimer;
    bool FSuspended = true;
    bool FTerminated = false;
};
