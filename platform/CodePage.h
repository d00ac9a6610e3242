#pragma once
// How the system's ANSI code page splits text into characters, and how the
// system orders text in the user's language. On the double-byte code pages
// of East Asian Windows (932, 936, 949, 950) a lead byte and the byte after
// it make one character; elsewhere every byte is one.

#include <string>

class CodePage {
public:
    virtual ~CodePage() = default;
    // Appends to `keys` the system's sort key of `text`: the order of the
    // user's language with letter case ignored, as the list control sorts
    // its rows. Texts sort as their keys compare, byte by byte and unsigned,
    // a key that begins another first; equal keys, equal texts. False, with
    // nothing appended, where there is no system to ask (the stand-ins):
    // the program then keeps to its own model of the Western order. The
    // answer is the same for every text.
    virtual bool AppendSortKey(const std::string& /*text*/, std::string& /*keys*/) const { return false; }
    // Whether `byte` opens a two-byte character.
    virtual bool IsLeadByte(unsigned char byte) const = 0;
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
