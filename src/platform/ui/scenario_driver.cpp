#include "platform/ui/scenario_driver.h"

#include "platform/ui/controls.h"
#include "platform/ui/data_source_component.h"
#include "platform/ui/db_grid.h"
#include "platform/ui/scenario_line.h"

#include "platform/core/text.h"

#include <charconv>

namespace dfe {
namespace {

// A failure of the scenario at a given line.
class ScenarioFailure : public ScriptFailure {
public:
    ScenarioFailure(int line, const std::string& message) : ScriptFailure(message), line_(line) {}
    int Line() const { return line_; }

private:
    int line_;
};

std::string Describe(const Control* c) {
    return c ? c->Name() : std::string("-");
}

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<bool> ParseYesNo(std::string_view text) {
    for (auto yes : {"yes", "true", "sim", "1"})
        if (text::SameText(text, yes)) return true;
    for (auto no : {"no", "false", "não", "nao", "0"})
        if (text::SameText(text, no)) return false;
    return std::nullopt;
}

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

std::string DescribeRecord(const DialogRecord& r) {
    std::string out = DialogKindName(r.kind);
    if (!r.code.empty()) out += " [" + r.code + "]";
    out += " " + Quoted(r.text);
    if (!r.detail.empty()) out += " (" + r.detail + ")";
    if (r.kind == DialogKind::Question || r.kind == DialogKind::CustomQuestion)
        out += " -> " + std::to_string(r.answer);
    if (r.kind == DialogKind::MultiSelect || r.kind == DialogKind::PickList || r.kind == DialogKind::Find) {
        if (r.cancelled)
            out += " -> cancelled";
        else {
            out += " ->";
            for (const auto& code : r.selection)
                out += " " + code;
        }
    }
    return out;
}

bool IsMessage(const DialogRecord& r) {
    return r.kind != DialogKind::Busy && r.kind != DialogKind::Modal;
}

// Errors and plain messages; questions and lists were expected by the answer queued for them.
bool IsUnasked(const DialogRecord& r) {
    return r.kind == DialogKind::Error || r.kind == DialogKind::Message;
}

// "CDFILIAL=0002" into field and value; nothing when there is no "=".
std::optional<std::pair<std::string, std::string>> FieldAndValue(const std::string& word) {
    auto equals = word.find('=');
    if (equals == std::string::npos || equals == 0) return std::nullopt;
    return std::make_pair(word.substr(0, equals), word.substr(equals + 1));
}

} // namespace

// The scripted service of the driver: prints what is shown and runs modal forms on the next lines.
class ScenarioDriver::DriverDialogs : public ScriptedDialogs {
public:
    explicit DriverDialogs(ScenarioDriver& driver) : driver_(driver) {
        OnRecord = [this](const DialogRecord& r) {
            if (r.kind == DialogKind::Modal)
                driver_.Note("modal " + r.text);
            else if (r.kind == DialogKind::Busy)
                driver_.Note("busy " + Quoted(r.text));
            else
                driver_.Note(DescribeRecord(r));
        };
        OnUnscriptedModal = [this](Form& form) { return driver_.RunModal(form); };
    }

protected:
    [[noreturn]] void Fail(const std::string& message) override { driver_.Fail(message); }

private:
    ScenarioDriver& driver_;
};

ScenarioDriver::ScenarioDriver(Application& app, std::ostream& transcript)
    : app_(app), out_(transcript), dialogs_(std::make_unique<DriverDialogs>(*this)) {
    previousDialogs_ = &app_.Dialogs();
    app_.SetDialogs(dialogs_.get());
    focusSubscription_ = app_.SubscribeFocus([this](Form&, Control* from, Control* to) {
        Note("focus " + Describe(from) + " -> " + Describe(to));
    });
}

ScenarioDriver::~ScenarioDriver() {
    app_.UnsubscribeFocus(focusSubscription_);
    app_.SetDialogs(previousDialogs_);
}

ScriptedDialogs& ScenarioDriver::Dialogs() {
    return *dialogs_;
}

void ScenarioDriver::AddCommand(std::string name, Command command) {
    commands_[text::Lower(name)] = std::move(command);
}

void ScenarioDriver::AddExpectation(std::string name, Command command) {
    expectations_[text::Lower(name)] = std::move(command);
}

void ScenarioDriver::Fail(const std::string& message) {
    throw ScenarioFailure(currentLine_, message);
}

void ScenarioDriver::Note(const std::string& text) {
    out_ << "      " << text << "\n";
}

Form& ScenarioDriver::CurrentForm() {
    if (Form* form = app_.ActiveForm()) return *form;
    Fail("no form is active");
}

Component& ScenarioDriver::FindComponent(std::string_view path) {
    auto dot = path.find('.');
    if (dot != std::string_view::npos) {
        Form* form = app_.FindForm(path.substr(0, dot));
        if (!form) Fail("there is no form " + std::string(path.substr(0, dot)));
        Component* c = form->FindComponent(path.substr(dot + 1));
        if (!c) Fail("form " + form->Name() + " has no " + std::string(path.substr(dot + 1)));
        return *c;
    }
    if (Form* active = app_.ActiveForm()) {
        if (text::SameText(active->Name(), path)) return *active;
        if (Component* c = active->FindComponent(path)) return *c;
    }
    for (Form* form : app_.Forms()) {
        if (text::SameText(form->Name(), path)) return *form;
        if (Component* c = form->FindComponent(path)) return *c;
    }
    Fail("there is no " + std::string(path));
}

Control& ScenarioDriver::FindControl(std::string_view path) {
    auto* control = dynamic_cast<Control*>(&FindComponent(path));
    if (!control) Fail(std::string(path) + " is not a control");
    return *control;
}

DataSet& ScenarioDriver::FindDataSet(std::string_view name) {
    for (DataSet* ds : dataSets_)
        if (text::SameText(ds->Name(), name)) return *ds;
    for (Form* form : app_.Forms()) {
        for (Component* c : form->Components()) {
            DataSource* source = nullptr;
            if (auto* dsc = dynamic_cast<DataSourceComponent*>(c))
                source = &dsc->Source();
            else if (auto* control = dynamic_cast<Control*>(c))
                source = control->BoundSource();
            DataSet* ds = source ? source->GetDataSet() : nullptr;
            if (ds && text::SameText(ds->Name(), name)) return *ds;
        }
    }
    Fail("there is no dataset " + std::string(name));
}

ScenarioResult ScenarioDriver::Run(std::string_view script) {
    lines_ = text::Split(script, '\n');
    if (!lines_.empty() && lines_.back().empty()) lines_.pop_back();
    next_ = 0;
    consumed_.clear();
    ScenarioResult result;
    try {
        while (next_ < lines_.size())
            ExecuteNext();
        currentLine_ = static_cast<int>(lines_.size());
        CheckPendingAnswers();
    } catch (const ScenarioFailure& failure) {
        result = {false, failure.Line(), failure.what()};
    } catch (const ScriptFailure& failure) {
        result = {false, currentLine_, failure.what()};
    } catch (const std::exception& error) {
        result = {false, currentLine_, std::string("unexpected error: ") + error.what()};
    }
    if (result.passed)
        out_ << "PASSED (" << lines_.size() << " lines)\n";
    else
        out_ << "FAILED at line " << result.failedLine << ": " << result.failure << "\n";
    out_.flush();
    return result;
}

void ScenarioDriver::CheckPendingAnswers() {
    if (dialogs_->BusyDepth() > 0) Fail("the busy indicator was left up");
    const ScriptedAnswer* pending = dialogs_->FirstPending();
    if (!pending) return;
    const std::string& origin = pending->Origin();
    if (text::StartsWith(origin, "line "))
        if (auto line = ParseInt(std::string_view(origin).substr(5))) currentLine_ = *line;
    Fail(std::string("the answer queued here for a ") + DialogKindName(pending->Kind()) + " was never used");
}

void ScenarioDriver::ExecuteNext() {
    currentLine_ = static_cast<int>(next_) + 1;
    const std::string& raw = lines_[next_++];
    ScenarioLine line = SplitScenarioLine(raw);
    if (!line.error.empty()) Fail(line.error);
    if (line.words.empty()) return;
    out_ << std::to_string(currentLine_) << "> " << text::Trim(raw) << "\n";
    const int line_number = currentLine_;
    Execute(line.words);
    currentLine_ = line_number;
}

void ScenarioDriver::FocusForTyping(Control& control) {
    if (control.Focused()) return;
    if (!control.CanFocus()) Fail(control.Name() + " cannot take the focus (disabled or hidden)");
    app_.Dispatch([&] { control.SetFocus(); });
    if (!control.Focused())
        Fail("the focus did not move to " + control.Name() + ", it stayed on " +
             Describe(control.ParentForm()->ActiveControl()));
}

void ScenarioDriver::Execute(const Args& w) {
    const std::string verb = text::Lower(w[0]);
    const size_t n = w.size();
    auto need = [&](size_t count, const char* usage) {
        if (n != count) Fail(std::string("usage: ") + usage);
    };

    if (auto it = commands_.find(verb); it != commands_.end()) {
        it->second(*this, Args(w.begin() + 1, w.end()));
        return;
    }
    if (verb == "open") {
        need(2, "open SCREEN");
        if (!opener_) Fail("this driver cannot open screens");
        try {
            opener_(w[1]);
        } catch (const ScriptFailure&) {
            throw;
        } catch (const std::exception& error) {
            Fail(error.what());
        }
        if (Form* form = app_.ActiveForm()) Note("form " + form->Name() + " active");
    } else if (verb == "focus") {
        need(2, "focus CONTROL");
        FocusForTyping(FindControl(w[1]));
    } else if (verb == "type") {
        if (n == 2) {
            app_.TypeText(w[1]);
        } else {
            need(3, "type [CONTROL] TEXT");
            Control& control = FindControl(w[1]);
            FocusForTyping(control);
            app_.TypeText(w[2]);
        }
    } else if (verb == "press") {
        if (n < 2) Fail("usage: press KEY...");
        for (size_t i = 1; i < n; ++i) {
            auto stroke = ParseKeyStroke(w[i]);
            if (!stroke) Fail("unknown key " + Quoted(w[i]));
            app_.PressKey(stroke->key, stroke->shift);
        }
    } else if (verb == "click" || verb == "dblclick") {
        need(2, "click NAME");
        Component& target = FindComponent(w[1]);
        if (auto* item = dynamic_cast<MenuItem*>(&target)) {
            if (!item->Usable()) Fail("menu item " + item->Name() + " is disabled or hidden");
            app_.Click(*item);
        } else if (auto* page = dynamic_cast<TabSheet*>(&target)) {
            PageControl* pc = page->OwnerControl();
            if (!pc) Fail(page->Name() + " is not on a page control");
            app_.Dispatch([&] { pc->SelectPage(*page); });
        } else if (auto* control = dynamic_cast<Control*>(&target)) {
            if (!control->Showing() || !control->EnabledInChain())
                Fail(control->Name() + " cannot be clicked (disabled or hidden)");
            if (verb == "click")
                app_.Click(*control);
            else
                app_.DoubleClick(*control);
        } else {
            Fail(w[1] + " cannot be clicked");
        }
    } else if (verb == "select") {
        need(3, "select CONTROL ITEM");
        Control& control = FindControl(w[1]);
        auto index =
            w[2].size() > 1 && w[2][0] == '#' ? ParseInt(std::string_view(w[2]).substr(1)) : std::nullopt;
        if (auto* combo = dynamic_cast<ComboBox*>(&control)) {
            FocusForTyping(*combo);
            if (index && (*index < 0 || *index >= static_cast<int>(combo->Items().size())))
                Fail(combo->Name() + " has no item " + w[2]);
            app_.Dispatch([&] {
                int chosen = index.value_or(-1);
                for (size_t i = 0; !index && i < combo->Items().size(); ++i)
                    if (combo->Items()[i] == w[2]) chosen = static_cast<int>(i);
                if (chosen >= 0) combo->ChooseAsClerk(chosen);
            });
            if (!index && combo->Text() != w[2]) Fail(combo->Name() + " has no item " + Quoted(w[2]));
        } else if (auto* group = dynamic_cast<RadioGroup*>(&control)) {
            int chosen = index.value_or(-1);
            for (size_t i = 0; !index && i < group->Items().size(); ++i)
                if (group->Items()[i] == w[2]) chosen = static_cast<int>(i);
            if (chosen < 0 || chosen >= static_cast<int>(group->Items().size()))
                Fail(group->Name() + " has no item " + Quoted(w[2]));
            FocusForTyping(*group);
            app_.Dispatch([&] { group->ChooseAsClerk(chosen); });
        } else if (auto* pc = dynamic_cast<PageControl*>(&control)) {
            TabSheet* page = nullptr;
            for (TabSheet* p : pc->Pages())
                if (text::SameText(p->Name(), w[2]) || p->Caption() == w[2]) page = p;
            if (!page) Fail(pc->Name() + " has no page " + Quoted(w[2]));
            app_.Dispatch([&] { pc->SelectPage(*page); });
        } else {
            Fail(control.Name() + " has no items to select");
        }
    } else if (verb == "answer") {
        if (n != 2 && n != 3) Fail("usage: answer N [CODE]");
        int value = 0;
        if (auto v = ParseInt(w[1]))
            value = *v;
        else if (auto yes = ParseYesNo(w[1]))
            value = *yes ? mr::Yes : mr::No;
        else if (text::SameText(w[1], "cancel"))
            value = mr::Cancel;
        else if (text::SameText(w[1], "ok"))
            value = mr::Ok;
        else
            Fail("answer needs a number (6 yes, 7 no, 10 first button...)");
        auto& answer = dialogs_->ExpectQuestion(n == 3 ? w[2] : std::string()).Answer(value);
        answer.From("line " + std::to_string(currentLine_));
    } else if (verb == "choose") {
        need(2, "choose CODE,CODE... | cancel");
        auto& answer = dialogs_->ExpectMultiSelect();
        answer.From("line " + std::to_string(currentLine_));
        if (text::SameText(w[1], "cancel"))
            answer.Cancel();
        else
            answer.Choose(text::Split(w[1], ','));
    } else if (verb == "pick" || verb == "find") {
        need(2, verb == "pick" ? "pick ROW | FIELD=VALUE | cancel" : "find FIELD=VALUE | cancel");
        auto& answer = verb == "pick" ? dialogs_->ExpectPick() : dialogs_->ExpectFind();
        answer.From("line " + std::to_string(currentLine_));
        if (text::SameText(w[1], "cancel"))
            answer.Cancel();
        else if (auto fv = FieldAndValue(w[1]))
            answer.Where(fv->first, fv->second);
        else if (auto row = ParseInt(w[1]); row && verb == "pick" && *row > 0)
            answer.Row(*row);
        else
            Fail(verb == "pick" ? "pick needs a row number, FIELD=VALUE or cancel"
                                : "find needs FIELD=VALUE or cancel");
    } else if (verb == "cell" || verb == "ellipsis" || verb == "title") {
        if (verb == "cell")
            need(4, "cell GRID ROW COLUMN");
        else if (verb == "title")
            need(3, "title GRID COLUMN");
        else
            need(2, "ellipsis GRID");
        auto* grid = dynamic_cast<DBGrid*>(&FindControl(w[1]));
        if (!grid) Fail(w[1] + " is not a grid");
        if (!grid->Showing() || !grid->EnabledInChain())
            Fail(grid->Name() + " cannot be clicked (disabled or hidden)");
        auto columnOf = [&](const std::string& spec) {
            if (spec.size() > 1 && spec[0] == '#') {
                auto index = ParseInt(std::string_view(spec).substr(1));
                if (!index || *index < 0 || *index >= grid->ColumnCount())
                    Fail(grid->Name() + " has no column " + spec);
                return *index;
            }
            GridColumn* column = grid->FindColumn(spec);
            if (!column) Fail(grid->Name() + " has no column " + spec);
            return column->Index();
        };
        if (verb == "cell" && w[2] == "current") {
            const int column = columnOf(w[3]);
            app_.Dispatch([&] { grid->ClickCurrentCell(column); });
        } else if (verb == "cell") {
            auto row = ParseInt(w[2]);
            DataSet* ds = grid->GetDataSet();
            if (!row || !ds || *row < 1 || *row > ds->RecordCount())
                Fail(grid->Name() + " has no row " + w[2]);
            const int column = columnOf(w[3]);
            app_.Dispatch([&] { grid->ClickCell(*row, column); });
        } else if (verb == "title") {
            const int column = columnOf(w[2]);
            app_.Dispatch([&] { grid->ClickTitle(column); });
        } else {
            GridColumn* column = grid->SelectedColumn();
            if (!column || column->ButtonStyle() != ColumnButton::Ellipsis)
                Fail("the current column of " + grid->Name() + " has no ellipsis button");
            app_.Dispatch([&] { grid->ClickEditButton(); });
        }
    } else if (verb == "close") {
        Form& form = n == 2 ? *[&] {
            auto* f = dynamic_cast<Form*>(&FindComponent(w[1]));
            if (!f) Fail(w[1] + " is not a form");
            return f;
        }()
                            : CurrentForm();
        app_.Dispatch([&] { form.Close(); });
    } else if (verb == "screenshot") {
        need(2, "screenshot FILE");
        Renderer* renderer = app_.GetRenderer();
        if (!renderer) {
            Note("screenshot " + w[1] + " skipped: no renderer");
        } else if (!renderer->Screenshot(CurrentForm(), w[1])) {
            Fail("could not write the screenshot " + w[1]);
        } else {
            Note("screenshot " + w[1]);
        }
    } else if (verb == "expect") {
        Expect(w);
    } else {
        Fail("unknown command " + Quoted(w[0]));
    }
}

void ScenarioDriver::Expect(const Args& w) {
    if (w.size() < 2) Fail("usage: expect WHAT ...");
    const std::string what = text::Lower(w[1]);
    const size_t n = w.size();
    auto need = [&](size_t count, const char* usage) {
        if (n != count) Fail(std::string("usage: expect ") + usage);
    };
    if (auto it = expectations_.find(what); it != expectations_.end()) {
        it->second(*this, Args(w.begin() + 2, w.end()));
        return;
    }
    const auto& records = dialogs_->Records();
    consumed_.resize(records.size(), false);

    if (what == "message") {
        need(3, "message CODE-OR-TEXT");
        for (size_t i = 0; i < records.size(); ++i) {
            const auto& r = records[i];
            if (consumed_[i] || !IsMessage(r)) continue;
            if ((!r.code.empty() && text::SameText(r.code, w[2])) || r.text == w[2]) {
                consumed_[i] = true;
                return;
            }
        }
        std::string shown;
        for (size_t i = 0; i < records.size(); ++i)
            if (!consumed_[i] && IsMessage(records[i])) shown += "\n        " + DescribeRecord(records[i]);
        Fail("no message " + Quoted(w[2]) + " was shown" +
             (shown.empty() ? "" : "; unchecked ones:" + shown));
    } else if (what == "no-message") {
        need(2, "no-message");
        for (size_t i = 0; i < records.size(); ++i)
            if (!consumed_[i] && IsUnasked(records[i])) Fail("unexpected " + DescribeRecord(records[i]));
    } else if (what == "focus") {
        need(3, "focus CONTROL");
        Control& control = FindControl(w[2]);
        Form* form = control.ParentForm();
        if (app_.ActiveForm() != form || !control.Focused())
            Fail("the focus is on " +
                 Describe(app_.ActiveForm() ? app_.ActiveForm()->ActiveControl() : nullptr) + ", not on " +
                 control.Name());
    } else if (what == "enabled" || what == "disabled") {
        need(3, "enabled CONTROL");
        Component& c = FindComponent(w[2]);
        bool enabled = false;
        if (auto* item = dynamic_cast<MenuItem*>(&c))
            enabled = item->Enabled();
        else if (auto* control = dynamic_cast<Control*>(&c))
            enabled = control->Enabled();
        else
            Fail(w[2] + " has no enabled state");
        if (enabled != (what == "enabled")) Fail(w[2] + " is " + (enabled ? "enabled" : "disabled"));
    } else if (what == "visible" || what == "hidden") {
        need(3, "visible CONTROL");
        Component& c = FindComponent(w[2]);
        bool visible = false;
        if (auto* item = dynamic_cast<MenuItem*>(&c))
            visible = item->Visible();
        else if (auto* control = dynamic_cast<Control*>(&c))
            visible = control->Visible();
        else
            Fail(w[2] + " has no visible state");
        if (visible != (what == "visible")) Fail(w[2] + " is " + (visible ? "visible" : "hidden"));
    } else if (what == "color" || what == "colour") {
        need(4, "colour CONTROL COLOUR");
        Control& control = FindControl(w[2]);
        auto wanted = ParseColor(w[3]);
        if (!wanted) Fail("unknown colour " + Quoted(w[3]));
        if (control.GetColor() != *wanted)
            Fail(control.Name() + " is " + ColorName(control.GetColor()) + ", not " + ColorName(*wanted));
    } else if (what == "caption") {
        need(4, "caption NAME TEXT");
        Component& c = FindComponent(w[2]);
        std::string caption;
        if (auto* item = dynamic_cast<MenuItem*>(&c))
            caption = item->Caption();
        else if (auto* control = dynamic_cast<Control*>(&c))
            caption = control->Caption();
        else
            Fail(w[2] + " has no caption");
        if (caption != w[3]) Fail(w[2] + " has caption " + Quoted(caption) + ", not " + Quoted(w[3]));
    } else if (what == "text") {
        need(4, "text CONTROL TEXT");
        Control& control = FindControl(w[2]);
        if (control.Text() != w[3])
            Fail(control.Name() + " holds " + Quoted(control.Text()) + ", not " + Quoted(w[3]));
    } else if (what == "checked" || what == "unchecked") {
        need(3, "checked NAME");
        Component& c = FindComponent(w[2]);
        bool checked = false;
        if (auto* item = dynamic_cast<MenuItem*>(&c))
            checked = item->Checked();
        else if (auto* box = dynamic_cast<CheckBox*>(&c))
            checked = box->Checked();
        else if (auto* radio = dynamic_cast<RadioButton*>(&c))
            checked = radio->Checked();
        else if (auto* speed = dynamic_cast<SpeedButton*>(&c))
            checked = speed->Down();
        else
            Fail(w[2] + " has no checked state");
        if (checked != (what == "checked")) Fail(w[2] + " is " + (checked ? "checked" : "unchecked"));
    } else if (what == "readonly") {
        need(3, "readonly CONTROL");
        if (!FindControl(w[2]).ReadOnly()) Fail(w[2] + " is not read-only");
    } else if (what == "page") {
        need(4, "page CONTROL PAGE");
        Control& control = FindControl(w[2]);
        if (auto* pc = dynamic_cast<PageControl*>(&control)) {
            TabSheet* page = pc->ActivePage();
            std::string name = page ? page->Name() : "-";
            if (!text::SameText(name, w[3])) Fail(pc->Name() + " shows " + name + ", not " + w[3]);
        } else if (auto* nbk = dynamic_cast<Notebook*>(&control)) {
            auto index = ParseInt(w[3]);
            if (!index) Fail("a notebook page is a number");
            if (nbk->PageIndex() != *index)
                Fail(nbk->Name() + " shows page " + std::to_string(nbk->PageIndex()) + ", not " + w[3]);
        } else {
            Fail(control.Name() + " has no pages");
        }
    } else if (what == "field" || what == "null") {
        if (what == "field")
            need(4, "field DATASET.FIELD VALUE");
        else
            need(3, "null DATASET.FIELD");
        auto dot = w[2].find('.');
        if (dot == std::string::npos) Fail("name the field as DATASET.FIELD");
        DataSet& ds = FindDataSet(std::string_view(w[2]).substr(0, dot));
        Field* field = ds.FindField(std::string_view(w[2]).substr(dot + 1));
        if (!field) Fail(ds.Name() + " has no field " + w[2].substr(dot + 1));
        if (what == "null") {
            if (!field->IsNull()) Fail(w[2] + " holds " + Quoted(field->AsString()) + ", not null");
        } else if (field->AsString() != w[3] && field->DisplayText() != w[3]) {
            Fail(w[2] + " holds " + (field->IsNull() ? std::string("null") : Quoted(field->AsString())) +
                 ", not " + Quoted(w[3]));
        }
    } else if (what == "state") {
        need(4, "state DATASET browse|edit|insert|inactive");
        DataSet& ds = FindDataSet(w[2]);
        const char* names[] = {"inactive", "browse", "edit", "insert", "calcfields", "filter"};
        const std::string state = names[static_cast<int>(ds.State())];
        if (!text::SameText(state, w[3])) Fail(ds.Name() + " is in " + state + ", not " + w[3]);
    } else if (what == "rows") {
        need(4, "rows DATASET N");
        DataSet& ds = FindDataSet(w[2]);
        auto count = ParseInt(w[3]);
        if (!count) Fail("rows needs a number");
        if (ds.RecordCount() != *count)
            Fail(ds.Name() + " has " + std::to_string(ds.RecordCount()) + " rows, not " + w[3]);
    } else if (what == "cell") {
        need(6, "cell GRID ROW COLUMN TEXT");
        auto* grid = dynamic_cast<DBGrid*>(&FindControl(w[2]));
        if (!grid) Fail(w[2] + " is not a grid");
        auto row = ParseInt(w[3]);
        DataSet* ds = grid->GetDataSet();
        if (!row || !ds || *row < 1 || *row > ds->RecordCount()) Fail(grid->Name() + " has no row " + w[3]);
        GridColumn* column = grid->FindColumn(w[4]);
        if (!column) Fail(grid->Name() + " has no column " + w[4]);
        const std::string textShown = grid->CellText(*row, column->Index());
        if (textShown != w[5]) Fail(grid->Name() + " shows " + Quoted(textShown) + ", not " + Quoted(w[5]));
    } else if (what == "form") {
        need(3, "form NAME");
        Form* active = app_.ActiveForm();
        if (!active || !text::SameText(active->Name(), w[2]))
            Fail("the active form is " + std::string(active ? active->Name() : "none") + ", not " + w[2]);
    } else {
        Fail("unknown expectation " + Quoted(w[1]));
    }
}

int ScenarioDriver::RunModal(Form& form) {
    const int openedAt = currentLine_;
    while (!form.ModalFinished()) {
        if (next_ >= lines_.size()) {
            currentLine_ = openedAt;
            Fail("the script ended while the modal form " + form.Name() + " opened here was open");
        }
        ExecuteNext();
    }
    Note("modal " + form.Name() + " ended with " + std::to_string(form.ModalResult()));
    return form.ModalResult();
}

} // namespace dfe
