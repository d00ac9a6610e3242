// Windows implementation of CodePage (platform/CodePage.h).

#include "windows/Win32CodePage.h"

#include <windows.h>

#include <limits>
#include <vector>

#include "windows/AnsiText.h"

namespace {

// The comparison the list is sorted by: the user's locale, case ignored.
constexpr DWORD kSortFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

// Room for any map name (at most 100 characters, at most two UTF-16 units
// each) and for its key, without asking for their sizes first.
constexpr int kUsualTextRoom = 256;
constexpr int kUsualKeyRoom = 1024;

// Has `call(buffer, capacity)` write into `room` and, only where that is too
// small, into `larger`, of the size `call(nullptr, 0)` asks for. Gives the
// count written, 0 where the call fails, and in `out` where it went.
template <typename Item, int N, typename Call>
int WriteWithRoom(Item (&room)[N], std::vector<Item>& larger, const Call& call, const Item*& out) {
    out = room;
    int written = call(room, N);
    if (written <= 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        const int needed = call(nullptr, 0);
        if (needed <= 0) return 0;
        larger.resize(static_cast<std::size_t>(needed));
        out = larger.data();
        written = call(larger.data(), needed);
    }
    return written > 0 ? written : 0;
}

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

// The list, the description files and every narrow system call read a name
// in the ANSI code page; LCMapStringA would read it in the code page of the
// user's locale instead, which differs on many machines (an English Windows
// with a Russian format reads Elan's accent as a Cyrillic letter). So the
// name goes to UTF-16 by the ANSI code page first, and the key is made from
// that in the user's locale.
bool Win32CodePage::AppendSortKey(const std::string& text, std::string& keys) const {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return false;
    const auto length = static_cast<int>(text.size());
    wchar_t textRoom[kUsualTextRoom];
    std::vector<wchar_t> largerText;
    const wchar_t* wide = L"";
    // A length of zero is refused by both calls; the empty text goes as the
    // terminator alone.
    int wideLength = -1;
    if (length > 0) {
        wideLength = WriteWithRoom(
            textRoom, largerText,
            [&](wchar_t* buffer, int capacity) {
                return MultiByteToWideChar(CP_ACP, 0, text.data(), length, buffer, capacity);
            },
            wide);
        if (wideLength == 0) return false;
    }
    // The key is bytes, though the call's buffer is typed as wide text.
    alignas(wchar_t) char keyRoom[kUsualKeyRoom];
    std::vector<char> largerKey;
    const char* key = nullptr;
    int size = WriteWithRoom(
        keyRoom, largerKey,
        [&](char* buffer, int capacity) {
            return LCMapStringW(LOCALE_USER_DEFAULT, kSortFlags, wide, wideLength, reinterpret_cast<LPWSTR>(buffer),
                                capacity);
        },
        key);
    if (size == 0) return false;
    // The key ends in a zero byte, which orders nothing.
    if (key[size - 1] == '\0') --size;
    keys.append(key, static_cast<std::size_t>(size));
    return true;
}

bool Win32CodePage::AppendFromUtf16(std::u16string_view text, std::string& out) const {
    // UTF-16 either way: wchar_t is the system's 16-bit unit on Windows.
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide text is UTF-16 on Windows");
    return AppendAnsiText(reinterpret_cast<const wchar_t*>(text.data()), text.size(), out);
}
