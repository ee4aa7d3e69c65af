// Any byte string either decodes into a packet whose encoding is stable, or is refused with PacketError;
// nothing else (crash, leak, other exception) is acceptable.
#include "platform/data/packet.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const dfe::Packet packet = dfe::DecodePacket(bytes);
        const std::string again = dfe::EncodePacket(packet);
        // Bytes, not packets, are compared: a NaN value is never equal to itself.
        if (dfe::EncodePacket(dfe::DecodePacket(again)) != again) std::abort();
    } catch (const dfe::PacketError&) {
    }
    return 0;
}
