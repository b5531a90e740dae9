#include "rtf/rtf_state.hpp"

#include "rtf/rtf_encoding.hpp"
#include "text/text.hpp"

namespace quorvel::rtf {

namespace {

int encodingOfCodePage(int codePage, int unchanged) {
    switch (codePage) {
    case 860:
        return encoding::kDosPortuguese;
    case 862:
        return encoding::kDosHebrew;
    case 863:
        return encoding::kDosCanadianFrench;
    case 864:
        return encoding::kDosArabic;
    case 865:
        return encoding::kDosNordic;
    case 866:
        return encoding::kDosRussian;
    case 874:
        return encoding::kDosThai;
    case 932:
        return encoding::kDosJapanese;
    case 936:
        return encoding::kDosChineseSimplified;
    case 949:
        return encoding::kDosKorean;
    case 950:
        return encoding::kDosChineseTraditional;
    case 1250:
        return encoding::kWindowsLatin2;
    case 1251:
        return encoding::kWindowsCyrillic;
    case 1252:
        return encoding::kWindowsLatin1;
    case 1253:
        return encoding::kWindowsGreek;
    case 1254:
        return encoding::kWindowsTurkish;
    case 1255:
        return encoding::kWindowsHebrew;
    case 1256:
        return encoding::kWindowsArabic;
    case 1257:
        return encoding::kWindowsBaltic;
    case 1258:
        return encoding::kWindowsVietnamese;
    case 1361:
        return encoding::kWindowsKoreanJohab;
    default:
        return unchanged;
    }
}

int encodingOfCharset(int charset, int unchanged) {
    switch (charset) {
    case 0:
        return encoding::kWindowsLatin1;
    case 77:
        return encoding::kMacRoman;
    case 128:
        return encoding::kDosJapanese;
    case 129:
        return encoding::kDosKorean;
    case 130:
        return encoding::kWindowsKoreanJohab;
    case 134:
        return encoding::kDosChineseSimplified;
    case 136:
        return encoding::kBig5;
    case 161:
        return encoding::kWindowsGreek;
    case 162:
        return encoding::kWindowsTurkish;
    case 163:
        return encoding::kWindowsVietnamese;
    case 177:
        return encoding::kWindowsHebrew;
    case 178:
        return encoding::kWindowsArabic;
    case 186:
        return encoding::kWindowsBaltic;
    case 204:
        return encoding::kWindowsCyrillic;
    case 222:
        return encoding::kDosThai;
    case 238:
        return encoding::kWindowsLatin2;
    default:
        return unchanged; // 2 (symbol) and unknown sets
    }
}

} // namespace

RtfState::RtfState() {
    SetPlain();
}

void RtfState::SetPlain() {
    bold = italic = underline = outline = shadow = capitals = smallcapitals = false;
    expanded = 0;
}

void RtfState::SetEncoding(std::string_view word, int n) {
    const std::string w = text::foldCase(word);
    if (w == "fcharset") {
        encoding = encodingOfCharset(n, encoding);
    } else if (w == "ansicpg" || w == "ansicp") {
        encoding = encodingOfCodePage(n, encoding);
    } else if (w == "ansi" || w == "pc" || w == "pca") {
        encoding = encoding::kWindowsLatin1;
    } else if (w == "mac") {
        encoding = encoding::kMacRoman;
    }
}

bool RtfState::IsLeadByte(int code) const {
    if (code < 0x80 || code > 0xFF) {
        return false;
    }
    const CodePage* page = CodePage::forEncoding(encoding);
    return page != nullptr && page->isLead(static_cast<unsigned char>(code));
}

void RtfState::AppendDecoded(int code, std::string& out) const {
    const CodePage* page = CodePage::forEncoding(encoding);
    if (page == nullptr) {
        return;
    }
    page->append(static_cast<unsigned char>(code), out);
}

void RtfState::AppendDecodedPair(int lead, int trail, std::string& out) const {
    CodePage* page = CodePage::forEncoding(encoding);
    if (page == nullptr) {
        return;
    }
    page->appendPair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail), out);
}

std::string RtfState::Decode(int code) const {
    std::string out;
    AppendDecoded(code, out);
    return out;
}

std::string RtfState::DecodeUnicode(int n) const {
    std::string out;
    appendUtf8(out, n < 0 ? 0xFFFDu : static_cast<std::uint32_t>(n));
    return out;
}

} // namespace quorvel::rtf
