#include "screens/recording/boardrecordingscreen.h"

#include "ui/twipsbox.h"

#include "screens/recording/endofgamescreen.h"
#include "state/contexts.h"
#include "state/sharedstate.h"
#include "ui/drawingsurface.h"
#include "ui/surfaceboardview.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
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

// A control's place in the 640 layout. The 800 layout puts every top 8/6 lower; a few
// controls get a left of their own there, the others have theirs scaled by 8/6 too.
struct Place {
    int left, top, width, height;
    int largeLeft = 0; // 0: scaled
};

const Place informationPlace{5700, 360, 2610, 1455, 8460};
const Place moveNumberPlace{5760, 2160, 1065, 405, 8535};
const Place sideToMovePlace{5760, 2640, 1065, 405, 8535};
const Place prisonersPlace{7320, 2160, 1065, 975};
const Place columnPlace{6405, 4920, 435, 390};
const Place rowPlace{7245, 4920, 435, 390};
// The captions stand above their boxes.
const Place columnCaptionPlace{6405, 4680, 330, 255};
const Place rowCaptionPlace{7245, 4680, 330, 255};
const Place command1Place{5880, 3480, 1215, 375, 8460};
const Place command2Place{5880, 4080, 1455, 375, 8460};
const Place command3Place{7320, 3480, 1095, 375};

// Puts a control at its place in the layout of the screen size.
void place(QWidget* widget, const Place& p, bool large, int minimumHeight = 0) {
    const double left = !large ? p.left : p.largeLeft != 0 ? p.largeLeft : p.left * 8.0 / 6.0;
    const double top = large ? p.top * 8.0 / 6.0 : p.top;
    placeControl(widget, {left, top, double(p.width), double(p.height)}, minimumHeight);
}

} // namespace

BoardRecordingScreen::Timers::Timers(QObject* owner) : tick(owner), recovery(owner) {
    tick.setObjectName(QStringLiteral("Timer1"));
    recovery.setObjectName(QStringLiteral("RecoveryTimer"));
    recovery.setSingleShot(true);
    recovery.setInterval(BoardRecordingController::recoveryWriteDelay);
}

BoardRecordingScreen::BoardRecordingScreen(SharedState& state, Navigator& navigator,
                                           Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_timers(this),
      m_controller(boardRecordingContext(state), *this, m_timers, dialogs, navigator) {
    setObjectName(QStringLiteral("mapgoban"));
    buildControls();
    buildMenus();
    connect(&m_timers.tick, &QTimer::timeout, this, [this] { m_controller.tick(); });
    connect(&m_timers.recovery, &QTimer::timeout, this, [this] { m_controller.writeRecovery(); });
    m_controller.open();
}

BoardRecordingScreen::~BoardRecordingScreen() {
    m_timers.stopTick();
    m_timers.cancelRecoveryWrite();
}

void BoardRecordingScreen::buildControls() {
    const bool large = m_state.geometry.large();
    m_surface =
        new DrawingSurface(m_state.geometry.clientWidth(), m_state.geometry.clientHeight(), this);
    m_surface->setObjectName(QStringLiteral("board"));
    setCentralWidget(m_surface);
    connect(m_surface, &DrawingSurface::mousePressed, this,
            [this](double x, double y, Qt::MouseButton button) {
                if (button == Qt::LeftButton)
                    m_controller.leftPress(x, y);
            });
    connect(m_surface, &DrawingSurface::mouseReleased, this,
            [this](double, double, Qt::MouseButton button) {
                if (button == Qt::RightButton)
                    m_controller.rightRelease();
            });

    // The controls stand on the drawing surface, beside the board.
    // Six lines, in a smaller font where the layout leaves too little room for them, and never
    // over the move box below; what still does not fit can be scrolled to.
    m_information = readOnlyText(m_surface, QStringLiteral("taikyoku"));
    m_information->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const double scale = large ? 8.0 / 6.0 : 1.0;
    const int roomAbove = pixels((moveNumberPlace.top - informationPlace.top) * scale) - pixels(60);
    for (QFont font = m_information->font();
         linesHeight(m_information, 6) > roomAbove && font.pointSizeF() > 7;) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        m_information->setFont(font);
    }
    place(m_information, informationPlace, large,
          std::min(linesHeight(m_information, 6), roomAbove));
    m_moveNumber = readOnlyLine(m_surface, QStringLiteral("teme"));
    place(m_moveNumber, moveNumberPlace, large);
    m_sideToMove = readOnlyLine(m_surface, QStringLiteral("teban"));
    place(m_sideToMove, sideToMovePlace, large);
    m_prisoners = readOnlyText(m_surface, QStringLiteral("ageishi"));
    place(m_prisoners, prisonersPlace, large, linesHeight(m_prisoners, 3));

    auto* columnCaption = new QLabel(QStringLiteral("横"), m_surface);
    place(columnCaption, columnCaptionPlace, large);
    auto* rowCaption = new QLabel(QStringLiteral("縦"), m_surface);
    place(rowCaption, rowCaptionPlace, large);
    m_column = readOnlyLine(m_surface, QStringLiteral("YOKO"));
    place(m_column, columnPlace, large);
    m_column->setAccessibleName(QStringLiteral("横"));
    m_row = readOnlyLine(m_surface, QStringLiteral("TATE"));
    place(m_row, rowPlace, large);
    m_row->setAccessibleName(QStringLiteral("縦"));
    columnCaption->setBuddy(m_column);
    rowCaption->setBuddy(m_row);

    struct Button {
        const char* name;
        QString caption;
        const Place& at;
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
        place(button, b.at, large);
        connect(button, &QPushButton::clicked, this, b.action);
    }

    m_board = std::make_unique<SurfaceBoardView>(
        *m_surface, m_state.geometry,
        BoardStatusBoxes{m_moveNumber, m_sideToMove, m_prisoners, m_column, m_row});

    // The window's left edge at the screen's left edge.
    move(0, y());
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
