#include "host/host.h"

#include "platform/core/text.h"

namespace dfe::host {
namespace {

std::vector<std::filesystem::path> SearchDirs(const HostConfig& config) {
    auto dirs = config.packageDirs;
    dirs.push_back(ProgramDir());
    return dirs;
}

} // namespace

Host::Host(Application& app, HostConfig config)
    : app_(app), config_(std::move(config)), loader_(SearchDirs(config_), *this),
      mainForm_(app.CreateForm<Form>()) {
    HostServices::SetCurrent(this);
    mainForm_.SetName("frmPrincipal");
    mainForm_.SetCaption("Quilmar");
    mainForm_.SetBounds(0, 0, app.ScreenWidth(), app.ScreenHeight() - 40);
    app.SetMainForm(&mainForm_);
}

Host::~Host() {
    // Forms of packages go while their code is still there.
    app_.DestroyAllForms();
    if (HostServices::Current() == this) HostServices::SetCurrent(nullptr);
}

void Host::OpenScreen(std::string_view code) {
    auto it = config_.screens.find(text::Upper(code));
    if (it == config_.screens.end())
        throw PackageError("A tela " + std::string(code) + " não está instalada.");
    using Creator = void (*)();
    auto creator = reinterpret_cast<Creator>(loader_.Symbol(it->second.package, it->second.creator));
    app_.Dispatch([&] { creator(); });
}

} // namespace dfe::host
