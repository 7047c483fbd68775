#include "store/resulttext.h"

#include <cmath>

namespace vorleth {

namespace {

// The number a text begins with: blanks, an optional sign, digits and an optional fraction;
// 0 when the text does not begin with one.
float leadingNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9')
        ++i;
    if (i < text.size() && text.at(i) == u'.') {
        ++i;
        while (i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9')
            ++i;
    }
    bool ok = false;
    const float m = text.mid(start, i - start).toFloat(&ok);
    return ok && i > digitsStart && std::isfinite(m) ? m : 0.0f;
}

} // namespace

QString composeResult(const QString& r, const QString& text) {
    const float m = leadingNumber(text);
    const float w = std::floor(m) + 0.0f; // no "-0" for a margin of -0.0
    const QString winner = r.left(1);
    const QString whole = QString::number(static_cast<double>(w), 'f', 0);
    if (w == m)
        return winner + whole + QStringLiteral("目勝");
    if (w == 0.0f)
        return winner + QStringLiteral("半目勝");
    return winner + whole + QStringLiteral("目半勝");
}

} // namespace vorleth
