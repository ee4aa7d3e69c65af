#pragma once

#include "platform/core/date_time.h"

#include <cstdint>
#include <string>

namespace dfe {
class DataSet;
}

namespace dfe::dfe11000 {

// The branch's entry-date window as the list reads it to block postings (cdsParamDFE).
struct EntryDateWindow {
    std::string backBranch;      // IDLANCDTMENFIL
    std::string back;            // IDLANCDTMEN
    std::string aheadBranch;     // IDLANCDTMAIFIL
    std::string ahead;           // IDLANCDTMAI
    int64_t daysAheadBranch = 0; // NRDIASENTRPDFIL, 0 when null
    int64_t daysAhead = 0;       // NRDIASENTRPD, 0 when null
};

// The window of the loaded document parameters; without parameters every flag is empty.
EntryDateWindow EntryDateWindowOf(const DataSet& paramDFE);

// Whether a listed posting is blocked by its entry date. Both dates count in whole days: the window is
// measured in days, so an entry typed late on its day is still that day. A posting without entry date is
// not blocked by it.
bool EntryDateBlocks(const EntryDateWindow& window, DateTime processing, DateTime entry);

} // namespace dfe::dfe11000
