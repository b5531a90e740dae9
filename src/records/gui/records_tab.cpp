#include "records/gui/records_tab.hpp"

#include "app/quorvel_window.hpp"

namespace quorvel::records::gui {

RecordsTab::RecordsTab(app::Quorvel& window) : QObject(&window), window_(window) {}

void RecordsTab::clrPass() {}

void RecordsTab::categoriesChanged() {}

bool RecordsTab::signIn(const std::string&) {
    return true;
}

void RecordsTab::clearEditorFields() {}

} // namespace quorvel::records::gui
