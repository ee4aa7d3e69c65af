// The date-range rule of the posting filter: both ends given (the issue range may be left open entirely),
// real dates, and the start not after the end.
#include "dfe11000/header/header_rules.h"
#include "dfe11000/module/frm_lanc_nf_entrada.h"
#include "platform/core/abort.h"
#include "platform/core/text.h"
#include "support/current_dialogs.h"

namespace dfe::dfe11000 {
namespace {

// The message text with each "%s" replaced, in order, by the next argument.
std::string Fill(std::string text, std::initializer_list<std::string_view> args) {
    size_t from = 0;
    for (std::string_view arg : args) {
        const size_t at = text.find("%s", from);
        if (at == std::string::npos) break;
        text.replace(at, 2, arg);
        from = at + arg.size();
    }
    return text;
}

} // namespace

void HeaderRules::Vd_Datas(DateEdit& start, DateEdit& end) {
    const std::string label = form_.msgPadrao.Msg(start.Name());
    auto refuse = [&](Control& focus, const char* code, std::string text) {
        if (focus.CanFocus()) focus.SetFocus();
        support::CurrentDialogs().ShowError(ErrorRequest{std::move(text), {}, code});
        ThrowAbort();
    };
    auto coded = [&](Control& focus, const char* code) {
        refuse(focus, code, Fill(form_.msgPadrao.Msg(code), {label, label}));
    };
    const TypedDate first = ReadTypedDate(start.EditText());
    const TypedDate last = ReadTypedDate(end.EditText());
    if (text::SameText(start.Name(), "depEmisIni")) {
        if (first.blank && last.blank) return;
        if (last.blank) coded(end, "DtFinal_Inf");
        if (first.blank) coded(start, "DtInicial_Inf");
    } else {
        if (first.blank) coded(start, "DtInicial_Inf");
        if (last.blank) coded(end, "DtFinal_Inf");
    }
    if (!first.valid) refuse(start, "", "\"" + start.EditText() + "\" não é uma data válida.");
    if (!last.valid) refuse(end, "", "\"" + end.EditText() + "\" não é uma data válida.");
    if (last.date < first.date) coded(start, "DtFinal_inv");
}

} // namespace dfe::dfe11000
