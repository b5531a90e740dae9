#include "app/commands.hpp"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextEdit>
#include <QToolBar>

namespace quorvel::app {

std::vector<CommandSwitch> switchesFor(SessionEvent event) {
    switch (event) {
    case SessionEvent::StartUp:
        return {{"AddFields", false}, {"DelFields", false}};
    case SessionEvent::SignIn:
        return {{"P", true},          {"PS", true},           {"AddFields", true},
                {"DelFields", true},  {"backup", true},       {"BackupToolbar", true},
                {"AddToolbar", true}, {"RemoveToolbar", true}};
    case SessionEvent::LogoutBox:
        return {{"AddFields", false},  {"DelFields", false},
                {"backup", false},     {"BackupToolbar", false},
                {"AddToolbar", false}, {"RemoveToolbar", false},
                {"P", false},          {"PS", false}};
    case SessionEvent::Rename:
        return {{"AddFields", false},     {"DelFields", false},  {"backup", false},
                {"BackupToolbar", false}, {"AddToolbar", false}, {"RemoveToolbar", false}};
    case SessionEvent::AutoLogout:
    case SessionEvent::RemoveSelf:
        return {};
    case SessionEvent::PrefsDone:
        return {{"backup", true}};
    }
    return {};
}

namespace {

struct ItemSpec {
    const char* name;
    const char* caption;
    const char* shortcut;
    bool enabled;
    QAction::MenuRole role;
};

QWidget* focusedField() {
    QWidget* w = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
        qobject_cast<QTextEdit*>(w)) {
        return w;
    }
    return nullptr;
}

} // namespace

QAction* Commands::add(QMenu* menu, const char* name, const char* caption, const char* shortcut,
                       bool enabled) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromUtf8(name));
    if (shortcut != nullptr && *shortcut != '\0') {
        a->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + QString::fromUtf8(shortcut)));
    }
    a->setEnabled(enabled);
    actions_.insert(a->objectName(), a);
    return a;
}

Commands::Commands(QMainWindow* window) : QObject(window) {
    QMenuBar* bar = window->menuBar();
    bar->setObjectName(QStringLiteral("MenuBar1"));

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("FileMenu"));
    add(file, "FileClose", "Close", "W", true)->setMenuRole(QAction::NoRole);
    add(file, "FileQuit", "Quit", "Q", true)->setMenuRole(QAction::QuitRole);
    add(file, "PS", "Page Setup", "", false);
    add(file, "P", "Print", "P", false);

    editMenu_ = bar->addMenu(QStringLiteral("&Edit"));
    editMenu_->setObjectName(QStringLiteral("EditMenu"));
    add(editMenu_, "EditUndo", "Undo", "Z", false);
    editMenu_->addSeparator();
    add(editMenu_, "EditCut", "Cut", "X", false);
    add(editMenu_, "EditCopy", "Copy", "C", false);
    add(editMenu_, "EditPaste", "Paste", "V", false);
    add(editMenu_, "EditClear", "Clear", "", false);

    QMenu* customize = bar->addMenu(QStringLiteral("Customize"));
    customize->setObjectName(QStringLiteral("Customize"));
    add(customize, "AddFields", "Add Category", "", true);
    add(customize, "DelFields", "Remove Category", "", true);
    add(customize, "Preferences", "Preferences", ",", true)->setMenuRole(QAction::PreferencesRole);
    customize->addSeparator();
    add(customize, "AppleAbout", "About Quorvel…", "", true)->setMenuRole(QAction::AboutRole);
    add(customize, "AppleUpdate", "Check for Updates..", "", true)
        ->setMenuRole(QAction::ApplicationSpecificRole);
    add(customize, "backup", "Backup or Restore..", "", false)
        ->setMenuRole(QAction::ApplicationSpecificRole);

    toolBar_ = window->addToolBar(QStringLiteral("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("Toolbar"));
    toolBar_->setMovable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    struct ToolSpec {
        const char* name;
        const char* caption;
        QStyle::StandardPixmap icon;
    };
    const ToolSpec tools[] = {
        {"BackupToolbar", "Backup or Restore", QStyle::SP_DialogSaveButton},
        {"AddToolbar", "Add Category", QStyle::SP_FileDialogNewFolder},
        {"RemoveToolbar", "Remove Category", QStyle::SP_TrashIcon},
    };
    for (const auto& t : tools) {
        QAction* a = toolBar_->addAction(window->style()->standardIcon(t.icon),
                                         QString::fromUtf8(t.caption));
        a->setObjectName(QString::fromUtf8(t.name));
        a->setToolTip(QString());
        a->setStatusTip(QString());
        a->setEnabled(false);
        actions_.insert(a->objectName(), a);
    }

    // The Edit items act on the focused text field.
    auto onField = [](auto lineEdit, auto plain, auto rich) {
        return [=] {
            QWidget* w = focusedField();
            if (auto* e = qobject_cast<QLineEdit*>(w)) {
                lineEdit(e);
            } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
                plain(p);
            } else if (auto* r = qobject_cast<QTextEdit*>(w)) {
                rich(r);
            }
        };
    };
    connect(action(QStringLiteral("EditUndo")), &QAction::triggered, this,
            onField([](QLineEdit* e) { e->undo(); }, [](QPlainTextEdit* e) { e->undo(); },
                    [](QTextEdit* e) { e->undo(); }));
    connect(action(QStringLiteral("EditCut")), &QAction::triggered, this,
            onField([](QLineEdit* e) { e->cut(); }, [](QPlainTextEdit* e) { e->cut(); },
                    [](QTextEdit* e) { e->cut(); }));
    connect(action(QStringLiteral("EditCopy")), &QAction::triggered, this,
            onField([](QLineEdit* e) { e->copy(); }, [](QPlainTextEdit* e) { e->copy(); },
                    [](QTextEdit* e) { e->copy(); }));
    connect(action(QStringLiteral("EditPaste")), &QAction::triggered, this,
            onField([](QLineEdit* e) { e->paste(); }, [](QPlainTextEdit* e) { e->paste(); },
                    [](QTextEdit* e) { e->paste(); }));
    connect(action(QStringLiteral("EditClear")), &QAction::triggered, this,
            onField([](QLineEdit* e) { e->del(); },
                    [](QPlainTextEdit* e) { e->textCursor().removeSelectedText(); },
                    [](QTextEdit* e) { e->textCursor().removeSelectedText(); }));
    connect(editMenu_, &QMenu::aboutToShow, this, &Commands::updateEditItems);
    connect(qApp, &QApplication::focusChanged, this, &Commands::updateEditItems);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &Commands::updateEditItems);
}

QAction* Commands::action(const QString& name) const {
    QAction* a = actions_.value(name);
    Q_ASSERT_X(a != nullptr, "Commands::action", qPrintable(name));
    return a;
}

void Commands::apply(SessionEvent event) {
    for (const CommandSwitch& s : switchesFor(event)) {
        action(QString::fromUtf8(s.item))->setEnabled(s.enabled);
    }
}

void Commands::updateEditItems() {
    bool undo = false, cut = false, copy = false, paste = false, clear = false;
    const bool clipboardHasText = !QApplication::clipboard()->text().isEmpty();
    QWidget* w = focusedField();
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        const bool writable = !e->isReadOnly() && e->isEnabled();
        const bool masked = e->echoMode() != QLineEdit::Normal;
        undo = writable && e->isUndoAvailable();
        copy = e->hasSelectedText() && !masked;
        cut = copy && writable;
        paste = writable && clipboardHasText;
        clear = writable && e->hasSelectedText();
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        const bool writable = !p->isReadOnly() && p->isEnabled();
        const bool selected = p->textCursor().hasSelection();
        undo = writable && p->document()->isUndoAvailable();
        copy = selected;
        cut = selected && writable;
        paste = writable && clipboardHasText;
        clear = selected && writable;
    } else if (auto* r = qobject_cast<QTextEdit*>(w)) {
        const bool writable = !r->isReadOnly() && r->isEnabled();
        const bool selected = r->textCursor().hasSelection();
        undo = writable && r->document()->isUndoAvailable();
        copy = selected;
        cut = selected && writable;
        paste = writable && clipboardHasText;
        clear = selected && writable;
    }
    action(QStringLiteral("EditUndo"))->setEnabled(undo);
    action(QStringLiteral("EditCut"))->setEnabled(cut);
    action(QStringLiteral("EditCopy"))->setEnabled(copy);
    action(QStringLiteral("EditPaste"))->setEnabled(paste);
    action(QStringLiteral("EditClear"))->setEnabled(clear);
}

} // namespace quorvel::app
