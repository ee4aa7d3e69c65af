// quilmar: the host program. Headless for now: it builds the session context, loads module packages and
// runs scenarios over their screens.
#include "host/command_line.h"
#include "host/console_dialogs.h"
#include "host/host.h"

#include "platform/ui/scenario_driver.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

using namespace dfe;
using namespace dfe::host;

int RunScript(Host& host, const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) {
        std::cerr << "quilmar: cannot read the script " << file.string() << "\n";
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();
    ScenarioDriver driver(host.App(), std::cout);
    driver.SetScreenOpener([&host](const std::string& code) {
        try {
            host.OpenScreen(code);
        } catch (const PackageError& error) {
            if (!error.Detail().empty()) std::cout << "      (" << error.Detail() << ")\n";
            throw;
        }
    });
    std::cout << "scenario " << file.string() << "\n";
    return driver.Run(text.str()).passed ? 0 : 1;
}

void PrintContext(const Host& host) {
    const HostContext& c = host.Context();
    std::cout << "operator " << c.operatorCode << ", branch " << c.branch << (c.fixedBranch ? " (fixed)" : "")
              << ", processing date " << c.ProcessingDate(c.branch).Format("dd/mm/yyyy") << "\n"
              << "server " << c.serverHost << ":" << c.serverPort << ", database " << c.database << "\n";
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    auto parsed = ParseCommandLine(args);
    if (!parsed.error.empty()) {
        std::cerr << "quilmar: " << parsed.error << "\n" << Usage();
        return 2;
    }
    const HostOptions& options = parsed.options;
    if (options.help) {
        std::cout << Usage();
        return 0;
    }
    HostConfig config;
    auto file = ChooseConfigFile(options, std::getenv("QUILMAR_CONFIG"), ProgramDir());
    if (auto error = BuildConfig(config, options, file)) {
        std::cerr << "quilmar: " << *error << "\n";
        return 2;
    }
    if (!options.headless) {
        std::cerr << "quilmar: this build has no window yet; run it with --headless\n";
        return 2;
    }

    Application app;
    ConsoleDialogs console(std::cout);
    app.SetDialogs(&console);
    Host host(app, std::move(config));
    host.MainForm().Show();
    if (options.script) return RunScript(host, *options.script);
    PrintContext(host);
    if (options.openScreen) {
        try {
            host.OpenScreen(*options.openScreen);
        } catch (const PackageError& error) {
            std::cerr << "quilmar: " << error.what()
                      << (error.Detail().empty() ? "" : " (" + error.Detail() + ")") << "\n";
            return 1;
        }
        if (Form* form = app.ActiveForm()) std::cout << "screen " << form->Name() << " open\n";
    }
    return 0;
}
