#include "records/categories.hpp"

#include "text/text.hpp"

namespace quorvel::records {

namespace {

constexpr size_t kRowsPerCategory = 5;

bool hasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool isBlank(std::string_view label) {
    return text::equalsIgnoreCase(label, kBlankLabel);
}

} // namespace

const BuiltInCategory* findBuiltIn(std::string_view name) {
    for (const auto& c : kBuiltInCategories) {
        if (text::equalsIgnoreCase(c.name, name)) {
            return &c;
        }
    }
    return nullptr;
}

Categories::Categories()
    : labelMenus{{{"UserName:", "Account No:", "Card Type:"},
                  {"Password:", "Card Number:", "Serial No:"},
                  {"Website Address:", "Exp Date:", "Organization:"},
                  {"Notes:", "Points:"}}} {
    rebuildMenus();
}

void Categories::rebuildMenus() {
    catPopupMenu.clear();
    popupMenu1.clear();
    popupMenu1.emplace_back(kAllRow);
    for (const auto& c : kBuiltInCategories) {
        catPopupMenu.emplace_back(c.name);
        popupMenu1.emplace_back(c.name);
    }
    for (const auto& name : customNames()) {
        catPopupMenu.push_back(name);
        popupMenu1.push_back(name);
    }
}

void Categories::AddedCustomUpdate(const store::Folder& folder) {
    catListBox.clear();
    if (auto path = folder.fileByName(kCustomCategoryFile)) {
        // A torn last line is the remnant of an interrupted write; every write is atomic, so
        // only a foreign program leaves one, and its text is kept as it reads.
        catListBox = store::readLines(*path);
    }
    rebuildMenus();
}

void Categories::CustomAdded(int chosenRow) {
    category = chosenRow;
    for (size_t j = 0; j < catListBox.size(); j += kRowsPerCategory) {
        for (size_t n = 1; n <= 4 && j + n < catListBox.size(); ++n) {
            const std::string& label = catListBox[j + n];
            if (isBlank(label)) {
                continue;
            }
            auto& menu = labelMenus[n - 1];
            bool offered = false;
            for (const auto& row : menu) {
                if (text::equalsIgnoreCase(row, label)) {
                    offered = true;
                    break;
                }
            }
            if (!offered) {
                menu.push_back(label);
            }
        }
    }
}

std::error_code Categories::SaveNewCat(const store::Folder& folder) const {
    auto path = folder.fileByName(kCustomCategoryFile);
    if (!path) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    return store::replaceAtomically(*path, text::joinLines(catListBox));
}

std::string Categories::chosenCategory() const {
    if (category < 0 || static_cast<size_t>(category) >= catPopupMenu.size()) {
        return {};
    }
    return catPopupMenu[static_cast<size_t>(category)];
}

std::optional<int> Categories::menuRowFor(std::string_view name) const {
    std::optional<int> found;
    for (size_t i = 0; i < catPopupMenu.size(); ++i) {
        if (text::equalsIgnoreCase(catPopupMenu[i], name)) {
            found = static_cast<int>(i);
        }
    }
    return found;
}

std::vector<std::string> Categories::customNames() const {
    std::vector<std::string> names;
    for (size_t j = 0; j < catListBox.size(); j += kRowsPerCategory) {
        names.push_back(catListBox[j]);
    }
    return names;
}

Labels Categories::labelsFor(std::string_view category) const {
    if (const auto* builtIn = findBuiltIn(category)) {
        return {std::string(builtIn->labels[0]), std::string(builtIn->labels[1]),
                std::string(builtIn->labels[2]), std::string(builtIn->labels[3])};
    }
    for (size_t j = 0; j < catListBox.size(); j += kRowsPerCategory) {
        if (!text::equalsIgnoreCase(catListBox[j], category)) {
            continue;
        }
        Labels labels;
        for (size_t n = 1; n <= 4; ++n) {
            if (j + n < catListBox.size() && !isBlank(catListBox[j + n])) {
                labels[n - 1] = catListBox[j + n];
            }
        }
        return labels;
    }
    return labelsFor(kBuiltInCategories[0].name);
}

std::optional<std::string> Categories::checkNewCategory(std::string_view name,
                                                        const Labels& labels) const {
    if (hasLineBreak(name)) {
        return std::string(category_text::kLineBreak);
    }
    for (const auto& label : labels) {
        if (hasLineBreak(label)) {
            return std::string(category_text::kLineBreak);
        }
    }
    if (name.empty()) {
        return std::string(category_text::kNameEmpty);
    }
    if (text::equalsIgnoreCase(name, kAllRow)) {
        return std::string(category_text::kNameAll);
    }
    if (findBuiltIn(name) != nullptr) {
        return std::string(category_text::kNameTaken);
    }
    for (const auto& existing : customNames()) {
        if (text::equalsIgnoreCase(existing, name)) {
            return std::string(category_text::kNameTaken);
        }
    }
    return std::nullopt;
}

Messages Categories::addCategory(const store::Folder& folder, std::string_view name,
                                 Labels labels) {
    if (auto refusal = checkNewCategory(name, labels)) {
        return {*refusal};
    }
    for (auto& label : labels) {
        if (label.empty()) {
            label = kBlankLabel;
        }
    }
    const std::vector<std::string> before = catListBox;
    // A file cut short keeps its last category's rows; fill them up so that the new name lands
    // on a name row instead of being read as a label.
    while (catListBox.size() % kRowsPerCategory != 0) {
        catListBox.emplace_back(kBlankLabel);
    }
    catListBox.emplace_back(name);
    catListBox.insert(catListBox.end(), labels.begin(), labels.end());
    if (SaveNewCat(folder)) {
        catListBox = before;
        return {std::string(category_text::kSaveFailed)};
    }
    AddedCustomUpdate(folder);
    return {};
}

Messages Categories::removeCategory(const store::Folder& folder, std::string_view name) {
    for (size_t j = 0; j < catListBox.size(); j += kRowsPerCategory) {
        if (!text::equalsIgnoreCase(catListBox[j], name)) {
            continue;
        }
        const std::vector<std::string> before = catListBox;
        const size_t end = std::min(catListBox.size(), j + kRowsPerCategory);
        catListBox.erase(catListBox.begin() + static_cast<std::ptrdiff_t>(j),
                         catListBox.begin() + static_cast<std::ptrdiff_t>(end));
        if (SaveNewCat(folder)) {
            catListBox = before;
            return {std::string(category_text::kSaveFailed)};
        }
        AddedCustomUpdate(folder);
        return {};
    }
    return {std::string(category_text::kNotCustom)};
}

} // namespace quorvel::records
