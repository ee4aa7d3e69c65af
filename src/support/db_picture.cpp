#include "support/db_picture.h"

#include "platform/core/text.h"

namespace dfe::support {

TDBPicture::TDBPicture(const std::vector<int>& levelDigits) {
    for (int digits : levelDigits) {
        if (digits < 1) continue;
        if (!levels_.empty()) mask_ += '.';
        mask_ += std::string(static_cast<size_t>(digits), '9');
        levels_.push_back(digits);
    }
    if (!mask_.empty()) mask_ += ";1;_";
}

TDBPicture TDBPicture::FromMask(std::string_view mask) {
    const std::string_view first = mask.substr(0, mask.find(';'));
    std::vector<int> levels;
    for (const std::string& part : text::Split(first, '.')) {
        if (!part.empty()) levels.push_back(static_cast<int>(text::Length(part)));
    }
    return TDBPicture(levels);
}

int TDBPicture::LevelOf(std::string_view code) const {
    const std::vector<std::string> parts = text::Split(text::Trim(code), '.');
    if (parts.empty() || parts.size() > levels_.size()) return 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (!text::IsDigits(parts[i]) || static_cast<int>(parts[i].size()) != levels_[i]) return 0;
    }
    return static_cast<int>(parts.size());
}

} // namespace dfe::support
