// Text forms of the tagged value.

#include "registry/TaggedValue.h"

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
            char text[32];
            std::snprintf(text, sizeof text, "%.15g", number);
            return text;
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
