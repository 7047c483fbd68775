#include "screens/shell/helpscreen.h"

#include "shell/helptexts.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorleth {

HelpScreen::HelpScreen(const HelpTopic& topic, Navigator& navigator, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("MAPHELP"));
    setWindowTitle(QStringLiteral("Vorleth　使い方のガイド"));
    // A window of its own beside the screen that asked, even when given a parent.
    setWindowFlag(Qt::Window);

    auto* heading = new QLineEdit(QStringLiteral("利用方法のガイド"), this);
    heading->setObjectName(QStringLiteral("Text1"));
    heading->setReadOnly(true);

    auto* lines = new QListWidget(this);
    lines->setObjectName(QStringLiteral("HPMSG"));
    lines->setSortingEnabled(false);
    lines->addItems(helpLines(topic.code));

    auto* note = new QLabel(noteText, this);
    note->setObjectName(QStringLiteral("Label1"));
    note->setWordWrap(true);

    auto* online = new QPushButton(QStringLiteral("オンラインヘルプ"), this);
    online->setObjectName(QStringLiteral("Command1"));
    connect(online, &QPushButton::clicked, this,
            [&navigator] { navigator.showBeside(ScreenId::Browser); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(lines, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(note, 1);
    bottom->addWidget(online);
    layout->addLayout(bottom);
    resize(640, 360);
}

} // namespace vorleth
