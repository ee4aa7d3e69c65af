// The supplementary fields' messages and wiring, the mapped fields' handlers and their lists' exits, the
// operator's CFOP display and the item's issuer data.
#include "dfe11000/header/transport_rules.h"

#include "dfe11000/header/code_mappings.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/core/abort.h"
#include "support/consiste.h"
#include "support/show_msg.h"
#include "support/zymora.h"

#include <vector>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "transpInv|Transportadora não cadastrada.",
    "Ibge_Inv|Código IBGE inválido.",
    "IbgeOrig|Código IBGE de origem deve ser informado.",
    "IbgeDest|Código IBGE de destino deve ser informado.",
    "TipoCte|Tipo de Ct-e deve ser informado.",
    "Dae_Inf|Número do Documento de Arrecadação deve ser informado.",
    "Estado_N_Cad|Estado não cadastrado.",
    "Estado_Inf|Estado deve ser informado.",
    "Muni_N_Cad|Município não cadastrado.",
    "Municipio_Inf|Município deve ser informado.",
    "Cod_N_Cad|Código de serviço não cadastrado.",
    "Servico_Dif|Código de serviço informado diferente do código de serviço anterior. Os produtos serão "
    "excluídos e deverão ser informados novamente. Deseja prosseguir?",
};

void MappedGetText(const CodeMapping& mapping, const Field& field, std::string& text) {
    text = field.IsNull() ? std::string() : TextOfCode(mapping, field.AsString());
}

// Only the list's texts come here; any other text is refused rather than stored as some code.
void MappedSetText(const CodeMapping& mapping, Field& field, std::string_view text) {
    const std::optional<std::string> code = CodeOfText(mapping, text);
    if (!code)
        support::MensErro("\"" + std::string(text) + "\" não é uma opção de " + field.FieldName() + ".",
                          true);
    if (code->empty()) {
        field.Clear();
    } else {
        field.SetAsString(*code);
    }
}

} // namespace

TransportRules::TransportRules(TfrmLancNFEntrada& form) : ModulePart(form) {
    form_.msgPadrao2.AddLines(kMessages);
}

void TransportRules::Wire() {
    WireCarrier();
    WireMappedFields();
    WireUserCfop();
    WirePlaces();
    WireServiceLocation();
    WireServiceCode();
    WireIssuerData();
}

void TransportRules::Refuse(std::initializer_list<Control*> focus, const char* code) {
    for (Control* control : focus)
        FocusIfPossible(control);
    support::MensErro(form_.msgPadrao2, code, false);
    ThrowAbort();
}

// ---- Mapped fields

void TransportRules::WireMappedFields() {
    for (const CodeMapping* mapping : CodeMappings()) {
        Field& field = data_.cdsNotaFiscal.FieldByName(mapping->field);
        field.OnGetText = [mapping](Field& f, std::string& text, bool) { MappedGetText(*mapping, f, text); };
        field.OnSetText = [mapping](Field& f, std::string_view text) { MappedSetText(*mapping, f, text); };
    }
    ui_.cbbFreteConta->OnExit = [this](Component&) { cbbFreteContaExit(); };
    for (DBComboBox* combo : {ui_.cbbTipoCte, ui_.cbbFinEmisDoc, ui_.cbbModDocArrec, ui_.cbbNatFreteCTe})
        combo->OnExit = [this, combo](Component&) { DropDownExit(*combo); };
}

void TransportRules::cbbFreteContaExit() {
    const std::string text = ui_.cbbFreteConta->Text();
    if (text.empty() || !InEdit(data_.cdsNotaFiscal)) return;
    data_.cdsNotaFiscal.FieldByName(ui_.cbbFreteConta->DataField()).SetText(text);
}

// A browsed header is left alone; a closed one cannot be written, so only an edited one takes the list's
// text (the empty text clears).
void TransportRules::DropDownExit(DBComboBox& combo) {
    if (!InEdit(data_.cdsNotaFiscal)) return;
    data_.cdsNotaFiscal.FieldByName(combo.DataField()).SetText(combo.Text());
}

// ---- The operator's CFOP: without one of their own, the operation type's shows.

void TransportRules::WireUserCfop() {
    DataSet& nf = data_.cdsNotaFiscal;
    const std::pair<const char*, const char*> shown[] = {{"CDCFOPINFUSU", "CDFISOPENTF"},
                                                         {"DSCFOPINFUSU", "DSCDFISOPENF"}};
    for (const auto& [own, header] : shown) {
        Field& field = nf.FieldByName(own);
        field.OnGetText = [&nf, header](Field& f, std::string& text, bool) {
            text = support::EmptyString(f.AsString()) ? FieldText(nf, header) : f.AsString();
        };
        field.OnSetText = [](Field& f, std::string_view text) {
            if (text.empty()) {
                f.Clear();
            } else {
                f.SetAsString(text);
            }
        };
    }
}

// ---- The item's code and description printed on the documents it issues

void TransportRules::WireIssuerData() {
    ui_.grbProdEmiss->OnEnter = [this](Component&) { grbProdEmissEnter(); };
    ui_.dbeCdProdEmiss->OnExit = [this](Component&) { IssuerDataExit(); };
    ui_.dreDsProdEmiss->OnExit = [this](Component&) { IssuerDataExit(); };
}

void TransportRules::grbProdEmissEnter() {
    DataSet& items = data_.cdsItemProduto;
    if (items.Active() && !items.IsEmpty() && items.State() == DataSetState::Browse) items.Edit();
}

void TransportRules::IssuerDataExit() {
    DataSet& items = data_.cdsItemProduto;
    if (support::EmptyString(FieldText(items, "CDPRODEMIS"))) {
        const std::string external = FieldText(items, "CDPRODINTE");
        const bool byExternal =
            FieldText(data_.cdsParamDFE, "IDCODEXTERNONF") == "S" && !support::EmptyString(external);
        EditFieldText(
            items, "CDPRODEMIS",
            byExternal ? external
                       : support::FormatMaskText(support::zymora::DBPict(), FieldText(items, "CDARVPROD")));
    }
    if (support::EmptyString(FieldText(items, "DSPRODEMIS")))
        EditFieldText(items, "DSPRODEMIS", FieldText(items, "NMPRODUTO"));
    if (items.Active() && items.State() == DataSetState::Edit) items.Post();
}

} // namespace dfe::dfe11000
