#pragma once
// Categories of entries: the five built-in ones with their fixed labels, the custom categories
// of "._cate" (shared by every user of the installation), the rows of the category menus and of
// the four label menus of the Records tab, and the rule that gives an entry its labels when its
// index rows are missing.

#include "store/files.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::records {

// Labels 1 to 4 of an entry (the labels of value 1, value 2, value 3 and value 4).
using Labels = std::array<std::string, 4>;

inline constexpr std::string_view kCustomCategoryFile = "._cate";
inline constexpr std::string_view kAllRow = "All";
inline constexpr std::string_view kBlankLabel = "Blank";

struct BuiltInCategory {
    std::string_view name;
    std::array<std::string_view, 4> labels;
};

// In menu order.
inline constexpr std::array<BuiltInCategory, 5> kBuiltInCategories{{
    {"WebSites", {"Username:", "Password:", "Website Address:", "Notes:"}},
    {"Bank Accounts", {"Account No:", "Password:", "Website Address:", "Notes:"}},
    {"Credit Cards", {"Card Type:", "Card Number:", "Exp Date:", "Notes:"}},
    {"Serial Numbers", {"Username:", "Serial No:", "Organization:", "Notes:"}},
    {"Frequent Flyers", {"Username:", "Password:", "Website Address:", "Points:"}},
}};

// The built-in category of that name (letter case ignored), or nullptr.
const BuiltInCategory* findBuiltIn(std::string_view name);

// Messages to show, in order (each in a modal box with an OK button).
using Messages = std::vector<std::string>;

// The custom-category table and the menus built from it. One object lives as long as the main
// window; signing out does not empty it (sign-out reloads it with AddedCustomUpdate).
class Categories {
public:
    Categories();

    // "._cate": five rows per custom category (name, labels 1 to 4; "Blank" for no label).
    std::vector<std::string> catListBox;
    // Rows of the "Select Category:" menu: the built-in names, then the custom names.
    std::vector<std::string> catPopupMenu;
    // Rows of the "Show Category:" filter: "All", the built-in names, then the custom names.
    std::vector<std::string> popupMenu1;
    // Rows of the label menus Field1PopupMenu, Field2PopupMenu, Field3PopupMenu and
    // Field5PopupMenu: their fixed rows, then custom labels as CustomAdded offers them. They
    // only grow, for as long as this object lives.
    std::array<std::vector<std::string>, 4> labelMenus;
    // The chosen row of catPopupMenu, as CustomAdded recorded it (-1: none chosen).
    int category = -1;

    // Reads "._cate" into catListBox and rebuilds catPopupMenu and popupMenu1. A missing file
    // (or one that cannot be referred to) leaves only the built-in rows. The GUI then chooses
    // row 0 ("All") of the filter.
    void AddedCustomUpdate(const store::Folder& folder);

    // Records the chosen row of catPopupMenu in `category` and offers every custom label (other
    // than "Blank") that its label menu does not offer yet, letter case ignored.
    void CustomAdded(int chosenRow);

    // Writes "._cate" anew (atomically) from catListBox.
    std::error_code SaveNewCat(const store::Folder& folder) const;

    // The chosen category's text, or "" when no valid row is chosen.
    std::string chosenCategory() const;

    // The last row of catPopupMenu equal to name (letter case ignored), or nullopt.
    std::optional<int> menuRowFor(std::string_view name) const;

    // Names of the custom categories in file order (rows 0, 5, 10, ...).
    std::vector<std::string> customNames() const;

    // The labels an entry of that category gets when its index rows are missing: a built-in
    // category's labels; a custom category's labels ("Blank" and missing rows give ""); the
    // "WebSites" labels for any other name.
    Labels labelsFor(std::string_view category) const;

    // Why a new custom category would be refused, or nullopt when it is acceptable.
    std::optional<std::string> checkNewCategory(std::string_view name, const Labels& labels) const;

    // Adds a custom category: checks it (returns the refusal as the only message), stores an
    // empty label as "Blank", appends five rows, SaveNewCat, AddedCustomUpdate. When saving
    // fails, the table is left as it was and the failure is the message.
    Messages addCategory(const store::Folder& folder, std::string_view name, Labels labels);

    // Removes the custom category of that name (letter case ignored) with its rows, then
    // SaveNewCat and AddedCustomUpdate. Entries keep their stored category name.
    Messages removeCategory(const store::Folder& folder, std::string_view name);

private:
    void rebuildMenus();
};

// Texts of the refusals and failures of addCategory and removeCategory.
namespace category_text {
inline constexpr std::string_view kNameEmpty = "Please enter a name for the new category.";
inline constexpr std::string_view kNameAll =
    "\"All\" is reserved for showing every category, please choose another name.";
inline constexpr std::string_view kNameTaken = "A category with this name already exists.";
inline constexpr std::string_view kLineBreak =
    "A category name or label cannot contain a line break.";
inline constexpr std::string_view kNotCustom = "There is no custom category with this name.";
inline constexpr std::string_view kSaveFailed =
    "The categories could not be saved, please try again.";
} // namespace category_text

} // namespace quorvel::records
