#include "platform/doc_types.hpp"
#include "platform/scripted.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <map>

using namespace quorvel;
using quorvel::test::TempDir;

TEST(DocumentTypes, FiltersFromTypeNames) {
    const auto filters = platform::filtersFor("text/richtext;text/plain;application/rtf;nope");
    ASSERT_EQ(filters.size(), 3u);
    EXPECT_EQ(platform::filterText(filters[0]), "text/richtext (*.rtx)");
    EXPECT_EQ(filters[1].extensions.size(), 17u);
    EXPECT_EQ(filters[1].extensions.front(), "asc");
    EXPECT_EQ(platform::filterText(filters[2]), "application/rtf (*.rtf)");
    // ".html" is listed twice for HTML; it appears once.
    EXPECT_EQ(platform::filterText(platform::filtersFor("text/html")[0]),
              "text/html (*.htm *.html)");
    EXPECT_TRUE(platform::filtersFor("").empty());
}

TEST(ScriptedDialogs, RecordsAndAnswersInOrder) {
    platform::ScriptedDialogs d;
    d.answerYesNo(platform::kYes);
    d.answerRetryCancel(platform::kRetry);
    d.message("hello");
    EXPECT_EQ(d.askYesNo("sure?"), platform::kYes);
    EXPECT_EQ(d.askRetryCancel("again?"), platform::kRetry);
    EXPECT_TRUE(d.allAnswersUsed());
    EXPECT_TRUE(d.unexpected().empty());
    // Nothing queued: recorded as unexpected and answered No.
    EXPECT_EQ(d.askYesNo("unplanned"), platform::kNo);
    ASSERT_EQ(d.unexpected().size(), 1u);
    EXPECT_EQ(d.shown().size(), 4u);
    EXPECT_EQ(d.messages(), std::vector<std::string>{"hello"});
}
