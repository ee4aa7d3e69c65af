#include "host/console_dialogs.h"

#include "platform/ui/form.h"

namespace dfe::host {
namespace {

std::string Coded(const std::string& code, const std::string& text) {
    return code.empty() ? text : "[" + code + "] " + text;
}

} // namespace

void ConsoleDialogs::ShowError(const ErrorRequest& error) {
    out_ << "error: " << Coded(error.code, error.text)
         << (error.detail.empty() ? "" : " (" + error.detail + ")") << "\n";
}

int ConsoleDialogs::ShowMessage(const MessageRequest& message) {
    int answer = mr::Ok;
    if (message.buttons & mb::No)
        answer = mr::No;
    else if (message.buttons & mb::Cancel)
        answer = mr::Cancel;
    else if (message.buttons & mb::Abort)
        answer = mr::Abort;
    out_ << "message: " << Coded(message.code, message.text);
    if (answer != mr::Ok) out_ << " -> " << answer << " (no one to answer)";
    out_ << "\n";
    return answer;
}

int ConsoleDialogs::AskCustom(const CustomQuestion& question) {
    const int count = static_cast<int>(question.buttons.size());
    const int answer = kFirstCustomAnswer + (count > 0 ? count - 1 : 0);
    out_ << "question: " << Coded(question.code, question.text) << " -> " << answer
         << " (no one to answer)\n";
    return answer;
}

std::optional<std::vector<std::string>> ConsoleDialogs::SelectMany(const MultiSelectRequest& request) {
    out_ << "list: " << request.title << " -> cancelled (no one to answer)\n";
    return std::nullopt;
}

bool ConsoleDialogs::PickList(const PickListRequest& request) {
    out_ << "pick list: " << request.title.substr(0, request.title.find('|'))
         << " -> cancelled (no one to answer)\n";
    return false;
}

bool ConsoleDialogs::Find(const FindRequest& request) {
    out_ << "find: " << request.title << " -> cancelled (no one to answer)\n";
    return false;
}

int ConsoleDialogs::RunModal(Form& form) {
    out_ << "dialog: " << form.Name() << " -> cancelled (no one to answer)\n";
    form.SetModalResult(mr::Cancel);
    if (!form.ModalFinished()) {
        // A dialog that refuses to close even when cancelled is closed anyway: nobody could close it.
        return mr::Cancel;
    }
    return form.ModalResult();
}

void ConsoleDialogs::ShowBusy(const std::string& text) {
    if (!text.empty()) out_ << "busy: " << text << "\n";
}

} // namespace dfe::host
