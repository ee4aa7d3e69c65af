#include "appserver/modules/model_query.h"

#include "appserver/modules/layout_query.h"

namespace dfe::appserver {

DataPacket AllowedModels(db::Database& db, const PacketLayout& layout, const ModelFilter& filter) {
    std::string sql = "SELECT " + SelectList(layout, "M") +
                      " FROM MODDOCFISC M"
                      " WHERE (NOT EXISTS (SELECT 1 FROM MODDOCTIPOOPER T WHERE T.CDTIPOOPER = :P_CDTIPOOPER)"
                      " OR EXISTS (SELECT 1 FROM MODDOCTIPOOPER T WHERE T.CDTIPOOPER = :P_CDTIPOOPER"
                      " AND T.CDMODDOCFISC = M.CDMODDOCFISC))";
    db::SqlParams params = {{"P_CDTIPOOPER", filter.operationType}};
    if (!filter.model.empty()) {
        sql += " AND M.CDMODDOCFISC = :P_CDMODDOCFISC";
        params.push_back({"P_CDMODDOCFISC", filter.model});
    }
    if (filter.kind == ModelFilter::Kind::ElectronicOnly)
        sql += " AND M.IDMODDOCNFE = 'S'";
    else if (filter.kind == ModelFilter::Kind::PaperOnly)
        sql += " AND COALESCE(M.IDMODDOCNFE, 'N') <> 'S'";
    sql += " ORDER BY M.CDMODDOCFISC";
    return QueryPacket(db, layout, sql, params);
}

} // namespace dfe::appserver
