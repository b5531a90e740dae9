#include "rtf/rtf_encoding.hpp"

#include <cerrno>
#include <iconv.h>
#include <unordered_map>

namespace quorvel::rtf {

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;
// Marks a pair that forms no character in the pair cache.
constexpr std::uint32_t kNoCharacter = 0xFFFFFFFF;

iconv_t handle(void* p) {
    return static_cast<iconv_t>(p);
}

// Decodes the single code point of a short UTF-8 text; kNoCharacter when it holds more or less.
std::uint32_t singleCodePoint(const std::string& s) {
    auto b = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(s[i]));
    };
    if (s.size() == 1 && b(0) < 0x80) {
        return b(0);
    }
    if (s.size() == 2 && (b(0) & 0xE0) == 0xC0) {
        return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    }
    if (s.size() == 3 && (b(0) & 0xF0) == 0xE0) {
        return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    }
    if (s.size() == 4 && (b(0) & 0xF8) == 0xF0) {
        return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
    }
    return kNoCharacter;
}

} // namespace

const char* iconvName(int n) {
    if (n <= encoding::kMacRoman) {
        return "MACINTOSH";
    }
    switch (n) {
    case encoding::kDosPortuguese:
        return "CP860";
    case encoding::kDosHebrew:
        return "CP862";
    case encoding::kDosCanadianFrench:
        return "CP863";
    case encoding::kDosArabic:
        return "CP864";
    case encoding::kDosNordic:
        return "CP865";
    case encoding::kDosRussian:
        return "CP866";
    case encoding::kDosThai:
        return "CP874";
    case encoding::kDosJapanese:
        return "CP932";
    case encoding::kDosChineseSimplified:
        return "CP936";
    case encoding::kDosKorean:
        return "CP949";
    case encoding::kDosChineseTraditional:
        return "CP950";
    case encoding::kWindowsLatin1:
        return "CP1252";
    case encoding::kWindowsLatin2:
        return "CP1250";
    case encoding::kWindowsCyrillic:
        return "CP1251";
    case encoding::kWindowsGreek:
        return "CP1253";
    case encoding::kWindowsTurkish:
        return "CP1254";
    case encoding::kWindowsHebrew:
        return "CP1255";
    case encoding::kWindowsArabic:
        return "CP1256";
    case encoding::kWindowsBaltic:
        return "CP1257";
    case encoding::kWindowsVietnamese:
        return "CP1258";
    case encoding::kWindowsKoreanJohab:
        return "JOHAB";
    case encoding::kBig5:
        return "BIG5";
    default:
        return nullptr;
    }
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
        cp = kReplacement;
    }
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

CodePage* CodePage::forEncoding(int n) {
    if (n < encoding::kMacRoman) {
        n = encoding::kMacRoman;
    }
    thread_local std::unordered_map<int, std::unique_ptr<CodePage>> cache;
    auto found = cache.find(n);
    if (found != cache.end()) {
        return found->second.get();
    }
    std::unique_ptr<CodePage> page;
    if (const char* name = iconvName(n)) {
        iconv_t cd = iconv_open("UTF-8", name);
        if (cd != reinterpret_cast<iconv_t>(-1)) {
            page.reset(new CodePage(cd));
        }
    }
    CodePage* result = page.get();
    cache.emplace(n, std::move(page));
    return result;
}

CodePage::CodePage(void* converter) : converter_(converter) {
    std::string out;
    for (int b = 0; b < 256; ++b) {
        char byte = static_cast<char>(b);
        out.clear();
        bool incomplete = false;
        Entry& e = table_[b];
        if (convert(&byte, 1, out, &incomplete) && !out.empty() && out.size() <= 4) {
            e.kind = Kind::Single;
        } else {
            e.kind = incomplete ? Kind::Lead : Kind::Invalid;
            out.clear();
            appendUtf8(out, kReplacement);
        }
        out.copy(e.utf8, out.size());
        e.length = static_cast<std::uint8_t>(out.size());
    }
}

CodePage::~CodePage() {
    iconv_close(handle(converter_));
}

bool CodePage::convert(const char* bytes, std::size_t n, std::string& out, bool* incomplete) {
    iconv_t cd = handle(converter_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[32];
    char* in = const_cast<char*>(bytes);
    std::size_t inLeft = n;
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    std::size_t r = iconv(cd, &in, &inLeft, &dst, &dstLeft);
    if (r == static_cast<std::size_t>(-1)) {
        if (incomplete != nullptr) {
            *incomplete = errno == EINVAL;
        }
        return false;
    }
    // Some converters (Vietnamese) hold a base letter back for a combining mark: flush it.
    if (iconv(cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) {
        return false;
    }
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    return true;
}

void CodePage::appendPair(unsigned char lead, unsigned char trail, std::string& out) {
    if (pairs_.empty()) {
        pairs_.assign(65536, 0);
    }
    std::uint32_t& cached = pairs_[(std::size_t{lead} << 8) | trail];
    if (cached == 0) {
        char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        std::string text;
        cached = convert(bytes, 2, text, nullptr) ? singleCodePoint(text) : kNoCharacter;
    }
    if (cached == kNoCharacter) {
        appendUtf8(out, kReplacement);
        if (!isLead(trail)) {
            append(trail, out);
        } else {
            appendUtf8(out, kReplacement);
        }
        return;
    }
    appendUtf8(out, cached);
}

} // namespace quorvel::rtf
