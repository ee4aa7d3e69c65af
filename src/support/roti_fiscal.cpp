#include "support/roti_fiscal.h"

#include "platform/core/text.h"
#include "platform/net/closing_calls.h"
#include "support/format_msg.h"

namespace dfe::support {

TdtmRotiFiscal::TdtmRotiFiscal() {
    for (const net::FiscalMessage& m : net::kFiscalMessages)
        messages_.Add(m.code, std::string(m.code) + m.text);
}

std::string TdtmRotiFiscal::Msg(std::string_view code) const {
    if (text::Trim(code).empty() || !messages_.Has(code)) return {};
    return messages_.Msg(code);
}

std::string TdtmRotiFiscal::DisplayText(std::string_view stored, std::string_view tax) const {
    const std::string looked = Msg(stored);
    if (looked.empty()) return std::string(stored);
    const std::string shown = text::Left(text::Mid(looked, 4), 200);
    if (text::Mid(looked, 4, 30).find('%') == std::string::npos) return shown;
    bool complete = true;
    std::string formatted = FormatMsg(shown, {std::string(tax)}, &complete);
    if (!complete) formatted = FormatMsg(shown, {std::string(tax), std::string(tax)});
    return formatted;
}

} // namespace dfe::support
