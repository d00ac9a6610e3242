#pragma once
// The raw registry calls the accessor is built on, one member for each of the
// narrow-text advapi32 functions it uses. Status codes are Win32's (0 success,
// 2 not found, 5 access denied, 234 more data, 259 no more items, ...).

#include <cstdint>
#include <string>

#include "platform/UniqueResource.h"

// A registry key handle as the registry knows it. The predefined roots are
// the sign-extended values of the 32-bit numbers 0x80000000.. (see RootKey()).
using RegKey = std::uintptr_t;

inline RegKey RootKey(std::int32_t classKey) {
    // The registry's predefined handles are sign-extended, as the Windows
    // headers define them.
    return static_cast<RegKey>(static_cast<std::intptr_t>(classKey));
}

inline constexpr std::int32_t kHkeyClassesRoot = static_cast<std::int32_t>(0x80000000u);
inline constexpr std::int32_t kHkeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr std::int32_t kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    // Both leave 0 in `result` when they fail, so an owner's put() may
    // receive it directly.
    virtual long OpenKeyEx(RegKey key, const std::string& subKey, std::uint32_t access, RegKey* result) = 0;
    // Class text empty, REG_OPTION_NON_VOLATILE, default security; creates
    // every missing key along the path.
    virtual long CreateKeyEx(RegKey key, const std::string& subKey, std::uint32_t access, RegKey* result) = 0;
    // `type`, `data` and `size` may each be null, as for RegQueryValueExA.
    virtual long QueryValueEx(RegKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                              std::uint32_t* size) = 0;
    virtual long SetValueEx(RegKey key, const std::string& valueName, std::uint32_t type, const std::uint8_t* data,
                            std::uint32_t size) = 0;
    virtual long DeleteKey(RegKey key, const std::string& subKey) = 0;
    virtual long DeleteValue(RegKey key, const std::string& valueName) = 0;
    virtual long CloseKey(RegKey key) = 0;
    // Only the longest value name's length (characters, no terminator) is used.
    virtual long QueryInfoKey(RegKey key, std::uint32_t* maxValueNameLength) = 0;
    // Name only: no type, no data. `nameLength` is in/out as for RegEnumValueA.
    virtual long EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength) = 0;
    virtual long EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) = 0;

    // ExpandEnvironmentStringsA: returns the size needed, NUL included.
    virtual std::uint32_t ExpandEnvironmentStrings(const char* source, char* destination, std::uint32_t size) = 0;
};

// Closes a key through the registry that opened it.
class KeyCloser {
public:
    // Not explicit: an owner is made straight from its registry,
    // UniqueKey key(api).
    KeyCloser(RegistryApi& api) : api_(&api) {}
    static constexpr RegKey Invalid() noexcept { return 0; }
    void Close(RegKey key) const noexcept { api_->CloseKey(key); }

private:
    RegistryApi* api_;
};

using UniqueKey = UniqueResource<RegKey, KeyCloser>;
