#pragma once
// Windows implementation of CodePage (platform/CodePage.h): the lead bytes
// of the system's ANSI code page, asked for once, and the sort keys of the
// user's locale for text read in that code page.

#include <bitset>
#include <string>

#include "platform/CodePage.h"

class Win32CodePage : public CodePage {
public:
    Win32CodePage();
    // False, with nothing appended, where the system cannot make the key of
    // this text.
    bool AppendSortKey(const std::string& text, std::string& keys) const override;
    bool IsLeadByte(unsigned char byte) const override { return lead_.test(byte); }
    std::size_t CharacterLength(const char* text, std::size_t size) const override {
        return utf8_ ? Utf8CharacterLength(text, size) : CodePage::CharacterLength(text, size);
    }
    bool AppendFromUtf16(std::u16string_view text, std::string& out) const override;

private:
    std::bitset<256> lead_;
    bool utf8_ = false;  // the system's ANSI code page is UTF-8 (65001)
};
