#include "counting/countresult.h"

#include <QLocale>

#include <cmath>

namespace vorleth {

namespace {

QString integerText(double value) {
    return QString::number(value, 'f', 0);
}

} // namespace

QString CountResult::countText() const {
    return lines.join(QStringLiteral("\r\n"));
}

double komiValue(const QString& komiText) {
    qsizetype i = 0;
    while (i < komiText.size() && komiText.at(i).isSpace())
        ++i;
    const qsizetype start = i;
    if (i < komiText.size() && (komiText.at(i) == u'+' || komiText.at(i) == u'-'))
        ++i;
    qsizetype digits = 0;
    const auto skipDigits = [&] {
        while (i < komiText.size() && komiText.at(i) >= u'0' && komiText.at(i) <= u'9') {
            ++i;
            ++digits;
        }
    };
    skipDigits();
    if (i < komiText.size() && komiText.at(i) == u'.') {
        ++i;
        skipDigits();
    }
    if (digits == 0)
        return 0;
    bool ok = false;
    const double value = komiText.mid(start, i - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

QString resultText(double difference) {
    if (difference == 0)
        return QStringLiteral("持碁");
    const QString winner = difference < 0 ? QStringLiteral("白") : QStringLiteral("黒");
    const double margin = std::fabs(difference);
    const double whole = std::floor(margin);
    if (whole == margin)
        return winner + integerText(whole) + QStringLiteral("目勝");
    return winner + integerText(whole) + QStringLiteral("目半勝");
}

CountResult computeResult(const CountCounters& c, int prisonersWhite, int prisonersBlack,
                          const QString& komiText) {
    CountResult r;
    r.whiteTotal = c.whiteTerritoryCount + prisonersWhite + c.blackDeadDouble;
    r.blackTotal = c.blackTerritoryCount + prisonersBlack + c.whiteDeadDouble;
    r.komi = komiValue(komiText);
    r.difference = r.blackTotal - r.whiteTotal - r.komi;
    if (r.difference == 0)
        r.difference = 0; // no "-0"
    r.result = resultText(r.difference);

    const QString tenSpaces(10, u' ');
    const QString difference = QString::number(r.difference, 'f', QLocale::FloatingPointShortest);
    r.lines = {
        QStringLiteral("最終譜の白地=%1＋途中の上蛤=%2")
            .arg(c.whiteTerritoryCount)
            .arg(prisonersWhite),
        tenSpaces + QStringLiteral("＋最終譜の上蛤X2=%1").arg(c.blackDeadDouble),
        QStringLiteral("最終譜の黒地=%1＋途中の上蛤=%2")
            .arg(c.blackTerritoryCount)
            .arg(prisonersBlack),
        tenSpaces + QStringLiteral("＋最終譜の上蛤X2=%1").arg(c.whiteDeadDouble),
        QStringLiteral("コミ　") + komiText,
        QStringLiteral("白地　%1　黒地　%2　差 ").arg(r.whiteTotal).arg(r.blackTotal) + difference,
        r.result,
    };
    return r;
}

} // namespace vorleth
