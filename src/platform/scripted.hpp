#pragma once
// Scripted dialogs and services for tests: answers are queued beforehand, and every message,
// question and dialog shown is recorded in order. A question or dialog with no queued answer is
// recorded as unexpected and answered with Cancel/No/nothing, so a test never blocks.

#include "platform/dialogs.hpp"
#include "platform/services.hpp"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace quorvel::platform {

struct Shown {
    std::string
        kind; // "message", "yesno", "retrycancel", "open", "save", "folder", "pagesetup", "print"
    std::string text;
};

class ScriptedDialogs : public Dialogs {
public:
    // Queue answers, consumed in order by the dialogs of that kind.
    void answerYesNo(int answer) { yesNo_.push_back(answer); }
    void answerRetryCancel(int answer) { retryCancel_.push_back(answer); }
    void answerOpen(std::vector<std::string> files) { open_.push_back(std::move(files)); }
    void answerSave(std::optional<std::string> path) { save_.push_back(std::move(path)); }
    void answerFolder(std::optional<std::string> path) { folder_.push_back(std::move(path)); }
    void answerPageSetup(bool ok) { pageSetup_.push_back(ok); }
    void answerPrint(bool ok) { print_.push_back(ok); }

    const std::vector<Shown>& shown() const { return shown_; }
    // Texts of the plain messages, in order.
    std::vector<std::string> messages() const;
    // Dialogs that came without a queued answer, and answers left unused.
    const std::vector<Shown>& unexpected() const { return unexpected_; }
    bool allAnswersUsed() const;
    void clear();

    void message(std::string_view text) override;
    int askYesNo(std::string_view text) override;
    int askRetryCancel(std::string_view text) override;
    std::vector<std::string> openFiles(std::string_view title,
                                       const std::vector<FileFilter>& filters,
                                       bool multiple) override;
    std::optional<std::string> saveFile(std::string_view title, std::string_view prompt,
                                        std::string_view suggestedName) override;
    std::optional<std::string> chooseFolder(std::string_view title) override;
    bool pageSetup() override;
    bool printDialog() override;

    // The filters of the last open dialog.
    const std::vector<FileFilter>& lastFilters() const { return lastFilters_; }

private:
    std::deque<int> yesNo_, retryCancel_;
    std::deque<std::vector<std::string>> open_;
    std::deque<std::optional<std::string>> save_, folder_;
    std::deque<bool> pageSetup_, print_;
    std::vector<Shown> shown_, unexpected_;
    std::vector<FileFilter> lastFilters_;
};

class ScriptedServices : public Services {
public:
    void openUrl(std::string_view url) override { opened.emplace_back(url); }
    void beep() override { ++beeps; }

    std::vector<std::string> opened;
    int beeps = 0;
};

class ScriptedHttp : public Http {
public:
    // Answers by URL; an unknown URL fails with status 0.
    std::map<std::string, std::pair<int, std::string>> responses;
    std::vector<std::string> requested;
    void get(std::string_view url, Done done) override;
};

} // namespace quorvel::platform
