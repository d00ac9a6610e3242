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

    MapDescription whole;
    int wholeLine = 0;
    const auto wholeOutcome = ParseMapDescription(content, whole, &wholeLine, codePage);

    MapDescriptionParser parser(codePage);
    for (std::size_t at = 0; at < content.size() && parser.Result() == MapDescriptionParser::Outcome::NeedMore;
         at += piece) {
        parser.Feed(content.data() + at, std::min(piece, content.size() - at));
    }
    if (parser.Result() == MapDescriptionParser::Outcome::NeedMore) parser.Finish();

    if (parser.Result() != wholeOutcome || parser.ProblemLine() != wholeLine) std::abort();
    if (wholeOutcome == MapDescriptionParser::Outcome::NeedMore) std::abort();
    if (wholeOutcome == MapDescriptionParser::Outcome::Complete) {
        const MapDescription& d = parser.Description();
        if (d.name != whole.name || d.gmp != whole.gmp || d.sty != whole.sty || d.scr != whole.scr) std::abort();
        if (d.name.size() > (doubleByte ? 200u : 100u) || d.gmp.size() > (doubleByte ? 2 : 1) * kMaxFileNameLength)
            std::abort();
    }
    return 0;
}
