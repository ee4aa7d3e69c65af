#include "dfe11000/posting/entry_date_block.h"

#include "platform/data/dataset.h"

namespace dfe::dfe11000 {
namespace {

std::string Flag(const DataSet& ds, const char* name) {
    const Field* field = ds.FindField(name);
    return field ? field->AsString() : std::string();
}

int64_t Days(const DataSet& ds, const char* name) {
    const Field* field = ds.FindField(name);
    return field ? field->AsInteger() : 0;
}

} // namespace

EntryDateWindow EntryDateWindowOf(const DataSet& paramDFE) {
    EntryDateWindow window;
    if (!paramDFE.Active() || paramDFE.IsEmpty()) return window;
    window.backBranch = Flag(paramDFE, "IDLANCDTMENFIL");
    window.back = Flag(paramDFE, "IDLANCDTMEN");
    window.aheadBranch = Flag(paramDFE, "IDLANCDTMAIFIL");
    window.ahead = Flag(paramDFE, "IDLANCDTMAI");
    window.daysAheadBranch = Days(paramDFE, "NRDIASENTRPDFIL");
    window.daysAhead = Days(paramDFE, "NRDIASENTRPD");
    return window;
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
