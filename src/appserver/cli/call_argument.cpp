#include "appserver/cli/call_argument.h"

#include "platform/core/decimal.h"
#include "platform/core/text.h"
#include "platform/db/sql_date.h"

#include <charconv>
#include <stdexcept>

namespace dfe::appserver {
namespace {

bool TakePrefix(std::string_view& s, std::string_view prefix) {
    if (!text::StartsWith(s, prefix)) return false;
    s.remove_prefix(prefix.size());
    return true;
}

[[noreturn]] void Bad(std::string_view what, std::string_view value) {
    throw std::invalid_argument("argumento inválido (" + std::string(what) + "): " + std::string(value));
}

} // namespace

net::RpcArg ParseCallArgument(std::string_view s) {
    if (TakePrefix(s, "str:")) return {net::ArgType::String, true, Variant(std::string(s))};
    if (TakePrefix(s, "int:")) {
        int64_t v = 0;
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc() || end != s.data() + s.size()) Bad("int", s);
        return {net::ArgType::Integer, false, Variant(v)};
    }
    if (TakePrefix(s, "float:")) {
        const auto v = decimal::Parse(s);
        if (!v) Bad("float", s);
        return {net::ArgType::Double, false, Variant(*v)};
    }
    if (TakePrefix(s, "date:")) {
        auto d = db::ParseSqlDate(s);
        if (!d) d = DateTime::Parse(s);
        if (!d) Bad("date", s);
        return {net::ArgType::Date, false, Variant(*d)};
    }
    if (TakePrefix(s, "bool:")) {
        if (s == "true" || s == "S") return {net::ArgType::Boolean, false, Variant(true)};
        if (s == "false" || s == "N") return {net::ArgType::Boolean, false, Variant(false)};
        Bad("bool", s);
    }
    if (TakePrefix(s, "null:")) return {net::ArgType::Variant, false, Variant::Null()};
    return {net::ArgType::String, true, Variant(std::string(s))};
}

} // namespace dfe::appserver
