// Quorvel Pro: the program entry.

#include "app/help_book.hpp"
#include "app/quorvel_window.hpp"
#include "platform/qt/qt_platform.hpp"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const bool hasDisplay = std::getenv("DISPLAY") != nullptr ||
                            std::getenv("WAYLAND_DISPLAY") != nullptr ||
                            std::getenv("QT_QPA_PLATFORM") != nullptr;
    if (!hasDisplay) {
        std::fprintf(stderr, "quorvel: no display found (set DISPLAY or WAYLAND_DISPLAY, or "
                             "QT_QPA_PLATFORM=offscreen to run headless)\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvel Pro"));
    QApplication::setOrganizationName(QStringLiteral("Plenwick"));

    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    const auto places =
        quorvel::store::resolvePlaces(args, quorvel::store::processEnvironment());

    quorvel::platform::QtDialogs dialogs;
    quorvel::platform::QtServices services;
    quorvel::platform::QtHttp http;
    quorvel::app::registerHelpBook(quorvel::app::helpBookCandidates(), dialogs, services);

    quorvel::app::Quorvel window(places, dialogs, services, http);
    dialogs.setParent(&window);
    window.show();
    window.open();
    return app.exec();
}
