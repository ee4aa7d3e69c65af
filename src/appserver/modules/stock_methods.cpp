#include "appserver/modules/stock_methods.h"

#include "platform/core/date_time.h"
#include "platform/core/text.h"
#include "platform/db/sql_date.h"
#include "platform/net/connection_names.h"

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

} // namespace

void RegisterStockMethods(MethodRegistry& registry) {
    registry.Add(net::kEstoque, "ValidaInventario", MethodKind::Read, ValidaInventario);
}

} // namespace dfe::appserver
