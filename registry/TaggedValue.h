#pragma once
// The kind of value that passes through the registry accessor's Value and
// Default: empty, text, 16- or 32-bit signed integer, byte array, or another
// kind that callers pass through unchanged.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

struct ByteArray {
    // Index of the first byte; an array read from the registry starts at 0.
    std::int32_t lowerBound = 0;
    std::vector<std::uint8_t> bytes;

    bool operator==(const ByteArray& other) const { return lowerBound == other.lowerBound && bytes == other.bytes; }
};

using TaggedValue = std::variant<std::monostate,  // empty
                                 std::string,     // text
                                 std::int16_t,    // 16-bit signed integer
                                 std::int32_t,    // 32-bit signed integer
                                 ByteArray,       // byte array
                                 std::uint8_t,    // further kinds, passed through
                                 double, bool>;

// Text form: empty gives empty text, integers their decimal text.
std::string ToText(const TaggedValue& value);

// The empty value compares equal to empty text, as does empty text itself.
bool EqualsEmptyText(const TaggedValue& value);
