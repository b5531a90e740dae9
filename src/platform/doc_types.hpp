#pragma once
// The document types the program knows, and the file-dialog filters made from them.

#include "platform/dialogs.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace quorvel::platform {

struct DocumentType {
    std::string_view name;
    std::string_view creator;
    std::string_view type;
    std::string_view extensions; // ".a;.b"
};

// In the order they are registered.
const std::vector<DocumentType>& documentTypes();

// Filters for a list of type names such as "text/richtext;text/plain;application/rtf".
// Unknown names are skipped; each extension appears once.
std::vector<FileFilter> filtersFor(std::string_view typeNames);

// "name (*.a *.b)" as file dialogs show a filter.
std::string filterText(const FileFilter& filter);

} // namespace quorvel::platform
