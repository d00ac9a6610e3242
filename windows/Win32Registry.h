#pragma once
// Windows implementation of RegistryApi (platform/RegistryApi.h): each member
// is the one advapi32 or kernel32 call of the same name, ANSI form.

// Where <windows.h> came first, its A/W macro would rename the interface's
// member.
#ifdef ExpandEnvironmentStrings
#undef ExpandEnvironmentStrings
#endif

#include "platform/RegistryApi.h"

class Win32RegistryApi : public RegistryApi {
public:
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
};
