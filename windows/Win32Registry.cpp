// Windows implementation of RegistryApi (platform/RegistryApi.h).

#include "windows/Win32Registry.h"

#include <windows.h>

#include "windows/SystemLibrary.h"

// <windows.h> maps the name to its A or W form; the interface member keeps
// the plain name.
#undef ExpandEnvironmentStrings

namespace {

HKEY Hkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

// The game is a 32-bit program, and so is the launcher it was made for: a
// 64-bit build reads and writes the keys where they do, in the 32-bit view
// (the game's debug key under HKEY_LOCAL_MACHINE\Software is redirected to
// Wow6432Node for them). The 32-bit build asks for nothing more.
#ifdef _WIN64
constexpr REGSAM kView = KEY_WOW64_32KEY;
#else
constexpr REGSAM kView = 0;
#endif

// DWORD is unsigned long here, std::uint32_t unsigned int: the same 32 bits,
// passed through a local so the types line up.
struct DwordInOut {
    explicit DwordInOut(std::uint32_t* target) : target_(target), value_(target ? *target : 0) {}
    ~DwordInOut() {
        if (target_ != nullptr) *target_ = value_;
    }
    DWORD* get() { return target_ != nullptr ? &value_ : nullptr; }

private:
    std::uint32_t* target_;
    DWORD value_;
};

}  // namespace

long Win32RegistryApi::OpenKeyEx(RegKey key, const std::string& subKey, std::uint32_t access, RegKey* result) {
    HKEY opened = nullptr;
    LONG status = RegOpenKeyExA(Hkey(key), subKey.c_str(), 0, access | kView, &opened);
    *result = status == ERROR_SUCCESS ? reinterpret_cast<RegKey>(opened) : 0;
    return status;
}

long Win32RegistryApi::CreateKeyEx(RegKey key, const std::string& subKey, std::uint32_t access, RegKey* result) {
    HKEY created = nullptr;
    // The class text is empty but not null: the parameter is declared LPSTR.
    char noClass[1] = {'\0'};
    LONG status = RegCreateKeyExA(Hkey(key), subKey.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE, access | kView,
                                  nullptr, &created, nullptr);
    *result = status == ERROR_SUCCESS ? reinterpret_cast<RegKey>(created) : 0;
    return status;
}

long Win32RegistryApi::QueryValueEx(RegKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                                    std::uint32_t* size) {
    DwordInOut typeOut(type);
    DwordInOut sizeInOut(size);
    return RegQueryValueExA(Hkey(key), valueName.c_str(), nullptr, typeOut.get(), data, sizeInOut.get());
}

long Win32RegistryApi::SetValueEx(RegKey key, const std::string& valueName, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) {
    return RegSetValueExA(Hkey(key), valueName.c_str(), 0, type, data, size);
}

long Win32RegistryApi::DeleteKey(RegKey key, const std::string& subKey) {
#ifdef _WIN64
    // RegDeleteKeyA deletes in the caller's own view; only the Ex form takes
    // the view. Every 64-bit Windows has it (XP x64 on), but it is bound by
    // name all the same, as nothing past XP SP3 is imported.
    using DeleteInViewFn = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
    static const auto deleteInView = FindLoadedFunction<DeleteInViewFn>("advapi32.dll", "RegDeleteKeyExA");
    if (deleteInView) return deleteInView(Hkey(key), subKey.c_str(), kView, 0);
#endif
    return RegDeleteKeyA(Hkey(key), subKey.c_str());
}

long Win32RegistryApi::DeleteValue(RegKey key, const std::string& valueName) {
    return RegDeleteValueA(Hkey(key), valueName.c_str());
}

long Win32RegistryApi::CloseKey(RegKey key) { return RegCloseKey(Hkey(key)); }

long Win32RegistryApi::QueryInfoKey(RegKey key, std::uint32_t* maxValueNameLength) {
    DWORD subKeys = 0, maxSubKeyLength = 0, maxClassLength = 0, values = 0, maxValueLength = 0, maxData = 0,
          securityDescriptor = 0;
    FILETIME lastWrite{};
    DwordInOut longest(maxValueNameLength);
    return RegQueryInfoKeyA(Hkey(key), nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLength, &maxClassLength, &values,
                            longest.get() ? longest.get() : &maxValueLength, &maxData, &securityDescriptor, &lastWrite);
}

long Win32RegistryApi::EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength) {
    DwordInOut length(nameLength);
    return RegEnumValueA(Hkey(key), index, name, length.get(), nullptr, nullptr, nullptr, nullptr);
}

long Win32RegistryApi::EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) {
    return RegEnumKeyA(Hkey(key), index, name, nameSize);
}

std::uint32_t Win32RegistryApi::ExpandEnvironmentStrings(const char* source, char* destination, std::uint32_t size) {
    return ExpandEnvironmentStringsA(source, destination, size);
}
