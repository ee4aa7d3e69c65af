#include "dfe11000/header/origin_codes.h"

namespace dfe::dfe11000 {

OriginCodeLists ParseOriginCodes(std::string_view operations) {
    OriginCodeLists lists;
    if (operations.empty()) return lists;
    lists.entry = lists.exit = "_";
    for (size_t group = 0; operations.size() - group > 1; group += 5) {
        const char marker = operations[group + 1];
        // The code runs into the next group's first character: the separator of the list being built.
        const std::string_view code = group + 3 < operations.size() ? operations.substr(group + 3, 3) : "";
        if (marker == 'E') {
            lists.entry += code;
        } else if (marker == 'S') {
            lists.exit += code;
        } else {
            lists.entry = std::string(operations);
            break;
        }
        if (operations.size() - group <= 5) break;
    }
    if (lists.entry == "_") lists.entry.clear();
    if (lists.exit == "_") lists.exit.clear();
    return lists;
}

OriginFilter IssuerFilter(const OriginParticipant& p, OriginSearch search) {
    OriginFilter f;
    f.branch = p.typedBranch;
    const bool person = p.kind == "C" || p.kind == "F";
    if (search == OriginSearch::ReturnList) {
        if (person) {
            f.issuer = {p.personType, p.number, "T"};
        } else {
            f.issuer = {"T", "T", p.issuingBranch};
        }
        return f;
    }
    if (person) {
        f.issuer.personType = p.personType;
        f.issuer.number = p.number;
        if (search == OriginSearch::ReturnSearch) f.issuer.issuingBranch = "T";
        return f;
    }
    if (search == OriginSearch::ComplementSearch) {
        f.issuer.issuingBranch = p.issuingBranch;
    } else if (!p.reversal) {
        f.issuer.issuingBranch = p.typedBranch;
        f.branch = p.issuingBranch;
    } else {
        f.issuer.issuingBranch = p.issuingBranch;
    }
    return f;
}

std::string RetSemMascara(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c != '.' && c != '/' && c != '-' && c != '(' && c != ')' && c != ',') out += c;
    }
    return out;
}

} // namespace dfe::dfe11000
