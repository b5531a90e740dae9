#pragma once
// The one module through which the program touches its files. New files are owner-only (0600),
// new folders 0700. A file is replaced atomically: a temporary file created exclusively in the
// same folder, written, flushed, renamed over the target, and the folder flushed. Appends are
// written in one call and flushed.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quorvel::store {

namespace fs = std::filesystem;

// Prefix of the temporary files of an atomic replace. No data file can have such a name: data
// files begin with "._".
inline constexpr std::string_view kTempPrefix = ".quorvel-tmp-";

// Reads a whole file. nullopt when it does not exist or cannot be read (ec tells which).
std::optional<std::string> readFile(const fs::path& path, std::error_code& ec);
std::optional<std::string> readFile(const fs::path& path);

// Lines of a file (see text::splitLines); empty when the file is missing. existed tells whether
// it was there.
std::vector<std::string> readLines(const fs::path& path, bool* existed = nullptr,
                                   bool dropUnterminated = false);

bool exists(const fs::path& path);

// Replaces (or creates) path with content, atomically.
std::error_code replaceAtomically(const fs::path& path, std::string_view content);

// Appends content in one write and flushes it. Creates the file (0600) when missing.
std::error_code appendDurable(const fs::path& path, std::string_view content);

// Creates an empty file (0600) when none exists; an existing one is left untouched.
std::error_code createIfMissing(const fs::path& path);

// Size of a file, or nullopt when it is missing.
std::optional<std::uintmax_t> fileSize(const fs::path& path);

// Cuts a file back to size bytes and flushes it.
std::error_code truncateTo(const fs::path& path, std::uintmax_t size);

// Cuts a file whose last line lacks its line end back to the end of its last whole line.
std::error_code trimTornLastLine(const fs::path& path);

// Renames, then flushes the folder. Both paths must be in the same folder.
std::error_code renameDurable(const fs::path& from, const fs::path& to);

// Deletes a file; a missing file is no error.
std::error_code removeFile(const fs::path& path);

// Creates a folder with its missing parents; the folders created are 0700.
std::error_code makeFolders(const fs::path& path);

// Fault injection for tests: when set, the hook is asked before each step of a write and a true
// answer makes that step fail with EIO. Steps are named "open", "write", "fsync", "rename".
using FaultHook = std::function<bool(std::string_view step, const fs::path& path)>;
void setFaultHook(FaultHook hook);

// The current folder of the program: every data file is found by its bare name here.
class Folder {
public:
    Folder() = default;
    explicit Folder(fs::path root) : root_(std::move(root)) {}

    const fs::path& root() const { return root_; }

    // The file of that bare name in this folder. nullopt for a name that is not a bare file
    // name (empty, ".", "..", or holding "/" or a NUL), so no name ever reaches outside.
    std::optional<fs::path> fileByName(std::string_view name) const;

private:
    fs::path root_;
};

} // namespace quorvel::store

namespace quorvel::store {

// Empties a folder: its items are counted once and that many first items are removed, folders
// emptied first (links are removed, never followed). With deleteSelf the folder itself goes
// too. A missing folder is no error.
std::error_code deleteDirectoryContents(const fs::path& folder, bool deleteSelf);

} // namespace quorvel::store
