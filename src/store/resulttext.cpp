#include "store/resulttext.h"

#include <QRegularExpression>

#include <cmath>

namespace vorleth {

namespace {

// The number a text begins with: blanks, an optional sign, digits and an optional fraction;
// nothing when the text does not begin with one.
std::optional<float> leadingNumber(const QString& text) {
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
    if (!ok || i == digitsStart || !std::isfinite(m))
        return std::nullopt;
    return m;
}

// A whole or half number, at most three digits before the point (no game has a larger margin
// or komi, and the text goes into the record's file name).
std::optional<QString> halfPoints(const QString& text, bool signAllowed) {
    static const QRegularExpression number(QStringLiteral(R"(^([+-]?)(\d{1,3})(\.(0+|50*))?$)"));
    const QString normalized = text.normalized(QString::NormalizationForm_KC).remove(u' ');
    const QRegularExpressionMatch m = number.match(normalized);
    if (!m.hasMatch() || (!signAllowed && m.captured(1) == QStringLiteral("-")))
        return std::nullopt;
    QString kept = m.captured(1) == QStringLiteral("-") ? QStringLiteral("-") : QString();
    kept += m.captured(2);
    if (!m.captured(3).isEmpty())
        kept += m.captured(3);
    return kept;
}

} // namespace

QString composeResult(const QString& r, const QString& text) {
    const std::optional<float> number = leadingNumber(text);
    if (!number)
        return r;
    const float m = *number;
    const float w = std::floor(m) + 0.0f; // no "-0" for a margin of -0.0
    const QString winner = r.left(1);
    const QString whole = QString::number(static_cast<double>(w), 'f', 0);
    if (w == m)
        return winner + whole + QStringLiteral("目勝");
    if (w == 0.0f)
        return winner + QStringLiteral("半目勝");
    return winner + whole + QStringLiteral("目半勝");
}

std::optional<QString> marginNumber(const QString& text) {
    if (text.trimmed().isEmpty())
        return QString();
    return halfPoints(text, false);
}

std::optional<QString> komiNumber(const QString& text) {
    return halfPoints(text, true);
}

} // namespace vorleth
