#pragma once

// The calls of rdmLancNFEntrada (connection_names.h) with many arguments, as client, server and tests share
// them: one struct per call with its arguments by name in the wire's order, and the names of the answer's
// elements. The kinds and positions are the wire's; changing them breaks every client already installed.
// Every member has an initializer, so a designated initializer names only what it sets.

#include "platform/core/date_time.h"
#include "platform/core/variant.h"
#include "platform/net/answer_reader.h"
#include "platform/net/call_args.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace dfe::net {

// The list of postings the filter dialog asks for. Every argument goes by reference. Empty strings and empty
// dates mean "no restriction".
struct GetRomaneioNFArgs {
    static constexpr const char* kMethod = "GetRomaneioNF";
    static constexpr size_t kArgCount = 12;

    std::string branch{};         // CDFILIAL of the postings
    std::string series{};         // series list, or "T" for every series
    std::string operationTypes{}; // operation types list; empty: all
    std::string participant{};    // customer code or supplier registration number; empty: all
    std::string issuingBranch{};  // issuing branch of postings whose participant is a branch
    DateTime entryFrom{};
    DateTime entryTo{};
    DateTime issueFrom{};
    DateTime issueTo{};
    std::string participantKind{}; // "C" customer, "F" supplier, "L" branch, empty: all
    std::string allDates{};        // "T" when the issue range has no start, else empty
    std::string customer{};        // the customer's internal code, only when a customer was chosen

    friend bool operator==(const GetRomaneioNFArgs&, const GetRomaneioNFArgs&) = default;
};

// Bound to `args`' members, which receive the server's final values: `args` must outlive the call.
CallArgs ToCallArgs(GetRomaneioNFArgs& args);

// The whole posting of a list row in one call.
struct GetNFDadosGeraisArgs {
    static constexpr const char* kMethod = "GetNFDadosGerais";
    static constexpr size_t kArgCount = 12;

    std::string branch{};                // CDFILIAL of the list row
    std::string postingNumber{};         // NRLANCTONF
    std::string participantPersonType{}; // IDTPIJURNF
    std::string participantNumber{};     // NRINSJURNF
    std::string issuingBranch{};         // CDFILIEMIT
    std::string returnKind{};            // by reference: "S" for a return with origins, else "N"
    Variant reversalElement{};           // element 8 of the operation type
    Variant originQuantityElement{};     // element 14 of the operation type
    std::string participantKind{};       // IDORIGDESTNF
    Variant returnElement{};             // element 0 of the operation type: "S" for a return
    std::string headerState{};           // by reference: the header's state word, "INATIVO" if closed
    std::string returnList{};            // by reference: the selected origin documents

    friend bool operator==(const GetNFDadosGeraisArgs&, const GetNFDadosGeraisArgs&) = default;
};

CallArgs ToCallArgs(GetNFDadosGeraisArgs& args);

// The answer of GetNFDadosGerais. A refused one ("N") carries only "accepted" and "message"; an accepted one
// carries every element, the last three being GetParamForn's answer for the posting's supplier. Packets are
// the client's datasets, by their names.
inline constexpr std::array<std::string_view, 15> kGetNFDadosGeraisElements = {
    "accepted",        // "S" or "N"
    "message",         // why it was refused; empty when accepted
    "cdsNotaFiscal",   // header
    "cdsItemNotaFisc", // related documents
    "cdsItemProduto",  // items
    "cdsItemEncargo",  // charges
    "cdsContaPagar",   // installments
    "cdsDadosAdic",    // additional data
    "cdsImposNFTot",   // document taxes
    "cdsItemProImpos", // item taxes
    "cdsItensNFOrig",  // origin documents
    "cdsNFRelacAF",    // authorization relation
    "cdsParamForne",   // the supplier's parameters
    "stParamForn",     // whether the supplier uses the product rules (text)
    "cdsProdXFornDF",  // the supplier's product rules
};
inline constexpr AnswerLayout kGetNFDadosGeraisAnswer{GetNFDadosGeraisArgs::kMethod,
                                                      kGetNFDadosGeraisElements};

// GetParamForn's answer: "S" with the supplier's parameters packet, its product-rule string and the rules
// packet, or "N" with the refusal's text in place of the parameters.
inline constexpr std::array<std::string_view, 4> kGetParamFornElements = {"accepted", "parameters",
                                                                          "stParamForn", "cdsProdXFornDF"};
inline constexpr AnswerLayout kGetParamFornAnswer{"GetParamForn", kGetParamFornElements};

// Whether a document number is taken, asked for a customer (GetNrClie) or an issuing branch (GetNrFilial).
// A new posting asks with scope "T", no posting and newPosting true; a posting being changed with scope
// "N", its own CDFILIAL and NRLANCTONF and newPosting false, so that it is not its own duplicate. The answer
// is a packet of the earlier postings (CDFILIRECE, DTENTRSAID), empty when the number is free.
inline constexpr const char* kGetNrClie = "GetNrClie";
inline constexpr const char* kGetNrFilial = "GetNrFilial";
inline constexpr size_t kDuplicateNumberArgCount = 8;

struct DuplicateNumberArgs {
    std::string participant{};   // CDCLIENTE, or the issuing branch CDFILIEMIT
    std::string series{};        // CDSERIEENTR
    std::string number{};        // NRNOTAFISC as stored
    std::string scope{};         // "T" for a new posting, "N" for one being changed
    std::string postingBranch{}; // the changed posting's CDFILIAL; empty for a new one
    std::string postingNumber{}; // the changed posting's NRLANCTONF; empty for a new one
    bool newPosting = true;
    std::string branchInProcess{}; // the branch the clerk works for

    friend bool operator==(const DuplicateNumberArgs&, const DuplicateNumberArgs&) = default;
};

CallArgs ToCallArgs(const DuplicateNumberArgs& args);

// The same question for a supplier, which also names the operation type and the document model.
struct GetNrFornArgs {
    static constexpr const char* kMethod = "GetNrForn";
    static constexpr size_t kArgCount = 10;

    std::string supplier{};      // CDFORNECED
    std::string series{};        // CDSERIEENTR
    std::string number{};        // NRNOTAFISC as stored
    std::string scope{};         // "T" for a new posting, "N" for one being changed
    std::string postingBranch{}; // the changed posting's CDFILIAL; empty for a new one
    std::string postingNumber{}; // the changed posting's NRLANCTONF; empty for a new one
    bool newPosting = true;
    std::string operationType{};   // CDTIPOOPER
    std::string branchInProcess{}; // the branch the clerk works for
    std::string model{};           // CDMODDOCFISC

    friend bool operator==(const GetNrFornArgs&, const GetNrFornArgs&) = default;
};

CallArgs ToCallArgs(const GetNrFornArgs& args);

} // namespace dfe::net
