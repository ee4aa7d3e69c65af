#include "support/format_msg.h"

namespace dfe::support {

std::string FormatMsg(std::string_view text, const std::vector<std::string>& args, bool* complete) {
    std::string out;
    out.reserve(text.size());
    size_t next = 0;
    bool all = true;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size()) {
            if (text[i + 1] == 's') {
                if (next < args.size())
                    out += args[next++];
                else
                    all = false;
                ++i;
                continue;
            }
            if (text[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    if (complete) *complete = all;
    return out;
}

} // namespace dfe::support
