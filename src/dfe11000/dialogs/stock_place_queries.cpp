#include "dfe11000/dialogs/stock_place_queries.h"

namespace dfe::dfe11000 {

void PrepareWarehouseQuery(db::TADOIBQuery& query) {
    // A null or empty code lists every warehouse (location) of the branch; the blank code is nobody's.
    query.SetSQL("SELECT CDALMOXARIFE, DSALMOXARIFE FROM ALMOXARIFADO WHERE CDFILIAL = :P_CDFILIAL"
                 " AND (CDALMOXARIFE = :P_CDALMOXARIFE OR COALESCE(:P_CDALMOXARIFE, '') = '')"
                 " AND TRIM(CDALMOXARIFE) <> '' ORDER BY CDALMOXARIFE");
}

void PrepareLocationQuery(db::TADOIBQuery& query) {
    query.SetSQL("SELECT CDLOCALESTOQ, DSLOCALESTOQ FROM LOCALESTOQUE WHERE CDFILIAL = :P_CDFILIAL"
                 " AND CDALMOXARIFE = :P_CDALMOXARIFE"
                 " AND (CDLOCALESTOQ = :P_CDLOCALESTOQ OR COALESCE(:P_CDLOCALESTOQ, '') = '')"
                 " AND TRIM(CDLOCALESTOQ) <> '' ORDER BY CDLOCALESTOQ");
}

void PrepareBranchQuery(db::TADOIBQuery& query) {
    query.SetSQL("SELECT F.CDFILIAL, F.NMFILIAL FROM FILIAL F, FILIAL P WHERE P.CDFILIAL = :P_CDFILIALPROC"
                 " AND F.CDEMPRESA = P.CDEMPRESA"
                 " AND (F.CDFILIAL = :P_CDFILIAL OR COALESCE(:P_CDFILIAL, '') = '') ORDER BY F.CDFILIAL");
}

bool FindBranch(db::TADOIBQuery& query, const std::string& branchInProcess, const std::string& code) {
    query.Close();
    query.ParamByName("P_CDFILIALPROC") = Variant(branchInProcess);
    query.ParamByName("P_CDFILIAL") = code.empty() ? Variant::Null() : Variant(code);
    query.Open();
    return !query.IsEmpty();
}

bool FindWarehouse(db::TADOIBQuery& query, const std::string& branch, const std::string& code) {
    query.Close();
    query.ParamByName("P_CDFILIAL") = Variant(branch);
    query.ParamByName("P_CDALMOXARIFE") = code.empty() ? Variant::Null() : Variant(code);
    query.Open();
    return !query.IsEmpty();
}

bool FindLocation(db::TADOIBQuery& query, const std::string& branch, const std::string& warehouse,
                  const std::string& code) {
    query.Close();
    query.ParamByName("P_CDFILIAL") = Variant(branch);
    query.ParamByName("P_CDALMOXARIFE") = Variant(warehouse);
    query.ParamByName("P_CDLOCALESTOQ") = code.empty() ? Variant::Null() : Variant(code);
    query.Open();
    return !query.IsEmpty();
}

} // namespace dfe::dfe11000
