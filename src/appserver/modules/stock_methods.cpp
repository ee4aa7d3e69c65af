#include "appserver/modules/stock_methods.h"

#include "appserver/modules/call_arguments.h"
#include "platform/core/date_time.h"
#include "platform/core/text.h"
#include "platform/db/sql_date.h"
#include "platform/net/connection_names.h"

#include <optional>

namespace dfe::appserver {
namespace {

// Refuses while an inventory of the branch is open on or before the date: its stock may not move until the
// count closes. Answers "" otherwise.
Variant ValidaInventario(MethodContext& call) {
    call.ExpectArgs(2);
    const std::string branch = text::Trim(call.Text(0));
    const DateTime date = call.Arg(1).AsDateTime();
    const Packet open = call.Db().Query("SELECT MIN(DTINVENTARIO) AS DTINVENTARIO FROM INVENTARIO"
                                        " WHERE CDFILIAL = :P_CDFILIAL AND IDSITUINVE = 'A'"
                                        " AND DTINVENTARIO <= :P_DATA",
                                        {{"P_CDFILIAL", branch}, {"P_DATA", Variant(date)}});
    if (!open.rows.empty() && !open.rows[0].values[0].IsNull()) {
        const Variant& since = open.rows[0].values[0];
        // An aggregate may come back as the stored text rather than a date.
        std::optional<DateTime> day;
        if (since.Type() == VariantType::DateTime)
            day = since.AsDateTime();
        else
            day = db::ParseSqlDate(since.AsString());
        const std::string when = day ? day->Format("dd/mm/yyyy") : since.AsString();
        throw MethodRefusal("Existe inventário em aberto na filial " + branch + " desde " + when +
                            ". Movimentação de estoque bloqueada até o encerramento do inventário.");
    }
    return Variant("");
}

// Refuses an entry date up to the branch's last closed stock period; the client asks only when the posting
// has not been released. Answers "" otherwise.
Variant Confirma_Liberacao(MethodContext& call) {
    ExpectArgCount(call, 2, 2);
    const std::string branch = CodeArg(call, 0, 4, "filial");
    const std::optional<DateTime> entry = DateArg(call, 1, "data de entrada");
    if (!entry) return Variant("");
    const Packet closed = call.Db().Query("SELECT DTFECHAMENTO FROM FECHAESTOQUE WHERE CDFILIAL = :P_CDFILIAL"
                                          " AND DTFECHAMENTO >= :P_DATA ORDER BY DTFECHAMENTO DESC",
                                          {{"P_CDFILIAL", branch}, {"P_DATA", Variant(*entry)}});
    if (closed.rows.empty()) return Variant("");
    const Variant& until = closed.rows[0].values[0];
    const std::optional<DateTime> day = until.Type() == VariantType::DateTime
                                            ? std::optional(until.AsDateTime())
                                            : db::ParseSqlDate(until.AsString());
    throw MethodRefusal("Período de estoque da filial " + branch + " fechado até " +
                        (day ? day->Format("dd/mm/yyyy") : until.AsString()) + ". A data de entrada " +
                        entry->Format("dd/mm/yyyy") + " precisa de liberação do estoque.");
}

// Refuses a warehouse or location the branch does not have, and a warehouse kept for other operators.
// Answers "" when the operator may receive goods there.
Variant HabilitaOperador(MethodContext& call) {
    ExpectArgCount(call, 4, 4);
    const std::string branch = CodeArg(call, 0, 4, "filial");
    const std::string op = CodeArg(call, 1, 12, "operador");
    const std::string location = CodeArg(call, 2, 6, "localização");
    const std::string warehouse = CodeArg(call, 3, 6, "almoxarifado");
    if (warehouse.empty()) return Variant("");
    db::Database& db = call.Db();
    const db::SqlParams key{{"P_CDFILIAL", branch},
                            {"P_CDALMOXARIFE", warehouse},
                            {"P_CDLOCALESTOQ", location},
                            {"P_CDOPERADOR", op}};
    if (db.Query("SELECT 1 FROM ALMOXARIFADO WHERE CDFILIAL = :P_CDFILIAL AND CDALMOXARIFE = :P_CDALMOXARIFE",
                 key)
            .rows.empty())
        throw MethodRefusal("Almoxarifado " + warehouse + " não cadastrado na filial " + branch + ".");
    if (!location.empty() &&
        db.Query("SELECT 1 FROM LOCALESTOQUE WHERE CDFILIAL = :P_CDFILIAL"
                 " AND CDALMOXARIFE = :P_CDALMOXARIFE AND CDLOCALESTOQ = :P_CDLOCALESTOQ",
                 key)
            .rows.empty())
        throw MethodRefusal("Localização " + location + " não cadastrada no almoxarifado " + warehouse + ".");
    const Packet listed = db.Query("SELECT CDOPERADOR FROM OPERALMOXARIFE WHERE CDFILIAL = :P_CDFILIAL"
                                   " AND CDALMOXARIFE = :P_CDALMOXARIFE",
                                   key);
    bool allowed = listed.rows.empty();
    for (const PacketRow& row : listed.rows)
        allowed = allowed || text::Trim(row.values[0].AsString()) == op;
    if (!allowed)
        throw MethodRefusal("Operador " + op + " não habilitado para o almoxarifado " + warehouse +
                            " da filial " + branch + ".");
    return Variant("");
}

} // namespace

void RegisterStockMethods(MethodRegistry& registry) {
    registry.Add(net::kEstoque, "ValidaInventario", MethodKind::Read, ValidaInventario);
    registry.Add(net::kEstoque, "HabilitaOperador", MethodKind::Read, HabilitaOperador);
    registry.Add(net::kEstoque, "Confirma_Liberacao", MethodKind::Read, Confirma_Liberacao);
}

} // namespace dfe::appserver
