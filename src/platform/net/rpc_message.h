#pragma once

#include "platform/core/variant.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dfe::net {

// The declared type of a positional argument of a server method. The value travels as a Variant of that type
// (any type for Variant arguments).
enum class ArgType : uint8_t { String = 1, Date = 2, Double = 3, Variant = 4, Boolean = 5, Integer = 6 };

const char* ArgTypeName(ArgType type);

struct RpcArg {
    ArgType type = ArgType::Variant;
    bool byRef = false; // the server's final value comes back in the answer
    Variant value;

    friend bool operator==(const RpcArg&, const RpcArg&) = default;
};

// Identifies one logical call across its retries, so that a write the server already committed is answered
// from its record instead of being done twice.
using RequestToken = std::array<uint8_t, 16>;

struct RpcRequest {
    RequestToken token{};
    std::string connection; // "Dfe11000.rdmLancNFEntrada"
    std::string method;
    std::vector<RpcArg> args;

    friend bool operator==(const RpcRequest&, const RpcRequest&) = default;
};

enum class RpcStatus : uint8_t {
    Ok = 0,
    Refused = 1,       // the server understood the call and refused it (unknown method, a failed rule)
    ProtocolError = 2, // the request could not be read; the connection is closed after this answer
};

struct RefUpdate {
    uint16_t index = 0;
    Variant value;

    friend bool operator==(const RefUpdate&, const RefUpdate&) = default;
};

struct RpcResponse {
    RpcStatus status = RpcStatus::Ok;
    Variant result;              // Ok
    std::vector<RefUpdate> refs; // Ok: final values of the by-reference arguments
    std::string message;         // Refused, ProtocolError

    friend bool operator==(const RpcResponse&, const RpcResponse&) = default;
};

} // namespace dfe::net
