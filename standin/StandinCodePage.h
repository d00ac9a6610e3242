#pragma once
// Stand-in code pages: Windows-1252, one byte a character; lead bytes as the
// test names them, e.g. the ranges of code page 932 (Japanese), so that
// double-byte text can be read natively (UTF-16 text reaches those as ASCII
// alone); and UTF-8, as Windows offers it for the ANSI code page (65001).
// With no system to ask, each orders names by the stand-ins' model of the
// Western order.

#include <bitset>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "platform/CodePage.h"
#include "standin/MapNameOrder.h"

template <typename Page>
class InWesternOrder : public Page {
public:
    using Page::Page;
    bool AppendSortKey(const std::string& text, std::string& keys) const override {
        AppendMapNameSortKey(text, keys);
        return true;
    }
};

// Windows-1252: Latin-1 but for the 32 bytes from 0x80, which hold the
// euro sign, curly quotes, dashes and a few letters; five of them are unused.
class Windows1252 : public SingleByteCodePage {
public:
    bool AppendFromUtf16(std::u16string_view text, std::string& out) const override {
        static constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
        bool exact = true;
        for (const char16_t unit : text) {
            int byte = unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF) ? unit : -1;
            for (int i = 0; i < 32 && byte < 0; ++i) {
                if (kHigh[i] == unit) byte = 0x80 + i;
            }
            exact = exact && byte >= 0;
            out += static_cast<char>(byte >= 0 ? byte : '?');
        }
        return exact;
    }
};

inline const CodePage& Western1252() {
    static const InWesternOrder<Windows1252> page;
    return page;
}

class StandinCodePage : public InWesternOrder<CodePage> {
public:
    // Inclusive ranges of lead bytes.
    StandinCodePage(std::initializer_list<std::pair<unsigned char, unsigned char>> leadRanges) {
        for (const auto& range : leadRanges) {
            for (unsigned byte = range.first; byte <= range.second; ++byte) lead_.set(byte);
        }
    }
    bool IsLeadByte(unsigned char byte) const override { return lead_.test(byte); }

private:
    std::bitset<256> lead_;
};

// The lead bytes of code page 932 (Shift JIS as Windows has it).
inline const StandinCodePage& Japanese932() {
    static const StandinCodePage page{{0x81, 0x9F}, {0xE0, 0xFC}};
    return page;
}

class Utf8StandinCodePage : public InWesternOrder<CodePage> {
public:
    bool IsLeadByte(unsigned char) const override { return false; }
    std::size_t CharacterLength(const char* text, std::size_t size) const override {
        return Utf8CharacterLength(text, size);
    }
    // Every character has its form in UTF-8; a lone surrogate becomes U+FFFD.
    bool AppendFromUtf16(std::u16string_view text, std::string& out) const override {
        bool exact = true;
        for (std::size_t i = 0; i < text.size(); ++i) {
            char32_t c = text[i];
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
            } else if (c >= 0xD800 && c <= 0xDFFF) {
                c = 0xFFFD;
                exact = false;
            }
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else if (c < 0x800) {
                out += static_cast<char>(0xC0 | c >> 6);
                out += static_cast<char>(0x80 | (c & 0x3F));
            } else if (c < 0x10000) {
                out += static_cast<char>(0xE0 | c >> 12);
                out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
                out += static_cast<char>(0x80 | (c & 0x3F));
            } else {
                out += static_cast<char>(0xF0 | c >> 18);
                out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
                out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return exact;
    }
};

inline const CodePage& Utf8() {
    static const Utf8StandinCodePage page;
    return page;
}
