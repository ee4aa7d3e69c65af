#include "dfe11000/server/server_gateway.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "platform/net/check_result.h"
#include "platform/net/retry_policy.h"
#include "support/reconnect_question.h"
#include "support/show_avi.h"

namespace dfe::dfe11000 {

Variant CallServer(TfrmLancNFEntrada& form, net::TNetConnection& connection, std::string_view method,
                   const net::CallArgs& args, const std::string& busyText) {
    support::ShowAviScope busy(form.App().MainForm(), support::kAviCopiando, busyText);
    net::ConnectionReference reference(form.References(), connection);
    return net::CheckResultServ(connection.Call(method, args), true, 0);
}

void RunWithRetry(net::TNetConnection& connection, const std::function<void()>& sequence) {
    net::RunWithRetry(connection, sequence, support::DialogRetryHooks());
}

} // namespace dfe::dfe11000
