#include "host/host_config.h"

#include "platform/core/text.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace dfe::host {
namespace {

bool IsNameChar(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_';
}

bool IsName(std::string_view s) {
    if (s.empty() || s.size() > 64) return false;
    for (char ch : s)
        if (!IsNameChar(ch)) return false;
    return true;
}

std::optional<bool> ParseFlag(std::string_view v) {
    for (auto yes : {"yes", "true", "sim", "s", "1"})
        if (text::SameText(v, yes)) return true;
    for (auto no : {"no", "false", "não", "nao", "n", "0"})
        if (text::SameText(v, no)) return false;
    return std::nullopt;
}

} // namespace

std::optional<std::string> NormalizeBranch(std::string_view text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    for (char ch : text)
        if (!IsNameChar(ch) || ch == '_') return std::nullopt;
    return text::PadLeft(text::Upper(text), 4, '0');
}

std::optional<DateTime> ParseConfigDate(std::string_view value) {
    if (value.size() == 10 && value[4] == '-' && value[7] == '-') {
        int y = 0, m = 0, d = 0;
        auto num = [&](size_t at, size_t len, int& out) {
            auto [end, err] = std::from_chars(value.data() + at, value.data() + at + len, out);
            return err == std::errc() && end == value.data() + at + len;
        };
        if (!num(0, 4, y) || !num(5, 2, m) || !num(8, 2, d) || !IsValidCivilDate(y, m, d))
            return std::nullopt;
        return DateTime::FromDate(y, m, d);
    }
    auto parsed = DateTime::Parse(value);
    if (!parsed || parsed->TimePart() != 0.0) return std::nullopt;
    return parsed;
}

std::optional<std::string> ApplySetting(HostConfig& config, std::string_view key, std::string_view value) {
    HostContext& c = config.context;
    const std::string k = text::Lower(key);
    const std::string v = text::Trim(value);
    if (k == "operator") {
        if (v.empty() || v.size() > 30) return "operator must have 1 to 30 characters";
        c.operatorCode = text::Upper(v);
    } else if (k == "branch") {
        auto branch = NormalizeBranch(v);
        if (!branch) return "branch must be 1 to 4 letters or digits";
        c.branch = *branch;
    } else if (k == "fixed_branch") {
        auto flag = ParseFlag(v);
        if (!flag) return "fixed_branch must be yes or no";
        c.fixedBranch = *flag;
    } else if (k == "processing_date") {
        auto date = ParseConfigDate(v);
        if (!date) return "processing_date must be a date (dd/mm/yyyy or yyyy-mm-dd)";
        c.processingDate = *date;
    } else if (text::StartsWith(k, "processing_date.")) {
        auto branch = NormalizeBranch(key.substr(16));
        if (!branch) return "processing_date.BRANCH needs a branch code";
        auto date = ParseConfigDate(v);
        if (!date) return "processing_date must be a date (dd/mm/yyyy or yyyy-mm-dd)";
        c.processingDates[*branch] = *date;
    } else if (k == "server") {
        auto colon = v.rfind(':');
        std::string host = colon == std::string::npos ? v : v.substr(0, colon);
        int port = c.serverPort;
        if (colon != std::string::npos) {
            auto digits = std::string_view(v).substr(colon + 1);
            auto [end, err] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
            if (err != std::errc() || end != digits.data() + digits.size() || port < 1 || port > 65535)
                return "server port must be a number from 1 to 65535";
        }
        if (host.empty()) return "server needs a host (host:port)";
        c.serverHost = host;
        c.serverPort = port;
    } else if (k == "database") {
        if (v.empty()) return "database must not be empty";
        c.database = v;
    } else if (k == "packages") {
        if (v.empty()) return "packages must name a folder";
        config.packageDirs.insert(config.packageDirs.begin(), std::filesystem::path(v));
    } else if (text::StartsWith(k, "screen.")) {
        std::string code = text::Upper(key.substr(7));
        auto colon = v.find(':');
        if (!IsName(code)) return "screen.CODE needs a screen code";
        if (colon == std::string::npos) return "screen needs Package:Creator";
        ScreenEntry entry{v.substr(0, colon), v.substr(colon + 1)};
        if (!IsName(entry.package) || !IsName(entry.creator))
            return "screen needs Package:Creator made of letters, digits and _";
        config.screens[code] = entry;
    } else {
        return "unknown setting \"" + std::string(key) + "\"";
    }
    return std::nullopt;
}

std::optional<std::string> LoadConfigFile(HostConfig& config, const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) return file.string() + ": cannot be read";
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::string trimmed = text::Trim(line);
        if (trimmed.empty() || trimmed[0] == '#') continue;
        auto equals = trimmed.find('=');
        auto where = file.string() + ":" + std::to_string(number) + ": ";
        if (equals == std::string::npos) return where + "expected key = value";
        auto error = ApplySetting(config, text::Trim(trimmed.substr(0, equals)), trimmed.substr(equals + 1));
        if (error) return where + *error;
    }
    return std::nullopt;
}

} // namespace dfe::host
