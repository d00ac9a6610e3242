// The file-system suite's world in the Windows build: the real disk.

#include <windows.h>

#include "Scratch.h"
#include "support/FileSystemTestWorld.h"
#include "windows/Win32FileSystem.h"

namespace {

DWORD AttributesOf(FileMark mark) {
    switch (mark) {
        case FileMark::ReadOnly:
            return FILE_ATTRIBUTE_READONLY;
        case FileMark::Hidden:
            return FILE_ATTRIBUTE_HIDDEN;
        case FileMark::System:
            return FILE_ATTRIBUTE_SYSTEM;
        case FileMark::Plain:
            break;
    }
    return FILE_ATTRIBUTE_NORMAL;
}

class Win32FileSystemWorld : public FileSystemTestWorld {
public:
    Win32FileSystemWorld() { GetCurrentDirectoryA(MAX_PATH, savedFolder_); }
    // Every test of the program shares the process's current folder.
    ~Win32FileSystemWorld() override { SetCurrentDirectoryA(savedFolder_); }

    FileSystem& Files() override { return files_; }
    std::string Folder() const override { return scratch_.Path(); }
    void Write(const std::string& relative, const std::string& content, FileMark mark) override {
        scratch_.Write(relative, content);
        SetFileAttributesA((scratch_ / relative).c_str(), AttributesOf(mark));
    }

private:
    char savedFolder_[MAX_PATH] = {};
    gui::ScratchFolder scratch_{"file-suite"};
    Win32FileSystem files_;
};

}  // namespace

std::unique_ptr<FileSystemTestWorld> MakeFileSystemTestWorld() { return std::make_unique<Win32FileSystemWorld>(); }
