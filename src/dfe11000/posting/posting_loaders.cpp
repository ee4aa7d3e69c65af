// The partial loaders: each reads one part of the posting with one server call under the retry policy,
// showing which part it is receiving.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "dfe11000/module/module_helpers.h"
#include "dfe11000/posting/posting_loader.h"
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

std::pair<std::string, std::string> PostingLoader::PostingKey() const {
    const DataSet& source = data_.cdsRomaneioNF.Active() && !data_.cdsRomaneioNF.IsEmpty()
                                ? data_.cdsRomaneioNF
                                : data_.cdsNotaFiscal;
    return {FieldText(source, "CDFILIAL"), FieldText(source, "NRLANCTONF")};
}

std::string PostingLoader::GetNFText(const char* part) const {
    std::string text = form_.msgPadrao.Msg("GetNF");
    if (const size_t at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, form_.msgPadrao.Msg(part));
    return text;
}

void PostingLoader::RunLoader(const char* method, const char* part, DataSet& target,
                              const std::function<net::CallArgs(std::deque<std::string>&)>& build) {
    ArgStore store;
    CallOptions options;
    options.busyText = *part ? GetNFText(part) : "";
    options.retry = true;
    target.SetData(server_.Call(
        server_.netLancNFEntrada, method,
        [&] {
            store.clear();
            return build(store);
        },
        options));
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

void PostingLoader::GetNotaFiscal() {
    RunLoader("GetNotaFiscal", "Corpo", data_.cdsNotaFiscal, KeyArgs(PostingKey()));
    data_.cdsNotaFiscalAux.CopyDataFrom(data_.cdsNotaFiscal);
}

void PostingLoader::GetItemEncargo() {
    RunLoader("GetItemEncargo", "Encargos", data_.cdsItemEncargo, KeyArgs(PostingKey()));
}

void PostingLoader::GetContaPagar() {
    RunLoader("GetContaPagar", "CtPagar", data_.cdsContaPagar, KeyArgs(PostingKey()));
}

void PostingLoader::GetContaPagarOfHeader() {
    RunLoader(
        "GetContaPagar", "CtPagar", data_.cdsContaPagar,
        KeyArgs({FieldText(data_.cdsNotaFiscal, "CDFILIAL"), FieldText(data_.cdsNotaFiscal, "NRLANCTONF")}));
}

void PostingLoader::GetDadosAdic() {
    RunLoader("GetDadosAdic", "DadosAdic", data_.cdsDadosAdic, KeyArgs(PostingKey()));
}

void PostingLoader::GetImposNFTot() {
    RunLoader("GetImposNFTot", "ImpostNFTot", data_.cdsImposNFTot,
              KeyArgs(PostingKey(), {FieldText(data_.cdsNotaFiscal, "CDFORNECED")}));
}

void PostingLoader::GetItemProImpos() {
    RunLoader("GetItemProImpos", "ImpostNFProd", data_.cdsItemProImpos, KeyArgs(PostingKey()));
}

void PostingLoader::GetItemNotaFisc() {
    const ModuleState& state = Cli_dfe11000();
    RunLoader("GetItemNotaFisc", "ItemNotaFisc", data_.cdsItemNotaFisc,
              [key = PostingKey(), tp = state.stTp, nr = state.stNr, fili = state.stFili](ArgStore& s) {
                  net::CallArgs args;
                  args.Str(key.first).Str(key.second);
                  args.StrRef(Keep(s, tp)).StrRef(Keep(s, nr)).StrRef(Keep(s, fili));
                  return args;
              });
}

void PostingLoader::GetItensNFOrig() {
    RunLoader("GetItensNFOrig", "Itens", data_.cdsItensNFOrig, [key = PostingKey()](ArgStore&) {
        net::CallArgs args;
        args.Str(key.first).Str(key.second);
        return args;
    });
}

void PostingLoader::GetItemProduto() {
    ModuleState& state = Cli_dfe11000();
    if (form_.Header().TipoOper().IDOPERDEVONF == "S" && ui_.rbtLista->Checked()) GetItensNFOrig();
    RunLoader("GetItemProduto", "Itens", data_.cdsItemProduto,
              [this, key = PostingKey(), orig = state.stNFOrig, tpOper = state.stTpOper](ArgStore& s) {
                  net::CallArgs args;
                  args.StrRef(Keep(s, key.first)).StrRef(Keep(s, key.second));
                  args.StrRef(Keep(s, orig)).StrRef(Keep(s, tpOper));
                  args.Var(Variant(form_.Header().TipoOper().IDNFESTCANC))
                      .Var(Variant(form_.Header().TipoOper().IDNFRETIND));
                  return args;
              });
}

void PostingLoader::GetItemNFOrigem(const std::string& originKey, const std::string& originBranch,
                                    const std::string& originNumber) {
    RunLoader("GetItemNFOrigem", "Itens", data_.cdsItemNFOrigem, [=](ArgStore& s) {
        net::CallArgs args;
        args.StrRef(Keep(s, originKey)).StrRef(Keep(s, originBranch)).StrRef(Keep(s, originNumber));
        return args;
    });
}

void PostingLoader::GetNFRelacAF() {
    RunLoader("GetNFRelacAF", "", data_.cdsNFRelacAF, [key = PostingKey()](ArgStore&) {
        net::CallArgs args;
        args.Str(key.first).Str(key.second);
        return args;
    });
}

void PostingLoader::GetListServProd() {
    RunLoader("GetListServProd", "", data_.cdsListServProd, [](ArgStore&) { return net::CallArgs(); });
}

} // namespace dfe::dfe11000
