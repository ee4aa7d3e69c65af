#pragma once

#include "platform/core/date_time.h"

#include <string>

namespace dfe::dfe11000 {

// What the filter dialog asks the list of postings for; the arguments of GetRomaneioNF, in the server's
// order. Empty strings and empty dates mean "no restriction" as the server reads them.
struct RomaneioFilter {
    std::string branch;         // CDFILIAL of the postings
    std::string series;         // series list, or "T" for every series
    std::string operationTypes; // operation types list; empty: all
    std::string participant;    // customer code or supplier registration number; empty: all
    std::string issuingBranch;  // issuing branch of postings whose participant is a branch
    DateTime entryFrom;
    DateTime entryTo;
    DateTime issueFrom;
    DateTime issueTo;
    std::string participantKind; // "C" customer, "F" supplier, "L" branch, empty: all
    std::string allDates;        // "T" when the issue range has no start, else empty
    std::string customer;        // the customer's internal code, only when a customer was chosen
};

} // namespace dfe::dfe11000
