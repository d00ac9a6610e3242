#pragma once
// Modal message boxes over the main window.

#include <string>

// The title every message box of the program carries.
inline constexpr const char* kApplicationTitle = "Brindleway";

class UserMessages {
public:
    virtual ~UserMessages() = default;
    // Shows `text` in a modal box titled kApplicationTitle, with a single OK
    // button and no icon, and returns when the user has closed it.
    virtual void ShowMessage(const std::string& text) = 0;
};
