#include "screens/shell/screensizescreen.h"

#include "shell/setup.h"
#include "state/sharedstate.h"
#include "ui/escapebutton.h"
#include "ui/heading.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorleth {

namespace {

QLabel* label(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

ScreenSizeScreen::ScreenSizeScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                                   QWidget* parent)
    : QMainWindow(parent), m_state(state), m_navigator(navigator), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("mapszchng"));
    setWindowTitle(QStringLiteral("Vorleth　画面サイズ変更"));

    auto* central = new QWidget(this);
    setCentralWidget(central);

    QLabel* heading =
        newHeading(QStringLiteral("画面のサイズを変更"), central, QStringLiteral("Label1"));
    QLabel* explanation =
        label(QStringLiteral("Label2"),
              QStringLiteral("碁盤のサイズを変更します。その他の画面は変わりません。"), central);
    QLabel* current =
        label(QStringLiteral("Label3"), currentSizeLabel(m_state.settings.screenSize), central);

    QPushButton* small =
        button(QStringLiteral("Command1"), QStringLiteral("６４０　４８０のサイズ"), central);
    QPushButton* large =
        button(QStringLiteral("Command2"), QStringLiteral("８００　６００のサイズ"), central);
    QPushButton* back =
        button(QStringLiteral("Command3"), QStringLiteral("変更せずに戻る"), central);
    connect(small, &QPushButton::clicked, this, [this] { choose(640); });
    connect(large, &QPushButton::clicked, this, [this] { choose(800); });
    connect(back, &QPushButton::clicked, this, &ScreenSizeScreen::leave);
    pressOnEscape(this, back);

    auto* layout = new QVBoxLayout(central);
    layout->addWidget(heading);
    layout->addWidget(explanation);
    layout->addWidget(current);
    layout->addSpacing(12);
    layout->addWidget(small);
    layout->addWidget(large);
    layout->addWidget(back);
    layout->addStretch(1);
    resize(420, 300);
}

void ScreenSizeScreen::choose(int screenSize) {
    if (!applyScreenSize(m_state, screenSize, m_dialogs))
        return;
    leave();
}

void ScreenSizeScreen::leave() {
    m_navigator.show(ScreenId::Start);
    close();
}

} // namespace vorleth
