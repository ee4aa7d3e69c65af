#pragma once

#include "appserver/modules/posting_layouts.h"
#include "platform/data/packet.h"
#include "platform/db/database.h"

#include <string>

namespace dfe::appserver {

// Which of the models an operation type allows: every model unless MODDOCTIPOOPER lists some for the type.
struct ModelFilter {
    enum class Kind { Any, ElectronicOnly, PaperOnly };

    std::string operationType;
    std::string model; // only this model when filled
    Kind kind = Kind::Any;
};

// The allowed models (fields of `layout`, read from MODDOCFISC), by code.
DataPacket AllowedModels(db::Database& db, const PacketLayout& layout, const ModelFilter& filter);

} // namespace dfe::appserver
