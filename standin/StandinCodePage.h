#pragma once
// Stand-in code pages: lead bytes as the test names them, e.g. the ranges of
// code page 932 (Japanese), so that double-byte text can be read natively;
// and UTF-8, as Windows offers it for the ANSI code page (65001).

#include <bitset>
#include <initializer_list>
#include <utility>

#include "platform/CodePage.h"

class StandinCodePage : public CodePage {
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

class Utf8StandinCodePage : public CodePage {
public:
    bool IsLeadByte(unsigned char) const override { return false; }
    std::size_t CharacterLength(const char* text, std::size_t size) const override {
        return Utf8CharacterLength(text, size);
    }
};

inline const CodePage& Utf8() {
    static const Utf8StandinCodePage page;
    return page;
}
