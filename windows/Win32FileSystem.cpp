// Windows implementation of FileSystem (platform/FileSystem.h).

#include "windows/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cwchar>
#include <string_view>

#include "platform/Failure.h"
#include "windows/AnsiText.h"
#include "windows/Handles.h"
#include "windows/SystemErrorText.h"
#include "windows/SystemLibrary.h"

namespace {

constexpr const char* kSource = "FileSystem";

[[noreturn]] void ThrowLastError() {
    DWORD error = GetLastError();
    throw Failure(static_cast<std::int32_t>(error), kSource, SystemErrorText(error));
}

// A drive without a medium would otherwise put up the system's "insert a
// disk" box instead of simply failing the search. Windows 7 and later keep
// the change to this thread; before that the process's mode is changed for
// the moment, which the program's single thread makes just as safe.
class NoCriticalErrorBoxes {
public:
    NoCriticalErrorBoxes() {
        if (setThreadMode_) {
            setThreadMode_(kQuiet, &old_);
        } else {
            old_ = SetErrorMode(kQuiet);
        }
    }
    ~NoCriticalErrorBoxes() {
        if (setThreadMode_) {
            setThreadMode_(old_, nullptr);
        } else {
            SetErrorMode(old_);
        }
    }
    NoCriticalErrorBoxes(const NoCriticalErrorBoxes&) = delete;
    NoCriticalErrorBoxes& operator=(const NoCriticalErrorBoxes&) = delete;

private:
    using SetThreadErrorModeFunction = BOOL WINAPI(DWORD, DWORD*);
    static constexpr UINT kQuiet = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;
    // The pointer is fixed for the object's life; null before Windows 7.
    SetThreadErrorModeFunction* const setThreadMode_ = Bound();
    DWORD old_ = 0;

    static SetThreadErrorModeFunction* Bound() {
        static const auto function = FindKernelFunction<SetThreadErrorModeFunction*>("SetThreadErrorMode");
        return function;
    }
};

class Win32InputFile : public InputFile {
public:
    // `foundWithData`: the search saw data of the file's own, which no device
    // or pipe has.
    Win32InputFile(UniqueFileHandle file, bool foundWithData) : file_(std::move(file)), foundWithData_(foundWithData) {}

    // The question costs a trip to the system for each of thousands of files
    // at every start, where the search has mostly answered it already.
    bool IsDiskFile() const override { return foundWithData_ || GetFileType(file_.get()) == FILE_TYPE_DISK; }

    std::size_t Read(char* buffer, std::size_t size) override {
        // One call a read: the reader asks again until the end, and a second
        // call only to learn that a small file has ended would double the
        // system calls of a folder of maps. ReadFile takes a 32-bit count.
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 20));
        DWORD got = 0;
        if (!ReadFile(file_.get(), buffer, chunk, &got, nullptr)) ThrowLastError();
        return got;
    }

private:
    UniqueFileHandle file_;
    bool foundWithData_;
};

// A device the program will not open: nothing is held, and nothing is read.
class UnopenedDevice : public InputFile {
public:
    bool IsDiskFile() const override { return false; }
    std::size_t Read(char*, std::size_t) override {
        throw Failure(ERROR_INVALID_FUNCTION, kSource, SystemErrorText(ERROR_INVALID_FUNCTION));
    }
};

// Whether the system takes `path` for a device, as it takes "x\COM1.mmp"
// (or "nul .txt", "LPT1.a.b") for the port itself. Its own answer, the one
// an open would act on, is the full path it makes of it: "\\.\COM1".
bool NamesDevice(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return length >= 4 && length < MAX_PATH && std::string_view(full, 4) == "\\\\.\\";
}

// Calls `take` with every plain file the search for `pattern` finds. The
// wide search gives each file's own name, where the narrow one writes a
// look-alike for each letter the code page lacks ("Lodz.mmp" for
// "Łódź.mmp"; a yen sign becomes a backslash in code page 932): a name that
// opens another file, or none.
template <typename Take>
void ForEachPlainFile(const std::string& pattern, Take take) {
    if (pattern.empty()) return;
    const int units = MultiByteToWideChar(CP_ACP, 0, pattern.c_str(), -1, nullptr, 0);
    if (units <= 0) return;
    std::wstring widePattern(static_cast<std::size_t>(units), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, pattern.c_str(), -1, &widePattern[0], units) != units) return;
    WIN32_FIND_DATAW found;
    UniqueFindHandle search;
    {
        NoCriticalErrorBoxes quiet;
        search.reset(FindFirstFileW(widePattern.c_str(), &found));
    }
    if (!search) return;
    constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((found.dwFileAttributes & kNotPlain) == 0) take(found);
    } while (FindNextFileW(search.get(), &found));
}

}  // namespace

std::vector<std::string> Win32FileSystem::FindPlainFiles(const std::string& pattern) {
    std::vector<std::string> names;
    for (FoundFile& file : FindPlainFilesWithShortNames(pattern)) names.push_back(std::move(file.name));
    return names;
}

std::vector<FileSystem::FoundFile> Win32FileSystem::FindPlainFilesWithShortNames(const std::string& pattern) {
    std::vector<FoundFile> files;
    ForEachPlainFile(pattern, [&](const WIN32_FIND_DATAW& found) {
        FoundFile file;
        file.spelled = AppendAnsiText(found.cFileName, wcslen(found.cFileName), file.name);
        file.holdsData = (found.nFileSizeLow != 0 || found.nFileSizeHigh != 0) &&
                         (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
        // A short name is ASCII as a rule; one that is not, and cannot be
        // spelled here, reaches the file no better than its long name.
        if (!AppendAnsiText(found.cAlternateFileName, wcslen(found.cAlternateFileName), file.shortName)) {
            file.shortName.clear();
        }
        files.push_back(std::move(file));
    });
    return files;
}

namespace {

// A file on a disk under a name of a device ("COM1.mmp") shows its data to
// the search, but opens the device: the name is asked about first.
std::unique_ptr<InputFile> Open(const std::string& path, bool foundWithData) {
    // Opening a serial port may raise its control lines, which resets some
    // of the devices hung on one, and a network printer's port can keep the
    // open waiting: a device name is never opened at all.
    if (NamesDevice(path)) return std::make_unique<UnopenedDevice>();
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) ThrowLastError();
    return std::make_unique<Win32InputFile>(std::move(file), foundWithData);
}

}  // namespace

std::unique_ptr<InputFile> Win32FileSystem::OpenForReading(const std::string& path) { return Open(path, false); }

std::unique_ptr<InputFile> Win32FileSystem::OpenFound(const std::string& path, const FoundFile& found) {
    return Open(path, found.holdsData);
}

std::string Win32FileSystem::FullPath(const std::string& path) {
    // The answer without room is the size needed, terminator included; the
    // current folder may change in between, so ask until it fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0) ThrowLastError();
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(length);
    }
}

void Win32FileSystem::ChangeDrive(char driveLetter) {
    // "X:" alone names the drive's own current folder, which the system
    // remembers per drive: the same thing a change of drive does.
    const char drive[] = {driveLetter, ':', '\0'};
    if (!SetCurrentDirectoryA(drive)) ThrowLastError();
}

void Win32FileSystem::ChangeFolder(const std::string& path) {
    if (!SetCurrentDirectoryA(path.c_str())) ThrowLastError();
    // The system keeps one current folder per drive only in the hidden
    // variable "=X:"; setting it, as the C runtime's chdir does, lets a
    // later change to this drive come back to this folder.
    char folder[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    if (length >= 2 && length < MAX_PATH && folder[1] == ':' && std::isalpha(static_cast<unsigned char>(folder[0]))) {
        const char variable[] = {'=', static_cast<char>(std::toupper(static_cast<unsigned char>(folder[0]))), ':',
                                 '\0'};
        SetEnvironmentVariableA(variable, folder);
    }
}
