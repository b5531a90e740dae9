#pragma once
// Which text of the web-address field may be handed to the system's browser opener.

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::records {

// The address to open for the field's text: an "http://" or "https://" address as it stands
// (surrounding spaces dropped); a bare host such as "www.example.org" (optionally with a port
// and a path) with "http://" put before it; nullopt for anything else (a local path, "file:",
// another scheme, an application), which the caller answers with a beep.
std::optional<std::string> webAddressToOpen(std::string_view text);

} // namespace quorvel::records
