#pragma once
// The user accounts of the program and the signed-in session, without any widget.
//
// Files of the current folder kept here:
//   "._code"         one line: the six-digit installation code (the last line read counts).
//   "._Quorvel.enc"  pairs of lines, one pair per user in list order: the name, then the user's
//                    password verifier (an Argon2id password-hash string with its own salt), both
//                    enciphered with the user-list key. The file never holds a password.
//
// Tables (the login panel shows them):
//   popup()          "Select User", "Create New User", then every user name in file order.
//   tempListBox()    row k = verifier of the user at popup entry k + 2.
//   loadTempListBox() every deciphered line of the user file: name, verifier, name, ...
//
// How the login panel uses it:
//   start-up         loadQuorvel(), show its messages, loadPass(), fill the popup from popup()
//                    and choose popupSelection().
//   "OK"             createAccount(name, password, confirm): show result.messages in order, clear
//                    the fields it names, refill the popup and choose result.popupSelection.
//   "Login"/Return   login(chosen popup entry, typed password); on true enter the signed-in
//                    state (then IndexData and LoadPassword of the records); on false clear the
//                    password field.
//   every sign-out   signOut(), then loadQuorvel() and loadPass() as at start-up.
//
// Passwords are compared exactly (letter case counts); user names ignore letter case.

#include "records/record_book.hpp"
#include "store/cipher.hpp"
#include "store/files.hpp"
#include "store/secret.hpp"

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quorvel::users {

// File names of the current folder.
inline constexpr std::string_view kCodeFile = "._code";
inline constexpr std::string_view kUserFile = "._Quorvel.enc";
inline constexpr std::string_view kCatIndexPrefix = "._catIndex"; // + user name
inline constexpr std::string_view kRecordPrefix = "._pass.acc";   // + user name

// The two fixed popup entries.
inline constexpr std::string_view kSelectUser = "Select User";
inline constexpr std::string_view kCreateNewUser = "Create New User";
inline constexpr int kFirstUserEntry = 2; // popup entry of TempListBox row 0

// Message texts.
inline constexpr std::string_view kLoadProblem = "Problem loading user information..";
inline constexpr std::string_view kNoDataFile = "The data file does not exist!";
inline constexpr std::string_view kMismatch = "Passwords does not match, please re-enter.";
inline constexpr std::string_view kBadName = "This name can not be used, please choose another.";
inline constexpr std::string_view kTaken = "Name has already been taken.";
inline constexpr std::string_view kSaveProblem = "Problem saving user information..";

// Longest name in UTF-8 bytes: "._catIndex" + name must fit a 255-byte file name.
inline constexpr size_t kMaxNameBytes = 245;

// True when a name may become part of a file name and of the two-line user layout: non-empty
// valid UTF-8 of at most kMaxNameBytes bytes, not "." or "..", without "/", "\" or a control
// character (C0, DEL, C1, line and paragraph separators).
bool isUsableName(std::string_view name);

// What a list operation has to tell the user, in order.
struct Outcome {
    bool ok = true;
    std::vector<std::string> messages;
};

enum class CreateStatus {
    Created,  // account added, popup refilled
    Mismatch, // password and confirmation differ (exact comparison)
    Empty,    // name or password empty: nothing happens, no message
    BadName,  // name refused by isUsableName
    Taken,    // name equals a popup entry, letter case ignored (the fixed entries count)
    Failed,   // the user file could not be written
};

struct CreateResult {
    CreateStatus status = CreateStatus::Empty;
    std::vector<std::string> messages; // show in this order
    // Fields the login panel clears: the name field, the password field, the confirmation.
    bool clearName = false;
    bool clearPassword = false;
    bool clearConfirm = false;
    // The popup always goes back to "Select User", which closes the creation controls.
    int popupSelection = 0;
};

class Session {
public:
    explicit Session(store::Folder folder);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // --- user list ---------------------------------------------------------------------------

    // Loads "._code" (creating it with a fresh random code from 100000 to 999999 when missing),
    // derives the user-list key from it, and deciphers "._Quorvel.enc" into loadTempListBox()
    // (creating it empty when missing). Empties the popup to its two fixed entries and
    // tempListBox(). When a file cannot be read or created it stops there and returns
    // "Problem loading user information.." (ok false); an unreadable code file is never replaced.
    Outcome loadQuorvel();

    // Moves loadTempListBox() into popup() and tempListBox(); a trailing name without its
    // verifier pairs with the empty verifier (which never verifies). popupSelection() becomes 2
    // when there is exactly one user, else 0.
    void loadPass();

    // Rebuilds popup() and tempListBox() straight from the user file. Without the file it
    // returns "The data file does not exist!" and the popup holds only the fixed entries. Leaves
    // popupSelection() and loadTempListBox() alone.
    Outcome updatePass();

    // Appends one user: the name and a fresh verifier of password, both enciphered with the
    // user-list key, in one durable write. A torn or odd-numbered file end is padded first so
    // the new pair stays aligned.
    std::error_code savePass(std::string_view name, std::string_view password);

    // "OK" of the creation controls. Checks, in order: confirmation (exact), empty fields,
    // unusable name, taken name. On success creates "._catIndex" + name and "._pass.acc" + name
    // where missing, appends the user and runs updatePass(). The new user is not signed in.
    CreateResult createAccount(std::string_view name, std::string_view password,
                               std::string_view confirm);

    // --- signing in and out ------------------------------------------------------------------

    // True when typed matches the verifier of tempListBox() row (exact, letter case counts).
    bool verifyPassword(int row, std::string_view typed) const;

    // Signs in the user at popupEntry when typed matches their verifier: derives the user-data
    // key once (Argon2id) and keeps it in sodium memory, sets currentPass() to typed, userIndex
    // = popupEntry - 2, lnx = popupEntry, signedInName = the name. Whoever was signed in before
    // is signed out first. False (and nobody signed in) for a fixed entry, an entry out of range,
    // a wrong password, or a name that cannot be used for the user's files.
    bool login(int popupEntry, std::string_view typed);

    // The one call every sign-out path makes: wipes the user-data key and currentPass(), clears
    // signedInName(), lnx() and userIndex() (both 0) and empties the records tables.
    void signOut();

    bool signedIn() const { return dataKey_.valid(); }
    const std::string& signedInName() const { return compareUser_; } // compareUser
    int lnx() const { return lnx_; }             // popup entry of the signed-in user; 0 if none
    int userIndex() const { return userIndex_; } // tempListBox() row of the signed-in user
    const store::SecretText& currentPass() const { return currentPass_; }
    const store::Key& userDataKey() const { return dataKey_; }

    // --- cipher in functional form -----------------------------------------------------------

    // With the user-data key. encryptData throws std::logic_error when nobody is signed in;
    // decryptData then gives "" and ok false.
    std::string encryptData(std::string_view text) const;
    std::string decryptData(std::string_view line, bool* ok = nullptr) const;
    // With the user-list key of the last loadQuorvel(); encryptPass throws std::logic_error
    // before the first loadQuorvel().
    std::string encryptPass(std::string_view text) const;
    std::string decryptPass(std::string_view line, bool* ok = nullptr) const;

    // --- tables and fields -------------------------------------------------------------------

    const std::vector<std::string>& popup() const { return popup_; }
    // The popup entry to choose now: set by loadPass(), back to 0 after createAccount().
    int popupSelection() const { return popupSelection_; }
    const std::vector<std::string>& tempListBox() const { return tempListBox_; }
    const std::vector<std::string>& loadTempListBox() const { return loadTempListBox_; }
    const std::string& encryptCode() const { return encryptCode_; }
    const store::Folder& folder() const { return folder_; }

    // The signed-in user's entries, labels and categories.
    records::RecordBook records;

private:
    void resetPopup();
    bool nameTaken(std::string_view name) const;

    store::Folder folder_;
    std::string encryptCode_;
    store::Key listKey_;
    std::vector<std::string> loadTempListBox_;
    std::vector<std::string> tempListBox_;
    std::vector<std::string> popup_;
    int popupSelection_ = 0;

    store::Key dataKey_;
    store::SecretText currentPass_;
    std::string compareUser_;
    int userIndex_ = 0;
    int lnx_ = 0;
};

} // namespace quorvel::users
