#pragma once

// What the origin rules compute from plain values: the operation types an origin may have, the participant
// the server filters the candidates on, and a registration number without its mask.

#include "platform/net/origin_calls.h"

#include <string>
#include <string_view>

namespace dfe::dfe11000 {

// The operation type's list of origin operations (DSOPERNFORIG) read as groups of five characters, each with
// its marker at the second and its code from the fourth: "_E_01_S_51_" gives entry "_01_" and exit "_51_".
// A marker other than E or S makes the whole text the entry list. A list that gathered nothing is empty.
struct OriginCodeLists {
    std::string entry;
    std::string exit;
    friend bool operator==(const OriginCodeLists&, const OriginCodeLists&) = default;
};
OriginCodeLists ParseOriginCodes(std::string_view operations);

// Where a search for origin documents runs from.
enum class OriginSearch {
    ComplementField,  // leaving the series or number of an incoming origin
    ComplementSearch, // the search button of an incoming origin
    ReturnField,      // leaving the series or number of an outgoing origin
    ReturnSearch,     // the search button of an outgoing origin
    ReturnList,       // the multi-select list of outgoing origins
};

// The header's participant as the origin searches see it.
struct OriginParticipant {
    std::string kind;          // IDORIGDESTNF: "C" customer, "F" supplier, otherwise a branch
    std::string personType;    // IDTPIJURNF
    std::string number;        // NRINSJURNF
    std::string issuingBranch; // CDFILIEMIT
    std::string typedBranch;   // the branch the posting is typed for
    bool reversal = false;     // the type reverses an NF-e not cancelled in time
};

// The issuer filter sent with the search, and the branch whose outgoing invoices are searched.
struct OriginFilter {
    net::OriginIssuer issuer;
    std::string branch;
    friend bool operator==(const OriginFilter&, const OriginFilter&) = default;
};
OriginFilter IssuerFilter(const OriginParticipant& participant, OriginSearch search);

// The registration number without ".", "/", "-", "(", ")" and ",".
std::string RetSemMascara(std::string_view text);

} // namespace dfe::dfe11000
