#pragma once
// What the file-system suite needs from the build it runs in: a file system
// and a folder of the test's own to fill. Natively this is the in-memory
// stand-in; on Windows (and under Wine) the real disk, in a scratch folder.

#include <memory>
#include <string>

#include "platform/FileSystem.h"

enum class FileMark { Plain, ReadOnly, Hidden, System };

class FileSystemTestWorld {
public:
    virtual ~FileSystemTestWorld() = default;

    virtual FileSystem& Files() = 0;
    // Absolute, without a trailing backslash. It goes, and the current folder
    // is put back, when the world does.
    virtual std::string Folder() const = 0;
    // Writes a file below Folder(), making its folders; `relative` uses
    // backslashes.
    virtual void Write(const std::string& relative, const std::string& content, FileMark mark = FileMark::Plain) = 0;
};

std::unique_ptr<FileSystemTestWorld> MakeFileSystemTestWorld();
