#include "platform/net/answer_reader.h"

#include "platform/net/net_errors.h"

#include <stdexcept>

namespace dfe::net {
namespace {

// For the clerk's message, not for logs: what came instead of the expected element.
const char* KindName(VariantType type) {
    switch (type) {
    case VariantType::Unassigned:
        return "um valor vazio";
    case VariantType::Null:
        return "um valor nulo";
    case VariantType::Boolean:
        return "um valor lógico";
    case VariantType::Integer:
        return "um número inteiro";
    case VariantType::Double:
        return "um número";
    case VariantType::String:
        return "um texto";
    case VariantType::DateTime:
        return "uma data";
    case VariantType::Array:
        return "uma lista";
    case VariantType::Packet:
        return "um pacote de dados";
    }
    return "um valor desconhecido";
}

std::string Invalid(const AnswerLayout& layout) {
    return "Resposta inválida de " + std::string(layout.method) + ": ";
}

std::string ElementName(const AnswerLayout& layout, size_t index) {
    return "o elemento " + std::to_string(index + 1) + " (" + std::string(layout.elements[index]) + ")";
}

} // namespace

size_t AnswerLayout::IndexOf(std::string_view name) const {
    for (size_t i = 0; i < elements.size(); ++i)
        if (elements[i] == name) return i;
    throw std::logic_error("A resposta de " + std::string(method) + " não tem o elemento " +
                           std::string(name) + ".");
}

AnswerReader::AnswerReader(Variant answer, AnswerLayout layout)
    : answer_(std::move(answer)), layout_(layout) {
    if (!answer_.IsArray()) {
        throw AnswerError(Invalid(layout_) + "esperava uma lista de " +
                          std::to_string(layout_.elements.size()) + " elementos e recebeu " +
                          KindName(answer_.Type()) + ".");
    }
}

void AnswerReader::ExpectComplete() const {
    if (!Complete()) Element(layout_.elements[Received()]);
}

const Variant& AnswerReader::Element(std::string_view name) const {
    const size_t index = layout_.IndexOf(name);
    if (index >= Received()) {
        throw AnswerError(Invalid(layout_) + "falta " + ElementName(layout_, index) + ", vieram " +
                          std::to_string(Received()) + " elementos.");
    }
    return items()[index];
}

void AnswerReader::WrongKind(size_t index, const char* expected) const {
    throw AnswerError(Invalid(layout_) + ElementName(layout_, index) + " deveria ser " + expected + " e é " +
                      KindName(items()[index].Type()) + ".");
}

const std::string& AnswerReader::Text(std::string_view name) const {
    static const std::string empty;
    const Variant& v = Element(name);
    if (const std::string* text = v.TextIf()) return *text;
    if (v.IsNull()) return empty;
    WrongKind(layout_.IndexOf(name), "um texto");
}

const DataPacket& AnswerReader::Packet(std::string_view name) const {
    const Variant& v = Element(name);
    if (!v.IsPacket()) WrongKind(layout_.IndexOf(name), "um pacote de dados");
    return v.AsPacket();
}

const DataPacket* AnswerReader::PacketOrNull(std::string_view name) const {
    const Variant& v = Element(name);
    if (v.IsNull()) return nullptr;
    if (!v.IsPacket()) WrongKind(layout_.IndexOf(name), "um pacote de dados ou nulo");
    return &v.AsPacket();
}

AnswerWriter::AnswerWriter(AnswerLayout layout)
    : layout_(layout), items_(layout.elements.size()), set_(layout.elements.size(), false) {}

AnswerWriter& AnswerWriter::Set(std::string_view name, Variant value) {
    const size_t index = layout_.IndexOf(name);
    if (set_[index]) {
        throw std::logic_error("O elemento " + std::string(name) + " da resposta de " +
                               std::string(layout_.method) + " foi escrito duas vezes.");
    }
    items_[index] = std::move(value);
    set_[index] = true;
    return *this;
}

Variant AnswerWriter::Finish() {
    std::string missing;
    for (size_t i = 0; i < set_.size(); ++i) {
        if (!set_[i]) missing += (missing.empty() ? "" : ", ") + std::string(layout_.elements[i]);
    }
    if (!missing.empty()) {
        throw std::logic_error("A resposta de " + std::string(layout_.method) + " ficou sem: " + missing +
                               ".");
    }
    Variant answer = Variant::Array(std::move(items_));
    items_.assign(set_.size(), Variant());
    set_.assign(set_.size(), false);
    return answer;
}

} // namespace dfe::net
