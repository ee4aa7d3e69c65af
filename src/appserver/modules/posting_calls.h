#pragma once

#include "appserver/rpc/method_context.h"
#include "platform/net/origin_calls.h"
#include "platform/net/posting_calls.h"

namespace dfe::appserver {

// A call's arguments read into its contract (platform/net/posting_calls.h), refused as call_arguments.h
// refuses: count, kinds and widths. What the values mean is the method's to check. Texts arrive trimmed and
// null as empty, empty dates as DateTime(), variant elements as they came.
template <class Args> Args FromCall(const MethodContext& call);

template <> net::GetRomaneioNFArgs FromCall<net::GetRomaneioNFArgs>(const MethodContext& call);
template <> net::GetNFDadosGeraisArgs FromCall<net::GetNFDadosGeraisArgs>(const MethodContext& call);
// GetNrClie and GetNrFilial: the participant is read as wide as a customer code; a branch's width is the
// method's to check.
template <> net::DuplicateNumberArgs FromCall<net::DuplicateNumberArgs>(const MethodContext& call);
template <> net::GetNrFornArgs FromCall<net::GetNrFornArgs>(const MethodContext& call);
template <> net::GetNFOrigemArgs FromCall<net::GetNFOrigemArgs>(const MethodContext& call);
template <> net::GetNFOrigSaidArgs FromCall<net::GetNFOrigSaidArgs>(const MethodContext& call);
template <> net::GetNFOrigListaArgs FromCall<net::GetNFOrigListaArgs>(const MethodContext& call);
template <> net::GetItemNFArgs FromCall<net::GetItemNFArgs>(const MethodContext& call);

} // namespace dfe::appserver
