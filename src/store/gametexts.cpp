#include "store/gametexts.h"

#include <QStringList>

namespace vorleth {

QString gameWindowTitle(const GameInfo& game) {
    return QStringLiteral("対局名：") + game.gameName + QStringLiteral("　白番：") +
           game.whitePlayer + QStringLiteral(" 黒番：") + game.blackPlayer;
}

QString gameInformationText(const GameInfo& game, int moveCount, GameInformationLayout layout) {
    QStringList lines{game.gameName, QStringLiteral("白：") + game.whitePlayer,
                      QStringLiteral("黒：") + game.blackPlayer};
    const QString moves = QString::number(moveCount);
    if (layout == GameInformationLayout::Replay) {
        lines << QStringLiteral("手数  ") + moves << game.result;
    } else {
        lines << QStringLiteral("勝負：") + game.result << QStringLiteral("手数:") + moves;
        if (layout == GameInformationLayout::Recording)
            lines << QStringLiteral("コミ:") + game.komi;
    }
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace vorleth
