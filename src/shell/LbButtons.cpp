#include "shell/LbButtons.h"

#include <QTimer>

TLbButtonThread::TLbButtonThread(TNotifyEvent ANotify)
    : FNotify(std::move(ANotify)), FTimer(std::make_unique<QTimer>())
{
    FTimer->setInterval(Tick_Interval_Ms);
    QObject::connect(FTimer.get(), &QTimer::timeout, [this] { DoEvent(); });
}

TLbButtonThread::~TLbButtonThread()
{
    FTimer->stop();
}

void TLbButtonThread::Resume()
{
    if (FTerminated || !FSuspended)
        return;
    FSuspended = false;
    FTimer->start();
}

void TLbButtonThread::Suspend()
{
    FSuspended = true;
    FTimer->stop();
}

void TLbButtonThread::Terminate()
{
    FTerminated = true;
    FTimer->stop();
}

void TLbButtonThread::DoEvent()
{
    if (FNotify)
        FNotify(this);
}
