#include "store/files.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

using namespace quorvel;
using quorvel::test::TempDir;

namespace {

struct FaultGuard {
    explicit FaultGuard(store::FaultHook hook) { store::setFaultHook(std::move(hook)); }
    ~FaultGuard() { store::setFaultHook(nullptr); }
};

size_t entriesIn(const std::filesystem::path& dir) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) {
        ++n;
    }
    return n;
}

} // namespace

TEST(Store, ReplaceCreatesOwnerOnlyFileAndReplacesWhole) {
    TempDir dir;
    auto path = dir / "._file";
    ASSERT_FALSE(store::replaceAtomically(path, "one\ntwo\n"));
    EXPECT_EQ(dir.read("._file"), "one\ntwo\n");
    EXPECT_EQ(test::permissionsOf(path), 0600u);
    ASSERT_FALSE(store::replaceAtomically(path, "three\n"));
    EXPECT_EQ(dir.read("._file"), "three\n");
    EXPECT_EQ(entriesIn(dir.path()), 1u); // no temporary file left behind
}

TEST(Store, FailedReplaceLeavesOldFileWholeAndNoTemporary) {
    for (const char* step : {"open", "write", "fsync", "rename"}) {
        SCOPED_TRACE(step);
        TempDir dir;
        auto path = dir / "._file";
        dir.write("._file", "old content\n");
        {
            FaultGuard guard([&](std::string_view s, const auto&) { return s == step; });
            EXPECT_TRUE(store::replaceAtomically(path, "new content\n"));
        }
        EXPECT_EQ(dir.read("._file"), "old content\n");
        EXPECT_EQ(entriesIn(dir.path()), 1u);
    }
}

TEST(Store, AppendAndTrimTornLine) {
    TempDir dir;
    auto path = dir / "._log";
    ASSERT_FALSE(store::appendDurable(path, "a\nb\n"));
    EXPECT_EQ(test::permissionsOf(path), 0600u);
    ASSERT_FALSE(store::appendDurable(path, "c"));
    ASSERT_FALSE(store::trimTornLastLine(path));
    EXPECT_EQ(dir.read("._log"), "a\nb\n");
    ASSERT_FALSE(store::trimTornLastLine(dir / "missing")); // missing file is fine
}

TEST(Store, MakeFoldersCreatesParentsOwnerOnly) {
    TempDir dir;
    auto deep = dir / "a/b/c";
    ASSERT_FALSE(store::makeFolders(deep));
    EXPECT_TRUE(std::filesystem::is_directory(deep));
    EXPECT_EQ(test::permissionsOf(dir / "a"), 0700u);
    EXPECT_EQ(test::permissionsOf(deep), 0700u);
    EXPECT_FALSE(store::makeFolders(deep)); // existing is fine
}

TEST(Store, FileByNameStaysInTheFolder) {
    store::Folder folder("/data");
    EXPECT_EQ(folder.fileByName("._code"), std::filesystem::path("/data/._code"));
    for (const char* bad : {"", ".", "..", "a/b", "../x"}) {
        EXPECT_FALSE(folder.fileByName(bad).has_value()) << bad;
    }
    EXPECT_FALSE(folder.fileByName(std::string(256, 'x')).has_value());
}
