#pragma once
// In-memory file system with the Windows behaviour the logic relies on:
// backslash paths with drive letters, names compared without regard to case,
// wildcard search over plain files, file attributes, a current drive and
// folder, full paths made as GetFullPathName makes them, and files that
// refuse to open (as one held open without sharing).

#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

struct StandinFileAttributes {
    bool hidden = false;
    bool system = false;
    bool readOnly = false;
};

class StandinFileSystem : public FileSystem {
public:
    using Attributes = StandinFileAttributes;

    StandinFileSystem();

    // Test set-up. Paths are absolute ("C:\games\gta2\data\a.mmp") or relative
    // to the current folder; missing parent folders are made.
    void AddFile(const std::string& path, const std::string& content, Attributes attributes = {});
    void AddFolder(const std::string& path);
    void RemoveFile(const std::string& path);
    // Opening the file fails as when another program holds it without sharing.
    void LockFile(const std::string& path);
    // Reading the file fails after `bytes` bytes.
    void FailReadsAfter(const std::string& path, std::size_t bytes);
    // Gives the file the 8.3 name a volume that keeps them would ("MAP~1.MMP");
    // searches then match it too and report it, and the file opens by it, as
    // on Windows. A file added with a '?' in its name stands for one whose
    // name the ANSI code page cannot spell: the search gives that name, which
    // opens nothing.
    void GiveShortName(const std::string& path, const std::string& shortName);
    // A file whose own name the ANSI code page cannot spell, given by the
    // search as a look-alike ("Lodz.mmp" for "Łódź.mmp"), which is not its
    // name: that name opens another file, or nothing. It opens by its short
    // name, the path's last part.
    void AddLookAlikeNamedFile(const std::string& shortPath, const std::string& lookAlike, const std::string& content);
    // A device under a file's name, as "COM1.mmp" names the serial port: it
    // is found and opens, but is no disk file, and a read of it, which would
    // wait without end, stops the test.
    void AddDevice(const std::string& path);
    bool Exists(const std::string& path) const;

    std::string CurrentFolder() const;  // ends in a backslash, in the case it was set in

    // FileSystem
    std::vector<std::string> FindPlainFiles(const std::string& pattern) override;
    std::vector<FoundFile> FindPlainFilesWithShortNames(const std::string& pattern) override;
    std::unique_ptr<InputFile> OpenForReading(const std::string& path) override;
    std::string FullPath(const std::string& path) override;
    void ChangeDrive(char driveLetter) override;
    void ChangeFolder(const std::string& path) override;

private:
    struct Entry {
        std::string name;  // as created, for the search results
        bool folder = false;
        std::string content;
        Attributes attributes;
        bool locked = false;
        std::size_t failReadsAfter = static_cast<std::size_t>(-1);
        std::string shortName;  // as given; empty: none
        bool spelled = true;    // `name` is its own
        bool device = false;
    };

    std::string Resolve(const std::string& path) const;  // absolute, folded for lookup
    // The entry at `path`, whether its last part is a long or a short name.
    const Entry* Find(const std::string& path) const;
    void MakeParents(const std::string& folded, const std::string& original);

    // Keys are absolute paths folded to lower case, without trailing backslash.
    std::map<std::string, Entry> entries_;
    std::vector<std::string> creationOrder_;
    char currentDrive_ = 'C';
    std::map<char, std::string> currentFolderOfDrive_;
};
