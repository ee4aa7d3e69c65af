#include "support/show_msg.h"

#include "platform/core/abort.h"
#include "support/current_dialogs.h"

namespace dfe::support {

int ShowMsg(const TMessages& table, std::string_view code, DialogType type, int buttons,
            int /*helpContext*/) {
    MessageRequest request;
    request.code = std::string(code);
    request.text = table.Msg(code);
    request.type = type;
    request.buttons = buttons == 0 ? mb::Ok : buttons;
    return CurrentDialogs().ShowMessage(request);
}

void MensErro(std::string_view text, bool abort) {
    CurrentDialogs().ShowError(ErrorRequest{std::string(text), {}, {}});
    if (abort) ThrowAbort();
}

void MensErro(const TMessages& table, std::string_view code, bool abort) {
    CurrentDialogs().ShowError(ErrorRequest{table.Msg(code), {}, std::string(code)});
    if (abort) ThrowAbort();
}

int MsgAlertEx(std::string_view text, DialogType type, const std::vector<std::string>& buttons,
               std::string_view code, std::string_view caption) {
    CustomQuestion question;
    question.code = std::string(code);
    question.text = std::string(text);
    question.buttons = buttons;
    question.type = type;
    question.caption = std::string(caption);
    return CurrentDialogs().AskCustom(question);
}

void ShowDetailError(std::string_view text, std::string_view detail) {
    CurrentDialogs().ShowError(ErrorRequest{std::string(text), std::string(detail), {}});
}

} // namespace dfe::support
