#pragma once
// The help book: a folder of HTML pages beside the executable or under the install prefix.

#include "platform/dialogs.hpp"
#include "platform/services.hpp"

#include <filesystem>
#include <optional>
#include <vector>

namespace quorvel::app {

// The folders where the help book may be, in the order they are tried.
std::vector<std::filesystem::path> helpBookCandidates();

// Registers the first candidate that holds "index.html". When none does: beep, tell the user,
// and go on.
std::optional<std::filesystem::path>
registerHelpBook(const std::vector<std::filesystem::path>& candidates, platform::Dialogs& dialogs,
                 platform::Services& services);

} // namespace quorvel::app
