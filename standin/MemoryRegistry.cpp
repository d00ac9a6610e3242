// Stand-in implementation of RegistryApi (platform/RegistryApi.h).

#include "standin/MemoryRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

// Rights that change the registry.
constexpr std::uint32_t kWritingRights =
    kKeySetValue | kKeyCreateSubKey | kKeyCreateLink | kDelete | kWriteDac | kWriteOwner;

constexpr std::size_t kMaxKeyNameLength = 255;
// The narrow-text calls convert the path into a fixed buffer of 260
// characters first; a longer path fails before the registry sees it.
constexpr std::size_t kMaxNarrowPathLength = 260;

std::string Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

bool SameName(const std::string& a, const std::string& b) { return Upper(a) == Upper(b); }

std::vector<std::string> PathParts(const std::string& path) {
    // Doubled, leading and trailing backslashes are passed over, as Wine does.
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

MemoryRegistry::MemoryRegistry() : currentUser_(std::make_shared<Node>()), localMachine_(std::make_shared<Node>()) {
    Handle machine{localMachine_, kKeyAllAccess, kHkeyLocalMachine};
    std::shared_ptr<Node> classes;
    Walk(machine, "SOFTWARE\\Classes", true, &classes);
    classesRoot_ = classes;
}

MemoryRegistry::~MemoryRegistry() = default;

void MemoryRegistry::SetEnvironmentVariable(const std::string& name, const std::string& value) {
    environment_[Upper(name)] = value;
}

long MemoryRegistry::Resolve(RegKey key, Handle* handle) const {
    if (key == RootKey(kHkeyClassesRoot)) {
        *handle = Handle{classesRoot_, kKeyAllAccess, kHkeyClassesRoot};
    } else if (key == RootKey(kHkeyCurrentUser)) {
        *handle = Handle{currentUser_, kKeyAllAccess, kHkeyCurrentUser};
    } else if (key == RootKey(kHkeyLocalMachine)) {
        *handle = Handle{localMachine_, kKeyAllAccess, kHkeyLocalMachine};
    } else {
        auto found = handles_.find(key);
        if (found == handles_.end()) return kErrorInvalidHandle;
        *handle = found->second;
    }
    return handle->node->deleted ? kErrorKeyDeleted : kErrorSuccess;
}

long MemoryRegistry::Usable(RegKey key, std::uint32_t neededAccess, Handle* handle) const {
    long status = Resolve(key, handle);
    if (status != kErrorSuccess) return status;
    if ((handle->access & neededAccess) != neededAccess) return kErrorAccessDenied;
    if ((neededAccess & kWritingRights) != 0 && refusingRoots_.count(handle->root) != 0) return kErrorAccessDenied;
    return kErrorSuccess;
}

long MemoryRegistry::FindExisting(RegKey key, const std::string& subKey, Handle* from, std::shared_ptr<Node>* node) {
    long status = Resolve(key, from);
    if (status != kErrorSuccess) return status;
    return Walk(*from, subKey, false, node);
}

long MemoryRegistry::Walk(const Handle& from, const std::string& subKey, bool create, std::shared_ptr<Node>* found) {
    if (subKey.size() > kMaxNarrowPathLength) return kErrorMoreData;
    std::shared_ptr<Node> node = from.node;
    for (const std::string& part : PathParts(subKey)) {
        if (part.size() > kMaxKeyNameLength) return kErrorInvalidParameter;
        auto& children = node->children;
        auto child = std::find_if(children.begin(), children.end(),
                                  [&](const std::shared_ptr<Node>& c) { return SameName(c->name, part); });
        if (child != children.end()) {
            node = *child;
            continue;
        }
        if (!create) return kErrorFileNotFound;
        auto fresh = std::make_shared<Node>();
        fresh->name = part;
        fresh->parent = node.get();
        auto place = std::find_if(children.begin(), children.end(),
                                  [&](const std::shared_ptr<Node>& c) { return Upper(c->name) > Upper(part); });
        children.insert(place, fresh);
        node = fresh;
    }
    *found = node;
    return kErrorSuccess;
}

RegKey MemoryRegistry::NewHandle(const std::shared_ptr<Node>& node, std::uint32_t access, std::int32_t root) {
    RegKey key = nextHandle_;
    nextHandle_ += 4;
    handles_[key] = Handle{node, access, root};
    return key;
}

long MemoryRegistry::OpenKeyEx(RegKey key, const std::string& subKey, std::uint32_t access, RegKey* result) {
    if (result == nullptr) return kErrorInvalidParameter;
    *result = 0;
    Handle from;
    std::shared_ptr<Node> node;
    long status = FindExisting(key, subKey, &from, &node);
    if (status != kErrorSuccess) return status;
    if ((access & kWritingRights) != 0 && refusingRoots_.count(from.root) != 0) return kErrorAccessDenied;
    *result = NewHandle(node, access, from.root);
    return kErrorSuccess;
}

long MemoryRegistry::CreateKeyEx(RegKey key, const std::string& subKey, std::uint32_t access, RegKey* result) {
    if (result == nullptr) return kErrorInvalidParameter;
    *result = 0;
    Handle from;
    long status = Usable(key, kKeyCreateSubKey, &from);
    if (status != kErrorSuccess) return status;
    if ((access & kWritingRights) != 0 && refusingRoots_.count(from.root) != 0) return kErrorAccessDenied;
    std::shared_ptr<Node> node;
    status = Walk(from, subKey, true, &node);
    if (status != kErrorSuccess) return status;
    *result = NewHandle(node, access, from.root);
    return kErrorSuccess;
}

std::vector<MemoryRegistry::Value>::iterator MemoryRegistry::Node::FindValue(const std::string& valueName) {
    return std::find_if(values.begin(), values.end(), [&](const Value& v) { return SameName(v.name, valueName); });
}

long MemoryRegistry::QueryValueEx(RegKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                                  std::uint32_t* size) {
    if (data != nullptr && beforeDataQuery_) {
        std::function<void()> change = std::move(beforeDataQuery_);
        beforeDataQuery_ = nullptr;
        change();
    }
    Handle handle;
    long status = Usable(key, kKeyQueryValue, &handle);
    if (status != kErrorSuccess) return status;
    auto& values = handle.node->values;
    auto value = handle.node->FindValue(valueName);
    if (value == values.end()) return kErrorFileNotFound;
    if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
    if (type != nullptr) *type = value->type;
    const auto length = static_cast<std::uint32_t>(value->data.size());
    if (data != nullptr) {
        if (*size < length) {
            // The buffer's content is undefined then; the marks keep anyone
            // from taking it for part of the value.
            std::memset(data, 0xA5, *size);
            *size = length;
            return kErrorMoreData;
        }
        if (length > 0) std::memcpy(data, value->data.data(), length);
    }
    if (size != nullptr) *size = length;
    return kErrorSuccess;
}

long MemoryRegistry::SetValueEx(RegKey key, const std::string& valueName, std::uint32_t type, const std::uint8_t* data,
                                std::uint32_t size) {
    Handle handle;
    long status = Usable(key, kKeySetValue, &handle);
    if (status != kErrorSuccess) return status;
    if (data == nullptr && size > 0) return kErrorNoAccess;
    auto& values = handle.node->values;
    auto value = handle.node->FindValue(valueName);
    if (value == values.end()) {
        values.push_back(Value{valueName, 0, {}});
        value = values.end() - 1;
    }
    value->type = type;
    value->data.assign(data, data + size);
    return kErrorSuccess;
}

long MemoryRegistry::DeleteKey(RegKey key, const std::string& subKey) {
    Handle from;
    std::shared_ptr<Node> node;
    long status = FindExisting(key, subKey, &from, &node);
    if (status != kErrorSuccess) return status;
    // Neither a root nor a key that still has subkeys goes.
    if (node->parent == nullptr || node == classesRoot_ || !node->children.empty()) return kErrorAccessDenied;
    if (refusingRoots_.count(from.root) != 0) return kErrorAccessDenied;
    auto& siblings = node->parent->children;
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
    node->deleted = true;
    node->parent = nullptr;
    return kErrorSuccess;
}

long MemoryRegistry::DeleteValue(RegKey key, const std::string& valueName) {
    Handle handle;
    long status = Usable(key, kKeySetValue, &handle);
    if (status != kErrorSuccess) return status;
    auto& values = handle.node->values;
    auto value = handle.node->FindValue(valueName);
    if (value == values.end()) return kErrorFileNotFound;
    values.erase(value);
    return kErrorSuccess;
}

long MemoryRegistry::CloseKey(RegKey key) {
    // Closing a predefined root is allowed and changes nothing.
    if (key == RootKey(kHkeyClassesRoot) || key == RootKey(kHkeyCurrentUser) || key == RootKey(kHkeyLocalMachine)) {
        return kErrorSuccess;
    }
    return handles_.erase(key) != 0 ? kErrorSuccess : kErrorInvalidHandle;
}

long MemoryRegistry::QueryInfoKey(RegKey key, std::uint32_t* maxValueNameLength) {
    Handle handle;
    long status = Usable(key, kKeyQueryValue, &handle);
    if (status != kErrorSuccess) return status;
    std::size_t longest = 0;
    for (const Value& value : handle.node->values) longest = std::max(longest, value.name.size());
    if (maxValueNameLength != nullptr) *maxValueNameLength = static_cast<std::uint32_t>(longest);
    return kErrorSuccess;
}

long MemoryRegistry::EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength) {
    Handle handle;
    long status = Usable(key, kKeyQueryValue, &handle);
    if (status != kErrorSuccess) return status;
    if (name == nullptr || nameLength == nullptr) return kErrorInvalidParameter;
    const auto& values = handle.node->values;
    if (index >= values.size()) return kErrorNoMoreItems;
    const std::string& found = values[index].name;
    if (found.size() + 1 > *nameLength) return kErrorMoreData;
    std::memcpy(name, found.c_str(), found.size() + 1);
    *nameLength = static_cast<std::uint32_t>(found.size());
    return kErrorSuccess;
}

long MemoryRegistry::EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) {
    Handle handle;
    long status = Usable(key, kKeyEnumerateSubKeys, &handle);
    if (status != kErrorSuccess) return status;
    if (name == nullptr) return kErrorInvalidParameter;
    const auto& children = handle.node->children;
    if (index >= children.size()) return kErrorNoMoreItems;
    const std::string& found = children[index]->name;
    if (found.size() + 1 > nameSize) return kErrorMoreData;
    std::memcpy(name, found.c_str(), found.size() + 1);
    return kErrorSuccess;
}

std::uint32_t MemoryRegistry::ExpandEnvironmentStrings(const char* source, char* destination, std::uint32_t size) {
    const std::string text = source != nullptr ? source : "";
    std::string expanded;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t open = text.find('%', at);
        if (open == std::string::npos) {
            expanded += text.substr(at);
            break;
        }
        expanded += text.substr(at, open - at);
        std::size_t close = text.find('%', open + 1);
        if (close == std::string::npos) {
            expanded += text.substr(open);
            break;
        }
        auto variable = environment_.find(Upper(text.substr(open + 1, close - open - 1)));
        if (close > open + 1 && variable != environment_.end()) {
            expanded += variable->second;
        } else {
            // Unknown names stay in the text, percent signs and all.
            expanded += text.substr(open, close - open + 1);
        }
        at = close + 1;
    }
    const auto needed = static_cast<std::uint32_t>(expanded.size() + 1);
    // The ANSI form, as documented, may want one byte more than it reports:
    // the stand-in always does, so that a caller who gives only the size
    // reported gets nothing.
    if (destination != nullptr && size > needed) std::memcpy(destination, expanded.c_str(), needed);
    return needed;
}
