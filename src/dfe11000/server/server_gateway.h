#pragma once

// The one way the module calls the application server. The gateway owns the form's connections and their
// reference counts; each call states once whether it is retried, what the busy animation says and whether
// an error answer is shown and abandons.

#include "platform/core/variant.h"
#include "platform/net/call_args.h"
#include "platform/net/connection_references.h"
#include "platform/net/net_connection.h"
#include "support/show_avi.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace dfe {
class Form;
}

namespace dfe::dfe11000 {

struct CallOptions {
    // The busy animation's text and kind, shown on `busyOn` (the main window when null).
    std::string busyText;
    int animation = support::kAviCopiando;
    Form* busyOn = nullptr;
    // Connection failures reconnect and repeat the call (three times silently, then asking the clerk);
    // without it they fail at once. A server refusal is never repeated.
    bool retry = false;
    // An error answer is shown and abandons (Abort); without it the answer comes back as it is.
    bool checkResult = true;
};

class ServerGateway {
public:
    explicit ServerGateway(Form& owner);
    ~ServerGateway();
    ServerGateway(const ServerGateway&) = delete;
    ServerGateway& operator=(const ServerGateway&) = delete;

    net::TNetConnection netEstoque;
    net::TNetConnection netDocFiscEntr;
    net::TNetConnection netLancNFEntrada;
    net::TNetConnection netInfoProd;
    net::TNetConnection netAutoriza;
    net::TNetConnection netSituacao;

    // The arguments are built again for each attempt: the server writes by-reference arguments back.
    Variant Call(net::TNetConnection& connection, std::string_view method,
                 const std::function<net::CallArgs()>& args, const CallOptions& options = {});
    Variant Call(net::TNetConnection& connection, std::string_view method, const net::CallArgs& args,
                 const CallOptions& options = {});
    // Several calls that belong together, under one busy animation and references on `connections`; with
    // retry, a connection failure anywhere repeats the whole sequence.
    void Sequence(std::initializer_list<net::TNetConnection*> connections, const CallOptions& options,
                  const std::function<void()>& sequence);
    // One call inside a Sequence: no animation or reference of its own.
    Variant CallIn(net::TNetConnection& connection, std::string_view method, const net::CallArgs& args,
                   bool checkResult = true);

    // The form's reference list ("name=count"): open on the first reference, close on the last.
    net::ConnectionReferences& References();
    void ConnectServer(net::TNetConnection& connection, bool connect);
    // Reset by the form's creation, dropped by its closing.
    void ResetReferences();
    void DropReferences();
    // The connections the form keeps open while it lives (when the host keeps connections).
    void ConnectFormConnections();
    void DisconnectFormConnections();

private:
    Form& owner_;
    std::unique_ptr<net::ConnectionReferences> stlConexoes_;
};

} // namespace dfe::dfe11000
