// The file-system suite's world in the native build: the in-memory files.

#include "standin/StandinFileSystem.h"
#include "support/FileSystemTestWorld.h"

namespace {

class StandinFileSystemWorld : public FileSystemTestWorld {
public:
    FileSystem& Files() override { return files_; }
    std::string Folder() const override { return "C:\\Games\\GTA2"; }
    void Write(const std::string& relative, const std::string& content, FileMark mark) override {
        StandinFileSystem::Attributes attributes;
        attributes.readOnly = mark == FileMark::ReadOnly;
        attributes.hidden = mark == FileMark::Hidden;
        attributes.system = mark == FileMark::System;
        files_.AddFile(Folder() + "\\" + relative, content, attributes);
    }

private:
    StandinFileSystem files_;
};

}  // namespace

std::unique_ptr<FileSystemTestWorld> MakeFileSystemTestWorld() { return std::make_unique<StandinFileSystemWorld>(); }
