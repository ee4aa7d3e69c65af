#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace dfe::support {

// A screen's message table: lines "code|text", looked up by code. Only the first "|" separates, so texts
// may contain bars. Codes compare without regard to letter case.
class TMessages {
public:
    TMessages() = default;
    explicit TMessages(const std::vector<std::string>& lines) { AddLines(lines); }

    void AddLines(const std::vector<std::string>& lines);
    void Add(std::string_view code, std::string_view text);

    bool Has(std::string_view code) const;
    // The text of a code; an unknown code gives the code itself in brackets so that a missing entry is
    // visible to the clerk and in tests, never an empty dialog.
    std::string Msg(std::string_view code) const;

private:
    static std::string Key(std::string_view code);
    std::map<std::string, std::string> texts_;
};

} // namespace dfe::support
