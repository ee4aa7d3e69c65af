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

void TfrmLancNFEntrada::Vd_ModDocFisc(bool /*required*/) {
    NotAvailableYet("Validação do modelo do documento");
}

void TfrmLancNFEntrada::Vd_VerifProdEst() {
    NotAvailableYet("Verificação de produto de estoque");
}

bool CriaInscEsta(TfrmLancNFEntrada& /*form*/, bool /*importing*/) {
    NotAvailableYet("Escolha da inscrição estadual");
}

bool CriaLocPrestServ(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Local da prestação do serviço");
}

bool CriaAlmoLocal(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Almoxarifado e local de estoque");
}

void dbeNrInsJurNFExit(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Validação do fornecedor");
}

void Cancela(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Cancelamento do lançamento");
}

} // namespace dfe::dfe11000
