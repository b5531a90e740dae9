#include "records/gui/category_dialogs.hpp"
#include "records/gui/records_tab.hpp"
#include "records/record_book.hpp"
#include "store/cipher.hpp"
#include "store/files.hpp"
#include "support/gui_fixture.hpp"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include <fstream>
#include <functional>
#include <set>

using namespace quorvel;
using quorvel::records::gui::RecordsTab;
using quorvel::test::GuiTest;

namespace {

const records::Labels kWebLabels{"Username:", "Password:", "Website Address:", "Notes:"};
const records::Labels kBankLabels{"Account No:", "Password:", "Website Address:", "Notes:"};
const records::Labels kCardLabels{"Card Type:", "Card Number:", "Exp Date:", "Notes:"};

struct Seed {
    std::string category;
    records::EntryValues values;
    records::Labels labels;
};

class RecordsTabTest : public GuiTest {
protected:
    // Starts the window and signs in as ann (one key derivation).
    void signIn() {
        start();
        ASSERT_EQ(window().session().createAccount("ann", "pw", "pw").status,
                  users::CreateStatus::Created);
        window().loadUsers();
        choose("UserPopupMenu", 2);
        type("PassEditField", "pw");
        click("LogPushButton");
        ASSERT_TRUE(window().session().signedIn());
    }
    // Stores entries through the core, then runs the tab's part of sign-in again, as a fresh
    // sign-in of ann would.
    void seed(const std::vector<Seed>& entries) {
        auto& s = window().session();
        for (const auto& e : entries) {
            ASSERT_TRUE(s.records
                            .SavePassword(s.folder(), s.userDataKey(), "ann", e.category, e.values,
                                          e.labels)
                            .ok);
        }
        tab().clearEditorFields();
        ASSERT_TRUE(tab().signIn("ann"));
    }
    RecordsTab& tab() { return window().recordsTab(); }
    QTreeWidget* list() { return control<QTreeWidget>("PasswordListBox"); }
    QStringList column(int c) {
        QStringList out;
        for (int i = 0; i < list()->topLevelItemCount(); ++i) {
            out << list()->topLevelItem(i)->text(c);
        }
        return out;
    }
    int selectedRow() {
        auto items = list()->selectedItems();
        return items.isEmpty() ? -1 : list()->indexOfTopLevelItem(items.front());
    }
    void selectRow(int row) { list()->setCurrentItem(list()->topLevelItem(row)); }
    QString text(const char* name) {
        if (auto* plain = qobject_cast<QPlainTextEdit*>(widget(name))) {
            return plain->toPlainText();
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget(name))) {
            return combo->currentText();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget(name))) {
            return button->text();
        }
        return control<QLineEdit>(name)->text();
    }
    QStringList captions() {
        return {text("UsernameBevel"), text("PasswordBevel"), text("WebsiteBevel"),
                text("NotesBevel")};
    }
    bool linkStyle() {
        auto* url = control<QLineEdit>("PassUrlEditField");
        const bool blue = url->palette().color(QPalette::Text) == QColor(0, 0, 255);
        const bool black = url->palette().color(QPalette::Text) == QColor(0, 0, 0);
        EXPECT_TRUE(blue || black);
        EXPECT_EQ(url->font().underline(), blue);
        return blue;
    }
    bool masked() {
        return control<QLineEdit>("PasswordEditField")->echoMode() == QLineEdit::Password;
    }
    // The user's entries as a fresh load of the files gives them.
    records::RecordBook reload() {
        records::RecordBook book;
        auto& s = window().session();
        book.categories.AddedCustomUpdate(s.folder());
        EXPECT_TRUE(book.LoadPassword(s.folder(), s.userDataKey(), "ann").ok);
        return book;
    }
    void pressUrlField() {
        auto* field = widget("PassUrlEditField");
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(4, 4),
                          field->mapToGlobal(QPointF(4, 4)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(field, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(4, 4),
                            field->mapToGlobal(QPointF(4, 4)), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(field, &release);
    }
    size_t questions() {
        size_t n = 0;
        for (const auto& s : dialogs.shown()) {
            n += s.kind != "message";
        }
        return n;
    }
};

// One control's state in a mode: -1 leaves an aspect unchecked.
struct ControlState {
    const char* name;
    int enabled;
    int shown;
    int readOnly;
};

void expectStates(const char* mode, const std::vector<ControlState>& states,
                  const std::function<bool(const char*)>& enabled,
                  const std::function<bool(const char*)>& shown,
                  const std::function<bool(const char*)>& readOnly) {
    for (const auto& s : states) {
        if (s.enabled >= 0) {
            EXPECT_EQ(enabled(s.name), s.enabled == 1) << mode << ": " << s.name << " enabled";
        }
        if (s.shown >= 0) {
            EXPECT_EQ(shown(s.name), s.shown == 1) << mode << ": " << s.name << " shown";
        }
        if (s.readOnly >= 0) {
            EXPECT_EQ(readOnly(s.name), s.readOnly == 1) << mode << ": " << s.name << " read-only";
        }
    }
}

const std::vector<Seed> kThree{
    {"WebSites", {"zed", "zpw", "www.zeta.org", "zeta", "two\nlines"}, kWebLabels},
    {"Credit Cards", {"Visa", "4111", "12/29", "Alpha", ""}, kCardLabels},
    {"Bank Accounts", {"123", "bpw", "https://bank.example", "mid", "n"}, kBankLabels},
};

} // namespace

TEST_F(RecordsTabTest, SignInShowsTheFirstTitleUnderItsOwnLabelsAndCategory) {
    signIn();
    EXPECT_TRUE(column(0).isEmpty());
    seed(kThree);

    EXPECT_EQ(list()->headerItem()->text(0), "Title");
    EXPECT_EQ(list()->headerItem()->text(1), "Category");
    EXPECT_EQ(list()->header()->sortIndicatorSection(), 0);
    EXPECT_EQ(column(0), (QStringList{"Alpha", "mid", "zeta"}));
    EXPECT_EQ(column(1), (QStringList{"Credit Cards", "Bank Accounts", "WebSites"}));
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(tab().passSwitcher(), RecordsTab::Browsing);
    // The category menu shows the first entry's category, not "WebSites".
    EXPECT_EQ(text("CatPopupMenu"), "Credit Cards");
    EXPECT_EQ(captions(), (QStringList{"Card Type:", "Card Number:", "Exp Date:", "Notes:"}));
    EXPECT_EQ(text("PassUserEditField"), "Visa");
    EXPECT_EQ(text("PasswordEditField"), "4111");
    EXPECT_EQ(text("PassUrlEditField"), "12/29");
    EXPECT_EQ(text("WebNameEditField"), "Alpha");
    EXPECT_FALSE(linkStyle());

    selectRow(2);
    EXPECT_EQ(captions(), (QStringList{"Username:", "Password:", "Website Address:", "Notes:"}));
    EXPECT_EQ(text("PassNoteEditField"), "two\nlines");
    EXPECT_EQ(text("CatPopupMenu"), "WebSites");
    EXPECT_TRUE(linkStyle());
    EXPECT_TRUE(enabled("PassEditPushButton"));
    EXPECT_TRUE(enabled("PassDelPushButton"));

    // Sign-out empties the page.
    window().signOut(app::SessionEvent::AutoLogout);
    EXPECT_TRUE(column(0).isEmpty());
    EXPECT_TRUE(text("PassUserEditField").isEmpty());
    EXPECT_TRUE(text("PassNoteEditField").isEmpty());
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(RecordsTabTest, ModeTableOfBrowsingAddingAndEditing) {
    signIn();
    seed({kThree[0]});
    const auto en = [&](const char* n) { return enabled(n); };
    const auto sh = [&](const char* n) { return visible(n); };
    const auto ro = [&](const char* n) {
        if (auto* plain = qobject_cast<QPlainTextEdit*>(widget(n))) {
            return plain->isReadOnly();
        }
        return control<QLineEdit>(n)->isReadOnly();
    };
    const char* labelMenus[] = {"Field1PopupMenu", "Field2PopupMenu", "Field3PopupMenu",
                                "Field5PopupMenu"};
    const char* bevels[] = {"UsernameBevel", "PasswordBevel", "WebsiteBevel", "NotesBevel"};
    const auto labels = [&](bool menus) {
        std::vector<ControlState> s;
        for (const char* m : labelMenus) {
            s.push_back({m, menus, menus, -1});
        }
        for (const char* b : bevels) {
            s.push_back({b, !menus, !menus, -1});
        }
        return s;
    };

    // Browsing, with the first entry shown.
    std::vector<ControlState> browsing{
        {"PassUserEditField", 1, 1, 1},      {"PasswordEditField", 0, 1, 1},
        {"PassUrlEditField", 1, 1, 1},       {"WebNameEditField", 0, 1, -1},
        {"PassNoteEditField", 1, 1, 1},      {"CatStaticText", 0, 1, -1},
        {"CatPopupMenu", 0, 1, -1},          {"PopupMenu1", 1, 1, -1},
        {"PasswordListBox", 1, 1, -1},       {"PassAddPushButton", 1, 1, -1},
        {"PassEditPushButton", 1, 1, -1},    {"PassDelPushButton", 1, 1, -1},
        {"PassDonePushButton", 0, 1, -1},    {"PassHidePushButton", -1, 0, -1},
        {"PasswordShowPushButton", 1, 1, -1}};
    const auto withLabels = [&](std::vector<ControlState> s, bool menus) {
        for (const auto& l : labels(menus)) {
            s.push_back(l);
        }
        return s;
    };
    expectStates("browsing", withLabels(browsing, false), en, sh, ro);
    EXPECT_TRUE(masked());

    click("PassAddPushButton");
    EXPECT_EQ(tab().passSwitcher(), RecordsTab::Adding);
    std::vector<ControlState> adding{
        {"PassUserEditField", 1, 1, 0},      {"PasswordEditField", 1, 1, 0},
        {"PassUrlEditField", 1, 1, 0},       {"WebNameEditField", 1, 1, -1},
        {"PassNoteEditField", 1, 1, 0},      {"CatStaticText", 1, 1, -1},
        {"CatPopupMenu", 1, 1, -1},          {"PopupMenu1", 0, 1, -1},
        {"PasswordListBox", 0, 1, -1},       {"PassAddPushButton", 0, 1, -1},
        {"PassEditPushButton", 0, 1, -1},    {"PassDelPushButton", 0, 1, -1},
        {"PassDonePushButton", 1, 1, -1},    {"PassHidePushButton", 0, 0, -1},
        {"PasswordShowPushButton", 0, 1, -1}};
    expectStates("adding", withLabels(adding, true), en, sh, ro);
    EXPECT_FALSE(masked());
    for (const char* f : {"PassUserEditField", "PasswordEditField", "PassUrlEditField",
                          "WebNameEditField", "PassNoteEditField"}) {
        EXPECT_TRUE(text(f).isEmpty()) << f;
    }

    // Cancel after a blank title: back to browsing, the label buttons back.
    dialogs.answerRetryCancel(platform::kCancel);
    click("PassDonePushButton");
    EXPECT_EQ(tab().passSwitcher(), RecordsTab::Browsing);
    expectStates("after cancel", withLabels(browsing, false), en, sh, ro);

    click("PassEditPushButton");
    EXPECT_EQ(tab().passSwitcher(), RecordsTab::Editing);
    std::vector<ControlState> editing{
        {"PassUserEditField", 1, 1, 0},      {"PasswordEditField", 1, 1, 0},
        {"PassUrlEditField", 1, 1, 0},       {"WebNameEditField", 0, 1, -1},
        {"PassNoteEditField", 1, 1, 0},      {"CatStaticText", 0, 1, -1},
        {"CatPopupMenu", 1, 1, -1},          {"PopupMenu1", 1, 1, -1},
        {"PasswordListBox", 1, 1, -1},       {"PassAddPushButton", 0, 1, -1},
        {"PassEditPushButton", 0, 1, -1},    {"PassDelPushButton", 0, 1, -1},
        {"PassDonePushButton", 1, 1, -1},    {"PassHidePushButton", 0, 0, -1},
        {"PasswordShowPushButton", 0, 1, -1}};
    expectStates("editing", withLabels(editing, false), en, sh, ro);
    EXPECT_EQ(text("WebNameEditField"), "zeta"); // the values stay for editing

    // A filter change while editing returns to browsing with "Show" usable.
    choose("PopupMenu1", 1);
    EXPECT_EQ(tab().passSwitcher(), RecordsTab::Browsing);
    expectStates("filter change", withLabels(browsing, false), en, sh, ro);

    // An auto-logout in the middle of an add leaves nothing of it for the next sign-in.
    click("PassAddPushButton");
    type("PassUserEditField", "half typed");
    window().signOut(app::SessionEvent::AutoLogout);
    EXPECT_EQ(tab().passSwitcher(), RecordsTab::Browsing);
    EXPECT_TRUE(column(0).isEmpty());
    std::vector<ControlState> signedOut = browsing;
    for (auto& st : signedOut) {
        st.shown = std::string(st.name) == "PassHidePushButton" ? 0 : -1; // the page is hidden
        if (std::string(st.name) == "PassEditPushButton" ||
            std::string(st.name) == "PassDelPushButton") {
            st.enabled = 0; // no entry shown
        }
    }
    expectStates(
        "signed out", withLabels(signedOut, false), en,
        [&](const char* n) { return !widget(n)->isHidden(); }, ro);
    EXPECT_TRUE(text("PassUserEditField").isEmpty());
}

TEST_F(RecordsTabTest, ShowAndHideRevealAndMaskThePassword) {
    signIn();
    seed({kThree[0]});
    EXPECT_TRUE(masked());
    EXPECT_FALSE(enabled("PasswordEditField"));
    click("PasswordShowPushButton");
    EXPECT_FALSE(masked());
    EXPECT_TRUE(enabled("PasswordEditField"));
    EXPECT_FALSE(visible("PasswordShowPushButton"));
    EXPECT_TRUE(visible("PassHidePushButton"));
    click("PassHidePushButton");
    EXPECT_TRUE(masked());
    EXPECT_FALSE(enabled("PasswordEditField"));
    EXPECT_TRUE(visible("PasswordShowPushButton"));
    EXPECT_FALSE(visible("PassHidePushButton"));

    // Revealed, then the filter changes: masked again, and "Show" is there to reveal it.
    click("PasswordShowPushButton");
    choose("PopupMenu1", 1);
    EXPECT_TRUE(masked());
    EXPECT_TRUE(visible("PasswordShowPushButton"));
    EXPECT_FALSE(visible("PassHidePushButton"));
}

TEST_F(RecordsTabTest, DoneOfAnAddRefusesBlankAndTakenTitlesAndStoresTheRest) {
    signIn();
    seed({kThree[0], kThree[1]}); // zeta (WebSites), Alpha (Credit Cards)

    // With the filter on "Credit Cards", zeta is hidden but still taken.
    choose("PopupMenu1", 3);
    EXPECT_EQ(column(0), (QStringList{"Alpha"}));
    click("PassAddPushButton");
    type("PassUserEditField", "kept");
    for (const char* title : {"", "ALPHA", "Zeta"}) {
        SCOPED_TRACE(title);
        type("WebNameEditField", title);
        dialogs.answerRetryCancel(platform::kRetry);
        const size_t before = questions();
        click("PassDonePushButton");
        ASSERT_EQ(questions(), before + 1);
        EXPECT_EQ(dialogs.shown().back().kind, "retrycancel");
        EXPECT_EQ(dialogs.shown().back().text,
                  "Entry Title is blank or the same as another entry!");
        EXPECT_EQ(tab().passSwitcher(), RecordsTab::Adding);
        EXPECT_TRUE(text("WebNameEditField").isEmpty());
        EXPECT_EQ(text("PassUserEditField"), "kept");
        EXPECT_FALSE(enabled("PasswordListBox"));
        EXPECT_TRUE(visible("Field1PopupMenu"));
    }
    dialogs.answerRetryCancel(platform::kCancel);
    click("PassDonePushButton");
    EXPECT_EQ(tab().passSwitcher(), RecordsTab::Browsing);
    EXPECT_EQ(control<QComboBox>("PopupMenu1")->currentIndex(), 0);
    EXPECT_EQ(column(0), (QStringList{"Alpha", "zeta"}));
    EXPECT_EQ(reload().entryCount(), 2u);

    // An accepted add with its own category and labels.
    choose("PopupMenu1", 3);
    click("PassAddPushButton");
    EXPECT_TRUE(linkStyle());
    choose("CatPopupMenu", 2); // Credit Cards
    choose("Field1PopupMenu", 2);
    choose("Field2PopupMenu", 1);
    choose("Field3PopupMenu", 1);
    EXPECT_FALSE(linkStyle());
    choose("Field3PopupMenu", 2);
    EXPECT_FALSE(linkStyle());
    choose("Field3PopupMenu", 0);
    EXPECT_TRUE(linkStyle());
    choose("Field3PopupMenu", 1);
    type("PassUserEditField", "Amex");
    type("PasswordEditField", "3782");
    type("PassUrlEditField", "01/30");
    type("WebNameEditField", "beta");
    control<QPlainTextEdit>("PassNoteEditField")->setPlainText("line 1\nline 2");
    click("PassDonePushButton");
    EXPECT_EQ(tab().passSwitcher(), RecordsTab::Browsing);
    EXPECT_EQ(control<QComboBox>("PopupMenu1")->currentIndex(), 0);
    EXPECT_EQ(column(0), (QStringList{"Alpha", "beta", "zeta"}));
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_TRUE(visible("UsernameBevel"));
    EXPECT_FALSE(visible("Field1PopupMenu"));
    EXPECT_TRUE(visible("PasswordShowPushButton"));
    EXPECT_TRUE(enabled("PasswordShowPushButton"));
    selectRow(1);
    EXPECT_EQ(captions(), (QStringList{"Card Type:", "Card Number:", "Exp Date:", "Notes:"}));
    EXPECT_EQ(text("PassNoteEditField"), "line 1\nline 2");
    EXPECT_EQ(text("CatPopupMenu"), "Credit Cards");

    const auto book = reload();
    ASSERT_EQ(book.entryCount(), 3u);
    EXPECT_EQ(book.passwordListBox[2].title, "beta");
    EXPECT_EQ(book.passwordListBox[2].category, "Credit Cards");
    EXPECT_EQ(book.passDetListBox[10], "Amex");
    EXPECT_EQ(book.passDetListBox[14], "line 1\nline 2");
    EXPECT_EQ(
        std::vector<std::string>(book.catIndexListBox.begin() + 8, book.catIndexListBox.end()),
        (std::vector<std::string>{"Card Type:", "Card Number:", "Exp Date:", "Notes:"}));
}

TEST_F(RecordsTabTest, EditStoresTheChosenCategoryOrKeepsTheStoredOne) {
    signIn();
    // "Gone" is a category no menu offers (a custom category removed since).
    seed({{"Bank Accounts", {"acct", "p1", "https://a.example", "a", ""}, kBankLabels},
          {"Gone", {"m", "p2", "site", "b", ""}, {"Member:", "PIN:", "Site:", "Notes:"}},
          {"WebSites", {"u", "p3", "www.c.org", "c", ""}, kWebLabels}});
    EXPECT_EQ(text("CatPopupMenu"), "Bank Accounts");

    // Right after sign-in, without touching the menu.
    click("PassEditPushButton");
    type("PassUserEditField", "acct 2");
    click("PassDonePushButton");
    EXPECT_EQ(tab().passSwitcher(), RecordsTab::Browsing);

    // An entry whose category the menu lacks: the menu keeps its row; the category stays.
    selectRow(1);
    EXPECT_EQ(text("WebNameEditField"), "b");
    EXPECT_EQ(captions(), (QStringList{"Member:", "PIN:", "Site:", "Notes:"}));
    click("PassEditPushButton");
    type("PasswordEditField", "p2 new");
    click("PassDonePushButton");

    // The menu chosen by the user.
    selectRow(2);
    click("PassEditPushButton");
    choose("CatPopupMenu", 3); // Serial Numbers
    click("PassDonePushButton");

    const auto book = reload();
    ASSERT_EQ(book.entryCount(), 3u);
    // Each edited entry went last, with its own labels.
    EXPECT_EQ(book.passwordListBox[0].title, "a");
    EXPECT_EQ(book.passwordListBox[0].category, "Bank Accounts");
    EXPECT_EQ(book.passDetListBox[0], "acct 2");
    EXPECT_EQ(book.passwordListBox[1].title, "b");
    EXPECT_EQ(book.passwordListBox[1].category, "Gone");
    EXPECT_EQ(book.passDetListBox[6], "p2 new");
    EXPECT_EQ(book.passwordListBox[2].title, "c");
    EXPECT_EQ(book.passwordListBox[2].category, "Serial Numbers");
    EXPECT_EQ(std::vector<std::string>(book.catIndexListBox.begin(), book.catIndexListBox.end()),
              (std::vector<std::string>{
                  "Account No:", "Password:", "Website Address:", "Notes:", "Member:", "PIN:",
                  "Site:", "Notes:", "Username:", "Password:", "Website Address:", "Notes:"}));
    EXPECT_EQ(column(1), (QStringList{"Bank Accounts", "Gone", "Serial Numbers"}));
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(RecordsTabTest, FilterAndRemove) {
    signIn();
    seed({kThree[0],
          kThree[1],
          kThree[2],
          {"WebSites", {"x", "y", "z", "Beta", ""}, kWebLabels},
          {"WebSites", {"x", "y", "z", "alpha web", ""}, kWebLabels}});
    EXPECT_EQ(column(0), (QStringList{"Alpha", "alpha web", "Beta", "mid", "zeta"}));

    struct Case {
        int row;
        QStringList titles;
    };
    for (const Case& c : {Case{1, {"alpha web", "Beta", "zeta"}}, Case{2, {"mid"}}, Case{5, {}},
                          Case{0, {"Alpha", "alpha web", "Beta", "mid", "zeta"}}}) {
        choose("PopupMenu1", c.row);
        EXPECT_EQ(column(0), c.titles) << "filter row " << c.row;
        EXPECT_EQ(selectedRow(), c.titles.isEmpty() ? -1 : 0);
        EXPECT_EQ(enabled("PassEditPushButton"), !c.titles.isEmpty());
    }

    // No keeps everything; Yes removes the selected entry, and the filter keeps its choice
    // while the list shows every entry.
    choose("PopupMenu1", 1);
    selectRow(1); // Beta
    dialogs.answerYesNo(platform::kNo);
    click("PassDelPushButton");
    EXPECT_EQ(reload().entryCount(), 5u);
    dialogs.answerYesNo(platform::kYes);
    click("PassDelPushButton");
    EXPECT_EQ(dialogs.shown().back().text, "Remove the selected item ?");
    EXPECT_EQ(text("PopupMenu1"), "WebSites");
    EXPECT_EQ(column(0), (QStringList{"Alpha", "alpha web", "mid", "zeta"}));
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(text("WebNameEditField"), "Alpha");
    EXPECT_TRUE(visible("PasswordShowPushButton"));
    const auto book = reload();
    ASSERT_EQ(book.entryCount(), 4u);
    EXPECT_TRUE(book.findTitle("Beta", records::TitleMatch::First).empty());
}

TEST_F(RecordsTabTest, RowsArePaintedInStripesWithTheSelectionInStrongBlue) {
    signIn();
    seed({kThree[0], kThree[1], kThree[2]});
    QApplication::processEvents();
    const auto colourAt = [&](int row) {
        const QImage image = list()->viewport()->grab().toImage();
        const QRect rect = list()->visualItemRect(list()->topLevelItem(row));
        return image.pixelColor(rect.right() - 2, rect.center().y()).rgb() & 0xFFFFFF;
    };
    const QRgb base = list()->viewport()->palette().color(QPalette::Base).rgb() & 0xFFFFFF;
    EXPECT_EQ(colourAt(0), RecordsTab::kSelectedRgb);
    EXPECT_EQ(colourAt(1), base);
    EXPECT_EQ(colourAt(2), RecordsTab::kEvenRowRgb);
    selectRow(1);
    EXPECT_EQ(colourAt(0), RecordsTab::kEvenRowRgb);
    EXPECT_EQ(colourAt(1), RecordsTab::kSelectedRgb);
    EXPECT_EQ(colourAt(2), RecordsTab::kEvenRowRgb);

    // The selected row's text is white, the others' black (glyph edges are blended).
    const QImage image = list()->viewport()->grab().toImage();
    const auto inks = [&](int row) {
        const QRect rect = list()->visualItemRect(list()->topLevelItem(row));
        int darkest = 255 * 3, lightest = 0;
        for (int x = rect.left(); x <= rect.right(); ++x) {
            for (int y = rect.top(); y <= rect.bottom(); ++y) {
                const QColor c = image.pixelColor(x, y);
                darkest = std::min(darkest, c.red() + c.green() + c.blue());
                lightest = std::max(lightest, c.red() + c.green() + c.blue());
            }
        }
        return std::pair(darkest, lightest);
    };
    const auto [selectedDark, selectedLight] = inks(1);
    const auto [otherDark, otherLight] = inks(2);
    if (otherDark < otherLight) { // glyphs drawn (the platform has fonts)
        EXPECT_GT(selectedLight, 3 * 235);
        EXPECT_GT(selectedDark, 66 + 82 - 30);
        EXPECT_LT(otherDark, 3 * 80);
    }
}

TEST_F(RecordsTabTest, ClickingTheAddressOpensOnlyWebAddressesAndOnlyWhileBrowsing) {
    signIn();
    seed({kThree[0]});
    struct Case {
        const char* text;
        const char* opened; // nullptr: beep
    };
    const Case cases[] = {
        {"https://example.org/a?b=c", "https://example.org/a?b=c"},
        {"http://example.org", "http://example.org"},
        {"www.zeta.org", "http://www.zeta.org"},
        {"/etc/passwd", nullptr},
        {"file:///etc/passwd", nullptr},
        {"javascript:alert(1)", nullptr},
        {"open -a Calculator", nullptr},
    };
    for (const Case& c : cases) {
        services.opened.clear();
        services.beeps = 0;
        type("PassUrlEditField", c.text);
        pressUrlField();
        if (c.opened != nullptr) {
            EXPECT_EQ(services.opened, (std::vector<std::string>{c.opened})) << c.text;
            EXPECT_EQ(services.beeps, 0) << c.text;
        } else {
            EXPECT_TRUE(services.opened.empty()) << c.text;
            EXPECT_EQ(services.beeps, 1) << c.text;
        }
    }
    services.opened.clear();
    services.beeps = 0;
    click("PassEditPushButton");
    type("PassUrlEditField", "https://example.org");
    pressUrlField();
    click("PassDonePushButton");
    click("PassAddPushButton");
    type("PassUrlEditField", "https://example.org");
    pressUrlField();
    EXPECT_TRUE(services.opened.empty());
    EXPECT_EQ(services.beeps, 0);
}

TEST_F(RecordsTabTest, MigrationAtSignInShowsTheMessageAndAsksToQuit) {
    signIn();
    auto& s = window().session();
    std::string shared;
    for (const char* v : {"ann", "WebSites", "u", "p", "www.x.org", "old", "n"}) {
        shared += store::encryptLine(s.userDataKey(), v) + "\n";
    }
    {
        std::ofstream out(places.current / "._pass.acc");
        out << shared;
    }
    std::filesystem::remove(places.current / "._catIndexann");
    tab().clearEditorFields();
    EXPECT_FALSE(tab().signIn("ann"));
    EXPECT_EQ(dialogs.messages(),
              (std::vector<std::string>{"Database has been updated, please restart Quorvel Pro."}));
    EXPECT_TRUE(column(0).isEmpty());
    // The next sign-in loads the moved entry.
    EXPECT_TRUE(tab().signIn("ann"));
    EXPECT_EQ(column(0), (QStringList{"old"}));
}

namespace {

// Fills the "Add Category" dialog once per attempt, confirming each, until one is accepted.
struct AddAttempt {
    QString name;
    QStringList labels;
};

RecordsTab::DialogRunner addScript(std::vector<AddAttempt> attempts) {
    return [attempts](QDialog& dialog) {
        auto& add = dynamic_cast<records::gui::AddCategoryDialog&>(dialog);
        for (const auto& a : attempts) {
            add.findChild<QLineEdit*>("CategoryNameField")->setText(a.name);
            for (int n = 0; n < 4; ++n) {
                add.findChild<QComboBox*>(QStringLiteral("LabelMenu%1").arg(n + 1))
                    ->setEditText(a.labels.value(n));
            }
            add.okButton()->click();
            if (add.result() == QDialog::Accepted) {
                return;
            }
        }
        add.reject();
    };
}

RecordsTab::DialogRunner removeScript(int row) {
    return [row](QDialog& dialog) {
        auto& remove = dynamic_cast<records::gui::RemoveCategoryDialog&>(dialog);
        if (row >= 0) {
            remove.list()->setCurrentRow(row);
        }
        remove.okButton()->click();
    };
}

QStringList items(QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) {
        out << combo->itemText(i);
    }
    return out;
}

} // namespace

TEST_F(RecordsTabTest, AddCategoryRefusesBadNamesThenStoresFiveRowsAndOffersTheLabels) {
    signIn();
    seed({kThree[0]});
    // An add in progress goes on through the command.
    click("PassAddPushButton");
    type("WebNameEditField", "draft");
    tab().setDialogRunner(addScript({
        {"", {}},
        {"all", {}},
        {"websites", {}},
        {"Two\nlines", {}},
        {"Loyalty", {"Account No:", "", "Member Site:", "blank"}},
    }));
    window().commands().action("AddFields")->trigger();
    EXPECT_EQ(dialogs.messages(),
              (std::vector<std::string>{
                  "Please enter a name for the new category.",
                  "\"All\" is reserved for showing every category, please choose another name.",
                  "A category with this name already exists.",
                  "A category name or label cannot contain a line break."}));
    EXPECT_EQ(
        store::readLines(places.current / "._cate"),
        (std::vector<std::string>{"Loyalty", "Account No:", "Blank", "Member Site:", "blank"}));
    EXPECT_EQ(items(control<QComboBox>("CatPopupMenu")).last(), "Loyalty");
    EXPECT_EQ(items(control<QComboBox>("PopupMenu1")).last(), "Loyalty");
    EXPECT_EQ(control<QComboBox>("PopupMenu1")->currentIndex(), 0);
    EXPECT_EQ(items(control<QComboBox>("Field1PopupMenu")),
              (QStringList{"UserName:", "Account No:", "Card Type:"}));
    EXPECT_EQ(items(control<QComboBox>("Field3PopupMenu")).last(), "Member Site:");
    EXPECT_EQ(items(control<QComboBox>("Field2PopupMenu")).size(), 3);
    EXPECT_EQ(items(control<QComboBox>("Field5PopupMenu")).size(), 2);
    EXPECT_EQ(tab().passSwitcher(), RecordsTab::Adding);
    EXPECT_EQ(text("WebNameEditField"), "draft");
    choose("CatPopupMenu", 5);
    click("PassDonePushButton");
    EXPECT_EQ(column(1), (QStringList{"Loyalty", "WebSites"}));

    // The same name in other letter case, through the toolbar item, is refused; cancel.
    dialogs.clear();
    tab().setDialogRunner(addScript({{"LOYALTY", {}}}));
    window().commands().action("AddToolbar")->trigger();
    EXPECT_EQ(dialogs.messages(),
              (std::vector<std::string>{"A category with this name already exists."}));
    EXPECT_EQ(store::readLines(places.current / "._cate").size(), 5u);
    EXPECT_EQ(column(0), (QStringList{"draft", "zeta"}));
}

TEST_F(RecordsTabTest, RemoveCategoryAsksAndKeepsTheEntriesItsCategoryNames) {
    signIn();
    {
        std::ofstream out(places.current / "._cate");
        out << "Club\nMember:\nBlank\nBlank\nNotes:\nGym\nBadge:\nBlank\nBlank\nBlank\n";
    }
    window().addedCustomUpdate();
    seed({{"Club", {"m1", "", "", "golf", ""}, kWebLabels}});
    EXPECT_EQ(items(control<QComboBox>("CatPopupMenu")).mid(5), (QStringList{"Club", "Gym"}));

    // No, then Yes.
    tab().setDialogRunner(removeScript(0));
    dialogs.answerYesNo(platform::kNo);
    window().commands().action("DelFields")->trigger();
    EXPECT_EQ(store::readLines(places.current / "._cate").size(), 10u);
    dialogs.answerYesNo(platform::kYes);
    window().commands().action("RemoveToolbar")->trigger();
    EXPECT_EQ(dialogs.shown().back().text, "Remove the category \"Club\" ?");
    EXPECT_EQ(store::readLines(places.current / "._cate"),
              (std::vector<std::string>{"Gym", "Badge:", "Blank", "Blank", "Blank"}));
    EXPECT_EQ(items(control<QComboBox>("PopupMenu1")).mid(6), (QStringList{"Gym"}));
    // The entry keeps its category and shows under "All".
    EXPECT_EQ(column(0), (QStringList{"golf"}));
    EXPECT_EQ(column(1), (QStringList{"Club"}));

    // Without a chosen row nothing happens; with nobody signed in (after an auto-logout the
    // commands stay enabled) the last one can be removed, and then there is none left.
    tab().setDialogRunner(removeScript(-1));
    window().commands().action("DelFields")->trigger();
    window().signOut(app::SessionEvent::AutoLogout);
    ASSERT_TRUE(commandEnabled("DelFields"));
    tab().setDialogRunner(removeScript(0));
    dialogs.answerYesNo(platform::kYes);
    window().commands().action("DelFields")->trigger();
    EXPECT_TRUE(store::readLines(places.current / "._cate").empty());
    EXPECT_EQ(control<QComboBox>("PopupMenu1")->count(), 6);
    window().commands().action("DelFields")->trigger();
    EXPECT_EQ(dialogs.messages().back(), "There is no custom category to remove.");
}
