#pragma once

#include "platform/net/transport.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace dfe::net {

// The server's side of a conversation: one whole request frame in, one whole answer frame out.
using FrameHandler = std::function<std::string(std::string_view requestFrame)>;

// The embedded server of this process; the in-process transport talks to it. Pass nullptr to remove it.
void RegisterInProcessServer(std::shared_ptr<const FrameHandler> handler);
std::shared_ptr<const FrameHandler> InProcessServer();

// Goes through the same frames and codecs as TCP, so the embedded default exercises the real wire format.
class InProcessTransport : public Transport {
public:
    InProcessTransport() = default;
    explicit InProcessTransport(std::shared_ptr<const FrameHandler> handler) : fixed_(std::move(handler)) {}
    void Open() override;
    void Close() noexcept override { handler_.reset(); }
    bool IsOpen() const override { return handler_ != nullptr; }
    std::string Exchange(std::string_view requestPayload) override;

private:
    std::shared_ptr<const FrameHandler> fixed_;
    std::shared_ptr<const FrameHandler> handler_;
};

} // namespace dfe::net
