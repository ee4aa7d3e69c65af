// The document model: the models the operation type allows, electronic ones only where the access key is
// mandatory, and what the model shows on the record page.
#include "dfe11000/header/document_rules.h"
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/module_parameters.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "support/consiste.h"
#include "support/show_msg.h"

namespace dfe::dfe11000 {

bool DocumentRules::KeyMandatory() const {
    return FieldText(data_.cdsParamForne, "IDOBRCHAVACESFO") == "S" ||
           FieldText(data_.cdsParamDFE, "IDOBRCHAVACES") == "S";
}

// The allowed models into cdsModDocFisc: one model, or all of them with `all` "T"; only the electronic
// ones, where asked, when the key is mandatory and the operation electronic.
void DocumentRules::LoadModels(const std::string& model, const std::string& all, bool electronicWhereKeyed) {
    const bool electronic =
        electronicWhereKeyed && KeyMandatory() && form_.Header().TipoOper().IDTIPOOPERELE == "S";
    std::string type = FieldText(data_.cdsNotaFiscal, "CDTIPOOPER");
    if (type.empty()) type = form_.Header().CurrentType();
    data_.cdsModDocFisc.SetData(
        server_.Call(server_.netLancNFEntrada, electronic ? "GetModFiscEle" : "GetModDocFis",
                     net::CallArgs().Str(model).Str(all).Str(electronic ? "S" : "T").Str(type)));
}

void DocumentRules::ShowModelPages(const std::string& model) {
    ui_.nbkCte->SetPageIndex(model == "66" ? 1 : 0);
    ui_.grbNatFreteCTe->SetVisible(
        OneOf(model, {"07", "08", "8B", "09", "10", "11", "26", "27", "57", "63", "67"}));
}

void DocumentRules::Vd_ModDocFisc(bool required) {
    if (!InEdit(data_.cdsNotaFiscal)) return;
    try {
        const std::string typed = text::Trim(ui_.dbeModDocFis->Text());
        if (typed.empty()) {
            if (required) Refuse(ui_.dbeModDocFis, "DocFisc_Inf");
        } else if (!required || ui_.dbeModDocFis->Focused()) {
            const std::string model = support::Ajusta(typed, 2);
            SetWhileEditing(data_.cdsNotaFiscal, "CDMODDOCFISC", model);
            LoadModels(model, "", true);
            if (data_.cdsModDocFisc.IsEmpty()) Refuse(ui_.dbeModDocFis, "DocFisc_Cad");
            const std::string description = FieldText(data_.cdsModDocFisc, "DSMODDOCFISC");
            ui_.dbeNmModDocFis->SetText(description);
            SetWhileEditing(data_.cdsNotaFiscal, "DSMODDOCFISC", description);
        }
        ShowModelPages(FieldText(data_.cdsNotaFiscal, "CDMODDOCFISC"));
    } catch (...) {
        ShowModelPages(FieldText(data_.cdsNotaFiscal, "CDMODDOCFISC"));
        form_.Loader().ShowRecordPage();
        FocusIfPossible(ui_.dbeModDocFis);
        throw;
    }
}

void DocumentRules::dbeModDocFisExit() {
    if (!InEdit(data_.cdsNotaFiscal)) return;
    Vd_ModDocFisc(false);
    const std::string model = FieldText(data_.cdsNotaFiscal, "CDMODDOCFISC");
    if (!model.empty()) Cli_dfe11000().stModDocFisc = model;
    const bool keyExpected = FieldText(data_.cdsNotaFiscal, "IDORIGDESTNF") == "F" &&
                             FieldText(data_.cdsModDocFisc, "IDMODDOCNFE") == "S" &&
                             form_.Header().TipoOper().IDTIPOOPERELE == "S" && KeyMandatory();
    ui_.dbeChavePServ->SetColor(keyExpected ? Color::clInfoBk : Color::clWindow);
    ShowModelPages(model);
}

void DocumentRules::dbeModDocFisChange() {
    if (InEdit(data_.cdsNotaFiscal) && ui_.dbeModDocFis->Focused()) ui_.dbeNmModDocFis->SetText("");
}

void DocumentRules::btpModDocFiscBeforePesq() {
    const bool supplier = FieldText(data_.cdsNotaFiscal, "IDORIGDESTNF") == "F";
    if (supplier) form_.Participants().RefreshSupplierParams();
    LoadModels("", "T", supplier);
}

void DocumentRules::btpModDocFiscAfterPesq() {
    // The chosen row is read before the header goes into edit.
    const std::string code = FieldText(data_.cdsModDocFisc, "CDMODDOCFISC");
    const std::string description = FieldText(data_.cdsModDocFisc, "DSMODDOCFISC");
    EditFieldText(data_.cdsNotaFiscal, "CDMODDOCFISC", code);
    EditFieldText(data_.cdsNotaFiscal, "DSMODDOCFISC", description);
    ShowModelPages(code);
}

} // namespace dfe::dfe11000
