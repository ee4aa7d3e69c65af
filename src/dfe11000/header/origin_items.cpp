// The origin items of a posting (and their copy for a remittance return), the remittance of a triangular
// operation, the commands on a return's origins, and the wiring of the origin group.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "platform/net/connection_references.h"
#include "platform/ui/host_services.h"
#include "platform/ui/keys.h"
#include "support/consiste.h"
#include "support/current_dialogs.h"

namespace dfe::dfe11000 {
namespace {

constexpr const char* kCopiedItemFields[] = {"CDPRODUTO",  "CDARVPROD",  "SGUNIDADE", "QTITEMPROD",
                                             "VRUNITITEM", "VRDESCITEM", "VRTOTAITEM"};

bool HasRows(const DataSet& ds) {
    return ds.Active() && !ds.IsEmpty();
}

std::string KeyText(const std::string& branch, const std::string& posting) {
    return branch + " - " + posting + "_";
}

// The package of the rural-producer invoices and its creator: (branch, posting number).
constexpr const char* kRuralPackage = "Lib94000";
constexpr const char* kRuralCreator = "CriaNFProdRural";
using RuralCreator = void (*)(const char* branch, const char* posting);

} // namespace

void OriginRules::Wire() {
    ui_.dbeCdSerie->OnEnter = [this](Component&) { dbeCdSerieEnter(); };
    ui_.dbeNrNotaFisc->OnEnter = [this](Component&) { dbeNrNotaFiscEnter(); };
    ui_.dbeSerieSaida->OnEnter = [this](Component&) { dbeSerieSaidaEnter(); };
    ui_.dbeNumeroSaida->OnEnter = [this](Component&) { dbeSerieSaidaEnter(); };
    ui_.dbeCdSerie->OnExit = [this](Component&) { dbeCdSerieExit(); };
    ui_.dbeNrNotaFisc->OnExit = [this](Component&) { dbeNrNotaFiscExit(); };
    ui_.dbeSerieSaida->OnExit = [this](Component&) { dbeSerieSaidaExit(); };
    ui_.dbeNumeroSaida->OnExit = [this](Component&) { dbeNumeroSaidaExit(); };
    ui_.dbeNumeroSaida->OnChange = [this](Component&) { dbeNumeroSaidaChange(); };
    ui_.rbtUnica->OnClick = [this](Component&) { rbtUnicaClick(); };
    ui_.rbtLista->OnClick = [this](Component&) { rbtListaClick(); };
    ui_.btpLista->OnClick = [this](Component&) { btpListaClick(); };
    ui_.grbNFOrigem->OnExit = [this](Component&) { grbNFOrigemExit(); };
    ui_.btnAtuQtdDev->OnClick = [this](Component&) { btnAtuQtdDevClick(); };
    ui_.sbtNFProdRural->OnClick = [this](Component&) { sbtNFProdRuralClick(); };
    ui_.mnuNFProdRural->OnClick = [this](Component&) { sbtNFProdRuralClick(); };

    ui_.btpNotaFiscOrigem->OnBeforePesq = [this](support::TBtnPesquisa&, bool& go) {
        btpNotaFiscOrigemBeforePesq(go);
    };
    ui_.btpNotaFiscOrigem->OnAfterPesq = [this](support::TBtnPesquisa&) { btpNotaFiscOrigemAfterPesq(); };
    ui_.btpNFSaida->OnBeforePesq = [this](support::TBtnPesquisa&, bool& go) { btpNFSaidaBeforePesq(go); };
    ui_.btpNFSaida->OnAfterPesq = [this](support::TBtnPesquisa&) { btpNFSaidaAfterPesq(); };
    ui_.btpForneNFRemessa->OnBeforePesq = [this](support::TBtnPesquisa&, bool& go) {
        btpForneNFRemessaBeforePesq(go);
    };
    ui_.btpForneNFRemessa->OnAfterPesq = [this](support::TBtnPesquisa&) { btpForneNFRemessaAfterPesq(); };
    ui_.dbeForneNFRemessa->OnExit = [this](Component&) { Vd_ForneNFRemessa(false); };
    ui_.dbeNumNFRemessa->OnExit = [this](Component&) { Vd_NumeroNFRemessa(false); };
    // Digits only: a remittance number is what the supplier printed.
    ui_.dbeNumNFRemessa->OnKeyPress = [](Component&, char32_t& key) {
        if (key >= U'0' && key <= U'9') return;
        if (key == 8 || key == 9 || key == 13) return;
        key = 0;
    };

    // A candidate's registration number with the mask of its person type.
    data_.cdsNFOrigem.FieldByName("NRINSJURNF").OnGetText = [this](Field& field, std::string& text, bool) {
        text = field.AsString();
        if (!text.empty())
            text =
                support::FormatMaskText(support::PictPess(FieldText(data_.cdsNFOrigem, "IDTPIJURNF")), text);
    };
    data_.cdsNotaFiscal.FieldByName("NRINSJURFORREME").OnGetText = [this](Field& field, std::string& text,
                                                                          bool) {
        text = field.AsString();
        if (text.empty() || ui_.dbeForneNFRemessa->Focused()) return;
        text = support::FormatMaskText(support::PictPess(FieldText(data_.cdsNotaFiscal, "IDTPIJURFORREME")),
                                       text);
    };
}

// ---- Origin items

void OriginRules::GetItemNFOrigem() {
    const std::string& code = form_.Header().CurrentType();
    const DataSet& related = data_.cdsItemNotaFisc;
    ModuleState& state = Cli_dfe11000();
    std::string key, branch, number;
    if (code == "14") {
        data_.cdsDevolucao.SetData(server_.Call(
            server_.netLancNFEntrada, "GetDevolucao",
            net::CallArgs().Str(FieldText(related, "CDFILIALIT")).Str(FieldText(related, "NRLANCTONFIT"))));
        key = HasRows(data_.cdsDevolucao)
                  ? KeyText(FieldText(data_.cdsDevolucao, "CDFILIAL"),
                            FieldText(data_.cdsDevolucao, "NRLANCTONF"))
                  : KeyText(FieldText(related, "CDFILIALIT"), FieldText(related, "NRLANCTONFIT"));
    } else if (ui_.rbtLista->Checked()) {
        if (data_.cdsNotaFiscal.State() == DataSetState::Insert) {
            key = state.stListDevol.empty() ? std::string() : state.stListDevol.substr(1);
        } else {
            state.stList.clear();
            form_.Loader().GetItensNFOrig();
            DataSet& origins = data_.cdsItensNFOrig;
            for (origins.First(); !origins.Eof(); origins.Next())
                state.stList += KeyText(FieldText(origins, "CDFILIALIT"), FieldText(origins, "NRLANCTONFIT"));
            key = !state.stList.empty()       ? state.stList
                  : state.stListDevol.empty() ? std::string()
                                              : state.stListDevol.substr(1);
        }
    } else {
        key = "N";
        branch = FieldText(related, "CDFILIALIT");
        number = FieldText(related, "NRLANCTONFIT");
    }
    form_.Loader().GetItemNFOrigem(key, branch, number);
}

// A remittance returned whole: its items become the posting's, unless the clerk has typed some.
void OriginRules::CopyOriginItems() {
    ModuleState& state = Cli_dfe11000();
    state.boAlteraNF = false;
    struct Restore {
        bool& flag;
        ~Restore() { flag = true; }
    } restore{state.boAlteraNF};
    GetItemNFOrigem();
    DataSet& items = data_.cdsItemProduto;
    if (items.Active() && !items.IsEmpty()) return;
    if (!items.Active()) items.CreateDataSet();
    const net::ConnectionReference connection(server_.References(), server_.netLancNFEntrada);
    state.boCodBar = false;
    struct RestoreCodBar {
        bool& flag;
        ~RestoreCodBar() { flag = true; }
    } codBar{state.boCodBar};
    // Copied rows are the origin's, not typed: the checks of a typed row are suspended while they come in.
    state.boAtuaNovoCod = true;
    struct RestoreChecks {
        bool& flag;
        ~RestoreChecks() { flag = false; }
    } checks{state.boAtuaNovoCod};
    DataSet& origin = data_.cdsItemNFOrigem;
    for (origin.First(); !origin.Eof(); origin.Next()) {
        items.Append();
        for (const char* name : kCopiedItemFields)
            items.FieldByName(name).SetValue(origin.FieldByName(name).Value());
        items.FieldByName("DSPRODEMIS").SetAsString(FieldText(origin, "NMPRODUTO"));
        items.FieldByName("NMPRODUTO").SetAsString(FieldText(origin, "NMPRODUTO"));
        items.FieldByName("IDITEMORIGEM").SetAsString("S");
        items.Post();
    }
}

// ---- Commands

void OriginRules::btnAtuQtdDevClick() {
    const Variant answer = server_.Call(server_.netLancNFEntrada, "AtualizaQtdDevol",
                                        net::CallArgs()
                                            .Str(FieldText(data_.cdsRomaneioNF, "CDFILIAL"))
                                            .Str(FieldText(data_.cdsRomaneioNF, "NRLANCTONF")));
    const bool shaped = answer.IsArray() && answer.AsArray().Size() >= 2;
    const int low = shaped ? answer.AsArray().LowBound() : 0;
    if (!shaped || answer.AsArray()[low].AsString() != "OK") {
        const std::string text =
            shaped ? answer.AsArray()[low + 1].AsString()
                   : std::string("Resposta inválida do servidor ao atualizar a quantidade devolvida.");
        support::CurrentDialogs().ShowError(ErrorRequest{text, {}, {}});
        return;
    }
    support::CurrentDialogs().ShowInformation(form_.msgPadrao.Msg("QtdAtualizada"), "QtdAtualizada");
}

void OriginRules::sbtNFProdRuralClick() {
    HostServices* host = HostServices::Current();
    try {
        if (!host) throw PackageError("Módulo " + std::string(kRuralPackage) + " não está instalado.");
        host->LoadPackage(kRuralPackage);
        auto create = reinterpret_cast<RuralCreator>(host->Symbol(kRuralPackage, kRuralCreator));
        const std::string branch = FieldText(data_.cdsRomaneioNF, "CDFILIAL");
        const std::string posting = FieldText(data_.cdsRomaneioNF, "NRLANCTONF");
        create(branch.c_str(), posting.c_str());
    } catch (const PackageError& missing) {
        support::CurrentDialogs().ShowError(
            ErrorRequest{"Nota Fiscal Referenciada de Produtor Rural: " + std::string(missing.what()),
                         missing.Detail(),
                         {}});
    }
}

// ---- The remittance of a triangular operation

void OriginRules::Vd_ForneNFRemessa(bool required) {
    if (!EditingHeader() || form_.Header().TipoOper().IDOPTRIANGULAR != "S") return;
    const std::string number = RetSemMascara(text::Trim(ui_.dbeForneNFRemessa->Text()));
    if (number.empty()) {
        if (required) Refuse(ui_.dbeForneNFRemessa, "FORNE_NF_REMESSA_DEVE_INF");
        return;
    }
    db::TADOIBQuery& query = lookups_.qryVdForneNFRemessa;
    query.Close();
    query.ParamByName("P_NRINSJURFORN") = Variant(number);
    query.Open();
    if (query.IsEmpty()) Refuse(ui_.dbeForneNFRemessa, "FORNE_NF_REMESSA_NAO_CAD");
    TakeRemittanceSupplier(query);
}

void OriginRules::TakeRemittanceSupplier(const DataSet& supplier) {
    DataSet& nf = data_.cdsNotaFiscal;
    if (!InEdit(nf)) nf.Edit();
    nf.FieldByName("CDFORNECEDREME").SetAsString(FieldText(supplier, "CDFORNECED"));
    nf.FieldByName("IDTPIJURFORREME").SetAsString(FieldText(supplier, "IDTPIJURFORN"));
    nf.FieldByName("NRINSJURFORREME").SetAsString(FieldText(supplier, "NRINSJURFORN"));
}

void OriginRules::Vd_NumeroNFRemessa(bool required) {
    if (!EditingHeader() || form_.Header().TipoOper().IDOPTRIANGULAR != "S") return;
    const std::string number = text::Trim(ui_.dbeNumNFRemessa->Text());
    if (number.empty()) {
        if (required) Refuse(ui_.dbeNumNFRemessa, "NUM_NF_REMESSA_DEVE_INF");
        return;
    }
    // The key filter keeps typing to digits; a pasted text is checked here.
    if (number.find_first_not_of("0123456789") != std::string::npos)
        Refuse(ui_.dbeNumNFRemessa, "NUM_NF_REMESSA_INV");
    data_.cdsNotaFiscal.FieldByName("NRNFREMESSA").SetAsString(number);
}

void OriginRules::btpForneNFRemessaBeforePesq(bool& proceed) {
    lookups_.qryForneNFRemessa.Close();
    lookups_.qryForneNFRemessa.Open();
    proceed = true;
}

void OriginRules::btpForneNFRemessaAfterPesq() {
    TakeRemittanceSupplier(lookups_.qryForneNFRemessa);
}

} // namespace dfe::dfe11000
