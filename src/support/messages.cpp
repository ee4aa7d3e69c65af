#include "support/messages.h"

#include "platform/core/text.h"

namespace dfe::support {

std::string TMessages::Key(std::string_view code) {
    return text::Upper(text::Trim(code));
}

void TMessages::AddLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const size_t bar = line.find('|');
        if (bar == std::string::npos) continue;
        Add(std::string_view(line).substr(0, bar), std::string_view(line).substr(bar + 1));
    }
}

void TMessages::Add(std::string_view code, std::string_view value) {
    texts_[Key(code)] = std::string(value);
}

bool TMessages::Has(std::string_view code) const {
    return texts_.count(Key(code)) != 0;
}

std::string TMessages::Msg(std::string_view code) const {
    const auto it = texts_.find(Key(code));
    return it != texts_.end() ? it->second : "[" + std::string(code) + "]";
}

} // namespace dfe::support
