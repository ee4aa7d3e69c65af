#pragma once

#include "platform/net/call_args.h"
#include "platform/net/transport.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace dfe::net {

// A connection to one remote data module of the application server ("Dfe11000.rdmLancNFEntrada"). Calls are
// late-bound by method name. A transport failure raises ConnectionError and leaves the connection closed; a
// server refusal either comes back as an error answer (ThrowException false, see CheckResultServ) or raises
// ServerRefusal.
class TNetConnection {
public:
    explicit TNetConnection(std::string serverName = {}) : serverName_(std::move(serverName)) {}
    TNetConnection(const TNetConnection&) = delete;
    TNetConnection& operator=(const TNetConnection&) = delete;

    const std::string& ServerName() const { return serverName_; }
    void SetServerName(std::string name) { serverName_ = std::move(name); }
    const std::string& Host() const { return host_; }
    void SetHost(std::string host) { host_ = std::move(host); }
    int Port() const { return port_; }
    void SetPort(int port) { port_ = port; }
    bool ThrowException() const { return throwException_; }
    void SetThrowException(bool value) { throwException_ = value; }

    // Runs before each connection attempt: where the host's address and port are filled in.
    std::function<void(TNetConnection&)> BeforeConnect;
    void SetTransportFactory(TransportFactory factory) { factory_ = std::move(factory); }

    void Connect();
    void Disconnect() noexcept;
    void Reconnect();
    bool Connected() const { return transport_ && transport_->IsOpen(); }

    dfe::Variant Call(std::string_view method, const CallArgs& args = CallArgs());

private:
    std::string serverName_;
    std::string host_;
    int port_ = 0;
    bool throwException_ = false;
    TransportFactory factory_;
    std::unique_ptr<Transport> transport_;
};

} // namespace dfe::net
