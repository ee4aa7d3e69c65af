#include "dfe11000/server/inventory_check.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/server/server_gateway.h"

namespace dfe::dfe11000 {

void ValidaInventario(TfrmLancNFEntrada& form, const std::string& branch, DateTime date) {
    form.server.Call(form.server.netEstoque, "ValidaInventario", net::CallArgs().Str(branch).Date(date));
}

} // namespace dfe::dfe11000
