#pragma once

#include "platform/net/rpc_message.h"

#include <string_view>

namespace dfe::appserver {

// One argument of `dfe-server call` as typed by an administrator: text by reference unless prefixed with
// "int:", "float:", "date:" (yyyy-mm-dd or dd/mm/yyyy), "bool:" (true/false/S/N), "null:" (a null variant) or
// "str:" (text that itself starts with a prefix). Throws std::invalid_argument for a value that does not
// read.
net::RpcArg ParseCallArgument(std::string_view text);

} // namespace dfe::appserver
