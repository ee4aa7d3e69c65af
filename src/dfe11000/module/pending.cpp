#include "dfe11000/module/pending.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "platform/core/abort.h"
#include "support/current_dialogs.h"

namespace dfe::dfe11000 {
namespace {

void Tell(std::string_view operation) {
    support::CurrentDialogs().ShowError(ErrorRequest{
        std::string(operation) + ": operação ainda não disponível nesta versão.", {}, kNotAvailableCode});
}

} // namespace

void NotAvailableYet(std::string_view operation) {
    Tell(operation);
    ThrowAbort();
}

// Told, not abandoned: stopping here would keep the clerk inside the issue panel.
void GetNFE(TfrmLancNFEntrada& /*form*/) {
    Tell("Importação dos dados da NF-e");
}

void ConsisteAF(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Consistência das AFs");
}

void CriaGeraEtiq(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Geração de etiquetas");
}

void CriaReplicacao(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Replicação de documentos");
}

void CriaProdNFAF(TfrmLancNFEntrada& /*form*/) {
    Tell("Relação de produtos da autorização de fornecimento");
}

} // namespace dfe::dfe11000
