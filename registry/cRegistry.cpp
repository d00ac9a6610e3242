// The registry accessor: typed value access on the current position.

#include "registry/cRegistry.h"

#include <algorithm>
#include <cstring>

#include "platform/Failure.h"
#include "platform/RegistryApi.h"

namespace {

bool IsText(std::int32_t type) { return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz; }

// A pair of "%" signs at least one character apart: the text then refers to
// an environment variable and is stored to be expanded when read.
bool HoldsVariableReference(const std::string& text) {
    std::size_t first = text.find('%');
    return first != std::string::npos && text.find('%', first + 2) != std::string::npos;
}

}  // namespace

cRegistry::cRegistry(RegistryApi& api, std::string executableName)
    : api_(api), source_(std::move(executableName) + ".cRegistry") {}

std::string cRegistry::KeyAndSection() const { return std::to_string(classKey_) + "',Section: '" + sectionKey_; }

std::string cRegistry::WriteFailureText(const TaggedValue& vValue) const {
    return "Failed to set registry value Key: '" + KeyAndSection() + "',Key: '" + valueKey_ + "' to value: '" +
           ToText(vValue) + "'";
}

bool cRegistry::KeyExists() {
    UniqueKey key(api_);
    return api_.OpenKeyEx(RootKey(classKey_), sectionKey_, kKeyQueryValue, key.put()) == kErrorSuccess;
}

bool cRegistry::CreateKey() {
    UniqueKey key(api_);
    if (api_.CreateKeyEx(RootKey(classKey_), sectionKey_, kKeyAllKeyRights, key.put()) != kErrorSuccess) {
        throw Failure(kErrRegistryOperation, source_, "Failed to create registry Key: '" + sectionKey_);
    }
    return true;
}

bool cRegistry::DeleteKey() {
    if (api_.DeleteKey(RootKey(classKey_), sectionKey_) != kErrorSuccess) {
        throw Failure(kErrRegistryOperation, source_, "Failed to delete registry Key: '" + KeyAndSection());
    }
    return true;
}

bool cRegistry::DeleteValue() {
    UniqueKey key(api_);
    if (api_.OpenKeyEx(RootKey(classKey_), sectionKey_, kKeyAllKeyRights, key.put()) != kErrorSuccess) {
        throw Failure(kErrRegistryOperation, source_, "Failed to open key '" + KeyAndSection() + "' for delete access");
    }
    if (api_.DeleteValue(key.get(), valueKey_) != kErrorSuccess) {
        throw Failure(kErrRegistryOperation, source_,
                      "Failed to delete registry Key: '" + KeyAndSection() + "',Key: '" + valueKey_);
    }
    return true;
}

TaggedValue cRegistry::Value() {
    UniqueKey key(api_);
    if (api_.OpenKeyEx(RootKey(classKey_), sectionKey_, kKeyQueryValue, key.put()) != kErrorSuccess) return default_;

    std::uint32_t type = 0;
    std::uint32_t size = 0;
    long status = api_.QueryValueEx(key.get(), valueKey_, &type, nullptr, &size);
    if (status != kErrorSuccess && status != kErrorMoreData) return default_;
    valueType_ = static_cast<std::int32_t>(type);

    // Another program may delete or rewrite the value between the two
    // queries: a value gone or grown then reads as a missing one, never as
    // the zeros of a buffer that was not filled.
    if (IsText(valueType_)) {
        if (size == 0) return std::string();
        std::vector<std::uint8_t> buffer(size, 0);
        std::uint32_t got = size;
        // A shorter answer is no sign of a change: the first query of an
        // ANSI text may count more bytes than the text takes.
        if (api_.QueryValueEx(key.get(), valueKey_, nullptr, buffer.data(), &got) != kErrorSuccess) return default_;
        if (got > size) got = size;
        // Only a terminating NUL is dropped: text stored without one keeps
        // its last character.
        if (got > 0 && buffer[got - 1] == 0) --got;
        buffer.resize(got);
        std::string text(buffer.begin(), buffer.end());
        if (valueType_ == kRegExpandSz) return ExpandEnvString(text);
        return text;
    }
    if (valueType_ == kRegDword || valueType_ == kRegDwordBigEndian) {
        // The whole value is read, whatever its size: a buffer too small for
        // it is left undefined. The number is its first four bytes, with
        // zeros above a shorter one.
        std::vector<std::uint8_t> bytes(std::max<std::uint32_t>(size, 4), 0);
        std::uint32_t got = size;
        if (api_.QueryValueEx(key.get(), valueKey_, nullptr, bytes.data(), &got) != kErrorSuccess || got != size) {
            return default_;
        }
        std::uint32_t bits = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                             static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
        auto number = static_cast<std::int32_t>(bits);
        if (valueType_ == kRegDwordBigEndian) number = SwapByteOrder(number);
        return number;
    }
    ByteArray array;
    array.bytes.assign(size, 0);
    if (size > 0) {
        std::uint32_t got = size;
        if (api_.QueryValueEx(key.get(), valueKey_, nullptr, array.bytes.data(), &got) != kErrorSuccess ||
            got != size) {
            return default_;
        }
    }
    return array;
}

void cRegistry::Value(const TaggedValue& vValue) {
    UniqueKey key(api_);
    if (api_.CreateKeyEx(RootKey(classKey_), sectionKey_, kKeyAllKeyRights, key.put()) != kErrorSuccess) {
        throw Failure(kErrRegistryOperation, source_, WriteFailureText(vValue));
    }

    // A type the accessor cannot store counts as invalid data.
    long status = kErrorInvalidData;
    switch (valueType_) {
        case kRegSz:
        case kRegExpandSz: {
            std::string text = ToText(vValue);
            std::uint32_t type = HoldsVariableReference(text) ? kRegExpandSz : kRegSz;
            // c_str() carries the one NUL the stored text ends with.
            status = api_.SetValueEx(key.get(), valueKey_, type, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                                     static_cast<std::uint32_t>(text.size() + 1));
            break;
        }
        case kRegBinary: {
            const auto* array = std::get_if<ByteArray>(&vValue);
            if (array == nullptr) throw Failure(kErrRegistryOperation, "", "");
            // The bytes from index 0 up to the last index are stored.
            std::int64_t first = -static_cast<std::int64_t>(array->lowerBound);
            // An empty array read from an empty value goes back as an empty
            // value: reading and writing back must leave the data as it was.
            const bool emptyFromZero = first == 0 && array->bytes.empty();
            if (first < 0 || (first >= static_cast<std::int64_t>(array->bytes.size()) && !emptyFromZero)) {
                throw Failure(kErrSubscriptOutOfRange, source_, "Subscript out of range");
            }
            status = api_.SetValueEx(key.get(), valueKey_, kRegBinary, array->bytes.data() + first,
                                     static_cast<std::uint32_t>(array->bytes.size() - first));
            break;
        }
        case kRegDword:
        case kRegDwordBigEndian: {
            std::int32_t number = 0;
            if (const auto* small = std::get_if<std::int16_t>(&vValue)) {
                number = *small;
            } else if (const auto* large = std::get_if<std::int32_t>(&vValue)) {
                number = *large;
            } else {
                // Any other kind has no number to store; saying nothing would
                // let the caller believe the value was written.
                break;
            }
            auto bits = static_cast<std::uint32_t>(number);
            const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                                           static_cast<std::uint8_t>(bits >> 16),
                                           static_cast<std::uint8_t>(bits >> 24)};
            status = api_.SetValueEx(key.get(), valueKey_, kRegDword, bytes, sizeof bytes);
            break;
        }
        default:
            break;
    }
    if (status != kErrorSuccess) throw Failure(kErrValueWriteRefused, source_, WriteFailureText(vValue));
}

std::int32_t cRegistry::SwapByteOrder(std::int32_t lValue) {
    auto bits = static_cast<std::uint32_t>(lValue);
    bits = (bits >> 24) | ((bits >> 8) & 0x0000FF00u) | ((bits << 8) & 0x00FF0000u) | (bits << 24);
    return static_cast<std::int32_t>(bits);
}

std::string cRegistry::ExpandEnvString(const std::string& sText) {
    std::uint32_t needed = api_.ExpandEnvironmentStrings(sText.c_str(), nullptr, 0);
    // A failed expansion leaves the text as it was stored rather than
    // sizing a buffer from a count of 0.
    if (needed == 0) return sText;
    // The ANSI form may need one byte more than it reported.
    std::vector<char> buffer(needed + 1, '\0');
    std::uint32_t written = api_.ExpandEnvironmentStrings(sText.c_str(), buffer.data(), needed + 1);
    if (written == 0 || written > needed + 1) return sText;
    return std::string(buffer.data(), strnlen(buffer.data(), needed - 1));
}
