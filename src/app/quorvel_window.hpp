#pragma once
// The main window: owner of the session, of every page and of the menus and toolbar.

#include "app/commands.hpp"
#include "app/form.hpp"
#include "platform/dialogs.hpp"
#include "store/places.hpp"
#include "platform/services.hpp"
#include "users/session.hpp"

#include <QMainWindow>
#include <QPoint>

#include <filesystem>
#include <memory>

class QTimer;

namespace quorvel::users::gui {
class LoginPanel;
}
namespace quorvel::records::gui {
class RecordsTab;
}

namespace quorvel::app {

class Quorvel : public QMainWindow {
    Q_OBJECT
public:
    Quorvel(store::Places places, platform::Dialogs& dialogs, platform::Services& services,
            platform::Http& http, QWidget* parent = nullptr);
    ~Quorvel() override;

    // The window's opening steps, in order: custom categories, installation code and user
    // list, account name, data folder, preferences.
    void open();

    // Controls by name.
    const Form& form() const { return form_; }
    template <typename T> T* control(const QString& name) const { return form_.get<T>(name); }

    Commands& commands() { return *commands_; }
    TabPanel* loginPanel() const { return loginPanel_; }
    TabPanel* workPanel() const { return workPanel_; }
    QTimer* logoutTimer() const { return logoutTimer_; }

    const store::Places& places() const { return places_; }
    platform::Dialogs& dialogs() { return dialogs_; }
    platform::Services& services() { return services_; }
    platform::Http& http() { return http_; }

    // The user accounts and the signed-in user's records.
    users::Session& session() { return session_; }
    users::gui::LoginPanel& loginHandler() { return *loginHandler_; }
    records::gui::RecordsTab& recordsTab() { return *recordsTab_; }

    // Back to the signed-out state by one of the sign-out paths: the panels switched, fields
    // and lists emptied, nobody's key left in force, the user list reloaded, and the commands
    // that path switches off switched off.
    void signOut(SessionEvent path);

    // Reads the custom categories and rebuilds the category menus.
    void addedCustomUpdate();
    // Loads the installation code and the user list and fills the login popup.
    void loadUsers();

    // Session fields of the window itself.
    const std::string& currentUser() const { return currentUser_; }
    const std::filesystem::path& prefFile() const { return prefFile_; }

    // The two session states.
    void showSignedIn();
    void showSignedOut();
    bool signedInShown() const;

    // The window's closing steps: the backup staging folder and archive are removed.
    void closeSteps();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildForm();
    void connectCommands();
    void relayout();

    // Reads the preferences (they arrive with the preferences window).
    void loadPrefs();

    store::Places places_;
    platform::Dialogs& dialogs_;
    platform::Services& services_;
    platform::Http& http_;
    users::Session session_;

    Form form_;
    Commands* commands_ = nullptr;
    QWidget* content_ = nullptr;
    TabPanel* loginPanel_ = nullptr;
    TabPanel* workPanel_ = nullptr;
    QTimer* logoutTimer_ = nullptr;
    users::gui::LoginPanel* loginHandler_ = nullptr;
    records::gui::RecordsTab* recordsTab_ = nullptr;

    std::string currentUser_;
    std::filesystem::path prefFile_;
    QPoint dragOffset_;
    bool dragging_ = false;
    bool closed_ = false;
};

} // namespace quorvel::app
