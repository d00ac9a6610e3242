#pragma once
// The list's columns, left to right: each one's title, its width when the
// window opens, and the field of a catalogue row that fills its cells. The
// window, the stand-in and the launch all take the columns from here.

#include <iterator>
#include <string>

#include "launcher/MapEntry.h"

struct MapColumn {
    const char* title;
    int widthTwips;
    std::string MapEntry::*field;
};

inline constexpr MapColumn kMapColumns[] = {
    {"Name", 3500, &MapEntry::name},    {"MMP file", 2500, &MapEntry::mmp}, {"GMP file", 2000, &MapEntry::gmp},
    {"STY file", 1600, &MapEntry::sty}, {"SCR file", 2500, &MapEntry::scr},
};
inline constexpr int kMapColumnCount = static_cast<int>(std::size(kMapColumns));

// The column, counted from 1, whose cells show `field`.
constexpr int ColumnOf(std::string MapEntry::*field) {
    for (int column = 0; column < kMapColumnCount; ++column) {
        if (kMapColumns[column].field == field) return column + 1;
    }
    return 0;
}
