// The partial loaders: each reads one part of the posting with one server call under the retry policy,
// showing which part it is receiving.
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/posting/row_fields.h"
#include "dfe11000/server/server_gateway.h"
#include "platform/net/check_result.h"
#include "support/show_avi.h"

#include <deque>

namespace dfe::dfe11000 {
namespace {

// By-reference arguments need variables that outlive the call; each attempt gets fresh ones.
using ArgStore = std::deque<std::string>;
using BuildArgs = std::function<net::CallArgs(ArgStore&)>;

std::string& Keep(ArgStore& store, std::string value) {
    store.push_back(std::move(value));
    return store.back();
}

} // namespace

std::pair<std::string, std::string> TfrmLancNFEntrada::PostingKey() const {
    const DataSet& source =
        cdsRomaneioNF.Active() && !cdsRomaneioNF.IsEmpty() ? cdsRomaneioNF : cdsNotaFiscal;
    return {FieldText(source, "CDFILIAL"), FieldText(source, "NRLANCTONF")};
}

std::string TfrmLancNFEntrada::GetNFText(const char* part) const {
    std::string text = msgPadrao.Msg("GetNF");
    if (const size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, msgPadrao.Msg(part));
    return text;
}

void TfrmLancNFEntrada::RunLoader(const char* method, const char* part, DataSet& target,
                                  const std::function<net::CallArgs(std::deque<std::string>&)>& build) {
    net::ConnectionReference reference(References(), netLancNFEntrada);
    support::ShowAviScope busy(App().MainForm(), support::kAviCopiando, *part ? GetNFText(part) : "");
    Variant answer;
    RunWithRetry(netLancNFEntrada, [&] {
        ArgStore store;
        answer = net::CheckResultServ(netLancNFEntrada.Call(method, build(store)));
    });
    target.SetData(answer);
}

namespace {

// Branch and posting number, by reference.
BuildArgs KeyArgs(std::pair<std::string, std::string> key, std::vector<std::string> more = {}) {
    return [key = std::move(key), more = std::move(more)](ArgStore& s) {
        net::CallArgs args;
        args.StrRef(Keep(s, key.first)).StrRef(Keep(s, key.second));
        for (const std::string& m : more)
            args.StrRef(Keep(s, m));
        return args;
    };
}

} // namespace

void TfrmLancNFEntrada::GetNotaFiscal() {
    RunLoader("GetNotaFiscal", "Corpo", cdsNotaFiscal, KeyArgs(PostingKey()));
    cdsNotaFiscalAux.CopyDataFrom(cdsNotaFiscal);
}

void TfrmLancNFEntrada::GetItemEncargo() {
    RunLoader("GetItemEncargo", "Encargos", cdsItemEncargo, KeyArgs(PostingKey()));
}

void TfrmLancNFEntrada::GetContaPagar() {
    RunLoader("GetContaPagar", "CtPagar", cdsContaPagar, KeyArgs(PostingKey()));
}

void TfrmLancNFEntrada::GetDadosAdic() {
    RunLoader("GetDadosAdic", "DadosAdic", cdsDadosAdic, KeyArgs(PostingKey()));
}

void TfrmLancNFEntrada::GetImposNFTot() {
    RunLoader("GetImposNFTot", "ImpostNFTot", cdsImposNFTot,
              KeyArgs(PostingKey(), {FieldText(cdsNotaFiscal, "CDFORNECED")}));
}

void TfrmLancNFEntrada::GetItemProImpos() {
    RunLoader("GetItemProImpos", "ImpostNFProd", cdsItemProImpos, KeyArgs(PostingKey()));
}

void TfrmLancNFEntrada::GetItemNotaFisc() {
    const ModuleState& state = Cli_dfe11000();
    RunLoader("GetItemNotaFisc", "ItemNotaFisc", cdsItemNotaFisc,
              [key = PostingKey(), tp = state.stTp, nr = state.stNr, fili = state.stFili](ArgStore& s) {
                  net::CallArgs args;
                  args.Str(key.first).Str(key.second);
                  args.StrRef(Keep(s, tp)).StrRef(Keep(s, nr)).StrRef(Keep(s, fili));
                  return args;
              });
}

void TfrmLancNFEntrada::GetItensNFOrig() {
    RunLoader("GetItensNFOrig", "Itens", cdsItensNFOrig, [key = PostingKey()](ArgStore&) {
        net::CallArgs args;
        args.Str(key.first).Str(key.second);
        return args;
    });
}

void TfrmLancNFEntrada::GetItemProduto() {
    ModuleState& state = Cli_dfe11000();
    if (TipoOperElem(0) == "S" && rbtLista->Checked()) GetItensNFOrig();
    RunLoader("GetItemProduto", "Itens", cdsItemProduto,
              [this, key = PostingKey(), orig = state.stNFOrig, tpOper = state.stTpOper](ArgStore& s) {
                  net::CallArgs args;
                  args.StrRef(Keep(s, key.first)).StrRef(Keep(s, key.second));
                  args.StrRef(Keep(s, orig)).StrRef(Keep(s, tpOper));
                  args.Var(Variant(TipoOperElem(8))).Var(Variant(TipoOperElem(14)));
                  return args;
              });
}

void TfrmLancNFEntrada::GetItemNFOrigem(const std::string& originKey, const std::string& originBranch,
                                        const std::string& originNumber) {
    RunLoader("GetItemNFOrigem", "Itens", cdsItemNFOrigem, [=](ArgStore& s) {
        net::CallArgs args;
        args.StrRef(Keep(s, originKey)).StrRef(Keep(s, originBranch)).StrRef(Keep(s, originNumber));
        return args;
    });
}

void TfrmLancNFEntrada::GetNFRelacAF() {
    RunLoader("GetNFRelacAF", "", cdsNFRelacAF, [key = PostingKey()](ArgStore&) {
        net::CallArgs args;
        args.Str(key.first).Str(key.second);
        return args;
    });
}

void TfrmLancNFEntrada::GetListServProd() {
    RunLoader("GetListServProd", "", cdsListServProd, [](ArgStore&) { return net::CallArgs(); });
}

} // namespace dfe::dfe11000
