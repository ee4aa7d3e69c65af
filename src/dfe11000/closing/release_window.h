#pragma once

// Whether an entry date lies outside the window a posting may be changed in without an operator's release:
// the branch's window first, then the general one. Pure, so that its day arithmetic is tested by table.

#include "dfe11000/header/entry_date_rule.h"

namespace dfe::dfe11000 {

// The processing date counts as a whole day; the entry date is compared as stored.
bool ReleaseNeeded(const EntryDateParams& params, DateTime processing, DateTime entry);

} // namespace dfe::dfe11000
