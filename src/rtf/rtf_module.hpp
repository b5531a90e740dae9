#pragma once
// The lowest layer of the rich-text reader: reading one control word with its parameter,
// skipping a group, reading a label, classifying characters. Stateless apart from the read
// position of the stream given.

#include "rtf/rtf_input.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::rtf {

// Reads one control word, control symbol or hex escape; call it with the read position just
// after the backslash. cmd gets the word without the backslash (as written, letter case kept),
// the symbol's one character, or "'" for a hex escape with its value in param. A word without
// a number gets param 1. Numbers are clamped to the 32-bit range. A space ending a word is
// consumed; any other delimiter is left for the caller.
void RtfParseCommand(RtfInput& input, std::string& cmd, std::int32_t& param);

// True for the 52 letters A to Z and a to z.
bool RtfIsAlpha(char c);
bool RtfIsAlpha(std::string_view c);

// True for the digits 0 to 9 and for the minus sign.
bool RtfIsNumeric(char c);
// True for a digit, or for any text that begins with "-".
bool RtfIsNumeric(std::string_view c);

// Reads plain text up to a semicolon (consumed) or up to a backslash or brace (left unread).
std::string RtfParseLabel(RtfInput& input);

// Skips to just after the brace that closes the current group (its opening brace has been
// read). Escaped braces do not count; the data of a "bin" word is skipped unread.
void RtfIgnoreGroup(RtfInput& input);

// Bytes to skip for the parameter of a "bin" word: negative lengths count as 0.
inline std::size_t RtfBinLength(std::int32_t param) {
    return param > 0 ? static_cast<std::size_t>(param) : 0;
}

} // namespace quorvel::rtf
