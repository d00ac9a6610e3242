#pragma once
// A control's description for assistive programs, which a screen reader says
// when the control gets the focus, set through oleacc's annotation service.
// COM is loaded only when a description is first set; where COM, oleacc or
// the service is missing, the control simply has none.

#include <windows.h>

#include "windows/SystemLibrary.h"

struct IAccPropServices;

class AssistiveDescription {
public:
    AssistiveDescription() = default;
    AssistiveDescription(const AssistiveDescription&) = delete;
    AssistiveDescription& operator=(const AssistiveDescription&) = delete;

    // Gives `control` the description `text` (ASCII), unless it has one.
    void Set(HWND control, const char* text);
    // Takes the description away again; the control must still exist.
    void Clear();

private:
    // Never let go: COM and the shell leave threads running in it.
    OnDemandLibrary com_{"ole32.dll", "Window", OnDemandLibrary::Lifetime::UntilTheProcessEnds};
    HWND control_ = nullptr;
    // The annotation service, while it holds the description.
    IAccPropServices* services_ = nullptr;
    bool comStarted_ = false;
};
