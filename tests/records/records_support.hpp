#pragma once
// Shared fixture of the records tests: a fresh current folder, a fixed user-data key and helpers
// that write and read the user's files directly.

#include "records/record_book.hpp"
#include "store/cipher.hpp"
#include "store/files.hpp"
#include "text/text.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace quorvel::records::testing {

struct FaultGuard {
    explicit FaultGuard(store::FaultHook hook) { store::setFaultHook(std::move(hook)); }
    ~FaultGuard() { store::setFaultHook(nullptr); }
};

inline store::Key makeKey(unsigned char fill) {
    unsigned char bytes[store::Key::kSize];
    for (auto& b : bytes) {
        b = fill;
    }
    return store::Key::fromBytes(bytes);
}

// An entry as lines of the record file: owner, category, value 1..3, title, value 4.
inline std::vector<std::string> entryLines(const std::string& owner, const std::string& category,
                                           const std::string& title,
                                           const std::string& value1 = "v1") {
    return {owner, category, value1, "secret", "www.example.org", title, "note"};
}

class RecordsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    store::Folder folder{dir.path()};
    store::Key key = makeKey(7);
    std::string user = "anna";
    RecordBook book;

    std::string recordName() const { return recordFileName(user); }
    std::string indexName() const { return indexFileName(user); }

    // Writes the record file from plain lines (each enciphered) and the index as given.
    void writeFiles(const std::vector<std::vector<std::string>>& entries,
                    const std::vector<std::string>& index) {
        std::vector<std::string> lines;
        for (const auto& e : entries) {
            lines.insert(lines.end(), e.begin(), e.end());
        }
        ASSERT_FALSE(RecordBook::EncryptUserData(folder, key, user, lines));
        dir.write(indexName(), text::joinLines(index));
    }

    void createEmptyFiles() {
        dir.write(recordName(), "");
        dir.write(indexName(), "");
    }

    Outcome add(const std::string& title, const std::string& category = "WebSites",
                const Labels& labels = {"Username:", "Password:", "Website Address:", "Notes:"},
                EntryValues values = {"user", "pw", "www.example.org", "", "note"}) {
        values.title = title;
        return book.SavePassword(folder, key, user, category, values, labels);
    }

    std::vector<std::string> indexLines() const { return store::readLines(dir / indexName()); }

    // The titles of the entries as a fresh load finds them, in file order.
    std::vector<std::string> titlesOnDisk() const {
        RecordBook fresh;
        fresh.LoadPassword(folder, key, user);
        std::vector<std::string> titles;
        for (const auto& row : fresh.passwordListBox) {
            titles.push_back(row.title);
        }
        return titles;
    }

    // Every file of the folder with its content.
    std::vector<std::pair<std::string, std::string>> snapshot() const {
        std::vector<std::pair<std::string, std::string>> files;
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
            files.emplace_back(e.path().filename().string(),
                               dir.read(e.path().filename().string()));
        }
        std::sort(files.begin(), files.end());
        return files;
    }
};

inline const Labels kWebLabels{"Username:", "Password:", "Website Address:", "Notes:"};
inline const Labels kCardLabels{"Card Type:", "Card Number:", "Exp Date:", "Notes:"};

// The index rows of entries with these labels, in order.
inline std::vector<std::string> labelRows(std::initializer_list<Labels> labels) {
    std::vector<std::string> rows;
    for (const auto& l : labels) {
        rows.insert(rows.end(), l.begin(), l.end());
    }
    return rows;
}

} // namespace quorvel::records::testing
