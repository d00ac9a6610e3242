// Stand-in implementation of FileSystem (platform/FileSystem.h), in memory.

#include "standin/StandinFileSystem.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

#include "platform/Failure.h"

namespace {

std::string Fold(const std::string& text) {
    std::string folded = text;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}

std::string ParentOf(const std::string& path) {
    auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string LeafOf(const std::string& path) {
    auto slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Windows-style wildcard match, both sides already folded.
bool Matches(const char* pattern, const char* name) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') {
        for (const char* rest = name;; ++rest) {
            if (Matches(pattern + 1, rest)) return true;
            if (*rest == '\0') return false;
        }
    }
    if (*name == '\0') return false;
    if (*pattern == '?' || *pattern == *name) return Matches(pattern + 1, name + 1);
    return false;
}

class StringFile : public InputFile {
public:
    StringFile(std::string content, std::size_t failAfter) : content_(std::move(content)), failAfter_(failAfter) {}

    bool IsDiskFile() const override { return true; }

    std::size_t Read(char* buffer, std::size_t size) override {
        if (offset_ >= failAfter_) throw Failure(57, "", "Device I/O error");
        std::size_t available = std::min(content_.size() - offset_, failAfter_ - offset_);
        std::size_t count = std::min(size, available);
        std::memcpy(buffer, content_.data() + offset_, count);
        offset_ += count;
        return count;
    }

private:
    std::string content_;
    std::size_t failAfter_;
    std::size_t offset_ = 0;
};

class Device : public InputFile {
public:
    bool IsDiskFile() const override { return false; }
    std::size_t Read(char*, std::size_t) override {
        throw std::logic_error("a device was read: on Windows the read would wait without end");
    }
};

}  // namespace

StandinFileSystem::StandinFileSystem() {
    AddFolder("C:\\");
    currentFolderOfDrive_['C'] = "C:";
}

std::string StandinFileSystem::Resolve(const std::string& path) const {
    std::string absolute;
    if (path.size() >= 2 && path[1] == ':') {
        absolute = path;
    } else if (!path.empty() && path[0] == '\\') {
        absolute = std::string(1, currentDrive_) + ":" + path;
    } else {
        absolute = CurrentFolder() + path;
    }
    // One separator between parts, none at the end (the drive keeps "c:").
    std::string collapsed;
    for (char c : absolute) {
        if (c == '/') c = '\\';
        if (c == '\\' && !collapsed.empty() && collapsed.back() == '\\') continue;
        collapsed += c;
    }
    while (!collapsed.empty() && collapsed.back() == '\\') collapsed.pop_back();
    return Fold(collapsed);
}

void StandinFileSystem::MakeParents(const std::string& folded, const std::string& original) {
    std::string parent = ParentOf(folded);
    if (parent.empty() || entries_.count(parent)) return;
    std::string originalParent = ParentOf(original);
    MakeParents(parent, originalParent.empty() ? parent : originalParent);
    Entry folder;
    folder.name = LeafOf(originalParent.empty() ? parent : originalParent);
    folder.folder = true;
    entries_[parent] = folder;
    creationOrder_.push_back(parent);
}

void StandinFileSystem::AddFile(const std::string& path, const std::string& content, Attributes attributes) {
    std::string key = Resolve(path);
    MakeParents(key, path);
    Entry file;
    file.name = LeafOf(path);
    file.spelled = file.name.find('?') == std::string::npos;
    file.content = content;
    file.attributes = attributes;
    if (!entries_.count(key)) creationOrder_.push_back(key);
    entries_[key] = file;
}

void StandinFileSystem::AddFolder(const std::string& path) {
    std::string key = Resolve(path);
    MakeParents(key, path);
    if (entries_.count(key)) return;
    Entry folder;
    folder.name = LeafOf(key);
    folder.folder = true;
    entries_[key] = folder;
    creationOrder_.push_back(key);
}

void StandinFileSystem::RemoveFile(const std::string& path) {
    std::string key = Resolve(path);
    entries_.erase(key);
    creationOrder_.erase(std::remove(creationOrder_.begin(), creationOrder_.end(), key), creationOrder_.end());
}

void StandinFileSystem::LockFile(const std::string& path) { entries_.at(Resolve(path)).locked = true; }

void StandinFileSystem::FailReadsAfter(const std::string& path, std::size_t bytes) {
    entries_.at(Resolve(path)).failReadsAfter = bytes;
}

void StandinFileSystem::GiveShortName(const std::string& path, const std::string& shortName) {
    entries_.at(Resolve(path)).shortName = shortName;
}

void StandinFileSystem::AddLookAlikeNamedFile(const std::string& shortPath, const std::string& lookAlike,
                                              const std::string& content) {
    // Kept under its short name: the look-alike one may belong to another file.
    AddFile(shortPath, content);
    Entry& file = entries_.at(Resolve(shortPath));
    file.shortName = file.name;
    file.name = lookAlike;
    file.spelled = false;
}

void StandinFileSystem::AddDevice(const std::string& path) {
    AddFile(path, std::string());
    entries_.at(Resolve(path)).device = true;
}

bool StandinFileSystem::Exists(const std::string& path) const { return entries_.count(Resolve(path)) != 0; }

std::string StandinFileSystem::CurrentFolder() const {
    auto found = currentFolderOfDrive_.find(currentDrive_);
    std::string folder = found == currentFolderOfDrive_.end() ? std::string(1, currentDrive_) + ":" : found->second;
    return folder + "\\";
}

std::vector<std::string> StandinFileSystem::FindPlainFiles(const std::string& pattern) {
    std::vector<std::string> names;
    for (FoundFile& file : FindPlainFilesWithShortNames(pattern)) names.push_back(std::move(file.name));
    return names;
}

std::vector<FileSystem::FoundFile> StandinFileSystem::FindPlainFilesWithShortNames(const std::string& pattern) {
    std::vector<FoundFile> names;
    if (pattern.empty()) return names;
    std::string folded = Resolve(pattern);
    std::string folder = ParentOf(folded);
    std::string leafPattern = LeafOf(folded);
    auto parent = entries_.find(folder);
    if (parent == entries_.end() || !parent->second.folder) return names;
    for (const std::string& key : creationOrder_) {
        if (ParentOf(key) != folder) continue;
        const Entry& entry = entries_.at(key);
        if (entry.folder || entry.attributes.hidden || entry.attributes.system) continue;
        if (Matches(leafPattern.c_str(), LeafOf(key).c_str()) ||
            (!entry.shortName.empty() && Matches(leafPattern.c_str(), Fold(entry.shortName).c_str()))) {
            names.push_back({entry.name, entry.shortName, entry.spelled, !entry.content.empty() && !entry.device});
        }
    }
    return names;
}

const StandinFileSystem::Entry* StandinFileSystem::Find(const std::string& path) const {
    const std::string key = Resolve(path);
    auto found = entries_.find(key);
    if (found != entries_.end()) return &found->second;
    const std::string folder = ParentOf(key);
    const std::string leaf = LeafOf(key);
    for (const auto& [otherKey, entry] : entries_) {
        if (!entry.shortName.empty() && ParentOf(otherKey) == folder && Fold(entry.shortName) == leaf) return &entry;
    }
    return nullptr;
}

std::unique_ptr<InputFile> StandinFileSystem::OpenForReading(const std::string& path) {
    // Wildcards are no part of any name that can be opened.
    if (LeafOf(path).find_first_of("?*") != std::string::npos) throw Failure(52, "", "Bad file name or number");
    const Entry* found = Find(path);
    if (found == nullptr) throw Failure(53, "", "File not found");
    if (found->folder || found->locked) throw Failure(75, "", "Path/File access error");
    if (found->device) return std::make_unique<Device>();
    return std::make_unique<StringFile>(found->content, found->failReadsAfter);
}

std::string StandinFileSystem::FullPath(const std::string& path) {
    if (path.empty()) throw Failure(52, "", "Bad file name or number");
    std::string text = path;
    std::replace(text.begin(), text.end(), '/', '\\');
    // The root stays as it is written: a drive, or a network share.
    std::string root;
    std::string rest;
    if (text.rfind("\\\\", 0) == 0) {
        const std::size_t share = text.find('\\', 2);
        const std::size_t end = share == std::string::npos ? share : text.find('\\', share + 1);
        root = text.substr(0, end);
        rest = end == std::string::npos ? std::string() : text.substr(end);
    } else {
        if (text.size() < 2 || text[1] != ':') {
            text = (text[0] == '\\' ? std::string(1, currentDrive_) + ":" : CurrentFolder()) + text;
        } else if (text.size() == 2 || text[2] != '\\') {
            auto drive =
                currentFolderOfDrive_.find(static_cast<char>(std::toupper(static_cast<unsigned char>(text[0]))));
            if (drive != currentFolderOfDrive_.end()) text = drive->second + "\\" + text.substr(2);
        }
        root = text.substr(0, 2);
        rest = text.substr(2);
    }
    std::vector<std::string> parts;
    std::size_t at = 0;
    while (at <= rest.size()) {
        std::size_t slash = rest.find('\\', at);
        if (slash == std::string::npos) slash = rest.size();
        const std::string part = rest.substr(at, slash - at);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = slash + 1;
    }
    std::string full = root;
    for (const std::string& part : parts) full += "\\" + part;
    if (parts.empty() || text.back() == '\\') full += '\\';
    return full;
}

void StandinFileSystem::ChangeDrive(char driveLetter) {
    char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(driveLetter)));
    if (!entries_.count(Fold(std::string(1, drive) + ":"))) throw Failure(68, "", "Device unavailable");
    currentDrive_ = drive;
}

void StandinFileSystem::ChangeFolder(const std::string& path) {
    std::string key = Resolve(path);
    auto found = entries_.find(key);
    if (found == entries_.end() || !found->second.folder) throw Failure(76, "", "Path not found");
    char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
    std::string folder = FullPath(path);
    while (folder.size() > 2 && folder.back() == '\\') folder.pop_back();
    currentFolderOfDrive_[drive] = folder;
}
