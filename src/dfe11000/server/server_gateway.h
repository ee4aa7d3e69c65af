#pragma once

#include "platform/core/variant.h"
#include "platform/net/call_args.h"
#include "platform/net/net_connection.h"

#include <functional>
#include <string>
#include <string_view>

namespace dfe::dfe11000 {

class TfrmLancNFEntrada;

// One server call as every rule makes it: a reference on the connection for its duration and the busy
// animation, both released on every path; the answer checked (an error answer is shown and abandons).
Variant CallServer(TfrmLancNFEntrada& form, net::TNetConnection& connection, std::string_view method,
                   const net::CallArgs& args, const std::string& busyText = {});

// Runs a sequence of calls under the retry policy: connection failures reconnect `connection` silently three
// times, then ask the clerk; a server refusal is shown once, as itself.
void RunWithRetry(net::TNetConnection& connection, const std::function<void()>& sequence);

} // namespace dfe::dfe11000
