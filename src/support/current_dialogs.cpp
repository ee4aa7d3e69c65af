#include "support/current_dialogs.h"

#include <stdexcept>

namespace dfe::support {

Application& CurrentApp() {
    Application* app = Application::Current();
    if (!app) throw std::logic_error("nenhuma aplicação ativa para mostrar mensagens");
    return *app;
}

DialogService& CurrentDialogs() {
    return CurrentApp().Dialogs();
}

} // namespace dfe::support
