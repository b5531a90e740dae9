#include "app/quorvel_window.hpp"

#include "app/main_form.hpp"
#include "records/gui/records_tab.hpp"
#include "store/files.hpp"
#include "users/gui/login_panel.hpp"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolBar>

// The pictures are compiled into the static GUI library, whose resources must be registered
// by hand.
static void initResources() {
    Q_INIT_RESOURCE(quorvel);
}

namespace quorvel::app {

namespace {

// Where a control of the login panel stands for a panel of the given size: it keeps its offset
// from the panel's centre.
QPoint centredPlace(const ControlSpec& row, QSize panel) {
    const QPoint shift(panel.width() / 2 - kLoginPanelPlace.width() / 2,
                       panel.height() / 2 - kLoginPanelPlace.height() / 2);
    return placeOf(row, kLoginPanelPlace.topLeft()) + shift;
}

} // namespace

Quorvel::Quorvel(store::Places places, platform::Dialogs& dialogs, platform::Services& services,
                 platform::Http& http, QWidget* parent)
    : QMainWindow(parent), places_(std::move(places)), dialogs_(dialogs), services_(services),
      http_(http), session_(store::Folder(places_.current)) {
    initResources();
    setObjectName(QStringLiteral("Quorvel"));
    setWindowTitle(QStringLiteral("Quorvel Pro"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/quorvel.svg")));
    commands_ = new Commands(this);
    buildForm();
    connectCommands();
    loginHandler_ = new users::gui::LoginPanel(*this);
    recordsTab_ = new records::gui::RecordsTab(*this);

    logoutTimer_ = new QTimer(this);
    logoutTimer_->setObjectName(QStringLiteral("LogoutTimer"));
    logoutTimer_->setInterval(1000);
    logoutTimer_->start();

    // The content area has the window's sizes; menu bar and toolbar come on top of it.
    content_->setMinimumSize(kWindowMinimum);
    content_->setMaximumSize(kWindowMaximum);
    const int chrome = menuBar()->sizeHint().height() + commands_->toolBar()->sizeHint().height();
    resize(kWindowSize.width(), kWindowSize.height() + chrome);
    content_->resize(kWindowSize);
    relayout();
}

Quorvel::~Quorvel() = default;

void Quorvel::buildForm() {
    content_ = new QWidget(this);
    content_->setObjectName(QStringLiteral("content"));
    setCentralWidget(content_);
    content_->installEventFilter(this);

    loginPanel_ = new TabPanel({QStringLiteral("LOGIN")}, content_);
    loginPanel_->setObjectName(QStringLiteral("LoginTabPanel"));
    loginPanel_->setGeometry(kLoginPanelPlace);
    app::buildForm(form_, loginPanel_->page(0), kLoginPanelPlace.topLeft(), loginPanelControls());

    workPanel_ = new TabPanel({QStringLiteral("Records"), QStringLiteral("Encrypt Doc's"),
                               QStringLiteral("Encrypt Notes"), QStringLiteral("Users")},
                              content_);
    workPanel_->setObjectName(QStringLiteral("QuorvelSelTabPanel"));
    workPanel_->setGeometry(kWorkPanelPlace);
    const QPoint origin = kWorkPanelPlace.topLeft();
    app::buildForm(form_, workPanel_->page(0), origin, recordsPageControls());
    app::buildForm(form_, workPanel_->page(1), origin, encryptDocsPageControls());
    app::buildForm(form_, workPanel_->page(2), origin, encryptNotesPageControls());
    app::buildForm(form_, workPanel_->page(3), origin, usersPageControls());
    workPanel_->hide();

    app::buildForm(form_, content_, QPoint(0, 0), windowControls());

    form_.add(loginPanel_->objectName(), loginPanel_);
    form_.add(workPanel_->objectName(), workPanel_);

    // Clicks on the background of the panels' pages drag the window too.
    for (TabPanel* panel : {loginPanel_, workPanel_}) {
        panel->installEventFilter(this);
        for (int i = 0; i < panel->count(); ++i) {
            panel->page(i)->installEventFilter(this);
        }
    }
}

void Quorvel::connectCommands() {
    connect(commands_->action(QStringLiteral("FileClose")), &QAction::triggered, this,
            &QWidget::close);
    // Quitting closes the window, which runs its closing steps.
    connect(commands_->action(QStringLiteral("FileQuit")), &QAction::triggered, this, [this] {
        close();
        QApplication::quit();
    });
}

void Quorvel::open() {
    // Automatic enabling of the category commands is off until sign-in.
    commands_->apply(SessionEvent::StartUp);
    addedCustomUpdate();
    loadUsers();
    currentUser_ = store::findAccountName(places_.desktop);
    if (places_.data.empty() || places_.current.empty()) {
        dialogs_.message("Can't find Quorvel's Preference file!");
        return;
    }
    // A failure to create the folder is not reported: the preferences are then simply absent.
    (void)store::makeFolders(places_.data);
    prefFile_ = places_.data / "Prefs";
    loadPrefs();
}

void Quorvel::addedCustomUpdate() {
    session_.records.categories.AddedCustomUpdate(session_.folder());
    recordsTab_->categoriesChanged();
}

void Quorvel::loadUsers() {
    (void)store::makeFolders(places_.current);
    recordsTab_->clrPass();
    control<QLabel>(QStringLiteral("nameStaticText"))->clear();
    const auto outcome = session_.loadQuorvel();
    for (const std::string& message : outcome.messages) {
        dialogs_.message(message);
    }
    if (outcome.ok) {
        session_.loadPass();
    }
    loginHandler_->refillPopup();
    loginHandler_->choosePopup(session_.popupSelection());
}

void Quorvel::signOut(SessionEvent path) {
    showSignedOut();
    auto* box = control<QCheckBox>(QStringLiteral("LogoutCheckBox"));
    box->setChecked(false);
    loginHandler_->choosePopup(0);
    control<QLineEdit>(QStringLiteral("PassEditField"))->clear();
    control<QPlainTextEdit>(QStringLiteral("EncryptTextField"))->clear();
    control<QListWidget>(QStringLiteral("filesListBox"))->clear();
    control<QListWidget>(QStringLiteral("UserPassListBox"))->clear();
    box->setEnabled(false);
    session_.signOut();
    if (path == SessionEvent::LogoutBox) {
        addedCustomUpdate();
    }
    loadUsers();
    commands_->apply(path);
}

void Quorvel::loadPrefs() {}

void Quorvel::showSignedIn() {
    workPanel_->show();
    loginPanel_->hide();
}

void Quorvel::showSignedOut() {
    loginPanel_->show();
    form_.widget(QStringLiteral("UserPopupMenu"))->show();
    form_.widget(QStringLiteral("LogPushButton"))->show();
    workPanel_->hide();
}

bool Quorvel::signedInShown() const {
    return !workPanel_->isHidden();
}

void Quorvel::closeSteps() {
    if (closed_) {
        return;
    }
    closed_ = true;
    const auto& folder = places_.current;
    (void)store::deleteDirectoryContents(folder / "Quorvel Backup", false);
    (void)store::removeFile(folder / "QuorvelData.zip");
    (void)store::deleteDirectoryContents(folder / "Quorvel Backup", true);
}

void Quorvel::closeEvent(QCloseEvent* event) {
    closeSteps();
    event->accept();
}

void Quorvel::relayout() {
    const QSize size = content_->size();
    const QSize panel(size.width() - (kWindowSize.width() - kLoginPanelPlace.width()),
                      size.height() - (kWindowSize.height() - kLoginPanelPlace.height()));
    loginPanel_->setGeometry(QRect(kLoginPanelPlace.topLeft(), panel));
    for (const ControlSpec& row : loginPanelControls()) {
        form_.widget(QString::fromUtf8(row.name))->move(centredPlace(row, panel));
    }
    // The window's own controls keep their distance from the bottom edge; the link label also
    // from the right edge, the logout box from the centre.
    const int dy = size.height() - kWindowSize.height();
    const int dx = size.width() - kWindowSize.width();
    for (const ControlSpec& row : windowControls()) {
        QPoint p(row.left, row.top + dy);
        const QString name = QString::fromUtf8(row.name);
        if (name == QLatin1String("StaticText5")) {
            p.rx() += dx;
        } else if (name == QLatin1String("LogoutCheckBox")) {
            p.rx() += size.width() / 2 - kWindowSize.width() / 2;
        }
        form_.widget(name)->move(p);
    }
}

bool Quorvel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == content_ && event->type() == QEvent::Resize) {
        relayout();
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton) {
            dragOffset_ = e->globalPosition().toPoint() - pos();
            dragging_ = true;
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (dragging_ && (e->buttons() & Qt::LeftButton)) {
            move(e->globalPosition().toPoint() - dragOffset_);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace quorvel::app
