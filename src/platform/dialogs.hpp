#pragma once
// Modal messages, questions and file dialogs. Every one the program shows goes through here, so
// that tests can script the answers and read back what was shown.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::platform {

// Answers of the question boxes, as the program has always numbered them.
enum Answer : int { kOk = 1, kCancel = 2, kRetry = 4, kYes = 6, kNo = 7 };

struct FileFilter {
    std::string name;                    // e.g. "application/rtf"
    std::vector<std::string> extensions; // without the dot, e.g. "rtf"
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message box with a single OK button.
    virtual void message(std::string_view text) = 0;
    // Yes/No question: kYes or kNo.
    virtual int askYesNo(std::string_view text) = 0;
    // Retry/Cancel question: kRetry or kCancel.
    virtual int askRetryCancel(std::string_view text) = 0;

    // Open dialog for one or more files of the given types; empty when cancelled.
    virtual std::vector<std::string>
    openFiles(std::string_view title, const std::vector<FileFilter>& filters, bool multiple) = 0;
    // Save dialog with a title, a prompt and a suggested name.
    virtual std::optional<std::string> saveFile(std::string_view title, std::string_view prompt,
                                                std::string_view suggestedName) = 0;
    // Folder chooser.
    virtual std::optional<std::string> chooseFolder(std::string_view title) = 0;
    // Page setup and print dialogs: true when the user went on.
    virtual bool pageSetup() = 0;
    virtual bool printDialog() = 0;
};

} // namespace quorvel::platform
