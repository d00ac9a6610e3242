#pragma once
// How the system's ANSI code page splits text into characters. On the
// double-byte code pages of East Asian Windows (932, 936, 949, 950) a lead
// byte and the byte after it make one character; elsewhere every byte is one.

class CodePage {
public:
    virtual ~CodePage() = default;
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
