// Line splitting and the positional cuts of a map description file.

#include "launcher/MapDescription.h"

namespace {

constexpr int kLinesNeeded = 5;
constexpr std::size_t kNameSkip = 14;
constexpr std::size_t kNameLength = 100;
constexpr std::size_t kValueSkip = 10;

// Moves `at` on by up to `characters` characters of `line`; returns how
// many it passed. A character cut off by the line's end stands as single
// bytes, as the system reads it.
std::size_t Advance(const std::string& line, std::size_t& at, std::size_t characters, const CodePage& codePage) {
    std::size_t passed = 0;
    while (passed < characters && at < line.size()) {
        at += codePage.CharacterLength(line.data() + at, line.size() - at);
        ++passed;
    }
    return passed;
}

}  // namespace

std::string CutMapName(const std::string& line, const CodePage& codePage) {
    std::size_t start = 0;
    Advance(line, start, kNameSkip, codePage);
    if (start >= line.size()) return std::string();
    std::size_t end = start;
    Advance(line, end, kNameLength, codePage);
    return line.substr(start, end - start);
}

bool CutMapValue(const std::string& line, std::string& value, const CodePage& codePage) {
    std::size_t start = 0;
    if (Advance(line, start, kValueSkip, codePage) < kValueSkip) return false;
    value = line.substr(start);
    return true;
}

void MapDescriptionParser::EndLine() {
    if (lineNumber_ >= 2) lines_[lineNumber_ - 2].swap(line_);
    line_.clear();
    lineLength_ = 0;
    if (lineNumber_ == kLinesNeeded) {
        Decide();
        return;
    }
    ++lineNumber_;
}

// All five lines are in: cut the values, in the order the row is filled.
void MapDescriptionParser::Decide() {
    description_.name = CutMapName(lines_[3], codePage_);
    std::string* values[] = {&description_.gmp, &description_.sty, &description_.scr};
    for (int i = 0; i < 3; ++i) {
        if (!CutMapValue(lines_[i], *values[i], codePage_)) {
            problemLine_ = i + 2;
            outcome_ = Outcome::ShortValue;
            return;
        }
        // Such a name could only reach the game as a file it cannot open.
        std::size_t end = 0;
        if (Advance(*values[i], end, kMaxFileNameLength + 1, codePage_) > kMaxFileNameLength) {
            problemLine_ = i + 2;
            outcome_ = Outcome::LongValue;
            return;
        }
    }
    outcome_ = Outcome::Complete;
}

MapDescriptionParser::Outcome MapDescriptionParser::Feed(const char* data, std::size_t size) {
    std::size_t i = 0;
    while (i < size && outcome_ == Outcome::NeedMore) {
        if (afterCarriageReturn_) {
            afterCarriageReturn_ = false;
            if (data[i] == '\n') {
                ++i;
                continue;
            }
        }
        if (data[i] == '\r' || data[i] == '\n') {
            afterCarriageReturn_ = data[i] == '\r';
            ++i;
            EndLine();
            continue;
        }
        // The run of text up to the next line end, taken in one piece.
        std::size_t end = i;
        while (end < size && data[end] != '\r' && data[end] != '\n') ++end;
        const std::size_t room = kMaxDescriptionLineLength - lineLength_;
        if (end - i > room) {
            problemLine_ = lineNumber_;
            outcome_ = Outcome::LineTooLong;
            break;
        }
        lineLength_ += end - i;
        // Line 1 is never used: count it, keep nothing of it.
        if (lineNumber_ >= 2) line_.append(data + i, end - i);
        i = end;
    }
    return outcome_;
}

MapDescriptionParser::Outcome MapDescriptionParser::Finish() {
    if (outcome_ != Outcome::NeedMore) return outcome_;
    // A last line without its line end still counts, an empty rest does not.
    if (lineLength_ > 0 && lineNumber_ == kLinesNeeded) {
        EndLine();
        return outcome_;
    }
    problemLine_ = lineLength_ > 0 ? lineNumber_ + 1 : lineNumber_;
    outcome_ = Outcome::EndsEarly;
    return outcome_;
}

std::string DescribeProblem(MapDescriptionParser::Outcome outcome, int line) {
    switch (outcome) {
        case MapDescriptionParser::Outcome::EndsEarly:
            return "the file ends before line " + std::to_string(line);
        case MapDescriptionParser::Outcome::LineTooLong:
            return "line " + std::to_string(line) + " is longer than " + std::to_string(kMaxDescriptionLineLength) +
                   " characters";
        case MapDescriptionParser::Outcome::ShortValue:
            return "line " + std::to_string(line) + " is shorter than 10 characters";
        case MapDescriptionParser::Outcome::LongValue:
            return "line " + std::to_string(line) + " names a file longer than " + std::to_string(kMaxFileNameLength) +
                   " characters";
        default:
            return std::string();
    }
}

MapDescriptionParser::Outcome ParseMapDescription(const std::string& content, MapDescription& description,
                                                  int* problemLine, const CodePage& codePage) {
    MapDescriptionParser parser(codePage);
    if (parser.Feed(content.data(), content.size()) == MapDescriptionParser::Outcome::NeedMore) parser.Finish();
    description = parser.Description();
    if (problemLine != nullptr) *problemLine = parser.ProblemLine();
    return parser.Result();
}
