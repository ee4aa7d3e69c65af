#include "dfe11000/server/inventory_check.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/server/server_gateway.h"
#include "platform/data/dataset.h"

namespace dfe::dfe11000 {

void ValidaInventario(TfrmLancNFEntrada& form, const std::string& branch, DateTime date) {
    form.server.Call(form.server.netEstoque, "ValidaInventario", net::CallArgs().Str(branch).Date(date));
}

void Confirma_Liberacao(TfrmLancNFEntrada& form, const std::string& branch, bool& released, DateTime entry) {
    if (released) return;
    form.server.Call(form.server.netEstoque, "Confirma_Liberacao", net::CallArgs().Str(branch).Date(entry));
}

bool GetVerifReplic(TfrmLancNFEntrada& form, const std::string& branch, const std::string& posting) {
    DataSet replicas("cdsVerifReplic");
    replicas.SetData(form.server.Call(form.server.netLancNFEntrada, "GetVerifReplic",
                                      net::CallArgs().Str(branch).Str(posting)));
    return !replicas.IsEmpty();
}

void HabilitaOperador(TfrmLancNFEntrada& form, const std::string& branch, const std::string& op,
                      const std::string& location, const std::string& warehouse) {
    form.server.Call(form.server.netEstoque, "HabilitaOperador",
                     net::CallArgs().Str(branch).Str(op).Str(location).Str(warehouse));
}

} // namespace dfe::dfe11000
