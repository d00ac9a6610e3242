#pragma once
// Reading a map description file (data\*.mmp): the map's display name and
// its three file names, taken by position from the first five lines.
//
// This part is fed the file in pieces, stops as soon as it has what it
// needs, and keeps at most the lines it uses, each bounded in length, so a
// huge or hostile file costs neither time nor memory. Opening and reading
// the file is up to the caller (ReadMapDescription in MapCatalogue.h).
//
// Positions count characters of the system's ANSI code page: a character may
// take two bytes (double-byte code pages) or up to four (UTF-8), and none is
// ever cut in half.

#include <cstddef>
#include <string>

#include "platform/CodePage.h"

// A line longer than this many bytes (line end not counted) makes a file
// unreadable.
inline constexpr std::size_t kMaxDescriptionLineLength = 64 * 1024;

// A file name (line 2, 3 or 4 from character 11) longer than this many
// characters, a full path's limit less its terminator, makes a file unusable.
inline constexpr std::size_t kMaxFileNameLength = 259;

struct MapDescription {
    std::string name;  // line 5, characters 15 to 114
    std::string gmp;   // line 2 from character 11
    std::string sty;   // line 3 from character 11
    std::string scr;   // line 4 from character 11
};

// Name rule: characters 15 to 114 of the line (counted from 1); empty for a
// line of 14 characters or fewer.
std::string CutMapName(const std::string& line, const CodePage& codePage = OneBytePerCharacter());

// Value rule: characters 11 to the end of the line; false for a line shorter
// than 10 characters (exactly 10 gives empty text).
bool CutMapValue(const std::string& line, std::string& value, const CodePage& codePage = OneBytePerCharacter());

class MapDescriptionParser {
public:
    enum class Outcome {
        NeedMore,     // feed more bytes, or Finish() at the end of the file
        Complete,     // Description() is filled; nothing more is read
        EndsEarly,    // the file ended before its fifth line
        LineTooLong,  // ProblemLine() is longer than kMaxDescriptionLineLength
        ShortValue,   // ProblemLine() (2, 3 or 4) is shorter than 10 characters
        LongValue,    // ProblemLine() (2, 3 or 4) names a file longer than kMaxFileNameLength
    };

    explicit MapDescriptionParser(const CodePage& codePage = OneBytePerCharacter()) : codePage_(codePage) {}

    // Takes the next `size` bytes of the file. Returns NeedMore until the
    // file's fate is decided; further bytes after that are ignored.
    Outcome Feed(const char* data, std::size_t size);
    // The file has no more bytes.
    Outcome Finish();

    Outcome Result() const { return outcome_; }
    const MapDescription& Description() const { return description_; }
    int ProblemLine() const { return problemLine_; }

private:
    void EndLine();
    void Decide();

    const CodePage& codePage_;
    Outcome outcome_ = Outcome::NeedMore;
    int lineNumber_ = 1;  // the line being read
    std::size_t lineLength_ = 0;
    std::string line_;                  // the current line's text, for lines 2 to 5
    std::string lines_[4];              // lines 2 to 5, once ended
    bool afterCarriageReturn_ = false;  // a line feed here belongs to that line end
    MapDescription description_;
    int problemLine_ = 0;
};

// Describes a failed outcome for the user, e.g. "line 3 is shorter than 10
// characters". Empty for NeedMore and Complete.
std::string DescribeProblem(MapDescriptionParser::Outcome outcome, int line);

// The whole of a file held in memory (tests, fuzzing).
MapDescriptionParser::Outcome ParseMapDescription(const std::string& content, MapDescription& description,
                                                  int* problemLine = nullptr,
                                                  const CodePage& codePage = OneBytePerCharacter());
