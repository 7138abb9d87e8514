// Every save of the program on a full disk: a small tmpfs of its own (in a
// mount namespace of the test) filled to the brim, then given a little room
// back. The save fails and says so, each file is its old complete self (or
// the new one, when the room sufficed), nothing is left behind, and once
// the disk has room again the same save completes.
#include "ToolRun.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace toolrun;

namespace {

class DiskFull : public TSaveTest {
protected:
    void SetUp() override { Prepare(NamespaceUnusable()); }

    static QString NamespaceUnusable()
    {
        QTemporaryDir Mount;
        QProcess P;
        P.start(QStringLiteral("unshare"), {QStringLiteral("-rm"), QStringLiteral("mount"), QStringLiteral("-t"),
                                            QStringLiteral("tmpfs"), QStringLiteral("tmpfs"), Mount.path()});
        if (!P.waitForFinished(20000) || P.exitStatus() != QProcess::NormalExit || P.exitCode() != 0)
            return QStringLiteral("no tmpfs can be mounted in a namespace of the test (unshare -rm): ")
                   + QString::fromLocal8Bit(P.readAllStandardError());
        return QString();
    }

    // Runs the save on a copy of the template on a full tmpfs with Room
    // bytes given back, then again after the filler is gone; the two
    // results are copied to Out/first and Out/second, their exit codes
    // into Out/first.exit and Out/second.exit.
    void RunOnFullDisk(const TSave& Save, const QString& Out, int Room)
    {
        const QString Mount = Out + QStringLiteral("/mnt");
        QDir().mkpath(Mount);
        QString Command;
        for (const QString& A : Save.ArgsIn(Mount))
            Command += QStringLiteral(" '") + A + QStringLiteral("'");
        const QString Script = QStringLiteral(
            "set -u\n"
            "mount -t tmpfs -o size=512k tmpfs \"$1\" || exit 90\n"
            "cp -a \"$2/.\" \"$1/\" || exit 91\n"
            "dd if=/dev/zero of=\"$1/filler\" bs=4096 2>/dev/null\n"
            "truncate -s -%1 \"$1/filler\"\n"
            "\"$3\"%2 >/dev/null 2>&1; echo $? > \"$4/first.exit\"\n"
            "rm \"$1/filler\"; cp -a \"$1/.\" \"$4/first\"\n"
            "\"$3\"%2 >/dev/null 2>&1; echo $? > \"$4/second.exit\"\n"
            "cp -a \"$1/.\" \"$4/second\"\n")
                                   .arg(Room)
                                   .arg(Command);
        QProcess P;
        P.setProcessEnvironment(ToolEnvironment());
        P.start(QStringLiteral("unshare"), {QStringLiteral("-rm"), QStringLiteral("sh"), QStringLiteral("-c"), Script,
                                            QStringLiteral("sh"), Mount, Template(),
                                            QStringLiteral(CFG_CFGTOOL), Out});
        ASSERT_TRUE(P.waitForFinished(120000));
        ASSERT_EQ(P.exitCode(), 0) << P.readAll().toStdString();
    }

    void CheckSave(const TSave& Save)
    {
        SCOPED_TRACE(Save.Name);
        QTemporaryDir Runs;
        const QString Reference = Runs.filePath(QStringLiteral("reference"));
        CopyTree(Template(), Reference);
        ASSERT_EQ(RunTool({}, Save.ArgsIn(Reference)), 0);
        for (const int Room : {0, 4096}) {
            SCOPED_TRACE("room " + std::to_string(Room));
            const QString Out = Runs.filePath(QStringLiteral("room%1").arg(Room));
            RunOnFullDisk(Save, Out, Room);
            const QString First = Out + QStringLiteral("/first");
            const QString Mount = Out + QStringLiteral("/mnt");
            const bool Failed = ReadAll(Out + QStringLiteral("/first.exit")).trimmed() != "0";
            for (const QStringList& Group : Save.Groups) {
                const QByteArrayList State = GroupState(First, Group, Mount);
                const QByteArrayList Old = GroupState(Template(), Group);
                const QByteArrayList New = GroupState(Reference, Group);
                EXPECT_TRUE(State == Old || State == New) << Group.join(u' ').toStdString();
                EXPECT_TRUE(Failed || State == New || !Save.Reports) << "a save cut short reported success";
                EXPECT_EQ(GroupState(Out + QStringLiteral("/second"), Group, Mount), New);
            }
            EXPECT_EQ(Leftovers(First, Save.Folders), QStringList());
            EXPECT_EQ(ReadAll(Out + QStringLiteral("/second.exit")).trimmed(), QByteArray("0"));
            EXPECT_EQ(Leftovers(Out + QStringLiteral("/second"), Save.Folders), QStringList());
        }
    }

};

TEST_P(DiskFull, EachFileIsOldOrNewAndTheFailureIsReported) { CheckSave(SaveOf(GetParam())); }

INSTANTIATE_TEST_SUITE_P(Saves, DiskFull, ::testing::ValuesIn(SaveNames), SaveTestName);

} // namespace
