#pragma once
// Text helpers shared by every subsystem. All texts are UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace quorvel::text {

// Unicode case folding (full folding, through ICU), so that "ÉLODIE" and "élodie" fold alike.
// Invalid UTF-8 is folded byte-wise for its ASCII part and kept otherwise.
std::string foldCase(std::string_view s);

// Every comparison that decides something and ignores letter case goes through here.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Splits a file's content into lines. Accepts "\n", "\r\n" and "\r" line ends. A last line
// without a line end is returned too unless dropUnterminated is set.
std::vector<std::string> splitLines(std::string_view content, bool dropUnterminated = false);

// Joins lines with "\n" after every line, the last included.
std::string joinLines(const std::vector<std::string>& lines);

// True when s is valid UTF-8.
bool isValidUtf8(std::string_view s);

} // namespace quorvel::text
