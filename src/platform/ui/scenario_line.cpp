#include "platform/ui/scenario_line.h"

namespace dfe {

ScenarioLine SplitScenarioLine(std::string_view line) {
    ScenarioLine out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        if (i >= line.size()) break;
        if (out.words.empty() && line[i] == '#') break;
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char ch = line[i++];
                if (ch == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\')) {
                    word += line[i++];
                } else if (ch == '"') {
                    closed = true;
                    break;
                } else {
                    word += ch;
                }
            }
            if (!closed) {
                out.error = "unclosed quote";
                out.words.clear();
                return out;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                word += line[i++];
        }
        out.words.push_back(std::move(word));
    }
    return out;
}

} // namespace dfe
