#pragma once

#include "platform/ui/dialog_service.h"

#include <QPointer>

#include <memory>

class QWidget;

namespace dfe::qtui {

class BusyIndicator;
class QtRenderer;

// The dialog service of the desktop: Qt message boxes with Portuguese buttons ("Sim", "Não", "OK",
// "Cancelar"), a check list for multiple choices, modal forms through the renderer and the busy indicator.
// Once the application quits, questions answer as their cancel button would, so nothing waits on a window
// that will never be shown.
class QtDialogs : public DialogService {
public:
    explicit QtDialogs(QtRenderer& renderer);
    QtDialogs(const QtDialogs&) = delete;
    QtDialogs& operator=(const QtDialogs&) = delete;
    ~QtDialogs() override;

    void ShowError(const ErrorRequest& error) override;
    int ShowMessage(const MessageRequest& message) override;
    int AskCustom(const CustomQuestion& question) override;
    std::optional<std::vector<std::string>> SelectMany(const MultiSelectRequest& request) override;
    // A table of the source's rows (the fields asked, else the visible ones); choosing one moves the dataset
    // there. An empty list shows its empty text as an error and returns false, as the scripted one does.
    bool PickList(const PickListRequest& request) override;
    // A field and a value; the dataset moves to the first row whose field starts with it (letter case
    // ignored). A value not found says so and leaves the row.
    bool Find(const FindRequest& request) override;
    int RunModal(Form& form) override;
    void ShowBusy(const std::string& text) override;
    void HideBusy() override;
    using DialogService::ShowError;

    int BusyDepth() const;

private:
    QWidget* DialogParent() const;

    QtRenderer& renderer_;
    std::unique_ptr<BusyIndicator> busy_;
};

} // namespace dfe::qtui
