#include "text/text.hpp"

#include <gtest/gtest.h>

using namespace quorvel;

TEST(Text, CaseFoldingIsUnicode) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        {"Ann", "aNN", true},
        {"ÉLODIE", "élodie", true},
        {"Straße", "STRASSE", true},
        {"Select User", "select user", true},
        {"ann", "anne", false},
        {"é", "e", false},
        {"", "", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text::equalsIgnoreCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    }
}

TEST(Text, SplitLinesHandlesEndsAndTornLines) {
    EXPECT_EQ(text::splitLines("a\nb\r\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(text::splitLines("a\nb", true), (std::vector<std::string>{"a"}));
    EXPECT_EQ(text::splitLines("a\n\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_TRUE(text::splitLines("").empty());
}
