#pragma once
// One row of the map catalogue; launcher/MapColumns.h says which column
// shows which field.

#include <string>

struct MapEntry {
    std::string name;  // display name, the row's own text
    std::string mmp;   // description file name (empty for built-in maps)
    std::string gmp;   // map data file
    std::string sty;   // style file
    std::string scr;   // script file

    bool operator==(const MapEntry& other) const {
        return name == other.name && mmp == other.mmp && gmp == other.gmp && sty == other.sty && scr == other.scr;
    }
};
