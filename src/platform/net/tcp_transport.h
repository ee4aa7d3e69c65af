#pragma once

#include "platform/net/frame.h"
#include "platform/net/socket.h"
#include "platform/net/transport.h"

#include <chrono>
#include <string>

namespace dfe::net {

struct TcpOptions {
    std::chrono::milliseconds connectTimeout{5000};
    // A call that takes longer is a lost conversation; the retry policy takes over.
    std::chrono::milliseconds callTimeout{120000};
    size_t maxFrameSize = kDefaultMaxFrameSize;
};

class TcpTransport : public Transport {
public:
    TcpTransport(std::string host, int port, TcpOptions options = {})
        : host_(std::move(host)), port_(port), options_(options) {}
    void Open() override;
    void Close() noexcept override { socket_.Close(); }
    bool IsOpen() const override { return socket_.Valid(); }
    std::string Exchange(std::string_view requestPayload) override;

private:
    std::string host_;
    int port_;
    TcpOptions options_;
    Socket socket_;
};

} // namespace dfe::net
