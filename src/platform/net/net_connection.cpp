#include "platform/net/net_connection.h"

#include "platform/core/variant.h"
#include "platform/net/check_result.h"
#include "platform/net/net_errors.h"
#include "platform/net/request_token.h"
#include "platform/net/rpc_codec.h"

namespace dfe::net {

void TNetConnection::Connect() {
    if (Connected()) return;
    if (BeforeConnect) BeforeConnect(*this);
    transport_ = factory_ ? factory_(host_, port_) : MakeDefaultTransport(host_, port_);
    if (!transport_) throw ConnectionError("Nenhum meio de transporte para " + host_);
    try {
        transport_->Open();
    } catch (...) {
        transport_.reset();
        throw;
    }
}

void TNetConnection::Disconnect() noexcept {
    if (transport_) transport_->Close();
    transport_.reset();
}

void TNetConnection::Reconnect() {
    Disconnect();
    Connect();
}

dfe::Variant TNetConnection::Call(std::string_view method, const CallArgs& args) {
    if (!Connected()) throw ConnectionError("Conexão com o servidor " + serverName_ + " fechada");
    RpcRequest request;
    request.token = NextRequestToken();
    request.connection = serverName_;
    request.method = std::string(method);
    request.args = args.Args();
    const std::string answerBytes = transport_->Exchange(EncodeRequest(request));

    RpcResponse response;
    try {
        response = DecodeResponse(answerBytes);
    } catch (const WireError& e) {
        Disconnect();
        throw ConnectionError(std::string("Resposta inválida do servidor: ") + e.what());
    }
    switch (response.status) {
    case RpcStatus::Ok:
        break;
    case RpcStatus::ProtocolError:
        Disconnect();
        throw ConnectionError("O servidor recusou a mensagem: " + response.message);
    case RpcStatus::Refused:
        if (throwException_) throw ServerRefusal(response.message);
        return MakeErrorAnswer(response.message);
    }
    try {
        args.ApplyRefs(response.refs);
    } catch (const std::exception& e) {
        throw ConnectionError(std::string("Resposta inválida do servidor: ") + e.what());
    }
    return std::move(response.result);
}

} // namespace dfe::net
