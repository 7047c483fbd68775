#include "screens/recording/gameinfoscreen.h"

#include "ui/platform.h"

#include "state/contexts.h"
#include "state/sharedstate.h"
#include "ui/escapebutton.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorleth {

namespace {

QComboBox* comboBox(const char* name, const QString& accessibleName) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    // Any text may be typed; the lists only offer.
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setAccessibleName(accessibleName);
    return box;
}

QLabel* caption(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

void refill(QComboBox* box, const QStringList& items, const QString& shown) {
    box->clear();
    box->addItems(items);
    box->setEditText(shown);
}

} // namespace

GameInfoScreen::GameInfoScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                               QWidget* parent)
    : QMainWindow(parent), m_controller(gameInfoContext(state), *this, dialogs, navigator) {
    setObjectName(QStringLiteral("maptaikyokujyoho"));
    setWindowTitle(QStringLiteral("対局情報入力"));
    buildControls();
    buildMenus();
    m_controller.open();
}

void GameInfoScreen::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    m_gameName = comboBox("taikyoku", QStringLiteral("対局名"));
    m_white = comboBox("taikyokushiro", QStringLiteral("白番"));
    m_black = comboBox("taikyokukuro", QStringLiteral("黒番"));
    m_result = comboBox("taikyokushobu", QStringLiteral("勝敗"));
    m_margin = comboBox("kachisu", QStringLiteral("勝ち負け数"));
    m_hundreds = comboBox("tekazu100", QStringLiteral("手数"));
    m_hundreds->setAccessibleDescription(QStringLiteral("百の位"));
    m_tens = comboBox("tekazu10", QStringLiteral("手数"));
    m_tens->setAccessibleDescription(QStringLiteral("十の位"));
    m_units = comboBox("tekazu1", QStringLiteral("手数"));
    m_units->setAccessibleDescription(QStringLiteral("一の位"));
    for (QComboBox* digit : {m_hundreds, m_tens, m_units})
        digit->setMinimumContentsLength(2);
    m_komi = new QLineEdit(defaultKomiText);
    m_komi->setObjectName(QStringLiteral("Text8"));
    m_komi->setAccessibleName(QStringLiteral("コミ"));

    auto* grid = new QGridLayout;
    grid->addWidget(caption(QStringLiteral("対局名"), m_gameName), 0, 0);
    grid->addWidget(m_gameName, 0, 1, 1, 3);
    grid->addWidget(caption(QStringLiteral("白番"), m_white), 1, 0);
    grid->addWidget(m_white, 1, 1, 1, 3);
    grid->addWidget(caption(QStringLiteral("黒番"), m_black), 2, 0);
    grid->addWidget(m_black, 2, 1, 1, 3);
    grid->addWidget(caption(QStringLiteral("勝敗"), m_result), 3, 0);
    grid->addWidget(m_result, 3, 1);
    grid->addWidget(caption(QStringLiteral("勝ち負け数"), m_margin), 3, 2);
    grid->addWidget(m_margin, 3, 3);
    auto* digits = new QHBoxLayout;
    digits->addWidget(m_hundreds);
    digits->addWidget(m_tens);
    digits->addWidget(m_units);
    digits->addStretch(1);
    grid->addWidget(caption(QStringLiteral("手数"), m_hundreds), 4, 0);
    grid->addLayout(digits, 4, 1);
    grid->addWidget(caption(QStringLiteral("コミ"), m_komi), 4, 2);
    grid->addWidget(m_komi, 4, 3);

    auto* next = new QPushButton(QStringLiteral("次に"));
    next->setObjectName(QStringLiteral("Command1"));
    connect(next, &QPushButton::clicked, this, [this] { closeAfter(m_controller.next()); });
    auto* back = new QPushButton(QStringLiteral("戻る"));
    back->setObjectName(QStringLiteral("Command2"));
    connect(back, &QPushButton::clicked, this, [this] { closeAfter(m_controller.back()); });
    pressOnEscape(this, back);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(next);
    buttons->addWidget(back);

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(480, 260);
}

void GameInfoScreen::buildMenus() {
    m_recall = menuBar()->addAction(QStringLiteral("前回入力の再現"));
    m_recall->setObjectName(QStringLiteral("zenkai"));
    connect(m_recall, &QAction::triggered, this, [this] { m_controller.recallLastEntry(); });

    m_yahooMenu = menuBar()->addMenu(QStringLiteral("yahoo囲碁データ取り込み"));
    m_yahooMenu->setObjectName(QStringLiteral("yahootop"));
    QAction* pasted = m_yahooMenu->addAction(asWritten(QStringLiteral("コピー&ペースト")));
    pasted->setObjectName(QStringLiteral("yahoocopy"));
    connect(pasted, &QAction::triggered, this, [this] {
        const bool hasText = clipboardHasText();
        m_controller.importPastedText(hasText ? clipboardText() : QString(), hasText);
        // Nothing that could be imported stays behind on the clipboard.
        if (!hasText)
            clearClipboard();
    });
    QAction* sgf = m_yahooMenu->addAction(QStringLiteral("sgf 形式ファイル"));
    sgf->setObjectName(QStringLiteral("sgfformat"));
    connect(sgf, &QAction::triggered, this, [this] { closeAfter(m_controller.importSgfFile()); });

    QAction* help = menuBar()->addAction(QStringLiteral("ヘルプ"));
    help->setObjectName(QStringLiteral("F9HELP"));
    connect(help, &QAction::triggered, this, [this] { m_controller.showHelp(); });
}

void GameInfoScreen::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_recall)
        m_controller.updateMenus();
    QMainWindow::changeEvent(event);
}

void GameInfoScreen::closeAfter(bool handedOver) {
    if (handedOver)
        close();
}

void GameInfoScreen::setTableEntryMenusVisible(bool visible) {
    m_recall->setVisible(visible);
    m_yahooMenu->menuAction()->setVisible(visible);
}

void GameInfoScreen::fill(const GameInfoLists& lists, const GameInfoBoxes& shown) {
    refill(m_gameName, lists.gameNames, shown.gameName);
    refill(m_white, lists.playerNames, shown.whitePlayer);
    refill(m_black, lists.playerNames, shown.blackPlayer);
    refill(m_result, lists.results, shown.result);
    refill(m_hundreds, lists.hundreds, shown.hundreds);
    refill(m_tens, lists.digits, shown.tens);
    refill(m_units, lists.digits, shown.units);
    refill(m_margin, lists.margins, shown.margin);
    m_komi->setText(shown.komi);
}

GameInfoBoxes GameInfoScreen::boxes() const {
    return {m_gameName->currentText(), m_white->currentText(),  m_black->currentText(),
            m_result->currentText(),   m_margin->currentText(), m_hundreds->currentText(),
            m_tens->currentText(),     m_units->currentText(),  m_komi->text()};
}

} // namespace vorleth
