#include "platform/db/tadoib_query.h"

namespace dfe::db {
namespace {

Database* defaultDatabase = nullptr;

} // namespace

void TADOIBQuery::SetDefaultDatabase(Database* db) {
    defaultDatabase = db;
}
Database* TADOIBQuery::DefaultDatabase() {
    return defaultDatabase;
}

void TADOIBQuery::SetDatabase(Database* db) {
    db_ = db;
    SyncParams();
}

Database* TADOIBQuery::Connection() const {
    return db_ ? db_ : defaultDatabase;
}

void TADOIBQuery::SetSQL(std::string text) {
    sql_ = std::move(text);
    SyncParams();
}

void TADOIBQuery::SetSQL_ORACLE(std::string text) {
    sqlOracle_ = std::move(text);
    SyncParams();
}

void TADOIBQuery::SetSQL_MSSQL(std::string text) {
    sqlMssql_ = std::move(text);
    SyncParams();
}

void TADOIBQuery::SetSQL_IB(std::string text) {
    sqlIb_ = std::move(text);
    SyncParams();
}

const std::string& TADOIBQuery::ActiveText() const {
    const Database* db = Connection();
    const Dialect dialect = db ? db->SqlDialect() : Dialect::Generic;
    const std::string* text = &sql_;
    switch (dialect) {
    case Dialect::Generic:
        break;
    case Dialect::Oracle:
        text = &sqlOracle_;
        break;
    case Dialect::SqlServer:
        text = &sqlMssql_;
        break;
    case Dialect::InterBase:
        text = &sqlIb_;
        break;
    }
    return text->empty() ? sql_ : *text;
}

void TADOIBQuery::SyncParams() {
    params_.SyncWithText(ActiveText());
}

void TADOIBQuery::Open() {
    if (Active()) return;
    if (BeforeOpen) BeforeOpen(*this);
    Database* db = Connection();
    if (!db) throw DatabaseError("A consulta " + Name() + " não tem banco de dados");
    if (ActiveText().empty()) throw DatabaseError("A consulta " + Name() + " não tem texto");
    SyncParams();
    SetData(db->Query(ActiveText(), params_.AsSqlParams()));
}

void TADOIBQuery::Reopen() {
    Close();
    Open();
}

void TADOIBQuery::CopyFrom(const TADOIBQuery& other) {
    Close();
    sql_ = other.sql_;
    sqlOracle_ = other.sqlOracle_;
    sqlMssql_ = other.sqlMssql_;
    sqlIb_ = other.sqlIb_;
    params_ = other.params_;
    SyncParams();
}

} // namespace dfe::db
