#include "support/pesq_lista.h"

#include "platform/core/text.h"
#include "platform/data/dataset.h"
#include "platform/ui/dialog_service.h"
#include "support/current_dialogs.h"

#include <algorithm>

namespace dfe::support {
namespace {

// A key as wide as its field, so that the answer's keys are cut back at fixed places.
std::string FixedWidth(const Field& key) {
    std::string text = key.AsString();
    const size_t width = key.Size() > 0 ? static_cast<size_t>(key.Size()) : 0;
    if (width > 0 && text::Length(text) < width) text += std::string(width - text::Length(text), ' ');
    return text;
}

std::vector<std::string> KeysOf(const std::string& selection, size_t width) {
    std::vector<std::string> keys;
    if (width == 0) return keys;
    for (size_t at = 0; at + 1 + width <= selection.size(); at += 1 + width)
        keys.push_back(selection.substr(at + 1, width));
    return keys;
}

} // namespace

bool PesquisaListaMsg(DataSource& source, std::string_view keyField, const std::string& title,
                      std::string& selection, int /*mode*/) {
    const size_t bar = title.find('|');
    const std::string emptyText =
        bar == std::string::npos ? std::string("Não há registros para escolher.") : title.substr(bar + 1);
    DataSet* rows = source.GetDataSet();
    if (!rows || !rows->Active() || rows->IsEmpty()) {
        CurrentDialogs().ShowError(ErrorRequest{emptyText, {}, {}});
        return false;
    }
    const Field& key = rows->FieldByName(keyField);
    MultiSelectRequest request;
    request.title = title;
    for (int recNo = 1; recNo <= rows->RecordCount(); ++recNo) {
        rows->ReadRecordAt(recNo, [&] {
            std::string shown;
            for (int i = 0; i < rows->FieldCount(); ++i) {
                const Field& field = rows->FieldAt(i);
                if (!field.Visible() || &field == &key) continue;
                const std::string value = text::Trim(field.DisplayText());
                if (!value.empty()) shown += (shown.empty() ? "" : "  ") + value;
            }
            request.items.push_back(MultiSelectItem{FixedWidth(key), shown});
        });
    }
    const size_t width = key.Size() > 0 ? static_cast<size_t>(key.Size()) : 0;
    for (const std::string& chosen : KeysOf(selection, width)) {
        const bool listed = std::any_of(request.items.begin(), request.items.end(),
                                        [&](const MultiSelectItem& item) { return item.code == chosen; });
        if (listed) request.preselected.push_back(chosen);
    }
    const auto chosen = CurrentDialogs().SelectMany(request);
    if (!chosen) return false;
    selection.clear();
    for (const std::string& code : *chosen)
        selection += kPesqListaSeparator + code;
    return true;
}

} // namespace dfe::support
