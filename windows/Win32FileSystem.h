#pragma once
// Windows implementation of FileSystem (platform/FileSystem.h) over the
// narrow-text kernel32 file functions, but for the search: that runs in wide
// text, which tells the names the ANSI code page cannot spell.

#include "platform/FileSystem.h"

class Win32FileSystem : public FileSystem {
public:
    std::vector<std::string> FindPlainFiles(const std::string& pattern) override;
    std::vector<FoundFile> FindPlainFilesWithShortNames(const std::string& pattern) override;
    std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
    std::unique_ptr<InputFile> OpenFound(const std::string& path, const FoundFile& found) override;
    std::string FullPath(const std::string& path) override;
    void ChangeDrive(char driveLetter) override;
    void ChangeFolder(const std::string& path) override;
};
