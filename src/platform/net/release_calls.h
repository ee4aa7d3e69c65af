#pragma once

// The release of a posting by an operator entitled to release at its branch (on rdmAutoriza). The server
// checks the release password against the operator's stored hash: no hash ever reaches a client, and a
// client never compares a password itself. Arguments, all texts: operator, password, branch, posting number.

#include "platform/net/answer_reader.h"

#include <array>
#include <string_view>

namespace dfe::net {

inline constexpr const char* kConfSenhaLiberacao = "ConfSenhaLiberacao";
inline constexpr size_t kConfSenhaLiberacaoArgCount = 4;

// "S" released; "N" refused, with the text the operator is shown (an unknown or unentitled operator, a wrong
// password, or too many wrong tries in a row: then how long to wait).
inline constexpr std::array<std::string_view, 2> kConfSenhaLiberacaoElements = {"accepted", "message"};
inline constexpr AnswerLayout kConfSenhaLiberacaoAnswer{kConfSenhaLiberacao, kConfSenhaLiberacaoElements};

} // namespace dfe::net
