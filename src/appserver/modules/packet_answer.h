#pragma once

#include "platform/core/variant.h"
#include "platform/data/packet.h"

namespace dfe::appserver {

// A query result as the data-packet answer a client loads into a dataset.
inline Variant PacketAnswer(const Packet& packet) {
    return Variant(ToDataPacket(packet));
}

} // namespace dfe::appserver
