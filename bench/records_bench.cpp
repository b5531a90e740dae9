// Records with 10,000 entries and the key already derived: loading, appending one entry, an
// edit and a removal (both files replaced together), and a filter change with its sort.

#include "records/record_book.hpp"
#include "store/cipher.hpp"
#include "store/files.hpp"
#include "text/text.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

using namespace quorvel;
using namespace quorvel::records;

namespace {

constexpr int kEntries = 10000;
const std::string kUser = "anna";

store::Key benchKey() {
    unsigned char bytes[store::Key::kSize];
    for (size_t i = 0; i < sizeof bytes; ++i) {
        bytes[i] = static_cast<unsigned char>(i * 7 + 1);
    }
    return store::Key::fromBytes(bytes);
}

class Fixture {
public:
    Fixture() {
        std::string templ =
            (std::filesystem::temp_directory_path() / "quorvel-bench-XXXXXX").string();
        if (::mkdtemp(templ.data()) == nullptr) {
            std::abort();
        }
        root_ = templ;
        folder = store::Folder(root_);
        const char* categories[] = {"WebSites", "Bank Accounts", "Credit Cards", "Serial Numbers",
                                    "Frequent Flyers"};
        std::string record;
        std::vector<std::string> index;
        for (int i = 0; i < kEntries; ++i) {
            const std::string n = std::to_string(i);
            const char* category = categories[i % 5];
            for (const std::string& v :
                 {kUser, std::string(category), "user" + n, "pass-" + n + "-x7!",
                  "www.site" + n + ".org", "Title " + std::to_string((i * 7919) % kEntries),
                  "note for entry " + n}) {
                record += store::encryptLine(key, v) + "\n";
            }
            for (const auto& l : findBuiltIn(category)->labels) {
                index.emplace_back(l);
            }
        }
        recordContent = record;
        indexContent = text::joinLines(index);
        reset();
    }
    ~Fixture() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    void reset() const {
        store::replaceAtomically(*folder.fileByName(recordFileName(kUser)), recordContent);
        store::replaceAtomically(*folder.fileByName(indexFileName(kUser)), indexContent);
    }

    store::Key key = benchKey();
    store::Folder folder;
    std::string recordContent;
    std::string indexContent;

private:
    std::filesystem::path root_;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_Load(benchmark::State& state) {
    auto& f = fixture();
    RecordBook book;
    for (auto _ : state) {
        book.LoadPassword(f.folder, f.key, kUser);
        benchmark::DoNotOptimize(book.passDetListBox.data());
    }
    state.counters["entries"] = static_cast<double>(book.entryCount());
}

void BM_AppendOneEntry(benchmark::State& state) {
    auto& f = fixture();
    f.reset();
    RecordBook book;
    book.LoadPassword(f.folder, f.key, kUser);
    int i = 0;
    const Labels labels{"Username:", "Password:", "Website Address:", "Notes:"};
    for (auto _ : state) {
        EntryValues values{"new user", "new password", "www.example.org",
                           "New " + std::to_string(i++), "a note"};
        if (!book.SavePassword(f.folder, f.key, kUser, "WebSites", values, labels).ok) {
            state.SkipWithError("save failed");
        }
    }
    f.reset();
}

void BM_Edit(benchmark::State& state) {
    auto& f = fixture();
    f.reset();
    RecordBook book;
    book.LoadPassword(f.folder, f.key, kUser);
    int i = 0;
    for (auto _ : state) {
        // Each edit moves one entry to the end; the file keeps 10,000 entries.
        const std::string title = "Title " + std::to_string((i++ * 37) % kEntries);
        EntryValues values{"edited", "pw", "www.example.org", title, "edited note"};
        if (!book.EditPass(f.folder, f.key, kUser, title, std::nullopt, values).ok) {
            state.SkipWithError("edit failed");
        }
    }
    f.reset();
}

void BM_Remove(benchmark::State& state) {
    auto& f = fixture();
    f.reset();
    RecordBook book;
    book.LoadPassword(f.folder, f.key, kUser);
    int i = 0;
    for (auto _ : state) {
        const std::string title = "Title " + std::to_string(i++ % kEntries);
        if (!book.RemovePassword(f.folder, f.key, kUser, title).ok) {
            state.SkipWithError("removal failed");
        }
        if (book.entryCount() < kEntries - 200) {
            state.PauseTiming();
            f.reset();
            book.LoadPassword(f.folder, f.key, kUser);
            state.ResumeTiming();
        }
    }
    f.reset();
}

void BM_FilterAndSort(benchmark::State& state) {
    auto& f = fixture();
    f.reset();
    RecordBook book;
    book.LoadPassword(f.folder, f.key, kUser);
    const char* rows[] = {"All", "Credit Cards"};
    for (auto _ : state) {
        auto listed = book.filter(rows[state.range(0)]);
        benchmark::DoNotOptimize(listed.data());
    }
}

// A filter change in the Records tab: reload, then narrow and sort.
void BM_FilterChangeWithReload(benchmark::State& state) {
    auto& f = fixture();
    f.reset();
    RecordBook book;
    for (auto _ : state) {
        book.LoadPassword(f.folder, f.key, kUser);
        auto listed = book.filter("All");
        benchmark::DoNotOptimize(listed.data());
    }
}

} // namespace

BENCHMARK(BM_Load)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendOneEntry)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Edit)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Remove)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterAndSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterChangeWithReload)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
