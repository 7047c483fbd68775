#include "import/tableimport.h"

#include <QRegularExpression>

#include <optional>

namespace vorleth {

namespace {

// The mail's columns skip "i", as printed boards do.
const QString mailColumns = QStringLiteral("abcdefghjklmnopqrst");

bool isPass(const QString& field) {
    return field.startsWith(u"パス");
}

// The row number at the start of text (blanks before it skipped), 0 when there is none, 100
// for a number too long to be a row.
int leadingRow(QStringView text) {
    text = text.trimmed();
    qsizetype digits = 0;
    while (digits < text.size() && text.at(digits) >= u'0' && text.at(digits) <= u'9')
        ++digits;
    if (digits == 0)
        return 0;
    if (digits > 3)
        return 100;
    return text.left(digits).toInt();
}

// A move such as q-16(0:12): column letter, "-", row counted from the bottom edge, and the
// time in brackets. Nothing, with the message, for a move off the board.
std::optional<PointCode> mailPoint(const QString& field, QString& error) {
    const qsizetype dash = field.indexOf(u'-');
    const QString letter = dash < 0 ? field : field.left(dash);
    const qsizetype column = letter.size() == 1 ? mailColumns.indexOf(letter.front()) + 1 : 0;
    if (column < 1) {
        error = badMailMoveMessage(letter);
        return std::nullopt;
    }
    const QString rest = dash < 0 ? QString() : field.mid(dash + 1);
    const int row = leadingRow(QStringView(rest).left(rest.indexOf(u'(')));
    if (row < 1 || row > 19) {
        error = badMailMoveMessage(field.left(field.indexOf(u'(')));
        return std::nullopt;
    }
    return Point{static_cast<int>(column), 20 - row}.code();
}

} // namespace

TableImport readMailText(QStringView text) {
    TableImport import;
    import.game.gameName = yahooGameName;
    auto refuse = [&import](const QString& message) {
        import.moves.clear();
        import.outcome = Outcome::failure(message);
        return import;
    };
    auto add = [&import](const QString& field, QString& error) {
        const std::optional<PointCode> point = mailPoint(field, error);
        if (!point)
            return false;
        if (import.moves.size() == TableEntryData::maxMoves) {
            error = tooManyMovesMessage;
            return false;
        }
        import.moves.append(*point);
        return true;
    };

    // A mail's lines end in CR LF; text copied on other systems may end them in LF alone.
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.toString().split(lineEnd);

    int pair = 1;
    std::optional<StopReason> stop;
    bool moreOnLine = false;
    qsizetype stopLine = -1;
    for (qsizetype l = 0; l < lines.size() && !stop; ++l) {
        const QString& line = lines.at(l);
        if (line.startsWith(u"黒番:")) {
            import.game.blackPlayer = line.mid(3).trimmed();
            continue;
        }
        if (line.startsWith(u"白番:")) {
            import.game.whitePlayer = line.mid(3).trimmed();
            continue;
        }
        if (!line.startsWith(QString::number(pair) + u'.'))
            continue;

        stopLine = l;
        const QStringList fields = line.simplified().split(u' ');
        if (fields.size() < 2) {
            stop = StopReason::Unreadable;
            continue;
        }
        if (isPass(fields.at(1))) {
            stop = StopReason::Pass;
            moreOnLine = fields.size() > 2 && !isPass(fields.at(2));
            continue;
        }
        QString error;
        if (!add(fields.at(1), error))
            return refuse(error);
        if (fields.size() != 3) {
            stop = StopReason::Unreadable;
            moreOnLine = fields.size() > 3;
            continue;
        }
        if (isPass(fields.at(2))) {
            stop = StopReason::Pass;
            continue;
        }
        if (!add(fields.at(2), error))
            return refuse(error);
        ++pair;
    }

    // Reading that ends where the game ends needs no word; one that leaves moves behind does.
    std::optional<QString> stopped;
    if (stop) {
        const QString next = QString::number(pair + 1) + u'.';
        bool more = moreOnLine;
        for (qsizetype l = stopLine + 1; l < lines.size() && !more; ++l)
            more = lines.at(l).startsWith(next);
        if (more)
            stopped = stoppedMessage(*stop, static_cast<int>(import.moves.size()) + 1);
    }
    if (import.moves.isEmpty())
        return refuse(stopped.value_or(copyMailMessage));
    if (stopped)
        import.outcome.note(*stopped);
    return import;
}

} // namespace vorleth
