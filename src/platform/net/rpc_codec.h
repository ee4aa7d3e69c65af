#pragma once

#include "platform/net/byte_io.h"
#include "platform/net/rpc_message.h"

#include <string>
#include <string_view>

namespace dfe::net {

// Nested arrays deeper than this are refused, so that hostile input cannot exhaust the stack.
inline constexpr int kMaxVariantDepth = 32;
// Values (array elements included) one variant may hold: data travels in packets, not in huge arrays, and the
// limit keeps a small message from turning into a large allocation.
inline constexpr size_t kMaxDecodedValues = 1'000'000;

void EncodeVariant(ByteWriter& out, const Variant& value);
Variant DecodeVariant(ByteReader& in);

// Message bodies (the payload of a frame). Decoders throw WireError and accept nothing after the message.
std::string EncodeRequest(const RpcRequest& request);
RpcRequest DecodeRequest(std::string_view payload);
std::string EncodeResponse(const RpcResponse& response);
RpcResponse DecodeResponse(std::string_view payload);

} // namespace dfe::net
