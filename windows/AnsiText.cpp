// UTF-16 to the ANSI code page without best fit (windows/AnsiText.h).

#include "windows/AnsiText.h"

#include <windows.h>

#include <limits>
#include <vector>

namespace {

// Room for a file name or a line of a description file without asking for
// the size first.
constexpr int kUsualRoom = 1024;

// Appends the conversion to `out`; false, with nothing appended, when the
// system refuses it.
bool AppendConverted(UINT codePage, DWORD flags, const wchar_t* text, int units, BOOL* usedDefault, std::string& out) {
    char room[kUsualRoom];
    int written = WideCharToMultiByte(codePage, flags, text, units, room, kUsualRoom, nullptr, usedDefault);
    if (written > 0) {
        out.append(room, static_cast<std::size_t>(written));
        return true;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
    const int needed = WideCharToMultiByte(codePage, flags, text, units, nullptr, 0, nullptr, usedDefault);
    if (needed <= 0) return false;
    std::vector<char> larger(static_cast<std::size_t>(needed));
    written = WideCharToMultiByte(codePage, flags, text, units, larger.data(), needed, nullptr, usedDefault);
    if (written <= 0) return false;
    out.append(larger.data(), static_cast<std::size_t>(written));
    return true;
}

}  // namespace

bool AppendAnsiText(const wchar_t* text, std::size_t length, std::string& out) {
    if (length == 0) return true;
    if (length > static_cast<std::size_t>(std::numeric_limits<int>::max() / 4)) return false;
    const int units = static_cast<int>(length);
    if (GetACP() != CP_UTF8) {
        BOOL usedDefault = FALSE;
        return AppendConverted(CP_ACP, WC_NO_BEST_FIT_CHARS, text, units, &usedDefault, out) && !usedDefault;
    }
    // Where the ANSI code page is UTF-8 (Windows 10 allows it), the system
    // refuses both the no-best-fit flag and the question of the default
    // character: every character has its exact form there. Only a lone
    // surrogate, which no valid text holds, fails the strict conversion; it
    // is then written as U+FFFD.
    if (AppendConverted(CP_UTF8, WC_ERR_INVALID_CHARS, text, units, nullptr, out)) return true;
    AppendConverted(CP_UTF8, 0, text, units, nullptr, out);
    return false;
}
