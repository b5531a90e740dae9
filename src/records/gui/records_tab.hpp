#pragma once
// The Records page: the list of the signed-in user's entries, the entry's values under its own
// labels, adding, editing, removing, filtering, revealing the password, opening the address.

#include <QObject>

namespace quorvel::app {
class Quorvel;
}

namespace quorvel::records::gui {

class RecordsTab : public QObject {
    Q_OBJECT
public:
    explicit RecordsTab(app::Quorvel& window);

    // Back to browsing: fields emptied, buttons reset, the list's first row selected.
    void clrPass();
    // The category menus were rebuilt (AddedCustomUpdate): refill them and choose "All".
    void categoriesChanged();
    // Sign-in, after the user's key is in force: migration, loading, first entry shown. False
    // when the migration asked the program to quit.
    bool signIn(const std::string& name);
    // Empties the editor fields (first step of sign-in).
    void clearEditorFields();

private:
    app::Quorvel& window_;
};

} // namespace quorvel::records::gui
