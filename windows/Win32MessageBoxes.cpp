// Windows implementation of the message boxes declared in Win32MessageBoxes.h.

#include "windows/Win32MessageBoxes.h"

void Win32MessageBoxes::ShowMessage(const std::string& text) {
    MessageBoxA(owner_ ? owner_() : nullptr, text.c_str(), kApplicationTitle, MB_OK);
}
