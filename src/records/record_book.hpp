#pragma once
// The signed-in user's entries, their labels and the custom categories, as plain tables, and
// the operations that keep the record file, the category index and the tables in step.
//
// Files of the current folder, for a user named anna:
//   "._pass.accanna"   the entries: seven enciphered lines each (owner, category, value 1,
//                      value 2, value 3, title, value 4); a line deciphering to the owner's name
//                      starts an entry, any other line between entries is passed over.
//   "._catIndexanna"   four plain label lines per entry, in the order of the entries.
//   "._savinganna"     present only while an edit or a removal replaces both files together.
//   "._pass.acc"       the shared file of earlier releases, read once by the migration.
//
// Invariant kept by every operation: entry k of the record file, rows 5k..5k+4 of
// passDetListBox, row k of passwordListBox and rows 4k..4k+3 of catIndexListBox describe the
// same entry. Loading completes an index that is short (a save cut short, an old file) by the
// label rule of Categories::labelsFor and ignores rows beyond the last entry; the next write
// stores the completed index.
//
// Typical calls from the window:
//   sign-in:    IndexData(folder, key, user) (quit when quitRequested), LoadPassword(...)
//   "Done" add: titleTaken(title) ? ask Retry/Cancel : SavePassword(...)
//   "Done" edit: EditPass(..., selectedTitle, chosen category or nullopt, values)
//   Remove:     RemovePassword(..., selectedTitle)
//   list:       filter(PopupMenu1 row text), select(title) for the selected row
//   sign-out:   clear() (the categories stay; the window reloads them with AddedCustomUpdate)
// Every operation leaves the tables reloaded; an extra LoadPassword afterwards is harmless.

#include "records/categories.hpp"
#include "store/cipher.hpp"
#include "store/files.hpp"
#include "text/text.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quorvel::records {

// Message texts shown by the operations.
namespace record_text {
inline constexpr std::string_view kNoDataFile = "The data file does not exist!";
inline constexpr std::string_view kLoadProblem = "Problem loading user information....";
inline constexpr std::string_view kSaveProblem = "Problem with Saving Entry, please try again..";
inline constexpr std::string_view kSaveChoiceProblem =
    "Problem with Saving Entry, remove entry and try again..";
inline constexpr std::string_view kEditProblem = "Problem with saving entry...";
inline constexpr std::string_view kInvalidPath = "Invalid pathname!";
inline constexpr std::string_view kNoCategories = "Can't open find categories!";
inline constexpr std::string_view kMigrated =
    "Database has been updated, please restart Quorvel Pro.";
inline constexpr std::string_view kTitleRefused =
    "Entry Title is blank or the same as another entry!";
} // namespace record_text

inline constexpr std::string_view kRecordFilePrefix = "._pass.acc";
inline constexpr std::string_view kIndexFilePrefix = "._catIndex";
inline constexpr std::string_view kSavingMarkerPrefix = "._saving";
inline constexpr std::string_view kSharedRecordFile = "._pass.acc";

// What an operation has to show, in order, and what the window does next.
struct Outcome {
    Messages messages;
    bool ok = true;             // the operation did what it was asked
    bool quitRequested = false; // the migration moved entries: quit after the message
};

// The five values of an entry as the Records tab shows them.
struct EntryValues {
    std::string value1; // PassUserEditField
    std::string value2; // PasswordEditField
    std::string value3; // PassUrlEditField
    std::string title;  // WebNameEditField
    std::string value4; // PassNoteEditField
};

// A row of the list: column 0 "Title", column 1 "Category".
struct ListRow {
    std::string title;
    std::string category;
};

// Which entries of a title a lookup takes: the first in file order (removal), every one (edit),
// the last (selection and printing).
enum class TitleMatch { First, Every, Last };

// Entry numbers (file order) whose title equals title, letter case ignored, per mode. titleAt(k)
// gives the title of entry k for k < count; no other value is ever compared.
template <class TitleAt>
std::vector<size_t> findTitleIn(size_t count, TitleAt titleAt, std::string_view title,
                                TitleMatch mode);

// What the Records tab shows for a selected title.
struct Selection {
    size_t entry = 0;      // k
    EntryValues values;    // rows 5k..5k+4 of passDetListBox
    Labels labels;         // rows 4k..4k+3 of catIndexListBox
    size_t detailSel1 = 0; // 4k
    std::string category;  // the entry's stored category
};

class RecordBook {
public:
    // Custom categories and the menus' rows: shared by all users, left alone by clear().
    Categories categories;

    // Five rows per entry in file order: value 1, value 2, value 3, title, value 4.
    std::vector<std::string> passDetListBox;
    // One row per entry, in file order (filter() gives the rows the list shows).
    std::vector<ListRow> passwordListBox;
    // Scratch of EditPass and RemovePassword; empty between operations.
    std::vector<std::string> allPassListBox;
    // Four label rows per entry, exactly 4 x the number of entries after every operation.
    std::vector<std::string> catIndexListBox;

    // Empties every table of the signed-in user (sign-out).
    void clear();

    size_t entryCount() const { return passwordListBox.size(); }

    // Loads the user's entries and labels, first finishing an edit or removal that a kill cut
    // short. An empty user (nobody signed in) loads nothing. A record file whose name cannot
    // be formed gives "Problem loading user information...." and loads nothing; a missing one
    // loads no entries. The tables are replaced, not appended to.
    Outcome LoadPassword(const store::Folder& folder, const store::Key& key, std::string_view user);

    // Reads the user's index into catIndexListBox, completed or cut to four rows per loaded
    // entry. A name that cannot be formed gives "Can't open find categories!".
    Outcome LoadCatIndex(const store::Folder& folder, std::string_view user);

    // Appends a new entry: its seven lines in one flushed write, then its four labels. A
    // record or index file with a torn last line is cut back first, and a short index is
    // completed so the new labels land on the new entry. On a failure both files return to
    // their former length: "Problem with Saving Entry, please try again.." (record file) or
    // "Invalid pathname!" (index). An empty category or label gives "Problem with Saving Entry,
    // remove entry and try again..". The title is not checked here: see titleTaken.
    Outcome SavePassword(const store::Folder& folder, const store::Key& key, std::string_view user,
                         std::string_view category, const EntryValues& values,
                         const Labels& labels);

    // Replaces every entry titled selectedTitle by one entry with the new values, stored last,
    // with the labels of the entry the tab showed (the last of that title). category is the
    // row chosen in the menu, or nullopt when the menu was not touched: the entry then keeps
    // its stored category. Both files are replaced together. A missing record file gives "The
    // data file does not exist!" and stores the edited entry alone.
    Outcome EditPass(const store::Folder& folder, const store::Key& key, std::string_view user,
                     std::string_view selectedTitle, const std::optional<std::string>& category,
                     const EntryValues& values);

    // Removes the first entry titled selectedTitle with its four labels; both files are
    // replaced together (also when nothing matches).
    Outcome RemovePassword(const store::Folder& folder, const store::Key& key,
                           std::string_view user, std::string_view selectedTitle);

    // One-time migration at sign-in, for a user without an index file: moves the user's
    // entries of the shared "._pass.acc" into the user's record file (after any entries it
    // already holds) with four labels each by the label rule, shows "Database has been updated,
    // please restart Quorvel Pro." and requests quit. Without such entries it only writes the
    // index file. Leaves the tables empty.
    Outcome IndexData(const store::Folder& folder, const store::Key& key, std::string_view user);

    // Writes the user's index file anew (atomically) from catIndexListBox.
    std::error_code SaveCatIndex(const store::Folder& folder, std::string_view user) const;

    // Appends rows to the user's index file; "Invalid pathname!" when that fails.
    static Outcome SaveCatIndexUpdate(const store::Folder& folder, std::string_view user,
                                      const std::vector<std::string>& rows);

    // Appends the four built-in labels of category to catIndexListBox; false (and nothing
    // appended) for a name that is not built in.
    bool indexAll(std::string_view category);

    // Writes the user's record file anew (atomically): every line enciphered, in order.
    static std::error_code EncryptUserData(const store::Folder& folder, const store::Key& key,
                                           std::string_view user,
                                           const std::vector<std::string>& lines);

    // Title lookup over the loaded entries.
    std::vector<size_t> findTitle(std::string_view title, TitleMatch mode) const;

    // True when a new entry may not take this title: it is empty, or any entry of the user
    // (whatever the filter shows) has it, letter case ignored.
    bool titleTaken(std::string_view title) const;

    // The rows the list shows for the filter's row text: "All" keeps every row, any other text
    // keeps the rows of that category (letter case ignored); sorted by title, letter case
    // ignored, equal titles in file order.
    std::vector<ListRow> filter(std::string_view categoryRowText) const;

    // The entry shown for a selected title (the last entry of that title), or nullopt.
    std::optional<Selection> select(std::string_view title) const;

private:
    struct DiskState {
        bool valid = false;
        std::string user;
        std::string root;
        std::uintmax_t recordBytes = 0; // whole lines of the record file
        std::uintmax_t indexBytes = 0;  // whole lines of the index file
        size_t padLines = 0;            // lines missing from a last entry cut short
        size_t indexRows = 0;           // whole rows in the index file
    };
    DiskState disk_;

    // Fills passDetListBox and passwordListBox from deciphered lines, moving the values out.
    void fillTables(std::vector<std::string>& plain, std::string_view user, size_t* padLines);
    // Replaces both files with the new content and, when that worked, the tables with it.
    Outcome commitRewrite(const store::Folder& folder, const store::Key& key, std::string_view user,
                          const std::string& record, std::vector<std::string>& plain,
                          const std::vector<std::string>& index, bool edit);
};

// Marker, record and index file names of a user.
std::string recordFileName(std::string_view user);
std::string indexFileName(std::string_view user);
std::string savingMarkerName(std::string_view user);

// Settles an edit or removal of that user which a kill cut short (see store/pair_replace.hpp).
// User management calls it before renaming, re-keying or removing the user's files.
std::error_code finishInterruptedSave(const store::Folder& folder, std::string_view user);

template <class TitleAt>
std::vector<size_t> findTitleIn(size_t count, TitleAt titleAt, std::string_view title,
                                TitleMatch mode) {
    std::vector<size_t> found;
    for (size_t k = 0; k < count; ++k) {
        if (!text::equalsIgnoreCase(titleAt(k), title)) {
            continue;
        }
        if (mode == TitleMatch::First) {
            return {k};
        }
        if (mode == TitleMatch::Last) {
            found.assign(1, k);
        } else {
            found.push_back(k);
        }
    }
    return found;
}

} // namespace quorvel::records
