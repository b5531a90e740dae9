#include "support/gui_fixture.hpp"

#include <QAction>
#include <QApplication>

namespace quorvel::test {

GuiTest::GuiTest() {
    places.current = root / "data";
    places.data = root / "config/Quorvel";
    places.desktop = root / "Desktop";
    places.trash = root / "Trash";
    places.temp = root / "tmp";
    std::filesystem::create_directories(places.desktop);
    std::filesystem::create_directories(places.temp);
}

GuiTest::~GuiTest() = default;

app::Quorvel& GuiTest::start() {
    window_ = std::make_unique<app::Quorvel>(places, dialogs, services, http);
    window_->show();
    window_->open();
    QApplication::processEvents();
    return *window_;
}

app::Quorvel& GuiTest::restart() {
    if (window_) {
        window_->close();
        window_.reset();
    }
    return start();
}

void GuiTest::click(const char* name) {
    control<QAbstractButton>(name)->click();
}

void GuiTest::type(const char* name, const QString& text) {
    auto* edit = control<QLineEdit>(name);
    edit->setText(text);
}

void GuiTest::choose(const char* name, int row) {
    control<QComboBox>(name)->setCurrentIndex(row);
}

bool GuiTest::commandEnabled(const char* name) {
    return window_->commands().action(QString::fromUtf8(name))->isEnabled();
}

void GuiTest::TearDown() {
    for (const auto& u : dialogs.unexpected()) {
        ADD_FAILURE() << "unexpected " << u.kind << " dialog: " << u.text;
    }
    EXPECT_TRUE(dialogs.allAnswersUsed()) << "a scripted answer was not used";
    if (window_) {
        window_->close();
        window_.reset();
    }
}

} // namespace quorvel::test
