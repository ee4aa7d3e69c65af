#pragma once

#include "platform/ui/application.h"
#include "platform/ui/scripted_dialogs.h"

#include "platform/data/dataset.h"

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace dfe {

struct ScenarioResult {
    bool passed = true;
    int failedLine = 0;
    std::string failure;
};

// Runs a scenario (docs/scenarios.md) over the headless toolkit: opens screens, types, presses keys,
// clicks, answers questions and checks what happened, printing a transcript. It stops at the first failed
// expectation and reports its line.
class ScenarioDriver {
public:
    using Args = std::vector<std::string>;
    using Command = std::function<void(ScenarioDriver& driver, const Args& args)>;
    using ScreenOpener = std::function<void(const std::string& code)>;

    ScenarioDriver(Application& app, std::ostream& transcript);
    ScenarioDriver(const ScenarioDriver&) = delete;
    ScenarioDriver& operator=(const ScenarioDriver&) = delete;
    ~ScenarioDriver();

    // How "open CODE" opens a screen; it throws with a clear message when the screen is not there.
    void SetScreenOpener(ScreenOpener opener) { opener_ = std::move(opener); }
    // More commands and expectations ("expect NAME ..."), for layers above the toolkit.
    void AddCommand(std::string name, Command command);
    void AddExpectation(std::string name, Command command);

    ScenarioResult Run(std::string_view script);

    // For commands: the application, the dialogs, lookups by name and failures.
    Application& App() { return app_; }
    ScriptedDialogs& Dialogs();
    // "edtA" on the active form (or any form), "frmX.edtA" on that form, "frmX" the form itself.
    Component& FindComponent(std::string_view path);
    Control& FindControl(std::string_view path);
    Form& CurrentForm();
    // A dataset by its name, among the data sources of the forms and of their bound controls, and those
    // registered here.
    DataSet& FindDataSet(std::string_view name);
    void RegisterDataSet(DataSet& dataSet) { dataSets_.push_back(&dataSet); }
    [[noreturn]] void Fail(const std::string& message);
    void Note(const std::string& text);
    int CurrentLine() const { return currentLine_; }

private:
    class DriverDialogs;
    void ExecuteNext();
    void Execute(const Args& words);
    void Expect(const Args& words);
    int RunModal(Form& form);
    void CheckPendingAnswers();
    void FocusForTyping(Control& control);

    Application& app_;
    std::ostream& out_;
    std::unique_ptr<DriverDialogs> dialogs_;
    DialogService* previousDialogs_ = nullptr;
    int focusSubscription_ = 0;
    ScreenOpener opener_;
    std::map<std::string, Command> commands_;
    std::map<std::string, Command> expectations_;
    std::vector<std::string> lines_;
    size_t next_ = 0;
    int currentLine_ = 0;
    // How many dialog records the message expectations have looked at, and which they took.
    std::vector<bool> consumed_;
    std::vector<DataSet*> dataSets_;
};

} // namespace dfe
