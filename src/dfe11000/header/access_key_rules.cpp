#include "dfe11000/header/access_key_rules.h"

#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/editing_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "dfe11000/server/module_parameters.h"
#include "platform/core/abort.h"
#include "platform/core/nfe_access_key.h"
#include "platform/core/text.h"
#include "platform/ui/ui_error.h"
#include "support/consiste.h"
#include "support/current_dialogs.h"
#include "support/lib00201.h"
#include "support/show_msg.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace dfe::dfe11000 {
namespace {

const std::vector<std::string> kMessages = {
    "Chave_Inf|Chave de acesso NF-e deve ser informada.",
    "Chave_Menor|Chave de acesso NF-e deve possuir 44 caracteres.",
    "Chave_Inv|Chave de acesso NF-e inválida ou não pertence a nota fiscal informada.",
    "Chave_Cad|Chave de acesso já utilizada pela filial %s.",
    "Chave_Pre|Chave de acesso pré-lançada pelo processo simplificado para a filial %s.",
    "ChavePS_Inf|Código de verificação (chave) deve ser informado.",
    "Bloq_Inc|Operação Bloqueada! Nota Fiscal %s.",
    "BloqManif_Inc|Operação Bloqueada! Nota Fiscal com Manifestação %s. Para inclusão desta nota é preciso "
    "alterar a manifestação do usuário.",
    "Manif2|Denegada",
    "Manif3|Cancelada",
    "DtEmis_XML|Para Notas Importadas Via XML A Data de Emissão Deve Ser Idêntica À Do XML.",
    "Cfop_TipoOper|Lançamento bloqueado! Tipo de operação inválido para o CFOP do Arquivo XML. Entre em "
    "contato "
    "com o setor fiscal.",
};

// The country code of Brazil at the central bank: only its registrations check the key's layout.
constexpr const char* kBrazil = "1058";
// A key of state code 99 is not checked against its digit or the header.
constexpr const char* kUncheckedState = "99";
// The series field's width: the key's three digits and a typed series compare at it, so "0001" is "001".
constexpr int kSeriesWidth = 5;
constexpr int kNumberWidth = 20;
constexpr size_t kIssuerWidth = 14;

bool OnlyDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A date field's day formatted as the XML check compares it; empty for no date.
std::string DayText(const DataSet& ds, const char* name) {
    const Field* field = ds.Active() && !ds.IsEmpty() ? ds.FindField(name) : nullptr;
    if (!field || field->IsNull() || field->AsDateTime().IsEmpty()) return {};
    return field->AsDateTime().Format("DD/MM/YY");
}

} // namespace

AccessKeyRules::AccessKeyRules(TfrmLancNFEntrada& form) : ModulePart(form) {
    form_.msgPadrao.AddLines(kMessages);
}

void AccessKeyRules::Wire() {
    ui_.dbeChaveAcesso->OnExit = [this](Component&) { dbeChaveAcessoExit(); };
    ui_.dbeChavePServ->OnExit = [this](Component&) { dbeChavePServExit(); };
    ui_.dbeChaveAcesso->OnKeyPress = [this](Component&, char32_t& key) { dbeChaveAcessoKeyPress(key); };
    ui_.dbeChaveAcesso->OnKeyDown = [this](Component&, int& key, ShiftState) { dbeChaveAcessoKeyDown(key); };
    data_.cdsNotaFiscal.FieldByName("DTHRPROTOCOLNFE").OnGetText = [](Field& field, std::string& text,
                                                                      bool displayText) {
        cdsNotaFiscalDTHRPROTOCOLNFEGetText(field, text, displayText);
    };
}

void AccessKeyRules::dbeChaveAcessoExit() {
    if (!boChaveManual) Vd_ChaveAcesso();
}

void AccessKeyRules::dbeChavePServExit() {
    if (!boChaveManual) Vd_ChaveAcesso();
}

// The codes 37 to 40 and 45 are the arrow and insert keys' codes; as characters the key's digit mask refuses
// them anyway.
void AccessKeyRules::dbeChaveAcessoKeyPress(char32_t& key) {
    if (!boChaveManual) return;
    if (key == 9 || key == 13 || (key >= 37 && key <= 40) || key == 45) return;
    key = 0;
}

void AccessKeyRules::dbeChaveAcessoKeyDown(int& key) {
    if (boChaveManual && (key == key::Back || key == key::Delete)) key = key::None;
}

// Only the display: the edit text stays the stored value, so a date edit bound to the field can read it.
void AccessKeyRules::cdsNotaFiscalDTHRPROTOCOLNFEGetText(const Field& field, std::string& text,
                                                         bool displayText) {
    if (field.IsNull() || field.AsDateTime().IsEmpty()) {
        text.clear();
    } else {
        text = displayText ? field.AsDateTime().Format("ddd ddddd hh:nn:ss") : field.AsString();
    }
}

void AccessKeyRules::Vd_ChaveAcesso() {
    if (!InEdit(data_.cdsNotaFiscal)) return;
    const OperationType type = form_.Header().TipoOper();
    if (type.IDNFPRESTSERV == "S") {
        try {
            form_.Participants().RefreshSupplierParams();
            if (KeyMandatory(type) && support::EmptyString(ui_.dbeChavePServ->Text())) Refuse("ChavePS_Inf");
        } catch (...) {
            FocusIfPossible(ui_.dbeChavePServ);
            throw;
        }
        return;
    }
    try {
        CheckKey(ui_.dbeChaveAcesso->Text(), type);
    } catch (...) {
        ShowRecordPage();
        FocusIfPossible(ui_.dbeChaveAcesso);
        throw;
    }
}

void AccessKeyRules::CheckKey(const std::string& key, const OperationType& type) {
    form_.Participants().RefreshSupplierParams();
    const bool brazilian = KeyValidatedInCountry();
    const bool empty = support::EmptyString(key);
    if (!empty && brazilian) {
        if (text::Length(key) != nfe::kAccessKeyLength) Refuse("Chave_Menor");
        const bool unchecked = text::StartsWith(key, kUncheckedState);
        // A blank (an unfilled position) or any other non-digit is never part of a key, "99" keys included.
        if (!OnlyDigits(key) || (!unchecked && !support::lib00201::Verifica_DigitoVerificadorNFe(key)))
            Refuse("Chave_Inv");
        CheckOtherPostings(key);
        if (!unchecked) CompareWithHeader(key);
    }
    if (empty && KeyMandatory(type)) Refuse("Chave_Inf");
    if (!empty && data_.cdsNotaFiscal.State() == DataSetState::Insert) CheckManifestation(key);
}

std::string AccessKeyRules::SupplierParam(const char* name) const {
    const std::string supplier = FieldText(lookups_.qryFornecedor, "CDFORNECED");
    if (supplier.empty() || FieldText(data_.cdsParamForne, "CDFORNECED") != supplier) return {};
    return FieldText(data_.cdsParamForne, name);
}

bool AccessKeyRules::KeyValidatedInCountry() {
    // A closed registration lookup would read as no country and silently switch every check off.
    if (!lookups_.qryInscrEstad.Active()) form_.Header().ReopenInscrEstad();
    db::TADOIBQuery& country = lookups_.qryPais;
    country.Close();
    country.ParamByName("P_CDPAIS") = Variant(FieldText(lookups_.qryInscrEstad, "CDPAIS"));
    country.Open();
    return text::Trim(FieldText(country, "CDPAISBACEN")) == kBrazil;
}

void AccessKeyRules::CheckOtherPostings(const std::string& key) {
    // The current posting is not another holder of its own key.
    const std::string posting =
        FieldText(data_.cdsRomaneioNF, "CDFILIAL") + FieldText(data_.cdsRomaneioNF, "NRLANCTONF");
    DataSet& holders = data_.cdsVdCAcesso;
    holders.SetData(
        server_.Call(server_.netLancNFEntrada, "getVdCAcesso", net::CallArgs().Str(key).Str(posting)));
    if (holders.IsEmpty()) return;
    holders.First();
    const bool prePosted = OneOf(FieldText(holders, "IDSTATUS"), {"L", "I"});
    Refuse(prePosted ? "Chave_Pre" : "Chave_Cad", FieldText(holders, "CDFILIRECE"));
}

void AccessKeyRules::CompareWithHeader(const std::string& key) {
    const std::optional<nfe::AccessKeyParts> parts = nfe::SplitAccessKey(key);
    if (!parts) Refuse("Chave_Inv");
    if (support::Ajusta(parts->series, kSeriesWidth) != support::Ajusta(ui_.dbeSerie->Text(), kSeriesWidth))
        Refuse("Chave_Inv");
    // Without an issue date yet (blind entry) there is nothing to compare; the date's own rule asks for it.
    const Field* issue = data_.cdsNotaFiscal.FindField("DTEMISSAO");
    if (issue && !issue->IsNull() && !issue->AsDateTime().IsEmpty()) {
        const DateTime date = issue->AsDateTime();
        if (parts->month != date.Format("mm") || parts->year != date.Format("yy")) Refuse("Chave_Inv");
    }
    if (SupplierParam("IDVERINSFORCHNFE") == "S") {
        std::string issuer = ui_.dbeNrInsJurNF->Text();
        std::erase_if(issuer, [](char c) { return c == '.' || c == '/' || c == '-'; });
        // A CPF issuer's key carries the eleven digits left-padded with zeros.
        if (parts->issuer != text::PadLeft(text::Upper(issuer), kIssuerWidth, '0')) Refuse("Chave_Inv");
    }
    const std::string number = ui_.dbeNumero->Text();
    if (!support::EmptyString(number) &&
        support::Ajusta(parts->number, kNumberWidth) != support::Ajusta(number, kNumberWidth))
        Refuse("Chave_Inv");
}

void AccessKeyRules::CheckManifestation(const std::string& key) {
    const DataSet& nf = data_.cdsNotaFiscal;
    const Variant answer = server_.Call(server_.netLancNFEntrada, "GetManifestacao",
                                        net::CallArgs()
                                            .Str(FieldText(nf, "CDEMPRESA"))
                                            .Str(FieldText(nf, "CDINSCESTA"))
                                            .Str("1")
                                            .Str("")
                                            .Str(key));
    const std::string code = answer.IsNull() ? std::string() : text::Left(answer.AsString(), 1);
    if (code == "2" || code == "3") Refuse("Bloq_Inc", form_.msgPadrao.Msg("Manif" + code));
    if (code == "5" || code == "6") Refuse("BloqManif_Inc", form_.msgPadrao.Msg("Manif" + code));
}

bool AccessKeyRules::KeyMandatory(const OperationType& type) const {
    if (FieldText(data_.cdsModDocFisc, "IDMODDOCNFE") != "S" || type.IDTIPOOPERELE != "S") return false;
    const std::string participant = FieldText(data_.cdsNotaFiscal, "IDORIGDESTNF");
    const DataSet& branch = data_.cdsParamDFE;
    return (SupplierParam("IDOBRCHAVACESFO") == "S" && participant == "F") ||
           FieldText(branch, "IDOBRCHAVACES") == "S" ||
           (participant == "L" && FieldText(branch, "IDOBRCHAVACESFI") == "S");
}

void AccessKeyRules::Vd_DataEmissXML() {
    DataSet& nf = data_.cdsNotaFiscal;
    if (!InEdit(nf)) return;
    DBDateEdit& issueEdit = *ui_.dbdDtEmissao;
    const TypedDate typed = ReadTypedDate(issueEdit.EditText());
    if (typed.blank) {
        ShowRecordPage();
        FocusIfPossible(&issueEdit);
        support::MensErro(form_.msgPadrao, "DtEmis_Inf", true);
    }
    if (!issueEdit.Enabled()) return;
    try {
        if (!typed.valid) throw UiError("\"" + issueEdit.EditText() + "\" não é uma data válida.");
        if (FieldText(nf, "IDNFGERADAVIAXML") != "S") return;
        data_.cdsVdEmissaoXML.SetData(server_.Call(server_.netLancNFEntrada, "Vd_DataEmissXML",
                                                   net::CallArgs().Str(FieldText(nf, "NRACESSONFE"))));
        // No stored XML counts as another date.
        const std::string stored = DayText(data_.cdsVdEmissaoXML, "DTEMISSAO");
        if (stored.empty() || stored != DayText(nf, "DTEMISSAO"))
            support::MensErro(form_.msgPadrao, "DtEmis_XML", true);
    } catch (const Abort&) {
        throw;
    } catch (const ScriptFailure&) {
        throw;
    } catch (const std::exception& e) {
        support::MensErro(e.what(), true);
    }
}

void AccessKeyRules::Vd_CFOPXML_TIPOOPER() {
    const DataSet& nf = data_.cdsNotaFiscal;
    if (FieldText(nf, "IDNFGERADAVIAXML") != "S" || support::EmptyString(FieldText(nf, "NRACESSONFE")))
        return;
    if (!data_.cdsParamGeral.Active()) form_.Parameters().GetParamGeral();
    if (FieldText(data_.cdsParamGeral, "IDUTCFOPXMLLANNF") != "S") return;
    if (form_.Header().TipoOper().IDCMPVNDBONI == "S") return;
    data_.cdsCFOPXML.SetData(server_.Call(server_.netLancNFEntrada, "GetVd_CFOPXML_TIPOOPER",
                                          net::CallArgs()
                                              .Str(FieldText(nf, "NRACESSONFE"))
                                              .Str(FieldText(nf, "CDTIPOOPER"))
                                              .Str(FieldText(nf, "CDFILIRECE"))));
    if (!data_.cdsCFOPXML.IsEmpty()) support::MensErro(form_.msgPadrao, "Cfop_TipoOper", true);
}

void AccessKeyRules::ShowRecordPage() {
    if (form_.pgcPadrao.ActivePage() == &form_.tshFormulario) return;
    form_.pgcPadrao.SetActivePage(&form_.tshFormulario);
    form_.Loader().pgcPadraoChange();
}

void AccessKeyRules::Refuse(const char* code, const std::string& value) {
    support::CurrentDialogs().ShowError(
        ErrorRequest{FillPercentS(form_.msgPadrao.Msg(code), value), {}, code});
    ThrowAbort();
}

} // namespace dfe::dfe11000
