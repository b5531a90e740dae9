#pragma once
// The character and paragraph state of the rich-text reader: the parser keeps one per open
// group and hands a copy to its target after every control word. It also turns the document's
// byte codes and Unicode escapes into text (UTF-8).

#include <compare>
#include <string>
#include <string_view>

namespace quorvel::rtf {

struct Color {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend auto operator<=>(const Color&, const Color&) = default;
};

class RtfState {
public:
    RtfState();

    // Resets the character formatting: the flags off and no expansion. Font, size, colours,
    // encodings and alignment stay.
    void SetPlain();
    RtfState Clone() const { return *this; }

    // Changes the document encoding after a control word: "mac", "ansi", "pc", "pca", "ansicpg"
    // (code page n) and "fcharset" (character set n); other words change nothing.
    void SetEncoding(std::string_view word, int n);

    // The text of one byte code of the document in the current encoding (Mac OS Roman when the
    // encoding is 0 or less). Empty when the encoding has no converter.
    std::string Decode(int code) const;
    // The text of a Unicode escape: the character of code point n; U+FFFD for surrogates and
    // values outside Unicode.
    std::string DecodeUnicode(int n) const;

    // True when the current encoding is a double-byte code page and code begins a character.
    bool IsLeadByte(int code) const;
    // Appends the text of one byte code, or of a lead byte and its trail byte.
    void AppendDecoded(int code, std::string& out) const;
    void AppendDecodedPair(int lead, int trail, std::string& out) const;

    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string font = "System";
    double textsize = 12;
    bool outline = false;
    bool shadow = false;
    Color foregroundcolor;
    Color backgroundcolor; // stored only
    double expanded = 0;   // points: above 0 expanded, below 0 condensed
    int encoding = 0;      // document encoding number; 0 or less is Mac OS Roman
    bool capitals = false;
    bool smallcapitals = false;
    int alignment = 1; // 1 left, 2 centred, 3 right, 4 justified
    // Encoding of the text handed on: always Unicode (UTF-8) here.
    int nativeencoding = 256;
    // Substitute units that follow a Unicode escape (the "uc" word).
    int unicodeskip = 1;
};

} // namespace quorvel::rtf
