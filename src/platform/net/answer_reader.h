#pragma once

#include "platform/core/variant.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dfe::net {

// The elements of a method's array answer, named in their positions. The server writes the answer and the
// client reads it through the same layout, so neither side counts positions by hand.
struct AnswerLayout {
    std::string_view method;
    std::span<const std::string_view> elements;

    // A name the layout lacks is a slip in the code, not in the answer: std::logic_error.
    size_t IndexOf(std::string_view name) const;
};

// Reads an array answer by element name. Positions count from the array's first element whatever its low
// bound. Elements past the layout are ignored, so a server that appends one still serves older clients.
// Every failure to find an element of the right kind raises AnswerError naming the method and the element;
// a short answer fails only when a missing element is read, so a refusal's leading elements stay readable.
class AnswerReader {
public:
    // AnswerError when the answer is not an array.
    AnswerReader(Variant answer, AnswerLayout layout);

    size_t Received() const { return items().size(); }
    bool Complete() const { return Received() >= layout_.elements.size(); }
    // AnswerError naming the first element that did not come.
    void ExpectComplete() const;

    const Variant& Element(std::string_view name) const;
    bool IsNull(std::string_view name) const { return Element(name).IsNull(); }
    // Text; null reads as empty.
    const std::string& Text(std::string_view name) const;
    // A packet; null is refused too.
    const DataPacket& Packet(std::string_view name) const;
    // A packet, or nullptr for null (a part the answer leaves out).
    const DataPacket* PacketOrNull(std::string_view name) const;

private:
    const std::vector<Variant>& items() const { return answer_.AsArray().Items(); }
    [[noreturn]] void WrongKind(size_t index, const char* expected) const;

    Variant answer_;
    AnswerLayout layout_;
};

// Builds an array answer by element name. Naming an element the layout lacks or setting one twice, and
// finishing with an element unset, raise std::logic_error: the method is wrong, not the call.
class AnswerWriter {
public:
    explicit AnswerWriter(AnswerLayout layout);

    AnswerWriter& Set(std::string_view name, Variant value);
    // The answer in the layout's order; the writer starts empty again.
    Variant Finish();

private:
    AnswerLayout layout_;
    std::vector<Variant> items_;
    std::vector<bool> set_;
};

} // namespace dfe::net
