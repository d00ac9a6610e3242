#pragma once
// UTF-16 text from the system (wide file names, the text of Unicode files)
// turned into the ANSI code page that every other part of the program works
// in, without the look-alikes that the system's default conversion puts in
// for characters the code page lacks.

#include <cstddef>
#include <string>

// Appends `length` UTF-16 units at `text` to `out`. True when every character
// has its exact form in the ANSI code page; otherwise each missing one is
// written as the code page's default character and the answer is false.
bool AppendAnsiText(const wchar_t* text, std::size_t length, std::string& out);
