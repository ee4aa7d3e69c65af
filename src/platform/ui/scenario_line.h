#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dfe {

// One line of a scenario split into words. Words are separated by blanks; a word in double quotes may hold
// blanks, and inside it \" and \\ stand for " and \. A line whose first word starts with # is a comment.
// Returns nothing (and the reason) when a quote is left open.
struct ScenarioLine {
    std::vector<std::string> words;
    std::string error;
};

ScenarioLine SplitScenarioLine(std::string_view line);

} // namespace dfe
