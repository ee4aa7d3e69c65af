#pragma once

#include "appserver/schema/schema_files.h"
#include "platform/db/database.h"

#include <span>
#include <string>
#include <vector>

namespace dfe::appserver {

// The NF-e documents written for the demo company ("nfe/35_serra_azul_000012480.xml"...), compiled in.
std::span<const EmbeddedFile> EmbeddedDemoNfeFiles();

// Takes them in through the intake, as any received document; returns one line per document. A document
// already stored is left as it is.
std::vector<std::string> StoreDemoNfe(db::Database& db);

} // namespace dfe::appserver
