#include "import/tableimport.h"

#include "import/sgf.h"
#include "import/sgfencoding.h"
#include "import/sgfimport.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <iterator>

namespace vorleth {

QString missingSourceMessage(const QString& path) {
    return path + QStringLiteral("YAHOOファイルがありません");
}

QString badSgfPointMessage(const QString& item, int column, int row) {
    return item + QString::number(column) + u'#' + QString::number(row);
}

QString badMailMoveMessage(const QString& part) {
    return part + QStringLiteral(" Code err=");
}

QString stoppedMessage(StopReason reason, int moveNumber) {
    const QString why = reason == StopReason::Pass ? QStringLiteral("%1手目がパスのため")
                        : reason == StopReason::SameColour
                            ? QStringLiteral("%1手目で黒と白が交互でなくなるため")
                            : QStringLiteral("%1手目が読めないため");
    if (moveNumber <= 1)
        return why.arg(1) + QStringLiteral("取り込めません");
    return why.arg(moveNumber) + QStringLiteral("、%1手目までを取り込みました").arg(moveNumber - 1);
}

QString wrongFirstColourMessage(bool handicap) {
    return handicap
               ? QStringLiteral("1手目が黒のため取り込めません（置碁は白から打ちます）")
               : QStringLiteral("1手目が白のため取り込めません（置石がなければ黒から打ちます）");
}

QString unreadableSgfMessage(const QString& reason) {
    return QStringLiteral("SGFファイルとして取り込めません：") + reason;
}

QString firstGameOnlyMessage(int games) {
    return QStringLiteral("このファイルの%1局のうち、最初の対局を取り込みました").arg(games);
}

QString importNotesMessage(const QStringList& notes, const QStringList& warnings) {
    QStringList lines = notes;
    if (!warnings.isEmpty()) {
        lines << QStringLiteral("ファイルの次の点は読み替えて取り込みました：");
        for (const QString& warning : warnings)
            lines << QStringLiteral("・") + warning;
    }
    return lines.join(u'\n');
}

namespace {

const QString problemSetUpReason =
    QStringLiteral("問題の配置（AB/AW）は総譜の表に入りません。vorleth-cli import で取り込めます");

TableImport refused(const QString& message) {
    TableImport import;
    import.outcome = Outcome::failure(message);
    return import;
}

} // namespace

TableImport tableImportOfGame(const SgfGame& game) {
    const auto firstStone = std::find_if(game.moves.begin(), game.moves.end(),
                                         [](const SgfMove& m) { return !m.pass; });
    if (firstStone == game.moves.end())
        return refused(noMovesMessage);

    // The handicap follows from the setup stones through the game name the SGF reader gives;
    // a game it cannot record is refused here already.
    SgfGame head = game;
    head.moves.resize(std::distance(game.moves.begin(), firstStone) + 1);
    const Result<ImportedGame> start = importSgfGame(head, yahooGameName);
    if (!start.ok)
        return refused(unreadableSgfMessage(start.error()));
    // The table holds moves by number only: a problem's set-up has no place in it.
    if (start.setUpStones > 0)
        return refused(unreadableSgfMessage(problemSetUpReason));
    const bool handicap = handicapCount(start.game.gameName) != 0;

    QString colour = handicap ? white : black;
    int alternating = 0;
    for (const SgfMove& move : game.moves) {
        if (move.pass || move.colour != colour)
            break;
        ++alternating;
        colour = opponentOf(colour);
    }
    if (alternating == 0) {
        return refused(game.moves.first().pass ? stoppedMessage(StopReason::Pass, 1)
                                               : wrongFirstColourMessage(handicap));
    }
    if (alternating > TableEntryData::maxMoves)
        return refused(tooManyMovesMessage);

    TableImport import;
    const bool onlyPassesFollow = std::all_of(game.moves.begin() + alternating, game.moves.end(),
                                              [](const SgfMove& m) { return m.pass; });
    if (!onlyPassesFollow) {
        const bool pass = game.moves.at(alternating).pass;
        import.outcome.note(
            stoppedMessage(pass ? StopReason::Pass : StopReason::SameColour, alternating + 1));
    }

    // The moves as the SGF reader plays them, so that a game it turns to put the handicap
    // stones on the program's points arrives turned.
    SgfGame played = game;
    played.moves.resize(alternating);
    const Result<ImportedGame> imported = importSgfGame(played, yahooGameName);
    if (!imported.ok)
        return refused(unreadableSgfMessage(imported.error()));
    import.game = imported.game;
    for (const MoveEntry& entry : imported.moves.entries()) {
        if (entry.isStone())
            import.moves.append(entry.point);
    }
    import.warnings = game.warnings + imported.warnings;
    return import;
}

namespace {

// The decoded text of either layout.
TableImport readDecodedSgf(const QString& text) {
    const Result<SgfTrees> parse = parseSgfText(text);
    QString standardError = parse.error();
    if (parse.ok) {
        const Result<SgfGame> read = sgfGame(parse.collection, parse.collection.roots.first());
        if (read.ok) {
            TableImport import = tableImportOfGame(read.value());
            const auto games = static_cast<int>(parse.collection.roots.size());
            if (import.outcome.ok && games > 1)
                import.outcome.note(firstGameOnlyMessage(games));
            import.warnings = parse.warnings + import.warnings;
            return import;
        }
        standardError = read.error();
    }
    // Not standard SGF: the layout with one move per line and no node separators reads as
    // one node holding every move, which the SGF reader rejects.
    const SgfItems items = readSgfItems(text);
    if (!items.hasMoveItems) {
        const bool noGameTree = !parse.ok && parse.error().startsWith(u"no SGF");
        return refused(noGameTree ? noMovesMessage : unreadableSgfMessage(standardError));
    }
    TableImport import = items.import;
    if (import.outcome.ok && import.moves.isEmpty()) {
        import.outcome.ok = false;
        if (import.outcome.messages.isEmpty())
            import.outcome.note(noMovesMessage);
    }
    return import;
}

void fillTableEntry(const TableImport& import, const ImportTarget& target) {
    CurrentRecord& record = target.record;
    record.game.gameName = import.game.gameName;
    record.game.whitePlayer = import.game.whitePlayer;
    record.game.blackPlayer = import.game.blackPlayer;
    if (!import.game.komi.isEmpty())
        record.game.komi = import.game.komi;
    if (!import.game.result.isEmpty())
        record.game.result = import.game.result;
    record.moveCount = static_cast<int>(import.moves.size());
    // A new game: saving it must never replace a record chosen earlier.
    record.selectedIndex = 0;
    record.fileName.clear();

    TableEntryData& table = target.table;
    table.tableMoves.fill(0);
    table.repeatedPlays.clear();
    table.clearDiagramGrid();
    for (int n = 1; n <= record.moveCount; ++n) {
        const PointCode code = import.moves.at(n - 1);
        table.tableMoves[n] = code;
        const Point p = Point::fromCode(code);
        int& first = table.diagramGrid[p.column][p.row];
        if (first < 1)
            first = n;
        else
            table.repeatedPlays.append({n, first});
    }
    table.tablePrefilled = true;

    target.board.moves.clear();
    target.board.play.appliedCount = 0;
    target.source.yahooImportFlag = true;
}

} // namespace

TableImport readSgfForTable(const QByteArray& bytes) {
    const Result<SgfText> text = decodeSgfBytes(bytes);
    if (!text.ok) {
        TableImport import = refused(text.error());
        import.warnings = text.warnings;
        return import;
    }
    TableImport import = readDecodedSgf(text.text);
    import.warnings = text.warnings + import.warnings;
    return import;
}

Outcome importSgf(const ImportTarget& target) {
    const QString path = target.source.importSourcePath;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        target.source.importSourcePath.clear();
        return Outcome::failure(missingSourceMessage(path));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        target.source.importSourcePath.clear();
        return Outcome::failure(missingSourceMessage(path));
    }
    const TableImport import = readSgfForTable(bytes);
    if (!import.outcome.ok) {
        target.source.importSourcePath.clear();
        return import.outcome;
    }
    fillTableEntry(import, target);
    // Whatever was read differently from the file is told at once, in one box.
    Outcome outcome;
    const QString told = importNotesMessage(import.outcome.messages, import.warnings);
    if (!told.isEmpty())
        outcome.note(told);
    return outcome;
}

Outcome importMailText(const QString& text, bool hasText, const ImportTarget& target) {
    Outcome outcome;
    outcome.note(text);
    if (!hasText) {
        outcome.ok = false;
        outcome.note(copyMailMessage);
        return outcome;
    }
    const TableImport import = readMailText(text);
    outcome.ok = import.outcome.ok;
    outcome.messages << import.outcome.messages;
    if (!outcome.ok)
        return outcome;
    fillTableEntry(import, target);
    target.source.importSourcePath.clear();
    return outcome;
}

} // namespace vorleth
