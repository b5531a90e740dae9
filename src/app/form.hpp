#pragma once
// Forms are tables of controls: name, kind, place, caption and initial state. One builder turns
// a table into widgets whose object names are the control names, so handlers and tests find
// every control by name.

#include <QHash>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <span>
#include <stdexcept>

class QTabBar;

namespace quorvel::app {

enum class Kind {
    Label,
    PopupMenu,
    TextField,
    PushButton,
    CheckBox,
    BevelButton,
    GroupBox,
    ListBox,
    Picture,
    BusyIndicator,
};

// Initial states and looks.
enum Flag : unsigned {
    kNone = 0,
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kMasked = 1u << 2,
    kReadOnly = 1u << 3,
    kMultiLine = 1u << 4,
    kBold = 1u << 5,
    kCentered = 1u << 6,
};

struct ControlSpec {
    const char* name;
    Kind kind;
    int left, top, width, height; // points, relative to the window's content area
    // Caption; for popup menus the items and for list boxes the column headings, separated by
    // '|'; for pictures the resource path.
    const char* caption = "";
    int fontSize = 12; // pixel size
    unsigned flags = kNone;
};

// The controls of one form, by name.
class Form {
public:
    QWidget* widget(const QString& name) const {
        QWidget* w = controls_.value(name);
        if (w == nullptr) {
            throw std::out_of_range("no control named " + name.toStdString());
        }
        return w;
    }
    template <typename T> T* get(const QString& name) const {
        T* w = qobject_cast<T*>(widget(name));
        if (w == nullptr) {
            throw std::logic_error("control " + name.toStdString() + " is of another kind");
        }
        return w;
    }
    bool has(const QString& name) const { return controls_.contains(name); }
    void add(const QString& name, QWidget* w) { controls_.insert(name, w); }
    const QHash<QString, QWidget*>& all() const { return controls_; }

private:
    QHash<QString, QWidget*> controls_;
};

// Builds the controls of a table as children of parent, whose top-left corner stands at origin
// in the window's coordinates. Controls are created in table order and so stacked in it.
void buildForm(Form& form, QWidget* parent, QPoint origin, std::span<const ControlSpec> table);

// Where a control of a table stands, in its parent's coordinates.
QPoint placeOf(const ControlSpec& row, QPoint origin);

// A tab panel: a row of tabs across its top and one page per tab, each page covering the whole
// panel so that controls are placed in the panel's own coordinates.
class TabPanel : public QWidget {
    Q_OBJECT
public:
    TabPanel(const QStringList& tabs, QWidget* parent);
    QWidget* page(int index) const { return pages_.at(index); }
    int count() const { return static_cast<int>(pages_.size()); }
    int currentIndex() const;
    void setCurrentIndex(int index);
    QTabBar* tabBar() const { return tabBar_; }

signals:
    void currentChanged(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showPage(int index);

    QTabBar* tabBar_;
    QList<QWidget*> pages_;
};

} // namespace quorvel::app
