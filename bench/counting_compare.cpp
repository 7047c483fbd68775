// Measures the territory count against GNU Go's own judgement of finished games.
//
//   scripts/gnugo_selfplay.py --out DIR      (games of GNU Go against itself)
//   counting_compare DIR [-v]
//
// For each variant of the count it runs the unassisted count on every final position and
// compares it with GNU Go's Japanese-rules score (an exact result is the same margin for the
// same player) and with GNU Go's dead stones (a wrong stone is one judged dead here and alive
// there, or the other way round). Prisoners taken during the game count on both sides.

#include "counting/countresult.h"
#include "counting/territory.h"
#include "countingvariants.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <optional>

namespace {

using namespace vorleth;

struct Game {
    QString name;
    Board board;
    std::array<std::array<bool, 20>, 20> dead{};
    int capturedByBlack = 0;
    int capturedByWhite = 0;
    double komi = 0;
    double score = 0; // positive when Black wins
};

std::optional<Game> readGame(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    const QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n');
    Game g;
    g.name = QFileInfo(path).completeBaseName();
    bool haveScore = false;
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
        } else if (line.startsWith(QLatin1String("captures "))) {
            const QStringList parts = line.split(u' ');
            g.capturedByBlack = parts.value(1).toInt();
            g.capturedByWhite = parts.value(2).toInt();
        } else if (line.startsWith(QLatin1String("komi "))) {
            g.komi = line.mid(5).toDouble();
        } else if (line.startsWith(QLatin1String("score "))) {
            const QString s = line.mid(6).trimmed();
            haveScore = true;
            if (s == QLatin1String("0"))
                g.score = 0;
            else if (s.startsWith(QLatin1String("B+")))
                g.score = s.mid(2).toDouble();
            else if (s.startsWith(QLatin1String("W+")))
                g.score = -s.mid(2).toDouble();
            else
                haveScore = false;
        }
    }
    if (!haveScore)
        return std::nullopt;
    return g;
}

struct Variant {
    const char* name;
    bench::VariantOptions options;
};

struct Tally {
    int exact = 0;
    int wrongStones = 0;
    int gamesWithWrongStones = 0;
    double marginError = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: counting_compare DIR [-v]\n");
        return 2;
    }
    const bool verbose = args.contains(QStringLiteral("-v"));
    const QDir dir(args.first());
    QVector<Game> games;
    for (const QString& name :
         dir.entryList({QStringLiteral("game*.txt")}, QDir::Files, QDir::Name)) {
        if (const auto g = readGame(dir.filePath(name)))
            games.append(*g);
        else
            std::fprintf(stderr, "skipped %s\n", qPrintable(name));
    }

    const Variant variants[] = {
        {"fixed points", {bench::GroupReevaluation::FixedPoints, false}},
        {"every group", {bench::GroupReevaluation::EveryGroup, false}},
        {"none", {bench::GroupReevaluation::None, false}},
        {"fixed points + one-point eyes", {bench::GroupReevaluation::FixedPoints, true}},
        {"every group + one-point eyes", {bench::GroupReevaluation::EveryGroup, true}},
        {"none + one-point eyes", {bench::GroupReevaluation::None, true}},
    };

    QTextStream out(stdout);
    out << "games: " << games.size() << "\n";
    for (const Variant& v : variants) {
        Tally t;
        for (const Game& g : games) {
            const CountOutcome count = bench::countWithVariant(g.board, v.options);
            const CountResult r = computeResult(count.counters, g.capturedByWhite,
                                                g.capturedByBlack, QString::number(g.komi));
            const bool exact = r.difference == g.score;
            int wrong = 0;
            for (int column = 1; column <= 19; ++column) {
                for (int row = 1; row <= 19; ++row) {
                    if (g.board.cell(column, row) == Board::Empty)
                        continue;
                    const CountMark m = count.grid.at(column, row);
                    const bool deadHere = m == CountMark::DeadBlack || m == CountMark::DeadWhite;
                    if (deadHere != g.dead[column][row])
                        ++wrong;
                }
            }
            t.exact += exact ? 1 : 0;
            t.wrongStones += wrong;
            t.gamesWithWrongStones += wrong > 0 ? 1 : 0;
            t.marginError += std::fabs(r.difference - g.score);
            if (verbose)
                out << "  " << v.name << " " << g.name << ": ours " << r.difference << " gnugo "
                    << g.score << " wrong stones " << wrong << "\n";
        }
        out << QString::fromLatin1(v.name).leftJustified(30) << " exact " << t.exact << "/"
            << games.size() << "  wrong stones " << t.wrongStones << " (in "
            << t.gamesWithWrongStones << " games)  total margin error " << t.marginError << "\n";
    }
    return 0;
}
