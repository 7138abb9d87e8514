#include "common/LocalHttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace testhttp {

namespace {

int BindLoopback(int& Port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket failed");
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        throw std::runtime_error("bind failed");
    }
    Port = ntohs(addr.sin_port);
    return fd;
}

void SendAll(int Fd, const QByteArray& Data)
{
    qsizetype done = 0;
    while (done < Data.size()) {
        const ssize_t n = ::send(Fd, Data.constData() + done, size_t(Data.size() - done), MSG_NOSIGNAL);
        if (n <= 0)
            return; // the client gave up; nothing to do
        done += n;
    }
}

QByteArray ReasonOf(int Status)
{
    switch (Status) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

} // namespace

LocalHttpServer::LocalHttpServer()
{
    FListen = BindLoopback(FPort);
    if (::listen(FListen, 8) != 0 || ::pipe2(FStopPipe, O_CLOEXEC) != 0) {
        ::close(FListen);
        throw std::runtime_error("listen failed");
    }
    FThread = std::thread([this] { Run(); });
}

LocalHttpServer::~LocalHttpServer()
{
    const char stop = 's';
    (void)!::write(FStopPipe[1], &stop, 1);
    FThread.join();
    ::close(FListen);
    ::close(FStopPipe[0]);
    ::close(FStopPipe[1]);
}

void LocalHttpServer::SetReply(const QByteArray& Path, const TReply& Reply)
{
    std::lock_guard guard(FLock);
    FReplies[Path] = Reply;
}

QList<QByteArray> LocalHttpServer::Requests() const
{
    std::lock_guard guard(FLock);
    return FRequests;
}

void LocalHttpServer::Run()
{
    for (;;) {
        pollfd fds[2] = {{FListen, POLLIN, 0}, {FStopPipe[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0)
            continue;
        if (fds[1].revents)
            return;
        const int client = ::accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0) {
            Serve(client);
            ::close(client);
        }
    }
}

void LocalHttpServer::Serve(int Client)
{
    QByteArray head;
    char buf[4096];
    while (!head.contains("\r\n\r\n")) {
        const ssize_t n = ::recv(Client, buf, sizeof buf, 0);
        if (n <= 0)
            return;
        head.append(buf, n);
    }
    head.truncate(head.indexOf("\r\n\r\n"));

    // "GET /path?query HTTP/1.0": the reply is chosen by the path alone.
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    QByteArray path = requestLine.size() > 1 ? requestLine[1] : QByteArray();
    path.truncate(path.indexOf('?') < 0 ? path.size() : path.indexOf('?'));

    TReply reply;
    reply.Status = 404;
    reply.Body = "not here";
    {
        std::lock_guard guard(FLock);
        FRequests.append(head);
        if (auto it = FReplies.find(path); it != FReplies.end())
            reply = it->second;
    }
    if (reply.CloseWithoutAnswer)
        return;
    QByteArray answer = "HTTP/1.0 " + QByteArray::number(reply.Status) + ' ' + ReasonOf(reply.Status) + "\r\n";
    answer += "Content-Type: text/html\r\n";
    answer += "Content-Length: " + QByteArray::number(reply.Body.size()) + "\r\n";
    if (reply.Status == 301)
        answer += "Location: /moved-here\r\n";
    answer += "\r\n";
    answer += reply.Body;
    SendAll(Client, answer);
}

int ClosedLoopbackPort()
{
    int port = 0;
    ::close(BindLoopback(port));
    return port;
}

} // namespace testhttp
