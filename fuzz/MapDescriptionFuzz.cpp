// libFuzzer target for the map description reader. The input is split into
// pieces at points it chooses itself, so line ends that straddle two reads
// are exercised; the result must not depend on how the bytes were split.
// The top bit of the first byte reads the file with the lead bytes of the
// Japanese code page instead of one byte per character.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "launcher/MapDescription.h"
#include "standin/StandinCodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks the piece size and the code page; the rest is the file.
    const std::size_t piece = 1 + data[0] % 64;
    const bool doubleByte = (data[0] & 0x80) != 0;
    const CodePage& codePage = doubleByte ? static_cast<const CodePage&>(Japanese932()) : OneBytePerCharacter();
    const std::string content(reinterpret_cast<const char*>(data + 1), size - 1);

    const MapDescriptionParser whole = ParseMapDescription(content, codePage);

    MapDescriptionParser parser(codePage);
    for (std::size_t at = 0; at < content.size() && parser.Result() == MapDescriptionParser::Outcome::NeedMore;
         at += piece) {
        parser.Feed(content.data() + at, std::min(piece, content.size() - at));
    }
    if (parser.Result() == MapDescriptionParser::Outcome::NeedMore) parser.Finish();

    const auto outcome = whole.Result();
    if (parser.Result() != outcome || outcome == MapDescriptionParser::Outcome::NeedMore) std::abort();
    if (outcome != MapDescriptionParser::Outcome::Complete) {
        if (parser.ProblemFile() != whole.ProblemFile()) std::abort();
        return 0;
    }
    const MapDescription& d = parser.Description();
    const MapDescription& w = whole.Description();
    if (d.name != w.name || d.gmp != w.gmp || d.sty != w.sty || d.scr != w.scr) std::abort();
    // The name is bounded by characters, two bytes at most to a character
    // here; a file name by bytes, and never empty.
    const std::size_t width = doubleByte ? 2 : 1;
    if (d.name.size() > width * kMaxMapNameLength) std::abort();
    for (const std::string* value : {&d.gmp, &d.sty, &d.scr}) {
        if (value->empty() || value->size() > kMaxFileNameBytes) std::abort();
    }
    return 0;
}
