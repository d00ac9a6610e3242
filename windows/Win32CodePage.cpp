// Windows implementation of CodePage (platform/CodePage.h).

#include "windows/Win32CodePage.h"

#include <windows.h>

#include <cstdint>

#include "platform/Failure.h"
#include "windows/SystemErrorText.h"

namespace {

// The comparison a list control sorts by: CompareStringA in the user's
// locale, case ignored. Its keys order texts as it does.
constexpr DWORD kSortFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

// Room for the key of any map name (at most 100 characters) without asking
// for its size first.
constexpr int kUsualKeyRoom = 1024;

}  // namespace

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

bool Win32CodePage::AppendSortKey(const std::string& text, std::string& keys) const {
    // A length of zero is refused; the empty text goes as its terminator.
    const int length = text.empty() ? -1 : static_cast<int>(text.size());
    char room[kUsualKeyRoom];
    int size = LCMapStringA(LOCALE_USER_DEFAULT, kSortFlags, text.c_str(), length, room, sizeof room);
    const std::size_t start = keys.size();
    if (size > 0) {
        keys.append(room, static_cast<std::size_t>(size));
    } else if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        size = LCMapStringA(LOCALE_USER_DEFAULT, kSortFlags, text.c_str(), length, nullptr, 0);
        if (size > 0) {
            keys.resize(start + static_cast<std::size_t>(size));
            size = LCMapStringA(LOCALE_USER_DEFAULT, kSortFlags, text.c_str(), length, &keys[start], size);
            if (size <= 0) keys.resize(start);
        }
    }
    if (size <= 0) {
        const DWORD error = GetLastError();
        throw Failure(static_cast<std::int32_t>(error), "",
                      "The map names cannot be sorted: " + SystemErrorText(error));
    }
    // The key ends in a zero byte, which orders nothing.
    keys.resize(start + static_cast<std::size_t>(size));
    if (keys.back() == '\0') keys.pop_back();
    return true;
}
