#include "rtf/rtf_module.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace quorvel::rtf;

namespace {

struct CommandCase {
    std::string afterBackslash;
    std::string word;
    std::int32_t param;
    int next; // byte read next, -1 at the end
};

TEST(RtfParseCommand, ReadsWordsSymbolsAndHexEscapes) {
    const CommandCase cases[] = {
        {"par t", "par", 1, 't'},
        {"fs24\\", "fs", 24, '\\'},
        {"li-720 x", "li", -720, 'x'},
        {"b0}", "b", 0, '}'},
        {"'e9a", "'", 233, 'a'},
        {"'4za", "'", 4, 'a'},
        {"'zz!", "'", 0, '!'},
        {"{a", "{", 77, 'a'}, // a symbol leaves the parameter as passed in
        {"par", "par", 1, -1},
        {"PAR;", "PAR", 1, ';'},
        {"fs24  x", "fs", 24, ' '}, // one space belongs to the word, the second is text
        {"x2-4 y", "x", 2, 'y'},    // the longest leading integer
        {"x- y", "x", 0, 'y'},      // a lone minus sign
        {"x--5;", "x", 0, ';'},
        {"fs99999999999 z", "fs", INT_MAX, 'z'},
        {"fs-99999999999 z", "fs", INT_MIN, 'z'},
        {"u8364?", "u", 8364, '?'},
        {"\r\n", "\r", 77, '\n'},
        {"", "", 1, -1},
    };
    for (const CommandCase& c : cases) {
        SCOPED_TRACE(c.afterBackslash);
        RtfInput input(c.afterBackslash);
        std::string word = "old";
        std::int32_t param = 77;
        RtfParseCommand(input, word, param);
        EXPECT_EQ(word, c.word);
        EXPECT_EQ(param, c.param);
        EXPECT_EQ(input.peek(), c.next);
    }
}

TEST(RtfModule, ClassifiesCharacters) {
    EXPECT_TRUE(RtfIsAlpha("a"));
    EXPECT_TRUE(RtfIsAlpha("Z"));
    EXPECT_FALSE(RtfIsAlpha("1"));
    EXPECT_FALSE(RtfIsAlpha("\xC3\xA9"));
    EXPECT_FALSE(RtfIsAlpha(""));
    EXPECT_TRUE(RtfIsNumeric("7"));
    EXPECT_TRUE(RtfIsNumeric("-"));
    EXPECT_TRUE(RtfIsNumeric("-x"));
    EXPECT_FALSE(RtfIsNumeric("a"));
    EXPECT_FALSE(RtfIsNumeric(""));
}

TEST(RtfParseLabel, StopsAtSemicolonsBracesAndBackslashes) {
    struct Case {
        std::string text, label;
        int next;
    } cases[] = {
        {"Times New Roman;}", "Times New Roman", '}'},
        {"Arial{\\*\\falt x}", "Arial", '{'},
        {"Name\\b", "Name", '\\'},
        {" spaced \r\nname;", " spaced \r\nname", -1},
        {"cut off", "cut off", -1},
    };
    for (const Case& c : cases) {
        RtfInput input(c.text);
        EXPECT_EQ(RtfParseLabel(input), c.label);
        EXPECT_EQ(input.peek(), c.next);
    }
}

TEST(RtfIgnoreGroup, SkipsToTheClosingBraceOfTheGroup) {
    struct Case {
        std::string text;
        std::string rest;
    } cases[] = {
        {"a {b {c} d}\\}e}tail", "tail"},
        {"\\bin4 }}}}x}tail", "tail"},
        {"\\BIN4 }}}}x}tail", "tail"},
        {"\\bin }x}tail", "tail"},  // "bin" without a number skips one byte
        {"\\bin-3 x}tail", "tail"}, // a negative length skips nothing
        {"\\bin999999 }tail", ""},  // past the end: stops at the end
        {"\\'7d}tail", "tail"},     // a hex escape is no brace
        {"{{{ unbalanced", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RtfInput input(c.text);
        RtfIgnoreGroup(input);
        EXPECT_EQ(input.rest(), c.rest);
    }
}

TEST(RtfIgnoreGroup, HandlesDeepNestingWithoutRecursion) {
    std::string deep(1'000'000, '{');
    deep += std::string(1'000'001, '}') + "after";
    RtfInput input(deep);
    RtfIgnoreGroup(input);
    EXPECT_EQ(input.rest(), "after");
}

} // namespace
