#include "support/lookup_database.h"

#include "platform/db/tadoib_query.h"
#include "platform/ui/host_services.h"
#include "support/zymora.h"

#include <memory>

namespace dfe::support {

db::Database& EnsureLookupDatabase() {
    static std::unique_ptr<db::Database> opened;
    if (db::Database* current = db::TADOIBQuery::DefaultDatabase()) return *current;
    const HostServices* host = HostServices::Current();
    const std::string target = host ? host->Context().database : zymora::LocalContext().database;
    opened = db::OpenDatabase(target, db::AccessMode::ReadOnly);
    db::TADOIBQuery::SetDefaultDatabase(opened.get());
    return *opened;
}

} // namespace dfe::support
