// Threads, events, and what other threads hand to the main thread:
// synchronized methods and sent messages.
#include "rtl/Classes.h"
#include "rtl/Controls.h"
#include "rtl/SyncObjs.h"

#include <QTest>
#include <QThread>

#include "common/ThreadWatch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <unistd.h>

namespace {

// Counts rounds until terminated; tells when it is freed.
class TCountingThread : public TThread {
public:
    explicit TCountingThread(std::atomic<int>* Freed = nullptr) : FFreed(Freed) {}
    ~TCountingThread() override
    {
        if (FFreed)
            ++*FFreed;
    }
    std::atomic<int> Rounds{0};

protected:
    void Execute() override
    {
        while (!Terminated()) {
            ++Rounds;
            QThread::msleep(1);
        }
    }

private:
    std::atomic<int>* FFreed;
};

// Runs a body on a thread of its own.
class TBodyThread : public TThread {
public:
    explicit TBodyThread(std::function<void()> Body) : FBody(std::move(Body)) {}

protected:
    void Execute() override { FBody(); }

private:
    std::function<void()> FBody;
};



// Records the messages it handles, and on which thread.
class TMessageProbe : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::vector<Cardinal> Messages;
    bool OnMainThread = false;

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_USER + 1) {
            Messages.push_back(Message.Msg);
            OnMainThread = IsMainThread();
            Message.Result = LRESULT(Message.WParam + Message.LParam);
            return;
        }
        TWinControl::WndProc(Message);
    }
};

} // namespace

TEST(ClassesThread, ASuspendedThreadRunsFromStartUntilTerminated)
{
    TCountingThread T;
    EXPECT_TRUE(T.Suspended());
    QThread::msleep(20);
    EXPECT_EQ(T.Rounds.load(), 0);
    EXPECT_EQ(T.ThreadID(), 0u);
    T.Start();
    EXPECT_FALSE(T.Suspended());
    ASSERT_TRUE(QTest::qWaitFor([&] { return T.Rounds.load() > 0; }, 5000));
    EXPECT_NE(T.ThreadID(), TThreadID(::gettid()));
    EXPECT_TRUE(ThreadListed(T.ThreadID()));
    EXPECT_FALSE(T.Finished());
    T.Terminate();
    EXPECT_TRUE(T.Terminated());
    T.WaitFor();
    EXPECT_TRUE(T.Finished());
    EXPECT_TRUE(ThreadGone(T.ThreadID()));
}

TEST(ClassesThread, FreeOnTerminateFreesTheObjectWhenExecuteEnds)
{
    std::atomic<int> Freed{0};
    auto* T = new TCountingThread(&Freed);
    T->SetFreeOnTerminate(true);
    T->Start();
    T->Terminate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Freed.load() == 1; }, 5000));
}

TEST(ClassesThread, FreeingARunningThreadTerminatesItAndWaits)
{
    std::atomic<int> Freed{0};
    auto* T = new TCountingThread(&Freed);
    T->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return T->Rounds.load() > 0; }, 5000));
    const TThreadID Id = T->ThreadID();
    delete T;
    EXPECT_EQ(Freed.load(), 1);
    EXPECT_TRUE(ThreadGone(Id));

    TCountingThread NeverStarted;
    NeverStarted.WaitFor(); // returns at once
    EXPECT_FALSE(NeverStarted.Finished());
}

TEST(ClassesThread, AnExceptionOutOfExecuteEndsTheThread)
{
    TBodyThread T([] { throw EConvertError("broken"); });
    T.Start();
    T.WaitFor();
    EXPECT_TRUE(T.Finished());
}

TEST(SyncObjs, ManualResetStaysSetAutomaticResetLetsOneWaiterThrough)
{
    TEvent Manual(nullptr, true, false);
    EXPECT_EQ(Manual.WaitFor(0), wrTimeout);
    Manual.SetEvent();
    EXPECT_EQ(Manual.WaitFor(0), wrSignaled);
    EXPECT_EQ(Manual.WaitFor(0), wrSignaled);
    Manual.ResetEvent();
    EXPECT_EQ(Manual.WaitFor(10), wrTimeout);

    TEvent Automatic(nullptr, false, true, "Named");
    EXPECT_EQ(Automatic.Name(), "Named");
    EXPECT_EQ(Automatic.WaitFor(0), wrSignaled);
    EXPECT_EQ(Automatic.WaitFor(0), wrTimeout);
}

TEST(SyncObjs, AWaiterWakesWhenAnotherThreadSetsTheEvent)
{
    TEvent Event;
    std::thread Setter([&Event] {
        QThread::msleep(20);
        Event.SetEvent();
    });
    EXPECT_EQ(Event.WaitFor(INFINITE), wrSignaled);
    Setter.join();
}

TEST(ClassesThread, SynchronizeRunsOnTheMainThreadAndCarriesExceptionsBack)
{
    std::atomic<bool> RanOnMain{false};
    String Caught;
    TBodyThread T([&] {
        TThread::Synchronize([&] { RanOnMain = IsMainThread(); });
        try {
            TThread::Synchronize([] { throw EConvertError("raised on the main thread"); });
        } catch (const EConvertError& E) {
            Caught = E.Message();
        }
    });
    T.Start();
    T.WaitFor(); // runs the synchronized methods while it waits
    EXPECT_TRUE(RanOnMain.load());
    EXPECT_EQ(Caught, "raised on the main thread");

    bool Direct = false;
    TThread::Synchronize([&] { Direct = true; });
    EXPECT_TRUE(Direct) << "on the main thread it runs at once";
}

TEST(WindowsSendMessage, FromAnotherThreadTheHandlerRunsOnTheMainThread)
{
    TMessageProbe Probe(nullptr);
    const HWND Wnd = Probe.Handle();
    std::atomic<LRESULT> Result{0};
    // Delivered by the event loop ...
    TBodyThread ByLoop([&] { Result = SendMessage(Wnd, WM_USER + 1, 40, 2); });
    ByLoop.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ByLoop.Finished(); }, 5000));
    ByLoop.WaitFor();
    EXPECT_EQ(Result.load(), 42);
    EXPECT_TRUE(Probe.OnMainThread);
    // ... or while the main thread waits for the sender.
    TBodyThread ByWait([&] { Result = SendMessage(Wnd, WM_USER + 1, 1, 2); });
    ByWait.Start();
    ByWait.WaitFor();
    EXPECT_EQ(Result.load(), 3);
    EXPECT_EQ(Probe.Messages.size(), 2u);
}

TEST(WindowsSendMessage, AWindowGoneBeforeDeliveryGetsNothing)
{
    auto* Probe = new TMessageProbe(nullptr);
    const HWND Wnd = Probe->Handle();
    delete Probe;
    std::atomic<LRESULT> Result{-1};
    TBodyThread Sender([&] { Result = SendMessage(Wnd, WM_USER + 1, 40, 2); });
    Sender.Start();
    Sender.WaitFor();
    EXPECT_EQ(Result.load(), 0);
}
