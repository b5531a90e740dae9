#include "records/record_book.hpp"
#include "records_support.hpp"
#include "store/pair_replace.hpp"

#include <gtest/gtest.h>

using namespace quorvel;
using namespace quorvel::records;
using namespace quorvel::records::testing;

namespace {

const Labels kOwnLabels{"Login:", "PIN:", "Branch:", "Memo:"};

} // namespace

TEST_F(RecordsTest, EntriesRoundTripWithMultiLineNotesEmptyValuesAndTheirOwnLabels) {
    createEmptyFiles();
    const EntryValues odd{"", "pä ss\tword", "", "Ünïcode title", "line 1\nline 2\r\nline 3"};
    ASSERT_TRUE(add("Mail").ok);
    ASSERT_TRUE(add("Visa", "Credit Cards", kCardLabels).ok);
    ASSERT_TRUE(book.SavePassword(folder, key, user, "Mine", odd, kOwnLabels).ok);

    // The tables after the adds equal what a fresh load reads.
    RecordBook fresh;
    ASSERT_TRUE(fresh.LoadPassword(folder, key, user).messages.empty());
    EXPECT_EQ(fresh.passDetListBox, book.passDetListBox);
    EXPECT_EQ(fresh.catIndexListBox, book.catIndexListBox);
    ASSERT_EQ(fresh.entryCount(), 3u);
    EXPECT_EQ(fresh.passwordListBox[2].category, "Mine");

    auto shown = fresh.select("ünïcode TITLE");
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->values.value1, "");
    EXPECT_EQ(shown->values.value2, "pä ss\tword");
    EXPECT_EQ(shown->values.value4, "line 1\nline 2\r\nline 3");
    EXPECT_EQ(shown->labels, kOwnLabels);
    EXPECT_EQ(shown->detailSel1, 8u);
    EXPECT_EQ(fresh.select("Visa")->labels, kCardLabels);

    // Seven enciphered lines per entry, nothing in plain text; labels plain, four per entry.
    const std::string stored = dir.read(recordName());
    EXPECT_EQ(store::readLines(dir / recordName()).size(), 21u);
    EXPECT_EQ(stored.find("line 2"), std::string::npos);
    EXPECT_EQ(stored.find("Visa"), std::string::npos);
    EXPECT_EQ(indexLines(), labelRows({kWebLabels, kCardLabels, kOwnLabels}));
}

TEST_F(RecordsTest, DuplicateTitlesOfAnOldFileFollowEachOperationsRule) {
    // Two entries titled "Mail" (possible in files of earlier releases), "Bank" in between.
    writeFiles({entryLines(user, "WebSites", "Mail", "earlier"),
                entryLines(user, "Bank Accounts", "Bank"),
                entryLines(user, "Credit Cards", "MAIL", "later")},
               labelRows({kWebLabels, kOwnLabels, kCardLabels}));
    ASSERT_TRUE(book.LoadPassword(folder, key, user).ok);

    // Selection shows the later one, with its own labels.
    auto shown = book.select("mail");
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->values.value1, "later");
    EXPECT_EQ(shown->labels, kCardLabels);
    EXPECT_EQ(shown->detailSel1, 8u);
    EXPECT_EQ(book.findTitle("Mail", TitleMatch::Every), (std::vector<size_t>{0, 2}));
    EXPECT_EQ(book.findTitle("Mail", TitleMatch::First), (std::vector<size_t>{0}));

    { // Remove takes the earlier.
        RecordBook other;
        other.LoadPassword(folder, key, user);
        const auto before = snapshot();
        ASSERT_TRUE(other.RemovePassword(folder, key, user, "Mail").ok);
        EXPECT_EQ(titlesOnDisk(), (std::vector<std::string>{"Bank", "MAIL"}));
        EXPECT_EQ(indexLines(), labelRows({kOwnLabels, kCardLabels}));
        EXPECT_EQ(other.select("mail")->values.value1, "later");
        // Put the files back for the edit below.
        for (const auto& [name, content] : before) {
            dir.write(name, content);
        }
    }

    // Edit replaces both by one entry, stored last, with the labels of the one shown.
    book.LoadPassword(folder, key, user);
    EntryValues edited{"new user", "new pw", "", "Mail", "new note"};
    ASSERT_TRUE(book.EditPass(folder, key, user, "mail", std::nullopt, edited).ok);
    EXPECT_EQ(titlesOnDisk(), (std::vector<std::string>{"Bank", "Mail"}));
    EXPECT_EQ(indexLines(), labelRows({kOwnLabels, kCardLabels}));
    EXPECT_EQ(book.passwordListBox.back().category, "Credit Cards"); // kept: menu untouched
    EXPECT_EQ(book.select("Mail")->values.value1, "new user");
    EXPECT_TRUE(book.allPassListBox.empty());
}

TEST_F(RecordsTest, EditingTheFirstOfThreeLeavesItLastWithItsLabelsLast) {
    dir.write(kCustomCategoryFile, "Gone\nA:\nB:\nC:\nD:\n");
    book.categories.AddedCustomUpdate(folder);
    writeFiles({entryLines(user, "Gone", "One"), entryLines(user, "WebSites", "Two"),
                entryLines(user, "Credit Cards", "Three")},
               labelRows({kOwnLabels, kWebLabels, kCardLabels}));
    // The category was removed from "._cate" meanwhile.
    dir.write(kCustomCategoryFile, "");
    book.categories.AddedCustomUpdate(folder);
    ASSERT_TRUE(book.LoadPassword(folder, key, user).ok);

    EntryValues values{"u", "p", "w", "One", "n"};
    ASSERT_TRUE(book.EditPass(folder, key, user, "One", std::nullopt, values).ok);
    EXPECT_EQ(titlesOnDisk(), (std::vector<std::string>{"Two", "Three", "One"}));
    EXPECT_EQ(indexLines(), labelRows({kWebLabels, kCardLabels, kOwnLabels}));
    EXPECT_EQ(book.passwordListBox.back().category, "Gone"); // kept although no longer offered

    // A category chosen in the menu is stored; the labels stay.
    ASSERT_TRUE(book.EditPass(folder, key, user, "two", std::string("Serial Numbers"),
                              {"u", "p", "w", "Two", "n"})
                    .ok);
    RecordBook fresh;
    fresh.LoadPassword(folder, key, user);
    EXPECT_EQ(fresh.passwordListBox.back().category, "Serial Numbers");
    EXPECT_EQ(fresh.select("Two")->labels, kWebLabels);
    EXPECT_EQ(fresh.select("One")->labels, kOwnLabels);
}

TEST_F(RecordsTest, TitleCheckCoversEveryEntryWhateverTheFilterShows) {
    createEmptyFiles();
    add("Netflix");
    add("Visa", "Credit Cards", kCardLabels);
    // The filter on "Credit Cards" hides "Netflix"; the title is still taken.
    EXPECT_EQ(book.filter("credit cards").size(), 1u);
    EXPECT_TRUE(book.titleTaken("NETFLIX"));
    EXPECT_TRUE(book.titleTaken(""));
    EXPECT_FALSE(book.titleTaken("Netflix 2"));
}

TEST_F(RecordsTest, FilterNarrowsByCategoryAndSortsByTitleIgnoringCase) {
    createEmptyFiles();
    for (const auto& [title, category] :
         std::vector<std::pair<std::string, std::string>>{{"beta", "WebSites"},
                                                          {"Alpha", "Credit Cards"},
                                                          {"alpha", "WebSites"},
                                                          {"Gamma", "Custom"},
                                                          {"ALPHA", "websites"}}) {
        ASSERT_TRUE(add(title, category).ok);
    }
    const auto titles = [](const std::vector<ListRow>& rows) {
        std::vector<std::string> t;
        for (const auto& r : rows) {
            t.push_back(r.title);
        }
        return t;
    };
    // Equal titles keep file order.
    EXPECT_EQ(titles(book.filter("All")),
              (std::vector<std::string>{"Alpha", "alpha", "ALPHA", "beta", "Gamma"}));
    EXPECT_EQ(titles(book.filter("WebSites")),
              (std::vector<std::string>{"alpha", "ALPHA", "beta"}));
    EXPECT_EQ(titles(book.filter("custom")), (std::vector<std::string>{"Gamma"}));
    EXPECT_TRUE(book.filter("Bank Accounts").empty());
}

TEST_F(RecordsTest, LoadShowsWhatCanBeShownAndTheNextWritesLoseNothing) {
    const store::Key otherKey = makeKey(9);
    // A stray line under another key, two entries, a third cut short after its title, then a
    // torn line; an index holding only the first entry's labels.
    std::string record = store::encryptLine(otherKey, "someone") + "\n";
    for (const auto& e :
         {entryLines(user, "Credit Cards", "Visa"), entryLines(user, "Nobody knows", "Odd")}) {
        for (const auto& v : e) {
            record += store::encryptLine(key, v) + "\n";
        }
    }
    for (const auto& v : {user, std::string("WebSites"), std::string("a"), std::string("b"),
                          std::string("c"), std::string("Short")}) {
        record += store::encryptLine(key, v) + "\n";
    }
    record += store::encryptLine(key, "torn").substr(0, 10);
    dir.write(recordName(), record);
    dir.write(indexName(), text::joinLines(labelRows({kOwnLabels})) + "Extra");

    ASSERT_TRUE(book.LoadPassword(folder, key, user).messages.empty());
    ASSERT_EQ(book.entryCount(), 3u);
    EXPECT_EQ(book.select("Visa")->labels, kOwnLabels);
    EXPECT_EQ(book.select("Odd")->labels, kWebLabels); // unknown category: "WebSites" labels
    EXPECT_EQ(book.select("Short")->values.value4, "");
    EXPECT_EQ(book.catIndexListBox.size(), 12u);

    // An add after it: the torn lines are cut, the short entry is filled up, the index
    // completed, and the new entry shows its own labels.
    ASSERT_TRUE(add("New", "Mine", kCardLabels).ok);
    RecordBook fresh;
    fresh.LoadPassword(folder, key, user);
    EXPECT_EQ(titlesOnDisk(), (std::vector<std::string>{"Visa", "Odd", "Short", "New"}));
    EXPECT_EQ(fresh.select("New")->labels, kCardLabels);
    EXPECT_EQ(fresh.select("Visa")->labels, kOwnLabels);
    EXPECT_EQ(fresh.passDetListBox, book.passDetListBox);
    // The stray line is kept as stored.
    EXPECT_EQ(store::readLines(dir / recordName()).front(), record.substr(0, record.find('\n')));

    // A removal keeps everything else, the stray line included.
    ASSERT_TRUE(fresh.RemovePassword(folder, key, user, "odd").ok);
    EXPECT_EQ(titlesOnDisk(), (std::vector<std::string>{"Visa", "Short", "New"}));
    EXPECT_EQ(store::readLines(dir / recordName()).size(), 1u + 21u);
    EXPECT_EQ(indexLines(), labelRows({kOwnLabels, kWebLabels, kCardLabels}));
}

TEST_F(RecordsTest, IndexRowsBeyondTheLastEntryAreIgnoredAndDroppedAtTheNextWrite) {
    writeFiles({entryLines(user, "WebSites", "One")}, labelRows({kOwnLabels, kCardLabels}));
    ASSERT_TRUE(book.LoadPassword(folder, key, user).ok);
    EXPECT_EQ(book.catIndexListBox, labelRows({kOwnLabels}));
    ASSERT_TRUE(add("Two", "WebSites", kWebLabels).ok);
    EXPECT_EQ(indexLines(), labelRows({kOwnLabels, kWebLabels}));
}

TEST_F(RecordsTest, AnAddThatFailsHalfWayLeavesBothFilesAsBefore) {
    createEmptyFiles();
    ASSERT_TRUE(add("Existing").ok);
    struct Case {
        const char* step;
        bool indexFile;
        std::string_view message;
    };
    for (const Case& c : {Case{"open", false, record_text::kSaveProblem},
                          Case{"write", false, record_text::kSaveProblem},
                          Case{"fsync", false, record_text::kSaveProblem},
                          Case{"open", true, record_text::kInvalidPath},
                          Case{"write", true, record_text::kInvalidPath},
                          Case{"fsync", true, record_text::kInvalidPath}}) {
        SCOPED_TRACE(std::string(c.step) + (c.indexFile ? " index" : " record"));
        const auto before = snapshot();
        const std::string target = c.indexFile ? indexName() : recordName();
        Outcome out;
        {
            FaultGuard guard([&](std::string_view step, const std::filesystem::path& p) {
                return step == c.step && p.filename() == target;
            });
            out = add("New");
        }
        EXPECT_FALSE(out.ok);
        EXPECT_EQ(out.messages, (Messages{std::string(c.message)}));
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(book.entryCount(), 1u);
    }
    // A refused choice stores nothing either.
    const auto before = snapshot();
    EXPECT_EQ(add("New", "").messages, (Messages{std::string(record_text::kSaveChoiceProblem)}));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(RecordsTest, AKilledEditOrRemovalShowsTheOldOrTheNewStateNeverAMix) {
    writeFiles({entryLines(user, "WebSites", "One"), entryLines(user, "Credit Cards", "Two")},
               labelRows({kWebLabels, kCardLabels}));
    book.LoadPassword(folder, key, user);
    const auto oldState = snapshot();

    // The failure points of a removal stand for a kill there: before the marker the old state
    // stays, after it the next load completes the new one.
    struct Case {
        const char* step;
        std::string file; // path the fault applies to
        bool expectNew;
    };
    const std::string sideRecord = store::pairSideName(recordName());
    const std::string sideIndex = store::pairSideName(indexName());
    const std::string marker = savingMarkerName(user);
    for (const Case& c : {Case{"write", sideRecord, false}, Case{"rename", sideIndex, false},
                          Case{"write", marker, false}, Case{"rename", recordName(), true},
                          Case{"rename", indexName(), true}}) {
        SCOPED_TRACE(std::string(c.step) + " " + c.file);
        for (const auto& [name, content] : oldState) {
            dir.write(name, content);
        }
        RecordBook working;
        working.LoadPassword(folder, key, user);
        {
            FaultGuard guard([&](std::string_view step, const std::filesystem::path& p) {
                return step == c.step && p.filename() == c.file;
            });
            EXPECT_FALSE(working.RemovePassword(folder, key, user, "One").ok);
        }
        const auto expected =
            c.expectNew ? std::vector<std::string>{"Two"} : std::vector<std::string>{"One", "Two"};
        RecordBook next;
        ASSERT_TRUE(next.LoadPassword(folder, key, user).ok);
        EXPECT_EQ(titlesOnDisk(), expected);
        EXPECT_EQ(next.catIndexListBox,
                  c.expectNew ? labelRows({kCardLabels}) : labelRows({kWebLabels, kCardLabels}));
        // Nothing of the replace is left over.
        EXPECT_EQ(snapshot().size(), 2u);
    }
}

TEST_F(RecordsTest, TheLongestUserNameCanEditAndRemove) {
    // "._catIndex" + name just fits a file name; the replace's own files must fit too.
    user = std::string(245, 'n');
    writeFiles({entryLines(user, "WebSites", "One"), entryLines(user, "Credit Cards", "Two")},
               labelRows({kWebLabels, kCardLabels}));
    ASSERT_TRUE(book.LoadPassword(folder, key, user).ok);
    EntryValues values{"u", "p", "w", "One", "n"};
    EXPECT_TRUE(book.EditPass(folder, key, user, "One", std::nullopt, values).ok);
    EXPECT_EQ(titlesOnDisk(), (std::vector<std::string>{"Two", "One"}));
    EXPECT_TRUE(book.RemovePassword(folder, key, user, "Two").ok);
    EXPECT_EQ(titlesOnDisk(), std::vector<std::string>{"One"});
    EXPECT_EQ(indexLines(), labelRows({kWebLabels}));
}

TEST_F(RecordsTest, ALeftoverMarkerIsFinishedBeforeLoadingOrAppending) {
    writeFiles({entryLines(user, "WebSites", "Old")}, labelRows({kWebLabels}));
    // Killed right after the marker was written: both side files complete, nothing renamed.
    const std::string newRecord =
        store::encryptLine(key, user) + "\n" + store::encryptLine(key, "Credit Cards") + "\n" +
        store::encryptLine(key, "a") + "\n" + store::encryptLine(key, "b") + "\n" +
        store::encryptLine(key, "c") + "\n" + store::encryptLine(key, "New") + "\n" +
        store::encryptLine(key, "d") + "\n";
    dir.write(store::pairSideName(recordName()), newRecord);
    dir.write(store::pairSideName(indexName()), text::joinLines(labelRows({kCardLabels})));
    dir.write(savingMarkerName(user), text::joinLines({recordName(), indexName()}));

    // An add first settles it, so the new entry follows the finished state.
    ASSERT_TRUE(add("Added").ok);
    EXPECT_EQ(titlesOnDisk(), (std::vector<std::string>{"New", "Added"}));
    EXPECT_EQ(indexLines(), labelRows({kCardLabels, kWebLabels}));
    EXPECT_EQ(snapshot().size(), 2u);

    // Side files without a marker are a replace that never began: dropped, old state kept.
    dir.write(store::pairSideName(recordName()), "junk\n");
    ASSERT_TRUE(book.LoadPassword(folder, key, user).ok);
    EXPECT_EQ(book.entryCount(), 2u);
    EXPECT_EQ(snapshot().size(), 2u);
}

TEST_F(RecordsTest, MissingFilesAndNobodySignedIn) {
    // A missing record file is no error; nobody signed in loads nothing, not even the shared
    // file of earlier releases.
    EXPECT_TRUE(book.LoadPassword(folder, key, user).messages.empty());
    RecordBook::EncryptUserData(folder, key, "", entryLines("", "WebSites", "Shared"));
    EXPECT_TRUE(book.LoadPassword(folder, key, "").messages.empty());
    EXPECT_EQ(book.entryCount(), 0u);
    // A name that cannot refer to a file.
    EXPECT_EQ(book.LoadPassword(folder, key, "a/b").messages,
              (Messages{std::string(record_text::kLoadProblem)}));

    // Edit and removal of a missing record file say so and write what the operation adds.
    EXPECT_EQ(book.RemovePassword(folder, key, user, "X").messages,
              (Messages{std::string(record_text::kNoDataFile)}));
    EXPECT_EQ(dir.read(recordName()), "");
    EXPECT_EQ(dir.read(indexName()), "");
    store::removeFile(dir / recordName());
    EXPECT_EQ(book.EditPass(folder, key, user, "X", std::string("Credit Cards"),
                            {"a", "b", "c", "X", "d"})
                  .messages,
              (Messages{std::string(record_text::kNoDataFile)}));
    EXPECT_EQ(titlesOnDisk(), (std::vector<std::string>{"X"}));
    EXPECT_EQ(indexLines(), labelRows({kCardLabels}));

    // Removing the only entry leaves both files there and empty.
    ASSERT_TRUE(book.RemovePassword(folder, key, user, "x").ok);
    EXPECT_EQ(dir.read(recordName()), "");
    EXPECT_EQ(dir.read(indexName()), "");
    EXPECT_TRUE(store::exists(dir / recordName()));
}

TEST_F(RecordsTest, RemovingATitleNoLongerThereRewritesTheSameValues) {
    writeFiles({entryLines(user, "WebSites", "One")}, labelRows({kOwnLabels}));
    book.LoadPassword(folder, key, user);
    const auto before = book.passDetListBox;
    ASSERT_TRUE(book.RemovePassword(folder, key, user, "Gone").ok);
    EXPECT_EQ(book.passDetListBox, before);
    EXPECT_EQ(indexLines(), labelRows({kOwnLabels}));
}

TEST_F(RecordsTest, ClearEmptiesTheUsersTablesButKeepsTheCategories) {
    dir.write(kCustomCategoryFile, "Pets\nName:\nBlank\nBlank\nBlank\n");
    book.categories.AddedCustomUpdate(folder);
    createEmptyFiles();
    add("One");
    book.clear();
    EXPECT_EQ(book.entryCount(), 0u);
    EXPECT_TRUE(book.passDetListBox.empty());
    EXPECT_TRUE(book.catIndexListBox.empty());
    EXPECT_EQ(book.categories.catPopupMenu.back(), "Pets");
    // The book reloads cleanly after a clear.
    EXPECT_TRUE(add("Two").ok);
    EXPECT_EQ(book.entryCount(), 2u);
}
