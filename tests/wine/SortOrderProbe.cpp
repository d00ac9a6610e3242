// Prints how the system's text comparison (CompareStringA, user locale,
// case ignored) orders every single ANSI character, which characters it
// ignores and which ones it expands into two letters. Its output is the
// source of the weight table in standin/MapNameOrder.cpp.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int Compare(DWORD flags, const char* a, int aLength, const char* b, int bLength) {
    return CompareStringA(LOCALE_USER_DEFAULT, flags, a, aLength, b, bLength) - CSTR_EQUAL;
}

void PrintClasses(const char* tag, DWORD flags) {
    std::vector<int> chars;
    for (int c = 1; c < 256; ++c) chars.push_back(c);
    std::stable_sort(chars.begin(), chars.end(), [flags](int a, int b) {
        char x = static_cast<char>(a), y = static_cast<char>(b);
        return Compare(flags, &x, 1, &y, 1) < 0;
    });
    int rank = 0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        char x = static_cast<char>(chars[i]);
        if (Compare(flags, &x, 1, "", 0) == 0) {
            std::printf("%s %d 0\n", tag, chars[i]);
            continue;
        }
        if (rank == 0) {
            rank = 1;
        } else {
            char y = static_cast<char>(chars[i - 1]);
            if (Compare(flags, &y, 1, &x, 1) != 0) ++rank;
        }
        std::printf("%s %d %d\n", tag, chars[i], rank);
    }
}

}  // namespace

int main() {
    std::printf("acp %u\n", GetACP());
    const DWORD primary = NORM_IGNORECASE | NORM_IGNORENONSPACE;
    PrintClasses("p", primary);
    PrintClasses("s", NORM_IGNORECASE);
    // Characters equal to a pair of letters at the first level.
    for (int c = 128; c < 256; ++c) {
        char x = static_cast<char>(c);
        for (char a = 'a'; a <= 'z'; ++a)
            for (char b = 'a'; b <= 'z'; ++b) {
                char pair[2] = {a, b};
                if (Compare(primary, &x, 1, pair, 2) == 0) std::printf("x %d %c%c\n", c, a, b);
            }
    }
    return 0;
}
