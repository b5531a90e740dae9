#pragma once
// The dialogs of "Add Category" and "Remove Category". A custom category is a name and four
// labels, stored as five lines of "._cate"; the checks and the storage are Categories'.

#include "records/categories.hpp"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvel::platform {
class Dialogs;
}

namespace quorvel::records::gui {

// The new category's name (field "CategoryNameField") and labels 1 to 4 (editable combos
// "LabelMenu1" to "LabelMenu4", offering the label menus' rows and "Blank"). "OK" refuses what
// Categories::checkNewCategory refuses, with its message, and keeps the dialog open.
class AddCategoryDialog : public QDialog {
    Q_OBJECT
public:
    AddCategoryDialog(const Categories& categories, platform::Dialogs& dialogs,
                      QWidget* parent = nullptr);

    std::string name() const;
    // As typed; an empty label is stored as "Blank".
    Labels labels() const;
    QPushButton* okButton() const { return ok_; }

    void accept() override;

private:
    const Categories& categories_;
    platform::Dialogs& dialogs_;
    QLineEdit* name_;
    QComboBox* labels_[4];
    QPushButton* ok_;
};

// One custom category chosen from a list ("CategoryList"); "OK" is enabled once a row is
// chosen.
class RemoveCategoryDialog : public QDialog {
    Q_OBJECT
public:
    explicit RemoveCategoryDialog(const std::vector<std::string>& names, QWidget* parent = nullptr);

    std::optional<std::string> chosen() const;
    QListWidget* list() const { return list_; }
    QPushButton* okButton() const { return ok_; }

private:
    QListWidget* list_;
    QPushButton* ok_;
};

// Texts of the category commands.
namespace category_dialog_text {
inline constexpr std::string_view kNoCustom = "There is no custom category to remove.";
// Followed by the category's name in quotes and " ?".
inline constexpr std::string_view kConfirmRemove = "Remove the category ";
} // namespace category_dialog_text

} // namespace quorvel::records::gui
