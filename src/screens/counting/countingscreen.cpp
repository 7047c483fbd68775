#include "screens/counting/countingscreen.h"

#include "ui/boardscreenframe.h"
#include "ui/twipsbox.h"

#include "counting/countdrawing.h"
#include "counting/guesschoice.h"
#include "screens/counting/countpalette.h"
#include "state/contexts.h"
#include "state/sharedstate.h"
#include "ui/drawingsurface.h"
#include "ui/escapebutton.h"
#include "ui/surfaceboardview.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace vorleth {

namespace {

// Places in twips in the 640 layout. The 800 layout moves the column beside the larger board
// and spreads it down by 8/6; the game information keeps to the top.
constexpr int largeLeft = 8460;
constexpr int scaled = ControlPlace::scaled;
const ControlPlace informationPlace{5640, 120, 2835, 1455, largeLeft, 200}; // taikyoku
const ControlPlace command1Place{5640, 1740, 2835, 375, largeLeft, scaled};
const ControlPlace command2Place{5640, 2220, 2835, 375, largeLeft, scaled};
const ControlPlace command3Place{5640, 2700, 2835, 375, largeLeft, scaled};
const ControlPlace countTextPlace{5640, 3240, 2835, 2400, largeLeft, scaled}; // Label3

constexpr int minimumCountTextPixels = 9;

} // namespace

CountingScreen::CountingScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                               QWidget* parent)
    : QMainWindow(parent), m_state(state),
      m_controller(countingContext(state), *this, dialogs, navigator) {
    setObjectName(QStringLiteral("mapkeisanA"));
    buildControls();
    m_controller.open();
    buildMenus(); // the guess menu shows the guess the count was opened with
}

CountingScreen::~CountingScreen() {
    // An open palette goes first, while the screen it reports to is whole.
    delete m_palette.data();
}

void CountingScreen::buildControls() {
    const bool large = m_state.geometry.large();
    m_surface = addBoardSurface(this, m_state.geometry.clientWidth(),
                                m_state.geometry.clientHeight(), large);
    m_board = std::make_unique<SurfaceBoardView>(*m_surface, m_state.geometry);

    connect(m_surface, &DrawingSurface::mousePressed, this,
            [this](double x, double y, Qt::MouseButton button) {
                if (button == Qt::LeftButton)
                    m_controller.leftButtonDown(m_state.geometry.pointAt(x, y));
            });
    connect(m_surface, &DrawingSurface::mouseReleased, this,
            [this](double, double, Qt::MouseButton button) {
                if (button == Qt::LeftButton)
                    m_controller.leftButtonUp();
                else if (button == Qt::RightButton)
                    m_controller.rightButtonUp();
            });

    m_information = new QPlainTextEdit(m_surface);
    m_information->setObjectName(QStringLiteral("taikyoku"));
    m_information->setAccessibleName(QStringLiteral("対局情報"));
    m_information->setReadOnly(true);
    m_information->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_information->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_information->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    placeBesideBoard(m_information, informationPlace, large);
    // Room for its five lines whatever the font.
    const int fiveLines =
        5 * (m_information->fontMetrics().lineSpacing() + 1) + 2 * m_information->frameWidth() +
        2 * static_cast<int>(std::ceil(m_information->document()->documentMargin())) + 4;
    m_information->resize(m_information->width(), std::max(m_information->height(), fiveLines));

    struct Button {
        const char* name;
        QString caption;
        const ControlPlace& at;
        bool (CountingController::*action)();
    };
    const Button buttons[] = {
        {"Command1", QStringLiteral("保管せずにメインメニュー"), command1Place,
         &CountingController::leaveWithoutSaving},
        {"Command2", QStringLiteral("保管して対局に戻る"), command2Place,
         &CountingController::saveAndLeave},
        {"Command3", QStringLiteral("対局画面に戻る"), command3Place,
         &CountingController::backToBoard},
    };
    for (const Button& b : buttons) {
        auto* button = new QPushButton(b.caption, m_surface);
        button->setObjectName(QString::fromLatin1(b.name));
        placeBesideBoard(button, b.at, large);
        connect(button, &QPushButton::clicked, this,
                [this, action = b.action] { closeAfter((m_controller.*action)()); });
    }
    // Escape goes back to the board, as 対局画面に戻る does: the count is not saved.
    pressOnEscape(this, findChild<QPushButton*>(QStringLiteral("Command3")));

    m_countText = new QLabel(m_surface);
    m_countText->setObjectName(QStringLiteral("Label3"));
    m_countText->setTextFormat(Qt::PlainText);
    m_countText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeBesideBoard(m_countText, countTextPlace, large);
}

void CountingScreen::buildMenus() {
    QAction* help = menuBar()->addAction(QStringLiteral("ヘルプ"));
    help->setObjectName(QStringLiteral("help"));
    connect(help, &QAction::triggered, this, [this] { m_controller.showHelp(); });

    // The first guess of the count: the estimate, or the enclosure searches for positions
    // with every neutral point filled. The choice is kept for the next counts.
    QMenu* guessMenu = menuBar()->addMenu(QStringLiteral("判定"));
    guessMenu->setObjectName(QStringLiteral("guess"));
    auto* guesses = new QActionGroup(this);
    const struct {
        const char* name;
        const QString& caption;
        CountGuess guess;
    } items[] = {
        {"estimateGuess", estimateGuessCaption, CountGuess::Estimate},
        {"traditionalGuess", traditionalGuessCaption, CountGuess::Traditional},
    };
    for (const auto& item : items) {
        QAction* action = guessMenu->addAction(item.caption);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setCheckable(true);
        action->setChecked(m_controller.guess() == item.guess);
        guesses->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, guess = item.guess] { m_controller.chooseGuess(guess); });
    }

    // Two items without a caption, for those who know they are there.
    QAction* writeOk = menuBar()->addAction(QString());
    writeOk->setObjectName(QStringLiteral("writeok"));
    connect(writeOk, &QAction::triggered, this, [this] { m_controller.writeOk(); });
    QAction* writePass = menuBar()->addAction(QString());
    writePass->setObjectName(QStringLiteral("writepass"));
    connect(writePass, &QAction::triggered, this, [this] { m_controller.writePass(); });
}

CountPalette* CountingScreen::palette() const {
    return m_palette;
}

void CountingScreen::closeAfter(bool handedOver) {
    if (!handedOver)
        return;
    m_handedOver = true;
    close();
}

void CountingScreen::closeEvent(QCloseEvent* event) {
    if (!m_handedOver) {
        m_handedOver = true;
        if (m_palette)
            m_palette->close();
        m_controller.backToBoard();
    }
    QMainWindow::closeEvent(event);
}

void CountingScreen::openPalette(const QString& currentMarkName) {
    if (m_palette)
        return; // the screen is disabled while one is open
    m_palette = new CountPalette(currentMarkName, this);
    m_palette->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_palette, &QDialog::finished, this, &CountingScreen::paletteFinished);
    setEnabled(false);
    // A window of its own stays usable while the screen under it is disabled.
    m_palette->setEnabled(true);
    m_palette->show();
}

void CountingScreen::paletteFinished() {
    const std::optional<CountMark> picked = m_palette ? m_palette->picked() : std::nullopt;
    m_palette = nullptr; // it deletes itself
    setEnabled(true);
    m_controller.paletteClosed(picked);
}

void CountingScreen::drawMark(Point p, CountMark mark) {
    vorleth::drawMark(m_board->renderer(), p, mark);
}

void CountingScreen::showCountText(const QString& text) {
    m_countText->setText(boxText(text));
    // The lines stay whole: when the column is too narrow for them, the text gets smaller.
    QFont font = m_surface->font();
    m_countText->setFont(font);
    for (int size = QFontInfo(font).pixelSize();
         size > minimumCountTextPixels && m_countText->sizeHint().width() > m_countText->width();
         --size) {
        font.setPixelSize(size - 1);
        m_countText->setFont(font);
    }
}

void CountingScreen::showRecordInformation(const QString& text) {
    m_information->setPlainText(boxText(text));
}

void CountingScreen::setTitle(const QString& text) {
    setWindowTitle(text);
}

} // namespace vorleth
