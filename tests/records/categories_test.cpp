#include "records/categories.hpp"
#include "records/record_book.hpp"
#include "records/web_address.hpp"
#include "records_support.hpp"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::records;
using namespace quorvel::records::testing;

TEST_F(RecordsTest, MigrationMovesTheUsersEntriesOfTheSharedFileWithFourLabelsEach) {
    dir.write(kCustomCategoryFile, "Pets\nName:\nblank\nVet:\nBLANK\n");
    book.categories.AddedCustomUpdate(folder);
    // The shared file: anna's entries among another user's lines (under another key).
    const store::Key bobKey = makeKey(3);
    std::string shared;
    const auto put = [&](const store::Key& k, const std::vector<std::string>& lines) {
        for (const auto& l : lines) {
            shared += store::encryptLine(k, l) + "\n";
        }
    };
    put(key, entryLines(user, "WebSites", "Mail"));
    put(bobKey, entryLines("bob", "WebSites", "Bob's"));
    put(key, entryLines("ANNA", "websites", "Shop"));
    put(key, entryLines(user, "Credit Cards", "Visa"));
    put(key, entryLines(user, "Pets", "Rex"));
    put(key, entryLines(user, "Unheard of", "Misc"));
    dir.write(kSharedRecordFile, shared);
    dir.write(recordName(), "");

    Outcome out = book.IndexData(folder, key, user);
    EXPECT_EQ(out.messages, (Messages{std::string(record_text::kMigrated)}));
    EXPECT_TRUE(out.quitRequested);
    EXPECT_EQ(dir.read(kSharedRecordFile), shared); // only ever read
    EXPECT_EQ(
        indexLines(),
        labelRows({kWebLabels, kWebLabels, kCardLabels, {"Name:", "", "Vet:", ""}, kWebLabels}));

    // The next sign-in loads them normally and migrates nothing more.
    out = book.IndexData(folder, key, user);
    EXPECT_TRUE(out.messages.empty());
    EXPECT_FALSE(out.quitRequested);
    ASSERT_TRUE(book.LoadPassword(folder, key, user).messages.empty());
    EXPECT_EQ(titlesOnDisk(), (std::vector<std::string>{"Mail", "Shop", "Visa", "Rex", "Misc"}));
    EXPECT_EQ(book.select("Rex")->labels, (Labels{"Name:", "", "Vet:", ""}));
    EXPECT_EQ(book.select("Visa")->labels, kCardLabels);

    // A user with no entries readable in the shared file gets an empty index and no message.
    RecordBook bobs;
    out = bobs.IndexData(folder, makeKey(4), "bob");
    EXPECT_TRUE(out.messages.empty());
    EXPECT_FALSE(out.quitRequested);
    EXPECT_TRUE(store::exists(dir / indexFileName("bob")));
    EXPECT_EQ(dir.read(indexFileName("bob")), "");
}

TEST_F(RecordsTest, MigrationKeepsEntriesTheUsersOwnFileAlreadyHolds) {
    writeFiles({entryLines(user, "Credit Cards", "Own")}, {});
    store::removeFile(dir / indexName());
    RecordBook::EncryptUserData(folder, key, "", entryLines(user, "WebSites", "Moved"));
    ASSERT_TRUE(book.IndexData(folder, key, user).quitRequested);
    EXPECT_EQ(titlesOnDisk(), (std::vector<std::string>{"Own", "Moved"}));
    EXPECT_EQ(indexLines(), labelRows({kCardLabels, kWebLabels}));
}

TEST(Categories, MenusListBuiltInThenCustomNamesInFileOrder) {
    test::TempDir dir;
    store::Folder folder(dir.path());
    Categories cats;
    cats.AddedCustomUpdate(folder); // no file: built-in rows only
    EXPECT_EQ(cats.catPopupMenu,
              (std::vector<std::string>{"WebSites", "Bank Accounts", "Credit Cards",
                                        "Serial Numbers", "Frequent Flyers"}));
    EXPECT_EQ(cats.popupMenu1.front(), "All");
    EXPECT_EQ(cats.popupMenu1.size(), 6u);

    // Seven lines: the second category is cut short; it still shows, with blank labels.
    dir.write("._cate", "Pets\nName:\nBlank\nVet:\nBlank\nCars\nPlate:\n");
    cats.AddedCustomUpdate(folder);
    EXPECT_EQ(cats.catPopupMenu.size(), 7u);
    EXPECT_EQ(cats.catPopupMenu[5], "Pets");
    EXPECT_EQ(cats.popupMenu1[7], "Cars");
    EXPECT_EQ(cats.labelsFor("cars"), (Labels{"Plate:", "", "", ""}));
    EXPECT_EQ(cats.labelsFor("credit cards"), kCardLabels);
    EXPECT_EQ(cats.labelsFor("anything"), kWebLabels);
    EXPECT_EQ(cats.menuRowFor("PETS"), 5);
    EXPECT_FALSE(cats.menuRowFor("All"));

    // Adding to it completes the short category first; nothing already there is lost.
    EXPECT_TRUE(cats.addCategory(folder, "Boats", {"Hull:", "", "", ""}).empty());
    EXPECT_EQ(store::readLines(dir / "._cate"),
              (std::vector<std::string>{"Pets", "Name:", "Blank", "Vet:", "Blank", "Cars",
                                        "Plate:", "Blank", "Blank", "Blank", "Boats",
                                        "Hull:", "Blank", "Blank", "Blank"}));
    EXPECT_EQ(cats.catPopupMenu.back(), "Boats");
}

TEST(Categories, CustomLabelsJoinTheLabelMenusOnceAndBlankNever) {
    test::TempDir dir;
    store::Folder folder(dir.path());
    dir.write("._cate", "Loans\nAccount No:\nBlank\nBranch:\nbLaNk\n"
                        "Boats\naccount no:\nPIN:\nBRANCH:\nBlank\n");
    Categories cats;
    const auto fixed = cats.labelMenus;
    cats.AddedCustomUpdate(folder);
    cats.CustomAdded(6);
    EXPECT_EQ(cats.category, 6);
    EXPECT_EQ(cats.chosenCategory(), "Boats");
    EXPECT_EQ(cats.labelMenus[0], fixed[0]); // "Account No:" was offered already
    EXPECT_EQ(cats.labelMenus[1].back(), "PIN:");
    EXPECT_EQ(cats.labelMenus[2].size(), fixed[2].size() + 1);
    EXPECT_EQ(cats.labelMenus[2].back(), "Branch:");
    EXPECT_EQ(cats.labelMenus[3], fixed[3]);
    // Choosing again adds nothing more; the menus keep their rows when "._cate" loses them.
    cats.CustomAdded(0);
    dir.write("._cate", "");
    cats.AddedCustomUpdate(folder);
    cats.CustomAdded(0);
    EXPECT_EQ(cats.labelMenus[2].size(), fixed[2].size() + 1);
    EXPECT_EQ(cats.labelMenus[1].size(), fixed[1].size() + 1);
}

TEST(Categories, AddingAndRemovingRefuseWhatWouldBreakTheFile) {
    test::TempDir dir;
    store::Folder folder(dir.path());
    Categories cats;
    ASSERT_TRUE(cats.addCategory(folder, "Pets", {"Name:", "", "Vet:", ""}).empty());
    EXPECT_EQ(store::readLines(dir / "._cate"),
              (std::vector<std::string>{"Pets", "Name:", "Blank", "Vet:", "Blank"}));
    EXPECT_EQ(cats.popupMenu1.back(), "Pets");

    struct Case {
        std::string name;
        Labels labels;
        std::string_view refusal;
    };
    for (const Case& c :
         {Case{"", {}, category_text::kNameEmpty}, Case{"all", {}, category_text::kNameAll},
          Case{"credit CARDS", {}, category_text::kNameTaken},
          Case{"PETS", {}, category_text::kNameTaken},
          Case{"Two\nlines", {}, category_text::kLineBreak},
          Case{"Fine", {"a", "b\r", "c", "d"}, category_text::kLineBreak}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cats.addCategory(folder, c.name, c.labels), (Messages{std::string(c.refusal)}));
    }
    EXPECT_EQ(store::readLines(dir / "._cate").size(), 5u);

    ASSERT_TRUE(cats.addCategory(folder, "Cars", {"Plate:", "", "", ""}).empty());
    EXPECT_EQ(cats.removeCategory(folder, "Boats"),
              (Messages{std::string(category_text::kNotCustom)}));
    EXPECT_EQ(cats.removeCategory(folder, "WebSites"),
              (Messages{std::string(category_text::kNotCustom)}));
    ASSERT_TRUE(cats.removeCategory(folder, "pets").empty());
    EXPECT_EQ(store::readLines(dir / "._cate"),
              (std::vector<std::string>{"Cars", "Plate:", "Blank", "Blank", "Blank"}));
    EXPECT_EQ(cats.catPopupMenu.back(), "Cars");

    // A failed write changes nothing, in the file or the table.
    FaultGuard guard(
        [](std::string_view step, const std::filesystem::path&) { return step == "write"; });
    EXPECT_EQ(cats.addCategory(folder, "Boats", {}),
              (Messages{std::string(category_text::kSaveFailed)}));
    EXPECT_EQ(cats.catListBox.size(), 5u);
}

TEST(WebAddress, OnlyWebAddressesAreOpened) {
    struct Case {
        const char* text;
        std::optional<std::string> opened;
    };
    for (const Case& c : {
             Case{"http://example.org/a?b=c", "http://example.org/a?b=c"},
             Case{"HTTPS://Example.org", "HTTPS://Example.org"},
             Case{"  https://example.org/x  ", "https://example.org/x"},
             Case{"www.example.org", "http://www.example.org"},
             Case{"example.co.uk:8080/login", "http://example.co.uk:8080/login"},
             Case{"192.168.1.1", "http://192.168.1.1"},
             Case{"", std::nullopt},
             Case{"http://", std::nullopt},
             Case{"https:///etc/passwd", std::nullopt},
             Case{"file:///etc/passwd", std::nullopt},
             Case{"/Applications/Calculator.app", std::nullopt},
             Case{"~/secret.txt", std::nullopt},
             Case{"javascript:alert(1)", std::nullopt},
             Case{"mailto:a@example.org", std::nullopt},
             Case{"localhost", std::nullopt},
             Case{"-oProxy=x.example.org", std::nullopt},
             Case{"www.example.org/a b", std::nullopt},
             Case{"example..org", std::nullopt},
             Case{"C:\\Windows\\calc.exe", std::nullopt},
             Case{"ftp://example.org", std::nullopt},
         }) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(webAddressToOpen(c.text), c.opened);
    }
}
