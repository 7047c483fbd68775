#include "screens/recording/boardrecordingscreen.h"

#include "ui/boardscreenframe.h"
#include "ui/twipsbox.h"

#include "screens/recording/endofgamescreen.h"
#include "state/contexts.h"
#include "state/sharedstate.h"
#include "ui/drawingsurface.h"
#include "ui/escapebutton.h"
#include "ui/surfaceboardview.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <functional>

namespace vorleth {

namespace {

// Places in the 640 layout. The 800 layout puts every top 8/6 lower; a few controls get a left
// of their own there, the others have theirs scaled by 8/6 too.
constexpr int scaled = ControlPlace::scaled;
const ControlPlace informationPlace{5700, 360, 2610, 1455, 8460};
const StatusBoxPlaces statusPlaces{
    {5760, 2160, 1065, 405, 8535}, // teme
    {5760, 2640, 1065, 405, 8535}, // teban
    {7320, 2160, 1065, 975},       // ageishi
    // The captions stand above their boxes.
    {6405, 4680, 330, 255},
    {7245, 4680, 330, 255},
    {6405, 4920, 435, 390}, // YOKO
    {7245, 4920, 435, 390}, // TATE
};
const ControlPlace command1Place{5880, 3480, 1215, 375, 8460, scaled};
const ControlPlace command2Place{5880, 4080, 1455, 375, 8460, scaled};
const ControlPlace command3Place{7320, 3480, 1095, 375};

} // namespace

BoardRecordingScreen::Timers::Timers(QObject* owner) : tick(owner), recovery(owner) {
    tick.setObjectName(QStringLiteral("Timer1"));
    recovery.setObjectName(QStringLiteral("RecoveryTimer"));
    recovery.setSingleShot(true);
    recovery.setInterval(BoardRecordingController::recoveryWriteDelay);
}

BoardRecordingScreen::BoardRecordingScreen(SharedState& state, Navigator& navigator,
                                           Dialogs& dialogs, const Handover& handover,
                                           QWidget* parent)
    : QMainWindow(parent), m_state(state), m_timers(this),
      m_controller(boardRecordingContext(state), *this, m_timers, dialogs, navigator) {
    setObjectName(QStringLiteral("mapgoban"));
    buildControls();
    buildMenus();
    connect(&m_timers.tick, &QTimer::timeout, this, [this] { m_controller.tick(); });
    connect(&m_timers.recovery, &QTimer::timeout, this, [this] { m_controller.writeRecovery(); });
    m_controller.open(handover);
}

BoardRecordingScreen::~BoardRecordingScreen() {
    m_timers.stopTick();
    m_timers.cancelRecoveryWrite();
}

void BoardRecordingScreen::buildControls() {
    const bool large = m_state.geometry.large();
    m_surface = addBoardSurface(this, m_state.geometry.clientWidth(),
                                m_state.geometry.clientHeight(), large);
    connect(m_surface, &DrawingSurface::mousePressed, this,
            [this](double x, double y, Qt::MouseButton button) {
                if (button == Qt::LeftButton)
                    m_controller.leftPress(x, y);
            });
    // The board holds the keyboard; a frame shows the point the keys play on.
    m_surface->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_surface);
    m_cursorFrame = new QFrame(m_surface);
    m_cursorFrame->setObjectName(QStringLiteral("cursor"));
    m_cursorFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_cursorFrame->setStyleSheet(
        QStringLiteral("#cursor { border: 2px solid rgb(220, 0, 0); background: transparent; }"));
    m_cursorFrame->hide();
    connect(m_surface, &DrawingSurface::mouseReleased, this,
            [this](double, double, Qt::MouseButton button) {
                if (button == Qt::RightButton)
                    m_controller.rightRelease();
            });

    // The controls stand on the drawing surface, beside the board.
    // Six lines, in a smaller font where the layout leaves too little room for them, and never
    // over the move box below; what still does not fit can be scrolled to.
    m_information = readOnlyText(m_surface, QStringLiteral("taikyoku"));
    m_information->setAccessibleName(QStringLiteral("対局情報"));
    m_information->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const double scale = large ? 8.0 / 6.0 : 1.0;
    const int roomAbove =
        pixels((statusPlaces.moveNumber.top - informationPlace.top) * scale) - pixels(60);
    for (QFont font = m_information->font();
         linesHeight(m_information, 6) > roomAbove && font.pointSizeF() > 7;) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        m_information->setFont(font);
    }
    placeBesideBoard(m_information, informationPlace, large,
                     std::min(linesHeight(m_information, 6), roomAbove));
    const BoardStatusBoxes boxes = addStatusBoxes(m_surface, statusPlaces, QStringLiteral("teme"),
                                                  QStringLiteral("teban"), large);

    struct Button {
        const char* name;
        QString caption;
        const ControlPlace& at;
        std::function<void()> action;
    };
    const Button buttons[] = {
        {"Command1", QStringLiteral("保管して戻る"), command1Place, [this] { saveAndReturn(); }},
        {"Command2", QStringLiteral("保管せずに戻る"), command2Place,
         [this] {
             if (m_controller.returnWithoutSaving())
                 close();
         }},
        {"Command3", QStringLiteral("地の計算"), command3Place,
         [this] {
             if (m_controller.countTerritory())
                 close();
         }},
    };
    for (const Button& b : buttons) {
        auto* button = new QPushButton(b.caption, m_surface);
        button->setObjectName(QString::fromLatin1(b.name));
        placeBesideBoard(button, b.at, large);
        connect(button, &QPushButton::clicked, this, b.action);
    }
    // Escape leaves as 保管せずに戻る does, asking before the game is thrown away.
    pressOnEscape(this, findChild<QPushButton*>(QStringLiteral("Command2")));

    m_board = std::make_unique<SurfaceBoardView>(*m_surface, m_state.geometry, boxes);
    m_board->describeModel(&m_state.board);
}

void BoardRecordingScreen::buildMenus() {
    auto menu = [this](const char* name, const QString& title) {
        QMenu* m = menuBar()->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto action = [this](QMenu* m, const char* name, const QString& text, auto slot) {
        QAction* a = m->addAction(text);
        a->setObjectName(QString::fromUtf8(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    BoardRecordingController& c = m_controller;

    QMenu* repeated = menu("nidouchi", QStringLiteral("二度打ち手番"));
    action(repeated, "tebanshiji", QStringLiteral("手番を指示"),
           [&c] { c.indicateRepeatedPlay(); });

    QMenu* problem = menu("TSUMEGOOPT", QStringLiteral("詰め碁"));
    struct Mode {
        const char* name;
        QString text;
        ProblemMode mode;
    };
    for (const Mode& m :
         {Mode{"TSUMEGOSHIRO", QStringLiteral("白連続"), ProblemMode::WhiteRepeated},
          Mode{"TSUMEGOKURO", QStringLiteral("黒連続"), ProblemMode::BlackRepeated},
          Mode{"tsumegojidokuro", QStringLiteral("手番黒で自動反転"),
               ProblemMode::AlternateBlackNext},
          Mode{"TSUMEGOJIDOshiro", QStringLiteral("手番白で自動反転"),
               ProblemMode::AlternateWhiteNext}}) {
        action(problem, m.name, m.text, [&c, mode = m.mode] { c.chooseProblemMode(mode); });
    }
    action(problem, "TSUMEGOSTOP", QStringLiteral("一時停止（考慮時間を取る）"),
           [&c] { c.addPause(); });

    QMenu* handicap = menu("okiishimenu", QStringLiteral("置き石"));
    struct Stones {
        const char* name;
        QString text;
        int count;
    };
    for (const Stones& s :
         {Stones{"nimoku", QStringLiteral("二目"), 2}, Stones{"sanmoku", QStringLiteral("三目"), 3},
          Stones{"yonmoku", QStringLiteral("四目"), 4}, Stones{"gomoku", QStringLiteral("五目"), 5},
          Stones{"rokumoku", QStringLiteral("六目"), 6},
          Stones{"nanamoku", QStringLiteral("七目"), 7},
          Stones{"hachimoku", QStringLiteral("八目"), 8},
          Stones{"seimoku", QStringLiteral("星目"), 9}}) {
        action(handicap, s.name, s.text, [&c, count = s.count] { c.chooseHandicap(count); });
    }

    QMenu* study = menu("dummy100", QStringLiteral("検討処理"));
    action(study, "kento_restart", QStringLiteral("最初の棋譜に戻す"),
           [&c] { c.restoreOpening(); });
    action(study, "kento_hokan", QStringLiteral("今の棋譜を一時保管"), [&c] { c.keepCopy(); });
    action(study, "kento_modoshi", QStringLiteral("一時保管した棋譜に戻す"),
           [&c] { c.restoreKeptCopy(); });

    QAction* help = menuBar()->addAction(QStringLiteral("ヘルプ"));
    help->setObjectName(QStringLiteral("F10HELP"));
    connect(help, &QAction::triggered, this, [&c] { c.showHelp(); });
}

void BoardRecordingScreen::saveAndReturn() {
    switch (m_controller.saveAndReturn()) {
    case BoardRecordingController::SaveOutcome::Saved:
        close();
        break;
    case BoardRecordingController::SaveOutcome::EndOfGame:
        waitForEndOfGame();
        break;
    case BoardRecordingController::SaveOutcome::Stayed:
        break;
    }
}

void BoardRecordingScreen::waitForEndOfGame() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* endOfGame = qobject_cast<EndOfGameScreen*>(window);
        if (!endOfGame || !endOfGame->isVisible())
            continue;
        // The game stays as it is while the result is asked for; the end-of-game screen saves
        // this very move list.
        m_controller.suspendRecovery();
        setEnabled(false);
        connect(endOfGame, &EndOfGameScreen::gameLeft, this,
                [this] { m_controller.leftFromEndOfGame(); });
        connect(endOfGame, &QObject::destroyed, this, [this] {
            setEnabled(true);
            m_controller.resumeRecovery();
        });
        return;
    }
}

void BoardRecordingScreen::keyPressEvent(QKeyEvent* event) {
    const BoardGeometry& g = m_state.geometry;
    Point next = m_cursor;
    switch (event->key()) {
    case Qt::Key_Left:
        next.column = std::max(1, next.column - 1);
        break;
    case Qt::Key_Right:
        next.column = std::min(19, next.column + 1);
        break;
    case Qt::Key_Up:
        next.row = std::max(1, next.row - 1);
        break;
    case Qt::Key_Down:
        next.row = std::min(19, next.row + 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        showCursor();
        m_controller.leftPress(g.pointX(m_cursor.column), g.pointY(m_cursor.row));
        event->accept();
        return;
    case Qt::Key_Backspace:
        m_controller.rightRelease();
        event->accept();
        return;
    default:
        QMainWindow::keyPressEvent(event);
        return;
    }
    m_cursor = next;
    showCursor();
    event->accept();
}

void BoardRecordingScreen::showCursor() {
    const BoardGeometry& g = m_state.geometry;
    const double perPixel = m_surface->twipsPerPixel();
    const int size = qRound(g.cellSize / perPixel);
    m_cursorFrame->setGeometry(qRound(g.pointX(m_cursor.column) / perPixel) - size / 2,
                               qRound(g.pointY(m_cursor.row) / perPixel) - size / 2, size, size);
    m_cursorFrame->show();
    m_cursorFrame->raise();
    m_board->setCursorPoint(m_cursor);
}

void BoardRecordingScreen::closeEvent(QCloseEvent* event) {
    m_controller.closing();
    QMainWindow::closeEvent(event);
}

void BoardRecordingScreen::showGameInformation(const QString& text) {
    m_information->setPlainText(boxText(text));
}

void BoardRecordingScreen::setTitle(const QString& text) {
    setWindowTitle(text);
}

} // namespace vorleth
