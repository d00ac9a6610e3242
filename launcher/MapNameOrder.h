#pragma once
// The order of the map list: ascending by name, the way a Windows list
// control orders its rows (a case-insensitive "word sort" of ANSI text:
// hyphens and apostrophes count only when the names are otherwise equal,
// punctuation before digits, digits before letters, letter case ignored).
// Every position in the list, the selection and the stored map_index refer
// to this order, so the real list and the tests both take it from here.

#include <string>
#include <vector>

// Negative when `a` sorts before `b`, zero when the two sort as equal,
// positive otherwise.
int CompareMapNames(const std::string& a, const std::string& b);

// The 1-based position at which a row named `name` goes among rows already
// in order, `rowCount` of them, whose names `nameAt(position)` returns: after
// every row that sorts before it or equal to it, so rows with equal names
// keep the order in which they were added.
template <typename NameAt>
int SortedInsertPosition(const std::string& name, int rowCount, NameAt nameAt) {
    int low = 1;
    int high = rowCount + 1;
    while (low < high) {
        int middle = low + (high - low) / 2;
        if (CompareMapNames(nameAt(middle), name) <= 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}
