// main() of the GUI tests: one QApplication for the whole run, headless.

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quorvel Pro"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
