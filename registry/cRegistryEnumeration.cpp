// The accessor's listings of value names and subkey names.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <limits>
#include <stdexcept>
#include <vector>

#include "platform/Failure.h"
#include "platform/RegistryApi.h"
#include "registry/cRegistry.h"

namespace {

// A key name is at most 255 characters; one more for the terminator.
constexpr std::uint32_t kSubkeyNameBuffer = 256;

void CountOneMore(std::int32_t& count) {
    if (count == std::numeric_limits<std::int32_t>::max()) throw std::overflow_error("Overflow");
    ++count;
}

}  // namespace

bool cRegistry::EnumerateValues(NameArray& sKeyNames, std::int32_t& iKeyCount) {
    iKeyCount = 0;
    sKeyNames.Clear();

    UniqueKey key(api_);
    if (api_.OpenKeyEx(RootKey(classKey_), sectionKey_, kKeyQueryValue, key.put()) != kErrorSuccess) return true;

    std::uint32_t longestName = 0;
    if (api_.QueryInfoKey(key.get(), &longestName) != kErrorSuccess) return true;

    for (std::uint32_t index = 0;; ++index) {
        std::uint32_t size = longestName + 1;
        if (size < 1) size = 1;
        std::vector<char> name(size, '\0');
        if (api_.EnumValue(key.get(), index, name.data(), &size) != kErrorSuccess) break;
        if (size > name.size()) size = static_cast<std::uint32_t>(name.size());
        CountOneMore(iKeyCount);
        sKeyNames.Append(std::string(name.data(), size));
    }
    return true;
}

bool cRegistry::EnumerateSections(NameArray& sSect, std::int32_t& iSectCount) {
    iSectCount = 0;
    sSect.Clear();

    UniqueKey key(api_);
    try {
        if (api_.OpenKeyEx(RootKey(classKey_), sectionKey_, kKeyEnumerateSubKeys, key.put()) != kErrorSuccess)
            return true;

        // Sized for the longest name the registry allows, so that no subkey
        // ends the listing early by not fitting.
        std::vector<char> name(kSubkeyNameBuffer);
        for (std::uint32_t index = 0;; ++index) {
            std::fill(name.begin(), name.end(), '\0');
            if (api_.EnumKey(key.get(), index, name.data(), kSubkeyNameBuffer) != kErrorSuccess) break;
            CountOneMore(iSectCount);
            sSect.Append(std::string(name.data(), strnlen(name.data(), name.size())));
        }
    } catch (const Failure& failure) {
        throw Failure(kErrEnumerationFailed, source_, failure.Description());
    } catch (const std::exception& failure) {
        throw Failure(kErrEnumerationFailed, source_, failure.what());
    }
    return true;
}
