#include "rtf/rtf_module.hpp"

#include "text/text.hpp"

#include <limits>

namespace quorvel::rtf {

namespace {

int hexValue(int c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

bool isLetter(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isNumericByte(int c) {
    return isDigit(c) || c == '-';
}

bool isBin(std::string_view word) {
    return word.size() == 3 && text::equalsIgnoreCase(word, "bin");
}

} // namespace

bool RtfIsAlpha(char c) {
    return isLetter(static_cast<unsigned char>(c));
}

bool RtfIsAlpha(std::string_view c) {
    return c.size() == 1 && RtfIsAlpha(c[0]);
}

bool RtfIsNumeric(char c) {
    return isNumericByte(static_cast<unsigned char>(c));
}

bool RtfIsNumeric(std::string_view c) {
    if (c.empty()) {
        return false;
    }
    return c[0] == '-' || (c.size() == 1 && isDigit(static_cast<unsigned char>(c[0])));
}

void RtfParseCommand(RtfInput& input, std::string& cmd, std::int32_t& param) {
    cmd.clear();
    if (input.eof()) {
        param = 1;
        return;
    }
    int c = input.get();
    if (c == '\'') {
        cmd.assign(1, '\'');
        int value = 0;
        for (int i = 0; i < 2; ++i) {
            int h = hexValue(input.get());
            if (h < 0) {
                // The rest of the pair is consumed but adds nothing.
                if (i == 0 && !input.eof()) {
                    input.get();
                }
                break;
            }
            value = value * 16 + h;
        }
        param = value;
        return;
    }
    if (!isLetter(c)) {
        cmd.assign(1, static_cast<char>(c));
        return;
    }

    // Letters: scan them in place, then copy the word at once.
    std::string_view rest = input.rest();
    std::size_t start = input.position() - 1;
    std::size_t n = 0;
    while (n < rest.size() && isLetter(static_cast<unsigned char>(rest[n]))) {
        ++n;
    }
    cmd.assign(input.data().substr(start, n + 1));
    input.skip(n);
    if (input.eof()) {
        param = 1;
        return;
    }

    int delimiter = input.get();
    if (!isNumericByte(delimiter)) {
        param = 1;
        if (delimiter != ' ') {
            input.back();
        }
        return;
    }

    // The number text runs over every digit and minus sign; its value is that of its leading
    // integer: an optional minus sign and the digits right after it.
    bool negative = delimiter == '-';
    bool leading = true;
    std::int64_t magnitude = negative ? 0 : delimiter - '0';
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    int next = -1;
    while (!input.eof()) {
        next = input.get();
        if (!isNumericByte(next)) {
            break;
        }
        if (leading && isDigit(next)) {
            magnitude = std::min(kLimit, magnitude * 10 + (next - '0'));
        } else {
            leading = false;
        }
        next = -1;
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    value = std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max());
    param = static_cast<std::int32_t>(value);
    if (next >= 0 && next != ' ') {
        input.back();
    }
}

std::string RtfParseLabel(RtfInput& input) {
    std::string label;
    while (!input.eof()) {
        int c = input.get();
        if (c == ';') {
            return label;
        }
        if (c == '\\' || c == '{' || c == '}') {
            input.back();
            return label;
        }
        label.push_back(static_cast<char>(c));
    }
    return label;
}

void RtfIgnoreGroup(RtfInput& input) {
    std::size_t depth = 1;
    std::string word;
    std::int32_t param = 0;
    while (!input.eof()) {
        // Jump straight to the next byte that matters: skipped groups such as pictures can be
        // most of a document.
        std::string_view rest = input.rest();
        std::size_t at = rest.find_first_of("{}\\");
        if (at == std::string_view::npos) {
            input.skip(rest.size());
            return;
        }
        input.skip(at);
        int c = input.get();
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            --depth;
        } else {
            RtfParseCommand(input, word, param);
            if (isBin(word)) {
                input.skip(RtfBinLength(param));
            }
        }
        if (depth == 0) {
            return;
        }
    }
}

} // namespace quorvel::rtf
