#pragma once
// Stand-in code pages: Windows-1252, one byte a character; lead bytes as the
// test names them, e.g. the ranges of code page 932 (Japanese), so that
// double-byte text can be read natively; and UTF-8, as Windows offers it for
// the ANSI code page (65001). With no system to ask, each orders names by
// the stand-ins' model of the Western order.

#include <bitset>
#include <initializer_list>
#include <string>
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

inline const CodePage& Western1252() {
    static const InWesternOrder<SingleByteCodePage> page;
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
};

inline const CodePage& Utf8() {
    static const Utf8StandinCodePage page;
    return page;
}
