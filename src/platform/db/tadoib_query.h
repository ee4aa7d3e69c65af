#pragma once

#include "platform/data/dataset.h"
#include "platform/db/database.h"
#include "platform/db/query_parameters.h"

#include <functional>
#include <string>
#include <string_view>

namespace dfe::db {

// A read-only lookup against the ERP database: four texts of the same query, one per database family
// (generic, for SQLite and PostgreSQL; Oracle; SQL Server; InterBase), ":P_..." parameters always bound and
// never spliced, and the rows as a dataset, so a lookup is read, searched and shown like any other dataset.
class TADOIBQuery : public DataSet {
public:
    explicit TADOIBQuery(std::string name = {}) : DataSet(std::move(name)) {}

    // Where lookups run when a query has no database of its own (the host sets it at start).
    static void SetDefaultDatabase(Database* db);
    static Database* DefaultDatabase();
    void SetDatabase(Database* db);
    Database* Connection() const;

    const std::string& SQL() const { return sql_; }
    const std::string& SQL_ORACLE() const { return sqlOracle_; }
    const std::string& SQL_MSSQL() const { return sqlMssql_; }
    const std::string& SQL_IB() const { return sqlIb_; }
    void SetSQL(std::string text);
    void SetSQL_ORACLE(std::string text);
    void SetSQL_MSSQL(std::string text);
    void SetSQL_IB(std::string text);
    // The text the query's database reads; a dialect without its own text reads the generic one.
    const std::string& ActiveText() const;

    // The parameters of the active text.
    bool HasParam(std::string_view name) const { return params_.Has(name); }
    Variant& ParamByName(std::string_view name) { return params_.ByName(name); }
    const QueryParameters& Params() const { return params_; }

    // Runs BeforeOpen, then the active text with the parameters, and loads the rows. Opening an open query
    // does nothing; Reopen runs it again.
    void Open();
    void Reopen();
    // Takes the other query's four texts and its parameter values (the query is closed first).
    void CopyFrom(const TADOIBQuery& other);

    Handler BeforeOpen;

private:
    void SyncParams();

    Database* db_ = nullptr;
    std::string sql_, sqlOracle_, sqlMssql_, sqlIb_;
    QueryParameters params_;
};

} // namespace dfe::db
