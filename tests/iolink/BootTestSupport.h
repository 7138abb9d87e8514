#pragma once
// A simulated gateway for the update dialog: an echo service that answers
// by script and a clock that the echoes and pauses move forward, so the
// reachability test runs its whole course without waiting.
#include "iolink/UBoot.h"
#include "platform/IcmpEcho.h"
#include "rtl/Forms.h"

#include <functional>
#include <vector>

class TSimulatedClock : public TBootClock {
public:
    DWORD Now = 1000;
    int Pauses = 0;

    DWORD Ticks() override { return Now; }
    void Pause(DWORD Ms) override
    {
        Now += Ms;
        ++Pauses;
        Application->ProcessMessages();
    }
};

class TSimulatedGateway : public platform::IEchoService {
public:
    explicit TSimulatedGateway(TSimulatedClock& Clock) : FClock(Clock) {}

    // Whether echo number N (from 0) is answered; never, unless set.
    std::function<bool(int N)> Answers = [](int) { return false; };
    // Time an answer takes; an unanswered echo takes the whole time-out.
    DWORD Answer_Ms = 1;
    // Every echo raises, as for a name that cannot be resolved.
    bool Unresolvable = false;
    // Runs inside each echo, while the dialog waits for it.
    std::function<void()> During;

    struct TSent {
        String Dest;
        String Text;
        int TimeoutMs;
    };
    std::vector<TSent> Sent;

    int Echo(const String& Dest, const String& Text, int TimeoutMs) override
    {
        Sent.push_back({Dest, Text, TimeoutMs});
        if (During)
            During();
        if (Unresolvable)
            throw EIcmpError(QStringLiteral("cannot resolve ") + Dest);
        const bool Answered = Answers(int(Sent.size()) - 1);
        FClock.Now += Answered ? Answer_Ms : DWORD(TimeoutMs);
        // An answer to a 1024-byte request: header, tick count and data.
        return Answered ? 8 + 4 + 1024 : 0;
    }

private:
    TSimulatedClock& FClock;
};

// Puts the simulated clock and gateway in place for one scope.
class TSimulatedNetwork {
public:
    TSimulatedNetwork() : Gateway(Clock)
    {
        SetBootClock(&Clock);
        platform::SetEchoService(&Gateway);
    }
    ~TSimulatedNetwork()
    {
        platform::SetEchoService(nullptr);
        SetBootClock(nullptr);
    }
    TSimulatedNetwork(const TSimulatedNetwork&) = delete;
    TSimulatedNetwork& operator=(const TSimulatedNetwork&) = delete;

    TSimulatedClock Clock;
    TSimulatedGateway Gateway;
};
