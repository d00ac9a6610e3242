#pragma once
// How the system's ANSI code page splits text into characters, and how the
// system orders text in the user's language. On the double-byte code pages
// of East Asian Windows (932, 936, 949, 950) a lead byte and the byte after
// it make one character; on UTF-8 (65001) a character takes one to four
// bytes; elsewhere every byte is one.

#include <cstddef>
#include <string>
#include <string_view>

class CodePage {
public:
    virtual ~CodePage() = default;
    // Appends to `keys` the system's sort key of `text`, read in the ANSI
    // code page as the list and the files hold it: the order of the user's
    // language with letter case ignored. Texts sort as their keys compare,
    // byte by byte and unsigned, a key that begins another first; equal
    // keys, equal texts. False, with nothing appended, where the key of this
    // text cannot be made (a text the system refuses): the catalogue then
    // keys that text by its own bytes.
    virtual bool AppendSortKey(const std::string& /*text*/, std::string& /*keys*/) const { return false; }
    // Whether `byte` opens a two-byte character.
    virtual bool IsLeadByte(unsigned char byte) const = 0;
    // How many of the `size` bytes at `text` (at least one) the character
    // there takes. A character cut off by the end of the text, or bytes that
    // make none, count one byte each, as the system reads them.
    virtual std::size_t CharacterLength(const char* text, std::size_t size) const {
        return size >= 2 && IsLeadByte(static_cast<unsigned char>(text[0])) ? 2 : 1;
    }
    // Appends UTF-16 `text` to `out` in the ANSI code page, as the system
    // converts it without "best fit": a character the code page lacks is
    // never swapped for a look-alike (L for Ł, a backslash for the yen sign
    // on code page 932) but written as the default character, and the answer
    // is then false. True when every character came out exactly. This one
    // knows ASCII alone.
    virtual bool AppendFromUtf16(std::u16string_view text, std::string& out) const {
        bool exact = true;
        for (const char16_t unit : text) {
            exact = exact && unit < 0x80;
            out += unit < 0x80 ? static_cast<char>(unit) : '?';
        }
        return exact;
    }
};

// Western code pages: one byte, one character.
class SingleByteCodePage : public CodePage {
public:
    bool IsLeadByte(unsigned char) const override { return false; }
};

inline const CodePage& OneBytePerCharacter() {
    static const SingleByteCodePage page;
    return page;
}

// The length of a well-formed UTF-8 character at `text` (no overlong forms,
// no surrogates, nothing above U+10FFFF); 1 for anything else.
inline std::size_t Utf8CharacterLength(const char* text, std::size_t size) {
    const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(0);
    std::size_t length = 1;
    unsigned char low = 0x80;  // the range the second byte must fall in
    unsigned char high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        if (first == 0xE0) low = 0xA0;
        if (first == 0xED) high = 0x9F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        if (first == 0xF0) low = 0x90;
        if (first == 0xF4) high = 0x8F;
    }
    if (length == 1 || size < length || byte(1) < low || byte(1) > high) return 1;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 1;
    }
    return length;
}

// Whether `a` and `b` are one text but for the case of ASCII letters, walked
// a character at a time in `codePage`: a byte of a double-byte character may
// have a letter's value (code page 932 trail bytes do) and is never folded.
inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b, const CodePage& codePage) {
    if (a.size() != b.size()) return false;
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    // An ASCII byte is a character of its own in every ANSI code page.
    const auto lengthAt = [&](std::string_view text, std::size_t at) {
        return static_cast<unsigned char>(text[at]) < 0x80
                   ? 1
                   : codePage.CharacterLength(text.data() + at, text.size() - at);
    };
    for (std::size_t at = 0; at < a.size();) {
        const std::size_t length = lengthAt(a, at);
        if (lengthAt(b, at) != length) return false;
        if (length == 1 ? fold(a[at]) != fold(b[at]) : a.substr(at, length) != b.substr(at, length)) return false;
        at += length;
    }
    return true;
}
