#include "platform/core/variant.h"

#include "platform/core/decimal.h"

#include <cmath>
#include <limits>

namespace dfe {
namespace {

const std::string& EmptyString() {
    static const std::string empty;
    return empty;
}

[[noreturn]] void Fail(const std::string& what) {
    throw ConversionError(what);
}

} // namespace

const char* VariantTypeName(VariantType type) {
    switch (type) {
    case VariantType::Unassigned:
        return "Unassigned";
    case VariantType::Null:
        return "Null";
    case VariantType::Boolean:
        return "Boolean";
    case VariantType::Integer:
        return "Integer";
    case VariantType::Double:
        return "Double";
    case VariantType::String:
        return "String";
    case VariantType::DateTime:
        return "DateTime";
    case VariantType::Array:
        return "Array";
    case VariantType::Packet:
        return "Packet";
    }
    return "?";
}

const std::string& DataPacket::Bytes() const {
    return bytes_ ? *bytes_ : EmptyString();
}

VariantArray::VariantArray(std::vector<Variant> items, int lowBound)
    : low_(lowBound), items_(std::move(items)) {}
VariantArray::VariantArray(const VariantArray&) = default;
VariantArray::VariantArray(VariantArray&&) noexcept = default;
VariantArray& VariantArray::operator=(const VariantArray&) = default;
VariantArray& VariantArray::operator=(VariantArray&&) noexcept = default;
VariantArray::~VariantArray() = default;

int VariantArray::HighBound() const {
    return low_ + static_cast<int>(Size()) - 1;
}

size_t VariantArray::Size() const {
    return items_.size();
}

const Variant& VariantArray::operator[](int index) const {
    if (index < low_ || index > HighBound()) {
        Fail("Índice " + std::to_string(index) + " fora dos limites do vetor [" + std::to_string(low_) +
             ".." + std::to_string(HighBound()) + "]");
    }
    return items_[static_cast<size_t>(index - low_)];
}

Variant& VariantArray::operator[](int index) {
    const auto& self = *this;
    return const_cast<Variant&>(self[index]);
}

bool operator==(const VariantArray& a, const VariantArray& b) {
    return a.low_ == b.low_ && a.items_ == b.items_;
}

Variant Variant::Null() {
    Variant v;
    v.value_ = NullTag{};
    return v;
}

Variant Variant::Array(std::vector<Variant> items, int lowBound) {
    return Variant(VariantArray(std::move(items), lowBound));
}

std::string Variant::AsString() const {
    switch (Type()) {
    case VariantType::Unassigned:
    case VariantType::Null:
        return {};
    case VariantType::Boolean:
        return std::get<bool>(value_) ? "True" : "False";
    case VariantType::Integer:
        return std::to_string(std::get<int64_t>(value_));
    case VariantType::Double:
        return decimal::ToDisplay(std::get<double>(value_));
    case VariantType::String:
        return std::get<std::string>(value_);
    case VariantType::DateTime: {
        const DateTime d = std::get<DateTime>(value_);
        if (d.IsEmpty()) return {};
        return d.TimePart() == 0.0 ? d.Format("dd/mm/yyyy") : d.Format("dd/mm/yyyy hh:nn:ss");
    }
    case VariantType::Array:
        Fail("Um vetor não pode ser lido como texto");
    case VariantType::Packet:
        Fail("Um pacote de dados não pode ser lido como texto");
    }
    return {};
}

double Variant::AsFloat() const {
    switch (Type()) {
    case VariantType::Unassigned:
    case VariantType::Null:
        return 0.0;
    case VariantType::Boolean:
        return std::get<bool>(value_) ? 1.0 : 0.0;
    case VariantType::Integer:
        return static_cast<double>(std::get<int64_t>(value_));
    case VariantType::Double:
        return std::get<double>(value_);
    case VariantType::String: {
        const std::string& s = std::get<std::string>(value_);
        if (s.find_first_not_of(' ') == std::string::npos) return 0.0;
        if (auto v = decimal::Parse(s)) return *v;
        Fail("\"" + s + "\" não é um valor numérico válido");
    }
    case VariantType::DateTime:
        return std::get<DateTime>(value_).Days();
    case VariantType::Array:
    case VariantType::Packet:
        Fail(std::string("Um valor do tipo ") + VariantTypeName(Type()) + " não é numérico");
    }
    return 0.0;
}

int64_t Variant::AsInteger() const {
    if (Type() == VariantType::Integer) return std::get<int64_t>(value_);
    const double v = AsFloat();
    if (!std::isfinite(v) || std::fabs(v) > 9.2e18) Fail("Valor fora do intervalo de um inteiro");
    // Whole numbers round to nearest, as money arithmetic hands in 2.9999999 for 3.
    return static_cast<int64_t>(std::llround(v));
}

bool Variant::AsBoolean() const {
    switch (Type()) {
    case VariantType::Boolean:
        return std::get<bool>(value_);
    case VariantType::String: {
        const std::string& s = std::get<std::string>(value_);
        if (s == "S" || s == "s" || s == "True" || s == "true" || s == "1") return true;
        if (s.empty() || s == "N" || s == "n" || s == "False" || s == "false" || s == "0") return false;
        Fail("\"" + s + "\" não é um valor lógico válido");
    }
    default:
        return AsFloat() != 0.0;
    }
}

DateTime Variant::AsDateTime() const {
    switch (Type()) {
    case VariantType::DateTime:
        return std::get<DateTime>(value_);
    case VariantType::String: {
        const std::string& s = std::get<std::string>(value_);
        if (s.find_first_not_of(' ') == std::string::npos) return DateTime();
        if (auto d = DateTime::Parse(s)) return *d;
        Fail("\"" + s + "\" não é uma data válida");
    }
    default:
        return DateTime(AsFloat());
    }
}

const std::string& Variant::StringRef() const {
    if (Type() != VariantType::String)
        Fail(std::string("Esperava um texto e recebeu ") + VariantTypeName(Type()));
    return std::get<std::string>(value_);
}

const VariantArray& Variant::AsArray() const {
    if (Type() != VariantType::Array)
        Fail(std::string("Esperava um vetor e recebeu ") + VariantTypeName(Type()));
    return std::get<VariantArray>(value_);
}

VariantArray& Variant::AsArray() {
    if (Type() != VariantType::Array)
        Fail(std::string("Esperava um vetor e recebeu ") + VariantTypeName(Type()));
    return std::get<VariantArray>(value_);
}

const DataPacket& Variant::AsPacket() const {
    if (Type() != VariantType::Packet) {
        Fail(std::string("Esperava um pacote de dados e recebeu ") + VariantTypeName(Type()));
    }
    return std::get<DataPacket>(value_);
}

bool operator==(const Variant& a, const Variant& b) {
    if (a.IsNumeric() && b.IsNumeric()) return a.AsFloat() == b.AsFloat();
    return a.value_ == b.value_;
}

std::string DescribeVariant(const Variant& v) {
    switch (v.Type()) {
    case VariantType::Unassigned:
        return "Unassigned";
    case VariantType::Null:
        return "Null";
    case VariantType::String:
        return "'" + v.AsString() + "'";
    case VariantType::Double:
        return decimal::ToShortest(v.AsFloat());
    case VariantType::DateTime:
        return "#" + v.AsDateTime().Format("yyyy-mm-dd hh:nn:ss") + "#";
    case VariantType::Packet:
        return "<packet " + std::to_string(v.AsPacket().Size()) + " bytes>";
    case VariantType::Array: {
        std::string out = "[";
        const VariantArray& a = v.AsArray();
        for (size_t i = 0; i < a.Size(); ++i) {
            if (i) out += ", ";
            out += DescribeVariant(a.Items()[i]);
        }
        return out + "]";
    }
    default:
        return v.AsString();
    }
}

} // namespace dfe
