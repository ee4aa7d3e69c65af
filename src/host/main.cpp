// quilmar: the host program. It builds the session context, loads module packages and shows their screens
// in its window (Qt), or runs headless; both run scenarios over the screens.
#include "host/command_line.h"
#include "host/console_dialogs.h"
#include "host/embedded_backend.h"
#include "host/embedded_default.h"
#include "host/host.h"
#include "host/host_menu.h"
#include "qtui/desktop.h"

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

// Without a database chosen (config file, --database), the window starts on the embedded default.
bool WantsEmbeddedDefault(const HostOptions& options, const std::optional<std::filesystem::path>& file) {
    if (options.headless || file) return false;
    for (const auto& [key, value] : options.settings)
        if (key == "database" || key == "server") return false;
    return true;
}

int RunWindowed(Application& app, Host& host, const HostOptions& options, int& argc, char** argv) {
    BuildHostMenu(host);
    if (options.script)
        return qtui::WithQtRenderer(app, argc, argv, [&] {
            host.MainForm().Show();
            return RunScript(host, *options.script);
        });
    qtui::DesktopOptions desktop;
    if (options.screenshot) desktop.screenshot = options.screenshot->string();
    desktop.quitAfterScreenshot = options.quitAfterScreenshot;
    if (options.openScreen) desktop.startup = [&host, code = *options.openScreen] { host.OpenScreen(code); };
    return qtui::RunDesktop(app, host.MainForm(), desktop, argc, argv);
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
    if (WantsEmbeddedDefault(options, file)) {
        // The demo database in the user's data folder, served by the embedded server below.
        const auto dir = DefaultDataDir(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        if (ec) {
            std::cerr << "quilmar: the data folder " << dir.string() << " could not be made: " << ec.message()
                      << "\n";
            return 2;
        }
        config.context.database = (dir / "dfe-demo.db").string();
        config.context.serverHost = kEmbeddedServer;
    }
    // The embedded default: the application server runs inside this process.
    std::unique_ptr<EmbeddedBackend> backend;
    if (config.context.serverHost == kEmbeddedServer) {
        try {
            backend = std::make_unique<EmbeddedBackend>(config.context.database);
        } catch (const std::exception& error) {
            std::cerr << "quilmar: the embedded server could not start: " << error.what() << "\n";
            return 1;
        }
        config.context.serverHost = "127.0.0.1";
        config.context.serverPort = backend->Port();
    }

    try {
        Application app;
        Host host(app, std::move(config));
        if (!options.headless) return RunWindowed(app, host, options, argc, argv);
        ConsoleDialogs console(std::cout);
        app.SetDialogs(&console);
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
    } catch (const std::exception& error) {
        // Nothing may end the program without saying why.
        std::cerr << "quilmar: " << error.what() << "\n";
        return 1;
    }
}
