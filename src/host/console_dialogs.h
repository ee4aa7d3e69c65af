#pragma once

#include "platform/ui/dialog_service.h"

#include <ostream>

namespace dfe::host {

// The dialog service of a headless run without a script: it prints what would be shown and, as nobody is
// there to answer, takes the refusing answer (No, the last custom button, Cancel), so that nothing is
// confirmed on the clerk's behalf.
class ConsoleDialogs : public DialogService {
public:
    explicit ConsoleDialogs(std::ostream& out) : out_(out) {}

    void ShowError(const ErrorRequest& error) override;
    int ShowMessage(const MessageRequest& message) override;
    int AskCustom(const CustomQuestion& question) override;
    std::optional<std::vector<std::string>> SelectMany(const MultiSelectRequest& request) override;
    bool PickList(const PickListRequest& request) override;
    bool Find(const FindRequest& request) override;
    int RunModal(Form& form) override;
    void ShowBusy(const std::string& text) override;
    void HideBusy() override {}
    using DialogService::ShowError;

private:
    std::ostream& out_;
};

} // namespace dfe::host
