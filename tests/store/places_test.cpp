#include "store/places.hpp"
#include "store/trash.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <map>

using namespace quorvel;
using quorvel::test::TempDir;

namespace {

store::Environment envOf(std::map<std::string, std::string> vars) {
    return [vars](std::string_view name) -> std::optional<std::string> {
        auto it = vars.find(std::string(name));
        if (it == vars.end()) {
            return std::nullopt;
        }
        return it->second;
    };
}

} // namespace

TEST(Places, EachPlaceByOptionThenVariableThenDefault) {
    const std::map<std::string, std::string> base = {{"HOME", "/home/ann"}};
    const auto defaults = store::resolvePlaces({}, envOf(base));
    EXPECT_EQ(defaults.current, "/home/ann/.local/share/Quorvel");
    EXPECT_EQ(defaults.data, "/home/ann/.config/Quorvel");
    EXPECT_EQ(defaults.desktop, "/home/ann/Desktop");
    EXPECT_EQ(defaults.trash, "/home/ann/.local/share/Trash");
    EXPECT_EQ(defaults.temp, "/tmp");

    auto xdg = base;
    xdg["XDG_DATA_HOME"] = "/x/data";
    xdg["XDG_CONFIG_HOME"] = "/x/config";
    xdg["TMPDIR"] = "/x/tmp";
    const auto fromXdg = store::resolvePlaces({}, envOf(xdg));
    EXPECT_EQ(fromXdg.current, "/x/data/Quorvel");
    EXPECT_EQ(fromXdg.data, "/x/config/Quorvel");
    EXPECT_EQ(fromXdg.trash, "/x/data/Trash");
    EXPECT_EQ(fromXdg.temp, "/x/tmp");

    auto vars = base;
    vars["QUORVEL_DATA_DIR"] = "/v/current";
    vars["QUORVEL_PREFS_DIR"] = "/v/prefs";
    vars["QUORVEL_DESKTOP_DIR"] = "/v/desk";
    vars["QUORVEL_TRASH_DIR"] = "/v/trash";
    vars["QUORVEL_TEMP_DIR"] = "/v/temp";
    const auto fromVars = store::resolvePlaces({}, envOf(vars));
    EXPECT_EQ(fromVars.current, "/v/current");
    EXPECT_EQ(fromVars.data, "/v/prefs");
    EXPECT_EQ(fromVars.desktop, "/v/desk");
    EXPECT_EQ(fromVars.trash, "/v/trash");
    EXPECT_EQ(fromVars.temp, "/v/temp");

    const auto fromOptions =
        store::resolvePlaces({"--data-dir", "/o/current", "--prefs-dir=/o/prefs", "--desktop-dir",
                              "/o/desk", "--trash-dir=/o/trash", "--temp-dir", "/o/temp"},
                             envOf(vars));
    EXPECT_EQ(fromOptions.current, "/o/current");
    EXPECT_EQ(fromOptions.data, "/o/prefs");
    EXPECT_EQ(fromOptions.desktop, "/o/desk");
    EXPECT_EQ(fromOptions.trash, "/o/trash");
    EXPECT_EQ(fromOptions.temp, "/o/temp");
}

TEST(Places, DesktopFromUserDirsFile) {
    TempDir dir;
    dir.write("config/user-dirs.dirs", "# comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    const auto p = store::resolvePlaces(
        {}, envOf({{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", (dir / "config").string()}}));
    EXPECT_EQ(p.desktop, "/home/ann/Schreibtisch");
}

TEST(Places, AccountNameIsTheDesktopOwner) {
    TempDir dir;
    const std::string name = store::findAccountName(dir.path());
    EXPECT_FALSE(name.empty());
    // A missing desktop falls back to the account running the program: the same one here.
    EXPECT_EQ(store::findAccountName(dir / "missing"), name);
}

TEST(Trash, MoveWritesTrashInfoAndAvoidsNameClashes) {
    TempDir dir;
    dir.write("docs/report.txt", "one");
    const auto first = store::moveToTrash(dir / "Trash", dir / "docs/report.txt");
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, "report.txt");
    EXPECT_FALSE(std::filesystem::exists(dir / "docs/report.txt"));
    EXPECT_EQ(dir.read("Trash/files/report.txt"), "one");
    const std::string info = dir.read("Trash/info/report.txt.trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=", 0), 0u);
    EXPECT_NE(info.find((dir / "docs/report.txt").string()), std::string::npos);
    EXPECT_NE(info.find("\nDeletionDate="), std::string::npos);

    dir.write("docs/report.txt", "two");
    const auto second = store::moveToTrash(dir / "Trash", dir / "docs/report.txt");
    ASSERT_TRUE(second);
    EXPECT_EQ(*second, "report.2.txt");
    EXPECT_EQ(dir.read("Trash/files/report.2.txt"), "two");
    EXPECT_TRUE(std::filesystem::exists(dir / "Trash/info/report.2.txt.trashinfo"));
    EXPECT_EQ(dir.read("Trash/files/report.txt"), "one");
}

TEST(Trash, PathWithSpacesIsPercentEncoded) {
    TempDir dir;
    dir.write("my docs/a b.txt", "x");
    ASSERT_TRUE(store::moveToTrash(dir / "Trash", dir / "my docs/a b.txt"));
    EXPECT_NE(dir.read("Trash/info/a b.txt.trashinfo").find("my%20docs/a%20b.txt"),
              std::string::npos);
}
