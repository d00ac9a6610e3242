// Windows implementation of CodePage (platform/CodePage.h).

#include "windows/Win32CodePage.h"

#include <windows.h>

// UTF-8 names no lead bytes: its characters are told by their own bytes.
Win32CodePage::Win32CodePage() : utf8_(GetACP() == CP_UTF8) {
    if (utf8_) return;
    // The lead-byte ranges come in pairs, ended by a pair of zeros; a code
    // page that cannot be described is taken as one byte per character.
    CPINFO info;
    ZeroMemory(&info, sizeof info);
    if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize < 2) return;
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        for (unsigned byte = info.LeadByte[i]; byte <= info.LeadByte[i + 1]; ++byte) lead_.set(byte);
    }
}
