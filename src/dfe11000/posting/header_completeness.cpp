// The header completeness check the closing runs.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/posting/row_fields.h"
#include "platform/core/text.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {

void TfrmLancNFEntrada::ValidaCampos() {
    auto showRecord = [this] { pgcPadrao.SetActivePage(&tshFormulario); };
    if (FieldText(qryTipoOperac, "IDINFCPFCNPJNF") == "S" &&
        FieldText(cdsNotaFiscal, "NRCPFCNPJNF").empty()) {
        showRecord();
        CriaCpfCnpj(*this);
        if (FieldText(cdsNotaFiscal, "NRCPFCNPJNF").empty())
            support::MensErro(msgPadrao, "CPFCNPJ_Inf", true);
    }
    const bool seriesOptional = OneOf(stTipoOperAtual, {"09", "10", "12"});
    if (text::Trim(dbeSerie->Text()).empty() && !seriesOptional) {
        showRecord();
        if (nbkDestino->PageIndex() == 2 &&
            FieldText(cdsNotaFiscal, "CDFILIEMIT") != FieldText(cdsNotaFiscal, "CDFILIAL")) {
            Refuse(dbeSerie, "Serie_Inf");
        }
    }
    if (text::Trim(dbeCdInscEsta->Text()).empty()) {
        showRecord();
        support::MensErro(msgPadrao, "Insc_Inf", true);
    }
    Vd_ModDocFisc(!OneOf(stTipoOperAtual, {"09", "10"}));
    dbeNumeroExit(*this);
}

} // namespace dfe::dfe11000
