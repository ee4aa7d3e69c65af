#include "appserver/modules/origin_key_list.h"

#include "appserver/rpc/method_context.h"
#include "platform/core/text.h"

namespace dfe::appserver {
namespace {

// More origins than any return can hold: a longer list is not one the client built.
constexpr size_t kMaxOrigins = 1000;

PostingKey ParseEntry(std::string_view entry) {
    const size_t dash = entry.find(" - ");
    PostingKey key;
    if (dash != std::string_view::npos) {
        key.branch = text::Trim(entry.substr(0, dash));
        key.number = text::Trim(entry.substr(dash + 3));
    }
    if (key.branch.empty() || key.number.empty() || text::Length(key.branch) > 4 ||
        text::Length(key.number) > 10) {
        throw MethodRefusal("Documento de origem inválido na lista: \"" + std::string(entry) + "\".");
    }
    return key;
}

} // namespace

std::vector<PostingKey> ParseOriginKeyList(std::string_view list) {
    std::vector<PostingKey> keys;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find('_', start);
        if (end == std::string_view::npos) end = list.size();
        const std::string entry = text::Trim(list.substr(start, end - start));
        if (!entry.empty()) {
            if (keys.size() == kMaxOrigins)
                throw MethodRefusal("Lista de documentos de origem longa demais.");
            keys.push_back(ParseEntry(entry));
        }
        start = end + 1;
    }
    return keys;
}

} // namespace dfe::appserver
