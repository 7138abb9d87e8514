// The main window's version check: the request to the maker's server, the
// reading of its answer, the timer that repeats it and the "new version"
// link it shows.
#include "shell/UDeviravizevFirmWare.h"

#include "platform/HttpClient.h"
#include "platform/Process.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

// Set by tests only; empty means Maker_Host.
String Version_Server_Override;

// The first check comes the timer's designed 60 s after start-up; every
// later one this long after the previous.
constexpr Cardinal Version_Repeat_Interval = 7200000;

String Version_Request_URL()
{
    return QStringLiteral("http://") + Maker_Server() + QStringLiteral("/home/download/GetversionSW.asp?nomesw=") +
           QLatin1String(C_SW_Code);
}

} // namespace

String Maker_Server()
{
    return Version_Server_Override.isEmpty() ? QString::fromLatin1(Maker_Host) : Version_Server_Override;
}

void Set_Maker_Server(const String& Host)
{
    Version_Server_Override = Host;
}

String Maker_Download_URL()
{
    return QStringLiteral("http://") + Maker_Server() + QStringLiteral("/Home/download/download.asp#") +
           QLatin1String(C_Model_Code);
}

Integer Version_Number(const String& Text)
{
    const Integer Blank = Pos(QStringLiteral(" "), Text);
    const String V = Trim(Blank > 0 ? Copy(Text, Blank + 1) : Text);
    if (V.size() < 5)
        return -1;
    // The second character is the point, whatever it holds.
    const String Number = String(V[0]) + V.mid(2, 3);
    const bool Signed = Number[0] == u'-' || Number[0] == u'+';
    const String Digits = Signed ? Number.mid(1) : Number;
    Integer Result = 0;
    for (const QChar C : Digits) {
        if (C < u'0' || C > u'9')
            return -1;
        Result = Result * 10 + (C.unicode() - u'0');
    }
    return Number[0] == u'-' ? -Result : Result;
}

bool Newer_Version_Available()
{
    const platform::THttpHeaders Headers = {
        {QStringLiteral("Accept"), QStringLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8")},
        {QStringLiteral("User-Agent"), QStringLiteral("Mozilla/3.0 (compatible; Indy Library)")},
    };
    // Any failure gives an empty answer.
    const String Answer = QString::fromLatin1(platform::HttpGet(Version_Request_URL(), Headers));
    const String Norm = Trim(UpperCase(Answer));
    if (Norm.isEmpty() || Norm == QLatin1String("VER. 0.000"))
        return false;
    const Integer Mine = Version_Number(QLatin1String(C_SW_Version));
    const Integer Theirs = Version_Number(Trim(Answer));
    return Mine != -1 && Theirs != -1 && Theirs > Mine;
}

void TFDeviravizevFirmWare::Init_Version_Check()
{
    Timer_Update->OnTimer = [this](TObject* Sender) { Timer_UpdateTimer(Sender); };
    LL_Update->OnLinkClick = [this](TObject* Sender, const String& Link, TSysLinkType LinkType) {
        LL_UpdateLinkClick(Sender, Link, LinkType);
    };
}

void TFDeviravizevFirmWare::Timer_UpdateTimer(TObject*)
{
    Timer_Update->SetEnabled(false);
    if (Newer_Version_Available()) {
        LL_Update->SetCaption(QStringLiteral("<a href=\"") + Maker_Download_URL() + QStringLiteral("\">") +
                              Lang.Strings(19) + QStringLiteral("</a>"));
        LL_Update->SetVisible(true);
    } else {
        LL_Update->SetVisible(false);
    }
    Timer_Update->SetInterval(Version_Repeat_Interval);
    Timer_Update->SetEnabled(true);
}

void TFDeviravizevFirmWare::LL_UpdateLinkClick(TObject*, const String& Link, TSysLinkType)
{
    platform::OpenURL(Link);
}
