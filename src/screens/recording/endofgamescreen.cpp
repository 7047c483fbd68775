#include "screens/recording/endofgamescreen.h"

#include "recording/gameinfocontroller.h"
#include "state/contexts.h"
#include "state/sharedstate.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorleth {

namespace {

QComboBox* labelledBox(const char* name, const QString& label, QGridLayout* grid, int row) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setAccessibleName(label);
    auto* caption = new QLabel(label);
    caption->setBuddy(box);
    grid->addWidget(caption, row, 0);
    grid->addWidget(box, row, 1);
    return box;
}

} // namespace

EndOfGameScreen::EndOfGameScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                                 QWidget* parent)
    : QMainWindow(parent), m_controller(endOfGameContext(state), dialogs, navigator) {
    setObjectName(QStringLiteral("mapshukyoku"));
    setWindowTitle(QStringLiteral("終局情報入力"));
    buildControls();

    QAction* help = menuBar()->addAction(QStringLiteral("ヘルプ"));
    help->setObjectName(QStringLiteral("F11HELP"));
    connect(help, &QAction::triggered, this, [this] { m_controller.showHelp(); });
}

void EndOfGameScreen::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* grid = new QGridLayout;
    m_result = labelledBox("shukyokushobu", QStringLiteral("勝負"), grid, 0);
    m_margin = labelledBox("shukyokukachisu", QStringLiteral("勝ち負け数"), grid, 1);
    // Filling a list shows its first item; the boxes start empty.
    m_result->addItems(endOfGameResults());
    m_result->setEditText(QString());
    m_margin->addItems(marginItems());
    m_margin->setEditText(QString());

    auto* save = new QPushButton(QStringLiteral("保管する"));
    save->setObjectName(QStringLiteral("Command1"));
    connect(save, &QPushButton::clicked, this, [this] {
        leaveAfter(m_controller.save(m_result->currentText(), m_margin->currentText()));
    });
    auto* discard = new QPushButton(QStringLiteral("保管しない"));
    discard->setObjectName(QStringLiteral("Command2"));
    connect(discard, &QPushButton::clicked, this,
            [this] { leaveAfter(m_controller.leaveWithoutSaving()); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(discard);

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void EndOfGameScreen::leaveAfter(bool handedOver) {
    if (!handedOver)
        return;
    emit gameLeft();
    close();
}

} // namespace vorleth
