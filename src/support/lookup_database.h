#pragma once

#include "platform/db/database.h"

namespace dfe::support {

// The ERP database the screens' lookups read. A program that set TADOIBQuery's default keeps it; otherwise
// the host's database (its context's "database") is opened read-only once and becomes the default, so a
// package, which carries its own copy of the platform, reads the same database as its host.
db::Database& EnsureLookupDatabase();

} // namespace dfe::support
