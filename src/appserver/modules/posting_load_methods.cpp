#include "appserver/modules/posting_load_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/layout_query.h"
#include "appserver/modules/origin_key_list.h"
#include "appserver/modules/parameter_methods.h"
#include "appserver/modules/posting_calls.h"
#include "appserver/modules/posting_readers.h"
#include "platform/net/connection_names.h"

namespace dfe::appserver {
namespace {

using Reader = DataPacket (*)(db::Database&, const PostingKey&);

// The part loaders that take only the posting's key.
template <Reader read> Variant LoadPart(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    return Variant(read(call.Db(), PostingKeyArgs(call)));
}

// The related rows are the posting's own, so the participant filter is only checked.
Variant GetItemNotaFisc(MethodContext& call) {
    ExpectArgCount(call, 5, 5);
    const PostingKey key = PostingKeyArgs(call);
    ParticipantArgs(call, 2);
    return Variant(ReadItemNotaFisc(call.Db(), key));
}

// The third argument is the header's supplier, sent by the refresh after closing; the totals are the
// posting's own whoever the supplier is.
Variant GetImposNFTot(MethodContext& call) {
    ExpectArgCount(call, 2, 3);
    const PostingKey key = PostingKeyArgs(call);
    if (call.ArgCount() == 3) CodeArg(call, 2, 21, "fornecedor");
    return Variant(ReadImposNFTot(call.Db(), key));
}

// The origin quantities and references are stored with each item, so the return arguments need no other
// reading than the items themselves.
Variant GetItemProduto(MethodContext& call) {
    ExpectArgCount(call, 6, 6);
    const PostingKey key = PostingKeyArgs(call);
    ScalarArg(call, 2, "notas de origem");
    CodeArg(call, 3, 1, "tipo de operação de devolução");
    ScalarArg(call, 4, "estorno de NF-e");
    ScalarArg(call, 5, "quantidade de origem");
    return Variant(ReadItemProduto(call.Db(), key));
}

// The origin items: "N" reads the single origin posting given by branch and number; any other key is the
// list of origin postings.
Variant GetItemNFOrigem(MethodContext& call) {
    ExpectArgCount(call, 3, 3);
    const std::string list = ScalarArg(call, 0, "documentos de origem");
    std::vector<PostingKey> origins;
    if (list == "N") {
        PostingKey single{CodeArg(call, 1, 4, "filial de origem"),
                          CodeArg(call, 2, 10, "lançamento de origem")};
        if (!single.branch.empty() && !single.number.empty()) origins.push_back(std::move(single));
    } else {
        origins = ParseOriginKeyList(list);
    }
    return Variant(ReadOriginItems(call.Db(), origins));
}

Variant GetCountNFOrig(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const PostingKey key = PostingKeyArgs(call);
    return Variant(QueryPacket(call.Db(), CountNFOrigLayout(),
                               "SELECT COUNT(*) AS NRREGISTROS FROM ITEMNFORIG"
                               " WHERE CDFILIAL = :P_CDFILIAL AND NRLANCTONF = :P_NRLANCTONF",
                               KeyParams(key)));
}

Variant GetListServProd(MethodContext& call) {
    ExpectArgCount(call, 0, 0);
    return Variant(QueryPacket(call.Db(), ListServProdLayout(),
                               "SELECT CDSERVICOPROD, DSSERVICOPROD FROM SERVICOPROD ORDER BY CDSERVICOPROD",
                               {}));
}

// The whole municipality table, for the CT-e and NF3-e municipality codes.
Variant GetIBGE(MethodContext& call) {
    ExpectArgCount(call, 0, 0);
    return Variant(QueryPacket(call.Db(), IbgeLayout(),
                               "SELECT CDIBGE, NMMUNICIPIO FROM MUNICIPIO"
                               " WHERE CDPAIS = '0055' AND CDIBGE IS NOT NULL ORDER BY CDIBGE",
                               {}));
}

// The items still in the posting (not marked deleted), in their order.
Variant GetProdAlmoLoca(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const PostingKey key = PostingKeyArgs(call);
    return Variant(QueryPacket(call.Db(), ProdAlmoLocaLayout(),
                               "SELECT P.CDARVPROD, I.CDPRODUTO, P.NMPRODUTO, I.CDALMOXARIFE, I.CDLOCALESTOQ,"
                               " I.NRLOTEESTQ, I.NRSUBLOTE FROM ITEMPRODUTO I"
                               " LEFT JOIN PRODUTO P ON P.CDPRODUTO = I.CDPRODUTO"
                               " WHERE I.CDFILIAL = :P_CDFILIAL AND I.NRLANCTONF = :P_NRLANCTONF"
                               " AND COALESCE(I.IDDELETE, 'N') <> 'S' ORDER BY I.NRSEQITPROD",
                               {{"P_CDFILIAL", key.branch}, {"P_NRLANCTONF", key.number}}));
}

// The postings replicated from this one: each names it (branch and number) as the document it copies.
Variant GetVerifReplic(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const PostingKey key = PostingKeyArgs(call);
    return Variant(QueryPacket(call.Db(), DevolucaoLayout(),
                               "SELECT CDFILIAL, NRLANCTONF FROM NOTAFISCAL WHERE IDDOCREPLIC = :P_DOC"
                               " AND COALESCE(IDSTATUS, 'P') <> 'C' ORDER BY CDFILIAL, NRLANCTONF",
                               {{"P_DOC", key.branch + key.number}}));
}

std::string MissingPostingText(const PostingKey& key) {
    return "Lançamento " + key.number + " da filial " + key.branch +
           " não encontrado. Ele pode ter sido excluído por outro usuário; atualize a lista.";
}

// The other arguments are the client's state, only checked: the answer is the stored posting whatever it is.
Variant GetNFDadosGerais(MethodContext& call) {
    const auto args = FromCall<net::GetNFDadosGeraisArgs>(call);
    const PostingKey key{args.branch, args.postingNumber};
    db::Database& db = call.Db();
    const std::optional<std::string> supplier = ReadPostingSupplier(db, key);
    if (!supplier) return Variant::Array({"N", MissingPostingText(key)});
    const Variant supplierAnswer = SupplierParameterAnswer(db, *supplier);
    const VariantArray& parameters = supplierAnswer.AsArray();
    if (parameters[0].AsString() != "S") return supplierAnswer;

    return net::AnswerWriter(net::kGetNFDadosGeraisAnswer)
        .Set("accepted", "S")
        .Set("message", "")
        .Set("cdsNotaFiscal", Variant(ReadNotaFiscal(db, key)))
        .Set("cdsItemNotaFisc", Variant(ReadItemNotaFisc(db, key)))
        .Set("cdsItemProduto", Variant(ReadItemProduto(db, key)))
        .Set("cdsItemEncargo", Variant(ReadItemEncargo(db, key)))
        .Set("cdsContaPagar", Variant(ReadContaPagar(db, key)))
        .Set("cdsDadosAdic", Variant(ReadDadosAdic(db, key)))
        .Set("cdsImposNFTot", Variant(ReadImposNFTot(db, key)))
        .Set("cdsItemProImpos", Variant(ReadItemProImpos(db, key)))
        .Set("cdsItensNFOrig", Variant(ReadItensNFOrig(db, key)))
        .Set("cdsNFRelacAF", Variant(ReadNFRelacAF(db, key)))
        // GetParamForn's answer: "S", then these three.
        .Set("cdsParamForne", parameters[1])
        .Set("stParamForn", parameters[2])
        .Set("cdsProdXFornDF", parameters[3])
        .Finish();
}

} // namespace

void RegisterPostingLoadMethods(MethodRegistry& registry) {
    const auto add = [&](const char* name, MethodFunction f) {
        registry.Add(net::kLancNFEntrada, name, MethodKind::Read, std::move(f));
    };
    add(net::GetNFDadosGeraisArgs::kMethod, GetNFDadosGerais);
    add("GetNotaFiscal", LoadPart<ReadNotaFiscal>);
    add("GetItemNotaFisc", GetItemNotaFisc);
    add("GetItemProduto", GetItemProduto);
    add("GetItemEncargo", LoadPart<ReadItemEncargo>);
    add("GetContaPagar", LoadPart<ReadContaPagar>);
    add("GetDadosAdic", LoadPart<ReadDadosAdic>);
    add("GetImposNFTot", GetImposNFTot);
    add("GetItemProImpos", LoadPart<ReadItemProImpos>);
    add("GetItensNFOrig", LoadPart<ReadItensNFOrig>);
    add("GetItemNFOrigem", GetItemNFOrigem);
    add("GetNFRelacAF", LoadPart<ReadNFRelacAF>);
    add("GetCountNFOrig", GetCountNFOrig);
    add("GetListServProd", GetListServProd);
    add("GetProdAlmoLoca", GetProdAlmoLoca);
    add("GetVerifReplic", GetVerifReplic);
    add("GetIBGE", GetIBGE);
}

} // namespace dfe::appserver
