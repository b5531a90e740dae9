#pragma once
// A main window in fresh temporary folders, with scripted dialogs and services.

#include "app/quorvel_window.hpp"
#include "platform/scripted.hpp"
#include "support/temp_dir.hpp"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>

namespace quorvel::test {

class GuiTest : public ::testing::Test {
protected:
    GuiTest();
    ~GuiTest() override;

    // Builds the window and runs its opening steps.
    app::Quorvel& start();
    // Closes and drops the window, and starts a new one on the same folders.
    app::Quorvel& restart();

    app::Quorvel& window() { return *window_; }
    template <typename T> T* control(const char* name) {
        return window_->control<T>(QString::fromUtf8(name));
    }
    QWidget* widget(const char* name) { return window_->form().widget(QString::fromUtf8(name)); }
    // Shown as the user would see it: the control and all its parents are visible.
    bool visible(const char* name) { return widget(name)->isVisibleTo(window_.get()); }
    bool enabled(const char* name) { return widget(name)->isEnabled(); }
    void click(const char* name);
    void type(const char* name, const QString& text);
    void choose(const char* name, int row);
    bool commandEnabled(const char* name);

    void TearDown() override;

    TempDir root;
    store::Places places;
    platform::ScriptedDialogs dialogs;
    platform::ScriptedServices services;
    platform::ScriptedHttp http;
    std::unique_ptr<app::Quorvel> window_;
};

} // namespace quorvel::test
