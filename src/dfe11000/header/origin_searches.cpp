// The origin candidates the server finds for the typed or searched reference, and the searches over them.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/header/origin_rules.h"
#include "dfe11000/header/participant_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
#include "platform/net/origin_calls.h"
#include "support/current_dialogs.h"

namespace dfe::dfe11000 {
namespace {

// A candidate's key in the selection text of the origin list: branch, " - ", posting number.
constexpr size_t kListedKeyWidth = 17;
constexpr char kListSeparator = '_';

void KeepFilter(const net::OriginIssuer& issuer) {
    ModuleState& state = Cli_dfe11000();
    state.stTp = issuer.personType;
    state.stNr = issuer.number;
    state.stFili = issuer.issuingBranch;
}

bool HasRows(const DataSet& ds) {
    return ds.Active() && !ds.IsEmpty();
}

} // namespace

bool OriginRules::GetNFOrigem(const std::string& number, const std::string& series, OriginSearch search) {
    const OriginFilter filter = IssuerFilter(Participant(), search);
    net::GetNFOrigemArgs call;
    data_.cdsNFOrigem.SetData(server_.Call(server_.netLancNFEntrada, net::GetNFOrigemArgs::kMethod, [&] {
        call = net::GetNFOrigemArgs{number,
                                    number.empty() ? "T" : "",
                                    series,
                                    series.empty() ? "T" : "",
                                    ui_.medCdFilial->Text(),
                                    filter.issuer};
        return net::ToCallArgs(call);
    }));
    KeepFilter(call.issuer);
    return HasRows(data_.cdsNFOrigem);
}

bool OriginRules::GetNFOrigSaid(const std::string& series, const std::string& number,
                                const std::string& anySeries, const std::string& anyNumber,
                                OriginSearch search) {
    const OriginFilter filter = IssuerFilter(Participant(), search);
    const OperationType& type = form_.Header().TipoOper();
    net::GetNFOrigSaidArgs call;
    data_.cdsNFOrigSaid.SetData(server_.Call(server_.netLancNFEntrada, net::GetNFOrigSaidArgs::kMethod, [&] {
        call = net::GetNFOrigSaidArgs{filter.branch,
                                      filter.issuer,
                                      series,
                                      number,
                                      stModOrigEntr,
                                      stModOrigSaid,
                                      ui_.dbeCdTipoOper->Text(),
                                      Variant(type.IDDCORIGRELAC),
                                      Variant(type.IDNFESTCANC),
                                      anySeries,
                                      anyNumber};
        return net::ToCallArgs(call);
    }));
    KeepFilter(call.issuer);
    return HasRows(data_.cdsNFOrigSaid);
}

void OriginRules::GetNFOrigLista(const net::OriginIssuer& issuer) {
    const OperationType& type = form_.Header().TipoOper();
    net::GetNFOrigListaArgs call;
    data_.cdsNFOrigLista.SetData(
        server_.Call(server_.netLancNFEntrada, net::GetNFOrigListaArgs::kMethod, [&] {
            call = net::GetNFOrigListaArgs{ui_.medCdFilial->Text(),
                                           issuer,
                                           stModOrigEntr,
                                           stModOrigSaid,
                                           FieldText(data_.cdsRomaneioNF, "CDTIPOOPER"),
                                           Variant(type.IDDCORIGRELAC)};
            return net::ToCallArgs(call);
        }));
}

// Refreshes the related documents with the stored ones before a search, unless the clerk has typed some not
// stored yet: those would be lost.
void OriginRules::ReloadRelated(const net::OriginIssuer& issuer) {
    DataSet& related = data_.cdsItemNotaFisc;
    if (related.Active() && (InEdit(related) || related.ChangeCount() > 0)) return;
    KeepFilter(issuer);
    form_.Loader().GetItemNotaFisc();
}

// ---- The incoming origin's search

void OriginRules::btpNotaFiscOrigemBeforePesq(bool& proceed) {
    if (EditingHeader()) form_.Participants().Vd_Origem();
    const OriginFilter filter = IssuerFilter(Participant(), OriginSearch::ComplementSearch);
    ReloadRelated(filter.issuer);
    GetNFOrigem("", "", OriginSearch::ComplementSearch);
    proceed = true;
}

void OriginRules::btpNotaFiscOrigemAfterPesq() {
    const DataSet& chosen = data_.cdsNFOrigem;
    EditRelated();
    DataSet& related = data_.cdsItemNotaFisc;
    related.FieldByName("NRNOTAFISC").SetAsString(FieldText(chosen, "NRNOTAFISC"));
    related.FieldByName("CDSERIEENTR").SetAsString(FieldText(chosen, "CDSERIEENTR"));
    related.FieldByName("NRLANCTONFIT").SetAsString(FieldText(chosen, "NRLANCTONF"));
    related.FieldByName("CDFILIALIT").SetAsString(FieldText(chosen, "CDFILIAL"));
    Cli_dfe11000().boAjustaNr = false;
}

// ---- The outgoing origin's search

void OriginRules::btpNFSaidaBeforePesq(bool& proceed) {
    if (EditingHeader()) form_.Participants().Vd_Origem();
    const OriginFilter filter = IssuerFilter(Participant(), OriginSearch::ReturnSearch);
    ReloadRelated(filter.issuer);
    TipoOrigem();
    GetNFOrigSaid("", "L", "T", "T", OriginSearch::ReturnSearch);
    proceed = true;
}

void OriginRules::btpNFSaidaAfterPesq() {
    const DataSet& chosen = data_.cdsNFOrigSaid;
    EditRelated();
    DataSet& related = data_.cdsItemNotaFisc;
    related.FieldByName("NRNOTAFISC").SetAsString(FieldText(chosen, "NRNOTAFISC"));
    related.FieldByName("CDSERIE").SetAsString(FieldText(chosen, "CDSERIE"));
    related.FieldByName("NRLANCTONFIT").SetAsString(FieldText(chosen, "NRLANCTONF"));
    related.FieldByName("CDFILIALIT").SetAsString(FieldText(chosen, "CDFILIAL"));
    Cli_dfe11000().boAjustaNr = false;
}

// ---- The origin list of a return

void OriginRules::btpListaClick() {
    const OriginFilter filter = IssuerFilter(Participant(), OriginSearch::ReturnList);
    TipoOrigem();
    ReloadRelated(filter.issuer);
    GetNFOrigLista(filter.issuer);

    MultiSelectRequest request;
    request.title = ui_.btpNFSaida->Title() + "|" + ui_.btpNFSaida->EmptyError();
    DataSet& candidates = data_.cdsNFOrigLista;
    for (candidates.First(); !candidates.Eof(); candidates.Next()) {
        request.items.push_back(MultiSelectItem{FieldText(candidates, "DSLANCAMENTO"),
                                                "Série " + FieldText(candidates, "CDSERIE") + "  Nº " +
                                                    FieldText(candidates, "NRNOTAFISC") + "  " +
                                                    candidates.FieldByName("DTEMISSAO").DisplayText() + "  " +
                                                    candidates.FieldByName("VRNOTAFISC").DisplayText()});
    }
    candidates.First();
    std::string& selection = Cli_dfe11000().stListDevol;
    if (!request.items.empty()) {
        for (size_t at = 0; at + 1 + kListedKeyWidth <= selection.size(); at += 1 + kListedKeyWidth)
            request.preselected.push_back(selection.substr(at + 1, kListedKeyWidth));
        if (const auto chosen = support::CurrentDialogs().SelectMany(request)) {
            selection.clear();
            for (const std::string& key : *chosen)
                selection += kListSeparator + key;
            AddListedOrigins(selection);
        }
    } else {
        support::CurrentDialogs().ShowError(ErrorRequest{ui_.btpNFSaida->EmptyError(), {}, {}});
    }
    form_.Loader().Atualiza_stExisteDadosNF();
}

void OriginRules::AddListedOrigins(const std::string& selection) {
    DataSet& candidates = data_.cdsNFOrigLista;
    DataSet& related = data_.cdsItemNotaFisc;
    candidates.SetFiltered(false);
    if (!related.Active()) related.CreateDataSet();
    for (size_t at = 0; at + 1 < selection.size(); at += 1 + kListedKeyWidth) {
        const std::string key = selection.substr(at + 1, kListedKeyWidth);
        if (!candidates.Locate("DSLANCAMENTO", Variant(key))) continue;
        const std::string branch = FieldText(candidates, "CDFILIAL");
        const std::string posting = FieldText(candidates, "NRLANCTONF");
        if (InEdit(related)) related.Cancel();
        if (related.Locate("CDFILIALIT;NRLANCTONFIT", {Variant(branch), Variant(posting)})) continue;
        related.Append();
        related.FieldByName("CDFILIALIT").SetAsString(branch);
        related.FieldByName("NRLANCTONFIT").SetAsString(posting);
        related.Post();
    }
    if (!selection.empty()) form_.Loader().GetItemProduto();
}

} // namespace dfe::dfe11000
