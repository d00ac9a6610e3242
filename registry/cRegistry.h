#pragma once
// General-purpose accessor over the registry: a current position (root, key
// path, value name, value type, fallback) and operations on it. It keeps no
// key open between calls. Failures are raised as Failure, with the source
// "<executable name>.cRegistry".

#include <cstdint>
#include <string>
#include <vector>

#include "registry/TaggedValue.h"

class RegistryApi;

class cRegistry {
public:
    // `executableName`: the running program's file name without folder and
    // extension.
    cRegistry(RegistryApi& api, std::string executableName);

    // 1 to 6
    bool KeyExists();
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();
    TaggedValue Value();
    void Value(const TaggedValue& vValue);

    // 7 to 10: enumeration and file-type associations, declared and built
    // by the registry work that follows.

    // 11 to 20: the properties only store and return their field.
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
    RegistryApi& api_;
    std::string source_;

    std::int32_t classKey_ = 0;
    std::string sectionKey_;
    std::string valueKey_;
    TaggedValue default_;
    std::int32_t valueType_ = 0;
};
