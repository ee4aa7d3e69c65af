#include "dfe11000/server/server_gateway.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "platform/net/check_result.h"
#include "platform/net/connection_names.h"
#include "platform/net/retry_policy.h"
#include "platform/ui/form.h"
#include "support/keep_connected.h"
#include "support/reconnect_question.h"
#include "support/show_avi.h"
#include "support/zymora.h"

#include <vector>

namespace dfe::dfe11000 {

ServerGateway::ServerGateway(Form& owner)
    : netEstoque(net::kEstoque), netDocFiscEntr(net::kDocFiscEntrada), netLancNFEntrada(net::kLancNFEntrada),
      netInfoProd(net::kInfoProd), netAutoriza(net::kAutoriza), netSituacao(net::kSituacao), owner_(owner) {
    for (net::TNetConnection* c :
         {&netEstoque, &netDocFiscEntr, &netLancNFEntrada, &netInfoProd, &netAutoriza, &netSituacao}) {
        c->SetThrowException(false);
        c->BeforeConnect = [](net::TNetConnection& connection) {
            connection.SetHost(support::zymora::WebURL());
            connection.SetPort(support::zymora::WebPort());
        };
    }
}

ServerGateway::~ServerGateway() {
    DisconnectFormConnections();
}

net::ConnectionReferences& ServerGateway::References() {
    if (!stlConexoes_) stlConexoes_ = std::make_unique<net::ConnectionReferences>();
    return *stlConexoes_;
}

void ServerGateway::ConnectServer(net::TNetConnection& connection, bool connect) {
    References().ConnectServer(connection, connect);
}

void ServerGateway::ResetReferences() {
    stlConexoes_ = std::make_unique<net::ConnectionReferences>();
}

void ServerGateway::DropReferences() {
    stlConexoes_.reset();
}

void ServerGateway::ConnectFormConnections() {
    if (!support::KeepConnected()) return;
    for (net::TNetConnection* c :
         {&netEstoque, &netDocFiscEntr, &netLancNFEntrada, &netInfoProd, &netAutoriza})
        ConnectServer(*c, true);
}

void ServerGateway::DisconnectFormConnections() {
    if (!stlConexoes_) return;
    for (net::TNetConnection* c :
         {&netEstoque, &netDocFiscEntr, &netLancNFEntrada, &netInfoProd, &netAutoriza}) {
        if (support::KeepConnected() && stlConexoes_->Count(c->ServerName()) > 0) ConnectServer(*c, false);
    }
}

void ServerGateway::Sequence(std::initializer_list<net::TNetConnection*> connections,
                             const CallOptions& options, const std::function<void()>& sequence) {
    Form* busyOn = options.busyOn ? options.busyOn : owner_.App().MainForm();
    support::ShowAviScope busy(busyOn, options.animation, options.busyText);
    std::vector<std::unique_ptr<net::ConnectionReference>> references;
    for (net::TNetConnection* c : connections)
        references.push_back(std::make_unique<net::ConnectionReference>(References(), *c));
    if (options.retry && connections.size() > 0) {
        // Only the first connection is reconnected by the policy; a sequence reconnects the others itself.
        net::RunWithRetry(**connections.begin(), sequence, support::DialogRetryHooks());
    } else {
        sequence();
    }
}

Variant ServerGateway::CallIn(net::TNetConnection& connection, std::string_view method,
                              const net::CallArgs& args, bool checkResult) {
    if (!connection.Connected()) connection.Connect();
    Variant answer = connection.Call(method, args);
    return checkResult ? net::CheckResultServ(std::move(answer), true, 0) : answer;
}

Variant ServerGateway::Call(net::TNetConnection& connection, std::string_view method,
                            const std::function<net::CallArgs()>& args, const CallOptions& options) {
    Variant answer;
    Sequence({&connection}, options, [&] {
        Variant got = connection.Call(method, args());
        answer = options.checkResult ? net::CheckResultServ(std::move(got), true, 0) : std::move(got);
    });
    return answer;
}

Variant ServerGateway::Call(net::TNetConnection& connection, std::string_view method,
                            const net::CallArgs& args, const CallOptions& options) {
    return Call(
        connection, method, [&args] { return args; }, options);
}

} // namespace dfe::dfe11000
