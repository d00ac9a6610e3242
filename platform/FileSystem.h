#pragma once
// File services the program needs: pattern search over plain files, reading a
// file from its start, full paths, and the current drive and folder.

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A file opened for sequential reading; closed when the object goes away.
class InputFile {
public:
    virtual ~InputFile() = default;
    // False when the name led to something other than a file on a disk: a
    // device (a serial port, the null device) or a pipe, whose reads may wait
    // without end for data that never comes. Read nothing from such a thing.
    virtual bool IsDiskFile() const = 0;
    // Reads up to `size` bytes; returns 0 at the end of the file.
    // Throws Failure when the read itself fails.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Names (no folder) of the files matching `pattern`, in the platform's
    // search order. Only plain files count: folders and files marked hidden or
    // system never match, read-only files do. Letter case is ignored, "*" and
    // "?" match as wildcards. Any failure of the search yields no names.
    virtual std::vector<std::string> FindPlainFiles(const std::string& pattern) = 0;

    // A file the search found, by both its names.
    struct FoundFile {
        std::string name;       // as the search gives it
        std::string shortName;  // its 8.3 name, where the volume keeps one that differs; else empty
        // False where the ANSI code page lacks a character of the file's own
        // name: the search then gives '?' in its place, a name that opens
        // nothing, or a look-alike ("Lodz.mmp" for "Łódź.mmp"), a name that
        // may open another file. Such a file opens only by its short name.
        bool spelled = true;
        // The search saw data of the file's own, neither an empty entry nor
        // a link: no device or pipe shows so.
        bool holdsData = false;
    };
    // FindPlainFiles with each file's short name. A file system that keeps no
    // short names gives them all empty. This one takes a name for the file's
    // own unless it holds the '?' that no file name can.
    virtual std::vector<FoundFile> FindPlainFilesWithShortNames(const std::string& pattern) {
        std::vector<FoundFile> found;
        for (std::string& name : FindPlainFiles(pattern)) {
            const bool spelled = name.find('?') == std::string::npos;
            found.push_back({std::move(name), std::string(), spelled});
        }
        return found;
    }

    // Opens an existing file read-only. Throws Failure (with the platform's
    // description) when it cannot be opened. A name that the system takes
    // for a device wherever it stands ("COM1.mmp" names the serial port) may
    // be left unopened: opening a port can stir what hangs on it. The file
    // returned then says it is no disk file.
    virtual std::unique_ptr<InputFile> OpenForReading(const std::string& path) = 0;
    // OpenForReading for a file the search gave as `found`: what the search
    // saw of it may spare the opened file a question to the system.
    virtual std::unique_ptr<InputFile> OpenFound(const std::string& path, const FoundFile& /*found*/) {
        return OpenForReading(path);
    }

    // The full form of `path` (GetFullPathNameA): a relative path is taken
    // from the current drive and folder, "." and ".." parts are resolved, runs
    // of backslashes become one, and a final backslash stays. Throws Failure
    // when the system cannot make it (an empty or overlong path).
    virtual std::string FullPath(const std::string& path) = 0;

    // Throw Failure when the change is refused.
    virtual void ChangeDrive(char driveLetter) = 0;
    virtual void ChangeFolder(const std::string& path) = 0;
};
