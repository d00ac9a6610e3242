#pragma once
// In-memory registry with the Win32 behaviour the registry accessor relies
// on: predefined roots (HKEY_CLASSES_ROOT being HKEY_LOCAL_MACHINE's
// SOFTWARE\Classes, as on Windows), names compared without regard to case but
// kept as first written, whole paths created, keys with subkeys not deleted,
// access rights checked per handle, Win32 status codes and buffer-size rules,
// a settable environment for ExpandEnvironmentStrings, and values that change
// between two queries.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/RegistryApi.h"

class MemoryRegistry : public RegistryApi {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;

    // Test set-up.
    // Every create, write or delete reached through this root then fails with
    // 5, as for a user without the rights; reading still works.
    void RefuseWritesUnder(std::int32_t root) { refusingRoots_.insert(root); }
    void SetEnvironmentVariable(const std::string& name, const std::string& value);
    // The next query that asks for a value's data runs `change` first, as
    // another program writing between a size query and a data query would.
    void BeforeNextDataQuery(std::function<void()> change) { beforeDataQuery_ = std::move(change); }

    // What the code under test left behind.
    int OpenHandleCount() const { return static_cast<int>(handles_.size()); }

    // RegistryApi
    long OpenKeyEx(RegKey key, const std::string& subKey, std::uint32_t access, RegKey* result) override;
    long CreateKeyEx(RegKey key, const std::string& subKey, std::uint32_t access, RegKey* result) override;
    long QueryValueEx(RegKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* size) override;
    long SetValueEx(RegKey key, const std::string& valueName, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    long DeleteKey(RegKey key, const std::string& subKey) override;
    long DeleteValue(RegKey key, const std::string& valueName) override;
    long CloseKey(RegKey key) override;
    long QueryInfoKey(RegKey key, std::uint32_t* maxValueNameLength) override;
    long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength) override;
    long EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) override;
    std::uint32_t ExpandEnvironmentStrings(const char* source, char* destination, std::uint32_t size) override;

private:
    struct Value {
        std::string name;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };
    struct Node {
        std::string name;
        Node* parent = nullptr;
        bool deleted = false;
        // Subkeys in the registry's own order: sorted without regard to case.
        std::vector<std::shared_ptr<Node>> children;
        // Values in the order they were first written.
        std::vector<Value> values;

        // The value of that name, letter case aside; values.end() if none.
        std::vector<Value>::iterator FindValue(const std::string& valueName);
    };
    struct Handle {
        std::shared_ptr<Node> node;
        std::uint32_t access = 0;
        std::int32_t root = 0;  // the predefined root the key was reached through
    };
    // Resolves a key argument: a predefined root or an open handle.
    long Resolve(RegKey key, Handle* handle) const;
    long Walk(const Handle& from, const std::string& subKey, bool create, std::shared_ptr<Node>* found);
    // Resolves the key argument and walks to an existing subkey of it.
    long FindExisting(RegKey key, const std::string& subKey, Handle* from, std::shared_ptr<Node>* node);
    RegKey NewHandle(const std::shared_ptr<Node>& node, std::uint32_t access, std::int32_t root);
    long Usable(RegKey key, std::uint32_t neededAccess, Handle* handle) const;

    std::shared_ptr<Node> currentUser_;
    std::shared_ptr<Node> localMachine_;
    std::shared_ptr<Node> classesRoot_;
    std::map<RegKey, Handle> handles_;
    RegKey nextHandle_ = 0x1000;
    std::set<std::int32_t> refusingRoots_;
    // Names kept in upper case: environment names are not case-sensitive.
    std::map<std::string, std::string> environment_;
    std::function<void()> beforeDataQuery_;
};
