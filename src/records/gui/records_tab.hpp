#pragma once
// The Records page: the list of the signed-in user's entries, the entry's values under its own
// labels, adding, editing, removing, filtering, revealing the password, opening the address.
//
// Modes (passSwitcher): 0 browsing, 1 adding ("New"), 2 editing ("Edit"). The entries live in
// the session's RecordBook; the list shows RecordBook::filter() of the filter's row, sorted by
// title, and a selected row shows RecordBook::select() of its title.

#include "records/record_book.hpp"

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QComboBox;
class QDialog;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QWidget;

namespace quorvel::app {
class Quorvel;
}

namespace quorvel::records::gui {

class RecordsTab : public QObject {
    Q_OBJECT
public:
    enum Mode { Browsing = 0, Adding = 1, Editing = 2 };

    // Colours of the list's rows and of the web-address field's two styles.
    static constexpr unsigned kEvenRowRgb = 0xE8EBFF;  // RGB (232, 235, 255)
    static constexpr unsigned kSelectedRgb = 0x4252FF; // RGB (66, 82, 255)
    static constexpr unsigned kLinkRgb = 0x0000FF;     // RGB (0, 0, 255)

    explicit RecordsTab(app::Quorvel& window);

    // Back to browsing: fields emptied, buttons reset, the list's first row selected. With
    // nobody signed in (start-up, sign-out) the list is emptied and the label buttons are back.
    void clrPass();
    // The category menus were rebuilt (AddedCustomUpdate): refill them and choose "All".
    void categoriesChanged();
    // Sign-in, after the user's key is in force: migration, loading, first entry shown. False
    // when the migration asked the program to quit.
    bool signIn(const std::string& name);
    // Empties the editor fields (first step of sign-in).
    void clearEditorFields();

    Mode passSwitcher() const { return mode_; }

    // The handlers, named after their control and event.
    void passAddPushButtonAction();
    void passEditPushButtonAction();
    void passDelPushButtonAction();
    void passDonePushButtonAction();
    void passwordShowPushButtonAction();
    void passHidePushButtonAction();
    void passwordListBoxChange();
    void popupMenu1Change();
    void catPopupMenuChange();
    void field3PopupMenuChange();
    void passUrlEditFieldMouseDown();
    void enableBevel();
    void updateBevel();

    // The category commands ("Add Category", "Remove Category").
    void addFieldsAction();
    void delFieldsAction();

    // Runs a modal dialog; exec() unless replaced (tests fill and confirm the dialog here).
    // The caller reads the dialog's result() afterwards.
    using DialogRunner = std::function<void(QDialog&)>;
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RecordBook& book();
    void show(const Messages& messages);
    // Shows the five values and title of the fields (values of a selection or empty).
    void setValues(const EntryValues& values);
    EntryValues values() const;
    // Refills the list from the tables for the filter's row text, signals blocked.
    void fillList(const QString& categoryRowText);
    // Selects row 0 (when there is one) and runs the selection handler.
    void selectFirstRow();
    // Chooses row 0 ("All") of the filter and runs its change handler; reload false when the
    // operation just done left the tables as the files are.
    void chooseAll(bool reload);
    // The filter's change: back to browsing, (re)load, list refilled, first row shown.
    void refilter(bool reload);
    // Puts the label menus' rows in step with the core's rows (they only grow).
    void refillLabelMenus();
    // Link style (blue, underlined) or plain style (black) of the web-address field.
    void setLinkStyle(bool link);
    // The title of the list's selected row, or nullopt when no row is selected.
    std::optional<std::string> selectedTitle() const;
    // "Show" shown and enabled, the list enabled, its sort column on "Title".
    void finishDone();
    // Resets the tab completely (label buttons back, "Show" shown), also mid-add.
    void resetToBrowsing();

    app::Quorvel& window_;
    Mode mode_ = Browsing;
    // The user chose a row of the category menu since the edit started (or since another entry
    // was shown during it): the edit stores that category, else the entry keeps its own.
    bool categoryTouched_ = false;
    // The program, not the user, is changing the category menu's choice.
    bool settingCategory_ = false;
    DialogRunner runDialog_;

    QTreeWidget* list_;
    QComboBox* filter_;
    QComboBox* catMenu_;
    QComboBox* labelMenus_[4];
    QToolButton* bevels_[4];
    QLineEdit* userField_;
    QLineEdit* passwordField_;
    QLineEdit* urlField_;
    QLineEdit* titleField_;
    QPlainTextEdit* noteField_;
    QWidget* catLabel_;
    QPushButton* newButton_;
    QPushButton* editButton_;
    QPushButton* removeButton_;
    QPushButton* doneButton_;
    QPushButton* showButton_;
    QPushButton* hideButton_;
};

} // namespace quorvel::records::gui
