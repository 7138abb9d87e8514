// Threads, and the queue of methods that other threads run on the main
// thread through Synchronize.
#include "rtl/Classes.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

#include <unistd.h>

namespace {

struct TSyncRequest {
    std::function<void()> Method;
    std::exception_ptr Error;
    bool Done = false;
};

std::mutex SyncLock;
std::condition_variable SyncDone;
std::deque<TSyncRequest*> SyncQueue;

void WakeMainThread()
{
    if (QCoreApplication* App = QCoreApplication::instance())
        QMetaObject::invokeMethod(App, [] { CheckSynchronize(); }, Qt::QueuedConnection);
}

} // namespace

bool IsMainThread()
{
    const QCoreApplication* App = QCoreApplication::instance();
    return !App || QThread::currentThread() == App->thread();
}

bool CheckSynchronize()
{
    if (!IsMainThread())
        return false;
    bool Ran = false;
    for (;;) {
        TSyncRequest* Request;
        {
            std::lock_guard Lock(SyncLock);
            if (SyncQueue.empty())
                return Ran;
            Request = SyncQueue.front();
            SyncQueue.pop_front();
        }
        try {
            Request->Method();
        } catch (...) {
            Request->Error = std::current_exception();
        }
        {
            std::lock_guard Lock(SyncLock);
            Request->Done = true;
        }
        SyncDone.notify_all();
        Ran = true;
    }
}

struct TThread::TState {
    std::mutex StartLock;
    std::thread Thread;
    std::mutex DoneLock;
    std::condition_variable DoneSignal;
};

TThread::TThread() : FState(std::make_unique<TState>()) {}

TThread::~TThread()
{
    std::thread& T = FState->Thread;
    if (T.joinable()) {
        if (T.get_id() == std::this_thread::get_id())
            T.detach();
        else
            T.join();
    }
}

void TThread::BeforeDestruction()
{
    if (FStarted && !Finished() && FState->Thread.get_id() != std::this_thread::get_id()) {
        Terminate();
        WaitFor();
    }
}

void TThread::Start()
{
    if (FStarted)
        return;
    FStarted = true;
    // Run waits for this lock, so the thread object is stored before it can
    // free itself.
    std::lock_guard Lock(FState->StartLock);
    FState->Thread = std::thread(&TThread::Run, this);
}

void TThread::Terminate()
{
    FTerminated.store(true);
}

void TThread::Run(TThread* Thread)
{
    {
        std::lock_guard Started(Thread->FState->StartLock);
    }
    Thread->FThreadID.store(TThreadID(::gettid()));
    try {
        Thread->Execute();
    } catch (...) {
        // The thread ends; nobody is there to be told.
    }
    // Once finished, an owner may free the object: read what is needed first.
    const bool FreeSelf = Thread->FreeOnTerminate();
    {
        std::lock_guard Lock(Thread->FState->DoneLock);
        Thread->FFinished.store(true);
        Thread->FState->DoneSignal.notify_all();
    }
    if (FreeSelf)
        delete Thread;
}

void TThread::WaitFor()
{
    if (!FStarted || FState->Thread.get_id() == std::this_thread::get_id())
        return;
    std::unique_lock Lock(FState->DoneLock);
    const bool OnMainThread = IsMainThread();
    while (!Finished()) {
        if (OnMainThread) {
            Lock.unlock();
            CheckSynchronize();
            Lock.lock();
        }
        FState->DoneSignal.wait_for(Lock, std::chrono::milliseconds(OnMainThread ? 5 : 100),
                                    [this] { return Finished(); });
    }
    Lock.unlock();
    if (FState->Thread.joinable())
        FState->Thread.join();
}

void TThread::Synchronize(const std::function<void()>& Method)
{
    if (IsMainThread()) {
        Method();
        return;
    }
    TSyncRequest Request{Method, nullptr, false};
    {
        std::lock_guard Lock(SyncLock);
        SyncQueue.push_back(&Request);
    }
    WakeMainThread();
    {
        std::unique_lock Lock(SyncLock);
        SyncDone.wait(Lock, [&Request] { return Request.Done; });
    }
    if (Request.Error)
        std::rethrow_exception(Request.Error);
}
