// Measures both first guesses of the count against a reference count of finished games,
// separately for games ended with every neutral point filled and games ended with them open.
//
//   scripts/gnugo_selfplay.py --open --out DIR      (games of GNU Go against itself, judged
//                                                    by GNU Go: the reference is its score)
//   scripts/records_yardstick.py --out DIR FILE...  (real games from SGF records: the
//                                                    reference is the result the players
//                                                    recorded; GNU Go's own score is kept
//                                                    beside it for comparison)
//   scripts/records_yardstick.py --out DIR FILE.game... (finished positions with the stones
//                                                    the players removed, no result: only
//                                                    the stones are compared, GNU Go's too)
//   estimate_compare DIR [-v | -d] [-a]
//
// A count is exact when it gives the same margin to the same player as the reference; a wrong
// stone is one judged dead by us and alive by GNU Go (or the players' marks), or the other way
// round. The time is this
// program's CPU time per position against the CPU time GNU Go took to judge the same one.

#include "counting/countresult.h"
#include "counting/estimate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <optional>

namespace {

using namespace vorleth;

struct Game {
    QString name;
    bool open = false;
    Board board;
    std::array<std::array<bool, 20>, 20> dead{};
    QStringList territory; // GNU Go's 'b' and 'w' points, when the file has them
    int capturedByBlack = 0;
    int capturedByWhite = 0;
    double komi = 0;
    std::optional<double> score;         // positive when Black wins; none for marked stones only
    std::optional<double> gnugoScore;    // GNU Go's own, when the reference is another's
    std::optional<int> gnugoWrongStones; // GNU Go's stones judged otherwise than the marks
    double gnugoSeconds = 0;
};

std::optional<double> scoreValue(const QString& s) {
    if (s == QLatin1String("0"))
        return 0.0;
    if (s.startsWith(QLatin1String("B+")))
        return s.mid(2).toDouble();
    if (s.startsWith(QLatin1String("W+")))
        return -s.mid(2).toDouble();
    return std::nullopt;
}

std::optional<Game> readGame(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    const QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
    Game g;
    g.name = QFileInfo(path).completeBaseName();
    g.open = g.name.endsWith(QLatin1String("-open"));
    std::optional<double> score;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line == QLatin1String("board") && i + 19 < lines.size()) {
            g.board = parseBoardDiagram(lines.mid(i + 1, 19).join(u'\n'));
        } else if (line == QLatin1String("dead") && i + 19 < lines.size()) {
            for (int row = 1; row <= 19; ++row) {
                const QString& r = lines.at(i + row);
                for (int column = 1; column <= 19 && column <= r.size(); ++column)
                    g.dead[column][row] = r.at(column - 1) == u'#';
            }
        } else if (line == QLatin1String("territory") && i + 19 < lines.size()) {
            g.territory = lines.mid(i + 1, 19);
        } else if (line.startsWith(QLatin1String("captures "))) {
            const QStringList parts = line.split(u' ');
            g.capturedByBlack = parts.value(1).toInt();
            g.capturedByWhite = parts.value(2).toInt();
        } else if (line.startsWith(QLatin1String("komi "))) {
            g.komi = line.mid(5).toDouble();
        } else if (line.startsWith(QLatin1String("score "))) {
            score = scoreValue(line.mid(6).trimmed());
        } else if (line.startsWith(QLatin1String("gnugo "))) {
            g.gnugoScore = scoreValue(line.mid(6).trimmed());
        } else if (line.startsWith(QLatin1String("gnugo-wrong "))) {
            g.gnugoWrongStones = line.mid(12).toInt();
        } else if (line.startsWith(QLatin1String("seconds "))) {
            g.gnugoSeconds = line.mid(8).toDouble();
        }
    }
    g.score = score;
    return g;
}

// GNU Go's judgement of one row in the marks of countDiagram.
QString theirRow(const Game& g, int row) {
    QString theirs;
    for (int column = 1; column <= 19; ++column) {
        const Board::Cell cell = g.board.cell(column, row);
        const QString line = g.territory.value(row - 1);
        const QChar t = column <= line.size() ? line.at(column - 1) : QChar(u'.');
        if (cell == Board::Black)
            theirs += g.dead[column][row] ? u'x' : u'X';
        else if (cell == Board::White)
            theirs += g.dead[column][row] ? u'o' : u'O';
        else
            theirs += t == u'b' || t == u'w' ? t : u'.';
    }
    return theirs;
}

// Points whose mark differs from GNU Go's: a finer yardstick than the score, where wrong
// points can cancel out.
int differingPoints(const Game& g, const CountGrid& ours) {
    if (g.territory.isEmpty())
        return 0;
    const QStringList mine = countDiagram(ours).split(u'\n');
    int differing = 0;
    for (int row = 1; row <= 19; ++row) {
        const QString m = mine.value(row - 1);
        const QString theirs = theirRow(g, row);
        for (int column = 0; column < 19; ++column)
            differing += column < m.size() && m.at(column) != theirs.at(column) ? 1 : 0;
    }
    return differing;
}

// GNU Go's judgement in the marks of countDiagram, beside ours, rows that differ starred.
QString sideBySide(const Game& g, const CountGrid& ours) {
    const QStringList mine = countDiagram(ours).split(u'\n');
    QString text;
    for (int row = 1; row <= 19; ++row) {
        const QString theirs = theirRow(g, row);
        const QString m = mine.value(row - 1);
        text += m + QStringLiteral("  ") + theirs +
                (m != theirs ? QStringLiteral(" *") : QString()) + u'\n';
    }
    return text;
}

double cpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

// How often a judgement agrees with the reference: the score, where the file has one, and
// the stones judged dead, where it has marks to judge them against.
struct Agreement {
    int scored = 0;
    int exact = 0;
    int withinOne = 0;
    int marked = 0;
    int wrongStones = 0;
    int gamesWithWrongStones = 0;

    void addScore(double off) {
        ++scored;
        exact += off == 0 ? 1 : 0;
        withinOne += std::abs(off) <= 1 ? 1 : 0;
    }
    void addStones(int wrong) {
        ++marked;
        wrongStones += wrong;
        gamesWithWrongStones += wrong > 0 ? 1 : 0;
    }
};

struct Tally {
    int games = 0;
    Agreement ours;
    Agreement gnugo;
    int differingPoints = 0;
    // Misses with every stone judged as GNU Go judges it, by how far the margin is off:
    // 1, 2, 3, 4 to 6, more; the first row in Black's favour, the second in White's.
    std::array<std::array<int, 5>, 2> scoreMisses{};
    double seconds = 0;
    double longest = 0;
    double gnugoSeconds = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: estimate_compare DIR [-v|-d] [-a]\n");
        return 2;
    }
    const bool verbose = args.contains(QStringLiteral("-v")) || args.contains(QStringLiteral("-d"));
    // -d also prints the marks of every count that differs; -a of every count.
    const bool diagrams = args.contains(QStringLiteral("-d"));
    const bool all = args.contains(QStringLiteral("-a"));
    const QDir dir(args.first());
    QVector<Game> games;
    for (const QString& name :
         dir.entryList({QStringLiteral("game*.txt")}, QDir::Files, QDir::Name)) {
        if (const auto g = readGame(dir.filePath(name)))
            games.append(*g);
        else
            std::fprintf(stderr, "skipped %s\n", qPrintable(name));
    }

    // Settings to try, from the environment: ESTIMATE_TERRITORY, ESTIMATE_WEAK, ESTIMATE_PLAYOUTS,
    // ESTIMATE_DEAD, ESTIMATE_SMOTHERED, ESTIMATE_SELFATARI (numbers); ESTIMATE_DEFEND,
    // ESTIMATE_NEARER, ESTIMATE_ATARI (0 turns the rule off).
    EstimateOptions estimateOptions;
    if (qEnvironmentVariableIsSet("ESTIMATE_TERRITORY"))
        estimateOptions.territoryMargin = qEnvironmentVariable("ESTIMATE_TERRITORY").toDouble();
    if (qEnvironmentVariableIsSet("ESTIMATE_WEAK"))
        estimateOptions.weakLife = qEnvironmentVariable("ESTIMATE_WEAK").toDouble();
    if (qEnvironmentVariableIsSet("ESTIMATE_DEFEND"))
        estimateOptions.defendWeakPoints = qEnvironmentVariableIntValue("ESTIMATE_DEFEND") != 0;
    if (qEnvironmentVariableIsSet("ESTIMATE_NEARER"))
        estimateOptions.nearerSide = qEnvironmentVariableIntValue("ESTIMATE_NEARER") != 0;
    if (qEnvironmentVariableIsSet("ESTIMATE_ATARI"))
        estimateOptions.answerAtari = qEnvironmentVariableIntValue("ESTIMATE_ATARI") != 0;
    if (qEnvironmentVariableIsSet("ESTIMATE_SMOTHERED"))
        estimateOptions.smotheredLife = qEnvironmentVariable("ESTIMATE_SMOTHERED").toDouble();
    if (qEnvironmentVariableIsSet("ESTIMATE_DEAD"))
        estimateOptions.deadMargin = qEnvironmentVariable("ESTIMATE_DEAD").toDouble();
    if (qEnvironmentVariableIsSet("ESTIMATE_SELFATARI"))
        estimateOptions.selfAtariChainSize = qEnvironmentVariableIntValue("ESTIMATE_SELFATARI");
    if (qEnvironmentVariableIsSet("ESTIMATE_CLOSE"))
        estimateOptions.closeBorders = qEnvironmentVariableIntValue("ESTIMATE_CLOSE") != 0;
    if (qEnvironmentVariableIsSet("ESTIMATE_PLAYOUTS"))
        estimateOptions.playouts = qEnvironmentVariableIntValue("ESTIMATE_PLAYOUTS");

    QTextStream out(stdout);
    const struct {
        const char* name;
        CountGuess guess;
    } guesses[] = {{"traditional", CountGuess::Traditional}, {"estimate", CountGuess::Estimate}};
    for (const auto& guess : guesses) {
        std::array<Tally, 2> tallies; // filled, open
        for (const Game& g : games) {
            Tally& t = tallies[g.open ? 1 : 0];
            const double started = cpuSeconds();
            const CountOutcome count = guess.guess == CountGuess::Estimate
                                           ? estimatePosition(g.board, estimateOptions)
                                           : firstGuess(g.board, guess.guess);
            const double took = cpuSeconds() - started;
            t.seconds += took;
            t.longest = std::max(t.longest, took);
            t.gnugoSeconds += g.gnugoSeconds;
            const CountResult r = computeResult(count.counters, g.capturedByWhite,
                                                g.capturedByBlack, QString::number(g.komi));
            int wrong = 0;
            for (int column = 1; column <= 19; ++column) {
                for (int row = 1; row <= 19; ++row) {
                    if (g.board.cell(column, row) == Board::Empty)
                        continue;
                    const CountMark m = count.grid.at(column, row);
                    const bool deadHere = m == CountMark::DeadBlack || m == CountMark::DeadWhite;
                    wrong += deadHere != g.dead[column][row] ? 1 : 0;
                }
            }
            ++t.games;
            if (g.gnugoScore && g.score)
                t.gnugo.addScore(*g.gnugoScore - *g.score);
            if (g.gnugoWrongStones)
                t.gnugo.addStones(*g.gnugoWrongStones);
            const double off = g.score ? r.difference - *g.score : 0;
            if (g.score)
                t.ours.addScore(off);
            t.ours.addStones(wrong);
            t.differingPoints += differingPoints(g, count.grid);
            if (wrong == 0 && off != 0) {
                const double size = std::abs(off);
                const int bucket = size <= 1   ? 0
                                   : size <= 2 ? 1
                                   : size <= 3 ? 2
                                   : size <= 6 ? 3
                                               : 4;
                ++t.scoreMisses[off > 0 ? 0 : 1][bucket];
            }
            const bool differs = off != 0 || wrong > 0;
            if (verbose && (differs || all))
                out << "  " << guess.name << " " << g.name << ": ours " << r.difference
                    << " reference "
                    << (g.score ? QString::number(*g.score) : QStringLiteral("none"))
                    << " wrong stones " << wrong << "\n";
            if (diagrams && (differs || all))
                out << sideBySide(g, count.grid);
        }
        for (int kind = 0; kind < 2; ++kind) {
            const Tally& t = tallies[kind];
            if (t.games == 0)
                continue;
            const Agreement& a = t.ours;
            out << QString::fromLatin1(guess.name).leftJustified(12)
                << (kind == 0 ? "filled " : "open   ") << " exact " << a.exact << "/" << a.scored
                << " (" << QString::number(a.scored ? 100.0 * a.exact / a.scored : 0, 'f', 1)
                << "%)  within a point " << a.withinOne << "/" << a.scored << "  wrong stones "
                << a.wrongStones << " in " << a.gamesWithWrongStones
                << " games  points marked otherwise " << t.differingPoints << "  "
                << QString::number(1000 * t.seconds / t.games, 'f', 2) << " ms a position (at most "
                << QString::number(1000 * t.longest, 'f', 1) << "), "
                << QString::number(t.gnugoSeconds > 0 ? t.seconds / t.gnugoSeconds : 0, 'f', 3)
                << " x GNU Go's time\n";
            const Agreement& theirs = t.gnugo;
            if (theirs.scored > 0)
                out << "            GNU Go's own score: exact " << theirs.exact << "/"
                    << theirs.scored << ", within a point " << theirs.withinOne << "\n";
            if (theirs.marked > 0)
                out << "            GNU Go's dead stones against the marks: " << theirs.wrongStones
                    << " otherwise in " << theirs.gamesWithWrongStones << " of " << theirs.marked
                    << " positions\n";
            if (a.exact < a.scored) {
                auto row = [](const std::array<int, 5>& r) {
                    return QStringLiteral("%1/%2/%3/%4/%5")
                        .arg(r[0])
                        .arg(r[1])
                        .arg(r[2])
                        .arg(r[3])
                        .arg(r[4]);
                };
                out << "            misses: " << a.gamesWithWrongStones
                    << " with wrong stones; stones right, off by 1/2/3/4-6/more: for Black "
                    << row(t.scoreMisses[0]) << ", for White " << row(t.scoreMisses[1]) << "\n";
            }
        }
    }
    return 0;
}
