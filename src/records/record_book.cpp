#include "records/record_book.hpp"

#include "store/pair_replace.hpp"
#include "store/secret.hpp"

#include <algorithm>
#include <cerrno>
#include <thread>

namespace quorvel::records {

namespace {

namespace fs = std::filesystem;

constexpr size_t kLinesPerEntry = 7;
constexpr size_t kRowsPerEntry = 5;
constexpr size_t kLabelsPerEntry = 4;

// The whole lines of a file. A last line without its line end is what a write cut short
// leaves; it is not part of the file's content.
struct LineFile {
    bool existed = false;
    bool readError = false; // the file is there but could not be read
    std::string content;
    std::vector<std::pair<size_t, size_t>> spans; // offset and length of each line
    std::uintmax_t wholeBytes = 0;                // bytes up to the end of the last whole line

    size_t size() const { return spans.size(); }
    std::string_view line(size_t i) const {
        return std::string_view(content).substr(spans[i].first, spans[i].second);
    }
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        out.reserve(spans.size());
        for (size_t i = 0; i < spans.size(); ++i) {
            out.emplace_back(line(i));
        }
        return out;
    }
};

LineFile readWholeLines(const fs::path& path, bool keepUnterminated = false) {
    LineFile f;
    std::error_code ec;
    auto content = store::readFile(path, ec);
    if (!content) {
        f.readError = ec.value() != ENOENT;
        return f;
    }
    f.existed = true;
    f.content = std::move(*content);
    const std::string_view s = f.content;
    // Lines end in "\n", "\r\n" or "\r"; files written here use "\n" only.
    const bool anyCr = s.find('\r') != std::string_view::npos;
    size_t start = 0;
    while (start < s.size()) {
        const size_t end = anyCr ? s.find_first_of("\r\n", start) : s.find('\n', start);
        if (end == std::string_view::npos) {
            break;
        }
        f.spans.emplace_back(start, end - start);
        start = end + ((s[end] == '\r' && end + 1 < s.size() && s[end + 1] == '\n') ? 2 : 1);
    }
    f.wholeBytes = start;
    if (keepUnterminated && start < s.size()) {
        f.spans.emplace_back(start, s.size() - start);
        f.wholeBytes = s.size();
    }
    return f;
}

// Deciphers every line. Deciphering dominates loading, so large files are split over two
// threads; the result is the same as one pass in order.
std::vector<std::string> decryptAll(const store::Key& key, const LineFile& file) {
    std::vector<std::string> out(file.size());
    auto work = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            out[i] = store::decryptLine(key, file.line(i));
        }
    };
    constexpr size_t kParallelFrom = 2048;
    if (file.size() < kParallelFrom || std::thread::hardware_concurrency() < 2) {
        work(0, file.size());
        return out;
    }
    const size_t half = file.size() / 2;
    try {
        std::thread helper(work, half, file.size());
        work(0, half);
        helper.join();
    } catch (const std::system_error&) { // no thread to be had: do the rest here
        work(half, file.size());
    }
    return out;
}

void wipeAll(std::vector<std::string>& v) {
    for (auto& s : v) {
        store::wipe(s);
    }
    v.clear();
}

// Where the entries of a user stand among the deciphered lines: a line equal to the owner's
// name starts an entry and takes the six lines after it; a last entry cut short by the end of
// the file has fewer (its missing values read as empty).
struct Span {
    size_t first = 0;
    size_t present = 0; // lines of the entry in the file, at most seven
};

struct Parsed {
    std::vector<Span> entries;
    size_t padLines = 0; // lines missing from a last entry cut short
};

Parsed parseEntries(const std::vector<std::string>& plain, std::string_view user) {
    Parsed p;
    const std::string owner = text::foldCase(user);
    // Folding keeps the length of an ASCII text, so an ASCII line of another length cannot
    // fold to the owner's name; that spares folding nearly every value.
    const auto isAscii = [](std::string_view t) {
        return std::all_of(t.begin(), t.end(), [](char c) { return (c & 0x80) == 0; });
    };
    const auto isOwner = [&](const std::string& line) {
        if (line.size() != owner.size() && isAscii(line)) {
            return false;
        }
        return text::foldCase(line) == owner;
    };
    size_t i = 0;
    while (i < plain.size()) {
        if (!isOwner(plain[i])) {
            ++i;
            continue;
        }
        const size_t present = std::min(kLinesPerEntry, plain.size() - i);
        p.entries.push_back({i, present});
        p.padLines = kLinesPerEntry - present;
        i += present;
    }
    return p;
}

// Line j (0 owner, 1 category, 2..6 the five values) of an entry.
const std::string& valueAt(const std::vector<std::string>& plain, const Span& s, size_t j) {
    static const std::string kEmpty;
    return j < s.present ? plain[s.first + j] : kEmpty;
}

// The index rows of n entries: the file's rows, cut to four per entry, completed by the label
// rule where they are missing.
std::vector<std::string> normalizedIndex(std::vector<std::string> rows,
                                         const std::vector<std::string>& entryCategories,
                                         const Categories& categories) {
    const size_t want = kLabelsPerEntry * entryCategories.size();
    if (rows.size() > want) {
        rows.resize(want);
    }
    while (rows.size() < want) {
        const size_t k = rows.size() / kLabelsPerEntry;
        const Labels labels = categories.labelsFor(entryCategories[k]);
        rows.push_back(labels[rows.size() % kLabelsPerEntry]);
    }
    return rows;
}

std::string joinLines(const std::vector<std::string>& rows) {
    return text::joinLines(rows);
}

void appendLine(std::string& content, std::string_view line) {
    content.append(line);
    content.push_back('\n');
}

// Everything an edit or a removal reads: both files, deciphered and parsed, the index
// completed to four rows per entry.
struct ReadState {
    LineFile record;
    std::vector<std::string> plain;
    Parsed parsed;
    std::vector<std::string> index;
    ~ReadState() { wipeAll(plain); }
};

bool readState(const fs::path& recordPath, const fs::path& indexPath, const store::Key& key,
               std::string_view user, const Categories& categories, ReadState& st) {
    st.record = readWholeLines(recordPath);
    if (st.record.readError) {
        return false;
    }
    st.plain = decryptAll(key, st.record);
    st.parsed = parseEntries(st.plain, user);
    LineFile index = readWholeLines(indexPath);
    if (index.readError) {
        return false;
    }
    std::vector<std::string> cats;
    cats.reserve(st.parsed.entries.size());
    for (const Span& s : st.parsed.entries) {
        cats.push_back(valueAt(st.plain, s, 1));
    }
    st.index = normalizedIndex(index.lines(), cats, categories);
    return true;
}

// The first steps of an edit and of a removal: the user's two files, an interrupted save
// finished, both read and deciphered. False, with the message in out, when that fails;
// "The data file does not exist!" is added (and the operation goes on) for a missing record file.
bool readForRewrite(const store::Folder& folder, const store::Key& key, std::string_view user,
                    const Categories& categories, std::string_view readFailure, ReadState& st,
                    Outcome& out) {
    const auto recordPath = folder.fileByName(recordFileName(user));
    const auto indexPath = folder.fileByName(indexFileName(user));
    if (user.empty() || !recordPath || !indexPath) {
        out.messages.emplace_back(record_text::kInvalidPath);
        out.ok = false;
        return false;
    }
    if (finishInterruptedSave(folder, user) ||
        !readState(*recordPath, *indexPath, key, user, categories, st)) {
        out.messages.emplace_back(readFailure);
        out.ok = false;
        return false;
    }
    if (!st.record.existed) {
        out.messages.emplace_back(record_text::kNoDataFile);
    }
    return true;
}

// Entries of the files just read whose title matches, per mode.
std::vector<size_t> findTitleInState(const ReadState& st, std::string_view title, TitleMatch mode) {
    const auto& entries = st.parsed.entries;
    return findTitleIn(
        entries.size(),
        [&](size_t k) -> const std::string& { return valueAt(st.plain, entries[k], 5); }, title,
        mode);
}

} // namespace

std::string recordFileName(std::string_view user) {
    return std::string(kRecordFilePrefix) + std::string(user);
}

std::string indexFileName(std::string_view user) {
    return std::string(kIndexFilePrefix) + std::string(user);
}

std::string savingMarkerName(std::string_view user) {
    return std::string(kSavingMarkerPrefix) + std::string(user);
}

std::error_code finishInterruptedSave(const store::Folder& folder, std::string_view user) {
    return store::finishPair(folder, savingMarkerName(user), recordFileName(user),
                             indexFileName(user));
}

void RecordBook::clear() {
    wipeAll(passDetListBox);
    passwordListBox.clear();
    wipeAll(allPassListBox);
    catIndexListBox.clear();
    disk_ = {};
}

void RecordBook::fillTables(std::vector<std::string>& plain, std::string_view user,
                            size_t* padLines) {
    const Parsed parsed = parseEntries(plain, user);
    wipeAll(passDetListBox);
    passwordListBox.clear();
    passDetListBox.reserve(parsed.entries.size() * kRowsPerEntry);
    passwordListBox.reserve(parsed.entries.size());
    // The values move from the deciphered lines into the tables.
    const auto take = [&](const Span& s, size_t j) {
        return j < s.present ? std::move(plain[s.first + j]) : std::string();
    };
    for (const Span& s : parsed.entries) {
        for (size_t j = 2; j < kLinesPerEntry; ++j) {
            passDetListBox.push_back(take(s, j));
        }
        passwordListBox.push_back({passDetListBox[passDetListBox.size() - 2], take(s, 1)});
    }
    if (padLines != nullptr) {
        *padLines = parsed.padLines;
    }
}

Outcome RecordBook::LoadPassword(const store::Folder& folder, const store::Key& key,
                                 std::string_view user) {
    Outcome out;
    clear();
    if (user.empty()) {
        return out; // nobody signed in
    }
    const auto recordPath = folder.fileByName(recordFileName(user));
    if (!recordPath || finishInterruptedSave(folder, user)) {
        out.messages.emplace_back(record_text::kLoadProblem);
        out.ok = false;
        return out;
    }
    LineFile record = readWholeLines(*recordPath);
    if (record.readError) {
        out.messages.emplace_back(record_text::kLoadProblem);
        out.ok = false;
        return out;
    }
    std::vector<std::string> plain = decryptAll(key, record);
    size_t padLines = 0;
    fillTables(plain, user, &padLines);
    wipeAll(plain);

    Outcome index = LoadCatIndex(folder, user);
    out.messages.insert(out.messages.end(), index.messages.begin(), index.messages.end());
    out.ok = index.ok;
    disk_.valid = index.ok;
    disk_.user = std::string(user);
    disk_.root = folder.root().string();
    disk_.recordBytes = record.wholeBytes;
    disk_.padLines = padLines;
    return out;
}

Outcome RecordBook::LoadCatIndex(const store::Folder& folder, std::string_view user) {
    Outcome out;
    catIndexListBox.clear();
    const auto indexPath = folder.fileByName(indexFileName(user));
    if (!indexPath) {
        out.messages.emplace_back(record_text::kNoCategories);
        out.ok = false;
        disk_.valid = false;
        return out;
    }
    LineFile index = readWholeLines(*indexPath);
    if (index.readError) {
        out.messages.emplace_back(record_text::kNoCategories);
        out.ok = false;
        disk_.valid = false;
    }
    const size_t fileRows = index.size();
    disk_.indexBytes = index.wholeBytes;
    disk_.indexRows = fileRows;
    std::vector<std::string> cats;
    cats.reserve(entryCount());
    for (const auto& row : passwordListBox) {
        cats.push_back(row.category);
    }
    catIndexListBox = normalizedIndex(index.lines(), cats, categories);
    return out;
}

Outcome RecordBook::SavePassword(const store::Folder& folder, const store::Key& key,
                                 std::string_view user, std::string_view category,
                                 const EntryValues& values, const Labels& labels) {
    Outcome out;
    out.ok = false;
    const auto fail = [&](std::string_view message) {
        out.messages.emplace_back(message);
        return out;
    };
    if (category.empty() ||
        std::any_of(labels.begin(), labels.end(), [](const auto& l) { return l.empty(); })) {
        return fail(record_text::kSaveChoiceProblem);
    }
    const auto recordPath = user.empty() ? std::nullopt : folder.fileByName(recordFileName(user));
    if (!recordPath) {
        return fail(record_text::kSaveProblem);
    }
    const auto indexPath = folder.fileByName(indexFileName(user));
    if (!indexPath) {
        return fail(record_text::kInvalidPath);
    }
    if (finishInterruptedSave(folder, user)) {
        return fail(record_text::kSaveProblem);
    }
    // The append continues the files as this book last read them. When they differ from that
    // (never read, a torn last line, changed since), cut torn lines back and read them again,
    // so the new entry lands after whole entries and its labels on its own index rows.
    const auto asRead = [&] {
        return disk_.valid && disk_.user == user && disk_.root == folder.root().string() &&
               store::fileSize(*recordPath).value_or(0) == disk_.recordBytes &&
               store::fileSize(*indexPath).value_or(0) == disk_.indexBytes;
    };
    if (!asRead()) {
        if (store::trimTornLastLine(*recordPath)) {
            return fail(record_text::kSaveProblem);
        }
        if (store::trimTornLastLine(*indexPath)) {
            return fail(record_text::kInvalidPath);
        }
        if (!asRead()) {
            Outcome reload = LoadPassword(folder, key, user);
            if (!reload.ok) {
                out.messages = reload.messages;
                return fail(record_text::kSaveProblem);
            }
        }
    }
    const std::uintmax_t recordBefore = disk_.recordBytes;
    const std::uintmax_t indexBefore = disk_.indexBytes;

    const size_t n = entryCount();
    std::string recordAppend;
    for (size_t i = 0; i < disk_.padLines; ++i) {
        appendLine(recordAppend, store::encryptLine(key, ""));
    }
    for (std::string_view v : {user, category, std::string_view(values.value1),
                               std::string_view(values.value2), std::string_view(values.value3),
                               std::string_view(values.title), std::string_view(values.value4)}) {
        appendLine(recordAppend, store::encryptLine(key, v));
    }
    if (store::appendDurable(*recordPath, recordAppend)) {
        store::truncateTo(*recordPath, recordBefore);
        return fail(record_text::kSaveProblem);
    }

    std::error_code indexError;
    if (disk_.indexRows > kLabelsPerEntry * n) {
        // Rows beyond the last entry would become the new entry's labels: write the index anew.
        std::vector<std::string> rows = catIndexListBox;
        rows.insert(rows.end(), labels.begin(), labels.end());
        indexError = store::replaceAtomically(*indexPath, joinLines(rows));
    } else {
        std::vector<std::string> rows(catIndexListBox.begin() +
                                          static_cast<std::ptrdiff_t>(disk_.indexRows),
                                      catIndexListBox.end());
        rows.insert(rows.end(), labels.begin(), labels.end());
        const Outcome appended = SaveCatIndexUpdate(folder, user, rows);
        if (!appended.ok) {
            indexError = std::make_error_code(std::errc::io_error);
            store::truncateTo(*indexPath, indexBefore);
        }
    }
    if (indexError) {
        store::truncateTo(*recordPath, recordBefore);
        return fail(record_text::kInvalidPath);
    }

    for (std::string_view v :
         {values.value1, values.value2, values.value3, values.title, values.value4}) {
        passDetListBox.emplace_back(v);
    }
    passwordListBox.push_back({values.title, std::string(category)});
    catIndexListBox.insert(catIndexListBox.end(), labels.begin(), labels.end());
    disk_.recordBytes = recordBefore + recordAppend.size();
    disk_.indexBytes = store::fileSize(*indexPath).value_or(0);
    disk_.indexRows = catIndexListBox.size();
    disk_.padLines = 0;
    out.ok = true;
    return out;
}

Outcome RecordBook::SaveCatIndexUpdate(const store::Folder& folder, std::string_view user,
                                       const std::vector<std::string>& rows) {
    Outcome out;
    const auto indexPath = folder.fileByName(indexFileName(user));
    if (!indexPath || store::appendDurable(*indexPath, joinLines(rows))) {
        out.messages.emplace_back(record_text::kInvalidPath);
        out.ok = false;
    }
    return out;
}

std::error_code RecordBook::SaveCatIndex(const store::Folder& folder, std::string_view user) const {
    const auto indexPath = folder.fileByName(indexFileName(user));
    if (!indexPath) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    return store::replaceAtomically(*indexPath, joinLines(catIndexListBox));
}

bool RecordBook::indexAll(std::string_view category) {
    const BuiltInCategory* builtIn = findBuiltIn(category);
    if (builtIn == nullptr) {
        return false;
    }
    catIndexListBox.insert(catIndexListBox.end(), builtIn->labels.begin(), builtIn->labels.end());
    return true;
}

std::error_code RecordBook::EncryptUserData(const store::Folder& folder, const store::Key& key,
                                            std::string_view user,
                                            const std::vector<std::string>& lines) {
    const auto recordPath = folder.fileByName(recordFileName(user));
    if (!recordPath) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    std::string content;
    for (const auto& line : lines) {
        appendLine(content, store::encryptLine(key, line));
    }
    return store::replaceAtomically(*recordPath, content);
}

namespace {

// The new content of both files after an edit or a removal: the record file's lines as
// stored, less the removed entries, a last entry cut short filled up with empty values, then
// the added entry; the index rows in the same order.
struct NewFiles {
    std::string record;
    std::vector<std::string> plain;
    std::vector<std::string> index;
    ~NewFiles() { wipeAll(plain); }
};

void buildNewFiles(const ReadState& st, const store::Key& key, const std::vector<size_t>& removed,
                   const std::vector<std::string>* addedLines, const Labels* addedLabels,
                   NewFiles& nf) {
    const auto& entries = st.parsed.entries;
    std::vector<bool> dropLine(st.record.size(), false);
    std::vector<bool> dropEntry(entries.size(), false);
    for (size_t k : removed) {
        dropEntry[k] = true;
        for (size_t j = 0; j < entries[k].present; ++j) {
            dropLine[entries[k].first + j] = true;
        }
    }
    for (size_t i = 0; i < st.record.size(); ++i) {
        if (!dropLine[i]) {
            appendLine(nf.record, st.record.line(i));
            nf.plain.push_back(st.plain[i]);
        }
    }
    if (st.parsed.padLines > 0 && !dropEntry.back()) {
        for (size_t i = 0; i < st.parsed.padLines; ++i) {
            appendLine(nf.record, store::encryptLine(key, ""));
            nf.plain.emplace_back();
        }
    }
    for (size_t k = 0; k < entries.size(); ++k) {
        if (!dropEntry[k]) {
            nf.index.insert(
                nf.index.end(), st.index.begin() + static_cast<std::ptrdiff_t>(kLabelsPerEntry * k),
                st.index.begin() + static_cast<std::ptrdiff_t>(kLabelsPerEntry * (k + 1)));
        }
    }
    if (addedLines != nullptr) {
        for (const auto& v : *addedLines) {
            appendLine(nf.record, store::encryptLine(key, v));
            nf.plain.push_back(v);
        }
        nf.index.insert(nf.index.end(), addedLabels->begin(), addedLabels->end());
    }
}

} // namespace

Outcome RecordBook::EditPass(const store::Folder& folder, const store::Key& key,
                             std::string_view user, std::string_view selectedTitle,
                             const std::optional<std::string>& category,
                             const EntryValues& values) {
    Outcome out;
    ReadState st;
    if (!readForRewrite(folder, key, user, categories, record_text::kEditProblem, st, out)) {
        return out;
    }
    const auto& entries = st.parsed.entries;
    const auto every = findTitleInState(st, selectedTitle, TitleMatch::Every);

    // The labels (and, when the menu was not touched, the category) of the entry the tab showed:
    // the last of that title in the file; else the one the tables showed; else the label rule.
    Labels labels;
    std::string storedCategory;
    const auto shownInTables = findTitle(selectedTitle, TitleMatch::Last);
    if (!every.empty()) {
        const size_t k = every.back();
        for (size_t n = 0; n < kLabelsPerEntry; ++n) {
            labels[n] = st.index[kLabelsPerEntry * k + n];
        }
        storedCategory = valueAt(st.plain, entries[k], 1);
    } else if (!shownInTables.empty() && disk_.user == user &&
               catIndexListBox.size() == kLabelsPerEntry * entryCount()) {
        const size_t k = shownInTables.back();
        for (size_t n = 0; n < kLabelsPerEntry; ++n) {
            labels[n] = catIndexListBox[kLabelsPerEntry * k + n];
        }
        storedCategory = passwordListBox[k].category;
    } else {
        storedCategory = category.value_or(std::string(kBuiltInCategories[0].name));
        labels = categories.labelsFor(storedCategory);
    }
    const std::vector<std::string> added{std::string(user), category.value_or(storedCategory),
                                         values.value1,     values.value2,
                                         values.value3,     values.title,
                                         values.value4};
    NewFiles nf;
    buildNewFiles(st, key, every, &added, &labels, nf);
    Outcome written = commitRewrite(folder, key, user, nf.record, nf.plain, nf.index, true);
    out.messages.insert(out.messages.end(), written.messages.begin(), written.messages.end());
    out.ok = written.ok;
    return out;
}

Outcome RecordBook::RemovePassword(const store::Folder& folder, const store::Key& key,
                                   std::string_view user, std::string_view selectedTitle) {
    Outcome out;
    ReadState st;
    if (!readForRewrite(folder, key, user, categories, record_text::kInvalidPath, st, out)) {
        return out;
    }
    const auto first = findTitleInState(st, selectedTitle, TitleMatch::First);
    NewFiles nf;
    buildNewFiles(st, key, first, nullptr, nullptr, nf);
    Outcome written = commitRewrite(folder, key, user, nf.record, nf.plain, nf.index, false);
    out.messages.insert(out.messages.end(), written.messages.begin(), written.messages.end());
    out.ok = written.ok;
    return out;
}

Outcome RecordBook::commitRewrite(const store::Folder& folder, const store::Key& key,
                                  std::string_view user, const std::string& record,
                                  std::vector<std::string>& plain,
                                  const std::vector<std::string>& index, bool edit) {
    Outcome out;
    allPassListBox = plain;
    const std::string indexContent = joinLines(index);
    const std::error_code ec =
        store::replacePair(folder, savingMarkerName(user), {recordFileName(user), record},
                           {indexFileName(user), indexContent});
    wipeAll(allPassListBox);
    if (ec) {
        out.messages.emplace_back(edit ? record_text::kEditProblem : record_text::kInvalidPath);
        out.ok = false;
        // Show what the files hold now (a replace that got past its marker is completed).
        Outcome reload = LoadPassword(folder, key, user);
        out.messages.insert(out.messages.end(), reload.messages.begin(), reload.messages.end());
        return out;
    }
    size_t padLines = 0;
    fillTables(plain, user, &padLines);
    catIndexListBox = index;
    disk_.valid = true;
    disk_.user = std::string(user);
    disk_.root = folder.root().string();
    disk_.recordBytes = record.size();
    disk_.indexBytes = indexContent.size();
    disk_.indexRows = index.size();
    disk_.padLines = padLines;
    return out;
}

Outcome RecordBook::IndexData(const store::Folder& folder, const store::Key& key,
                              std::string_view user) {
    Outcome out;
    clear();
    const auto recordPath = folder.fileByName(recordFileName(user));
    const auto indexPath = folder.fileByName(indexFileName(user));
    const auto sharedPath = folder.fileByName(kSharedRecordFile);
    // Names that cannot be formed are reported by the load that follows.
    if (user.empty() || !recordPath || !indexPath || !sharedPath ||
        finishInterruptedSave(folder, user) || store::exists(*indexPath)) {
        return out;
    }
    ReadState own;
    if (!readState(*recordPath, *indexPath, key, user, categories, own)) {
        return out; // the load that follows reports it; migrate at a later sign-in
    }
    LineFile shared = readWholeLines(*sharedPath, true);
    std::vector<std::string> sharedPlain = decryptAll(key, shared);
    const Parsed moved = parseEntries(sharedPlain, user);

    std::vector<std::string> indexRows = own.index; // the label rule for any entries it holds
    if (moved.entries.empty()) {
        wipeAll(sharedPlain);
        if (store::replaceAtomically(*indexPath, joinLines(indexRows))) {
            out.messages.emplace_back(record_text::kInvalidPath);
            out.ok = false;
        }
        return out;
    }

    // The user's own file first (any entries it already holds stay), then the moved entries as
    // stored, each filled up to seven lines.
    std::string record;
    for (size_t i = 0; i < own.record.size(); ++i) {
        appendLine(record, own.record.line(i));
    }
    for (size_t i = 0; i < own.parsed.padLines; ++i) {
        appendLine(record, store::encryptLine(key, ""));
    }
    for (const Span& s : moved.entries) {
        for (size_t j = 0; j < s.present; ++j) {
            appendLine(record, shared.line(s.first + j));
        }
        for (size_t j = s.present; j < kLinesPerEntry; ++j) {
            appendLine(record, store::encryptLine(key, ""));
        }
        const Labels labels = categories.labelsFor(valueAt(sharedPlain, s, 1));
        indexRows.insert(indexRows.end(), labels.begin(), labels.end());
    }
    wipeAll(sharedPlain);
    if (store::replacePair(folder, savingMarkerName(user), {recordFileName(user), record},
                           {indexFileName(user), joinLines(indexRows)})) {
        out.messages.emplace_back(record_text::kInvalidPath);
        out.ok = false;
        return out;
    }
    out.messages.emplace_back(record_text::kMigrated);
    out.quitRequested = true;
    return out;
}

std::vector<size_t> RecordBook::findTitle(std::string_view title, TitleMatch mode) const {
    return findTitleIn(
        entryCount(),
        [&](size_t k) -> const std::string& { return passDetListBox[kRowsPerEntry * k + 3]; },
        title, mode);
}

bool RecordBook::titleTaken(std::string_view title) const {
    return title.empty() || !findTitle(title, TitleMatch::First).empty();
}

std::vector<ListRow> RecordBook::filter(std::string_view categoryRowText) const {
    const bool all = text::equalsIgnoreCase(categoryRowText, kAllRow);
    const std::string wanted = text::foldCase(categoryRowText);
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(passwordListBox.size());
    for (size_t i = 0; i < passwordListBox.size(); ++i) {
        if (all || text::foldCase(passwordListBox[i].category) == wanted) {
            keys.emplace_back(text::foldCase(passwordListBox[i].title), i);
        }
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<ListRow> rows;
    rows.reserve(keys.size());
    for (const auto& [key, i] : keys) {
        rows.push_back(passwordListBox[i]);
    }
    return rows;
}

std::optional<Selection> RecordBook::select(std::string_view title) const {
    const auto found = findTitle(title, TitleMatch::Last);
    if (found.empty()) {
        return std::nullopt;
    }
    Selection s;
    s.entry = found.front();
    const size_t row = kRowsPerEntry * s.entry;
    s.values = {passDetListBox[row], passDetListBox[row + 1], passDetListBox[row + 2],
                passDetListBox[row + 3], passDetListBox[row + 4]};
    s.detailSel1 = kLabelsPerEntry * s.entry;
    s.category = passwordListBox[s.entry].category;
    if (s.detailSel1 + kLabelsPerEntry <= catIndexListBox.size()) {
        for (size_t n = 0; n < kLabelsPerEntry; ++n) {
            s.labels[n] = catIndexListBox[s.detailSel1 + n];
        }
    } else {
        s.labels = categories.labelsFor(s.category);
    }
    return s;
}

} // namespace quorvel::records
