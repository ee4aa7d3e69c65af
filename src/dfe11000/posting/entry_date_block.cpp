#include "dfe11000/posting/entry_date_block.h"

#include "dfe11000/header/entry_date_rule.h"

namespace dfe::dfe11000 {

EntryDateWindow EntryDateWindowOf(const DataSet& paramDFE) {
    const EntryDateParams p = EntryDateParamsOf(paramDFE);
    return {p.idLancDtMenFil,
            p.idLancDtMen,
            p.idLancDtMaiFil,
            p.idLancDtMai,
            p.nrDiasEntrPdFil.value_or(0),
            p.nrDiasEntrPd.value_or(0)};
}

bool EntryDateBlocks(const EntryDateWindow& window, DateTime processing, DateTime entry) {
    if (entry.IsEmpty()) return false;
    const int64_t p = processing.WholeDays();
    const int64_t d = entry.WholeDays();
    if (window.backBranch == "N" && window.back == "N" && p > d) return true;
    if (window.aheadBranch != "N") return d > p + window.daysAheadBranch;
    if (window.ahead != "N") return d > p + window.daysAhead;
    return d > p;
}

} // namespace dfe::dfe11000
