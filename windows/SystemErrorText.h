#pragma once
// The system's own words for an error number, as the program's failures carry
// them.

#include <string>

// The text without its line end; "System error <n>" when the system has no
// text for the number.
std::string SystemErrorText(unsigned long error);
