#pragma once
// The login panel: choosing a user, signing in, creating an account; and the "Logout" box.

#include <QObject>

class QComboBox;
class QLineEdit;

namespace quorvel::app {
class Quorvel;
}

namespace quorvel::users::gui {

class LoginPanel : public QObject {
    Q_OBJECT
public:
    explicit LoginPanel(app::Quorvel& window);

    // Fills the popup from the session's user list, without running its change handling.
    void refillPopup();
    // Chooses a popup entry and runs its change handling, also when the entry was chosen.
    void choosePopup(int entry);

    // Handlers.
    void userPopupMenuChange();
    void login();
    void okPushButtonAction();
    void cancelPushButtonAction();
    void logoutCheckBoxAction(bool ticked);

private:
    void showCreationControls(bool show);
    void enterSignedIn(const std::string& name);

    app::Quorvel& window_;
    QComboBox* popup_;
    QLineEdit* password_;
    QLineEdit* newName_;
    QLineEdit* confirm_;
};

} // namespace quorvel::users::gui
