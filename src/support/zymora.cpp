#include "support/zymora.h"

#include "platform/ui/host_services.h"
#include "support/current_dialogs.h"
#include "support/show_msg.h"

namespace dfe::support::zymora {
namespace {

std::string gDBPict = "9.99.999;1;_";

const HostContext& Context() {
    if (HostServices* host = HostServices::Current()) return host->Context();
    return LocalContext();
}

} // namespace

HostContext& LocalContext() {
    static HostContext context;
    return context;
}

std::string Operador() {
    return Context().operatorCode;
}

std::string FiliProc() {
    return Context().branch;
}

DateTime DataProc(std::string_view branch) {
    const HostContext& c = Context();
    return c.ProcessingDate(branch.empty() ? std::string_view(c.branch) : branch);
}

bool ModuFili() {
    return Context().fixedBranch;
}

std::string WebURL() {
    return Context().serverHost;
}

int WebPort() {
    return Context().serverPort;
}

std::string DBPict() {
    return gDBPict;
}

void SetDBPict(std::string mask) {
    gDBPict = std::move(mask);
}

bool LoadBPL(std::string_view package, std::string_view /*arguments*/) {
    HostServices* host = HostServices::Current();
    if (!host) {
        MensErro("O módulo " + std::string(package) + " não está disponível fora do Quilmar.", false);
        return false;
    }
    try {
        host->OpenScreen(package);
        return true;
    } catch (const PackageError& error) {
        ShowDetailError(error.what(), error.Detail());
        return false;
    }
}

void SetMsgEventForm(MessageHook hook) {
    CurrentApp().SetMsgEventForm(std::move(hook));
}

void ClearMsgEventForm() {
    if (Application* app = Application::Current()) app->ClearMsgEventForm();
}

} // namespace dfe::support::zymora
