#pragma once

#include "appserver/modules/posting_calls.h"
#include "platform/net/closing_calls.h"

namespace dfe::appserver {

// The closing and the calls after it read into their contracts (platform/net/closing_calls.h), refused as
// call_arguments.h refuses. A packet argument must be a data packet or null; its rows are the method's to
// check.
template <> net::FechaNotaFiscalArgs FromCall<net::FechaNotaFiscalArgs>(const MethodContext& call);
template <> net::GetOcorrAtendArgs FromCall<net::GetOcorrAtendArgs>(const MethodContext& call);
template <> net::AprovaNotaFiscalArgs FromCall<net::AprovaNotaFiscalArgs>(const MethodContext& call);

// A packet argument decoded; nothing for null. Refused, naming the argument, when it is anything else or
// cannot be read.
std::optional<Packet> PacketArgOrNull(const MethodContext& call, size_t index, std::string_view what);

} // namespace dfe::appserver
