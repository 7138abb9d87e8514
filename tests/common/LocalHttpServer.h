#pragma once
// A small HTTP server on 127.0.0.1 for the tests: one thread, one
// connection at a time, answers from a table of paths.
#include <QByteArray>
#include <QList>

#include <map>
#include <mutex>
#include <thread>

namespace testhttp {

struct TReply {
    int Status = 200;
    QByteArray Body;
    bool CloseWithoutAnswer = false; // read the request, then hang up
};

class LocalHttpServer {
public:
    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // Reply for a path without its query; unknown paths get 404.
    void SetReply(const QByteArray& Path, const TReply& Reply);
    int Port() const { return FPort; }
    // The head (request line and header lines) of every request so far.
    QList<QByteArray> Requests() const;

private:
    void Run();
    void Serve(int Client);

    int FListen = -1;
    int FStopPipe[2] = {-1, -1};
    int FPort = 0;
    mutable std::mutex FLock;
    std::map<QByteArray, TReply> FReplies;
    QList<QByteArray> FRequests;
    std::thread FThread;
};

// A loopback port that nobody listens on: bound, then closed at once.
int ClosedLoopbackPort();

} // namespace testhttp
