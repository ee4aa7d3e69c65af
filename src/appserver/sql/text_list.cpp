#include "appserver/sql/text_list.h"

#include "platform/core/text.h"

#include <stdexcept>

namespace dfe::appserver {

std::vector<std::string> ParseCodeList(std::string_view listText) {
    std::vector<std::string> codes;
    std::string current;
    auto flush = [&] {
        std::string code = text::Trim(current);
        if (code.size() >= 2 && (code.front() == '\'' || code.front() == '"') &&
            code.back() == code.front()) {
            code = text::Trim(code.substr(1, code.size() - 2));
        }
        if (!code.empty()) codes.push_back(std::move(code));
        current.clear();
    };
    for (char c : listText) {
        if (c == ',' || c == ';')
            flush();
        else
            current.push_back(c);
    }
    flush();
    return codes;
}

std::string BindCodeList(std::string_view prefix, const std::vector<std::string>& codes,
                         db::SqlParams& params) {
    if (codes.empty()) throw std::logic_error("lista de códigos vazia");
    std::string sql = "(";
    for (size_t i = 0; i < codes.size(); ++i) {
        const std::string name = std::string(prefix) + std::to_string(i);
        if (i) sql += ", ";
        sql += ":" + name;
        params.emplace_back(name, codes[i]);
    }
    return sql + ")";
}

} // namespace dfe::appserver
