#include "import/tableimport.h"

#include "store/textfile.h"

namespace vorleth {

namespace {

// a = 1 … s = 19, t = 20 (a pass); 0 for anything else, upper case included.
int letterValue(QChar c) {
    return c >= u'a' && c <= u't' ? c.unicode() - u'a' + 1 : 0;
}

// The value after a tag up to the next "]"; without one, up to the item's last character but
// one, as the files were written with the bracket on the next item.
QString tagValue(const QString& item, qsizetype tagEnd) {
    const qsizetype close = item.indexOf(u']', tagEnd);
    if (close >= 0)
        return item.mid(tagEnd, close - tagEnd);
    return item.mid(tagEnd, std::max<qsizetype>(0, item.size() - 1 - tagEnd));
}

// The values of "[..]" groups from position at on: AB[pd][dp] gives pd and dp.
QStringList bracketValues(const QString& item, qsizetype at) {
    QStringList values;
    while (at < item.size() && item.at(at) == u'[') {
        const qsizetype close = item.indexOf(u']', at + 1);
        if (close < 0)
            break;
        values << item.mid(at + 1, close - at - 1);
        at = close + 1;
        while (at < item.size() && item.at(at).isSpace())
            ++at;
    }
    return values;
}

// The game information and set-up stones an item other than a move carries.
void readPropertyItem(const QString& item, SgfGame& game) {
    static const struct {
        const char16_t* tag;
        QString SgfGame::*field;
    } tags[] = {{u"PB[", &SgfGame::blackPlayer},
                {u"PW[", &SgfGame::whitePlayer},
                {u"GN[", &SgfGame::gameName},
                {u"KM[", &SgfGame::komi},
                {u"RE[", &SgfGame::result}};
    static const struct {
        const char16_t* tag;
        QVector<Point> SgfSetup::*points;
    } setupTags[] = {
        {u"AB[", &SgfSetup::black}, {u"AW[", &SgfSetup::white}, {u"AE[", &SgfSetup::empty}};

    for (const auto& t : tags) {
        const qsizetype at = item.indexOf(QStringView(t.tag));
        if (at >= 0)
            game.*t.field = tagValue(item, at + 3);
    }
    if (const qsizetype at = item.indexOf(u"HA["); at >= 0)
        game.handicap = tagValue(item, at + 3).trimmed().toInt();
    for (const auto& t : setupTags) {
        const qsizetype at = item.indexOf(QStringView(t.tag));
        if (at < 0)
            continue;
        SgfSetup setup;
        setup.afterMoves = static_cast<int>(game.moves.size());
        for (const QString& value : bracketValues(item, at + 2)) {
            const Point p{letterValue(value.front()), letterValue(value.back())};
            if (value.size() == 2 && p.onBoard())
                (setup.*t.points).append(p);
        }
        game.setups.append(setup);
    }
}

// Adds the move a B[..] or W[..] item gives. False where reading stops: at a pass (the game
// ends there), at a point that cannot be read (stopNote says which), or when the table is
// full (outcome fails).
bool readMoveItem(const QString& item, SgfGame& game, QString& stopNote, Outcome& outcome) {
    const qsizetype close = item.indexOf(u']', 2);
    const QString value = close < 0 ? item.mid(2) : item.mid(2, close - 2);
    // B[] is the pass of FF[4], tt the one of earlier formats.
    if (value.isEmpty())
        return false;
    const int column = letterValue(value.front());
    const int row = letterValue(value.back());
    if (column == 20 || row == 20)
        return false;
    if (value.size() != 2 || column < 1 || row < 1) {
        stopNote = badSgfPointMessage(item, column, row);
        return false;
    }
    if (game.moves.size() == TableEntryData::maxMoves) {
        outcome = Outcome::failure(tooManyMovesMessage);
        return false;
    }
    SgfMove move;
    move.colour = item.front() == u'B' ? black : white;
    move.point = Point{column, row};
    game.moves.append(move);
    return true;
}

} // namespace

SgfItems readSgfItems(QStringView text) {
    SgfItems result;
    SgfGame game;
    QString stopNote;

    auto readItems = [&] {
        const QStringList lines = textfile::splitLines(text.toString());
        for (const QString& line : lines) {
            for (const QString& item : textfile::splitItems(line)) {
                if (!item.startsWith(u"B[") && !item.startsWith(u"W[")) {
                    readPropertyItem(item, game);
                    continue;
                }
                result.hasMoveItems = true;
                if (!readMoveItem(item, game, stopNote, result.import.outcome))
                    return;
            }
        }
    };
    readItems();
    if (!result.import.outcome.ok)
        return result;

    // An empty game name keeps the default (the record needs one): the SGF reader names a
    // game without GN after the layout.
    const bool anyStone = !game.moves.isEmpty();
    result.import = tableImportOfGame(game);
    if (result.import.outcome.ok) {
        if (!stopNote.isEmpty())
            result.import.outcome.messages.prepend(stopNote);
    } else if (!anyStone && !stopNote.isEmpty()) {
        // Nothing before the unreadable move: that move is the reason.
        result.import.outcome.messages = QStringList{stopNote};
    }
    return result;
}

} // namespace vorleth
