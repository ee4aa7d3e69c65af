#pragma once

// The origin-document searches of rdmLancNFEntrada (connection_names.h), as client, server and tests share
// them: one struct per call with its arguments by name in the wire's order. The kinds and positions are the
// wire's; changing them breaks every client already installed. By-reference members receive what the server
// writes back, so the struct must outlive the call.

#include "platform/core/variant.h"
#include "platform/net/call_args.h"

#include <cstddef>
#include <string>

namespace dfe::net {

// The participant the origin must belong to. Empty: not asked; "T": any.
struct OriginIssuer {
    std::string personType{};    // IDTPIJURNF of the posting's participant
    std::string number{};        // NRINSJURNF of the posting's participant
    std::string issuingBranch{}; // CDFILIEMIT, when the participant is a branch

    friend bool operator==(const OriginIssuer&, const OriginIssuer&) = default;
};

// Incoming postings an operation names as its origin (complements, returns of remittances).
struct GetNFOrigemArgs {
    static constexpr const char* kMethod = "GetNFOrigem";
    static constexpr size_t kArgCount = 8;

    std::string number{};    // NRNOTAFISC; empty with anyNumber "T"
    std::string anyNumber{}; // "T": every number
    std::string series{};    // CDSERIEENTR; empty with anySeries "T"
    std::string anySeries{}; // "T": every series
    std::string branch{};    // the branch the posting is typed for
    OriginIssuer issuer{};   // by reference

    friend bool operator==(const GetNFOrigemArgs&, const GetNFOrigemArgs&) = default;
};

CallArgs ToCallArgs(GetNFOrigemArgs& args);

// Outgoing invoices a return names as its origin.
struct GetNFOrigSaidArgs {
    static constexpr const char* kMethod = "GetNFOrigSaid";
    static constexpr size_t kArgCount = 13;

    std::string branch{};        // by reference: the branch whose invoices are searched
    OriginIssuer issuer{};       // by reference
    std::string series{};        // CDSERIE
    std::string number{};        // NRNOTAFISC, "T" any number of the series, "L" the search list
    std::string entryOrigins{};  // by reference: entry-side origin operation types, "_01_03_"
    std::string exitOrigins{};   // by reference: exit-side origin operation types, "_51_"
    std::string operationType{}; // CDTIPOOPER typed on the posting
    Variant originRelated{};     // the type's IDDCORIGRELAC
    Variant reversal{};          // the type's IDNFESTCANC
    std::string anySeries{};     // "T": every series
    std::string anyNumber{};     // "T": every number

    friend bool operator==(const GetNFOrigSaidArgs&, const GetNFOrigSaidArgs&) = default;
};

CallArgs ToCallArgs(GetNFOrigSaidArgs& args);

// The candidates of a return's origin list.
struct GetNFOrigListaArgs {
    static constexpr const char* kMethod = "GetNFOrigLista";
    static constexpr size_t kArgCount = 8;

    std::string branch{};        // the branch the posting is typed for
    OriginIssuer issuer{};       // by reference
    std::string entryOrigins{};  // by reference
    std::string exitOrigins{};   // by reference
    std::string operationType{}; // the list row's CDTIPOOPER
    Variant originRelated{};     // the type's IDDCORIGRELAC

    friend bool operator==(const GetNFOrigListaArgs&, const GetNFOrigListaArgs&) = default;
};

CallArgs ToCallArgs(GetNFOrigListaArgs& args);

// The postings a billing ("04" deliveries) or a regularization ("10" entries without invoice) may name as
// its related documents: those of the counterpart not yet named by another posting.
struct GetItemNFArgs {
    static constexpr const char* kMethod = "GetItemNF";
    static constexpr size_t kArgCount = 7;

    std::string branch{};        // the branch the posting is typed for
    std::string kind{};          // by reference: "04", "10", or empty for none
    OriginIssuer issuer{};       // by reference
    std::string postingNumber{}; // the posting whose own references still count as free; empty: none
    std::string every{};         // "T"

    friend bool operator==(const GetItemNFArgs&, const GetItemNFArgs&) = default;
};

CallArgs ToCallArgs(GetItemNFArgs& args);

} // namespace dfe::net
