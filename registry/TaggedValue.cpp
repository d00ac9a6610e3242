// Text forms of the tagged value.

#include "registry/TaggedValue.h"

#include <algorithm>
#include <cstdio>

std::string ToText(const TaggedValue& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(const std::string& text) const { return text; }
        std::string operator()(std::int16_t number) const { return std::to_string(number); }
        std::string operator()(std::int32_t number) const { return std::to_string(number); }
        std::string operator()(std::uint8_t number) const { return std::to_string(number); }
        std::string operator()(bool truth) const { return truth ? "True" : "False"; }
        std::string operator()(double number) const {
            // printf, not a stream: streams drag the whole locale machinery
            // into a statically linked program.
            // Fifteen significant digits, sign and exponent fit the buffer
            // with room to spare; a cut or failed conversion still gives only
            // what was written.
            char text[32];
            const int length = std::snprintf(text, sizeof text, "%.15g", number);
            if (length < 0) return {};
            return std::string(text, std::min(static_cast<std::size_t>(length), sizeof text - 1));
        }
        // Bytes show as their characters, as the registry would store them.
        std::string operator()(const ByteArray& array) const {
            return std::string(array.bytes.begin(), array.bytes.end());
        }
    };
    return std::visit(Visitor{}, value);
}

bool EqualsEmptyText(const TaggedValue& value) {
    if (std::holds_alternative<std::monostate>(value)) return true;
    if (const auto* text = std::get_if<std::string>(&value)) return text->empty();
    return false;
}
