#pragma once
// A fresh temporary folder for one test, removed with everything in it when the test ends.

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvel::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Writes a file below this folder (parents created).
    void write(std::string_view name, std::string_view content) const;
    // Reads a file below this folder; empty when missing.
    std::string read(std::string_view name) const;

private:
    std::filesystem::path path_;
};

// File permission bits (e.g. 0600) of a path.
unsigned permissionsOf(const std::filesystem::path& p);

} // namespace quorvel::test
