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

} // namespace

SgfItems readSgfItems(QStringView text) {
    SgfItems result;
    TableImport& import = result.import;
    import.game.gameName = yahooGameName;

    static const struct {
        const char16_t* tag;
        QString GameInfo::*field;
    } tags[] = {{u"PB[", &GameInfo::blackPlayer},
                {u"PW[", &GameInfo::whitePlayer},
                {u"GN[", &GameInfo::gameName},
                {u"KM[", &GameInfo::komi}};

    const QStringList lines = textfile::splitLines(text.toString());
    for (const QString& line : lines) {
        for (const QString& item : textfile::splitItems(line)) {
            if (!item.startsWith(u"B[") && !item.startsWith(u"W[")) {
                for (const auto& t : tags) {
                    const qsizetype at = item.indexOf(QStringView(t.tag));
                    if (at < 0)
                        continue;
                    const QString value = tagValue(item, at + 3);
                    // An empty game name keeps the default: the record needs one.
                    if (t.field != &GameInfo::gameName || !value.isEmpty())
                        import.game.*t.field = value;
                }
                continue;
            }
            result.hasMoveItems = true;
            const qsizetype close = item.indexOf(u']', 2);
            const QString value = close < 0 ? item.mid(2) : item.mid(2, close - 2);
            // B[] is the pass of FF[4], tt the one of earlier formats.
            if (value.isEmpty())
                return result;
            const int column = letterValue(value.front());
            const int row = letterValue(value.back());
            if (column == 20 || row == 20)
                return result;
            if (value.size() != 2 || column < 1 || row < 1) {
                import.outcome.note(badSgfPointMessage(item, column, row));
                return result;
            }
            if (import.moves.size() == TableEntryData::maxMoves) {
                import.outcome = Outcome::failure(tooManyMovesMessage);
                import.moves.clear();
                return result;
            }
            import.moves.append(Point{column, row}.code());
        }
    }
    return result;
}

} // namespace vorleth
