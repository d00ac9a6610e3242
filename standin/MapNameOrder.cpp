// Sort keys of map names from weights per ANSI (Windows-1252) character, by
// which the stand-ins order every name.
//
// The weights were measured on the real platform: CompareStringA with an
// English user locale (code page 1252) and NORM_IGNORECASE, which is how the
// list control compares its rows (tests/wine/SortOrderProbe.cpp prints them,
// and the Windows test SortOrderTest keeps this file honest against the live
// function in that locale). They hold for code page 1252 only; other code
// pages take their order from the system. Four levels, each consulted only
// when the ones before it found no difference:
//   1. the letters, digits and symbols themselves (primary weights);
//   2. accents, which tell a from a-acute and from superscript a
//      (secondary weights);
//   3. superscript digits, which tell 1 from superscript one;
//   4. the characters the first three levels skip: hyphen, apostrophe, the
//      dashes and most control characters ("special" weights).
// The soft hyphen (and a NUL, which the list would never show) count nowhere.

#include "standin/MapNameOrder.h"

#include <cstdint>
#include <cstring>

namespace {

// 0: no weight at this level. One row per 16 characters, from 0x00.
// clang-format off
constexpr std::uint8_t kPrimary[256] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 34, 35, 36, 37, 38, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    32, 39, 40, 41, 42, 43, 44, 0, 45, 46, 47, 86, 48, 0, 49, 50,
    109, 113, 115, 117, 119, 120, 121, 122, 123, 124, 51, 52, 87, 88, 89, 53,
    54, 125, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141,
    144, 145, 146, 147, 149, 152, 153, 154, 155, 156, 157, 55, 56, 57, 58, 59,
    60, 125, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141,
    144, 145, 146, 147, 149, 152, 153, 154, 155, 156, 157, 61, 62, 63, 64, 0,
    85, 108, 75, 132, 78, 103, 104, 105, 58, 107, 147, 79, 143, 108, 157, 108,
    108, 73, 74, 76, 77, 106, 0, 0, 72, 151, 147, 80, 143, 108, 157, 156,
    33, 65, 81, 82, 83, 84, 66, 95, 67, 96, 126, 91, 97, 0, 98, 68,
    99, 90, 116, 118, 69, 100, 101, 102, 70, 114, 142, 92, 110, 111, 112, 71,
    125, 125, 125, 125, 125, 125, 127, 129, 131, 131, 131, 131, 135, 135, 135, 135,
    130, 140, 141, 141, 141, 141, 141, 93, 141, 152, 152, 152, 152, 156, 150, 148,
    125, 125, 125, 125, 125, 125, 127, 129, 131, 131, 131, 131, 135, 135, 135, 135,
    130, 140, 141, 141, 141, 141, 141, 94, 141, 152, 152, 152, 152, 156, 150, 156,
};

constexpr std::uint8_t kSecondary[256] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 34, 35, 36, 37, 38, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    32, 39, 40, 41, 42, 43, 44, 0, 45, 46, 47, 86, 48, 0, 49, 50,
    113, 117, 119, 121, 123, 124, 125, 126, 127, 128, 51, 52, 87, 88, 89, 53,
    54, 129, 138, 139, 141, 143, 148, 150, 151, 152, 157, 158, 159, 160, 161, 163,
    172, 173, 174, 175, 178, 181, 186, 187, 188, 189, 192, 55, 56, 57, 58, 59,
    60, 129, 138, 139, 141, 143, 148, 150, 151, 152, 157, 158, 159, 160, 161, 163,
    172, 173, 174, 175, 178, 181, 186, 187, 188, 189, 192, 61, 62, 63, 64, 0,
    85, 108, 75, 149, 78, 103, 104, 105, 58, 107, 176, 79, 171, 109, 193, 110,
    111, 73, 74, 76, 77, 106, 0, 0, 72, 180, 176, 80, 171, 112, 193, 191,
    33, 65, 81, 82, 83, 84, 66, 95, 67, 96, 130, 91, 97, 0, 98, 68,
    99, 90, 120, 122, 69, 100, 101, 102, 70, 118, 164, 92, 114, 115, 116, 71,
    132, 131, 133, 135, 134, 136, 137, 140, 145, 144, 146, 147, 154, 153, 155, 156,
    142, 162, 166, 165, 167, 169, 168, 93, 170, 183, 182, 184, 185, 190, 179, 177,
    132, 131, 133, 135, 134, 136, 137, 140, 145, 144, 146, 147, 154, 153, 155, 156,
    142, 162, 166, 165, 167, 169, 168, 94, 170, 183, 182, 184, 185, 190, 179, 191,
};

constexpr std::uint8_t kSpecial[256] = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0, 0, 0, 9, 10,
    11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26,
    0, 0, 0, 0, 0, 0, 0, 28, 0, 0, 0, 0, 0, 29, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 27,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 30, 31, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};

// clang-format on

// Ligatures and sharp s sort as their two letters at every level; the
// superscript letters and digits as their plain characters, told apart
// only at a later level.
const char* Expansion(unsigned char c) {
    switch (c) {
        case 0x8C:
        case 0x9C:
            return "oe";
        case 0xC6:
        case 0xE6:
            return "ae";
        case 0xDE:
        case 0xFE:
            return "th";
        case 0xDF:
            return "ss";
        case 0xAA:
            return "a";
        case 0xBA:
            return "o";
        case 0xB9:
            return "1";
        case 0xB2:
            return "2";
        case 0xB3:
            return "3";
        default:
            return nullptr;
    }
}

// Superscript a and o differ from a and o at the accent level, superscript
// digits from digits only after it.
bool IsSuperscriptLetter(unsigned char c) { return c == 0xAA || c == 0xBA; }
bool IsSuperscriptDigit(unsigned char c) { return c == 0xB9 || c == 0xB2 || c == 0xB3; }

enum class Level { kPrimary, kSecondary, kTertiary };

// Ends each of the first three levels in a key; every weight is put above it.
constexpr int kSeparator = 1;

// Walks the weighted elements of a name at one of the first three levels,
// expanding characters and skipping those without a first-level weight.
class Elements {
public:
    Elements(const std::string& text, Level level) : text_(text), level_(level) {}

    // 0 at the end of the text.
    int Next() {
        while (true) {
            if (pending_ != nullptr && *pending_ != '\0') {
                return Weight(static_cast<unsigned char>(*pending_++));
            }
            pending_ = nullptr;
            if (index_ >= text_.size()) return 0;
            current_ = static_cast<unsigned char>(text_[index_++]);
            if (const char* expansion = Expansion(current_)) {
                pending_ = expansion;
                continue;
            }
            if (kPrimary[current_] != 0) return Weight(current_);
        }
    }

private:
    // `c`: the character itself or one it expands into.
    int Weight(unsigned char c) const {
        switch (level_) {
            case Level::kPrimary:
                return kPrimary[c];
            case Level::kSecondary:
                return kSecondary[IsSuperscriptLetter(current_) ? current_ : c];
            default:
                return IsSuperscriptDigit(current_) ? 2 : 1;
        }
    }

    const std::string& text_;
    Level level_;
    std::size_t index_ = 0;
    unsigned char current_ = 0;
    const char* pending_ = nullptr;
};

// The weights of one level in turn, each above the separator that ends it;
// like a comparison, the level ends at its first element without a weight.
void AppendLevel(const std::string& text, Level level, std::string& key) {
    Elements elements(text, level);
    for (int weight = elements.Next(); weight != 0; weight = elements.Next()) {
        key += static_cast<char>(weight + kSeparator);
    }
    key += static_cast<char>(kSeparator);
}

bool CountsNowhere(unsigned char c) { return kPrimary[c] == 0 && kSpecial[c] == 0; }

// Walks the characters with a special weight, with their places in the name;
// characters that count nowhere take no place.
class Specials {
public:
    explicit Specials(const std::string& text) : text_(text) {}

    // False at the end of the text.
    bool Next(int& place, int& weight) {
        while (index_ < text_.size()) {
            unsigned char c = static_cast<unsigned char>(text_[index_++]);
            if (CountsNowhere(c)) continue;
            int here = place_;
            // A ligature takes the places of its two letters.
            const char* expansion = Expansion(c);
            place_ += expansion != nullptr ? static_cast<int>(std::strlen(expansion)) : 1;
            if (kSpecial[c] != 0) {
                place = here;
                weight = kSpecial[c];
                return true;
            }
        }
        return false;
    }

private:
    const std::string& text_;
    std::size_t index_ = 0;
    int place_ = 0;
};

// Measured: a hyphen further to the left weighs more, and among hyphens at the
// same place the heavier character wins; more of them weigh more. Each one
// is its place counted down from the largest, then its weight, in bytes of
// one width, so that a byte order compares them in that order.
void AppendSpecials(const std::string& text, std::string& key) {
    Specials specials(text);
    int place = 0;
    int weight = 0;
    while (specials.Next(place, weight)) {
        const std::uint32_t fromLast = UINT32_MAX - static_cast<std::uint32_t>(place);
        for (int shift = 24; shift >= 0; shift -= 8) key += static_cast<char>((fromLast >> shift) & 0xFF);
        key += static_cast<char>(weight);
    }
}

}  // namespace

void AppendMapNameSortKey(const std::string& name, std::string& keys) {
    AppendLevel(name, Level::kPrimary, keys);
    AppendLevel(name, Level::kSecondary, keys);
    AppendLevel(name, Level::kTertiary, keys);
    AppendSpecials(name, keys);
}

int CompareMapNames(const std::string& a, const std::string& b) {
    std::string left;
    std::string right;
    AppendMapNameSortKey(a, left);
    AppendMapNameSortKey(b, right);
    return left.compare(right);
}
