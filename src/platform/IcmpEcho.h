#pragma once
// ICMP echo: the reachability test of a gateway before an update.
#include "rtl/SysUtils.h"

#include <QByteArray>

RTL_DECLARE_EXCEPTION(EIcmpError, Exception)

namespace platform {

// Data bytes after the tick count in the system's echo requests.
inline constexpr int IcmpDefaultDataSize = 1024;
inline constexpr int IcmpMaxDataSize = 65000;

// Sends one echo request to Dest (a dotted IPv4 address, blanks around its
// parts allowed, or a host name) and waits at most TimeoutMs for the
// matching reply. The data is a 32-bit tick count (little-endian) followed
// by DataSize bytes: Text in 8-bit characters, cut or padded with zero
// bytes. Returns the size of the reply's ICMP message (header and data),
// 0 when no reply came in time. Raises EIcmpError when Dest can't be
// resolved, no ICMP socket may be opened (an unprivileged ping socket is
// tried first, a raw socket next) or the request can't be sent.
int IcmpEcho(const String& Dest, const String& Text, int DataSize, int TimeoutMs);

// The echo service the program uses; tests put a simulated device in its
// place with SetEchoService.
class IEchoService {
public:
    virtual ~IEchoService() = default;
    // Bytes of the matching reply, 0 when none came within TimeoutMs;
    // raises on the failures IcmpEcho raises on.
    virtual int Echo(const String& Dest, const String& Text, int TimeoutMs) = 0;
};

class TIcmpEchoService : public IEchoService {
public:
    explicit TIcmpEchoService(int DataSize = IcmpDefaultDataSize) : FDataSize(DataSize) {}
    int Echo(const String& Dest, const String& Text, int TimeoutMs) override;

private:
    int FDataSize;
};

// The process-wide service; a TIcmpEchoService unless replaced.
IEchoService& EchoService();
// Replaces the process-wide service (not owned; nullptr restores the real
// one). The caller keeps Service alive while it is set.
void SetEchoService(IEchoService* Service);

// Building blocks of IcmpEcho, open to tests.
namespace icmp {

// The IPv4 address of Dest in network byte order; raises EIcmpError.
quint32 ResolveIPv4(const String& Dest);
// The echo data: tick count, then Text cut or zero-padded to DataSize bytes.
QByteArray EchoData(quint32 Tick, const String& Text, int DataSize);
// An echo request message (type 8) with its checksum.
QByteArray EchoRequest(quint16 Id, quint16 Seq, const QByteArray& Data);
// The size of the ICMP message in Packet when it is the echo reply to the
// request (Id, Seq, Data) with a valid checksum, else 0. Packets from a raw
// socket start with the IP header (WithIpHeader); the id is not compared
// when the kernel chose it (CheckId false, ping sockets).
int ReplySize(const QByteArray& Packet, bool WithIpHeader, bool CheckId, quint16 Id, quint16 Seq,
              const QByteArray& Data);

} // namespace icmp

} // namespace platform
