#include "dfe11000/module/pending.h"

#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/entry_date_block.h"
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

// Replication is not built yet, so no posting of the demo data is a replica: nothing to mark.
bool GetVerifReplic(TfrmLancNFEntrada& /*form*/, const std::string& /*branch*/,
                    const std::string& /*posting*/) {
    return false;
}

// A release is needed only for an entry date outside the branch's window; there the clerk is told.
void SenhaLiberacao(TfrmLancNFEntrada& form) {
    const DataSet& header = form.data.cdsNotaFiscal;
    const Field* entry = header.Active() ? header.FindField("DTENTRSAID") : nullptr;
    if (entry && EntryDateBlocks(EntryDateWindowOf(form.data.cdsParamDFE), Cli_dfe11000().dtDataProc,
                                 entry->AsDateTime()))
        NotAvailableYet("Liberação por operador autorizado");
}

void Verif_Liberacao(TfrmLancNFEntrada& form) {
    SenhaLiberacao(form);
}

bool Verifica_Vigencia_Insc(TfrmLancNFEntrada& /*form*/, const std::string& /*registration*/,
                            const std::string& /*company*/, DateTime /*date*/) {
    NotAvailableYet("Vigência da inscrição estadual");
}

void Atualiza_Valores(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Valores, chave de acesso e transporte da nota fiscal");
}

bool FechaNotaFiscal(TfrmLancNFEntrada& /*form*/, const std::string& /*mode*/) {
    NotAvailableYet("Fechamento da nota fiscal");
}

bool Existe_Erro(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Verificação de erros do fechamento");
}

void CriaGeraEtiq(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Geração de etiquetas");
}

void CriaReplicacao(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Replicação de documentos");
}

void dbeNumeroExit(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Validação do número da nota fiscal");
}

bool CriaLocPrestServ(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Local da prestação do serviço");
}

bool CriaAlmoLocal(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Almoxarifado e local de estoque");
}

void GravaVencimento(TfrmLancNFEntrada& /*form*/) {
    NotAvailableYet("Geração dos vencimentos");
}

} // namespace dfe::dfe11000
