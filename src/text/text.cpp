#include "text/text.hpp"

#include <unicode/ucasemap.h>
#include <unicode/utf8.h>

#include <memory>

namespace quorvel::text {

namespace {

bool isAscii(std::string_view s) {
    for (unsigned char c : s) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string asciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

struct CaseMapDeleter {
    void operator()(UCaseMap* m) const { ucasemap_close(m); }
};

UCaseMap* caseMap() {
    thread_local std::unique_ptr<UCaseMap, CaseMapDeleter> map = [] {
        UErrorCode status = U_ZERO_ERROR;
        return std::unique_ptr<UCaseMap, CaseMapDeleter>(
            ucasemap_open("", U_FOLD_CASE_DEFAULT, &status));
    }();
    return map.get();
}

} // namespace

bool isValidUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const uint8_t*>(s.data());
    int32_t len = static_cast<int32_t>(s.size());
    int32_t i = 0;
    while (i < len) {
        UChar32 c;
        U8_NEXT(p, i, len, c);
        if (c < 0) {
            return false;
        }
    }
    return true;
}

std::string foldCase(std::string_view s) {
    if (isAscii(s)) {
        return asciiLower(s);
    }
    UCaseMap* map = caseMap();
    if (map == nullptr || !isValidUtf8(s) || s.size() > INT32_MAX / 4) {
        return asciiLower(s);
    }
    std::string out(s.size() * 3 + 8, '\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t n = ucasemap_utf8FoldCase(map, out.data(), static_cast<int32_t>(out.size()), s.data(),
                                      static_cast<int32_t>(s.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.assign(static_cast<size_t>(n), '\0');
        status = U_ZERO_ERROR;
        n = ucasemap_utf8FoldCase(map, out.data(), static_cast<int32_t>(out.size()), s.data(),
                                  static_cast<int32_t>(s.size()), &status);
    }
    if (U_FAILURE(status)) {
        return asciiLower(s);
    }
    out.resize(static_cast<size_t>(n));
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (isAscii(a) && isAscii(b)) {
        if (a.size() != b.size()) {
            return false;
        }
        for (size_t i = 0; i < a.size(); ++i) {
            char x = a[i];
            char y = b[i];
            if (x >= 'A' && x <= 'Z') {
                x = static_cast<char>(x - 'A' + 'a');
            }
            if (y >= 'A' && y <= 'Z') {
                y = static_cast<char>(y - 'A' + 'a');
            }
            if (x != y) {
                return false;
            }
        }
        return true;
    }
    return foldCase(a) == foldCase(b);
}

std::vector<std::string> splitLines(std::string_view content, bool dropUnterminated) {
    std::vector<std::string> lines;
    size_t start = 0;
    const size_t n = content.size();
    for (size_t i = 0; i < n; ++i) {
        char c = content[i];
        if (c == '\n' || c == '\r') {
            lines.emplace_back(content.substr(start, i - start));
            if (c == '\r' && i + 1 < n && content[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n && !dropUnterminated) {
        lines.emplace_back(content.substr(start));
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    size_t total = 0;
    for (const auto& l : lines) {
        total += l.size() + 1;
    }
    std::string out;
    out.reserve(total);
    for (const auto& l : lines) {
        out += l;
        out += '\n';
    }
    return out;
}

} // namespace quorvel::text
