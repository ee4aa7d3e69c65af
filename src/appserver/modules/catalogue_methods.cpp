#include "appserver/modules/catalogue_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/layout_query.h"
#include "platform/net/connection_names.h"

namespace dfe::appserver {
namespace {

Variant Flag(bool on) {
    return Variant(on ? "S" : "N");
}

bool Exists(db::Database& db, std::string_view sql, const db::SqlParams& params) {
    return !db.Query(sql, params).rows.empty();
}

// A stock product at a branch: the catalogue row's key. An empty branch or product names no row.
db::SqlParams BranchProduct(const MethodContext& call, std::string_view branchWhat) {
    return {{"P_CDFILIAL", CodeArg(call, 0, 4, branchWhat)},
            {"P_CDPRODUTO", CodeArg(call, 1, 10, "produto de estoque")}};
}

// The layout's columns of the branch's catalogue row of the stock product (branch, product): none or one row.
Variant CatalogueRow(MethodContext& call, const PacketLayout& layout, std::string_view branchWhat) {
    ExpectArgCount(call, 2, 2);
    return Variant(QueryPacket(call.Db(), layout,
                               "SELECT " + SelectList(layout, "C") +
                                   " FROM PRODUTOFILIAL C WHERE C.CDFILIAL = :P_CDFILIAL"
                                   " AND C.CDPRODUTO = :P_CDPRODUTO",
                               BranchProduct(call, branchWhat)));
}

// Whether the stock product is controlled by lot at the movement branch. The movement branch is empty until
// the item's placement gives it: no row then.
Variant GetProdFili(MethodContext& call) {
    return CatalogueRow(call, VerifLoteLayout(), "filial de movimentação");
}

// The lot, manufacturing and expiry dates the received NF-e declares for the item.
Variant GetDadosLoteXML(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    return Variant(QueryPacket(call.Db(), DadosLoteXMLLayout(),
                               "SELECT NRLOTEPRODXML, DTFABPRODXML, DTVALPRODXML FROM NFEITEMLOTE"
                               " WHERE NRACESSONFE = :P_NRACESSONFE AND NRSEQITPROD = :P_NRSEQITPROD",
                               {{"P_NRACESSONFE", CodeArg(call, 0, 50, "chave de acesso")},
                                {"P_NRSEQITPROD", CodeArg(call, 1, 4, "sequência do item")}}));
}

// The active products a service code may be posted with, by code.
Variant GetProdRelacServ(MethodContext& call) {
    ExpectArgCount(call, 1, 1);
    return Variant(QueryPacket(call.Db(), ProdRelacServLayout(),
                               "SELECT P.CDPRODUTO, P.CDARVPROD, P.NMPRODUTO, P.SGUNIDADE, P.CDPRODESTO"
                               " FROM PRODSERVICO S JOIN PRODUTO P ON P.CDPRODUTO = S.CDPRODUTO"
                               " WHERE S.CDSERVICOPROD = :P_CDSERVICOPROD AND P.IDPRODATIVPR = 'S'"
                               " ORDER BY P.CDARVPROD",
                               {{"P_CDSERVICOPROD", CodeArg(call, 0, 30, "código de serviço")}}));
}

Variant Utiliza_ControleFiscal(MethodContext& call) {
    ExpectArgCount(call, 1, 1);
    return Flag(Exists(call.Db(), "SELECT 1 FROM FILIAL WHERE CDFILIAL = :P_CDFILIAL AND IDUTCTRLFISC = 'S'",
                       {{"P_CDFILIAL", CodeArg(call, 0, 4, "filial")}}));
}

// The warehouse and location the branch's receipts of the stock product are proposed into.
Variant GetProdFiliNFE(MethodContext& call) {
    return CatalogueRow(call, ProdFiliLayout(), "filial");
}

// A product the branch's catalogue does not list is kept in no stock there.
Variant Produto_Ctrl_Estoque(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    return Flag(Exists(call.Db(),
                       "SELECT 1 FROM PRODUTOFILIAL WHERE CDFILIAL = :P_CDFILIAL AND CDPRODUTO = :P_CDPRODUTO"
                       " AND IDCTRLESTOQUE = 'S'",
                       BranchProduct(call, "filial")));
}

// A branch uses locations, or warehouses, when it has any.
Variant Utiliza_LocalEstoque(MethodContext& call) {
    ExpectArgCount(call, 1, 1);
    return Flag(Exists(call.Db(), "SELECT 1 FROM LOCALESTOQUE WHERE CDFILIAL = :P_CDFILIAL",
                       {{"P_CDFILIAL", CodeArg(call, 0, 4, "filial")}}));
}

Variant Utiliza_Almoxarifado(MethodContext& call) {
    ExpectArgCount(call, 1, 1);
    return Flag(Exists(call.Db(), "SELECT 1 FROM ALMOXARIFADO WHERE CDFILIAL = :P_CDFILIAL",
                       {{"P_CDFILIAL", CodeArg(call, 0, 4, "filial")}}));
}

} // namespace

void RegisterCatalogueMethods(MethodRegistry& registry) {
    registry.Add(net::kLancNFEntrada, "GetProdFili", MethodKind::Read, GetProdFili);
    registry.Add(net::kLancNFEntrada, "GetDadosLoteXML", MethodKind::Read, GetDadosLoteXML);
    registry.Add(net::kLancNFEntrada, "GetProdRelacServ", MethodKind::Read, GetProdRelacServ);
    registry.Add(net::kLancNFEntrada, "Utiliza_ControleFiscal", MethodKind::Read, Utiliza_ControleFiscal);
    registry.Add(net::kEstoque, "GetProdFiliNFE", MethodKind::Read, GetProdFiliNFE);
    registry.Add(net::kEstoque, "Produto_Ctrl_Estoque", MethodKind::Read, Produto_Ctrl_Estoque);
    registry.Add(net::kEstoque, "Utiliza_LocalEstoque", MethodKind::Read, Utiliza_LocalEstoque);
    registry.Add(net::kEstoque, "Utiliza_Almoxarifado", MethodKind::Read, Utiliza_Almoxarifado);
}

} // namespace dfe::appserver
