#pragma once

#include "platform/ui/dialog_service.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dfe {

enum class DialogKind { Error, Message, Question, CustomQuestion, MultiSelect, PickList, Find, Modal, Busy };

const char* DialogKindName(DialogKind kind);

// One thing the scripted service was asked to show, with the answer it gave.
struct DialogRecord {
    DialogKind kind = DialogKind::Message;
    DialogType type = DialogType::Information;
    std::string code;
    std::string text;
    std::string detail;
    std::string caption;
    std::vector<std::string> buttons;
    int answer = 0;
    std::vector<std::string> selection; // multi-select answers
    bool cancelled = false;
};

// An answer waiting in the queue: for the next question, multi-select list or modal form.
class ScriptedAnswer {
public:
    // Only a dialog whose code or text is this one may take the answer.
    ScriptedAnswer& For(std::string codeOrText);
    ScriptedAnswer& Answer(int answer);
    ScriptedAnswer& Choose(std::vector<std::string> codes);
    ScriptedAnswer& Cancel();
    // For a pick list: the row by its number (1-based) or the first row where the field has the value;
    // for the find dialog, the field and value searched.
    ScriptedAnswer& Row(int recNo);
    ScriptedAnswer& Where(std::string field, std::string value);
    // For a modal form: runs inside the modal session (type, click...). When it leaves no result set, the
    // answer given by Answer() (or Cancel) ends the session.
    ScriptedAnswer& Do(std::function<void(Form&)> action);
    // Where the answer was queued ("line 12"), named when it goes unused or mismatches.
    ScriptedAnswer& From(std::string origin);

    const std::string& Origin() const { return origin_; }
    DialogKind Kind() const { return kind_; }

private:
    friend class ScriptedDialogs;
    DialogKind kind_ = DialogKind::Question;
    std::optional<std::string> match_;
    std::optional<int> answer_;
    std::vector<std::string> codes_;
    bool cancel_ = false;
    std::function<void(Form&)> action_;
    std::string origin_;
    int row_ = 0;
    std::string whereField_;
    std::string whereValue_;
};

// The dialog service of tests: records everything shown and answers questions, lists and modal forms
// from a queue filled beforehand. A question with nothing queued for it fails with ScriptFailure, which
// no event dispatch swallows, so the test reports it:
//   ScriptedDialogs dialogs; app.SetDialogs(&dialogs);
//   dialogs.ExpectQuestion("Excl_Lanc").Answer(mr::Yes);
class ScriptedDialogs : public DialogService {
public:
    ScriptedDialogs() = default;

    ScriptedAnswer& ExpectQuestion(std::string codeOrText = {});
    ScriptedAnswer& ExpectMultiSelect(std::string titleOrCode = {});
    ScriptedAnswer& ExpectModal(std::string formName = {});
    // The pick list by the title before its "|".
    ScriptedAnswer& ExpectPick(std::string title = {});
    ScriptedAnswer& ExpectFind(std::string title = {});

    const std::vector<DialogRecord>& Records() const { return records_; }
    // Every message, question and error, without busy indicators and modal forms.
    std::vector<DialogRecord> Messages() const;
    std::vector<DialogRecord> Errors() const;
    // True when a message, question or error with this code or text was shown.
    bool Shown(std::string_view codeOrText) const;
    // "[code] text" of every message, one per line: for failure output.
    std::string Describe() const;
    // The last thing shown, busy indicators aside.
    const DialogRecord* Last() const;
    void ClearRecords() { records_.clear(); }

    // Answers still waiting; a test usually ends with EXPECT_EQ(dialogs.PendingAnswers(), 0u).
    size_t PendingAnswers() const { return queue_.size(); }
    std::string DescribePending() const;
    const ScriptedAnswer* FirstPending() const { return queue_.empty() ? nullptr : &queue_.front(); }
    int BusyDepth() const { return busyDepth_; }
    const std::vector<std::string>& BusyTexts() const { return busyTexts_; }

    // Called with every record as it is made; the scenario driver prints the transcript through it.
    std::function<void(const DialogRecord&)> OnRecord;
    // Runs a modal form that has no queued answer; without it, such a form fails like a question.
    std::function<int(Form&)> OnUnscriptedModal;

    void ShowError(const ErrorRequest& error) override;
    int ShowMessage(const MessageRequest& message) override;
    int AskCustom(const CustomQuestion& question) override;
    std::optional<std::vector<std::string>> SelectMany(const MultiSelectRequest& request) override;
    bool PickList(const PickListRequest& request) override;
    bool Find(const FindRequest& request) override;
    int RunModal(Form& form) override;
    void ShowBusy(const std::string& text) override;
    void HideBusy() override;
    using DialogService::ShowError;

protected:
    void Record(DialogRecord record);
    // Takes the next answer for this kind of dialog, or fails naming what was shown.
    ScriptedAnswer TakeAnswer(DialogKind kind, const std::string& code, const std::string& text,
                              const std::string& what);
    [[noreturn]] virtual void Fail(const std::string& message);

private:
    ScriptedAnswer& Enqueue(DialogKind kind, std::string match);

    std::vector<DialogRecord> records_;
    std::deque<ScriptedAnswer> queue_;
    int busyDepth_ = 0;
    std::vector<std::string> busyTexts_;
};

} // namespace dfe
