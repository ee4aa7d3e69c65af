#include "platform/ui/host_services.h"

namespace dfe {
namespace {
HostServices* gHost = nullptr;
}

HostServices* HostServices::Current() {
    return gHost;
}
void HostServices::SetCurrent(HostServices* host) {
    gHost = host;
}

void AttachToHost(HostServices* host) {
    HostServices::SetCurrent(host);
    Application::SetCurrent(host ? &host->App() : nullptr);
}

} // namespace dfe
