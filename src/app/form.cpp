#include "app/form.hpp"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>

namespace quorvel::app {

namespace {

QStringList parts(const char* caption) {
    return QString::fromUtf8(caption).split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

QWidget* create(const ControlSpec& row, QWidget* parent) {
    const QString caption = QString::fromUtf8(row.caption);
    switch (row.kind) {
    case Kind::Label: {
        auto* label = new QLabel(caption, parent);
        if (row.flags & kCentered) {
            label->setAlignment(Qt::AlignCenter);
        }
        return label;
    }
    case Kind::PopupMenu: {
        auto* combo = new QComboBox(parent);
        combo->addItems(parts(row.caption));
        return combo;
    }
    case Kind::TextField: {
        if (row.flags & kMultiLine) {
            auto* edit = new QPlainTextEdit(parent);
            edit->setReadOnly(row.flags & kReadOnly);
            return edit;
        }
        auto* edit = new QLineEdit(parent);
        edit->setReadOnly(row.flags & kReadOnly);
        if (row.flags & kMasked) {
            edit->setEchoMode(QLineEdit::Password);
        }
        return edit;
    }
    case Kind::PushButton:
        return new QPushButton(caption, parent);
    case Kind::CheckBox:
        return new QCheckBox(caption, parent);
    case Kind::BevelButton: {
        auto* button = new QToolButton(parent);
        button->setText(caption);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return button;
    }
    case Kind::GroupBox:
        return new QGroupBox(parent);
    case Kind::ListBox: {
        const QStringList headings = parts(row.caption);
        if (headings.size() > 1) {
            auto* tree = new QTreeWidget(parent);
            tree->setColumnCount(static_cast<int>(headings.size()));
            tree->setHeaderLabels(headings);
            tree->setRootIsDecorated(false);
            tree->setUniformRowHeights(true);
            tree->setSelectionMode(QAbstractItemView::SingleSelection);
            return tree;
        }
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        return list;
    }
    case Kind::Picture: {
        auto* label = new QLabel(parent);
        label->setPixmap(QPixmap(caption));
        label->setAlignment(Qt::AlignCenter);
        return label;
    }
    case Kind::BusyIndicator: {
        auto* busy = new QProgressBar(parent);
        busy->setRange(0, 0);
        busy->setTextVisible(false);
        return busy;
    }
    }
    return nullptr;
}

} // namespace

QPoint placeOf(const ControlSpec& row, QPoint origin) {
    return QPoint(row.left, row.top) - origin;
}

void buildForm(Form& form, QWidget* parent, QPoint origin, std::span<const ControlSpec> table) {
    for (const ControlSpec& row : table) {
        QWidget* w = create(row, parent);
        const QString name = QString::fromUtf8(row.name);
        w->setObjectName(name);
        w->setGeometry(QRect(placeOf(row, origin), QSize(row.width, row.height)));
        QFont font = w->font();
        font.setPixelSize(row.fontSize);
        font.setBold(row.flags & kBold);
        w->setFont(font);
        if (row.kind == Kind::Label || row.kind == Kind::CheckBox) {
            // Fonts differ between systems: a caption that does not fit its place grows to the
            // right rather than being cut off.
            const int needed = w->sizeHint().width();
            if (needed > row.width) {
                w->resize(needed, row.height);
            }
        }
        w->setEnabled(!(row.flags & kDisabled));
        if (row.flags & kHidden) {
            w->hide();
        }
        form.add(name, w);
    }
}

TabPanel::TabPanel(const QStringList& tabs, QWidget* parent) : QWidget(parent) {
    tabBar_ = new QTabBar(this);
    tabBar_->setDrawBase(false);
    tabBar_->setExpanding(false);
    for (const QString& t : tabs) {
        tabBar_->addTab(t);
        auto* page = new QWidget(this);
        page->setObjectName(QStringLiteral("page:") + t);
        pages_.push_back(page);
    }
    tabBar_->raise();
    connect(tabBar_, &QTabBar::currentChanged, this, [this](int index) {
        showPage(index);
        emit currentChanged(index);
    });
    showPage(0);
}

int TabPanel::currentIndex() const {
    return tabBar_->currentIndex();
}

void TabPanel::setCurrentIndex(int index) {
    tabBar_->setCurrentIndex(index);
}

void TabPanel::showPage(int index) {
    for (int i = 0; i < pages_.size(); ++i) {
        pages_[i]->setVisible(i == index);
    }
    tabBar_->raise();
}

void TabPanel::resizeEvent(QResizeEvent*) {
    const QSize hint = tabBar_->sizeHint();
    tabBar_->setGeometry((width() - hint.width()) / 2, 0, hint.width(), hint.height());
    for (QWidget* page : pages_) {
        page->setGeometry(rect());
    }
}

void TabPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int top = tabBar_->sizeHint().height() / 2;
    frame.rect = rect().adjusted(0, top, 0, 0);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

} // namespace quorvel::app
