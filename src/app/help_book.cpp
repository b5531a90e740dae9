#include "app/help_book.hpp"

#include <QCoreApplication>

namespace quorvel::app {

std::vector<std::filesystem::path> helpBookCandidates() {
    const std::filesystem::path exeDir = QCoreApplication::applicationDirPath().toStdString();
    return {exeDir / "help", exeDir / "../share/quorvel/help", QUORVEL_HELP_INSTALL_DIR};
}

std::optional<std::filesystem::path>
registerHelpBook(const std::vector<std::filesystem::path>& candidates, platform::Dialogs& dialogs,
                 platform::Services& services) {
    for (const auto& dir : candidates) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(dir / "index.html", ec)) {
            return std::filesystem::weakly_canonical(dir, ec);
        }
    }
    services.beep();
    dialogs.message("There was a problem registering Apple Help.");
    return std::nullopt;
}

} // namespace quorvel::app
