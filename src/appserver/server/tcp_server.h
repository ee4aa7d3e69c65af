#pragma once

#include "appserver/rpc/dispatcher.h"
#include "platform/db/database.h"
#include "platform/net/frame.h"
#include "platform/net/socket.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace dfe::appserver {

struct ServeOptions {
    std::string host = "127.0.0.1";
    int port = 7211; // 0: any free port
    size_t maxFrameSize = net::kDefaultMaxFrameSize;
    int maxClients = 64;
    // A client that stops in the middle of a frame for this long is dropped.
    std::chrono::milliseconds frameTimeout{30000};
};

using DatabaseOpener = std::function<std::unique_ptr<db::Database>()>;

// Serves the remote data modules over TCP: one thread and one database connection per client, each call in
// its own transaction. Stop() (safe from a signal handler) lets calls in progress finish and answer, then
// returns.
class TcpServer {
public:
    TcpServer(const Dispatcher& dispatcher, DatabaseOpener openDatabase, ServeOptions options);
    ~TcpServer();
    TcpServer(const TcpServer&) = delete;
    TcpServer& operator=(const TcpServer&) = delete;

    void Listen(); // binds; Port() tells the port
    int Port() const { return port_; }
    void Run(); // accepts until Stop()
    void Stop() noexcept;

private:
    struct Client {
        std::thread thread;
        std::atomic<bool> done{false};
    };
    void Serve(net::Socket socket, Client& self);
    bool WaitReadable(int fd) const; // false when stopping
    void JoinFinished(bool all);

    const Dispatcher& dispatcher_;
    DatabaseOpener openDatabase_;
    ServeOptions options_;
    net::Socket listener_;
    int port_ = 0;
    int stopPipe_[2] = {-1, -1};
    std::mutex clientsMutex_;
    std::list<Client> clients_;
};

} // namespace dfe::appserver
