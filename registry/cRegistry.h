#pragma once
// General-purpose accessor over the registry: a current position (root, key
// path, value name, value type, fallback) and operations on it. It keeps no
// key open between calls. Failures are raised as Failure, with the source
// "<executable name>.cRegistry".

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "registry/NameArray.h"
#include "registry/TaggedValue.h"

class RegistryApi;

// Failure numbers the accessor raises.
inline constexpr std::int32_t kErrRegistryOperation = 26001;
inline constexpr std::int32_t kErrValueWriteRefused = -2147194455;  // 0x800469A9
inline constexpr std::int32_t kErrEnumerationFailed = -2147194454;  // 0x800469AA
inline constexpr std::int32_t kErrInvalidVerbList = -2147194452;    // 0x800469AC
inline constexpr std::int32_t kErrClassNotDefined = -2147194451;    // 0x800469AD

class cRegistry {
public:
    // `executableName`: the running program's file name without folder and
    // extension.
    cRegistry(RegistryApi& api, std::string executableName);

    // The key and the value at the current position.
    bool KeyExists();
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();
    TaggedValue Value();
    void Value(const TaggedValue& vValue);

    // The names below the current key: both empty the caller's list and
    // count first, then fill them with the names in the order the registry
    // reports them.
    bool EnumerateValues(NameArray& sKeyNames, std::int32_t& iKeyCount);
    bool EnumerateSections(NameArray& sSect, std::int32_t& iSectCount);

    // File-type registration, written below HKEY_CLASSES_ROOT and again
    // below HKEY_LOCAL_MACHINE\SOFTWARE\Classes.
    void CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                              const std::string& sClassDescription, const std::string& sAssociation,
                              const std::string& sOpenMenuText = "&Open", bool bSupportPrint = false,
                              const std::string& sPrintMenuText = "&Print", bool bSupportNew = false,
                              const std::string& sNewMenuText = "&New", bool bSupportInstall = false,
                              const std::string& sInstallMenuText = "", std::int32_t lDefaultIconIndex = -1);
    // `vItems` is read in triples: verb key name, menu text, command line.
    // The class must already exist below HKEY_CLASSES_ROOT.
    void CreateAdditionalEXEAssociations(const std::string& sClassName, const std::vector<TaggedValue>& vItems);
    // The same with the items given as separate arguments.
    template <typename... Items>
    void CreateAdditionalEXEAssociations(const std::string& sClassName, const Items&... vItems) {
        CreateAdditionalEXEAssociations(sClassName, std::vector<TaggedValue>{AsItem(vItems)...});
    }

    // The current position: each property only stores and returns its field.
    std::int32_t ValueType() const { return valueType_; }
    void ValueType(std::int32_t eValueType) { valueType_ = eValueType; }
    std::int32_t ClassKey() const { return classKey_; }
    void ClassKey(std::int32_t eKey) { classKey_ = eKey; }
    const std::string& SectionKey() const { return sectionKey_; }
    void SectionKey(const std::string& sSectionKey) { sectionKey_ = sSectionKey; }
    const std::string& ValueKey() const { return valueKey_; }
    void ValueKey(const std::string& sValueKey) { valueKey_ = sValueKey; }
    TaggedValue Default() const { return default_; }
    void Default(const TaggedValue& vDefault) { default_ = vDefault; }

private:
    void WriteClassesValue(const std::string& sValue);
    static std::int32_t SwapByteOrder(std::int32_t lValue);
    std::string ExpandEnvString(const std::string& sText);

    // A string literal must stay text: the variant would otherwise take it as
    // a truth value.
    static TaggedValue AsItem(const char* text) { return std::string(text); }
    template <typename T>
    static TaggedValue AsItem(const T& item) {
        return TaggedValue(item);
    }

    // "'<ClassKey>',Section: '<SectionKey>" and so on, as the descriptions
    // of the failures spell the position.
    std::string KeyAndSection() const;
    std::string WriteFailureText(const TaggedValue& vValue) const;

    RegistryApi& api_;
    std::string source_;

    std::int32_t classKey_ = 0;
    std::string sectionKey_;
    std::string valueKey_;
    TaggedValue default_;
    std::int32_t valueType_ = 0;
};
