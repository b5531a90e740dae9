#include "records/gui/records_tab.hpp"

#include "app/quorvel_window.hpp"
#include "records/gui/category_dialogs.hpp"
#include "records/web_address.hpp"
#include "text/text.hpp"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

namespace quorvel::records::gui {

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A bevel button shows its caption as given: '&' is not a mnemonic marker here.
QString caption(std::string_view label) {
    return q(label).replace(QLatin1Char('&'), QLatin1String("&&"));
}

std::string uncaption(const QString& text) {
    return QString(text).replace(QLatin1String("&&"), QLatin1String("&")).toStdString();
}

// Rows 0, 2, 4, ... on a pale blue stripe, the selected row in strong blue with white text,
// every other text in black.
class RowPainter : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        if (index.row() % 2 == 0) {
            painter->fillRect(option.rect, QColor::fromRgb(RecordsTab::kEvenRowRgb));
        }
        if (selected) {
            painter->fillRect(option.rect, QColor::fromRgb(RecordsTab::kSelectedRgb));
        }
        QStyleOptionViewItem plain(option);
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        const QColor text = selected ? QColor(Qt::white) : QColor(Qt::black);
        plain.palette.setColor(QPalette::Text, text);
        plain.palette.setColor(QPalette::HighlightedText, text);
        QStyledItemDelegate::paint(painter, plain, index);
    }
};

} // namespace

RecordsTab::RecordsTab(app::Quorvel& window) : QObject(&window), window_(window) {
    const auto get = [&](const char* name) {
        return window.form().widget(QString::fromUtf8(name));
    };
    list_ = window.control<QTreeWidget>(QStringLiteral("PasswordListBox"));
    filter_ = window.control<QComboBox>(QStringLiteral("PopupMenu1"));
    catMenu_ = window.control<QComboBox>(QStringLiteral("CatPopupMenu"));
    catLabel_ = get("CatStaticText");
    const char* menus[] = {"Field1PopupMenu", "Field2PopupMenu", "Field3PopupMenu",
                           "Field5PopupMenu"};
    const char* bevels[] = {"UsernameBevel", "PasswordBevel", "WebsiteBevel", "NotesBevel"};
    for (int n = 0; n < 4; ++n) {
        labelMenus_[n] = window.control<QComboBox>(QString::fromUtf8(menus[n]));
        bevels_[n] = window.control<QToolButton>(QString::fromUtf8(bevels[n]));
    }
    userField_ = window.control<QLineEdit>(QStringLiteral("PassUserEditField"));
    passwordField_ = window.control<QLineEdit>(QStringLiteral("PasswordEditField"));
    urlField_ = window.control<QLineEdit>(QStringLiteral("PassUrlEditField"));
    titleField_ = window.control<QLineEdit>(QStringLiteral("WebNameEditField"));
    noteField_ = window.control<QPlainTextEdit>(QStringLiteral("PassNoteEditField"));
    newButton_ = window.control<QPushButton>(QStringLiteral("PassAddPushButton"));
    editButton_ = window.control<QPushButton>(QStringLiteral("PassEditPushButton"));
    removeButton_ = window.control<QPushButton>(QStringLiteral("PassDelPushButton"));
    doneButton_ = window.control<QPushButton>(QStringLiteral("PassDonePushButton"));
    showButton_ = window.control<QPushButton>(QStringLiteral("PasswordShowPushButton"));
    hideButton_ = window.control<QPushButton>(QStringLiteral("PassHidePushButton"));
    runDialog_ = [](QDialog& dialog) { dialog.exec(); };

    // PasswordListBox_Open: headings, sort column "Title". The rows come sorted from the
    // tables; the view itself never re-sorts them.
    list_->setHeaderLabels({QStringLiteral("Title"), QStringLiteral("Category")});
    list_->setSortingEnabled(false);
    list_->setAlternatingRowColors(false);
    list_->header()->setSectionsClickable(false);
    list_->header()->setSortIndicatorShown(true);
    list_->header()->setSortIndicator(0, Qt::AscendingOrder);
    list_->setColumnWidth(0, list_->width() / 2);
    list_->setItemDelegate(new RowPainter(list_));

    connect(newButton_, &QPushButton::clicked, this, &RecordsTab::passAddPushButtonAction);
    connect(editButton_, &QPushButton::clicked, this, &RecordsTab::passEditPushButtonAction);
    connect(removeButton_, &QPushButton::clicked, this, &RecordsTab::passDelPushButtonAction);
    connect(doneButton_, &QPushButton::clicked, this, &RecordsTab::passDonePushButtonAction);
    connect(showButton_, &QPushButton::clicked, this, &RecordsTab::passwordShowPushButtonAction);
    connect(hideButton_, &QPushButton::clicked, this, &RecordsTab::passHidePushButtonAction);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &RecordsTab::passwordListBoxChange);
    connect(filter_, &QComboBox::currentIndexChanged, this, &RecordsTab::popupMenu1Change);
    connect(catMenu_, &QComboBox::currentIndexChanged, this, &RecordsTab::catPopupMenuChange);
    connect(labelMenus_[2], &QComboBox::currentIndexChanged, this,
            &RecordsTab::field3PopupMenuChange);
    urlField_->installEventFilter(this);

    auto& commands = window.commands();
    for (const char* name : {"AddFields", "AddToolbar"}) {
        connect(commands.action(QString::fromUtf8(name)), &QAction::triggered, this,
                &RecordsTab::addFieldsAction);
    }
    for (const char* name : {"DelFields", "RemoveToolbar"}) {
        connect(commands.action(QString::fromUtf8(name)), &QAction::triggered, this,
                &RecordsTab::delFieldsAction);
    }

    // CatPopupMenu_Open.
    catPopupMenuChange();
}

RecordBook& RecordsTab::book() {
    return window_.session().records;
}

void RecordsTab::show(const Messages& messages) {
    for (const auto& message : messages) {
        window_.dialogs().message(message);
    }
}

void RecordsTab::setValues(const EntryValues& v) {
    userField_->setText(q(v.value1));
    passwordField_->setText(q(v.value2));
    urlField_->setText(q(v.value3));
    titleField_->setText(q(v.title));
    noteField_->setPlainText(q(v.value4));
}

EntryValues RecordsTab::values() const {
    return {userField_->text().toStdString(), passwordField_->text().toStdString(),
            urlField_->text().toStdString(), titleField_->text().toStdString(),
            noteField_->toPlainText().toStdString()};
}

void RecordsTab::clearEditorFields() {
    setValues({});
}

std::optional<std::string> RecordsTab::selectedTitle() const {
    const auto items = list_->selectedItems();
    if (items.isEmpty()) {
        return std::nullopt;
    }
    return items.front()->text(0).toStdString();
}

void RecordsTab::fillList(const QString& categoryRowText) {
    const auto rows = book().filter(categoryRowText.toStdString());
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const auto& row : rows) {
        items.push_back(new QTreeWidgetItem(QStringList{q(row.title), q(row.category)}));
    }
    const QSignalBlocker blocker(list_);
    list_->setUpdatesEnabled(false);
    list_->clear();
    list_->addTopLevelItems(items);
    list_->setUpdatesEnabled(true);
}

void RecordsTab::selectFirstRow() {
    if (list_->topLevelItemCount() > 0) {
        const QSignalBlocker blocker(list_);
        list_->setCurrentItem(list_->topLevelItem(0));
    }
    passwordListBoxChange();
}

void RecordsTab::clrPass() {
    if (!window_.session().signedIn()) {
        // Nobody's entries stay on the page, whatever the tab was doing.
        const QSignalBlocker blocker(list_);
        list_->clear();
        resetToBrowsing();
    }
    clearEditorFields();
    titleField_->setEnabled(false);
    userField_->setEnabled(true);
    passwordField_->setEnabled(false);
    catLabel_->setEnabled(false);
    catMenu_->setEnabled(false);
    filter_->setEnabled(true);
    passwordField_->setEchoMode(QLineEdit::Password);
    hideButton_->setEnabled(true);
    newButton_->setEnabled(true);
    doneButton_->setEnabled(false);
    for (QLineEdit* field : {urlField_, userField_, passwordField_}) {
        field->setReadOnly(true);
    }
    noteField_->setReadOnly(true);
    hideButton_->hide();
    // With "Hide" hidden, "Show" is the way to reveal the password again.
    showButton_->show();
    showButton_->setEnabled(true);
    removeButton_->setEnabled(false);
    editButton_->setEnabled(false);
    mode_ = Browsing;
    selectFirstRow();
}

void RecordsTab::resetToBrowsing() {
    enableBevel();
    showButton_->show();
    showButton_->setEnabled(true);
    list_->setEnabled(true);
}

bool RecordsTab::signIn(const std::string& name) {
    auto& session = window_.session();
    const Outcome migration = book().IndexData(session.folder(), session.userDataKey(), name);
    if (migration.quitRequested) {
        clearEditorFields();
        const QSignalBlocker blocker(list_);
        list_->clear();
        show(migration.messages);
        return false;
    }
    show(migration.messages);
    show(book().LoadPassword(session.folder(), session.userDataKey(), name).messages);

    resetToBrowsing();
    {
        const QSignalBlocker blocker(filter_);
        filter_->setCurrentIndex(0);
    }
    fillList(q(kAllRow));
    if (list_->topLevelItemCount() == 0 && catMenu_->count() > 0) {
        settingCategory_ = true;
        catMenu_->setCurrentIndex(0);
        settingCategory_ = false;
    }
    // The first listed entry is shown, and the category menu shows its category.
    clrPass();
    list_->header()->setSortIndicator(0, Qt::AscendingOrder);
    return true;
}

void RecordsTab::categoriesChanged() {
    const auto& categories = book().categories;
    const std::string chosenCategory = catMenu_->currentText().toStdString();
    const QString chosenFilter = filter_->currentText();
    {
        const QSignalBlocker blocker(catMenu_);
        catMenu_->clear();
        for (const auto& row : categories.catPopupMenu) {
            catMenu_->addItem(q(row));
        }
        catMenu_->setCurrentIndex(categories.menuRowFor(chosenCategory).value_or(0));
    }
    {
        const QSignalBlocker blocker(filter_);
        filter_->clear();
        for (const auto& row : categories.popupMenu1) {
            filter_->addItem(q(row));
        }
        filter_->setCurrentIndex(0);
    }
    settingCategory_ = true;
    catPopupMenuChange();
    settingCategory_ = false;
    if (mode_ == Browsing) {
        popupMenu1Change();
        return;
    }
    // An add or an edit in progress goes on; the filter keeps its choice while it exists.
    const QSignalBlocker blocker(filter_);
    filter_->setCurrentIndex(std::max(0, filter_->findText(chosenFilter)));
}

void RecordsTab::refillLabelMenus() {
    const auto& rows = book().categories.labelMenus;
    for (size_t n = 0; n < rows.size(); ++n) {
        QComboBox* menu = labelMenus_[n];
        for (auto i = static_cast<size_t>(menu->count()); i < rows[n].size(); ++i) {
            menu->addItem(q(rows[n][i]));
        }
    }
}

void RecordsTab::setLinkStyle(bool link) {
    QPalette palette = urlField_->palette();
    palette.setColor(QPalette::Text, QColor::fromRgb(link ? kLinkRgb : 0x000000));
    urlField_->setPalette(palette);
    QFont font = urlField_->font();
    font.setUnderline(link);
    urlField_->setFont(font);
}

void RecordsTab::passAddPushButtonAction() {
    clearEditorFields();
    for (QWidget* w :
         {static_cast<QWidget*>(userField_), static_cast<QWidget*>(passwordField_),
          static_cast<QWidget*>(urlField_), static_cast<QWidget*>(titleField_),
          static_cast<QWidget*>(noteField_), catLabel_, static_cast<QWidget*>(catMenu_)}) {
        w->setEnabled(true);
    }
    passwordField_->setEchoMode(QLineEdit::Normal);
    for (QPushButton* b : {newButton_, hideButton_, editButton_, removeButton_, showButton_}) {
        b->setEnabled(false);
    }
    doneButton_->setEnabled(true);
    for (QLineEdit* field : {urlField_, userField_, passwordField_}) {
        field->setReadOnly(false);
    }
    noteField_->setReadOnly(false);
    mode_ = Adding;
    filter_->setEnabled(false);
    list_->setEnabled(false);
    for (int n = 0; n < 4; ++n) {
        labelMenus_[n]->setEnabled(true);
        labelMenus_[n]->show();
        bevels_[n]->setEnabled(false);
        bevels_[n]->hide();
    }
    field3PopupMenuChange();
}

void RecordsTab::passEditPushButtonAction() {
    editButton_->setEnabled(false);
    removeButton_->setEnabled(false);
    newButton_->setEnabled(false);
    hideButton_->setEnabled(false);
    hideButton_->hide();
    doneButton_->setEnabled(true);
    mode_ = Editing;
    categoryTouched_ = false;
    catMenu_->setEnabled(true);
    titleField_->setEnabled(false); // the title cannot change in an edit
    for (QWidget* w : {static_cast<QWidget*>(userField_), static_cast<QWidget*>(passwordField_),
                       static_cast<QWidget*>(urlField_), static_cast<QWidget*>(noteField_)}) {
        w->setEnabled(true);
    }
    for (QLineEdit* field : {userField_, passwordField_, urlField_}) {
        field->setReadOnly(false);
    }
    noteField_->setReadOnly(false);
    showButton_->show();
    showButton_->setEnabled(false);
}

void RecordsTab::finishDone() {
    showButton_->show();
    showButton_->setEnabled(true);
    list_->setEnabled(true);
    list_->header()->setSortIndicator(0, Qt::AscendingOrder);
}

void RecordsTab::passDonePushButtonAction() {
    auto& session = window_.session();
    if (mode_ == Adding) {
        const EntryValues entry = values();
        if (book().titleTaken(entry.title)) {
            // Blank, or used by any entry of the user, listed or hidden by the filter.
            titleField_->clear();
            if (window_.dialogs().askRetryCancel(record_text::kTitleRefused) == platform::kRetry) {
                return; // still adding, the other values kept
            }
        } else {
            Labels labels;
            for (size_t n = 0; n < labels.size(); ++n) {
                labels[n] = labelMenus_[n]->currentText().toStdString();
            }
            const std::string category = catMenu_->currentIndex() < 0
                                             ? std::string()
                                             : catMenu_->currentText().toStdString();
            show(book()
                     .SavePassword(session.folder(), session.userDataKey(), session.signedInName(),
                                   category, entry, labels)
                     .messages);
        }
        enableBevel();
        mode_ = Browsing;
        // The save left the tables as the files now are: no second load.
        chooseAll(false);
    } else if (mode_ == Editing) {
        const auto title = selectedTitle();
        if (!title) {
            window_.dialogs().message(record_text::kEditProblem);
            return;
        }
        std::optional<std::string> category;
        if (categoryTouched_ && catMenu_->currentIndex() >= 0) {
            category = catMenu_->currentText().toStdString();
        }
        show(book()
                 .EditPass(session.folder(), session.userDataKey(), session.signedInName(), *title,
                           category, values())
                 .messages);
        mode_ = Browsing;
        chooseAll(false); // the edit left the tables reloaded
    }
    finishDone();
}

void RecordsTab::passDelPushButtonAction() {
    if (window_.dialogs().askYesNo("Remove the selected item ?") != platform::kYes) {
        return;
    }
    if (const auto title = selectedTitle()) {
        auto& session = window_.session();
        show(book()
                 .RemovePassword(session.folder(), session.userDataKey(), session.signedInName(),
                                 *title)
                 .messages);
    }
    // The reloaded list shows every entry; the filter keeps its choice.
    fillList(q(kAllRow));
    clrPass();
    showButton_->show();
    showButton_->setEnabled(true);
}

void RecordsTab::passwordShowPushButtonAction() {
    showButton_->hide();
    hideButton_->show();
    passwordField_->setEchoMode(QLineEdit::Normal);
    passwordField_->setEnabled(true);
}

void RecordsTab::passHidePushButtonAction() {
    hideButton_->hide();
    showButton_->show();
    passwordField_->setEchoMode(QLineEdit::Password);
    passwordField_->setEnabled(false);
}

void RecordsTab::passwordListBoxChange() {
    if (const auto title = selectedTitle()) {
        if (const auto shown = book().select(*title)) {
            setValues(shown->values);
            for (size_t n = 0; n < shown->labels.size(); ++n) {
                bevels_[n]->setText(caption(shown->labels[n]));
            }
            editButton_->setEnabled(true);
            removeButton_->setEnabled(true);
            // The category menu follows the shown entry; a category no longer offered leaves
            // it as it is (an edit then keeps the stored category).
            if (const auto row = book().categories.menuRowFor(shown->category)) {
                settingCategory_ = true;
                catMenu_->setCurrentIndex(*row);
                settingCategory_ = false;
            }
            categoryTouched_ = false;
        }
    }
    updateBevel();
}

void RecordsTab::chooseAll(bool reload) {
    {
        const QSignalBlocker blocker(filter_);
        filter_->setCurrentIndex(0);
    }
    refilter(reload);
}

void RecordsTab::popupMenu1Change() {
    refilter(true);
}

void RecordsTab::refilter(bool reload) {
    // ClrPass without its row selection: the list is refilled first.
    {
        const QSignalBlocker blocker(list_);
        list_->clear();
    }
    clrPass();
    if (reload) {
        auto& session = window_.session();
        show(book()
                 .LoadPassword(session.folder(), session.userDataKey(), session.signedInName())
                 .messages);
    }
    fillList(filter_->currentIndex() <= 0 ? q(kAllRow) : filter_->currentText());
    selectFirstRow();
    list_->header()->setSortIndicator(0, Qt::AscendingOrder);
}

void RecordsTab::catPopupMenuChange() {
    book().categories.CustomAdded(catMenu_->currentIndex());
    refillLabelMenus();
    if (!settingCategory_ && mode_ == Editing) {
        categoryTouched_ = true;
    }
}

void RecordsTab::field3PopupMenuChange() {
    setLinkStyle(labelMenus_[2]->currentIndex() == 0);
}

void RecordsTab::updateBevel() {
    setLinkStyle(text::equalsIgnoreCase(uncaption(bevels_[2]->text()), "Website Address:"));
}

void RecordsTab::enableBevel() {
    for (int n = 0; n < 4; ++n) {
        labelMenus_[n]->setEnabled(false);
        labelMenus_[n]->hide();
        bevels_[n]->setEnabled(true);
        bevels_[n]->show();
    }
}

void RecordsTab::passUrlEditFieldMouseDown() {
    if (mode_ != Browsing) {
        return; // the click only places the caret
    }
    const std::string text = urlField_->text().trimmed().toStdString();
    if (text.empty()) {
        return;
    }
    if (const auto url = webAddressToOpen(text)) {
        window_.services().openUrl(*url);
    } else {
        window_.services().beep();
    }
}

bool RecordsTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == urlField_ && event->type() == QEvent::MouseButtonPress) {
        passUrlEditFieldMouseDown();
    }
    return QObject::eventFilter(watched, event);
}

void RecordsTab::addFieldsAction() {
    auto& categories = book().categories;
    AddCategoryDialog dialog(categories, window_.dialogs(), &window_);
    runDialog_(dialog);
    if (dialog.result() != QDialog::Accepted) {
        return;
    }
    const Messages messages =
        categories.addCategory(window_.session().folder(), dialog.name(), dialog.labels());
    show(messages);
    if (messages.empty()) {
        categoriesChanged(); // the core has already read "._cate" back
    }
}

void RecordsTab::delFieldsAction() {
    auto& categories = book().categories;
    const auto names = categories.customNames();
    if (names.empty()) {
        window_.dialogs().message(category_dialog_text::kNoCustom);
        return;
    }
    RemoveCategoryDialog dialog(names, &window_);
    runDialog_(dialog);
    const auto name = dialog.chosen();
    if (dialog.result() != QDialog::Accepted || !name) {
        return;
    }
    const std::string question =
        std::string(category_dialog_text::kConfirmRemove) + "\"" + *name + "\" ?";
    if (window_.dialogs().askYesNo(question) != platform::kYes) {
        return;
    }
    const Messages messages = categories.removeCategory(window_.session().folder(), *name);
    show(messages);
    if (messages.empty()) {
        categoriesChanged(); // the core has already read "._cate" back
    }
}

} // namespace quorvel::records::gui
