#pragma once

#include "ui/navigator.h"

#include <QWidget>

namespace vorleth {

struct SharedState;

// MAPHELP: the usage guide of the screen that asked for it (helpScreenCode at creation). It
// opens beside that screen and keeps its text until closed.
class HelpScreen : public QWidget {
    Q_OBJECT
public:
    HelpScreen(const SharedState& state, Navigator& navigator, QWidget* parent = nullptr);

    static inline const QString noteText = QStringLiteral(
        "最新のマニュアルはこちらをご覧ください　　　　ソフトマニュアルの中にVorlethもあります");
};

} // namespace vorleth
