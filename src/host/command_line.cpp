#include "host/command_line.h"

#include <map>

namespace dfe::host {
namespace {

// Options that take a value and the setting each one is.
const std::map<std::string, std::string>& ValueOptions() {
    static const std::map<std::string, std::string> options{
        {"--operator", "operator"}, {"--branch", "branch"},     {"--date", "processing_date"},
        {"--server", "server"},     {"--database", "database"}, {"--packages", "packages"},
    };
    return options;
}

} // namespace

std::string Usage() {
    return "usage: quilmar [options]\n"
           "  --headless            run without a window (no Qt at all)\n"
           "  --screenshot FILE     write a PNG of the window once it is up\n"
           "  --quit-after-screenshot  exit right after the screenshot (0 when it was written)\n"
           "  --script FILE         run a scenario and exit with 0 when it passes, 1 when it fails\n"
           "  --open CODE           open a screen of the menu (DFE11000)\n"
           "  --config FILE         settings file (default: $QUILMAR_CONFIG, else quilmar.conf next to "
           "quilmar)\n"
           "  --operator CODE       operator of the session\n"
           "  --branch CODE         branch in process\n"
           "  --date DD/MM/YYYY     processing date\n"
           "  --fixed-branch        run modules for the branch in process only\n"
           "  --server HOST:PORT    application server\n"
           "  --database PATH       database location\n"
           "  --packages DIR        folder of module packages (searched before the program's own)\n"
           "  --screen CODE=PKG:FN  add a screen to the menu\n"
           "  --set KEY=VALUE       any setting of the config file\n"
           "  --help                this text\n";
}

CommandLineResult ParseCommandLine(const std::vector<std::string>& args) {
    CommandLineResult result;
    HostOptions& o = result.options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                result.error = arg + " needs a value";
                return std::nullopt;
            }
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--headless") {
            o.headless = true;
        } else if (arg == "--quit-after-screenshot") {
            o.quitAfterScreenshot = true;
        } else if (arg == "--fixed-branch") {
            o.settings.emplace_back("fixed_branch", "yes");
        } else if (arg == "--script" || arg == "--config" || arg == "--open" || arg == "--screen" ||
                   arg == "--set" || arg == "--screenshot") {
            auto v = value();
            if (!v) return result;
            if (arg == "--screenshot")
                o.screenshot = *v;
            else if (arg == "--script")
                o.script = *v;
            else if (arg == "--config")
                o.configFile = *v;
            else if (arg == "--open")
                o.openScreen = *v;
            else {
                auto equals = v->find('=');
                if (equals == std::string::npos || equals == 0) {
                    result.error =
                        arg + " needs " + (arg == "--screen" ? "CODE=Package:Creator" : "KEY=VALUE");
                    return result;
                }
                std::string key = v->substr(0, equals);
                o.settings.emplace_back(arg == "--screen" ? "screen." + key : key, v->substr(equals + 1));
            }
        } else if (auto it = ValueOptions().find(arg); it != ValueOptions().end()) {
            auto v = value();
            if (!v) return result;
            o.settings.emplace_back(it->second, *v);
        } else {
            result.error = "unknown option " + arg;
            return result;
        }
    }
    return result;
}

std::optional<std::filesystem::path> ChooseConfigFile(const HostOptions& options,
                                                      const char* environmentValue,
                                                      const std::filesystem::path& programDir) {
    if (options.configFile) return options.configFile;
    if (environmentValue && *environmentValue) return std::filesystem::path(environmentValue);
    auto beside = programDir / "quilmar.conf";
    std::error_code ec;
    if (std::filesystem::is_regular_file(beside, ec)) return beside;
    return std::nullopt;
}

std::optional<std::string> BuildConfig(HostConfig& config, const HostOptions& options,
                                       const std::optional<std::filesystem::path>& file) {
    if (file)
        if (auto error = LoadConfigFile(config, *file)) return error;
    for (const auto& [key, value] : options.settings)
        if (auto error = ApplySetting(config, key, value)) return "command line: " + *error;
    return std::nullopt;
}

} // namespace dfe::host
