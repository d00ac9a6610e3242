#pragma once
// Windows implementation of CodePage (platform/CodePage.h): the lead bytes
// of the system's ANSI code page, asked for once.

#include <bitset>

#include "platform/CodePage.h"

class Win32CodePage : public CodePage {
public:
    Win32CodePage();
    bool IsLeadByte(unsigned char byte) const override { return lead_.test(byte); }

private:
    std::bitset<256> lead_;
};
