#pragma once
// Document encodings of the rich-text reader. Encodings are named by their Mac OS text-encoding
// base numbers (0 Mac OS Roman, 1280 Windows Latin-1, ...); the text produced is UTF-8. The
// byte codes of a code page convert through iconv: each converter is opened once per thread and
// kept, and every single byte is converted once into a table, so decoding a byte is a lookup.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvel::rtf {

namespace encoding {
inline constexpr int kMacRoman = 0;
inline constexpr int kUnicode = 256;
inline constexpr int kDosPortuguese = 1045;
inline constexpr int kDosHebrew = 1047;
inline constexpr int kDosCanadianFrench = 1048;
inline constexpr int kDosArabic = 1049;
inline constexpr int kDosNordic = 1050;
inline constexpr int kDosRussian = 1051;
inline constexpr int kDosThai = 1053;
inline constexpr int kDosJapanese = 1056;
inline constexpr int kDosChineseSimplified = 1057;
inline constexpr int kDosKorean = 1058;
inline constexpr int kDosChineseTraditional = 1059;
inline constexpr int kWindowsLatin1 = 1280;
inline constexpr int kWindowsLatin2 = 1281;
inline constexpr int kWindowsCyrillic = 1282;
inline constexpr int kWindowsGreek = 1283;
inline constexpr int kWindowsTurkish = 1284;
inline constexpr int kWindowsHebrew = 1285;
inline constexpr int kWindowsArabic = 1286;
inline constexpr int kWindowsBaltic = 1287;
inline constexpr int kWindowsVietnamese = 1288;
inline constexpr int kWindowsKoreanJohab = 1296;
inline constexpr int kBig5 = 2563;
} // namespace encoding

// The iconv name of an encoding number; nullptr for numbers without a converter (Unicode among
// them: its text needs none). 0 and below are Mac OS Roman.
const char* iconvName(int encodingNumber);

// Appends the UTF-8 form of a code point; surrogates and values outside Unicode give U+FFFD.
void appendUtf8(std::string& out, std::uint32_t codePoint);

// Converts the byte codes of one encoding to UTF-8.
class CodePage {
public:
    ~CodePage();
    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;

    // The converter of this thread for an encoding number; nullptr when there is none.
    static CodePage* forEncoding(int encodingNumber);

    // True when the byte begins a two-byte character (double-byte code pages only).
    bool isLead(unsigned char byte) const { return table_[byte].kind == Kind::Lead; }
    // Appends the text of one byte. A byte that names no character, or a lead byte on its own,
    // gives U+FFFD.
    void append(unsigned char byte, std::string& out) const {
        const Entry& e = table_[byte];
        out.append(e.utf8, e.length);
    }
    // Appends the text of a lead byte and its trail byte. When the two form no character the
    // lead gives U+FFFD and the trail is taken on its own.
    void appendPair(unsigned char lead, unsigned char trail, std::string& out);

private:
    enum class Kind : std::uint8_t { Single, Lead, Invalid };
    struct Entry {
        char utf8[4] = {};
        std::uint8_t length = 0;
        Kind kind = Kind::Invalid;
    };

    explicit CodePage(void* converter);
    // Converts bytes to UTF-8; false when they are invalid or incomplete (errno-like reason in
    // *incomplete).
    bool convert(const char* bytes, std::size_t n, std::string& out, bool* incomplete);

    void* converter_; // iconv_t
    Entry table_[256];
    // Code points of two-byte characters, filled as they are met: 0 not converted yet.
    std::vector<std::uint32_t> pairs_;
};

} // namespace quorvel::rtf
