#pragma once
// The Qt implementations of the platform interfaces.

#include "platform/dialogs.hpp"
#include "platform/services.hpp"

class QWidget;
class QNetworkAccessManager;
class QPrinter;

namespace quorvel::platform {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

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

    // The printer the page-setup and print dialogs configure.
    QPrinter& printer();

private:
    QWidget* parent_;
    QPrinter* printer_ = nullptr;
};

class QtServices : public Services {
public:
    void openUrl(std::string_view url) override;
    void beep() override;
};

class QtHttp : public Http {
public:
    QtHttp();
    ~QtHttp() override;
    void get(std::string_view url, Done done) override;

private:
    QNetworkAccessManager* manager_;
};

} // namespace quorvel::platform
