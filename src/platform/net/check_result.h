#pragma once

#include "platform/core/variant.h"

#include <optional>
#include <string>

namespace dfe::net {

// The answer a connection with ThrowException false gives for a refused call: an array that no method
// returns.
dfe::Variant MakeErrorAnswer(const std::string& message);
std::optional<std::string> ErrorAnswerText(const dfe::Variant& answer);

// Returns a normal answer. An error answer never returns: it raises ServerRefusal with the server's text
// (shown by the event dispatch as an error), or Abort when `showError` is false.
const dfe::Variant& CheckResultServ(const dfe::Variant& answer, bool showError = true, int reserved = 0);

} // namespace dfe::net
