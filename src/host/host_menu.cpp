#include "host/host_menu.h"

#include "platform/ui/menu.h"

#include <map>

namespace dfe::host {
namespace {

// Titles of the screens this host knows; others show their code alone.
std::string ScreenTitle(const std::string& code) {
    static const std::map<std::string, std::string> titles{{"DFE11000", "Lançamento de Notas Fiscais"}};
    auto it = titles.find(code);
    return it == titles.end() ? code : code + " - " + it->second;
}

std::string MenuName(const std::string& code) {
    std::string name = "mnu";
    for (char ch : code)
        if ((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9')) name += ch;
    return name;
}

} // namespace

std::string HostCaption(const HostContext& context) {
    return "Quilmar - Operador: " + context.operatorCode + " - Filial: " + context.branch +
           " - Data: " + context.ProcessingDate(context.branch).Format("dd/mm/yyyy");
}

void BuildHostMenu(Host& host) {
    Form& form = host.MainForm();
    form.SetCaption(HostCaption(host.Context()));
    auto& menu = form.Create<MainMenu>("mnuPrincipal");
    auto& modules = menu.AddItem("mnuModulos", "&Módulos");
    for (const auto& [code, entry] : host.Config().screens) {
        auto& item = modules.AddItem(MenuName(code), ScreenTitle(code));
        item.OnClick = [&host, code = code](Component&) {
            try {
                host.OpenScreen(code);
            } catch (const PackageError& error) {
                host.App().Dialogs().ShowError(ErrorRequest{error.what(), error.Detail(), {}});
            }
        };
    }
    auto& system = menu.AddItem("mnuSistema", "&Sistema");
    system.AddItem("mnuSair", "Sair").OnClick = [&form](Component&) { form.Close(); };
}

} // namespace dfe::host
