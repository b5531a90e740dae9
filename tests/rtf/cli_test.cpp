// The rtf-to-text command of quorvel-cli, called through the program's dispatcher.

#include "cli/commands.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <sstream>

// The command sources are part of the quorvel-cli program, not of a library.
#include "cli/commands.cpp"
#include "cli/rtf_to_text.cpp"

namespace {

struct Outcome {
    int code;
    std::string out, err;
};

Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int code = quorvel::cli::dispatch(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(CliRtfToText, PrintsTheTextWithLineFeeds) {
    quorvel::test::TempDir dir;
    dir.write("note.rtf", "{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Helvetica;}\\f0 caf\\'e9\\par "
                          "\\u8364?5\\line end}");
    Outcome r = run({"rtf-to-text", (dir / "note.rtf").string()});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "caf\u00E9\n\u20AC5\nend");
    EXPECT_EQ(r.err, "");
}

TEST(CliRtfToText, ReportsMissingFilesAndWrongUsage) {
    quorvel::test::TempDir dir;
    Outcome missing = run({"rtf-to-text", (dir / "absent.rtf").string()});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("absent.rtf"), std::string::npos);

    Outcome folder = run({"rtf-to-text", dir.path().string()});
    EXPECT_EQ(folder.code, 1);
    EXPECT_FALSE(folder.err.empty());

    EXPECT_EQ(run({"rtf-to-text"}).code, 2);
    EXPECT_EQ(run({"rtf-to-text", "a", "b"}).code, 2);
    EXPECT_EQ(run({"no-such-command"}).code, 2);
    EXPECT_EQ(run({}).code, 2);
}

TEST(CliRtfToText, DescribesItself) {
    Outcome all = run({"--help"});
    EXPECT_EQ(all.code, 0);
    EXPECT_NE(all.out.find("rtf-to-text"), std::string::npos);
    Outcome one = run({"rtf-to-text", "--help"});
    EXPECT_EQ(one.code, 0);
    EXPECT_NE(one.out.find("Usage: quorvel-cli rtf-to-text FILE"), std::string::npos);
    EXPECT_EQ(run({"--help", "rtf-to-text"}).out, one.out);
}

} // namespace
