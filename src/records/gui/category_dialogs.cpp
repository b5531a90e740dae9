#include "records/gui/category_dialogs.hpp"

#include "platform/dialogs.hpp"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvel::records::gui {

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OkButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

AddCategoryDialog::AddCategoryDialog(const Categories& categories, platform::Dialogs& dialogs,
                                     QWidget* parent)
    : QDialog(parent), categories_(categories), dialogs_(dialogs) {
    setObjectName(QStringLiteral("AddCategoryDialog"));
    setWindowTitle(QStringLiteral("Add Category"));
    setModal(true);
    auto* form = new QFormLayout;
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("CategoryNameField"));
    name_->setMinimumWidth(200);
    form->addRow(QStringLiteral("Category Name:"), name_);
    for (int n = 0; n < 4; ++n) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("LabelMenu%1").arg(n + 1));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        for (const auto& row : categories.labelMenus[static_cast<size_t>(n)]) {
            combo->addItem(q(row));
        }
        combo->addItem(q(kBlankLabel));
        labels_[n] = combo;
        form->addRow(QStringLiteral("Label %1:").arg(n + 1), combo);
    }
    auto* buttons = okCancel(this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

std::string AddCategoryDialog::name() const {
    return name_->text().toStdString();
}

Labels AddCategoryDialog::labels() const {
    Labels labels;
    for (size_t n = 0; n < 4; ++n) {
        labels[n] = labels_[n]->currentText().toStdString();
    }
    return labels;
}

void AddCategoryDialog::accept() {
    if (auto refusal = categories_.checkNewCategory(name(), labels())) {
        dialogs_.message(*refusal);
        name_->setFocus();
        return;
    }
    QDialog::accept();
}

RemoveCategoryDialog::RemoveCategoryDialog(const std::vector<std::string>& names, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("RemoveCategoryDialog"));
    setWindowTitle(QStringLiteral("Remove Category"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Choose the category to remove:"), this));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("CategoryList"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const auto& name : names) {
        list_->addItem(q(name));
    }
    layout->addWidget(list_);
    auto* buttons = okCancel(this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setEnabled(false);
    connect(list_, &QListWidget::itemSelectionChanged, this,
            [this] { ok_->setEnabled(!list_->selectedItems().isEmpty()); });
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

std::optional<std::string> RemoveCategoryDialog::chosen() const {
    const auto items = list_->selectedItems();
    if (items.isEmpty()) {
        return std::nullopt;
    }
    return items.front()->text().toStdString();
}

} // namespace quorvel::records::gui
