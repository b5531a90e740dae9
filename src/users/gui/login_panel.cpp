#include "users/gui/login_panel.hpp"

#include "app/quorvel_window.hpp"
#include "records/gui/records_tab.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace quorvel::users::gui {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

LoginPanel::LoginPanel(app::Quorvel& window)
    : QObject(&window), window_(window),
      popup_(window.control<QComboBox>(QStringLiteral("UserPopupMenu"))),
      password_(window.control<QLineEdit>(QStringLiteral("PassEditField"))),
      newName_(window.control<QLineEdit>(QStringLiteral("UserEditField"))),
      confirm_(window.control<QLineEdit>(QStringLiteral("ConPassEditField"))) {
    connect(popup_, &QComboBox::currentIndexChanged, this, [this] { userPopupMenuChange(); });
    // Return and the keypad's Enter in the password field sign in.
    connect(password_, &QLineEdit::returnPressed, this, &LoginPanel::login);
    connect(window.control<QPushButton>(QStringLiteral("LogPushButton")), &QPushButton::clicked,
            this, &LoginPanel::login);
    connect(window.control<QPushButton>(QStringLiteral("OkPushButton")), &QPushButton::clicked,
            this, &LoginPanel::okPushButtonAction);
    connect(window.control<QPushButton>(QStringLiteral("CancelPushButton")), &QPushButton::clicked,
            this, &LoginPanel::cancelPushButtonAction);
    // Only the user's ticking asks; the program's own unticking does not come through here.
    connect(window.control<QCheckBox>(QStringLiteral("LogoutCheckBox")), &QCheckBox::clicked, this,
            &LoginPanel::logoutCheckBoxAction);
}

void LoginPanel::refillPopup() {
    QSignalBlocker block(popup_);
    popup_->clear();
    for (const std::string& entry : window_.session().popup()) {
        popup_->addItem(q(entry));
    }
}

void LoginPanel::choosePopup(int entry) {
    {
        QSignalBlocker block(popup_);
        popup_->setCurrentIndex(entry);
    }
    userPopupMenuChange();
}

void LoginPanel::showCreationControls(bool show) {
    for (const char* name : {"ConPassStaticText", "ConPassEditField", "UserEditField",
                             "OkPushButton", "CancelPushButton"}) {
        window_.form().widget(QString::fromLatin1(name))->setVisible(show);
    }
    popup_->setVisible(!show);
    window_.form().widget(QStringLiteral("LogPushButton"))->setVisible(!show);
}

void LoginPanel::userPopupMenuChange() {
    if (popup_->currentIndex() == 1) {
        showCreationControls(true);
        newName_->setFocus();
    } else {
        showCreationControls(false);
        password_->setFocus();
    }
}

void LoginPanel::login() {
    const int entry = popup_->currentIndex();
    auto& session = window_.session();
    if (entry < users::kFirstUserEntry || !session.login(entry, password_->text().toStdString())) {
        password_->clear();
    } else {
        password_->clear();
        enterSignedIn(session.signedInName());
    }
    if (auto* users = window_.control<QListWidget>(QStringLiteral("UserPassListBox"));
        users->count() > 0) {
        users->setCurrentRow(0);
    }
}

void LoginPanel::enterSignedIn(const std::string& name) {
    auto& records = window_.recordsTab();
    records.clearEditorFields();
    window_.commands().apply(app::SessionEvent::SignIn);
    window_.session().records.clear();
    window_.workPanel()->show();
    window_.control<QCheckBox>(QStringLiteral("LogoutCheckBox"))->setEnabled(true);

    auto* users = window_.control<QListWidget>(QStringLiteral("UserPassListBox"));
    users->clear();
    const auto& entries = window_.session().popup();
    for (size_t i = users::kFirstUserEntry; i < entries.size(); ++i) {
        users->addItem(q(entries[i]));
    }
    window_.loginPanel()->hide();

    if (!records.signIn(name)) {
        // The migration moved entries of an earlier release: the user starts again.
        window_.close();
        QApplication::quit();
        return;
    }
    window_.control<QLabel>(QStringLiteral("nameStaticText"))
        ->setText(QStringLiteral("User: ") + q(name));
    window_.form().widget(QStringLiteral("PasswordShowPushButton"))->show();
}

void LoginPanel::okPushButtonAction() {
    const auto result = window_.session().createAccount(newName_->text().toStdString(),
                                                        password_->text().toStdString(),
                                                        confirm_->text().toStdString());
    for (const std::string& message : result.messages) {
        window_.dialogs().message(message);
    }
    if (result.clearName) {
        newName_->clear();
    }
    if (result.clearPassword) {
        password_->clear();
    }
    if (result.clearConfirm) {
        confirm_->clear();
    }
    refillPopup();
    choosePopup(result.popupSelection);
}

void LoginPanel::cancelPushButtonAction() {
    choosePopup(0);
    newName_->clear();
    password_->clear();
}

void LoginPanel::logoutCheckBoxAction(bool ticked) {
    if (!ticked) {
        return;
    }
    auto* box = window_.control<QCheckBox>(QStringLiteral("LogoutCheckBox"));
    if (window_.dialogs().askYesNo("Are you sure you want to logout ?") == platform::kYes &&
        box->isChecked()) {
        window_.signOut(app::SessionEvent::LogoutBox);
        return;
    }
    box->setChecked(false);
    auto* show = window_.form().widget(QStringLiteral("PasswordShowPushButton"));
    show->show();
    show->setEnabled(true);
}

} // namespace quorvel::users::gui
