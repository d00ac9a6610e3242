#pragma once
// Reading a map description file (data\*.mmp) as the game reads it: an INI
// file whose [MapFiles] section names the map's three files and gives its
// display name, each by key ("GMPFile = town.gmp"). The game's menu reads
// these files with Windows' own INI reader, so its rules are the rules here:
// blanks around keys and values dropped, a pair of quotes around a value
// dropped, and a file saved as UTF-16 ("Unicode" in Notepad) read as well.
//
// This part is fed the file in pieces, looks at no more than its first
// kMaxDescriptionBytes and stops as soon as nothing later can change the
// outcome, so a huge or hostile file costs neither time nor memory. Opening
// and reading the file is up to the caller (ReadMapDescription in
// MapCatalogue.h).
//
// The text is in the system's ANSI code page (a UTF-16 file is turned into
// it a line at a time): a character may take two bytes (double-byte code
// pages) or up to four (UTF-8). The trail byte of a double-byte character
// can have the value of '[', ']', '=' or ';', so the text is walked a
// character at a time and no character is ever cut in half.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

// Bytes of a file that are looked at; whatever follows is not read.
inline constexpr std::size_t kMaxDescriptionBytes = 64 * 1024;

// The game reads each file name into 256 bytes and opens "data\" followed
// by it: a name of more bytes than this, in the ANSI code page, is one it
// cannot open, and makes a file unusable.
inline constexpr std::size_t kMaxFileNameBytes = 250;

// The display name keeps this many characters of the description.
inline constexpr std::size_t kMaxMapNameLength = 100;

struct MapDescription {
    std::string name;  // Description, its first 100 characters
    std::string gmp;   // GMPFile
    std::string sty;   // STYFile
    std::string scr;   // SCRFile
};

// The first kMaxMapNameLength characters of `description`.
std::string CutMapName(const std::string& description, const CodePage& codePage = OneBytePerCharacter());

class MapDescriptionParser {
public:
    enum class Outcome {
        NeedMore,           // feed more bytes, or Finish() at the end of the file
        Complete,           // Description() is filled; nothing more is read
        NoFileName,         // the file names no ProblemFile() (its key is missing or empty)
        LongFileName,       // ProblemFile()'s name is longer than kMaxFileNameBytes
        UnspelledFileName,  // ProblemFile()'s name, in a UTF-16 file, has a character the code page lacks
        UnspelledMapName,   // so has the description
    };
    // The map's three files, in the order their cells stand in a row.
    enum class MapFile { Gmp, Sty, Scr };

    explicit MapDescriptionParser(const CodePage& codePage = OneBytePerCharacter()) : codePage_(codePage) {}

    // Takes the next `size` bytes of the file. Returns NeedMore until the
    // file's fate is decided; further bytes after that are ignored.
    Outcome Feed(const char* data, std::size_t size);
    // The file has no more bytes.
    Outcome Finish();

    Outcome Result() const { return outcome_; }
    const MapDescription& Description() const { return description_; }
    MapFile ProblemFile() const { return problemFile_; }

private:
    // Where the lines being read stand.
    enum class Place {
        BeforeAnySection,  // what a file without a [MapFiles] section is read from, up to
                           // its first header not on its first line
        OtherSection,      // after the first header, outside [MapFiles]
        MapFiles,
    };
    static constexpr int kKeys = 4;

    // How the file's text is stored, told by its first bytes.
    enum class Encoding {
        Undecided,  // too few bytes seen to tell
        Ansi,       // the ANSI code page, after a UTF-8 byte-order mark if any
        Utf16,      // UTF-16, little-endian, after its byte-order mark
    };

    // Takes bytes of the file's text, the byte-order mark left out.
    void TakeAnsi(const char* data, std::size_t size);
    void TakeUtf16(const char* data, std::size_t size);
    // `unspelled`: the line came from UTF-16 text and has a character that
    // the ANSI code page lacks.
    void EndLine(std::string_view line, bool unspelled = false);
    void ReadHeader(std::string_view line, std::size_t at);
    void ReadKeyLine(std::string_view line, std::size_t at, bool unspelled);
    void Decide();

    const CodePage& codePage_;
    Outcome outcome_ = Outcome::NeedMore;
    std::size_t bytesSeen_ = 0;
    int linesEnded_ = 0;
    Encoding encoding_ = Encoding::Undecided;
    std::string head_;                  // the first bytes, while they may still be a byte-order mark
    std::string line_;                  // the current line's text, where a piece ended within it
    std::u16string wideLine_;           // the same for a UTF-16 file
    int oddByte_ = -1;                  // a UTF-16 unit's first byte, where a piece ended after it
    bool afterCarriageReturn_ = false;  // a line feed here belongs to that line end
    Place place_ = Place::BeforeAnySection;
    // Values by key: GMPFile, STYFile, SCRFile, Description. What lies
    // before any section is kept only until a [MapFiles] section begins.
    std::string values_[kKeys];
    bool found_[kKeys] = {};
    bool unspelled_[kKeys] = {};
    MapDescription description_;
    MapFile problemFile_ = MapFile::Gmp;
};

// Describes a failed outcome for the user, e.g. "names no GMP file". Empty for
// NeedMore and Complete.
std::string DescribeProblem(MapDescriptionParser::Outcome outcome, MapDescriptionParser::MapFile file);

// The whole of a file held in memory, fed in one piece and finished.
MapDescriptionParser ParseMapDescription(std::string_view content, const CodePage& codePage = OneBytePerCharacter());
