#include "board/boardview.h"

namespace vorleth {

QString moveNumberText(int n) {
    return QString::number(n) + QStringLiteral("手目");
}

QString sideToMoveText(const QString& lastMover) {
    return lastMover == black ? QStringLiteral("白番") : QStringLiteral("黒番");
}

QString prisonersText(int prisonersWhite, int prisonersBlack) {
    return QStringLiteral("上蛤\r\n白：") + QString::number(prisonersWhite) +
           QStringLiteral("\r\n黒：") + QString::number(prisonersBlack);
}

} // namespace vorleth
