#include "platform/IcmpEcho.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

using namespace platform;

namespace {

// Empty when this process may open an ICMP socket of either kind, else why not.
std::string IcmpUnavailableReason()
{
    for (int type : {SOCK_DGRAM, SOCK_RAW}) {
        const int fd = ::socket(AF_INET, type, IPPROTO_ICMP);
        if (fd >= 0) {
            ::close(fd);
            return {};
        }
    }
    return std::string("neither an ICMP ping socket nor a raw socket may be opened here (") + std::strerror(errno)
         + "); allow one with the sysctl net.ipv4.ping_group_range or CAP_NET_RAW";
}

#define SKIP_WITHOUT_ICMP()                                   \
    if (const std::string why = IcmpUnavailableReason(); !why.empty()) \
        GTEST_SKIP() << why

// Reference internet checksum, written independently of the unit's.
quint16 TestChecksum(const QByteArray& M)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < M.size(); i += 2)
        sum += quint32(quint8(M[i])) << 8 | (i + 1 < M.size() ? quint8(M[i + 1]) : 0);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return quint16(~sum);
}

void SetChecksum(QByteArray& M)
{
    M[2] = M[3] = 0;
    const quint16 c = TestChecksum(M);
    M[2] = char(c >> 8);
    M[3] = char(c & 0xFF);
}

QByteArray ReplyTo(const QByteArray& Request)
{
    QByteArray r = Request;
    r[0] = 0;
    SetChecksum(r);
    return r;
}

QByteArray IpHeader(int Words)
{
    QByteArray h(Words * 4, '\0');
    h[0] = char(0x40 | Words);
    return h;
}

} // namespace

TEST(IcmpEcho, LoopbackAnswersWithTheWholeMessage)
{
    SKIP_WITHOUT_ICMP();
    const struct {
        const char* Dest;
        int DataSize;
        int Expected; // ICMP header, tick count, data
    } cases[] = {
        {"127.0.0.1", 1024, 8 + 4 + 1024},
        {"localhost", 1024, 8 + 4 + 1024},
        {" 127.0.0.1", 1024, 8 + 4 + 1024},
        {"127. 0.0.1 ", 1024, 8 + 4 + 1024},
        {"127.000.0.001", 1024, 8 + 4 + 1024},
        {"127.0.0.1", 16, 8 + 4 + 16},
        {"127.0.0.1", 0, 8 + 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IcmpEcho(c.Dest, QStringLiteral("127.0.0.1 and a text longer than sixteen"), c.DataSize, 400),
                  c.Expected)
            << c.Dest << " / " << c.DataSize;
    EXPECT_EQ(EchoService().Echo("127.0.0.1", "127.0.0.1", 400), 8 + 4 + IcmpDefaultDataSize);
}

TEST(IcmpEcho, UnusableDestinationsRaise)
{
    // None of these reach a name server: they fail before any lookup.
    const char* const cases[] = {
        "no-such-host.invalid", "NO-SUCH-HOST.INVALID.", "", " ", "192.168..5", "300.1.1.1",
        "1.2.3", "1.2.3.4.5", "1.2.3.-4", "a..b", "-bad.example", "bad-.example", "host name.example",
        "h\xC3\xB6st.example",
    };
    for (const char* dest : cases) {
        try {
            IcmpEcho(QString::fromUtf8(dest), "x", 1024, 400);
            ADD_FAILURE() << "no exception for \"" << dest << '"';
        } catch (const EIcmpError& e) {
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(dest))) << e.what();
        }
    }
    EXPECT_THROW(IcmpEcho("127.0.0.1", "x", -1, 400), EIcmpError);
    EXPECT_THROW(IcmpEcho("127.0.0.1", "x", IcmpMaxDataSize + 1, 400), EIcmpError);
}

TEST(IcmpEcho, RequestCarriesTickTextAndZeroPadding)
{
    const QByteArray data = icmp::EchoData(0x11223344, QStringLiteral("10.0.0.7\u00E9"), 12);
    EXPECT_EQ(data, QByteArray("\x44\x33\x22\x11" "10.0.0.7\xE9\0\0\0", 16));
    EXPECT_EQ(icmp::EchoData(1, "abcdef", 3), QByteArray("\x01\0\0\0abc", 7));

    const QByteArray request = icmp::EchoRequest(0xABCD, 0x0102, data);
    ASSERT_EQ(request.size(), 8 + data.size());
    EXPECT_EQ(request.left(2), QByteArray("\x08\x00", 2));
    EXPECT_EQ(request.mid(4, 4), QByteArray("\xAB\xCD\x01\x02", 4));
    EXPECT_EQ(request.mid(8), data);
    EXPECT_EQ(TestChecksum(request), 0) << "checksum does not verify";
    // Odd length: the last byte counts as the high byte of a word.
    EXPECT_EQ(TestChecksum(icmp::EchoRequest(1, 2, "abc")), 0);
}

TEST(IcmpEcho, OnlyTheMatchingReplyCounts)
{
    const QByteArray data = icmp::EchoData(7, "192.168.0.10", 32);
    const QByteArray request = icmp::EchoRequest(0x1234, 42, data);
    const QByteArray reply = ReplyTo(request);
    const int full = int(reply.size());

    QByteArray otherSeq = reply;
    otherSeq[7] = 43;
    SetChecksum(otherSeq);
    QByteArray otherId = reply;
    otherId[5] = 0x35;
    SetChecksum(otherId);
    QByteArray otherData = reply;
    otherData[20] = char(otherData[20] ^ 1);
    SetChecksum(otherData);
    QByteArray badSum = reply;
    badSum[3] = char(badSum[3] ^ 0x10);
    QByteArray shortReply = reply.left(reply.size() - 1);
    SetChecksum(shortReply);

    const struct {
        const char* What;
        QByteArray Packet;
        bool WithIp;
        bool CheckId;
        int Expected;
    } cases[] = {
        {"reply", reply, false, false, full},
        {"reply with id checked", reply, false, true, full},
        {"reply after an IP header", IpHeader(5) + reply, true, true, full},
        {"reply after an IP header with options", IpHeader(6) + reply, true, true, full},
        {"own request looped back", request, false, false, 0},
        {"own request on a raw socket", IpHeader(5) + request, true, true, 0},
        {"other sequence", otherSeq, false, false, 0},
        {"other id, id checked", otherId, false, true, 0},
        {"other id, kernel-chosen id", otherId, false, false, full},
        {"other data", otherData, false, false, 0},
        {"bad checksum", badSum, false, false, 0},
        {"cut data", shortReply, false, false, 0},
        {"header only", reply.left(8), false, false, 0},
        {"IP header longer than the packet", IpHeader(15).left(20) + reply, true, true, 0},
        {"not IPv4", QByteArray(1, '\x65') + IpHeader(5).mid(1) + reply, true, true, 0},
        {"empty", QByteArray(), true, true, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(icmp::ReplySize(c.Packet, c.WithIp, c.CheckId, 0x1234, 42, data), c.Expected) << c.What;
}

namespace {

class SilentDevice : public IEchoService {
public:
    int Echo(const String&, const String&, int) override { return 0; }
};

} // namespace

TEST(IcmpEcho, ServiceCanBeReplacedAndRestored)
{
    EXPECT_NE(dynamic_cast<TIcmpEchoService*>(&EchoService()), nullptr);
    SilentDevice silent;
    SetEchoService(&silent);
    EXPECT_EQ(&EchoService(), &silent);
    EXPECT_EQ(EchoService().Echo("127.0.0.1", "127.0.0.1", 400), 0);
    SetEchoService(nullptr);
    EXPECT_NE(dynamic_cast<TIcmpEchoService*>(&EchoService()), nullptr);
}
