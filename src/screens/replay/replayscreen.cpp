#include "screens/replay/replayscreen.h"

#include "board/canvas.h"
#include "screens/replay/figureactions.h"
#include "screens/replay/sgfsave.h"
#include "state/contexts.h"
#include "state/sharedstate.h"
#include "ui/boardscreenframe.h"
#include "ui/drawingsurface.h"
#include "ui/platform.h"
#include "ui/surfaceboardview.h"
#include "ui/twipsbox.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace vorleth {

namespace {

// Places: left, top, width, height for the 640 layout; left and top for 800.
const ControlPlace informationPlace{6000, 120, 2445, 1455, 8415, 200};
const StatusBoxPlaces statusPlaces{
    {6000, 1800, 960, 270, 8415, 2400},  // jyotai
    {6000, 2160, 960, 300, 8415, 2760},  // teban1
    {7200, 1680, 1215, 855, 9615, 2280}, // ageishi
    {6510, 5160, 330, 255, 8925, 5760},  // 横
    {7560, 5160, 330, 255, 9975, 5760},  // 縦
    {6510, 5400, 435, 390, 8925, 6000},  // YOKO
    {7560, 5400, 435, 405, 9975, 6000},  // TATE
};
const ControlPlace modeCaptionPlace{6240, 2880, 120, 270, 8610, 3360};
const ControlPlace command1Place{6120, 3360, 1695, 375, 8610, 3960};
const ControlPlace command2Place{6120, 3960, 1575, 375, 8610, 4560};
const ControlPlace command3Place{6120, 4560, 1215, 375, 8610, 5160};

} // namespace

ReplayScreen::Timers::Timers(QObject* owner) : step(owner), start(owner), placement(owner) {
    step.setObjectName(QStringLiteral("Timer1"));
    start.setObjectName(QStringLiteral("Timer2"));
    start.setInterval(ReplayController::startTimerPeriod);
    placement.setObjectName(QStringLiteral("Timer3"));
    placement.setSingleShot(true);
    placement.setInterval(ReplayController::placementDelay);
}

ReplayScreen* ReplayScreen::open(SharedState& state, const ChosenRecord& chosen,
                                 Navigator& navigator, Dialogs& dialogs, QWidget* parent) {
    auto* screen = new ReplayScreen(state, navigator, dialogs, parent);
    if (!screen->m_controller.open(chosen)) {
        // The record list has been shown again already; this screen never appears.
        delete screen;
        return nullptr;
    }
    return screen;
}

ReplayScreen::ReplayScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                           QWidget* parent)
    : QMainWindow(parent), m_state(state), m_dialogs(dialogs), m_timers(this),
      m_controller(replayContext(state), *this, m_timers, dialogs, navigator) {
    setObjectName(QStringLiteral("mapkifusaigen"));
    buildControls();
    buildMenus();

    connect(&m_timers.step, &QTimer::timeout, this, [this] { m_controller.replayStep(); });
    connect(&m_timers.start, &QTimer::timeout, this, [this] { m_controller.startTick(); });
    connect(&m_timers.placement, &QTimer::timeout, this, [this] { m_controller.placementTick(); });
}

ReplayScreen::~ReplayScreen() {
    m_controller.stopTimers();
}

void ReplayScreen::buildControls() {
    const bool large = m_state.geometry.large();
    m_surface = addBoardSurface(this, m_state.geometry.replayClientWidth(),
                                m_state.geometry.replayClientHeight(), large);
    // The board holds the keyboard, so that the replay's keys work as the screen opens.
    m_surface->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_surface);
    connect(m_surface, &DrawingSurface::mousePressed, this,
            [this](double, double, Qt::MouseButton button) {
                if (button == Qt::LeftButton)
                    m_controller.leftClick();
            });

    // The controls stand on the drawing surface; a click beside them reaches the surface.
    m_information = readOnlyText(m_surface, QStringLiteral("taikyokujyoho"));
    m_information->setAccessibleName(QStringLiteral("対局情報"));
    placeBesideBoard(m_information, informationPlace, large, linesHeight(m_information, 5));
    const BoardStatusBoxes boxes = addStatusBoxes(m_surface, statusPlaces, QStringLiteral("jyotai"),
                                                  QStringLiteral("teban1"), large);

    m_modeCaption = new QLabel(m_surface);
    m_modeCaption->setObjectName(QStringLiteral("MANUALUTSU"));
    // Sized to its caption as the caption changes.
    placeBesideBoard(m_modeCaption, modeCaptionPlace, large);

    struct Button {
        const char* name;
        QString caption;
        const ControlPlace& at;
        bool (ReplayController::*action)();
    };
    const Button buttons[] = {
        {"Command1", QStringLiteral("別の対局選定"), command1Place,
         &ReplayController::backToRecordList},
        {"Command2", QStringLiteral("開始画面"), command2Place, &ReplayController::backToStart},
        {"Command3", QStringLiteral("続きを打つ"), command3Place,
         &ReplayController::continuePlaying},
    };
    for (const Button& b : buttons) {
        auto* button = new QPushButton(b.caption, m_surface);
        button->setObjectName(QString::fromLatin1(b.name));
        placeBesideBoard(button, b.at, large);
        connect(button, &QPushButton::clicked, this,
                [this, action = b.action] { closeAfter((m_controller.*action)()); });
    }

    m_board = std::make_unique<SurfaceBoardView>(*m_surface, m_state.geometry, boxes);
    m_board->describeModel(&m_state.board);
}

void ReplayScreen::buildMenus() {
    auto action = [this](QMenu* menu, const char* name, const QString& text, auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    ReplayController& c = m_controller;

    QMenu* order = menuBar()->addMenu(QStringLiteral("並べ方の指定"));
    QMenu* manual = order->addMenu(QStringLiteral("手動：クリックで並べる"));
    action(manual, "click_kuro", QStringLiteral("クリックで黒"), [&c] { c.chooseClickMode(1); });
    action(manual, "click_shiro", QStringLiteral("クリックで白"), [&c] { c.chooseClickMode(2); });
    action(manual, "click_both", QStringLiteral("クリックで白黒すべて"),
           [&c] { c.chooseClickMode(3); });
    QMenu* automatic = order->addMenu(QStringLiteral("自動:一定間隔で並べる"));
    action(automatic, "it0", QStringLiteral("間隔なし"), [&c] { c.jumpWithoutInterval(); });
    struct Interval {
        const char* name;
        QString text;
        int ms;
    };
    for (const Interval& i : {Interval{"it05", QStringLiteral("０．５秒"), 500},
                              Interval{"it1", QStringLiteral("１秒"), 1000},
                              Interval{"it2", QStringLiteral("２秒"), 2000},
                              Interval{"it5", QStringLiteral("５秒"), 5000},
                              Interval{"it10", QStringLiteral("１０秒"), 10000}}) {
        action(automatic, i.name, i.text, [&c, ms = i.ms] { c.chooseInterval(ms); });
    }
    QMenu* sound = order->addMenu(QStringLiteral("打音"));
    action(sound, "beepon", QStringLiteral("あり"), [&c] { c.setBeeps(true); });
    action(sound, "beepoff", QStringLiteral("なし"), [&c] { c.setBeeps(false); });

    QMenu* position = menuBar()->addMenu(QStringLiteral("並べる局面の指定"));
    action(position, "saishufu", QStringLiteral("最終譜まで"), [&c] { c.jumpToFinal(); });
    action(position, "bashoshitei", QStringLiteral("指定した縦と横まで"),
           [&c] { c.askPointTarget(); });
    action(position, "tekazushitei", QStringLiteral("指定した手番まで"),
           [&c] { c.askMoveTarget(); });

    QMenu* deletion = menuBar()->addMenu(QStringLiteral("この対局の削除"));
    action(deletion, "delprocan", QStringLiteral("削除の取り止め"), [] {});
    action(deletion, "delprook", QStringLiteral("この対局を削除"),
           [this] { closeAfter(m_controller.deleteRecord()); });

    menuBar()->addAction(new SgfSaveAction(m_state, m_dialogs, this));
    auto* figures = new FigureActions(m_state, m_dialogs, this);
    QMenu* figureMenu = menuBar()->addMenu(figureMenuCaption);
    figureMenu->addAction(figures->saveAction());
    figureMenu->addAction(figures->printAction());

    QAction* help = menuBar()->addAction(QStringLiteral("ヘルプ"));
    help->setObjectName(QStringLiteral("F5HelLP"));
    connect(help, &QAction::triggered, this, [&c] { c.showHelp(); });
}

void ReplayScreen::keyPressEvent(QKeyEvent* event) {
    ReplayController& c = m_controller;
    switch (event->key()) {
    case Qt::Key_Right:
        c.stepForward();
        break;
    case Qt::Key_Left:
        c.stepBack();
        break;
    case Qt::Key_Home:
        c.jumpToStart();
        break;
    case Qt::Key_End:
        c.jumpToFinal();
        break;
    case Qt::Key_Space:
        c.toggleAutomaticReplay();
        break;
    case Qt::Key_Escape:
        closeAfter(c.backToRecordList());
        break;
    default:
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ReplayScreen::closeAfter(bool handedOver) {
    if (handedOver)
        close();
}

void ReplayScreen::closeEvent(QCloseEvent* event) {
    m_controller.stopTimers();
    QMainWindow::closeEvent(event);
}

void ReplayScreen::drawMarkerDisc(Point p) {
    m_board->renderer().drawDisc(p, cyanColour);
}

void ReplayScreen::showModeCaption(const QString& text) {
    m_modeCaption->setText(text);
    m_modeCaption->adjustSize();
}

void ReplayScreen::showRecordInformation(const QString& text) {
    m_information->setPlainText(boxText(text));
}

void ReplayScreen::setTitle(const QString& text) {
    setWindowTitle(text);
}

void ReplayScreen::beep() {
    systemBeep();
}

} // namespace vorleth
