#pragma once

#include "host/host.h"

#include <string>

namespace dfe::host {

// The title of the host window: who works, on which branch and on which processing date.
// "Quilmar - Operador: ADMIN - Filial: 0001 - Data: 10/12/2026"
std::string HostCaption(const HostContext& context);

// Gives the main form its title and its menu: "Módulos" with one item per installed screen ("DFE11000 -
// Lançamento de Notas Fiscais") and "Sair". A screen whose package is missing tells the clerk so.
void BuildHostMenu(Host& host);

} // namespace dfe::host
