#include "screens/shell/mainmenuscreen.h"

#include "screens/shell/startpicture.h"
#include "shell/helptexts.h"
#include "shell/recovery.h"
#include "shell/slideshow.h"
#include "shell/startup.h"
#include "state/sharedstate.h"
#include "ui/platform.h"
#include "ui/screenregistry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace vorleth {

namespace {

// Paints the start picture behind the controls, redrawn at the window's size.
class StartBackground : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        if (m_picture.size() != size())
            m_picture = drawStartPicture(size(), false);
        QPainter painter(this);
        painter.drawImage(0, 0, m_picture);
    }

private:
    QImage m_picture;
};

// The menu's colours are set without style sheets: the first style sheet of a program costs
// its start a style of its own and the parsing of every sheet, before the first frame.
void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// The slideshow's place: a darkened, framed area over the start picture.
class PictureFrame : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        {
            QPainter painter(this);
            painter.fillRect(rect(), QColor(0, 0, 0, 70));
            painter.setPen(QColor(255, 255, 255, 60));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
        QLabel::paintEvent(event);
    }
};

QPushButton* mainButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setMinimumHeight(34);
    return button;
}

} // namespace

MainMenuScreen::MainMenuScreen(SharedState& state, Navigator& navigator, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_navigator(navigator) {
    setObjectName(QStringLiteral("mapstart"));
    setWindowTitle(QStringLiteral("Vorleth　開始メニュー"));

    const StartUpOutcome outcome = startUp(m_state);

    buildControls();
    buildMenus();

    m_slideshowTimer = new QTimer(this);
    m_slideshowTimer->setObjectName(QStringLiteral("Timer1"));
    m_slideshowTimer->setInterval(slideshowIntervalMs);
    connect(m_slideshowTimer, &QTimer::timeout, this, &MainMenuScreen::showNextPicture);
    m_slideshowTimer->start();

    if (outcome.openBrowser) {
        // Once the menu is up, so that the installation guide opens in front of it.
        QTimer::singleShot(0, this, [this] { m_navigator.showBeside(ScreenId::Browser); });
    }
    resize(640, 480);
}

MainMenuScreen::MainMenuScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                               QWidget* parent)
    : MainMenuScreen(state, navigator, parent) {
    m_dialogs = &dialogs;
    // Once the menu is up, so that the question stands in front of it.
    QTimer::singleShot(0, this, [this] {
        if (const std::optional<ContinueGame> continued = offerRecovery(m_state, *m_dialogs))
            handOver(ScreenId::BoardRecording, *continued);
    });
}

void MainMenuScreen::buildControls() {
    auto* background = new StartBackground(this);
    setCentralWidget(background);

    auto* title = new QLabel(QStringLiteral("Vorleth"), background);
    title->setObjectName(QStringLiteral("TitleLabel"));
    QFont titleFont(QStringLiteral("Serif"));
    titleFont.setPixelSize(56);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    title->setFont(titleFont);
    setTextColour(title, QColor(250, 226, 170));

    auto* version = new QLabel(versionText, background);
    version->setObjectName(QStringLiteral("VersionLabel"));
    setTextColour(version, QColor(220, 220, 210));

    m_picture = new PictureFrame(background);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setAccessibleName(QStringLiteral("写真"));
    m_picture->setFixedSize(240, 180);
    m_picture->setAlignment(Qt::AlignCenter);

    auto* buttons = new QGridLayout;
    buttons->setSpacing(8);
    auto* command1 =
        mainButton(QStringLiteral("Command1"), QStringLiteral("登録棋譜を閲覧"), background);
    auto* command2 =
        mainButton(QStringLiteral("Command2"), QStringLiteral("総譜から表形式で登録"), background);
    auto* command3 =
        mainButton(QStringLiteral("Command3"), QStringLiteral("碁盤で並べて登録"), background);
    auto* command4 = mainButton(QStringLiteral("Command4"), QStringLiteral("終わる"), background);
    buttons->addWidget(command1, 0, 0);
    buttons->addWidget(command2, 0, 1);
    buttons->addWidget(command3, 1, 0);
    buttons->addWidget(command4, 1, 1);
    connect(command1, &QPushButton::clicked, this, &MainMenuScreen::browse);
    connect(command2, &QPushButton::clicked, this, &MainMenuScreen::tableEntry);
    connect(command3, &QPushButton::clicked, this, &MainMenuScreen::boardEntry);
    connect(command4, &QPushButton::clicked, this, &MainMenuScreen::endProgram);

    auto* left = new QVBoxLayout;
    left->addWidget(title);
    left->addWidget(version);
    left->addSpacing(12);
    left->addWidget(m_picture);
    left->addStretch(1);
    left->addLayout(buttons);

    auto* layout = new QHBoxLayout(background);
    layout->setContentsMargins(24, 12, 24, 24);
    layout->addLayout(left);
    layout->addStretch(1);
}

void MainMenuScreen::buildMenus() {
    QMenu* settingsMenu = menuBar()->addMenu(QStringLiteral("環境設定・変更"));
    settingsMenu->setObjectName(QStringLiteral("環境設定"));
    QAction* newServe = settingsMenu->addAction(QStringLiteral("利用環境の新規設定（初回のみ）"));
    newServe->setObjectName(QStringLiteral("NEWSERVE"));
    connect(newServe, &QAction::triggered, this, [this] { handOver(ScreenId::Setup); });
    QAction* screenSize = settingsMenu->addAction(QStringLiteral("画面サイズの変更"));
    screenSize->setObjectName(QStringLiteral("画面サイズ変更"));
    connect(screenSize, &QAction::triggered, this, [this] { handOver(ScreenId::ScreenSize); });

    QAction* manual = menuBar()->addAction(QStringLiteral("オンラインマニュアル"));
    manual->setObjectName(QStringLiteral("onman"));
    connect(manual, &QAction::triggered, this,
            [this] { m_navigator.showBeside(ScreenId::Browser); });

    QAction* help = menuBar()->addAction(QStringLiteral("ヘルプ"));
    help->setObjectName(QStringLiteral("F1HELP"));
    connect(help, &QAction::triggered, this, [this] { m_navigator.showHelp(helpcode::mainMenu); });
}

void MainMenuScreen::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_slideshowTimer)
        m_slideshowTimer->start();
    QMainWindow::changeEvent(event);
}

void MainMenuScreen::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    // A menu that another screen replaced goes quietly.
    if (event->isAccepted() && !m_handingOver && !m_ending &&
        !property(ScreenRegistry::replacedProperty).toBool())
        endProgram();
}

void MainMenuScreen::showNextPicture() {
    const auto path = slideshowTick(m_state);
    if (!path)
        return;
    const QPixmap picture = loadPictureScaled(*path, m_picture->size());
    // A picture that cannot be loaded leaves the area as it was.
    if (!picture.isNull())
        m_picture->setPixmap(picture);
    m_slideshowTimer->setInterval(slideshowIntervalMs);
}

void MainMenuScreen::handOver(ScreenId next, const Handover& handover) {
    m_handingOver = true;
    m_slideshowTimer->stop();
    m_navigator.show(next, handover);
    close();
}

void MainMenuScreen::browse() {
    // The record list scans the directory itself as it opens.
    prepareBrowse(m_state);
    handOver(ScreenId::RecordList);
}

void MainMenuScreen::tableEntry() {
    prepareTableEntry(m_state);
    handOver(ScreenId::GameInfo);
}

void MainMenuScreen::boardEntry() {
    prepareBoardEntry(m_state);
    handOver(ScreenId::GameInfo);
}

void MainMenuScreen::endProgram() {
    m_ending = true;
    m_slideshowTimer->stop();
    // Every screen closes and the event loop ends, even if a screen would rather stay;
    // nothing is saved.
    QApplication::closeAllWindows();
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

} // namespace vorleth
