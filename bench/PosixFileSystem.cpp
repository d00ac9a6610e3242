// POSIX implementation of FileSystem (platform/FileSystem.h) for benchmarks.

#include "PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Failure.h"

namespace {

class PosixInputFile : public InputFile {
public:
    explicit PosixInputFile(int fd) : fd_(fd) {}
    ~PosixInputFile() override { ::close(fd_); }
    bool IsDiskFile() const override {
        struct stat status {};
        return ::fstat(fd_, &status) == 0 && S_ISREG(status.st_mode);
    }
    std::size_t Read(char* buffer, std::size_t size) override {
        ssize_t count = ::read(fd_, buffer, size);
        if (count < 0) throw Failure(57, "", std::strerror(errno));
        return static_cast<std::size_t>(count);
    }

private:
    int fd_;
};

}  // namespace

std::string PosixPath(const std::string& windowsPath) {
    std::string path = windowsPath;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

std::vector<std::string> PosixFileSystem::FindPlainFiles(const std::string& pattern) {
    std::vector<std::string> names;
    const std::string path = PosixPath(pattern);
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return names;
    while (dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        bool plain = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat info;
            plain = ::stat((folder + entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
        }
        if (plain && ::fnmatch(leaf.c_str(), entry->d_name, FNM_CASEFOLD) == 0) names.push_back(entry->d_name);
    }
    ::closedir(dir);
    return names;
}

std::unique_ptr<InputFile> PosixFileSystem::OpenForReading(const std::string& path) {
    int fd = ::open(PosixPath(path).c_str(), O_RDONLY);
    if (fd < 0) throw Failure(53, "", std::strerror(errno));
    return std::make_unique<PosixInputFile>(fd);
}

// The benchmarks name their folders in full: nothing to resolve.
std::string PosixFileSystem::FullPath(const std::string& path) { return path; }

void PosixFileSystem::ChangeDrive(char) {}

void PosixFileSystem::ChangeFolder(const std::string& path) {
    if (::chdir(PosixPath(path).c_str()) != 0) throw Failure(76, "", std::strerror(errno));
}
