#pragma once

// Every lookup of the posting form, each subsystem's declared in its own folder.

#include "dfe11000/header/header_lookups.h"
#include "dfe11000/items/item_lookups.h"
#include "dfe11000/posting/posting_lookups.h"

namespace dfe::dfe11000 {

struct ModuleLookups : HeaderLookups, PostingLookups, ItemLookups {};

} // namespace dfe::dfe11000
