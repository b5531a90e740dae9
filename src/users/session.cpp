#include "users/session.hpp"

#include "text/text.hpp"

#include <sodium.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cerrno>
#include <exception>
#include <optional>
#include <utility>

namespace quorvel::users {

namespace {

constexpr uint32_t kLowestCode = 100000;
constexpr uint32_t kCodeCount = 900000; // 100000 .. 999999

std::string freshCode() {
    store::ensureSodium();
    return std::to_string(kLowestCode + randombytes_uniform(kCodeCount));
}

} // namespace

bool isUsableName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameBytes || name == "." || name == ".." ||
        !text::isValidUtf8(name)) {
        return false;
    }
    const auto* s = reinterpret_cast<const uint8_t*>(name.data());
    const auto length = static_cast<int32_t>(name.size());
    for (int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(s, i, length, c);
        if (c < 0 || c == '/' || c == '\\') {
            return false;
        }
        const auto type = u_charType(c);
        if (type == U_CONTROL_CHAR || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR) {
            return false;
        }
    }
    return true;
}

Session::Session(store::Folder folder) : folder_(std::move(folder)) {
    resetPopup();
}

Session::~Session() {
    signOut();
}

void Session::resetPopup() {
    popup_.clear();
    popup_.emplace_back(kSelectUser);
    popup_.emplace_back(kCreateNewUser);
}

Outcome Session::loadQuorvel() {
    const auto problem = [] { return Outcome{false, {std::string(kLoadProblem)}}; };

    resetPopup();
    loadTempListBox_.clear();
    tempListBox_.clear();

    const auto codePath = folder_.fileByName(kCodeFile);
    if (!codePath) {
        return problem();
    }
    std::error_code ec;
    if (auto content = store::readFile(*codePath, ec)) {
        const auto lines = text::splitLines(*content);
        encryptCode_ = lines.empty() ? std::string() : lines.back();
    } else if (ec == std::errc::no_such_file_or_directory) {
        std::string code = freshCode();
        if (store::replaceAtomically(*codePath, code + "\n")) {
            return problem();
        }
        encryptCode_ = std::move(code);
    } else {
        // Never replace a code that exists but cannot be read: every stored line depends on it.
        return problem();
    }
    listKey_ = store::Key::forUserList(encryptCode_);

    const auto userPath = folder_.fileByName(kUserFile);
    if (!userPath) {
        return problem();
    }
    if (auto content = store::readFile(*userPath, ec)) {
        for (const auto& line : text::splitLines(*content)) {
            loadTempListBox_.push_back(store::decryptLine(listKey_, line));
        }
    } else if (ec != std::errc::no_such_file_or_directory || store::createIfMissing(*userPath)) {
        return problem();
    }
    return {};
}

void Session::loadPass() {
    for (size_t i = 0; i < loadTempListBox_.size(); i += 2) {
        popup_.push_back(loadTempListBox_[i]);
        tempListBox_.push_back(i + 1 < loadTempListBox_.size() ? loadTempListBox_[i + 1]
                                                               : std::string());
    }
    popupSelection_ = popup_.size() == kFirstUserEntry + 1 ? kFirstUserEntry : 0;
}

Outcome Session::updatePass() {
    resetPopup();
    tempListBox_.clear();
    const auto userPath = folder_.fileByName(kUserFile);
    std::optional<std::string> content;
    if (userPath) {
        content = store::readFile(*userPath);
    }
    if (!content) {
        return {false, {std::string(kNoDataFile)}};
    }
    const auto lines = text::splitLines(*content);
    for (size_t i = 0; i < lines.size(); i += 2) {
        popup_.push_back(store::decryptLine(listKey_, lines[i]));
        tempListBox_.push_back(i + 1 < lines.size() ? store::decryptLine(listKey_, lines[i + 1])
                                                    : std::string());
    }
    return {};
}

std::error_code Session::savePass(std::string_view name, std::string_view password) {
    const auto userPath = folder_.fileByName(kUserFile);
    if (!userPath) {
        return std::make_error_code(std::errc::invalid_argument);
    }
    std::string record;
    std::error_code ec;
    if (auto content = store::readFile(*userPath, ec)) {
        // A last line without its line end, or a name without its verifier line, would shift
        // the new pair out of step: finish the line and give that name its empty verifier.
        if (!content->empty() && content->back() != '\n' && content->back() != '\r') {
            record += '\n';
        }
        if (text::splitLines(*content).size() % 2 != 0) {
            record += '\n';
        }
    } else if (ec != std::errc::no_such_file_or_directory) {
        return ec;
    }
    record += encryptPass(name);
    record += '\n';
    record += encryptPass(store::makePasswordVerifier(password));
    record += '\n';
    return store::appendDurable(*userPath, record);
}

bool Session::nameTaken(std::string_view name) const {
    for (const auto& entry : popup_) {
        if (text::equalsIgnoreCase(entry, name)) {
            return true;
        }
    }
    return false;
}

CreateResult Session::createAccount(std::string_view name, std::string_view password,
                                    std::string_view confirm) {
    CreateResult result;
    popupSelection_ = 0;
    if (password != confirm) {
        result.status = CreateStatus::Mismatch;
        result.messages.emplace_back(kMismatch);
        result.clearPassword = result.clearConfirm = true;
        return result;
    }
    if (name.empty() || password.empty()) {
        result.status = CreateStatus::Empty;
        return result;
    }
    if (!isUsableName(name)) {
        result.status = CreateStatus::BadName;
        result.messages.emplace_back(kBadName);
        result.clearPassword = result.clearConfirm = true;
        return result;
    }
    if (nameTaken(name)) {
        result.status = CreateStatus::Taken;
        result.messages.emplace_back(kTaken);
        result.clearPassword = result.clearConfirm = true;
        return result;
    }

    // The user's two files come first: a failure then leaves no user without its files.
    const std::string nameText(name);
    const auto catIndex = folder_.fileByName(std::string(kCatIndexPrefix) + nameText);
    const auto recordFile = folder_.fileByName(std::string(kRecordPrefix) + nameText);
    std::error_code ec;
    if (!catIndex || !recordFile || (ec = store::createIfMissing(*catIndex)) ||
        (ec = store::createIfMissing(*recordFile)) || (ec = savePass(name, password))) {
        result.status = CreateStatus::Failed;
        result.messages.emplace_back(kSaveProblem);
        result.clearPassword = result.clearConfirm = true;
        return result;
    }

    result.status = CreateStatus::Created;
    result.clearName = result.clearPassword = result.clearConfirm = true;
    auto update = updatePass();
    for (auto& message : update.messages) {
        result.messages.push_back(std::move(message));
    }
    return result;
}

bool Session::verifyPassword(int row, std::string_view typed) const {
    if (row < 0 || static_cast<size_t>(row) >= tempListBox_.size()) {
        return false;
    }
    return store::checkPasswordVerifier(tempListBox_[static_cast<size_t>(row)], typed);
}

bool Session::login(int popupEntry, std::string_view typed) {
    signOut();
    const int row = popupEntry - kFirstUserEntry;
    if (row < 0 || static_cast<size_t>(popupEntry) >= popup_.size()) {
        return false;
    }
    // The name becomes part of the user's file names; a damaged or foreign entry must not
    // reach other files (an empty name would address the earlier shared record file).
    const std::string& name = popup_[static_cast<size_t>(popupEntry)];
    if (!isUsableName(name) || !verifyPassword(row, typed)) {
        return false;
    }
    try {
        dataKey_ = store::Key::forUserData(typed, encryptCode_);
        currentPass_.assign(typed);
    } catch (const std::exception&) {
        signOut();
        return false;
    }
    userIndex_ = row;
    lnx_ = popupEntry;
    compareUser_ = name;
    return true;
}

void Session::signOut() {
    dataKey_.clear();
    currentPass_.clear();
    compareUser_.clear();
    userIndex_ = 0;
    lnx_ = 0;
    records.clear();
}

std::string Session::encryptData(std::string_view text) const {
    return store::encryptLine(dataKey_, text);
}

std::string Session::decryptData(std::string_view line, bool* ok) const {
    return store::decryptLine(dataKey_, line, ok);
}

std::string Session::encryptPass(std::string_view text) const {
    return store::encryptLine(listKey_, text);
}

std::string Session::decryptPass(std::string_view line, bool* ok) const {
    return store::decryptLine(listKey_, line, ok);
}

} // namespace quorvel::users
