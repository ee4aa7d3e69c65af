#pragma once

// The closing of a posting and the calls that follow it, on rdmLancNFEntrada (connection_names.h), as client,
// server and tests share them. The kinds and positions are the wire's; changing them breaks every client
// already installed. By-reference members receive what the server writes back, so the struct must outlive the
// call.

#include "platform/core/date_time.h"
#include "platform/core/variant.h"
#include "platform/net/call_args.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace dfe::net {

// The whole posting sent to be validated, stored and posted. A delta is a dataset's change packet; "all" its
// whole data; a delta of a dataset without changes goes as null. The answer is a packet of coded rows
// (kClosingRowFields); a closing that failed holds the row "OCORR_ERRO" and changed nothing.
struct FechaNotaFiscalArgs {
    static constexpr const char* kMethod = "FechaNotaFiscal";
    static constexpr size_t kArgCount = 36;

    Variant header{};                 // 1 by reference: delta of the header
    Variant items{};                  // 2 by reference: delta of the items, or null
    Variant relatedDocuments{};       // 3 by reference: all the related documents
    Variant charges{};                // 4 by reference: delta of the charges, or null
    Variant installments{};           // 5 by reference: delta of the installments, or null
    Variant additionalData{};         // 6 by reference: delta of the additional data, or null
    Variant itemTaxes{};              // 7 by reference: all the item tax rows
    Variant taxTotals{};              // 8 by reference: all the document tax totals
    Variant authorizationLinks{};     // 9 by reference: delta of the item-to-authorization relation, or null
    Variant allItems{};               // 10 by reference: all the items
    std::string receivingBranch{};    // 11 CDFILIRECE
    DateTime entryDate{};             // 12 DTENTRSAID
    std::string onlineStock{};        // 13 the branch's IDESTONLINE
    DateTime stockFrom{};             // 14 by reference: start of the stock window
    DateTime stockTo{};               // 15 by reference: end of the stock window
    std::string stockPosting{};       // 16 NRLANCESTQ of the list row ("NOVOCODIGO" while new)
    double productsValue = 0;         // 17 VRPRODUTOS
    std::string releaseCodes{};       // 18 by reference: "0", or the release codes the clerk accepted
    std::string operationType{};      // 19 CDTIPOOPER
    std::string operatorCode{};       // 20 the operator logged in
    std::string otherInvoices{};      // 21 the branch's IDNFOUTRASNF
    std::string series{};             // 22 CDSERIEENTR
    std::string branchInProcess{};    // 23 the branch the operator works for
    bool generateReturn = false;      // 24 the clerk chose to generate a return
    double documentValue = 0;         // 25 VRNOTAFISC
    Variant returnFlag{};             // 26 the operation type's IDOPERDEVONF
    bool destinationIsBranch = false; // 27 the participant is a branch
    std::string integrationCode{};    // 28 CDINTEGRACAO
    Variant nfeItems{};               // 29 all the NF-e items the posting was taken from (null when none)
    std::string apportionA{};    // 30 by reference: "S" when an existing posting's apportionment is redone
    std::string apportionB{};    // 31 by reference: "S" when the clerk apportions by hand (read back)
    Variant reversalFlag{};      // 32 the operation type's IDNFESTCANC
    std::string hideCredited{};  // 33 the branch's IDPERVISIMPSCRE
    std::string danfeStamp{};    // 34 by reference: the DANFE date and time the NF-e panel left
    std::string showNfeInfo{};   // 35 by reference
    std::string supplierLimit{}; // 36 by reference: "S" check the supplier's value limit, "N" accepted

    friend bool operator==(const FechaNotaFiscalArgs&, const FechaNotaFiscalArgs&) = default;
};

CallArgs ToCallArgs(FechaNotaFiscalArgs& args);

// The answer's rows: CDERRO (text 20), CDOBJETO to CDOBJETO4 (text 250), CDOBJETO5 (number).
inline constexpr std::array<std::string_view, 6> kClosingRowFields = {"CDERRO",    "CDOBJETO",  "CDOBJETO2",
                                                                      "CDOBJETO3", "CDOBJETO4", "CDOBJETO5"};

// Row codes with a meaning of their own (the others are listed where the client reads them).
namespace closing_row {
inline constexpr const char* kFailed = "OCORR_ERRO";        // the posting was not closed
inline constexpr const char* kUnexpected = "ERROOUTRO";     // CDOBJETO: what went wrong, for the detail
inline constexpr const char* kWarning = "AVISO_ERRO";       // a mark to write back (CDOBJETO names where)
inline constexpr const char* kPostingNumber = "NRLANCTONF"; // CDOBJETO: the posting's number
inline constexpr const char* kStockPosting = "NRLANCESTQ";  // CDOBJETO: the stock posting's number
} // namespace closing_row

// Release codes the clerk's confirmation sends (in the text "#CODE##CODE#CODE#..."): each accepts the
// warnings of one server check.
namespace release_code {
inline constexpr const char* kWarnings = "DFE11000_1";      // the posting's own warnings
inline constexpr const char* kImplantation = "LIB00200_2";  // stock not implanted at the entry date
inline constexpr const char* kNegativeStock = "LIB00200_3"; // stock that would become negative
inline constexpr const char* kBudget = "LIB00600_1";        // budget alerts
} // namespace release_code

// Messages of the fiscal routines: a generic row's CDOBJETO is one of these four-character codes followed by
// a tax abbreviation, which completes a text holding "%s". The server writes the code, the client shows the
// text; a code is never reused for another text.
struct FiscalMessage {
    const char* code;
    const char* text;
};
inline constexpr FiscalMessage kFiscalMessages[] = {
    {"F001", "Soma dos itens difere do valor dos produtos da nota fiscal."},
    {"F002", "Soma das parcelas difere do valor a pagar da nota fiscal."},
    {"F003", "Total do imposto %s difere da soma dos itens."},
    {"F004", "Imposto retido %s maior que o valor da nota fiscal."},
    {"F005", "Item sem CFOP informado."},
    {"F006", "Valor do imposto %s negativo."},
    {"F007", "Produto %s não cadastrado."},
};

// ---- After a successful closing

// GeraArqExp(branch, entry date): the branch's fiscal export file of that day. GeraBaixaTotal(all items, all
// deliveries, write off the authorizations whole, branch, posting number): settles the purchase
// authorizations the posting received. GetVersaoAna(posting number, branch): "ok", "nada" or "sem_vigencia".
inline constexpr const char* kGeraArqExp = "GeraArqExp";
inline constexpr const char* kGeraBaixaTotal = "GeraBaixaTotal";
inline constexpr const char* kGetVersaoAna = "GetVersaoAna";

// The attendance occurrence of a return, registered once it is closed.
struct GetOcorrAtendArgs {
    static constexpr const char* kMethod = "GetOcorrAtend";
    static constexpr size_t kArgCount = 11;

    std::string participantKind{}; // IDORIGDESTNF
    std::string customer{};        // CDCLIENTE
    std::string supplier{};        // CDFORNECED
    std::string issuingBranch{};   // CDFILIEMIT
    std::string relatedBranch{};   // CDFILIALIT of the current related document
    std::string relatedPosting{};  // NRLANCTONFIT of the current related document
    std::string branchInProcess{};
    std::string operatorCode{};
    std::string operatorName{};
    std::string branch{};        // CDFILIAL of the list row
    std::string postingNumber{}; // NRLANCTONF of the list row

    friend bool operator==(const GetOcorrAtendArgs&, const GetOcorrAtendArgs&) = default;
};

CallArgs ToCallArgs(const GetOcorrAtendArgs& args);

// The approval of a posting generated from an NF-e file: a boolean, false when it could not be approved.
struct AprovaNotaFiscalArgs {
    static constexpr const char* kMethod = "AprovaNotaFiscal";
    static constexpr size_t kArgCount = 8;

    std::string branch{};          // CDFILIAL
    std::string postingNumber{};   // NRLANCTONF
    std::string receivingBranch{}; // CDFILIRECE
    std::string operatorCode{};
    std::string branchInProcess{};
    std::string company{};       // CDEMPRESA
    std::string supplier{};      // CDFORNECED
    std::string operationType{}; // CDTIPOOPER

    friend bool operator==(const AprovaNotaFiscalArgs&, const AprovaNotaFiscalArgs&) = default;
};

CallArgs ToCallArgs(const AprovaNotaFiscalArgs& args);

} // namespace dfe::net
