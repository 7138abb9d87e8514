#include "platform/HttpClient.h"

#include "common/LocalHttpServer.h"
#include "ScopedEnv.h"

#include <gtest/gtest.h>

using platform::HttpGet;
using platform::THttpHeaders;
using testhttp::LocalHttpServer;
using testhttp::TReply;

namespace {

const THttpHeaders VersionHeaders = {
    {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
    {"User-Agent", "Mozilla/3.0 (compatible; Test Agent)"},
};

QString UrlOf(const LocalHttpServer& Server, const QString& PathAndQuery)
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(Server.Port()).arg(PathAndQuery);
}

// Header lines of a request head, without the request line, lower-cased names.
QList<QByteArray> HeaderLines(const QByteArray& Head)
{
    QList<QByteArray> lines = Head.split('\n');
    lines.removeFirst();
    for (QByteArray& l : lines)
        l = l.trimmed();
    return lines;
}

} // namespace

TEST(HttpGet, SendsAnHttp10RequestWithExactlyTheGivenHeaders)
{
    // Proxy settings in the environment must not be used.
    ScopedEnv proxy("http_proxy", QByteArray("http://127.0.0.1:1"));
    LocalHttpServer server;
    server.SetReply("/home/download/GetversionSW.asp", {200, "VER. 1.004", false});

    const QByteArray body = HttpGet(UrlOf(server, "/home/download/GetversionSW.asp?nomesw=QP11211"), VersionHeaders);

    EXPECT_EQ(body, "VER. 1.004");
    const QList<QByteArray> requests = server.Requests();
    ASSERT_EQ(requests.size(), 1);
    const QByteArray head = requests.first();
    EXPECT_TRUE(head.startsWith("GET /home/download/GetversionSW.asp?nomesw=QP11211 HTTP/1.0\r\n")) << head.constData();

    QList<QByteArray> lines = HeaderLines(head);
    std::sort(lines.begin(), lines.end());
    const QList<QByteArray> expected = {
        "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8",
        "Host: 127.0.0.1:" + QByteArray::number(server.Port()),
        "User-Agent: Mozilla/3.0 (compatible; Test Agent)",
    };
    EXPECT_EQ(lines, expected) << head.constData();
}

TEST(HttpGet, SendsNoDefaultHeadersOfItsOwn)
{
    LocalHttpServer server;
    server.SetReply("/plain", {200, "x", false});

    EXPECT_EQ(HttpGet(UrlOf(server, "/plain"), {{"X-Probe", "1"}}), "x");

    ASSERT_EQ(server.Requests().size(), 1);
    QList<QByteArray> lines = HeaderLines(server.Requests().first());
    std::sort(lines.begin(), lines.end());
    const QList<QByteArray> expected = {"Host: 127.0.0.1:" + QByteArray::number(server.Port()), "X-Probe: 1"};
    EXPECT_EQ(lines, expected);
}

TEST(HttpGet, ReturnsTheBodyOfSuccessfulAnswers)
{
    LocalHttpServer server;
    QByteArray binary(70000, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char(i * 7);
    server.SetReply("/empty", {200, "", false});
    server.SetReply("/big", {200, binary, false});

    EXPECT_EQ(HttpGet(UrlOf(server, "/empty"), VersionHeaders), QByteArray());
    EXPECT_EQ(HttpGet(UrlOf(server, "/big"), VersionHeaders), binary);
}

TEST(HttpGet, AnyFailureGivesAnEmptyAnswer)
{
    LocalHttpServer server;
    server.SetReply("/error", {500, "server error page", false});
    server.SetReply("/moved", {301, "moved page", false});
    server.SetReply("/moved-here", {200, "redirect target", false});
    server.SetReply("/hangup", {200, "", true});
    server.SetReply("/huge", {200, QByteArray(platform::HttpMaxBodySize + 1, 'a'), false});
    const int closedPort = testhttp::ClosedLoopbackPort();

    const struct {
        const char* What;
        QString Url;
    } cases[] = {
        {"404", UrlOf(server, "/missing?nomesw=QP11211")},
        {"500 with a body", UrlOf(server, "/error")},
        {"redirect is not followed", UrlOf(server, "/moved")},
        {"connection closed without answer", UrlOf(server, "/hangup")},
        {"answer over the size limit", UrlOf(server, "/huge")},
        {"connection refused", QStringLiteral("http://127.0.0.1:%1/x").arg(closedPort)},
        {"no TLS", QStringLiteral("https://127.0.0.1:%1/x").arg(server.Port())},
        {"other scheme", QStringLiteral("ftp://127.0.0.1:%1/x").arg(server.Port())},
        {"malformed url", QStringLiteral("http://[127.0.0.1/x")},
        {"empty url", QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HttpGet(c.Url, VersionHeaders), QByteArray()) << c.What;
    // The redirect target was never asked for.
    for (const QByteArray& head : server.Requests())
        EXPECT_FALSE(head.startsWith("GET /moved-here")) << head.constData();
}
