#include "platform/net/check_result.h"

#include "platform/core/abort.h"
#include "platform/net/net_errors.h"

namespace dfe::net {
namespace {

constexpr const char* kErrorTag = "#ERRO-SERVIDOR#";

} // namespace

dfe::Variant MakeErrorAnswer(const std::string& message) {
    return dfe::Variant::Array({kErrorTag, message});
}

std::optional<std::string> ErrorAnswerText(const dfe::Variant& answer) {
    if (!answer.IsArray()) return std::nullopt;
    const VariantArray& a = answer.AsArray();
    if (a.Size() != 2 || a.LowBound() != 0) return std::nullopt;
    const dfe::Variant& tag = a.Items()[0];
    if (tag.Type() != VariantType::String || tag.AsString() != kErrorTag) return std::nullopt;
    if (a.Items()[1].Type() != VariantType::String) return std::nullopt;
    return a.Items()[1].AsString();
}

const dfe::Variant& CheckResultServ(const dfe::Variant& answer, bool showError, int /*reserved*/) {
    if (auto text = ErrorAnswerText(answer)) {
        if (!showError) ThrowAbort();
        throw ServerRefusal(*text);
    }
    return answer;
}

} // namespace dfe::net
