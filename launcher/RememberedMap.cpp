// Finding the row of the map launched last.

#include "launcher/RememberedMap.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <variant>

#include "launcher/GameInstallation.h"
#include "platform/RegistryApi.h"
#include "registry/cRegistry.h"

namespace {

// Far above any MMP cell (a file name) or map name; a longer value is junk
// and only has to stay harmless.
constexpr std::size_t kLongestRememberedText = 1024;

std::optional<std::string> RememberedText(cRegistry& registry, const char* name) {
    registry.ValueKey(name);
    try {
        TaggedValue stored = registry.Value();
        // The accessor leaves the type alone where nothing is stored; then
        // the value is no text either.
        auto* text = std::get_if<std::string>(&stored);
        if (text == nullptr || registry.ValueType() != kRegSz || text->size() > kLongestRememberedText) {
            return std::nullopt;
        }
        return std::move(*text);
    } catch (const std::exception&) {
        // A value the start cannot read (one too big to hold, say) is no
        // reason not to start: the stored position still decides.
        return std::nullopt;
    }
}

}  // namespace

RememberedMap ReadRememberedMap(cRegistry& registry) {
    RememberedMap remembered;
    remembered.file = RememberedText(registry, settings::kMapFileValue);
    remembered.name = RememberedText(registry, settings::kMapNameValue);
    return remembered;
}

std::size_t FindRememberedRow(const std::vector<MapEntry>& rows, const RememberedMap& remembered,
                              const CodePage& codePage) {
    if (!remembered.file) return 0;
    const std::string& file = *remembered.file;
    const auto standsFor = [&](const MapEntry& row) {
        if (!file.empty()) return EqualIgnoringAsciiCase(row.mmp, file, codePage);
        return row.mmp.empty() && remembered.name && row.name == *remembered.name;
    };
    const auto found = std::find_if(rows.begin(), rows.end(), standsFor);
    return found == rows.end() ? 0 : static_cast<std::size_t>(found - rows.begin()) + 1;
}
