// The header completeness check the closing runs.
#include "dfe11000/dialogs/frm_cpf_cnpj.h"
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/module/pending.h"
#include "dfe11000/posting/posting_editor.h"
#include "platform/core/text.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {

void PostingEditor::ValidaCampos() {
    auto showRecord = [this] { form_.pgcPadrao.SetActivePage(&form_.tshFormulario); };
    if (FieldText(lookups_.qryTipoOperac, "IDINFCPFCNPJNF") == "S" &&
        FieldText(data_.cdsNotaFiscal, "NRCPFCNPJNF").empty()) {
        showRecord();
        CpfCnpj(form_, data_.cdsNotaFiscal.FieldByName("NRINSJURNF"), *ui_.dbeNrInsJurNF,
                FieldText(lookups_.qryTipoOperac, "DSOPERNFAVISTA"),
                FieldText(data_.cdsNotaFiscal, "NRCPFCNPJNF"));
        if (FieldText(data_.cdsNotaFiscal, "NRCPFCNPJNF").empty())
            support::MensErro(form_.msgPadrao, "CPFCNPJ_Inf", true);
    }
    const bool seriesOptional = OneOf(form_.Header().CurrentType(), {"09", "10", "12"});
    if (text::Trim(ui_.dbeSerie->Text()).empty() && !seriesOptional) {
        showRecord();
        if (ui_.nbkDestino->PageIndex() == 2 &&
            FieldText(data_.cdsNotaFiscal, "CDFILIEMIT") != FieldText(data_.cdsNotaFiscal, "CDFILIAL")) {
            Refuse(ui_.dbeSerie, "Serie_Inf");
        }
    }
    if (text::Trim(ui_.dbeCdInscEsta->Text()).empty()) {
        showRecord();
        support::MensErro(form_.msgPadrao, "Insc_Inf", true);
    }
    form_.Document().Vd_ModDocFisc(!OneOf(form_.Header().CurrentType(), {"09", "10"}));
    form_.Document().dbeNumeroExit();
}

} // namespace dfe::dfe11000
