// The closing-error dialog's rules: the blocking rows, the release codes each button accepts, and the way
// out of the dialog.
#include "dfe11000/dialogs/erros_rules.h"

#include "dfe11000/closing/error_list.h"
#include "dfe11000/dialogs/frm_erros.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "platform/net/closing_calls.h"

#include <string_view>

namespace dfe::dfe11000 {
namespace {

// Rows the clerk cannot accept: the posting must be corrected first.
constexpr std::string_view kBlocking[] = {
    "DFE11000_2", "DFE11000_3", "DFE11000_5", "DFE11000_6", "ORC1",     "ORC2",
    "PESO_LIQ",   "BLOQ_REPE",  "SEMIMPOBRI", "CSTINVALID", "CSTVRIMP", "1CFOPINV",
    "CSTICMSST",  "TERCEEMPTY", "BloqIgual",  "NFCREDST",   "ITSEMAF"};

constexpr const char* kAFQuantityWarning =
    "(Aviso) Quantidade de produto informada difere da quantidade prevista na AF.";

std::string Enclosed(const char* code) {
    return std::string("#") + code + "#";
}

} // namespace

void ErrosRules::Wire() {
    dialog_.OnCreate = [this](Form&) { FormCreate(); };
    dialog_.OnShow = [this](Form&) { FormActivate(); };
    dialog_.OnCloseQuery = [this](Form&, bool& canClose) { FormCloseQuery(canClose); };
    // The creator frees the dialog.
    dialog_.OnClose = [](Form&, CloseAction& action) { action = CloseAction::Hide; };
    dialog_.bbtOK.OnClick = [this](Component&) { bbtOKClick(); };
    dialog_.bbtDevolucao->OnClick = [this](Component&) { bbtDevolucaoClick(); };
    dialog_.sbtBaixaTotalAF->OnClick = [this](Component&) { sbtBaixaTotalAFClick(); };
    dialog_.bbtCancelar.OnClick = [this](Component&) { bbtCancelarClick(); };
    dialog_.bbtConsistirAF->OnClick = [this](Component&) { bbtConsistirAFClick(); };
    dialog_.bbtVisualiza->OnClick = [this](Component&) { bbtVisualizaClick(); };
    dialog_.dbgErros->OnDblClick = [this](Component&) { bbtVisualizaClick(); };
}

void ErrosRules::FormCreate() {
    posting_.ui.sbtErros->SetEnabled(true);
    posting_.ui.mnuErros->SetEnabled(true);
    const DataSet& links = posting_.data.cdsNFRelacAF;
    const bool withAF = links.Active() && !links.IsEmpty();
    dialog_.bbtConsistirAF->SetVisible(withAF);
    dialog_.sbtBaixaTotalAF->SetVisible(withAF);
    boFecha = false;
}

void ErrosRules::FormActivate() {
    ClosingFlags& flags = posting_.closingFlags;
    flags.boGeraDevolucao = false;
    flags.boAvisaOcorrencia = true;
    flags.stOfereceRateio = "S";
}

bool ErrosRules::NegativeStockAllowed() const {
    return FieldText(posting_.data.cdsParamDFE, "IDPERMESTNEG") == "S";
}

void ErrosRules::SetButtons() {
    ErrorListRules& errors = posting_.Errors();
    bool closable = true;
    if (errors.HasClosingRow("LIB00200_4")) closable = errors.ClosingRowObject("LIB00200_4") != "T";
    if (errors.HasClosingRow(net::release_code::kNegativeStock))
        closable = closable && NegativeStockAllowed();
    for (std::string_view code : kBlocking) {
        if (errors.HasClosingRow(code)) closable = false;
    }
    dialog_.bbtOK.SetEnabled(closable);
    dialog_.bbtDevolucao->SetEnabled(FieldText(posting_.data.cdsParamDFE, "IDGERANFDEVO") == "S" &&
                                     closable && errors.HasClosingObject(kAFQuantityWarning));
    dialog_.sbtBaixaTotalAF->SetEnabled(closable);
}

void ErrosRules::Finish(const char* result) {
    boFecha = true;
    chResult = result;
    if (!closing_) dialog_.SetModalResult(mr::Ok);
}

void ErrosRules::CloseAgain(const std::string& releaseCodes) {
    DataSet& header = posting_.data.cdsNotaFiscal;
    if (header.Active() && header.State() == DataSetState::Browse) header.Edit();
    posting_.closingFlags.chResultErros = "F";
    posting_.closingFlags.stCodLibFech = releaseCodes;
    Finish("F");
}

void ErrosRules::bbtOKClick() {
    // A disabled button may still be reached by its accelerator while the list has the focus.
    if (!dialog_.bbtOK.Enabled()) return;
    ErrorListRules& errors = posting_.Errors();
    std::string codes = Enclosed(net::release_code::kWarnings) + Enclosed(net::release_code::kImplantation);
    if (NegativeStockAllowed()) codes += std::string(net::release_code::kNegativeStock) + "#";
    if (errors.HasClosingRow("ORC3") || errors.HasClosingRow("ORC4"))
        codes += std::string(net::release_code::kBudget) + "#";
    posting_.closingFlags.stErrosExibidos = "N";
    CloseAgain(codes);
}

void ErrosRules::bbtDevolucaoClick() {
    if (!dialog_.bbtDevolucao->Enabled()) return;
    posting_.closingFlags.boGeraDevolucao = true;
    bbtOKClick();
}

void ErrosRules::sbtBaixaTotalAFClick() {
    if (!dialog_.sbtBaixaTotalAF->Enabled() || !dialog_.sbtBaixaTotalAF->Visible()) return;
    posting_.closingFlags.boBaixaTotalAF = true;
    std::string codes = Enclosed(net::release_code::kWarnings);
    if (NegativeStockAllowed()) codes += std::string(net::release_code::kNegativeStock) + "#";
    CloseAgain(codes);
}

void ErrosRules::bbtCancelarClick() {
    Cancel(false);
}

void ErrosRules::Cancel(bool closing) {
    ClosingFlags& flags = posting_.closingFlags;
    flags.boAvisaOcorrencia = false;
    flags.stOfereceRateio = "N";
    // The answer is given first: a cancel the clerk stops half-way still ends the dialog.
    Finish("C");
    if (!closing) dialog_.Hide();
    posting_.sbtCancelarClick();
}

void ErrosRules::bbtConsistirAFClick() {
    if (!dialog_.bbtConsistirAF->Visible()) return;
    posting_.closingFlags.boAvisaOcorrencia = false;
    posting_.closingFlags.stOfereceRateio = "N";
    Finish("A");
}

void ErrosRules::bbtVisualizaClick() {
    posting_.closingFlags.boAvisaOcorrencia = false;
    posting_.closingFlags.stOfereceRateio = "N";
    Finish("V");
    DataSet& header = posting_.data.cdsNotaFiscal;
    if (header.Active() && header.State() == DataSetState::Browse) header.Edit();
    posting_.Errors().PosicionaErro(FieldText(posting_.data.cdsErrosVisual, "CDERRO"));
}

// The window's close box, or any other way out than the buttons, cancels.
void ErrosRules::FormCloseQuery(bool& canClose) {
    canClose = true;
    if (boFecha) return;
    closing_ = true;
    Cancel(true);
}

} // namespace dfe::dfe11000
