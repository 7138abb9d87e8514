// Every save of the program, killed or failed at its write-side system
// calls (strace injects SIGKILL, ENOSPC or EIO there): a saved file is
// always its old or its new complete self, the two images belong together,
// a failure is never reported as success, and a save after an interruption
// leaves no temporary file behind. The test suite tries the calls that
// decide (every rename and link killed, the first write and folder made
// killed or refused for room, the first sync failed); with
// CFG_FAULT_SWEEP=all (scripts/fault-sweep) it tries every fault at every
// call.
#include "ToolRun.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace toolrun;

namespace {

// The system calls that change files.
const QString FaultCalls = QStringLiteral("openat,write,fsync,fdatasync,rename,renameat,renameat2,link,linkat,"
                                          "mkdir,mkdirat,fchmod,unlink,unlinkat");

struct TFault {
    QString Call;
    int Invocation;
    QString Kind;   // "signal=KILL", "error=ENOSPC", "error=EIO"
};

class FaultInjection : public TSaveTest {
protected:
    void SetUp() override { Prepare(StraceUnusable()); }

    // Runs the save in a fresh copy of the template, under strace with the
    // faults given; the exit code (-1 when killed) and the copy's folder.
    int Run(const TSave& Save, const QString& Work, const QStringList& StraceArgs)
    {
        CopyTree(Template(), Work);
        return RunTool(Strace(StraceArgs), Save.ArgsIn(Work));
    }

    // The calls of the reference run that change something in the work
    // folder, each with its invocation number among the calls of its name.
    static std::vector<std::pair<QString, int>> TouchingCalls(const QString& Log, const QString& Work)
    {
        std::vector<std::pair<QString, int>> Calls;
        std::map<QString, int> Count;
        static const QRegularExpression Line(QStringLiteral("^([a-z0-9_]+)\\("));
        for (const QByteArray& Raw : ReadAll(Log).split('\n')) {
            const QString Text = QString::fromUtf8(Raw);
            const QRegularExpressionMatch M = Line.match(Text);
            if (!M.hasMatch())
                continue;
            const int N = ++Count[M.captured(1)];
            const bool Reads = M.captured(1) == u"openat" && !Text.contains(QStringLiteral("O_CREAT"));
            if (Text.contains(Work + u'/') && !Reads)
                Calls.emplace_back(M.captured(1), N);
        }
        return Calls;
    }

    // The faults to try at the calls of the reference run.
    static std::vector<TFault> FaultsAt(const std::vector<std::pair<QString, int>>& Calls)
    {
        const bool Sweep = qEnvironmentVariable("CFG_FAULT_SWEEP") == u"all";
        std::vector<TFault> Faults;
        std::set<QString> Tried;
        for (const auto& [Call, N] : Calls) {
            const bool First = Tried.insert(Call).second;
            const bool Commits = Call.startsWith(u"rename") || Call.startsWith(u"link");
            const bool Makes = Call == u"write" || Call == u"openat" || Call.startsWith(u"mkdir") || Call.startsWith(u"link");
            if (Sweep || Commits || (First && Call == u"write"))
                Faults.push_back({Call, N, QStringLiteral("signal=KILL")});
            if (Makes && (Sweep || (First && (Call == u"write" || Call == u"openat"))))
                Faults.push_back({Call, N, QStringLiteral("error=ENOSPC")});
            if ((Call == u"fsync" || Commits || Call == u"write") && (Sweep || (First && Call == u"fsync")))
                Faults.push_back({Call, N, QStringLiteral("error=EIO")});
        }
        return Faults;
    }

    void CheckSave(const TSave& Save)
    {
        QTemporaryDir Runs;
        const QString Reference = Runs.filePath(QStringLiteral("reference"));
        const QString Log = Runs.filePath(QStringLiteral("reference.log"));
        ASSERT_EQ(Run(Save, Reference, {QStringLiteral("-o"), Log, QStringLiteral("-y"), QStringLiteral("-e"),
                                        QStringLiteral("trace=") + FaultCalls}),
                  0);
        std::vector<QByteArrayList> Old, New;
        for (const QStringList& Group : Save.Groups) {
            Old.push_back(GroupState(Template(), Group));
            New.push_back(GroupState(Reference, Group));
            ASSERT_NE(Old.back(), New.back()) << "the save changes nothing: " << Group.join(u' ').toStdString();
        }
        const std::vector<TFault> Faults = FaultsAt(TouchingCalls(Log, Reference));
        ASSERT_FALSE(Faults.empty());
        RecordProperty("faults", int(Faults.size()));
        int I = 0;
        for (const TFault& F : Faults) {
            const QString Fault = QStringLiteral("inject=%1:%2:when=%3").arg(F.Call, F.Kind).arg(F.Invocation);
            SCOPED_TRACE(Fault.toStdString());
            const QString Work = Runs.filePath(QStringLiteral("run%1").arg(++I));
            const int Code = Run(Save, Work, {QStringLiteral("-e"), QStringLiteral("trace=none"),
                                              QStringLiteral("-e"), Fault});
            for (std::size_t G = 0; G < Save.Groups.size(); ++G) {
                const QByteArrayList State = GroupState(Work, Save.Groups[G]);
                EXPECT_TRUE(State == Old[G] || State == New[G]) << Save.Groups[G].join(u' ').toStdString();
                if (Code == 0 && Save.Reports) {
                    EXPECT_EQ(State, New[G]) << "a failed save reported success";
                }
            }
            if (Code >= 0) {
                EXPECT_EQ(Leftovers(Work, Save.Folders), QStringList());
                QDir(Work).removeRecursively();
                continue;
            }
            // The next save completes and clears what the kill left.
            EXPECT_EQ(RunTool({}, Save.ArgsIn(Work)), 0);
            for (std::size_t G = 0; G < Save.Groups.size(); ++G)
                EXPECT_EQ(GroupState(Work, Save.Groups[G]), New[G]);
            EXPECT_EQ(Leftovers(Work, Save.Folders), QStringList());
            QDir(Work).removeRecursively();
        }
    }

};

TEST_P(FaultInjection, EachFileIsOldOrNewAfterEveryFault) { CheckSave(SaveOf(GetParam())); }

INSTANTIATE_TEST_SUITE_P(Saves, FaultInjection, ::testing::ValuesIn(SaveNames), SaveTestName);

} // namespace
