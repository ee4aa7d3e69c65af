#pragma once

#include "platform/data/data_source.h"

#include <string>
#include <string_view>

namespace dfe::support {

// Separates the keys of a multi-select search's answer: each key chosen comes after one of these.
inline constexpr char kPesqListaSeparator = '_';

// The multi-select search over the rows of a data source ("Title|text shown when there is nothing to
// choose"): the clerk marks any number of rows by their key field. Confirmed: true, and `selection` holds
// each chosen key, as wide as the field, preceded by one separator. Cancelled, or nothing to choose: false
// and `selection` as it was. Keys already in `selection` come marked. `mode` 0 is the only one there is.
bool PesquisaListaMsg(DataSource& source, std::string_view keyField, const std::string& title,
                      std::string& selection, int mode = 0);

} // namespace dfe::support
