#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dfe {

class DataSet;
class DataSource;
class Form;

enum class DialogType { Warning, Error, Information, Confirmation, Custom };

// Buttons of the standard message dialog; several are or-ed together.
namespace mb {
inline constexpr int Yes = 1;
inline constexpr int No = 2;
inline constexpr int Ok = 4;
inline constexpr int Cancel = 8;
inline constexpr int Abort = 16;
inline constexpr int Retry = 32;
inline constexpr int Ignore = 64;
inline constexpr int YesNo = Yes | No;
} // namespace mb

// The first button of a custom-button question answers 10, the second 11, and so on.
inline constexpr int kFirstCustomAnswer = 10;

// A coded message of a screen's message table ("Excl_Lanc") and its text; questions answer with the
// modal result of the button pressed (Yes 6, No 7, OK 1, Cancel 2).
struct MessageRequest {
    std::string code;
    std::string text;
    DialogType type = DialogType::Information;
    int buttons = mb::Ok;
    std::string caption;
};

struct CustomQuestion {
    std::string code;
    std::string text;
    std::vector<std::string> buttons; // labels, first answers 10
    DialogType type = DialogType::Confirmation;
    std::string caption;
};

// The detailed-error window has a title and an optional detail.
struct ErrorRequest {
    std::string text;
    std::string detail;
    std::string code;
};

struct MultiSelectItem {
    std::string code;
    std::string text;
};

struct MultiSelectRequest {
    std::string title;
    std::vector<MultiSelectItem> items;
    std::vector<std::string> preselected; // codes
};

// A pick list over the rows of a data source. The title is "Title|text shown when there is nothing to pick".
struct PickListRequest {
    std::string title;
    DataSource* source = nullptr;
    std::vector<std::string> fields; // the columns shown; empty shows every visible field
};

// The find dialog over a dataset: the clerk names a field and a value, the dataset moves to the first row
// that has it.
struct FindRequest {
    DataSet* dataSet = nullptr;
    std::string title;
};

// Everything the rules show to the clerk goes through here: the Qt front end shows real dialogs, tests
// install a scripted one that records what was shown and answers from a queue.
class DialogService {
public:
    virtual ~DialogService() = default;

    virtual void ShowError(const ErrorRequest& error) = 0;
    // Returns the answer: the modal result of the button (1 for a plain message).
    virtual int ShowMessage(const MessageRequest& message) = 0;
    // Returns 10 for the first button, 11 for the second...
    virtual int AskCustom(const CustomQuestion& question) = 0;
    // The chosen codes, or nothing when cancelled.
    virtual std::optional<std::vector<std::string>> SelectMany(const MultiSelectRequest& request) = 0;
    // True when the clerk chose a row: the dataset stands on it. An empty list shows the empty text and
    // returns false.
    virtual bool PickList(const PickListRequest& request) = 0;
    // True when a row was found: the dataset stands on it.
    virtual bool Find(const FindRequest& request) = 0;
    // Runs a modal form until it ends (Form::ModalFinished) and returns its result.
    virtual int RunModal(Form& form) = 0;
    // The busy indicator; shows nest, and every show is matched by a hide (see BusyScope).
    virtual void ShowBusy(const std::string& text) = 0;
    virtual void HideBusy() = 0;

    void ShowError(const std::string& text) { ShowError(ErrorRequest{text, {}, {}}); }
    void ShowInformation(const std::string& text, const std::string& code = {}) {
        ShowMessage(MessageRequest{code, text, DialogType::Information, mb::Ok, {}});
    }
    int Confirm(const std::string& text, const std::string& code = {}) {
        return ShowMessage(MessageRequest{code, text, DialogType::Confirmation, mb::YesNo, {}});
    }
};

// Shows the busy indicator for its lifetime, so that it is taken down on every path, failures included.
class BusyScope {
public:
    explicit BusyScope(DialogService& dialogs, const std::string& text = {}) : dialogs_(dialogs) {
        dialogs_.ShowBusy(text);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope() { dialogs_.HideBusy(); }

private:
    DialogService& dialogs_;
};

} // namespace dfe
