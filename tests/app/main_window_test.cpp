#include "app/help_book.hpp"
#include "app/main_form.hpp"
#include "support/gui_fixture.hpp"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolBar>

using namespace quorvel;
using quorvel::test::GuiTest;

namespace {

class MainWindowTest : public GuiTest {};

QPoint placeInWindow(QWidget* w, QWidget* content) {
    return w->mapTo(content, QPoint(0, 0));
}

} // namespace

TEST_F(MainWindowTest, StartsSignedOutInFreshFolders) {
    start();
    EXPECT_EQ(window().windowTitle(), "Quorvel Pro");
    EXPECT_EQ(window().centralWidget()->size(), QSize(699, 430));
    EXPECT_TRUE(visible("LoginTabPanel"));
    EXPECT_FALSE(visible("QuorvelSelTabPanel"));
    EXPECT_TRUE(visible("nameStaticText"));
    EXPECT_TRUE(control<QLabel>("nameStaticText")->text().isEmpty());
    EXPECT_TRUE(visible("LogoutCheckBox"));
    EXPECT_FALSE(enabled("LogoutCheckBox"));
    EXPECT_FALSE(control<QCheckBox>("LogoutCheckBox")->isChecked());
    EXPECT_TRUE(visible("StaticText5"));
    // Of the login panel, the creation controls are hidden.
    for (const char* hidden : {"UserEditField", "ConPassStaticText", "ConPassEditField",
                               "CancelPushButton", "OkPushButton"}) {
        EXPECT_FALSE(visible(hidden)) << hidden;
    }
    for (const char* shown : {"UserPopupMenu", "PassEditField", "LogPushButton", "Canvas1"}) {
        EXPECT_TRUE(visible(shown)) << shown;
    }
    EXPECT_EQ(control<QLineEdit>("PassEditField")->echoMode(), QLineEdit::Password);
    // The data folder is created with its missing parents; no preferences exist yet.
    EXPECT_TRUE(std::filesystem::is_directory(places.data));
    EXPECT_FALSE(std::filesystem::exists(places.data / "Prefs"));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(MainWindowTest, SignedOutCommandsAndToolbar) {
    start();
    for (const char* on : {"FileClose", "FileQuit", "Preferences", "AppleAbout", "AppleUpdate"}) {
        EXPECT_TRUE(commandEnabled(on)) << on;
    }
    for (const char* off : {"P", "PS", "AddFields", "DelFields", "backup", "BackupToolbar",
                            "AddToolbar", "RemoveToolbar"}) {
        EXPECT_FALSE(commandEnabled(off)) << off;
    }
    EXPECT_EQ(window().commands().action("P")->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(window().commands().action("AppleAbout")->text(),
              QString::fromUtf8("About Quorvel…"));
}

TEST_F(MainWindowTest, SessionEventsSwitchCommandsByTable) {
    start();
    auto& commands = window().commands();
    commands.apply(app::SessionEvent::SignIn);
    for (const char* on : {"P", "PS", "AddFields", "DelFields", "backup", "BackupToolbar",
                           "AddToolbar", "RemoveToolbar"}) {
        EXPECT_TRUE(commandEnabled(on)) << on;
    }
    commands.apply(app::SessionEvent::AutoLogout);
    EXPECT_TRUE(commandEnabled("P"));
    EXPECT_TRUE(commandEnabled("AddToolbar"));
    commands.apply(app::SessionEvent::Rename);
    EXPECT_TRUE(commandEnabled("P"));
    EXPECT_FALSE(commandEnabled("backup"));
    EXPECT_FALSE(commandEnabled("AddToolbar"));
    commands.apply(app::SessionEvent::SignIn);
    commands.apply(app::SessionEvent::LogoutBox);
    for (const char* off : {"P", "PS", "AddFields", "DelFields", "backup", "RemoveToolbar"}) {
        EXPECT_FALSE(commandEnabled(off)) << off;
    }
    commands.apply(app::SessionEvent::PrefsDone);
    EXPECT_TRUE(commandEnabled("backup"));
}

TEST_F(MainWindowTest, LoginControlsKeepTheirOffsetFromThePanelCentre) {
    start();
    QWidget* content = window().centralWidget();
    struct Size {
        int w, h;
    };
    // Grow, grow more, shrink below the start size, back to the start.
    const Size sizes[] = {{799, 430}, {948, 738}, {548, 338}, {700, 431}, {699, 430}};
    for (const Size s : sizes) {
        content->resize(s.w, s.h);
        QApplication::processEvents();
        const QSize panel = window().loginPanel()->size();
        EXPECT_EQ(panel, QSize(s.w - 24, s.h - 37));
        const int dx = panel.width() / 2 - 675 / 2;
        const int dy = panel.height() / 2 - 393 / 2;
        for (const auto& row : app::loginPanelControls()) {
            QWidget* w = window().form().widget(row.name);
            EXPECT_EQ(placeInWindow(w, content), QPoint(row.left + dx, row.top + dy))
                << row.name << " at " << s.w << "x" << s.h;
        }
    }
    // At the start size every control stands at its own place again.
    EXPECT_EQ(placeInWindow(widget("LogPushButton"), content), QPoint(326, 363));
    EXPECT_EQ(placeInWindow(widget("UserEditField"), content), QPoint(282, 217));
    // The work panel keeps its size.
    EXPECT_EQ(window().workPanel()->geometry(), app::kWorkPanelPlace);
}

TEST_F(MainWindowTest, DraggingTheBackgroundMovesTheWindowByTheDelta) {
    start();
    window().move(100, 100);
    QApplication::processEvents();
    const QPoint before = window().pos();
    QWidget* content = window().centralWidget();
    const QPoint local(5, 420); // background below the panels
    const QPointF global = content->mapToGlobal(QPointF(local));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(local), global, Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(content, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(local) + QPointF(37, -12),
                     global + QPointF(37, -12), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(content, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(local), global + QPointF(37, -12),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(content, &release);
    EXPECT_EQ(window().pos(), before + QPoint(37, -12));
}

TEST_F(MainWindowTest, CloseRemovesBackupStagingFolderAndArchive) {
    root.write("data/Quorvel Backup/a/b/c.txt", "x");
    root.write("data/Quorvel Backup/a/d.txt", "x");
    root.write("data/Quorvel Backup/top.txt", "x");
    root.write("data/QuorvelData.zip", "zip");
    root.write("data/._keep", "keep");
    start();
    window().close();
    EXPECT_FALSE(std::filesystem::exists(places.current / "Quorvel Backup"));
    EXPECT_FALSE(std::filesystem::exists(places.current / "QuorvelData.zip"));
    EXPECT_TRUE(std::filesystem::exists(places.current / "._keep"));
}

TEST_F(MainWindowTest, CloseWithNothingToRemoveIsSilent) {
    start();
    window().close();
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(MainWindowTest, MissingHelpBookBeepsAndTellsTheUser) {
    auto found = app::registerHelpBook({root / "nowhere"}, dialogs, services);
    EXPECT_FALSE(found);
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(dialogs.messages(),
              std::vector<std::string>{"There was a problem registering Apple Help."});

    root.write("help/index.html", "<html></html>");
    dialogs.clear();
    EXPECT_TRUE(app::registerHelpBook({root / "nowhere", root / "help"}, dialogs, services));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(MainWindowTest, EditItemsFollowTheFocusedField) {
    start();
    auto* pass = control<QLineEdit>("PassEditField");
    pass->setText("secret");
    pass->setFocus();
    pass->selectAll();
    window().commands().updateEditItems();
    if (QApplication::focusWidget() != pass) {
        GTEST_SKIP() << "no keyboard focus on this platform";
    }
    EXPECT_FALSE(commandEnabled("EditCopy")); // never from a masked field
    EXPECT_FALSE(commandEnabled("EditCut"));
    EXPECT_TRUE(commandEnabled("EditClear"));

    auto* name = control<QLineEdit>("UserEditField");
    name->show();
    name->setText("Ann");
    name->setFocus();
    name->selectAll();
    window().commands().updateEditItems();
    EXPECT_TRUE(commandEnabled("EditCopy"));
    EXPECT_TRUE(commandEnabled("EditCut"));
}
