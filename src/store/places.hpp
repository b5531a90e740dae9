#pragma once
// The places where the program keeps and puts files. Each is set by a command-line option, else
// by an environment variable, else by its default.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::store {

namespace fs = std::filesystem;

struct Places {
    fs::path current; // the data files ("._code", the user list, the record files, ...)
    fs::path data;    // the account's data folder ("Prefs" only)
    fs::path desktop;
    fs::path trash; // freedesktop layout: files/ and info/
    fs::path temp;
};

// Looks up an environment variable; tests pass their own.
using Environment = std::function<std::optional<std::string>(std::string_view)>;
Environment processEnvironment();

struct PlaceOption {
    std::string_view option;   // e.g. "--data-dir"
    std::string_view variable; // e.g. "QUORVEL_DATA_DIR"
};
inline constexpr PlaceOption kCurrentOption{"--data-dir", "QUORVEL_DATA_DIR"};
inline constexpr PlaceOption kDataOption{"--prefs-dir", "QUORVEL_PREFS_DIR"};
inline constexpr PlaceOption kDesktopOption{"--desktop-dir", "QUORVEL_DESKTOP_DIR"};
inline constexpr PlaceOption kTrashOption{"--trash-dir", "QUORVEL_TRASH_DIR"};
inline constexpr PlaceOption kTempOption{"--temp-dir", "QUORVEL_TEMP_DIR"};

// Resolves every place from the arguments ("--data-dir DIR" or "--data-dir=DIR") and the
// environment. Defaults: XDG data home + "/Quorvel", XDG config home + "/Quorvel", the XDG
// desktop folder, XDG data home + "/Trash", the system's temporary folder.
Places resolvePlaces(const std::vector<std::string>& args, const Environment& env);

// The short name of the account that owns the desktop folder; when that cannot be found, the
// account running the program; empty when neither is known.
std::string findAccountName(const fs::path& desktop);

} // namespace quorvel::store
