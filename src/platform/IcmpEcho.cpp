#include "platform/IcmpEcho.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace platform {

namespace icmp {

namespace {

constexpr int IcmpHeaderSize = 8;
constexpr quint8 IcmpEchoReplyType = 0;
constexpr quint8 IcmpEchoRequestType = 8;

quint16 IcmpChecksum(const QByteArray& Message)
{
    quint32 sum = 0;
    const auto* p = reinterpret_cast<const quint8*>(Message.constData());
    const qsizetype n = Message.size();
    for (qsizetype i = 0; i + 1 < n; i += 2)
        sum += quint32(p[i]) << 8 | p[i + 1];
    if (n % 2)
        sum += quint32(p[n - 1]) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return quint16(~sum);
}

quint16 ReadBE16(const QByteArray& B, qsizetype At)
{
    return quint16(quint8(B[At]) << 8 | quint8(B[At + 1]));
}

void WriteBE16(QByteArray& B, qsizetype At, quint16 V)
{
    B[At] = char(V >> 8);
    B[At + 1] = char(V & 0xFF);
}

// "a.b.c.d" with decimal parts 0..255, blanks around a part ignored; false
// when Text is not of that form.
bool ParseDottedIPv4(const String& Text, quint32& Address)
{
    const QStringList parts = Text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    quint32 host = 0;
    for (const QString& raw : parts) {
        const QString part = raw.trimmed();
        if (part.isEmpty() || part.size() > 3)
            return false;
        for (QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        const uint value = part.toUInt();
        if (value > 255)
            return false;
        host = host << 8 | value;
    }
    Address = htonl(host);
    return true;
}

bool LooksNumeric(const String& Text)
{
    for (QChar c : Text)
        if (!c.isDigit() && c != QLatin1Char('.') && c != QLatin1Char(' '))
            return false;
    return true;
}

// Host name syntax: labels of letters, digits, '-' and '_', 1 to 63
// characters, not starting or ending with '-', the last not all digits.
bool IsHostName(const String& Name)
{
    QString n = Name;
    if (n.endsWith(QLatin1Char('.')))
        n.chop(1);
    if (n.isEmpty() || n.size() > 253)
        return false;
    const QStringList labels = n.split(QLatin1Char('.'));
    for (const QString& label : labels) {
        if (label.isEmpty() || label.size() > 63 || label.startsWith(QLatin1Char('-'))
            || label.endsWith(QLatin1Char('-')))
            return false;
        for (QChar c : label)
            if (c.unicode() > 127 || !(c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')))
                return false;
    }
    return !LooksNumeric(labels.last());
}

} // namespace

quint32 ResolveIPv4(const String& Dest)
{
    quint32 address = 0;
    if (ParseDottedIPv4(Dest, address))
        return address;
    const auto fail = [&Dest](const String& Why) {
        return EIcmpError(QStringLiteral("Cannot resolve the address \"%1\": %2").arg(Dest, Why));
    };
    if (LooksNumeric(Dest))
        throw fail(QStringLiteral("not a valid IPv4 address"));
    if (!IsHostName(Dest))
        throw fail(QStringLiteral("not a valid host name"));
    // Names under "invalid" never exist; no need to ask the resolver.
    QString name = Dest.toLower();
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    if (name == QLatin1String("invalid") || name.endsWith(QLatin1String(".invalid")))
        throw fail(QStringLiteral("unknown host"));

    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_RAW;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(name.toLatin1().constData(), nullptr, &hints, &found);
    if (rc != 0 || !found)
        throw fail(QString::fromLocal8Bit(::gai_strerror(rc)));
    address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    ::freeaddrinfo(found);
    return address;
}

QByteArray EchoData(quint32 Tick, const String& Text, int DataSize)
{
    QByteArray data(4 + DataSize, '\0');
    for (int i = 0; i < 4; ++i)
        data[i] = char(Tick >> (8 * i) & 0xFF);
    const QByteArray text = Text.toLatin1().left(DataSize);
    std::memcpy(data.data() + 4, text.constData(), size_t(text.size()));
    return data;
}

QByteArray EchoRequest(quint16 Id, quint16 Seq, const QByteArray& Data)
{
    QByteArray message(IcmpHeaderSize, '\0');
    message[0] = char(IcmpEchoRequestType);
    WriteBE16(message, 4, Id);
    WriteBE16(message, 6, Seq);
    message += Data;
    WriteBE16(message, 2, IcmpChecksum(message));
    return message;
}

int ReplySize(const QByteArray& Packet, bool WithIpHeader, bool CheckId, quint16 Id, quint16 Seq,
              const QByteArray& Data)
{
    qsizetype start = 0;
    if (WithIpHeader) {
        if (Packet.isEmpty() || (quint8(Packet[0]) >> 4) != 4)
            return 0;
        start = (quint8(Packet[0]) & 0x0F) * 4;
        if (start < 20)
            return 0;
    }
    if (Packet.size() < start + IcmpHeaderSize)
        return 0;
    const QByteArray message = Packet.mid(start);
    if (quint8(message[0]) != IcmpEchoReplyType || message[1] != 0 || IcmpChecksum(message) != 0)
        return 0;
    if ((CheckId && ReadBE16(message, 4) != Id) || ReadBE16(message, 6) != Seq)
        return 0;
    if (message.mid(IcmpHeaderSize) != Data)
        return 0;
    return int(message.size());
}

} // namespace icmp

namespace {

std::atomic<quint16> IcmpNextSeq{1};

String IcmpErrnoText(int Err)
{
    return QString::fromLocal8Bit(std::strerror(Err));
}

class TIcmpSocket {
public:
    TIcmpSocket()
    {
        FFd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (FFd >= 0)
            return;
        const int pingErr = errno;
        FFd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (FFd < 0)
            throw EIcmpError(QStringLiteral("Cannot open an ICMP socket (ping socket: %1; raw socket: %2)")
                                 .arg(IcmpErrnoText(pingErr), IcmpErrnoText(errno)));
        FRaw = true;
    }
    ~TIcmpSocket() { ::close(FFd); }
    TIcmpSocket(const TIcmpSocket&) = delete;
    TIcmpSocket& operator=(const TIcmpSocket&) = delete;

    int Fd() const { return FFd; }
    bool Raw() const { return FRaw; }

private:
    int FFd = -1;
    bool FRaw = false;
};

} // namespace

int IcmpEcho(const String& Dest, const String& Text, int DataSize, int TimeoutMs)
{
    using Clock = std::chrono::steady_clock;
    if (DataSize < 0 || DataSize > IcmpMaxDataSize)
        throw EIcmpError(QStringLiteral("Echo data size %1 out of range").arg(DataSize));
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = icmp::ResolveIPv4(Dest);

    TIcmpSocket sock;
    const auto tick = quint32(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count());
    const QByteArray data = icmp::EchoData(tick, Text, DataSize);
    // A ping socket puts its own id into the request.
    const quint16 id = quint16(::getpid() & 0xFFFF);
    const quint16 seq = IcmpNextSeq.fetch_add(1);
    const QByteArray request = icmp::EchoRequest(id, seq, data);

    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(std::max(TimeoutMs, 0));
    ssize_t sent;
    do
        sent = ::sendto(sock.Fd(), request.constData(), size_t(request.size()), 0,
                        reinterpret_cast<const sockaddr*>(&to), sizeof to);
    while (sent < 0 && errno == EINTR);
    if (sent != ssize_t(request.size()))
        throw EIcmpError(QStringLiteral("Cannot send the echo request to %1: %2")
                             .arg(Dest, sent < 0 ? IcmpErrnoText(errno) : QStringLiteral("short write")));

    QByteArray buffer(IcmpMaxDataSize + 128, '\0');
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd pfd{sock.Fd(), POLLIN, 0};
        const int ready = ::poll(&pfd, 1, int(std::max<decltype(left)>(left, 0)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return 0;
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n = ::recvfrom(sock.Fd(), buffer.data(), size_t(buffer.size()), MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return 0; // an error reported for the echo: no reply
        if (n > 0 && from.sin_addr.s_addr == to.sin_addr.s_addr) {
            const int size = icmp::ReplySize(QByteArray::fromRawData(buffer.constData(), n), sock.Raw(),
                                             sock.Raw(), id, seq, data);
            if (size > 0)
                return size;
        }
        // Other ICMP traffic must not hold the wait past its end.
        if (Clock::now() >= deadline)
            return 0;
    }
}

int TIcmpEchoService::Echo(const String& Dest, const String& Text, int TimeoutMs)
{
    return IcmpEcho(Dest, Text, FDataSize, TimeoutMs);
}

namespace {

std::atomic<IEchoService*> IcmpServiceOverride{nullptr};

} // namespace

IEchoService& EchoService()
{
    static TIcmpEchoService real;
    IEchoService* s = IcmpServiceOverride.load();
    return s ? *s : real;
}

void SetEchoService(IEchoService* Service)
{
    IcmpServiceOverride.store(Service);
}

} // namespace platform
