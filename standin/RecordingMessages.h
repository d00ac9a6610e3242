#pragma once
// Stand-in message boxes: every text shown is recorded; "closing" is instant.

#include <string>
#include <vector>

#include "platform/UserMessages.h"

class RecordingMessages : public UserMessages {
public:
    void ShowMessage(const std::string& text) override { shown.push_back(text); }

    std::vector<std::string> shown;
};
