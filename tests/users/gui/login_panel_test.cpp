#include "support/gui_fixture.hpp"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

using namespace quorvel;
using quorvel::test::GuiTest;

namespace {

class LoginPanelTest : public GuiTest {
protected:
    QStringList popupItems() {
        QStringList items;
        auto* popup = control<QComboBox>("UserPopupMenu");
        for (int i = 0; i < popup->count(); ++i) {
            items << popup->itemText(i);
        }
        return items;
    }
    int popupIndex() { return control<QComboBox>("UserPopupMenu")->currentIndex(); }

    // Creates an account through the creation controls.
    void create(const QString& name, const QString& password, const QString& confirm) {
        choose("UserPopupMenu", 1);
        type("UserEditField", name);
        type("PassEditField", password);
        type("ConPassEditField", confirm);
        click("OkPushButton");
    }
    bool creationShown() {
        return visible("UserEditField") && visible("ConPassEditField") &&
               visible("ConPassStaticText") && visible("OkPushButton") &&
               visible("CancelPushButton") && !visible("UserPopupMenu") &&
               !visible("LogPushButton");
    }
    bool loginShown() {
        return !visible("UserEditField") && !visible("ConPassEditField") &&
               !visible("ConPassStaticText") && !visible("OkPushButton") &&
               !visible("CancelPushButton") && visible("UserPopupMenu") && visible("LogPushButton");
    }
    void signIn(int entry, const QString& password) {
        choose("UserPopupMenu", entry);
        type("PassEditField", password);
        click("LogPushButton");
    }
};

} // namespace

TEST_F(LoginPanelTest, PopupForZeroOneAndTwoUsers) {
    start();
    EXPECT_EQ(popupItems(), (QStringList{"Select User", "Create New User"}));
    EXPECT_EQ(popupIndex(), 0);
    EXPECT_TRUE(loginShown());
    EXPECT_TRUE(std::filesystem::exists(places.current / "._code"));
    EXPECT_TRUE(std::filesystem::exists(places.current / "._Quorvel.enc"));

    create("Ann", "pw1", "pw1");
    EXPECT_EQ(popupItems(), (QStringList{"Select User", "Create New User", "Ann"}));
    EXPECT_EQ(popupIndex(), 0); // the new user is not chosen
    EXPECT_TRUE(loginShown());
    restart();
    EXPECT_EQ(popupIndex(), 2); // the only user is chosen at start

    create("Bob", "pw2", "pw2");
    restart();
    EXPECT_EQ(popupItems(), (QStringList{"Select User", "Create New User", "Ann", "Bob"}));
    EXPECT_EQ(popupIndex(), 0);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(LoginPanelTest, CreationControlsReplaceThePopupAndCancelRestoresIt) {
    start();
    choose("UserPopupMenu", 1);
    EXPECT_TRUE(creationShown());
    EXPECT_EQ(widget("UserEditField")->geometry().topLeft(),
              widget("UserPopupMenu")->geometry().topLeft() + QPoint(1, -1));
    type("UserEditField", "Ann");
    type("PassEditField", "pw");
    type("ConPassEditField", "pw");
    click("CancelPushButton");
    EXPECT_TRUE(loginShown());
    EXPECT_EQ(popupIndex(), 0);
    EXPECT_TRUE(control<QLineEdit>("UserEditField")->text().isEmpty());
    EXPECT_TRUE(control<QLineEdit>("PassEditField")->text().isEmpty());
    EXPECT_EQ(control<QLineEdit>("ConPassEditField")->text(), "pw"); // kept, as always
    EXPECT_EQ(popupItems().size(), 2);
}

TEST_F(LoginPanelTest, CreationRefusalsShowTheirMessageAndWriteNothing) {
    start();
    create("Élodie", "pw", "pw");
    ASSERT_EQ(popupItems().size(), 3);
    const std::string userFile = root.read("data/._Quorvel.enc");

    struct Case {
        QString name, password, confirm;
        std::vector<std::string> messages;
        bool passwordCleared;
    };
    const Case cases[] = {
        {"Carl", "secret", "Secret", {"Passwords does not match, please re-enter."}, true},
        {"ÉLODIE", "pw", "pw", {"Name has already been taken."}, true},
        {"select user", "pw", "pw", {"Name has already been taken."}, true},
        {"CREATE NEW USER", "pw", "pw", {"Name has already been taken."}, true},
        {"a/b", "pw", "pw", {"This name can not be used, please choose another."}, true},
        {"..", "pw", "pw", {"This name can not be used, please choose another."}, true},
        {"two\nlines", "pw", "pw", {"This name can not be used, please choose another."}, true},
        {"", "pw", "pw", {}, false},
        {"Dora", "", "", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        dialogs.clear();
        create(c.name, c.password, c.confirm);
        EXPECT_EQ(dialogs.messages(), c.messages);
        if (c.passwordCleared) {
            EXPECT_TRUE(control<QLineEdit>("PassEditField")->text().isEmpty());
            EXPECT_TRUE(control<QLineEdit>("ConPassEditField")->text().isEmpty());
        } else {
            // Empty fields: nothing is cleared, but the creation controls close.
            EXPECT_EQ(control<QLineEdit>("PassEditField")->text(), c.password);
            EXPECT_EQ(control<QLineEdit>("ConPassEditField")->text(), c.confirm);
        }
        EXPECT_TRUE(loginShown());
        EXPECT_EQ(popupIndex(), 0);
        EXPECT_EQ(popupItems().size(), 3);
        EXPECT_EQ(root.read("data/._Quorvel.enc"), userFile);
    }
    // Refused names left no files behind.
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(places.current)) {
        ++files;
    }
    EXPECT_EQ(files, 4u); // ._code, ._Quorvel.enc, and Élodie's two files
}

TEST_F(LoginPanelTest, NewAccountFilesAreOwnerOnlyAndExistingOnesKept) {
    root.write("data/._pass.accAnn", "keep me\n");
    start();
    create("Ann", "pw", "pw");
    EXPECT_EQ(root.read("data/._pass.accAnn"), "keep me\n");
    EXPECT_EQ(root.read("data/._catIndexAnn"), "");
    for (const char* f : {"._code", "._Quorvel.enc", "._catIndexAnn"}) {
        EXPECT_EQ(test::permissionsOf(places.current / f), 0600u) << f;
    }
}

TEST_F(LoginPanelTest, WrongPasswordOrOtherLetterCaseIsRefusedSilently) {
    start();
    create("Ann", "Secret", "Secret");
    for (const QString& typed : {QString("secret"), QString("wrong"), QString("")}) {
        signIn(2, typed);
        EXPECT_FALSE(window().signedInShown()) << typed.toStdString();
        EXPECT_TRUE(control<QLineEdit>("PassEditField")->text().isEmpty());
        EXPECT_FALSE(window().session().signedIn());
    }
    // "Select User" chosen: the password field is cleared.
    signIn(0, "Secret");
    EXPECT_FALSE(window().signedInShown());
    EXPECT_TRUE(control<QLineEdit>("PassEditField")->text().isEmpty());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(LoginPanelTest, SignInEntersTheSignedInState) {
    start();
    create("Ann", "a", "a");
    create("Bob", "b", "b");
    create("Cy", "c", "c");
    signIn(3, "b");
    ASSERT_TRUE(window().signedInShown());
    EXPECT_FALSE(visible("LoginTabPanel"));
    EXPECT_TRUE(visible("QuorvelSelTabPanel"));
    EXPECT_TRUE(enabled("LogoutCheckBox"));
    EXPECT_EQ(control<QLabel>("nameStaticText")->text(), "User: Bob");
    EXPECT_EQ(window().session().lnx(), 3);
    EXPECT_EQ(window().session().signedInName(), "Bob");
    auto* users = control<QListWidget>("UserPassListBox");
    ASSERT_EQ(users->count(), 3);
    EXPECT_EQ(users->item(0)->text(), "Ann");
    EXPECT_EQ(users->item(2)->text(), "Cy");
    EXPECT_EQ(users->currentRow(), 0);
    for (const char* on : {"P", "PS", "AddFields", "DelFields", "backup", "BackupToolbar",
                           "AddToolbar", "RemoveToolbar"}) {
        EXPECT_TRUE(commandEnabled(on)) << on;
    }
    EXPECT_TRUE(visible("PasswordShowPushButton"));
    EXPECT_TRUE(control<QLineEdit>("PassEditField")->text().isEmpty());
}

TEST_F(LoginPanelTest, ReturnInThePasswordFieldSignsIn) {
    start();
    create("Ann", "pw", "pw");
    choose("UserPopupMenu", 1); // creating: Return still runs the login, which clears the field
    type("PassEditField", "pw");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
    QApplication::sendEvent(control<QLineEdit>("PassEditField"), &enter);
    EXPECT_TRUE(control<QLineEdit>("PassEditField")->text().isEmpty());
    EXPECT_FALSE(window().signedInShown());

    choose("UserPopupMenu", 2);
    type("PassEditField", "pw");
    QKeyEvent ret(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(control<QLineEdit>("PassEditField"), &ret);
    EXPECT_TRUE(window().signedInShown());
}

TEST_F(LoginPanelTest, LogoutBoxAsksAndSignsOutCompletely) {
    start();
    create("Ann", "pw", "pw");
    signIn(2, "pw");
    ASSERT_TRUE(window().signedInShown());
    auto* box = control<QCheckBox>("LogoutCheckBox");

    dialogs.answerYesNo(platform::kNo);
    box->click();
    EXPECT_EQ(dialogs.shown().back().text, "Are you sure you want to logout ?");
    EXPECT_TRUE(window().signedInShown());
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(visible("PasswordShowPushButton"));
    EXPECT_TRUE(enabled("PasswordShowPushButton"));

    dialogs.answerYesNo(platform::kYes);
    box->click();
    EXPECT_FALSE(window().signedInShown());
    EXPECT_TRUE(visible("LoginTabPanel"));
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(box->isEnabled());
    EXPECT_EQ(control<QLabel>("nameStaticText")->text(), "");
    EXPECT_EQ(control<QListWidget>("UserPassListBox")->count(), 0);
    // Nobody's key remains.
    EXPECT_FALSE(window().session().signedIn());
    EXPECT_TRUE(window().session().currentPass().empty());
    EXPECT_TRUE(window().session().signedInName().empty());
    EXPECT_EQ(window().session().lnx(), 0);
    for (const char* off : {"P", "PS", "AddFields", "DelFields", "backup", "AddToolbar"}) {
        EXPECT_FALSE(commandEnabled(off)) << off;
    }
    // The user list was reloaded: the only user is chosen again.
    EXPECT_EQ(popupIndex(), 2);
}
