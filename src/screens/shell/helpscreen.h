#pragma once

#include "interaction/navigator.h"

#include <QWidget>

namespace vorleth {

// MAPHELP: the usage guide of the screen that asked for it (the topic it was opened with). It
// opens beside that screen and keeps its text until closed.
class HelpScreen : public QWidget {
    Q_OBJECT
public:
    HelpScreen(const HelpTopic& topic, Navigator& navigator, QWidget* parent = nullptr);

    static inline const QString noteText = QStringLiteral(
        "最新のマニュアルはこちらをご覧ください　　　　ソフトマニュアルの中にVorlethもあります");
};

} // namespace vorleth
