#include "platform/data/field_value.h"

#include "platform/core/decimal.h"
#include "platform/core/text.h"
#include "platform/data/data_error.h"

#include <cmath>

namespace dfe {
namespace {

[[noreturn]] void Refuse(const FieldDef& def, const std::string& why) {
    throw DataSetError("Campo " + def.name + ": " + why);
}

bool IsBlank(std::string_view s) {
    return s.find_first_not_of(" \t") == std::string_view::npos;
}

Variant ToText(const Variant& value, const FieldDef& def, bool checkSize) {
    if (value.IsArray() || value.IsPacket())
        Refuse(def, "um vetor ou pacote não pode ser gravado como texto");
    std::string out;
    if (const std::string* s = value.TextIf()) {
        out = def.type == FieldType::Blob || text::IsValidUtf8(*s) ? *s : text::Sanitize(*s);
    } else {
        out = value.AsString();
    }
    if (checkSize && def.type == FieldType::String && def.size > 0) {
        const size_t length = text::Length(out);
        if (length > static_cast<size_t>(def.size)) {
            Refuse(def, "o texto tem " + std::to_string(length) + " caracteres e o campo aceita no máximo " +
                            std::to_string(def.size));
        }
    }
    return Variant(std::move(out));
}

double FiniteOrRefuse(double v, const FieldDef& def) {
    if (!std::isfinite(v)) Refuse(def, "valor numérico inválido");
    return v;
}

Variant ToFloat(const Variant& value, const FieldDef& def) {
    if (const std::string* s = value.TextIf()) {
        if (IsBlank(*s)) return Variant::Null();
        if (auto v = decimal::Parse(*s)) return FiniteOrRefuse(*v, def);
        Refuse(def, "\"" + *s + "\" não é um valor numérico válido");
    }
    if (value.IsArray() || value.IsPacket()) Refuse(def, "um vetor ou pacote não é um número");
    return FiniteOrRefuse(value.AsFloat(), def);
}

Variant ToInteger(const Variant& value, const FieldDef& def) {
    if (value.Type() == VariantType::Integer) return value;
    const Variant asFloat = ToFloat(value, def);
    if (asFloat.IsNull()) return asFloat;
    const double v = asFloat.AsFloat();
    if (std::fabs(v) > 9.2e18) Refuse(def, "valor fora do intervalo de um inteiro");
    if (value.TextIf() && v != std::trunc(v))
        Refuse(def, "\"" + value.AsString() + "\" não é um número inteiro");
    return Variant(static_cast<int64_t>(std::llround(v)));
}

Variant ToDateTime(const Variant& value, const FieldDef& def) {
    if (value.Type() == VariantType::DateTime) return value;
    if (const std::string* s = value.TextIf()) {
        if (IsBlank(*s)) return Variant::Null();
        if (auto d = DateTime::Parse(*s)) return *d;
        Refuse(def, "\"" + *s + "\" não é uma data válida");
    }
    if (value.IsArray() || value.IsPacket()) Refuse(def, "um vetor ou pacote não é uma data");
    return DateTime(FiniteOrRefuse(value.AsFloat(), def));
}

Variant ToBoolean(const Variant& value, const FieldDef& def) {
    if (const std::string* s = value.TextIf()) {
        if (IsBlank(*s)) return Variant::Null();
    }
    if (value.IsArray() || value.IsPacket()) Refuse(def, "um vetor ou pacote não é um valor lógico");
    try {
        return value.AsBoolean();
    } catch (const ConversionError& e) {
        Refuse(def, e.what());
    }
}

Variant Convert(const Variant& value, const FieldDef& def, bool checkSize) {
    if (value.IsNull()) return Variant::Null();
    switch (def.type) {
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob:
        return ToText(value, def, checkSize);
    case FieldType::Integer:
        return ToInteger(value, def);
    case FieldType::Float:
        return ToFloat(value, def);
    case FieldType::DateTime:
        return ToDateTime(value, def);
    case FieldType::Boolean:
        return ToBoolean(value, def);
    }
    Refuse(def, "tipo de campo desconhecido");
}

} // namespace

Variant ConvertToField(const Variant& value, const FieldDef& def) {
    return Convert(value, def, true);
}

Variant ConvertForSearch(const Variant& value, const FieldDef& def) {
    return Convert(value, def, false);
}

const char* FieldTypeCaption(FieldType type) {
    switch (type) {
    case FieldType::String:
        return "texto";
    case FieldType::Integer:
        return "inteiro";
    case FieldType::Float:
        return "número";
    case FieldType::DateTime:
        return "data";
    case FieldType::Boolean:
        return "lógico";
    case FieldType::Memo:
        return "memo";
    case FieldType::Blob:
        return "binário";
    }
    return "desconhecido";
}

} // namespace dfe
