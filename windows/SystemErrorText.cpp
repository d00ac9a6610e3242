// The system's text for an error number (SystemErrorText.h).

#include "windows/SystemErrorText.h"

#include <windows.h>

#include "windows/Handles.h"

std::string SystemErrorText(unsigned long error) {
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    UniqueLocalMemory owned(text);
    std::string result;
    if (length != 0 && text != nullptr) result.assign(text, length);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    if (result.empty()) result = "System error " + std::to_string(error);
    return result;
}
