#pragma once
// FileSystem (platform/FileSystem.h) over the POSIX file system, for the
// benchmarks: Windows paths are taken with backslashes turned into slashes,
// a dot file counts as hidden, and names match without regard to case.

#include "platform/FileSystem.h"

class PosixFileSystem : public FileSystem {
public:
    std::vector<std::string> FindPlainFiles(const std::string& pattern) override;
    std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
    std::string FullPath(const std::string& path) override;
    void ChangeDrive(char driveLetter) override;
    void ChangeFolder(const std::string& path) override;
};

std::string PosixPath(const std::string& windowsPath);
