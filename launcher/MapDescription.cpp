// Lines, sections and keys of a map description file.

#include "launcher/MapDescription.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

// In the order of the parser's values: the three files, then the name.
constexpr std::string_view kKeyNames[] = {"GMPFile", "STYFile", "SCRFile", "Description"};
constexpr int kDescriptionKey = 3;
constexpr std::string_view kSectionName = "MapFiles";
constexpr const char* kFileKinds[] = {"GMP", "STY", "SCR"};

// What Windows' reader drops around keys and values: ASCII white space, and
// Ctrl-Z, the end-of-file mark that old editors leave.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";

// An ASCII byte is a character of its own in every ANSI code page, double-
// byte and UTF-8 alike: only the others need asking.
std::size_t CharacterAt(std::string_view text, std::size_t at, const CodePage& codePage) {
    return static_cast<unsigned char>(text[at]) < 0x80 ? 1
                                                       : codePage.CharacterLength(text.data() + at, text.size() - at);
}

// Walks `line` a character at a time from `at` (past any blanks there) up to
// the first character `stop`, or to the line's end where `stop` is '\0'.
// Returns the text walked with the blanks at its end left out; `at` is left
// on the stop character, or at the line's end.
std::string_view TrimmedRun(std::string_view line, std::size_t& at, char stop, const CodePage& codePage) {
    while (at < line.size() && IsBlank(line[at])) ++at;
    const std::size_t start = at;
    std::size_t end = at;
    while (at < line.size() && (stop == '\0' || line[at] != stop)) {
        const std::size_t length = CharacterAt(line, at, codePage);
        if (length > 1 || !IsBlank(line[at])) end = at + length;
        at += length;
    }
    return line.substr(start, end - start);
}

// A value in a matching pair of double or single quotes, as map makers write
// names with blanks in them, loses that pair. A quote has a byte value below
// every trail byte, so a last byte of '"' is a character of its own.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::string CutMapName(const std::string& description, const CodePage& codePage) {
    if (description.size() <= kMaxMapNameLength) return description;
    std::size_t end = 0;
    for (std::size_t count = 0; count < kMaxMapNameLength && end < description.size(); ++count) {
        end += CharacterAt(description, end, codePage);
    }
    return description.substr(0, end);
}

void MapDescriptionParser::EndLine(std::string_view line, bool unspelled) {
    ++linesEnded_;
    std::size_t at = 0;
    while (at < line.size() && IsBlank(line[at])) ++at;
    if (at == line.size()) return;
    if (line[at] == '[') {
        ReadHeader(line, at + 1);
    } else if (line[at] != ';' && place_ != Place::OtherSection) {
        ReadKeyLine(line, at, unspelled);
    }
}

// A header without its closing bracket is named by the rest of its line.
void MapDescriptionParser::ReadHeader(std::string_view line, std::size_t at) {
    if (place_ == Place::MapFiles) {
        // Only the first [MapFiles] section counts, and it has ended.
        Decide();
        return;
    }
    const bool isMapFiles = EqualIgnoringAsciiCase(TrimmedRun(line, at, ']', codePage_), kSectionName, codePage_);
    // The first line is where the game's own files have their [MapFiles]
    // header: one that names some other section there is taken for that
    // header damaged, and what follows it is read as for a file without a
    // [MapFiles] section, unless a true one comes later.
    if (!isMapFiles && linesEnded_ == 1) return;
    if (isMapFiles) {
        // What came before any section was read only for a file without one.
        for (int key = 0; key < kKeys; ++key) {
            values_[key].clear();
            found_[key] = false;
            unspelled_[key] = false;
        }
        place_ = Place::MapFiles;
    } else {
        place_ = Place::OtherSection;
    }
}

// A line without '=' says nothing; the first line of a key counts.
// A character the code page lacks can only stand in the value of a key of
// ours: in the key it would have made the key another.
void MapDescriptionParser::ReadKeyLine(std::string_view line, std::size_t at, bool unspelled) {
    const std::string_view key = TrimmedRun(line, at, '=', codePage_);
    if (at == line.size()) return;
    ++at;
    for (int index = 0; index < kKeys; ++index) {
        if (found_[index] || !EqualIgnoringAsciiCase(key, kKeyNames[index], codePage_)) continue;
        values_[index].assign(Unquoted(TrimmedRun(line, at, '\0', codePage_)));
        found_[index] = true;
        unspelled_[index] = unspelled;
        break;
    }
    // Within [MapFiles], a file that has given every key can say no more.
    if (place_ == Place::MapFiles && std::all_of(std::begin(found_), std::end(found_), [](bool f) { return f; })) {
        Decide();
    }
}

// The keys are in: the files are checked in the order the row is filled.
void MapDescriptionParser::Decide() {
    for (int index = 0; index < 3; ++index) {
        problemFile_ = static_cast<MapFile>(index);
        if (values_[index].empty()) {
            outcome_ = Outcome::NoFileName;
            return;
        }
        // Such names could only reach the game as files it cannot open.
        if (unspelled_[index]) {
            outcome_ = Outcome::UnspelledFileName;
            return;
        }
        if (values_[index].size() > kMaxFileNameBytes) {
            outcome_ = Outcome::LongFileName;
            return;
        }
    }
    if (unspelled_[kDescriptionKey]) {
        outcome_ = Outcome::UnspelledMapName;
        return;
    }
    description_.gmp = std::move(values_[0]);
    description_.sty = std::move(values_[1]);
    description_.scr = std::move(values_[2]);
    description_.name = CutMapName(values_[kDescriptionKey], codePage_);
    outcome_ = Outcome::Complete;
}

void MapDescriptionParser::TakeAnsi(const char* data, std::size_t size) {
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
            EndLine(line_);
            line_.clear();
            continue;
        }
        // The run of text up to the next line end, taken in one piece; a
        // whole line in this piece is read where it stands.
        std::size_t end = i;
        while (end < size && data[end] != '\r' && data[end] != '\n') ++end;
        if (line_.empty() && end < size) {
            afterCarriageReturn_ = data[end] == '\r';
            EndLine(std::string_view(data + i, end - i));
            i = end + 1;
            continue;
        }
        line_.append(data + i, end - i);
        i = end;
    }
}

// Lines end as in ANSI text; each is turned into the ANSI code page whole,
// as Windows' reader turns the values it gives to a program that asks in
// ANSI.
void MapDescriptionParser::TakeUtf16(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size && outcome_ == Outcome::NeedMore; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        if (oddByte_ < 0) {
            oddByte_ = byte;
            continue;
        }
        const auto unit = static_cast<char16_t>(oddByte_ | byte << 8);
        oddByte_ = -1;
        if (afterCarriageReturn_) {
            afterCarriageReturn_ = false;
            if (unit == u'\n') continue;
        }
        if (unit != u'\r' && unit != u'\n') {
            wideLine_ += unit;
            continue;
        }
        afterCarriageReturn_ = unit == u'\r';
        line_.clear();
        const bool exact = codePage_.AppendFromUtf16(wideLine_, line_);
        wideLine_.clear();
        EndLine(line_, !exact);
        line_.clear();
    }
}

MapDescriptionParser::Outcome MapDescriptionParser::Feed(const char* data, std::size_t size) {
    if (outcome_ != Outcome::NeedMore) return outcome_;
    std::size_t usable = std::min(size, kMaxDescriptionBytes - bytesSeen_);
    bytesSeen_ += usable;
    if (encoding_ == Encoding::Undecided) {
        // The first bytes wait until they are known to be a byte-order mark
        // or text.
        const std::size_t taken = std::min(usable, kUtf8Mark.size() - head_.size());
        head_.append(data, taken);
        data += taken;
        usable -= taken;
        const std::string_view head(head_);
        if (head.substr(0, kUtf16Mark.size()) == kUtf16Mark) {
            encoding_ = Encoding::Utf16;
            TakeUtf16(head_.data() + kUtf16Mark.size(), head_.size() - kUtf16Mark.size());
        } else if (head == kUtf8Mark) {
            encoding_ = Encoding::Ansi;
        } else if (kUtf8Mark.substr(0, head.size()) != head &&
                   (head.size() >= kUtf16Mark.size() || kUtf16Mark.substr(0, head.size()) != head)) {
            encoding_ = Encoding::Ansi;
            TakeAnsi(head_.data(), head_.size());
        }
    }
    if (encoding_ == Encoding::Utf16) {
        TakeUtf16(data, usable);
    } else if (encoding_ == Encoding::Ansi) {
        TakeAnsi(data, usable);
    }
    // The bytes after the limit are read as if the file ended there.
    if (bytesSeen_ == kMaxDescriptionBytes) Finish();
    return outcome_;
}

MapDescriptionParser::Outcome MapDescriptionParser::Finish() {
    if (outcome_ != Outcome::NeedMore) return outcome_;
    // A file too short to hold a byte-order mark is text; a last line
    // without its line end still counts.
    if (encoding_ == Encoding::Undecided) {
        encoding_ = Encoding::Ansi;
        TakeAnsi(head_.data(), head_.size());
    }
    if (encoding_ == Encoding::Utf16) {
        const bool exact = codePage_.AppendFromUtf16(wideLine_, line_);
        wideLine_.clear();
        if (outcome_ == Outcome::NeedMore) EndLine(line_, !exact);
    } else if (outcome_ == Outcome::NeedMore) {
        EndLine(line_);
    }
    line_.clear();
    if (outcome_ == Outcome::NeedMore) Decide();
    return outcome_;
}

std::string DescribeProblem(MapDescriptionParser::Outcome outcome, MapDescriptionParser::MapFile file) {
    const std::string kind = kFileKinds[static_cast<int>(file)];
    switch (outcome) {
        case MapDescriptionParser::Outcome::NoFileName:
            return "names no " + kind + " file";
        case MapDescriptionParser::Outcome::LongFileName:
            return "names a " + kind + " file longer than the game can open (" + std::to_string(kMaxFileNameBytes) +
                   " bytes)";
        case MapDescriptionParser::Outcome::UnspelledFileName:
            return "names a " + kind + " file that cannot be spelled in this system's language";
        case MapDescriptionParser::Outcome::UnspelledMapName:
            return "gives a map name that cannot be spelled in this system's language";
        default:
            return std::string();
    }
}

MapDescriptionParser ParseMapDescription(std::string_view content, const CodePage& codePage) {
    MapDescriptionParser parser(codePage);
    parser.Feed(content.data(), content.size());
    parser.Finish();
    return parser;
}
