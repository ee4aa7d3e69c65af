#pragma once

// What an NF-e document says, read from its parsed XML into the rows of the received-document tables.

#include "platform/core/variant.h"

#include <string>
#include <utility>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

namespace dfe::appserver::intake {

inline constexpr const char* kNfeNamespace = "http://www.portalfiscal.inf.br/nfe";

// One row of a table: column names and values, in the table's order.
using ColumnValues = std::vector<std::pair<std::string, Variant>>;

// The elements the checks and the reading start from. Throws IntakeRefusal when the root is not an NF-e
// (nfeProc or NFe of layout 4.00) or the document has no infNFe.
struct NfeNodes {
    bool authorizedRoot = false; // nfeProc
    _xmlNode* nfe = nullptr;
    _xmlNode* infNFe = nullptr;
    _xmlNode* infProt = nullptr; // nfeProc/protNFe/infProt, when present
};
NfeNodes LocateNfe(_xmlDoc* doc);

// The protocol of an authorized document (cStat 100 or 150) or of a denied one (110, 301-303).
struct Protocol {
    std::string key;
    std::string status; // cStat
    std::string reason; // xMotivo
    std::string number; // nProt
    std::string when;   // dhRecbto as written
};

// The status a protocol's cStat gives the document: "A" authorized (100, 150), "D" denied (110, 301-303), "P"
// no authorization (any other answer, or none).
const char* ProtocolStatus(const std::string& cStat);

struct NfeContent {
    std::string key;               // the 44 digits of infNFe/@Id (or of the protocol when the Id is missing)
    std::string issuerType;        // J or F
    std::string issuerId;          // CNPJ or CPF
    std::string recipientId;       // CNPJ or CPF in dest
    std::string recipientRegistry; // dest/IE
    std::string emitted;           // ide/dhEmi as written
    bool hasProtocol = false;
    Protocol protocol;
    ColumnValues header;
    std::vector<ColumnValues> items, lots, taxes, charges, installments, payments, volumes;
};

// Reads every stored value. Throws IntakeRefusal for a value the tables cannot hold as the document writes it
// (a number or date that does not parse, a text longer than its column): nothing is ever cut or guessed.
NfeContent ReadNfeContent(const NfeNodes& nodes);

} // namespace dfe::appserver::intake
