#pragma once

#include "platform/data/packet.h"

namespace dfe::bench {

// A packet shaped like a posting list: `rows` rows of 30 mixed fields (codes, names, values, dates, flags).
Packet MakeSamplePacket(size_t rows);

} // namespace dfe::bench
