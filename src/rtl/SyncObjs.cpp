#include "rtl/SyncObjs.h"

#include <chrono>

TEvent::TEvent(void*, bool ManualReset, bool InitialState, const String& Name)
    : FSet(InitialState), FManualReset(ManualReset), FName(Name)
{
}

void TEvent::SetEvent()
{
    {
        std::lock_guard Lock(FLock);
        FSet = true;
    }
    FSignal.notify_all();
}

void TEvent::ResetEvent()
{
    std::lock_guard Lock(FLock);
    FSet = false;
}

TWaitResult TEvent::WaitFor(Cardinal Timeout)
{
    std::unique_lock Lock(FLock);
    const auto IsSet = [this] { return FSet; };
    if (Timeout == INFINITE)
        FSignal.wait(Lock, IsSet);
    else if (!FSignal.wait_for(Lock, std::chrono::milliseconds(Timeout), IsSet))
        return wrTimeout;
    if (!FManualReset)
        FSet = false;
    return wrSignaled;
}
