// Fuzzes what a server reads from the network: a frame, then a request (and, on the client side, a response).
// Whatever decodes must encode back to the same bytes.
#include "platform/net/frame.h"
#include "platform/net/rpc_codec.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string_view payload;
    try {
        payload = dfe::net::UnwrapFrame(bytes, 1u << 20);
    } catch (const dfe::net::WireError&) {
        payload = bytes; // still feed the message decoders
    }
    try {
        const dfe::net::RpcRequest request = dfe::net::DecodeRequest(payload);
        if (dfe::net::EncodeRequest(request) != payload) __builtin_trap();
    } catch (const dfe::net::WireError&) {
    }
    try {
        const dfe::net::RpcResponse response = dfe::net::DecodeResponse(payload);
        if (dfe::net::EncodeResponse(response) != payload) __builtin_trap();
    } catch (const dfe::net::WireError&) {
    }
    return 0;
}
