#pragma once
// Whether a thread of this process still runs, by the system's task list.
#include "rtl/Classes.h"

#include <QFileInfo>
#include <QTest>

inline bool ThreadListed(TThreadID Id)
{
    return QFileInfo::exists(QStringLiteral("/proc/self/task/%1").arg(Id));
}

// The system lists a thread a moment longer than it takes to join it.
inline bool ThreadGone(TThreadID Id)
{
    return QTest::qWaitFor([Id] { return !ThreadListed(Id); }, 2000);
}
