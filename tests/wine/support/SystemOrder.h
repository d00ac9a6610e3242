#pragma once
// The order the map list is sorted in, as the system itself compares: names
// read in the ANSI code page, as the files and the list hold them, and
// compared in the user's locale with case ignored. CompareStringA would read
// the bytes in the code page of the user's locale instead, which is not the
// ANSI one where the two language settings differ.

#include <windows.h>

#include <string>

inline std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int units = text.empty() ? 0
                                   : MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                         &wide[0], static_cast<int>(wide.size()));
    wide.resize(units > 0 ? static_cast<std::size_t>(units) : 0);
    return wide;
}

// Negative, zero or positive as `a` sorts before, equal to or after `b`.
inline int SystemOrder(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) -
           CSTR_EQUAL;
}

inline int SystemOrder(const std::string& a, const std::string& b) { return SystemOrder(Wide(a), Wide(b)); }
