#include "appserver/modules/call_arguments.h"

#include "platform/core/decimal.h"
#include "platform/core/text.h"
#include "platform/db/sql_date.h"

#include <cmath>

namespace dfe::appserver {
namespace {

[[noreturn]] void Refuse(const MethodContext& call, size_t index, std::string_view what,
                         std::string_view why) {
    throw MethodRefusal("Argumento " + std::to_string(index + 1) + " (" + std::string(what) + ") de " +
                        call.Method() + " " + std::string(why) + ".");
}

bool IsScalar(const Variant& v) {
    return !v.IsArray() && !v.IsPacket();
}

} // namespace

void ExpectArgCount(const MethodContext& call, size_t least, size_t most) {
    const size_t count = call.ArgCount();
    if (count >= least && count <= most) return;
    const std::string expected =
        least == most ? std::to_string(least) : std::to_string(least) + " a " + std::to_string(most);
    throw MethodRefusal("O método " + call.Method() + " espera " + expected + " argumento(s) e recebeu " +
                        std::to_string(count) + ".");
}

std::string CodeArg(const MethodContext& call, size_t index, size_t width, std::string_view what) {
    const Variant& v = call.Arg(index);
    if (v.IsNull()) return {};
    if (v.Type() != VariantType::String) Refuse(call, index, what, "deve ser um texto");
    std::string code = text::Trim(v.StringRef());
    if (text::Length(code) > width) {
        Refuse(call, index, what, "tem mais de " + std::to_string(width) + " caracteres");
    }
    return code;
}

std::optional<DateTime> DateArg(const MethodContext& call, size_t index, std::string_view what) {
    const Variant& v = call.Arg(index);
    switch (v.Type()) {
    case VariantType::Unassigned:
    case VariantType::Null:
        return std::nullopt;
    case VariantType::DateTime:
    case VariantType::Integer:
    case VariantType::Double: {
        const DateTime d = v.AsDateTime();
        if (d.IsEmpty()) return std::nullopt;
        if (d.Days() < 0 || d.Days() > 2958465) Refuse(call, index, what, "não é uma data válida");
        return d;
    }
    case VariantType::String: {
        const std::string t = text::Trim(v.StringRef());
        if (t.empty()) return std::nullopt;
        if (auto d = db::ParseSqlDate(t)) return d;
        Refuse(call, index, what, "não é uma data válida");
    }
    default:
        Refuse(call, index, what, "não é uma data");
    }
}

bool BoolArg(const MethodContext& call, size_t index, std::string_view what) {
    const Variant& v = call.Arg(index);
    if (v.Type() != VariantType::Boolean) Refuse(call, index, what, "deve ser verdadeiro ou falso");
    return v.AsBoolean();
}

std::optional<double> NumberArg(const MethodContext& call, size_t index, std::string_view what) {
    const Variant& v = call.Arg(index);
    std::optional<double> number;
    switch (v.Type()) {
    case VariantType::Unassigned:
    case VariantType::Null:
        return std::nullopt;
    case VariantType::Integer:
    case VariantType::Double:
        number = v.AsFloat();
        break;
    case VariantType::String:
        if (text::Trim(v.StringRef()).empty()) return std::nullopt;
        number = decimal::Parse(v.StringRef());
        break;
    default:
        break;
    }
    if (!number || !std::isfinite(*number)) Refuse(call, index, what, "não é um número");
    return number;
}

const Variant& ScalarValueArg(const MethodContext& call, size_t index, std::string_view what) {
    const Variant& v = call.Arg(index);
    if (!IsScalar(v)) Refuse(call, index, what, "deve ser um valor simples");
    return v;
}

std::string ScalarArg(const MethodContext& call, size_t index, std::string_view what) {
    const Variant& v = ScalarValueArg(call, index, what);
    return v.IsNull() ? std::string() : text::Trim(v.AsString());
}

PostingKey PostingKeyArgs(const MethodContext& call, size_t first) {
    return {CodeArg(call, first, 4, "filial"), CodeArg(call, first + 1, 10, "número do lançamento")};
}

db::SqlParams KeyParams(const PostingKey& key) {
    return {{"P_CDFILIAL", key.branch}, {"P_NRLANCTONF", key.number}};
}

ParticipantFilter ParticipantArgs(const MethodContext& call, size_t first) {
    return {CodeArg(call, first, 1, "tipo de pessoa"),
            CodeArg(call, first + 1, 20, "inscrição do participante"),
            CodeArg(call, first + 2, 4, "filial emitente")};
}

} // namespace dfe::appserver
