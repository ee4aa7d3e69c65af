#pragma once

// The support library's message dialogs: coded messages of a screen's table, errors that abandon the
// operation, questions with custom buttons and the detailed error window.

#include "platform/ui/dialog_service.h"
#include "support/messages.h"

#include <string>
#include <string_view>
#include <vector>

namespace dfe::support {

// Shows the text of `code` from the table and returns the button pressed (Yes 6, No 7, OK 1).
int ShowMsg(const TMessages& table, std::string_view code, DialogType type, int buttons, int helpContext = 0);

// Shows an error. With `abort` the operation is then abandoned silently (throws dfe::Abort).
void MensErro(std::string_view text, bool abort);
// The same for a coded message of a table, so that the code travels with the text.
void MensErro(const TMessages& table, std::string_view code, bool abort);

// A question with custom buttons: the first answers 10, the second 11...
int MsgAlertEx(std::string_view text, DialogType type, const std::vector<std::string>& buttons,
               std::string_view code = {}, std::string_view caption = {});

// The error window with its detail (a server's or a loader's explanation).
void ShowDetailError(std::string_view text, std::string_view detail);

} // namespace dfe::support
