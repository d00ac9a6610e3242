#pragma once
// Stand-in folder dialog: answers each Browse call with the next scripted
// answer (a folder, a pick without a file-system path or with one the code
// page cannot spell, cancel, or a failure to show at all) and records what
// it was asked. Running out of answers is a test fault and cancels.

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Failure.h"
#include "platform/FolderDialog.h"

class ScriptedFolderDialog : public FolderDialog {
public:
    // Cut at the first zero, as the shell's answer is.
    void WillPick(const std::string& path) { answers_.push_back(FolderPick{true, path.substr(0, path.find('\0'))}); }
    void WillPickVirtualFolder() { answers_.push_back(FolderPick{false, ""}); }
    // A folder whose path the ANSI code page cannot spell, not even short.
    void WillPickFolderNotInCodePage() { answers_.push_back(FolderPick{false, "", true}); }
    void WillCancel() { answers_.push_back(std::nullopt); }
    // As when the shell's library or one of its functions cannot be found.
    void WillFail(const std::string& description) {
        failures_[asked_ + answers_.size()] = description;
        WillCancel();
    }

    std::optional<FolderPick> Browse(const std::string& title, std::uint32_t flags) override {
        titles.push_back(title);
        lastFlags = flags;
        if (answers_.empty()) {
            ranOutOfAnswers = true;
            return std::nullopt;
        }
        auto answer = answers_.front();
        answers_.pop_front();
        auto failure = failures_.find(asked_++);
        if (failure != failures_.end()) throw Failure(53, "FolderDialog", failure->second);
        return answer;
    }

    std::vector<std::string> titles;  // one per time the dialog was shown
    std::uint32_t lastFlags = 0;
    bool ranOutOfAnswers = false;

private:
    std::deque<std::optional<FolderPick>> answers_;
    std::map<std::size_t, std::string> failures_;  // by the number of the answer
    std::size_t asked_ = 0;
};
