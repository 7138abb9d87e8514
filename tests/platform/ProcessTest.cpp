#include "platform/Process.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QUrl>

#include <chrono>
#include <csignal>
#include <thread>

#include <sys/wait.h>

using namespace platform;

namespace {

// A scratch folder with small shell scripts in it.
class ProcessTest : public ::testing::Test {
protected:
    QString Write(const QString& Name, const QByteArray& Content, QFile::Permissions Mode)
    {
        const QString path = FDir.filePath(Name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Content);
        f.close();
        f.setPermissions(Mode);
        return path;
    }
    QString Script(const QString& Name, const QByteArray& Body)
    {
        return Write(Name, "#!/bin/sh\n" + Body + "\n",
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    }
    QString Path(const QString& Name) const { return FDir.filePath(Name); }

    // A script that runs until the file named by its first argument appears
    // (giving up after about a minute, so a failed test leaves no orphan).
    QString WaitingScript()
    {
        return Script("wait.sh", "i=0\nwhile [ ! -e \"$1\" ] && [ $i -lt 6000 ]; do sleep 0.01; i=$((i+1)); done\nexit 9");
    }

    QTemporaryDir FDir;
};

void Touch(const QString& Path)
{
    QFile f(Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

// True once Pid is no longer a child of this process, that is, once someone
// has collected it; the check itself never collects it.
bool CollectedWithin(pid_t Pid, std::chrono::seconds Limit)
{
    const auto end = std::chrono::steady_clock::now() + Limit;
    do {
        siginfo_t info{};
        if (::waitid(P_PID, id_t(Pid), &info, WEXITED | WNOHANG | WNOWAIT) < 0 && errno == ECHILD)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

} // namespace

TEST_F(ProcessTest, GivesTheExitCode)
{
    const struct {
        const char* Body;
        QStringList Args;
        int Expected;
    } cases[] = {
        {"exit 0", {}, 0},
        {"exit 3", {}, 3},
        {"exit 255", {}, 255},
        {"kill -TERM $$", {}, 128 + SIGTERM},
        // Arguments reach the program as they are, with no shell between.
        {"[ $# -eq 2 ] && [ \"$1\" = 'a b' ] && [ \"$2\" = '$HOME;*' ] && exit 7; exit 1", {"a b", "$HOME;*"}, 7},
    };
    int n = 0;
    for (const auto& c : cases) {
        TProcessHandle h = StartProcess(Script(QStringLiteral("s%1.sh").arg(n++), c.Body), c.Args);
        ASSERT_TRUE(h.Started()) << h.StartError().toStdString();
        EXPECT_TRUE(h.StartError().isEmpty());
        ASSERT_TRUE(WaitForExit(h, 60000)) << c.Body;
        EXPECT_TRUE(h.Exited());
        EXPECT_EQ(h.ExitCode(), c.Expected) << c.Body;
    }
}

TEST_F(ProcessTest, CallsBackBetweenPolls)
{
    const QString flag = Path("flag");
    TProcessHandle h = StartProcess(WaitingScript(), {flag});
    ASSERT_TRUE(h.Started()) << h.StartError().toStdString();
    int polls = 0;
    // The child ends only after the callback has run.
    ASSERT_TRUE(WaitForExit(h, 60000, [&] {
        if (++polls == 1)
            Touch(flag);
    }));
    EXPECT_GE(polls, 1);
    EXPECT_EQ(h.ExitCode(), 9);
}

TEST_F(ProcessTest, TimeOutLeavesTheChildRunningAndWaitableAgain)
{
    const QString flag = Path("flag");
    TProcessHandle h = StartProcess(WaitingScript(), {flag});
    ASSERT_TRUE(h.Started());
    EXPECT_FALSE(WaitForExit(h, 30));
    EXPECT_FALSE(h.Exited());
    EXPECT_EQ(::kill(h.Pid(), 0), 0) << "the child must keep running";

    Touch(flag);
    ASSERT_TRUE(WaitForExit(h, 60000));
    EXPECT_EQ(h.ExitCode(), 9);
}

TEST_F(ProcessTest, ChildOutlivingItsHandleIsCollected)
{
    // One child ends on its own later, the other is killed.
    const QString flag = Path("flag");
    const QString script = WaitingScript();
    for (bool killIt : {false, true}) {
        pid_t pid = 0;
        {
            TProcessHandle h = StartProcess(script, {flag});
            ASSERT_TRUE(h.Started());
            EXPECT_FALSE(WaitForExit(h, 20));
            pid = h.Pid();
        }
        EXPECT_EQ(::kill(pid, 0), 0) << "the child must keep running after its handle";
        if (killIt)
            ::kill(pid, SIGKILL);
        else
            Touch(flag);
        EXPECT_TRUE(CollectedWithin(pid, std::chrono::seconds(60))) << "zombie left, killed: " << killIt;
        QFile::remove(flag);
    }
}

TEST_F(ProcessTest, FailedStartIsReported)
{
    const QFile::Permissions rw = QFile::ReadOwner | QFile::WriteOwner;
    const QFile::Permissions rwx = rw | QFile::ExeOwner;
    QDir(FDir.path()).mkdir("folder");
    const QString cases[] = {
        Path("missing.exe"),
        Write("plain.sh", "#!/bin/sh\nexit 0\n", rw),
        Write("noheader", "exit 0\n", rwx),
        Write("garbage", QByteArray("\x7F" "ELF broken", 11), rwx),
        // An interpreter line naming a missing interpreter.
        Write("badinterp.sh", "#!/no/such/interpreter\nexit 0\n", rwx),
        Path("folder"),
        QString(),
    };
    for (const QString& program : cases) {
        TProcessHandle h = StartProcess(program, {});
        EXPECT_FALSE(h.Started()) << program.toStdString();
        EXPECT_TRUE(h.StartError().contains(QStringLiteral("\"%1\"").arg(program))) << h.StartError().toStdString();
        EXPECT_FALSE(WaitForExit(h, 60000));
        EXPECT_FALSE(h.Exited());
    }
}

TEST(OpenURL, HandsValidLinksToTheDesktopHandler)
{
    // The handler is called by method name with the link; a signal taking a
    // QUrl serves, so the test needs no meta-object of its own.
    QTextDocument catcher;
    QList<QUrl> opened;
    QObject::connect(&catcher, &QTextDocument::baseUrlChanged, [&opened](const QUrl& Url) { opened.append(Url); });
    QDesktopServices::setUrlHandler("cfgtest", &catcher, "baseUrlChanged");
    const bool handedOver = OpenURL("cfgtest://download.example/page?id=QP11211");
    const bool refusedEmpty = !OpenURL("");
    const bool refusedNoScheme = !OpenURL("just text");
    const bool refusedBad = !OpenURL("cfgtest://host:99999999/");
    QDesktopServices::unsetUrlHandler("cfgtest");

    EXPECT_TRUE(handedOver);
    EXPECT_TRUE(refusedEmpty);
    EXPECT_TRUE(refusedNoScheme);
    EXPECT_TRUE(refusedBad);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first(), QUrl("cfgtest://download.example/page?id=QP11211"));
}
