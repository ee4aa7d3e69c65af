#pragma once

#include "appserver/modules/posting_calls.h"
#include "platform/net/tax_calls.h"

namespace dfe::appserver {

// The tax and installment calls read into their contracts (platform/net/tax_calls.h), refused as the posting
// calls are: count, kinds and widths. A null number reads 0; the totals packet may be null (no totals yet).
template <> net::GetImpoItemArgs FromCall<net::GetImpoItemArgs>(const MethodContext& call);
template <> net::CriaVencimentosArgs FromCall<net::CriaVencimentosArgs>(const MethodContext& call);

} // namespace dfe::appserver
