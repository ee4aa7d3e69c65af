#pragma once

// Taking in one NF-e document: parse, refuse what the tax authority would refuse, record the verdicts, store.

#include "platform/db/database.h"

#include <string>
#include <string_view>

namespace dfe::appserver::intake {

enum class IntakeOutcome {
    Stored,    // a new document
    Updated,   // an authorized copy replaced the stored bare document
    Duplicate, // the key was already stored; nothing changed
    Refused,   // the document was refused; nothing stored
};

struct IntakeResult {
    IntakeOutcome outcome = IntakeOutcome::Refused;
    std::string key;
    std::string reason;    // why it was refused
    std::string verdicts;  // schema, signature and protocol, as recorded
    std::string recipient; // "filial 0001" or "destinatário não cadastrado"
    bool Accepted() const { return outcome != IntakeOutcome::Refused; }
};

// The key's own fields against the document's (state, year and month, issuer, model, series, number, emission
// type, numeric code, cDV) and its check digit. Empty when they agree, else the reason (Portuguese).
struct KeyFields {
    std::string state, emitted, issuerId, model, series, number, emissionType, numericCode, checkDigit;
};
std::string AccessKeyMismatch(std::string_view key, const KeyFields& fields);

// Takes in the bytes of one file into `db` in one write transaction of its own. Refusals come back as a
// result; a database failure propagates (the file can be taken in again later). `source` names the file in
// the record.
IntakeResult IntakeNfe(db::Database& db, std::string_view bytes, std::string_view source);

// One line for the administrator: "FILE: aceita CHAVE (...)" or "FILE: recusada: motivo".
std::string DescribeIntake(std::string_view source, const IntakeResult& result);

} // namespace dfe::appserver::intake
