#include "users/session.hpp"

#include "store/cipher.hpp"
#include "text/text.hpp"
#include "support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

using namespace quorvel;
using quorvel::test::TempDir;
using users::CreateStatus;
using users::Session;

namespace {

std::set<std::string> filesIn(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        names.insert(e.path().filename().string());
    }
    return names;
}

std::vector<std::string> fixedEntriesAnd(std::vector<std::string> names) {
    names.insert(names.begin(), {"Select User", "Create New User"});
    return names;
}

class Users : public ::testing::Test {
protected:
    Users() : session(store::Folder(dir.path())) {}

    void load(Session& s) {
        ASSERT_TRUE(s.loadQuorvel().messages.empty());
        s.loadPass();
    }
    void SetUp() override { load(session); }

    void create(std::string_view name, std::string_view password) {
        auto result = session.createAccount(name, password, password);
        ASSERT_EQ(result.status, CreateStatus::Created) << name;
        ASSERT_TRUE(result.messages.empty());
    }

    // The user file's lines deciphered with the program's own pass phrase and the code.
    std::vector<std::string> userFileDeciphered() {
        const auto key = store::Key::forUserList(dir.read("._code").substr(0, 6));
        std::vector<std::string> plain;
        for (const auto& line : text::splitLines(dir.read("._Quorvel.enc"))) {
            bool ok = false;
            plain.push_back(store::decryptLine(key, line, &ok));
            EXPECT_TRUE(ok) << line;
        }
        return plain;
    }

    TempDir dir;
    Session session;
};

} // namespace

TEST_F(Users, FirstLoadCreatesOwnerOnlyFilesAndKeepsTheCode) {
    const std::string code = session.encryptCode();
    ASSERT_EQ(code.size(), 6u);
    EXPECT_GE(std::stoi(code), 100000);
    EXPECT_LE(std::stoi(code), 999999);
    EXPECT_EQ(dir.read("._code"), code + "\n");
    EXPECT_EQ(dir.read("._Quorvel.enc"), "");
    EXPECT_EQ(test::permissionsOf(dir / "._code"), 0600u);
    EXPECT_EQ(test::permissionsOf(dir / "._Quorvel.enc"), 0600u);
    EXPECT_EQ(session.popup(), fixedEntriesAnd({}));
    EXPECT_EQ(session.popupSelection(), 0);

    Session again(store::Folder(dir.path()));
    load(again);
    EXPECT_EQ(again.encryptCode(), code);
}

TEST_F(Users, LastLineOfTheCodeFileIsTheCode) {
    dir.write("._code", "111111\n222222\n");
    load(session);
    EXPECT_EQ(session.encryptCode(), "222222");
    EXPECT_EQ(dir.read("._code"), "111111\n222222\n");
}

TEST_F(Users, UnreadableFilesStopTheLoadAndAreNeverReplaced) {
    {
        TempDir other;
        std::filesystem::create_directory(other / "._code"); // exists, cannot be read as a file
        Session s(store::Folder(other.path()));
        const auto outcome = s.loadQuorvel();
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.messages, std::vector<std::string>{"Problem loading user information.."});
        EXPECT_TRUE(std::filesystem::is_directory(other / "._code"));
        EXPECT_FALSE(std::filesystem::exists(other / "._Quorvel.enc"));
    }
    {
        Session s(store::Folder(dir / "no such folder"));
        EXPECT_EQ(s.loadQuorvel().messages,
                  std::vector<std::string>{"Problem loading user information.."});
        EXPECT_EQ(s.popup(), fixedEntriesAnd({}));
    }
}

TEST_F(Users, PopupForZeroOneAndTwoUsers) {
    EXPECT_EQ(session.popupSelection(), 0);
    create("Ann", "ann pass");
    load(session);
    EXPECT_EQ(session.popup(), fixedEntriesAnd({"Ann"}));
    EXPECT_EQ(session.popupSelection(), 2);
    create("Bob", "bob pass");
    load(session);
    EXPECT_EQ(session.popup(), fixedEntriesAnd({"Ann", "Bob"}));
    EXPECT_EQ(session.popupSelection(), 0);
    EXPECT_EQ(session.tempListBox().size(), 2u);
    EXPECT_EQ(session.loadTempListBox().size(), 4u);
}

TEST_F(Users, CreatedAccountsKeepVerifiersNeverPasswords) {
    create("Ann", "Correct Horse 1");
    create("Zoë", "Ünïcode pass");
    const auto plain = userFileDeciphered();
    ASSERT_EQ(plain.size(), 4u);
    EXPECT_EQ(plain[0], "Ann");
    EXPECT_EQ(plain[2], "Zoë");
    for (const auto& line : plain) {
        for (const char* password : {"Correct Horse 1", "Ünïcode pass"}) {
            EXPECT_EQ(text::foldCase(line).find(text::foldCase(password)), std::string::npos);
        }
    }
    EXPECT_EQ(plain[1].rfind("$argon2id$", 0), 0u);
    EXPECT_EQ(plain[3].rfind("$argon2id$", 0), 0u);
    EXPECT_EQ(session.tempListBox(), (std::vector<std::string>{plain[1], plain[3]}));

    for (const char* file : {"._pass.accAnn", "._catIndexAnn", "._pass.accZoë", "._catIndexZoë"}) {
        EXPECT_EQ(dir.read(file), "") << file;
        EXPECT_EQ(test::permissionsOf(dir / file), 0600u) << file;
    }
}

TEST_F(Users, RefusedCreationsWriteNothing) {
    create("Ann", "pw");
    create("Élodie", "pw");
    const std::string userFile = dir.read("._Quorvel.enc");
    const auto filesBefore = filesIn(dir.path());

    struct Case {
        const char* name;
        const char* password;
        const char* confirm;
        CreateStatus status;
        std::vector<std::string> messages;
        bool clearsPasswords;
    };
    const std::vector<std::string> mismatch = {"Passwords does not match, please re-enter."};
    const std::vector<std::string> taken = {"Name has already been taken."};
    const std::vector<std::string> badName = {"This name can not be used, please choose another."};
    const Case cases[] = {
        {"Cy", "secret", "Secret", CreateStatus::Mismatch, mismatch, true},
        {"", "secret", "other", CreateStatus::Mismatch, mismatch, true}, // checked first
        {"", "secret", "secret", CreateStatus::Empty, {}, false},
        {"Cy", "", "", CreateStatus::Empty, {}, false},
        {"", "", "", CreateStatus::Empty, {}, false},
        {"a/b", "pw", "pw", CreateStatus::BadName, badName, true},
        {"ANN", "pw", "pw", CreateStatus::Taken, taken, true},
        {"éLODIE", "pw", "pw", CreateStatus::Taken, taken, true},
        {"select user", "pw", "pw", CreateStatus::Taken, taken, true},
        {"CREATE NEW USER", "pw", "pw", CreateStatus::Taken, taken, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = session.createAccount(c.name, c.password, c.confirm);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.messages, c.messages);
        EXPECT_FALSE(result.clearName);
        EXPECT_EQ(result.clearPassword, c.clearsPasswords);
        EXPECT_EQ(result.clearConfirm, c.clearsPasswords);
        EXPECT_EQ(result.popupSelection, 0);
        EXPECT_EQ(session.popupSelection(), 0);
    }
    EXPECT_EQ(dir.read("._Quorvel.enc"), userFile);
    EXPECT_EQ(filesIn(dir.path()), filesBefore);
    EXPECT_EQ(session.popup(), fixedEntriesAnd({"Ann", "Élodie"}));
}

TEST_F(Users, UnusableNamesAreRefusedAndLeaveNoFile) {
    const std::string unusable[] = {
        ".",
        "..",
        "a/b",
        "/",
        "a\\b",
        "two\nlines",
        "cr\rhere",
        "tab\there",
        std::string("nul\0x", 5),
        "del\x7f",
        "c1\u0085",
        "ls\u2028",
        "\xff\xfe bad",
        std::string(246, 'n'),
        std::string(242, 'x') + "éé", // 246 bytes, 244 characters
    };
    const auto filesBefore = filesIn(dir.path());
    for (const auto& name : unusable) {
        SCOPED_TRACE(name);
        const auto result = session.createAccount(name, "pw", "pw");
        EXPECT_EQ(result.status, CreateStatus::BadName);
        EXPECT_EQ(result.messages,
                  std::vector<std::string>{"This name can not be used, please choose another."});
        EXPECT_TRUE(result.clearPassword);
        EXPECT_TRUE(result.clearConfirm);
    }
    EXPECT_EQ(filesIn(dir.path()), filesBefore);
    EXPECT_EQ(dir.read("._Quorvel.enc"), "");
}

TEST_F(Users, NamesAreKeptAsTypedUpToTheLimit) {
    const std::string longest = std::string(243, 'y') + "é"; // 245 bytes
    create(" Zoë ", "pw");
    create("...", "pw");
    create(longest, "pw");
    EXPECT_EQ(session.popup(), fixedEntriesAnd({" Zoë ", "...", longest}));
    EXPECT_TRUE(std::filesystem::exists(dir / ("._catIndex" + longest)));
    EXPECT_TRUE(std::filesystem::exists(dir / "._pass.acc Zoë "));
}

TEST_F(Users, CreationLeavesExistingUserFilesUntouched) {
    dir.write("._pass.accAnn", "kept records\n");
    dir.write("._catIndexAnn", "kept labels\n");
    create("Ann", "pw");
    EXPECT_EQ(dir.read("._pass.accAnn"), "kept records\n");
    EXPECT_EQ(dir.read("._catIndexAnn"), "kept labels\n");
}

TEST_F(Users, UpdatePassListsTheNewNameLastAndKeepsTheSelection) {
    create("Ann", "pw");
    load(session);
    ASSERT_EQ(session.popupSelection(), 2);
    ASSERT_FALSE(session.savePass("Bob", "pw2"));
    EXPECT_TRUE(session.updatePass().messages.empty());
    EXPECT_EQ(session.popup(), fixedEntriesAnd({"Ann", "Bob"}));
    EXPECT_EQ(session.popupSelection(), 2);
    EXPECT_EQ(session.loadTempListBox().size(), 2u);

    std::filesystem::remove(dir / "._Quorvel.enc");
    const auto outcome = session.updatePass();
    EXPECT_EQ(outcome.messages, std::vector<std::string>{"The data file does not exist!"});
    EXPECT_EQ(session.popup(), fixedEntriesAnd({}));
    EXPECT_TRUE(session.tempListBox().empty());
}

TEST_F(Users, NameWithoutVerifierNeverSignsInAndLaterUsersStayAligned) {
    const std::string annVerifier = store::makePasswordVerifier("ann pw");
    // Ann's pair, then Bob's name alone, its last line torn (no line end).
    dir.write("._Quorvel.enc", session.encryptPass("Ann") + "\n" +
                                   session.encryptPass(annVerifier) + "\n" +
                                   session.encryptPass("Bob"));
    load(session);
    EXPECT_EQ(session.popup(), fixedEntriesAnd({"Ann", "Bob"}));
    EXPECT_EQ(session.tempListBox(), (std::vector<std::string>{annVerifier, ""}));
    EXPECT_FALSE(session.login(3, ""));
    EXPECT_FALSE(session.login(3, "anything"));

    create("Cy", "cy pw");
    EXPECT_EQ(session.popup(), fixedEntriesAnd({"Ann", "Bob", "Cy"}));
    EXPECT_TRUE(session.login(4, "cy pw"));
    EXPECT_EQ(session.signedInName(), "Cy");
    EXPECT_TRUE(session.login(2, "ann pw"));
}

TEST_F(Users, DamagedEntriesLoadEmptyAndCannotSignIn) {
    const std::string verifier = store::makePasswordVerifier("pw");
    dir.write("._Quorvel.enc", "not a line of ours\n" + session.encryptPass(verifier) + "\n" +
                                   session.encryptPass("../up") + "\n" +
                                   session.encryptPass(verifier) + "\n");
    load(session);
    EXPECT_EQ(session.popup(), fixedEntriesAnd({"", "../up"}));
    // An empty name would address the earlier shared record file, "../up" another folder.
    EXPECT_FALSE(session.login(2, "pw"));
    EXPECT_FALSE(session.login(3, "pw"));
    EXPECT_FALSE(session.signedIn());
}

class SignIn : public Users {
protected:
    void SetUp() override {
        Users::SetUp();
        create("Ann", "Ann's Secret");
        create("Bob", "bob-pw");
        create("Cy", "cy-pw");
    }
};

TEST_F(SignIn, EachUserWithOwnPasswordAndTheSessionFields) {
    ASSERT_TRUE(session.login(3, "bob-pw"));
    EXPECT_TRUE(session.signedIn());
    EXPECT_EQ(session.signedInName(), "Bob");
    EXPECT_EQ(session.userIndex(), 1);
    EXPECT_EQ(session.lnx(), 3);
    EXPECT_EQ(session.currentPass().view(), "bob-pw");
    EXPECT_TRUE(session.userDataKey().valid());
    const std::string bobLine = session.encryptData("Bob's entry");
    EXPECT_EQ(session.decryptData(bobLine), "Bob's entry");

    ASSERT_TRUE(session.login(2, "Ann's Secret"));
    EXPECT_EQ(session.signedInName(), "Ann");
    EXPECT_EQ(session.lnx(), 2);
    EXPECT_EQ(session.userIndex(), 0);
    bool ok = true;
    EXPECT_EQ(session.decryptData(bobLine, &ok), "");
    EXPECT_FALSE(ok);

    // Signing in again derives the same key: Bob's data reads back in a later session.
    Session later(store::Folder(dir.path()));
    load(later);
    ASSERT_TRUE(later.login(3, "bob-pw"));
    EXPECT_EQ(later.decryptData(bobLine), "Bob's entry");
}

TEST_F(SignIn, RefusesWrongPasswordsAndFixedEntries) {
    const struct {
        int entry;
        const char* typed;
    } refused[] = {
        {2, "ann's secret"}, // other letter case
        {2, "ANN'S SECRET"},
        {2, "Ann's Secret "},
        {2, "bob-pw"}, // another user's password
        {2, ""},
        {0, "Ann's Secret"}, // "Select User"
        {1, "Ann's Secret"}, // "Create New User"
        {5, "Ann's Secret"}, // past the last entry
        {-1, "Ann's Secret"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.typed);
        EXPECT_FALSE(session.login(r.entry, r.typed));
        EXPECT_FALSE(session.signedIn());
        EXPECT_EQ(session.signedInName(), "");
        EXPECT_TRUE(session.currentPass().empty());
    }
}

TEST_F(SignIn, SignOutLeavesNoKeyOrPassword) {
    ASSERT_TRUE(session.login(4, "cy-pw"));
    const std::string line = session.encryptData("Cy's entry");
    session.signOut();
    EXPECT_FALSE(session.signedIn());
    EXPECT_FALSE(session.userDataKey().valid());
    EXPECT_TRUE(session.currentPass().empty());
    EXPECT_EQ(session.signedInName(), "");
    EXPECT_EQ(session.lnx(), 0);
    EXPECT_EQ(session.userIndex(), 0);
    bool ok = true;
    EXPECT_EQ(session.decryptData(line, &ok), "");
    EXPECT_FALSE(ok);
    EXPECT_THROW(session.encryptData("anything"), std::logic_error);

    // The user list stays usable for the next sign-in.
    load(session);
    EXPECT_EQ(session.popup(), fixedEntriesAnd({"Ann", "Bob", "Cy"}));
    ASSERT_TRUE(session.login(4, "cy-pw"));
    EXPECT_EQ(session.decryptData(line), "Cy's entry");
}

TEST_F(SignIn, ChangedCodeMakesTheListUnreadable) {
    dir.write("._code", "123456\n");
    load(session);
    EXPECT_EQ(session.popup(), fixedEntriesAnd({"", "", ""}));
    EXPECT_FALSE(session.login(2, "Ann's Secret"));
}
