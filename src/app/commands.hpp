#pragma once
// The menu bar and the toolbar, and the rules that switch their commands on and off as the
// session moves between signed out and signed in. The rules are data: one table, applied by
// start-up, sign-in, every sign-out path and the preferences.

#include <QHash>
#include <QObject>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

namespace quorvel::app {

// The moments at which commands are switched.
enum class SessionEvent {
    StartUp,
    SignIn,
    LogoutBox,  // the "Logout" box
    AutoLogout, // the auto-logout timer
    Rename,     // renaming the signed-in user
    RemoveSelf, // removing the signed-in or the last user
    PrefsDone,  // "Done" of the preferences window
};

struct CommandSwitch {
    const char* item;
    bool enabled;
};

// What an event switches, in order.
std::vector<CommandSwitch> switchesFor(SessionEvent event);

class Commands : public QObject {
    Q_OBJECT
public:
    explicit Commands(QMainWindow* window);

    // A menu item or toolbar item by its name ("P", "AddFields", "AddToolbar", ...).
    QAction* action(const QString& name) const;
    QToolBar* toolBar() const { return toolBar_; }
    QMenu* editMenu() const { return editMenu_; }

    void apply(SessionEvent event);

    // Re-reads what the focused text field can do and enables the Edit items accordingly.
    void updateEditItems();

private:
    QAction* add(QMenu* menu, const char* name, const char* caption, const char* shortcut,
                 bool enabled);

    QHash<QString, QAction*> actions_;
    QToolBar* toolBar_ = nullptr;
    QMenu* editMenu_ = nullptr;
};

} // namespace quorvel::app
