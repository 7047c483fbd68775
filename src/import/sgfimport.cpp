#include "import/sgfimport.h"

#include "board/playrules.h"
#include "store/library.h"
#include "store/recordname.h"
#include "store/resulttext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace vorleth {

namespace {

const QString problemNamePrefix = QStringLiteral("詰め碁");

// "）" would end the field early when the record's file name is read back.
QString withHalfWidthBrackets(QString text) {
    text.replace(u'（', u'(');
    text.replace(u'）', u')');
    return text;
}

QString sgfPoint(Point p) {
    return QString(QChar(u'a' + p.column - 1)) + QChar(u'a' + p.row - 1);
}

QString describe(int number, const SgfMove& move) {
    return QStringLiteral("move %1 (%2[%3])")
        .arg(number)
        .arg(QChar(move.colour == black ? u'B' : u'W'))
        .arg(sgfPoint(move.point));
}

// What the set-up stones before the first move are: a handicap (count 2..9, maybe on a turned
// layout), or the position of a problem that the record places before its pause marker.
struct SetUp {
    int count = 0;
    BoardSymmetry turned = BoardSymmetry::Identity;
    QVector<Point> black; // a problem's set-up
    QVector<Point> white;
    bool problem() const { return !black.isEmpty() || !white.isEmpty(); }
};

// A game named as a problem, or whose set-up has white stones, sets up a problem. Otherwise
// only black stones before the first move, 2..9 of them, agreeing with HA when it is given,
// on the program's points or on points that a symmetry of the board maps onto them, form a
// handicap; anything else is an error.
SetUp setUpOf(const SgfGame& game, bool problemName, QString& error) {
    QVector<Point> stones;
    QVector<Point> whiteStones;
    for (const SgfSetup& setup : game.setups) {
        if (setup.afterMoves > 0) {
            error = QStringLiteral("setup stones (AB/AW/AE) after move %1").arg(setup.afterMoves);
            return {};
        }
        if (!setup.empty.isEmpty()) {
            error = QStringLiteral("setup stones other than a handicap (AE)");
            return {};
        }
        for (const Point& p : setup.black) {
            if (!stones.contains(p))
                stones.append(p);
        }
        for (const Point& p : setup.white) {
            if (!whiteStones.contains(p))
                whiteStones.append(p);
        }
    }
    for (const Point& p : whiteStones) {
        if (stones.contains(p)) {
            error = QStringLiteral("a set-up point (%1) given to both colours")
                        .arg(QString(QChar(u'a' + p.column - 1)) + QChar(u'a' + p.row - 1));
            return {};
        }
    }
    if (problemName || !whiteStones.isEmpty()) {
        SetUp problem;
        problem.black = stones;
        problem.white = whiteStones;
        return problem;
    }

    const int count = static_cast<int>(stones.size());
    if (count == 0) {
        if (game.handicap >= 2)
            error = QStringLiteral("handicap HA[%1] without its stones (AB)").arg(game.handicap);
        return {};
    }
    if (count < 2 || count > 9) {
        error = QStringLiteral("%1 black setup stone(s) (AB) are not a handicap of 2 to 9 stones")
                    .arg(count);
        return {};
    }
    if (game.handicap != 0 && game.handicap != count) {
        error = QStringLiteral("handicap HA[%1] does not match the %2 stones of AB")
                    .arg(game.handicap)
                    .arg(count);
        return {};
    }
    QVector<Point> programPoints;
    for (int i = 1; i <= count; ++i)
        programPoints.append(handicapPoint(i, count));
    const auto symmetry = symmetryMapping(stones, programPoints);
    if (!symmetry) {
        error =
            QStringLiteral("the %1 handicap stones (AB) are not on the standard points").arg(count);
        return {};
    }
    SetUp handicap;
    handicap.count = count;
    handicap.turned = *symmetry;
    return handicap;
}

// A result the program has no words for is kept as the file writes it.
bool resultUnderstood(const QString& re) {
    return re.trimmed().isEmpty() || resultFromSgf(re) != re.trimmed();
}

} // namespace

QString resultFromSgf(const QString& re) {
    const QString text = re.trimmed();
    static const QStringList draws = {QStringLiteral("0"), QStringLiteral("draw"),
                                      QStringLiteral("d"), QStringLiteral("jigo")};
    if (draws.contains(text.toLower()))
        return QStringLiteral("持碁");
    // A game without a result is kept the way the program keeps an adjourned one.
    if (text.compare(QLatin1String("void"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("打掛");

    // Older collections write a draw with a winner in front ("W+J", "W+Jigo"). "W+0" stays a
    // win by no points: it is how this program writes such a result out.
    static const QRegularExpression drawWithWinner(QStringLiteral(R"(^[BW]\+(J|Jigo)$)"),
                                                   QRegularExpression::CaseInsensitiveOption);
    if (drawWithWinner.match(text).hasMatch())
        return QStringLiteral("持碁");

    // Some programs write the result in words.
    static const QRegularExpression inWords(
        QStringLiteral(
            R"(^(Black|White) wins by (resignation|(\d+(?:\.(?:0+|50*))?) points?)\.?$)"),
        QRegularExpression::CaseInsensitiveOption);
    if (const auto words = inWords.match(text); words.hasMatch()) {
        const QString winner = words.captured(1).toLower() == QLatin1String("black")
                                   ? QStringLiteral("黒")
                                   : QStringLiteral("白");
        if (!words.hasCaptured(3))
            return winner + QStringLiteral("中押勝");
        return composeResult(winner + QStringLiteral("勝"), words.captured(3));
    }

    // Servers add a remark after the standard form, as in "W+R (130 moves)"; the remark says
    // nothing the record does not. A full stop after it ("B+R.") is only punctuation.
    static const QRegularExpression won(
        QStringLiteral(R"(^([BW])\+(R|Resign|(\d+(?:\.(?:0+|50*))?))?\.?(?:\s+\(.*\))?$)"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = won.match(text);
    if (!match.hasMatch())
        return text;
    const QString winner = match.captured(1).toUpper() == QLatin1String("B") ? QStringLiteral("黒")
                                                                             : QStringLiteral("白");
    if (!match.hasCaptured(2))
        return winner + QStringLiteral("勝");
    if (!match.hasCaptured(3))
        return winner + QStringLiteral("中押勝");
    return composeResult(winner + QStringLiteral("勝"), match.captured(3));
}

QString importedGameName(const SgfGame& game, const QString& fallbackName, int handicap) {
    QString name = !game.gameName.isEmpty() ? game.gameName
                   : !game.event.isEmpty()  ? game.event
                                            : fallbackName.simplified();
    name = withHalfWidthBrackets(name);
    if (handicap >= 2 && handicap <= 9) {
        if (handicapCount(name) != handicap)
            name.prepend(QString(QChar(u'０' + handicap)) + u'子');
    } else if (handicapCount(name) != 0) {
        // An even game whose name happens to start like a handicap would get stones on replay.
        name.prepend(QStringLiteral("互先"));
    }
    return name;
}

namespace {

// The import of one game; error says why it cannot be.
ImportedGame importGame(const SgfGame& game, const QString& fallbackName, QString& error) {
    if (game.columns != 19 || game.rows != 19) {
        error = QStringLiteral("board size %1 x %2: only 19 x 19 can be recorded")
                    .arg(game.columns)
                    .arg(game.rows);
        return {};
    }
    // A main line without a stone is no game record; it is also what stray text such as
    // "for (;;)" reads as.
    if (std::none_of(game.moves.begin(), game.moves.end(),
                     [](const SgfMove& m) { return !m.pass; })) {
        error = QStringLiteral("no moves in the main line");
        return {};
    }
    const QString name = importedGameName(game, fallbackName, 0);
    const SetUp setUp = setUpOf(game, isProblemName(name), error);
    if (!error.isEmpty())
        return {};

    ImportedGame imported;
    imported.turned = setUp.turned;
    if (setUp.turned != BoardSymmetry::Identity) {
        imported.warnings << QStringLiteral("board %1 so that the %2 handicap stones stand on the "
                                            "program's points")
                                 .arg(symmetryDescription(setUp.turned))
                                 .arg(setUp.count);
    }
    if (!resultUnderstood(game.result))
        imported.warnings << QStringLiteral("result RE[%1] kept as written").arg(game.result);
    GameInfo& info = imported.game;
    info.gameName = importedGameName(game, fallbackName, setUp.count);
    if (setUp.problem() && !isProblemName(info.gameName)) {
        // Replay and export know a problem by its name.
        info.gameName.prepend(problemNamePrefix);
        imported.warnings << QStringLiteral("set-up stones (AB/AW) kept as a problem named %1")
                                 .arg(info.gameName);
    }
    info.whitePlayer = withHalfWidthBrackets(game.whitePlayer);
    info.blackPlayer = withHalfWidthBrackets(game.blackPlayer);
    info.komi = withHalfWidthBrackets(game.komi);
    info.result = withHalfWidthBrackets(resultFromSgf(game.result));

    BoardModel model;
    handicapFromGameName(model, info.gameName);
    placeHandicapStones(model);

    int stones = 0;
    if (setUp.problem()) {
        // The set-up as the board's problem mode records it: stones of either colour, then the
        // pause marker that ends it.
        for (const auto& [points, mode] :
             {std::pair{&setUp.black, 1}, std::pair{&setUp.white, 2}}) {
            model.play.placementMode = mode;
            for (const Point& p : *points) {
                const PlayResult placed = playStone(model, p).result;
                if (placed == PlayResult::Suicide) {
                    error = QStringLiteral("set-up: a stone without a liberty at %1,%2")
                                .arg(p.column)
                                .arg(p.row);
                    return {};
                }
                if (placed != PlayResult::Played) {
                    error = QStringLiteral("set-up: too many entries: ") + moveListFullMessage();
                    return {};
                }
                ++stones;
            }
        }
        if (addPauseMarker(model) != PlayResult::Played) {
            error = QStringLiteral("set-up: too many entries: ") + moveListFullMessage();
            return {};
        }
        imported.setUpStones = stones;
    }

    int number = 0;
    for (const SgfMove& move : game.moves) {
        ++number;
        if (move.pass)
            continue;
        // Messages name the point as the file writes it, turned or not.
        const Point point = applySymmetry(setUp.turned, move.point);
        if (model.board.cell(point) != Board::Empty) {
            error = describe(number, move) + QStringLiteral(" on an occupied point");
            return {};
        }
        // The file says who played; a pass or two moves of one colour in a row change nothing.
        model.play.placementMode = move.colour == black ? 1 : 2;
        const PlayResult played = playStone(model, point).result;
        if (played == PlayResult::MoveListFull) {
            error = describe(number, move) + QStringLiteral(": too many entries: ") +
                    moveListFullMessage();
            return {};
        }
        if (played == PlayResult::Suicide) {
            error = describe(number, move) + QStringLiteral(" would take its own last liberty");
            return {};
        }
        ++stones;
    }
    imported.moveCount = stones;
    imported.moves = model.moves;
    return imported;
}

} // namespace

Result<ImportedGame> importSgfGame(const SgfGame& game, const QString& fallbackName) {
    QString error;
    ImportedGame imported = importGame(game, fallbackName, error);
    if (!error.isEmpty())
        return Result<ImportedGame>::failure(error);
    return Result<ImportedGame>::success(std::move(imported));
}

Result<SgfImport> importSgfData(const QByteArray& bytes, const QString& fallbackName) {
    Result<SgfImport> result;
    const Result<SgfFile> file = readSgfBytes(bytes);
    result.warnings = file.warnings;
    if (file.encodingRefused) {
        result.fail(file.error());
        return result;
    }
    if (!file.ok) {
        result.fail(file.collection.roots.isEmpty() && file.error().startsWith(u"no SGF")
                        ? QStringLiteral("not an SGF file (no game tree found)")
                        : QStringLiteral("SGF error: ") + file.error());
        return result;
    }
    const auto& roots = file.collection.roots;
    for (int i = 0; i < roots.size(); ++i) {
        const QString which = roots.size() > 1 ? QStringLiteral("game %1: ").arg(i + 1) : QString();
        const Result<SgfGame> read = sgfGame(file.collection, roots.at(i));
        if (!read.ok) {
            result.games.clear();
            result.fail(which + read.error());
            return result;
        }
        for (const QString& w : read.warnings)
            result.warnings << which + w;
        Result<ImportedGame> game = importSgfGame(read.value(), fallbackName);
        if (!game.ok) {
            result.games.clear();
            result.fail(which + game.error());
            return result;
        }
        for (const QString& w : game.warnings)
            result.warnings << which + w;
        result.games.append(std::move(game.value()));
    }
    return result;
}

Result<SgfImport> importSgfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<SgfImport>::failure(
            QStringLiteral("cannot read the file (%1)").arg(file.errorString()));
    return importSgfData(file.readAll(), QFileInfo(path).completeBaseName());
}

Result<SavedRecords> saveImportedGames(const QString& directory, Catalogue& catalogue,
                                       const SgfImport& import, const QDateTime& now) {
    QString error;
    QStringList saved;
    const int catalogueCount = catalogue.count();
    int shift = 0;
    for (const ImportedGame& game : import.games) {
        constexpr int secondsToTry = 60;
        int tried = 0;
        while (tried < secondsToTry &&
               QFileInfo::exists(recordPath(
                   directory, newRecordName(game.game, game.moves.length(), now.addSecs(shift))))) {
            ++shift;
            ++tried;
        }
        CurrentRecord record;
        record.game = game.game;
        record.moveCount = game.moveCount;
        const Outcome outcome =
            saveRecord(directory, catalogue, record, game.moves, now.addSecs(shift));
        if (!outcome.ok) {
            error = outcome.messages.join(u'\n');
            break;
        }
        saved << record.fileName + recordExtension;
    }

    if (!error.isEmpty()) {
        // A file is imported whole or not at all.
        for (const QString& name : saved)
            QFile::remove(QDir(directory).filePath(name));
        catalogue.truncate(catalogueCount);
        return Result<SavedRecords>::failure(error);
    }
    return Result<SavedRecords>::success({saved});
}

} // namespace vorleth
