#pragma once
// Synchronisation objects between threads.
#include "rtl/Classes.h"

#include <condition_variable>
#include <mutex>

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

constexpr Cardinal INFINITE = 0xFFFFFFFF;

// An event threads wait for. A manual-reset event stays set until
// ResetEvent; an automatic one lets one waiter through and resets itself.
// The name is kept for the design's sake: events are not shared between
// processes here.
class TEvent : public TObject {
public:
    explicit TEvent(void* EventAttributes = nullptr, bool ManualReset = true, bool InitialState = false,
                    const String& Name = String());

    void SetEvent();
    void ResetEvent();
    // wrSignaled when the event was set within Timeout milliseconds
    // (INFINITE: no limit), else wrTimeout.
    TWaitResult WaitFor(Cardinal Timeout = INFINITE);
    const String& Name() const { return FName; }

private:
    std::mutex FLock;
    std::condition_variable FSignal;
    bool FSet;
    const bool FManualReset;
    const String FName;
};
