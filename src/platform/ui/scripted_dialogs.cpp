#include "platform/ui/scripted_dialogs.h"

#include "platform/ui/form.h"
#include "platform/ui/ui_error.h"

#include "platform/core/text.h"
#include "platform/data/data_source.h"
#include "platform/data/dataset.h"

namespace dfe {
namespace {

std::string Quote(const std::string& code, const std::string& text) {
    std::string out;
    if (!code.empty()) out += "[" + code + "] ";
    out += "\"" + text + "\"";
    return out;
}

bool Matches(const std::optional<std::string>& match, const std::string& code, const std::string& text) {
    if (!match || match->empty()) return true;
    return text::SameText(*match, code) || *match == text;
}

std::vector<std::string> ButtonsOf(int buttons) {
    std::vector<std::string> out;
    if (buttons & mb::Yes) out.emplace_back("Sim");
    if (buttons & mb::No) out.emplace_back("Não");
    if (buttons & mb::Ok) out.emplace_back("OK");
    if (buttons & mb::Cancel) out.emplace_back("Cancelar");
    if (buttons & mb::Abort) out.emplace_back("Abortar");
    if (buttons & mb::Retry) out.emplace_back("Repetir");
    if (buttons & mb::Ignore) out.emplace_back("Ignorar");
    return out;
}

// A message whose only button is OK needs nobody to answer it.
bool NeedsAnswer(int buttons) {
    return (buttons & ~mb::Ok) != 0;
}

bool IsValidAnswer(int answer, int buttons) {
    switch (answer) {
    case mr::Yes:
        return buttons & mb::Yes;
    case mr::No:
        return buttons & mb::No;
    case mr::Ok:
        return buttons & mb::Ok;
    case mr::Cancel:
        return buttons & mb::Cancel;
    case mr::Abort:
        return buttons & mb::Abort;
    case mr::Retry:
        return buttons & mb::Retry;
    case mr::Ignore:
        return buttons & mb::Ignore;
    default:
        return false;
    }
}

} // namespace

const char* DialogKindName(DialogKind kind) {
    switch (kind) {
    case DialogKind::Error:
        return "error";
    case DialogKind::Message:
        return "message";
    case DialogKind::Question:
        return "question";
    case DialogKind::CustomQuestion:
        return "question";
    case DialogKind::MultiSelect:
        return "multi-select list";
    case DialogKind::PickList:
        return "pick list";
    case DialogKind::Find:
        return "find dialog";
    case DialogKind::Modal:
        return "modal form";
    case DialogKind::Busy:
        return "busy";
    }
    return "dialog";
}

ScriptedAnswer& ScriptedAnswer::For(std::string codeOrText) {
    match_ = std::move(codeOrText);
    return *this;
}
ScriptedAnswer& ScriptedAnswer::Answer(int answer) {
    answer_ = answer;
    return *this;
}
ScriptedAnswer& ScriptedAnswer::Choose(std::vector<std::string> codes) {
    codes_ = std::move(codes);
    cancel_ = false;
    return *this;
}
ScriptedAnswer& ScriptedAnswer::Cancel() {
    cancel_ = true;
    return *this;
}
ScriptedAnswer& ScriptedAnswer::Row(int recNo) {
    row_ = recNo;
    cancel_ = false;
    return *this;
}
ScriptedAnswer& ScriptedAnswer::Where(std::string field, std::string value) {
    whereField_ = std::move(field);
    whereValue_ = std::move(value);
    cancel_ = false;
    return *this;
}
ScriptedAnswer& ScriptedAnswer::Do(std::function<void(Form&)> action) {
    action_ = std::move(action);
    return *this;
}

ScriptedAnswer& ScriptedAnswer::From(std::string origin) {
    origin_ = std::move(origin);
    return *this;
}

ScriptedAnswer& ScriptedDialogs::Enqueue(DialogKind kind, std::string match) {
    ScriptedAnswer& answer = queue_.emplace_back();
    answer.kind_ = kind;
    if (!match.empty()) answer.match_ = std::move(match);
    return answer;
}

ScriptedAnswer& ScriptedDialogs::ExpectQuestion(std::string codeOrText) {
    return Enqueue(DialogKind::Question, std::move(codeOrText));
}
ScriptedAnswer& ScriptedDialogs::ExpectMultiSelect(std::string titleOrCode) {
    return Enqueue(DialogKind::MultiSelect, std::move(titleOrCode));
}
ScriptedAnswer& ScriptedDialogs::ExpectModal(std::string formName) {
    return Enqueue(DialogKind::Modal, std::move(formName));
}
ScriptedAnswer& ScriptedDialogs::ExpectPick(std::string title) {
    return Enqueue(DialogKind::PickList, std::move(title));
}
ScriptedAnswer& ScriptedDialogs::ExpectFind(std::string title) {
    return Enqueue(DialogKind::Find, std::move(title));
}

void ScriptedDialogs::Record(DialogRecord record) {
    records_.push_back(std::move(record));
    if (OnRecord) OnRecord(records_.back());
}

void ScriptedDialogs::Fail(const std::string& message) {
    throw ScriptFailure(message);
}

ScriptedAnswer ScriptedDialogs::TakeAnswer(DialogKind kind, const std::string& code, const std::string& text,
                                           const std::string& what) {
    const DialogKind wanted = kind == DialogKind::CustomQuestion ? DialogKind::Question : kind;
    if (queue_.empty())
        Fail(std::string("unexpected ") + DialogKindName(kind) + " " + what +
             ": no answer was queued for it");
    ScriptedAnswer& next = queue_.front();
    if (next.kind_ != wanted)
        Fail(std::string("unexpected ") + DialogKindName(kind) + " " + what +
             ": the next queued answer is for a " + DialogKindName(next.kind_) +
             (next.origin_.empty() ? "" : " (" + next.origin_ + ")"));
    if (!Matches(next.match_, code, text))
        Fail(std::string("unexpected ") + DialogKindName(kind) + " " + what +
             ": the next queued answer is for \"" + *next.match_ + "\"" +
             (next.origin_.empty() ? "" : " (" + next.origin_ + ")"));
    ScriptedAnswer answer = std::move(next);
    queue_.pop_front();
    return answer;
}

void ScriptedDialogs::ShowError(const ErrorRequest& error) {
    DialogRecord r;
    r.kind = DialogKind::Error;
    r.type = DialogType::Error;
    r.code = error.code;
    r.text = error.text;
    r.detail = error.detail;
    r.buttons = {"OK"};
    r.answer = mr::Ok;
    Record(std::move(r));
}

int ScriptedDialogs::ShowMessage(const MessageRequest& message) {
    DialogRecord r;
    r.type = message.type;
    r.code = message.code;
    r.text = message.text;
    r.caption = message.caption;
    r.buttons = ButtonsOf(message.buttons);
    if (!NeedsAnswer(message.buttons)) {
        r.kind = DialogKind::Message;
        r.answer = mr::Ok;
        Record(std::move(r));
        return mr::Ok;
    }
    r.kind = DialogKind::Question;
    ScriptedAnswer answer =
        TakeAnswer(DialogKind::Question, message.code, message.text, Quote(message.code, message.text));
    int value = answer.cancel_ ? mr::Cancel : answer.answer_.value_or(mr::Yes);
    if (!IsValidAnswer(value, message.buttons))
        Fail("question " + Quote(message.code, message.text) + " has no button answering " +
             std::to_string(value));
    r.answer = value;
    Record(std::move(r));
    return value;
}

int ScriptedDialogs::AskCustom(const CustomQuestion& question) {
    DialogRecord r;
    r.kind = DialogKind::CustomQuestion;
    r.type = question.type;
    r.code = question.code;
    r.text = question.text;
    r.caption = question.caption;
    r.buttons = question.buttons;
    if (question.buttons.size() <= 1) {
        r.answer = kFirstCustomAnswer;
        Record(std::move(r));
        return kFirstCustomAnswer;
    }
    ScriptedAnswer answer = TakeAnswer(DialogKind::CustomQuestion, question.code, question.text,
                                       Quote(question.code, question.text));
    int value = answer.answer_.value_or(kFirstCustomAnswer);
    const int last = kFirstCustomAnswer + static_cast<int>(question.buttons.size()) - 1;
    if (value < kFirstCustomAnswer || value > last)
        Fail("question " + Quote(question.code, question.text) + " has no button answering " +
             std::to_string(value) + " (its buttons answer " + std::to_string(kFirstCustomAnswer) + " to " +
             std::to_string(last) + ")");
    r.answer = value;
    Record(std::move(r));
    return value;
}

std::optional<std::vector<std::string>> ScriptedDialogs::SelectMany(const MultiSelectRequest& request) {
    DialogRecord r;
    r.kind = DialogKind::MultiSelect;
    r.text = request.title;
    ScriptedAnswer answer =
        TakeAnswer(DialogKind::MultiSelect, request.title, request.title, "\"" + request.title + "\"");
    if (answer.cancel_) {
        r.cancelled = true;
        Record(std::move(r));
        return std::nullopt;
    }
    for (const auto& code : answer.codes_) {
        bool known = false;
        for (const auto& item : request.items)
            known = known || item.code == code;
        if (!known) Fail("multi-select list \"" + request.title + "\" has no item \"" + code + "\"");
    }
    r.selection = answer.codes_;
    Record(std::move(r));
    return answer.codes_;
}

bool ScriptedDialogs::PickList(const PickListRequest& request) {
    const auto bar = request.title.find('|');
    const std::string title = request.title.substr(0, bar);
    const std::string emptyText = bar == std::string::npos ? std::string("Não há registros para escolher.")
                                                           : request.title.substr(bar + 1);
    DataSet* ds = request.source ? request.source->GetDataSet() : nullptr;
    if (!ds || !ds->Active() || ds->IsEmpty() || request.source->State() == DataSetState::Inactive) {
        ShowError(ErrorRequest{emptyText, {}, {}});
        return false;
    }
    DialogRecord r;
    r.kind = DialogKind::PickList;
    r.text = title;
    ScriptedAnswer answer = TakeAnswer(DialogKind::PickList, title, title, "\"" + title + "\"");
    if (answer.cancel_) {
        r.cancelled = true;
        Record(std::move(r));
        return false;
    }
    if (!answer.whereField_.empty()) {
        if (!ds->FindField(answer.whereField_))
            Fail("pick list \"" + title + "\" has no field " + answer.whereField_);
        if (!ds->Locate(answer.whereField_, Variant(answer.whereValue_)))
            Fail("pick list \"" + title + "\" has no row where " + answer.whereField_ + " = " +
                 answer.whereValue_);
        r.selection = {answer.whereField_ + "=" + answer.whereValue_};
    } else {
        int row = answer.row_ > 0 ? answer.row_ : 1;
        if (row > ds->RecordCount())
            Fail("pick list \"" + title + "\" has " + std::to_string(ds->RecordCount()) + " rows, not " +
                 std::to_string(row));
        ds->SetRecNo(row);
        r.selection = {"row " + std::to_string(row)};
    }
    Record(std::move(r));
    return true;
}

bool ScriptedDialogs::Find(const FindRequest& request) {
    DialogRecord r;
    r.kind = DialogKind::Find;
    r.text = request.title;
    ScriptedAnswer answer =
        TakeAnswer(DialogKind::Find, request.title, request.title, "\"" + request.title + "\"");
    DataSet* ds = request.dataSet;
    if (answer.cancel_ || !ds || !ds->Active()) {
        r.cancelled = true;
        Record(std::move(r));
        return false;
    }
    if (answer.whereField_.empty() || !ds->FindField(answer.whereField_))
        Fail("the find dialog needs a field of " + ds->Name() + ", not \"" + answer.whereField_ + "\"");
    LocateOptions options;
    options.caseInsensitive = true;
    options.partialKey = true;
    const bool found = ds->Locate(answer.whereField_, Variant(answer.whereValue_), options);
    r.selection = {answer.whereField_ + "=" + answer.whereValue_ + (found ? "" : " (not found)")};
    r.answer = found ? 1 : 0;
    Record(std::move(r));
    return found;
}

int ScriptedDialogs::RunModal(Form& form) {
    DialogRecord r;
    r.kind = DialogKind::Modal;
    r.text = form.Name();
    r.caption = form.Caption();
    const bool queued = !queue_.empty() && queue_.front().kind_ == DialogKind::Modal &&
                        Matches(queue_.front().match_, form.Name(), form.Name());
    if (!queued && OnUnscriptedModal) {
        Record(r);
        return OnUnscriptedModal(form);
    }
    ScriptedAnswer answer =
        TakeAnswer(DialogKind::Modal, form.Name(), form.Name(), "\"" + form.Name() + "\"");
    Record(r);
    if (answer.action_) answer.action_(form);
    if (form.ModalFinished()) return form.ModalResult();
    form.SetModalResult(answer.cancel_ ? mr::Cancel : answer.answer_.value_or(mr::Cancel));
    if (!form.ModalFinished())
        Fail("modal form \"" + form.Name() + "\" refused to close with result " +
             std::to_string(form.ModalResult()));
    return form.ModalResult();
}

void ScriptedDialogs::ShowBusy(const std::string& text) {
    ++busyDepth_;
    busyTexts_.push_back(text);
    DialogRecord r;
    r.kind = DialogKind::Busy;
    r.text = text;
    Record(std::move(r));
}

void ScriptedDialogs::HideBusy() {
    if (busyDepth_ > 0) --busyDepth_;
}

std::vector<DialogRecord> ScriptedDialogs::Messages() const {
    std::vector<DialogRecord> out;
    for (const auto& r : records_)
        if (r.kind != DialogKind::Busy && r.kind != DialogKind::Modal) out.push_back(r);
    return out;
}

std::vector<DialogRecord> ScriptedDialogs::Errors() const {
    std::vector<DialogRecord> out;
    for (const auto& r : records_)
        if (r.kind == DialogKind::Error) out.push_back(r);
    return out;
}

bool ScriptedDialogs::Shown(std::string_view codeOrText) const {
    for (const auto& r : records_) {
        if (r.kind == DialogKind::Busy || r.kind == DialogKind::Modal) continue;
        if ((!r.code.empty() && text::SameText(r.code, codeOrText)) || r.text == codeOrText) return true;
    }
    return false;
}

std::string ScriptedDialogs::Describe() const {
    std::string out;
    for (const auto& r : Messages())
        out += std::string(DialogKindName(r.kind)) + " " + Quote(r.code, r.text) + "\n";
    return out;
}

std::string ScriptedDialogs::DescribePending() const {
    std::string out;
    for (const auto& a : queue_) {
        out += DialogKindName(a.kind_);
        if (a.match_) out += " for \"" + *a.match_ + "\"";
        if (!a.origin_.empty()) out += " (" + a.origin_ + ")";
        out += "\n";
    }
    return out;
}

} // namespace dfe
