#pragma once
// The controls of the main window, as tables.

#include "app/form.hpp"

#include <QPoint>
#include <span>

namespace quorvel::app {

// The login panel and the work panel, in window coordinates.
inline constexpr QRect kLoginPanelPlace{12, 8, 675, 393};
inline constexpr QRect kWorkPanelPlace{13, 17, 673, 381};
inline constexpr QSize kWindowSize{699, 430};
inline constexpr QSize kWindowMinimum{548, 338};
inline constexpr QSize kWindowMaximum{948, 738};

std::span<const ControlSpec> loginPanelControls();
std::span<const ControlSpec> recordsPageControls();
std::span<const ControlSpec> encryptDocsPageControls();
std::span<const ControlSpec> encryptNotesPageControls();
std::span<const ControlSpec> usersPageControls();
// Controls on the window itself, outside both panels.
std::span<const ControlSpec> windowControls();

} // namespace quorvel::app
