#pragma once
// The freedesktop trash (files/ and info/ below the trash folder).

#include <filesystem>
#include <optional>
#include <string>

namespace quorvel::store {

// Moves a file or folder to a freedesktop trash folder: it goes to files/ under a free name and
// info/NAME.trashinfo records where it came from and when. Returns the name used in files/.
std::optional<std::string> moveToTrash(const std::filesystem::path& trash,
                                       const std::filesystem::path& item);

} // namespace quorvel::store
