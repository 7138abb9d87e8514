// The version check against a small HTTP server on 127.0.0.1: the request,
// the reading of the answer, the "new version" links of the main window and
// the options window, and the timer that repeats the check.
#include "SoftOptionsTestSupport.h"

#include "common/LocalHttpServer.h"
#include "shell/USoftOptions.h"

#include <algorithm>

using testhttp::LocalHttpServer;
using testhttp::TReply;

namespace {

constexpr const char* Version_Path = "/home/download/GetversionSW.asp";

} // namespace

class VersionCheckTest : public OptionsTest {
protected:
    String Server_Host() const { return QStringLiteral("127.0.0.1:%1").arg(Server.Port()); }
    String Download_Link() const
    {
        return QStringLiteral("http://%1/Home/download/download.asp#GV52303").arg(Server_Host());
    }
    LocalHttpServer Server;
};

TEST_F(VersionCheckTest, TheRequestIsAnHttp10GetWithTheDesignedHeaders)
{
    Server.SetReply(Version_Path, {200, "VER. 1.004", false});
    Set_Maker_Server(Server_Host());
    EXPECT_TRUE(Newer_Version_Available());

    const QList<QByteArray> Requests = Server.Requests();
    ASSERT_EQ(1, Requests.size());
    QList<QByteArray> Lines = Requests.first().split('\n');
    for (QByteArray& L : Lines)
        L = L.trimmed();
    EXPECT_EQ("GET /home/download/GetversionSW.asp?nomesw=QP11211 HTTP/1.0", Lines.takeFirst());
    std::sort(Lines.begin(), Lines.end());
    const QList<QByteArray> Expected = {
        "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8",
        "Host: " + Server_Host().toLatin1(),
        "User-Agent: Mozilla/3.0 (compatible; Indy Library)",
    };
    EXPECT_EQ(Expected, Lines);
}

TEST_F(VersionCheckTest, TheMakersServerIsOneHostForTheRequestAndTheLinks)
{
    EXPECT_EQ(QStringLiteral("www.tarnix.com"), Maker_Server());
    EXPECT_EQ(QStringLiteral("http://www.tarnix.com/HOME/default.asp?frompg=QP11211"), Maker_Home_URL());
    EXPECT_EQ(QStringLiteral("http://www.tarnix.com/Home/download/download.asp#GV52303"), Maker_Download_URL());
    Set_Maker_Server(Server_Host());
    EXPECT_EQ(Download_Link(), Maker_Download_URL());
    Set_Maker_Server(String());
    EXPECT_EQ(QStringLiteral("www.tarnix.com"), Maker_Server());
}

// Only an answer naming a version above the program's "1.003" shows the
// link, in the main window (timer) and in the options window (button).
TEST_F(VersionCheckTest, OnlyANewerVersionShowsTheLink)
{
    Start();
    struct Case {
        const char* What;
        TReply Reply;
        bool Newer;
    };
    const Case Cases[] = {
        {"newer", {200, "VER. 1.004", false}, true},
        {"newer, blanks and line end", {200, "  VER. 2.000\r\n", false}, true},
        {"the same", {200, "VER. 1.003", false}, false},
        {"older", {200, "VER. 0.999", false}, false},
        {"no version known", {200, "VER. 0.000", false}, false},
        {"no version known, lower case", {200, " ver. 0.000 ", false}, false},
        {"version too short", {200, "VER. 1.0", false}, false},
        {"no number", {200, "VER. x.yzw", false}, false},
        {"empty body", {200, "", false}, false},
        {"error status", {404, "VER. 9.999", false}, false},
        {"closed without answer", {200, "", true}, false},
    };
    Set_Maker_Server(Server_Host());
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        Server.SetReply(Version_Path, C.Reply);
        Main->LL_Update->SetVisible(!C.Newer);
        Main->Timer_Update->SetInterval(60000);
        Main->Timer_Update->OnTimer(Main->Timer_Update);
        EXPECT_EQ(C.Newer, Main->LL_Update->Visible());
        if (C.Newer) {
            ASSERT_EQ(1u, Main->LL_Update->Links().size());
            EXPECT_EQ(Download_Link(), Main->LL_Update->Links()[0].first);
            EXPECT_TRUE(Main->LL_Update->Caption().contains(QStringLiteral(
                ">New Version Available. Click Here for more Details</a>")));
        }
        // The next check two hours later.
        EXPECT_TRUE(Main->Timer_Update->Enabled());
        EXPECT_EQ(7200000u, Main->Timer_Update->Interval());

        FSoftOptions->Btn_Check_UpdateClick(FSoftOptions->Btn_Check_Update);
        EXPECT_TRUE(FSoftOptions->LL_Check_Update->Visible());
        if (C.Newer) {
            ASSERT_EQ(1u, FSoftOptions->LL_Check_Update->Links().size());
            EXPECT_EQ(Download_Link(), FSoftOptions->LL_Check_Update->Links()[0].first);
        } else {
            EXPECT_EQ(QStringLiteral("No Update Available"), FSoftOptions->LL_Check_Update->Caption());
        }
    }
    EXPECT_EQ(2 * qsizetype(std::size(Cases)), Server.Requests().size());
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

TEST_F(VersionCheckTest, ARefusedConnectionShowsNoLink)
{
    Start();
    Set_Maker_Server(QStringLiteral("127.0.0.1:%1").arg(testhttp::ClosedLoopbackPort()));
    Main->LL_Update->SetVisible(true);
    Main->Timer_UpdateTimer(Main->Timer_Update);
    EXPECT_FALSE(Main->LL_Update->Visible());
    FSoftOptions->Btn_Check_UpdateClick(FSoftOptions->Btn_Check_Update);
    EXPECT_EQ(QStringLiteral("No Update Available"), FSoftOptions->LL_Check_Update->Caption());
    EXPECT_TRUE(Dialogs->Boxes.empty());
}

TEST_F(VersionCheckTest, VersionTextsAsNumbers)
{
    const std::pair<const char*, Integer> Cases[] = {
        {"1.003", 1003},        {"VER. 1.004", 1004}, {"VER.  1.004 ", 1004}, {"VER. 1x004", 1004},
        {"VER. 2.000 beta", 2000}, {"VER. -.123", -123}, {"VER. 1.0", -1},      {"VER. 1.00a", -1},
        {"VER. $.1AB", -1},     {"", -1},             {"VER.", -1},           {"A B 1.004", -1},
    };
    for (const auto& [Text, Number] : Cases)
        EXPECT_EQ(Number, TFSoftOptions::Conv_Version(QString::fromLatin1(Text))) << Text;
}

// The timer is armed at start-up only when both options are on; its first
// tick comes after 60 s.
TEST_F(VersionCheckTest, TheTimerIsArmedOnlyWithBothOptionsOn)
{
    struct Case {
        const char *Internet, *Update;
        bool Armed;
    };
    for (const Case& C : {Case{"0", "0", false}, Case{"1", "0", false}, Case{"0", "1", false}, Case{"1", "1", true}}) {
        SCOPED_TRACE(std::string(C.Internet) + C.Update);
        WriteFile(Dir.path() + QStringLiteral("/Pantovisor.xml"),
                  QByteArray("<Conf_Settings><lastinternet><enable_internet>") + C.Internet +
                      "</enable_internet><enable_update>" + C.Update +
                      "</enable_update></lastinternet></Conf_Settings>");
        Start();
        EXPECT_EQ(C.Armed, Main->Timer_Update->Enabled());
        EXPECT_EQ(60000u, Main->Timer_Update->Interval());
        EXPECT_FALSE(Main->LL_Update->Visible());
        Stop();
        ResetShellGlobals();
    }
    EXPECT_TRUE(Server.Requests().isEmpty());
}

TEST_F(VersionCheckTest, TheLinksOpenTheDownloadPage)
{
    Start();
    Server.SetReply(Version_Path, {200, "VER. 1.004", false});
    Set_Maker_Server(Server_Host());
    Main->Timer_UpdateTimer(Main->Timer_Update);
    FSoftOptions->Btn_Check_UpdateClick(FSoftOptions->Btn_Check_Update);
    TLinkCatcher Links;
    Main->LL_Update->ClickLink(0);
    FSoftOptions->LL_Check_Update->ClickLink(0);
    EXPECT_EQ((QStringList{Download_Link(), Download_Link()}), Links.Opened);
}
