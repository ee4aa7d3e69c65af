#pragma once

#include "platform/net/byte_io.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dfe::net {

// A frame is "DFE", a version byte and the payload's length (u32, little-endian), then the payload.
inline constexpr size_t kFrameHeaderSize = 8;
inline constexpr uint8_t kProtocolVersion = 1;
// Large enough for the biggest posting packets, small enough that a lying header cannot make us allocate
// wildly.
inline constexpr size_t kDefaultMaxFrameSize = 64u * 1024u * 1024u;

class FrameError : public WireError {
public:
    using WireError::WireError;
};

std::string EncodeFrame(std::string_view payload, size_t maxPayload = kDefaultMaxFrameSize);
// Reads the header and returns the payload length; throws FrameError for a bad magic, another version or an
// oversized payload.
size_t ParseFrameHeader(std::string_view header, size_t maxPayload = kDefaultMaxFrameSize);
// A whole frame in one buffer (the in-process transport and the fuzz target): its payload.
std::string_view UnwrapFrame(std::string_view frame, size_t maxPayload = kDefaultMaxFrameSize);

} // namespace dfe::net
