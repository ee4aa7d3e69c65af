#pragma once

#include "platform/net/frame.h"
#include "platform/net/rpc_codec.h"
#include "platform/net/socket.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <sys/socket.h>
#include <thread>
#include <vector>

namespace dfe::net::testing {

// A real TCP server on loopback whose behaviour per call is scripted: answer, or drop the connection without
// answering (as a crashed or restarted server would).
class ScriptedServer {
public:
    struct Action {
        bool drop = false;
        RpcResponse response;
    };
    using Script = std::function<Action(int call, const RpcRequest& request)>;

    explicit ScriptedServer(Script script) : script_(std::move(script)) {
        listener_ = Socket::ListenTcp("127.0.0.1", 0);
        port_ = listener_.LocalPort();
        thread_ = std::thread([this] { Loop(); });
    }
    ~ScriptedServer() {
        stopping_ = true;
        listener_.Shutdown();
        if (const int fd = clientFd_.load(); fd >= 0) ::shutdown(fd, SHUT_RDWR);
        thread_.join();
    }
    int Port() const { return port_; }
    int Calls() const { return calls_; }
    int Connections() const { return connections_; }
    std::vector<RpcRequest> Requests() {
        std::lock_guard lock(mutex_);
        return requests_;
    }

    static Action Answer(Variant result) {
        Action a;
        a.response.result = std::move(result);
        return a;
    }
    static Action Drop() { return Action{true, {}}; }

private:
    void Loop() {
        while (!stopping_) {
            Socket client = listener_.Accept();
            if (!client.Valid()) continue;
            ++connections_;
            clientFd_ = client.Fd();
            try {
                while (auto payload = ReadFrame(client, 1u << 20)) {
                    const RpcRequest request = DecodeRequest(*payload);
                    {
                        std::lock_guard lock(mutex_);
                        requests_.push_back(request);
                    }
                    const Action action = script_(++calls_, request);
                    if (action.drop) break;
                    client.SendAll(EncodeFrame(EncodeResponse(action.response)));
                }
            } catch (const std::exception&) {
            }
            clientFd_ = -1;
        }
    }

    Script script_;
    Socket listener_;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> calls_{0};
    std::atomic<int> connections_{0};
    std::atomic<int> clientFd_{-1};
    std::mutex mutex_;
    std::vector<RpcRequest> requests_;
    std::thread thread_;
};

} // namespace dfe::net::testing
