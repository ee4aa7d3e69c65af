#include "appserver/modules/stock_lot_methods.h"

#include "appserver/modules/call_arguments.h"
#include "appserver/modules/layout_query.h"
#include "platform/net/connection_names.h"

namespace dfe::appserver {
namespace {

// "S" when the branch's catalogue keeps the stock product by lot, else "N" (also for a product the branch
// does not list).
Variant Produto_Ctrl_Lote(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const std::string branch = CodeArg(call, 0, 4, "filial");
    const std::string product = CodeArg(call, 1, 10, "produto de estoque");
    const Packet found = call.Db().Query("SELECT IDUTCTRLLOTE FROM PRODUTOFILIAL WHERE CDFILIAL = :P_CDFILIAL"
                                         " AND CDPRODUTO = :P_CDPRODUTO AND IDUTCTRLLOTE = 'S'",
                                         {{"P_CDFILIAL", branch}, {"P_CDPRODUTO", product}});
    return Variant(found.rows.empty() ? "N" : "S");
}

const PacketLayout& LotesEstoqueLayout() {
    static const PacketLayout layout = {
        FieldDef{"NRLOTEESTQ", FieldType::String, 20}, FieldDef{"NRSUBLOTE", FieldType::String, 4},
        FieldDef{"DTFABRICACAO", FieldType::DateTime}, FieldDef{"DTVALIDADE", FieldType::DateTime}};
    return layout;
}

// The lots of the stock product at the branch, by lot and sub-lot.
Variant GetLotesEstoque(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const std::string branch = CodeArg(call, 0, 4, "filial");
    const std::string product = CodeArg(call, 1, 10, "produto de estoque");
    return Variant(QueryPacket(call.Db(), LotesEstoqueLayout(),
                               "SELECT NRLOTEESTQ, NRSUBLOTE, DTFABRICACAO, DTVALIDADE FROM LOTEESTOQUE"
                               " WHERE CDFILIAL = :P_CDFILIAL AND CDPRODESTO = :P_CDPRODESTO"
                               " ORDER BY NRLOTEESTQ, NRSUBLOTE",
                               {{"P_CDFILIAL", branch}, {"P_CDPRODESTO", product}}));
}

} // namespace

void RegisterStockLotMethods(MethodRegistry& registry) {
    registry.Add(net::kEstoque, "Produto_Ctrl_Lote", MethodKind::Read, Produto_Ctrl_Lote);
    registry.Add(net::kEstoque, "GetLotesEstoque", MethodKind::Read, GetLotesEstoque);
}

} // namespace dfe::appserver
