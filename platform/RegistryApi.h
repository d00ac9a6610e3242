#pragma once
// The raw registry calls the accessor is built on, one member for each of the
// narrow-text advapi32 functions it uses, with the numbers they speak in:
// status codes, access masks and value types, all as Win32 defines them.

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

// Status codes the calls return.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorInvalidData = 13;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;
inline constexpr long kErrorNoAccess = 998;
inline constexpr long kErrorKeyDeleted = 1018;

// Access masks a key is opened with.
inline constexpr std::uint32_t kKeyQueryValue = 0x1;
inline constexpr std::uint32_t kKeySetValue = 0x2;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x4;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x8;
inline constexpr std::uint32_t kKeyNotify = 0x10;
inline constexpr std::uint32_t kKeyCreateLink = 0x20;
// Every key-specific right but none of the standard rights: enough to create,
// write and delete values without asking for more than a user may hold.
inline constexpr std::uint32_t kKeyAllKeyRights = 0x3F;
// The standard rights that change a key or who may use it.
inline constexpr std::uint32_t kDelete = 0x10000;
inline constexpr std::uint32_t kWriteDac = 0x40000;
inline constexpr std::uint32_t kWriteOwner = 0x80000;
// KEY_ALL_ACCESS: what a predefined root grants.
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;

// Value type codes.
inline constexpr std::int32_t kRegNone = 0;
inline constexpr std::int32_t kRegSz = 1;
inline constexpr std::int32_t kRegExpandSz = 2;
inline constexpr std::int32_t kRegBinary = 3;
inline constexpr std::int32_t kRegDword = 4;
inline constexpr std::int32_t kRegDwordBigEndian = 5;
inline constexpr std::int32_t kRegLink = 6;
inline constexpr std::int32_t kRegMultiSz = 7;

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
