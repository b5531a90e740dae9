#include "platform/qt/qt_platform.hpp"

#include "platform/doc_types.hpp"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace quorvel::platform {

namespace {

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

void QtDialogs::message(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), q(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

int QtDialogs::askYesNo(std::string_view text) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), q(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    return box.exec() == QMessageBox::Yes ? kYes : kNo;
}

int QtDialogs::askRetryCancel(std::string_view text) {
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), q(text),
                    QMessageBox::Retry | QMessageBox::Cancel, parent_);
    return box.exec() == QMessageBox::Retry ? kRetry : kCancel;
}

std::vector<std::string> QtDialogs::openFiles(std::string_view title,
                                              const std::vector<FileFilter>& filters,
                                              bool multiple) {
    QStringList parts;
    for (const auto& f : filters) {
        parts << QString::fromStdString(filterText(f));
    }
    const QString filter = parts.join(QStringLiteral(";;"));
    std::vector<std::string> out;
    if (multiple) {
        for (const QString& f : QFileDialog::getOpenFileNames(parent_, q(title), {}, filter)) {
            out.push_back(f.toStdString());
        }
    } else {
        QString f = QFileDialog::getOpenFileName(parent_, q(title), {}, filter);
        if (!f.isEmpty()) {
            out.push_back(f.toStdString());
        }
    }
    return out;
}

std::optional<std::string> QtDialogs::saveFile(std::string_view title, std::string_view prompt,
                                               std::string_view suggestedName) {
    QFileDialog dialog(parent_, q(title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setLabelText(QFileDialog::FileName, q(prompt));
    dialog.selectFile(q(suggestedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtDialogs::chooseFolder(std::string_view title) {
    QString dir = QFileDialog::getExistingDirectory(parent_, q(title));
    if (dir.isEmpty()) {
        return std::nullopt;
    }
    return dir.toStdString();
}

QPrinter& QtDialogs::printer() {
    if (printer_ == nullptr) {
        printer_ = new QPrinter(QPrinter::HighResolution);
    }
    return *printer_;
}

bool QtDialogs::pageSetup() {
    QPageSetupDialog dialog(&printer(), parent_);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::printDialog() {
    QPrintDialog dialog(&printer(), parent_);
    return dialog.exec() == QDialog::Accepted;
}

void QtServices::openUrl(std::string_view url) {
    QDesktopServices::openUrl(QUrl(q(url)));
}

void QtServices::beep() {
    QApplication::beep();
}

} // namespace quorvel::platform
