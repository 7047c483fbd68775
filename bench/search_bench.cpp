// The position and pattern search on a large library, as a timing program:
//   search_bench generate DIR [SGFDIR]   fills DIR with 100,000 records made from the real games
//                                        of SGFDIR (default /usr/share/goban): each game under
//                                        its eight symmetries, cut at different lengths
//   search_bench measure DIR [PATTERNS]  times, with the listing of DIR by `ls -f` as the
//                                        yardstick: building the index, reading it back, adding
//                                        one record, 20 whole positions and 20 corner and side
//                                        patterns (all symmetries); writes one pattern of each
//                                        kind to PATTERNS (for timing the command line)
//   search_bench searches DIR [ROUNDS [PATTERNS]]
//                                        only the searches, ROUNDS times over, on the index as
//                                        it is (for a profiler, and steadier figures); writes
//                                        the 20 corner and side patterns to PATTERNS
// The library is made in a directory of the user's choice and never committed.
#include "board/symmetry.h"
#include "import/sgfimport.h"
#include "search/searchindex.h"
#include "store/recordcodec.h"
#include "store/recordname.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextStream>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace vorleth;

namespace {

constexpr int libraryRecords = 100000;

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

// The entries up to the end of the stone that makes n stones, its removals included.
int entriesForStones(const MoveList& moves, int stones) {
    int seen = 0;
    int i = 1;
    for (; i <= moves.length(); ++i) {
        if (moves.entry(i).isStone()) {
            if (seen == stones)
                break;
            ++seen;
        }
    }
    return i - 1;
}

MoveList turnedMoves(const MoveList& moves, BoardSymmetry symmetry, int length) {
    MoveList turned;
    for (int i = 1; i <= length; ++i) {
        MoveEntry e = moves.entry(i);
        const Point p = Point::fromCode(e.point);
        if (p.onBoard())
            e.point = applySymmetry(symmetry, p).code();
        turned.append(e);
    }
    return turned;
}

int generate(const QString& directory, const QString& sgfDirectory) {
    QVector<ImportedGame> games;
    QDirIterator it(sgfDirectory, {QStringLiteral("*.sgf"), QStringLiteral("*.mgt")}, QDir::Files);
    while (it.hasNext()) {
        const Result<SgfImport> import = importSgfFile(it.next());
        if (import.ok)
            games += import.games;
    }
    if (games.isEmpty()) {
        out() << "no games in " << sgfDirectory << '\n';
        return 1;
    }
    QDir().mkpath(directory);
    const int perGame = 8;
    const int cuts = (libraryRecords + games.size() * perGame - 1) / (games.size() * perGame);
    int written = 0;
    for (int g = 0; g < games.size() && written < libraryRecords; ++g) {
        const ImportedGame& game = games[g];
        for (int s = 0; s < perGame && written < libraryRecords; ++s) {
            for (int c = 1; c <= cuts && written < libraryRecords; ++c) {
                const int stones = std::max(1, game.moveCount * c / cuts);
                GameRecord record;
                record.moves = turnedMoves(game.moves, boardSymmetries[s],
                                           entriesForStones(game.moves, stones));
                RecordMetadata& m = record.metadata;
                m.game = game.game;
                m.game.gameName = game.game.gameName + QStringLiteral("-%1-%2").arg(s).arg(c);
                m.recordDate = QStringLiteral("20240101");
                m.timeOfDay = QString::number(90000 + written % 50000);
                m.referenceDate = m.recordDate;
                m.entryCount = record.moves.length();
                QFile file(recordPath(directory, recordFileName(m)));
                if (file.open(QIODevice::WriteOnly))
                    file.write(encodeRecordBody(record, stones, QDate(2024, 1, 1)));
                ++written;
            }
        }
    }
    out() << written << " records from " << games.size() << " games in " << directory << '\n';
    return 0;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
double percentile95(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, (v.size() * 95 + 99) / 100 - 1)];
}

double lsMilliseconds(const QString& directory) {
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        QProcess ls;
        ls.setStandardOutputFile(QProcess::nullDevice());
        ls.start(QStringLiteral("ls"), {QStringLiteral("-f"), directory});
        ls.waitForFinished(60000);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

long residentKilobytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
    return -1;
}

// The position of a record after some stones, its removals done.
std::array<int, boardPointCount> positionAfter(const MoveList& moves, int entries) {
    std::array<int, boardPointCount> cells{};
    for (int i = 1; i <= entries; ++i) {
        const MoveEntry& e = moves.entry(i);
        const Point p = Point::fromCode(e.point);
        if (!p.onBoard())
            continue;
        if (e.isRemoval())
            cells[pointIndex(p)] = 0;
        else if (e.isStone())
            cells[pointIndex(p)] = e.kind.startsWith(black) ? 1 : 2;
    }
    return cells;
}

SearchPattern patternOf(const std::array<int, boardPointCount>& cells, int left, int top, int right,
                        int bottom) {
    SearchPattern pattern;
    static constexpr PatternContent contents[] = {PatternContent::Empty, PatternContent::Black,
                                                  PatternContent::White};
    for (int c = left; c <= right; ++c)
        for (int r = top; r <= bottom; ++r)
            pattern.set({c, r}, contents[cells[pointIndex({c, r})]]);
    return pattern;
}

// The patterns searched for: 20 whole positions and 20 corner and side patterns, taken from
// records of the library chosen by a fixed seed.
struct BenchPatterns {
    std::vector<SearchPattern> positions;
    std::vector<SearchPattern> regions;
};
BenchPatterns benchPatterns(const QString& directory, const QStringList& names,
                            QRandomGenerator& random) {
    BenchPatterns patterns;
    for (int i = 0; i < 20; ++i) {
        Result<GameRecord> read;
        do {
            const QString name = names.at(random.bounded(names.size()));
            QFile file(QDir(directory).filePath(name));
            file.open(QIODevice::ReadOnly);
            read = decodeRecord(name.chopped(4), file.readAll());
        } while (!read.ok || read.moves.length() < 80);
        const MoveList& moves = read.moves;
        const auto whole = positionAfter(moves, entriesForStones(moves, 10 + random.bounded(60)));
        patterns.positions.push_back(patternOf(whole, 1, 1, 19, 19));
        const auto early = positionAfter(moves, entriesForStones(moves, 8 + random.bounded(30)));
        // Alternately a corner of 7 x 7 and a side of 9 x 5.
        patterns.regions.push_back(i % 2 == 0 ? patternOf(early, 13, 1, 19, 7)
                                              : patternOf(early, 6, 15, 14, 19));
    }
    return patterns;
}

QStringList recordNames(const QString& directory) {
    return QDir(directory).entryList({QStringLiteral("*.IGO")}, QDir::Files);
}

// The peak resident memory from here on: the kernel forgets the peak so far.
void resetPeakMemory() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

int measure(const QString& directory, const QString& patternDirectory) {
    const double ls = lsMilliseconds(directory);
    out() << "ls -f: " << ls << " ms\n";
    auto report = [&](const char* what, double ms) {
        out() << what << ": " << ms << " ms = " << ms / ls << " x ls -f\n";
        out().flush();
    };

    QFile::remove(QDir(directory).filePath(searchIndexFileName));
    QElapsedTimer timer;
    timer.start();
    {
        SearchIndex index(directory);
        index.update();
        report("index built", timer.nsecsElapsed() / 1e6);
        out() << "  games " << index.gameCount() << ", file "
              << QFileInfo(index.filePath()).size() / 1048576.0 << " MB\n";
    }
    out() << "memory while building: peak " << residentKilobytes("VmHWM:") / 1024 << " MB\n";

    const QStringList names = recordNames(directory);
    QRandomGenerator random(21);
    const BenchPatterns patterns = benchPatterns(directory, names, random);
    timer.restart();
    SearchIndex index(directory);
    index.update();
    report("index read back and checked against the directory", timer.nsecsElapsed() / 1e6);

    std::vector<double> adds;
    for (int i = 0; i < 20; ++i) {
        const QString source = names.at(random.bounded(names.size()));
        const QString copy = QStringLiteral("対局名（追加%1）").arg(i) + source.mid(4);
        QFile::copy(QDir(directory).filePath(source), QDir(directory).filePath(copy));
        timer.restart();
        index.addRecord(copy);
        adds.push_back(timer.nsecsElapsed() / 1e6);
        QFile::remove(QDir(directory).filePath(copy));
    }
    report("one record added (median of 20)", median(adds));

    std::vector<double> positions;
    std::vector<double> regions;
    std::vector<double> swapped;
    int found = 0;
    for (int i = 0; i < 20; ++i) {
        timer.restart();
        found += index.search(patterns.positions[i], false).hits.size();
        positions.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        found += index.search(patterns.regions[i], false).hits.size();
        regions.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        found += index.search(patterns.regions[i], true).hits.size();
        swapped.push_back(timer.nsecsElapsed() / 1e6);
    }
    if (!patternDirectory.isEmpty()) {
        QDir().mkpath(patternDirectory);
        for (const auto& [file, pattern] :
             {std::pair{QStringLiteral("position.txt"), patterns.positions[0]},
              std::pair{QStringLiteral("region.txt"), patterns.regions[0]}}) {
            QFile f(QDir(patternDirectory).filePath(file));
            if (f.open(QIODevice::WriteOnly))
                f.write(patternText(pattern).toUtf8());
        }
    }
    report("whole position, 95th percentile of 20", percentile95(positions));
    report("whole position, median", median(positions));
    report("corner or side, 8 symmetries, 95th percentile of 20", percentile95(regions));
    report("corner or side, 8 symmetries, median", median(regions));
    report("corner or side, colours exchanged too, 95th percentile", percentile95(swapped));
    out() << "games found in all: " << found << '\n';
    // What building left behind stays in this process: the memory of a search is the
    // "searches" run's, a process of its own.
    return 0;
}

// Only the searches, repeated, on an index already built: for a profiler, and for figures
// steadier than one pass gives on a busy machine (each pattern's fastest round counts). The
// peak memory is the process's from reading the index on: checking it against the directory,
// searching, the results. The corner and side patterns go to PATTERNS, one file each, for
// timing the command line.
int searchesOnly(const QString& directory, int rounds, const QString& patternDirectory) {
    BenchPatterns patterns;
    {
        QRandomGenerator random(21);
        patterns = benchPatterns(directory, recordNames(directory), random);
    }
    if (!patternDirectory.isEmpty()) {
        QDir().mkpath(patternDirectory);
        for (size_t i = 0; i < patterns.regions.size(); ++i) {
            QFile f(QDir(patternDirectory).filePath(QStringLiteral("region-%1.txt").arg(i)));
            if (f.open(QIODevice::WriteOnly))
                f.write(patternText(patterns.regions[i]).toUtf8());
        }
    }
    // The listing that chose the patterns is no part of a search.
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    resetPeakMemory();
    SearchIndex index(directory);
    index.update();
    std::vector<double> regions(patterns.regions.size(), 1e300);
    std::vector<double> positions(patterns.positions.size(), 1e300);
    std::vector<qsizetype> hits(patterns.regions.size());
    QElapsedTimer timer;
    for (int round = 0; round < rounds; ++round) {
        for (size_t i = 0; i < patterns.regions.size(); ++i) {
            timer.start();
            hits[i] = index.search(patterns.regions[i], false).hits.size();
            regions[i] = std::min(regions[i], timer.nsecsElapsed() / 1e6);
            timer.start();
            index.search(patterns.positions[i], false);
            positions[i] = std::min(positions[i], timer.nsecsElapsed() / 1e6);
        }
    }
    for (size_t i = 0; i < patterns.regions.size(); ++i)
        out() << "  pattern " << i << ": " << patterns.regions[i].stoneCount() << " stones, "
              << hits[i] << " games, " << regions[i] << " ms\n";
    const double ls = lsMilliseconds(directory);
    out() << "ls -f: " << ls << " ms\n";
    out() << "whole position, 95th percentile of 20 (best of " << rounds
          << "): " << percentile95(positions) << " ms = " << percentile95(positions) / ls
          << " x ls -f\n";
    out() << "corner or side, 95th percentile of 20 (best of " << rounds
          << "): " << percentile95(regions) << " ms = " << percentile95(regions) / ls
          << " x ls -f; median " << median(regions) << " ms\n";
    out() << "memory from reading the index on: peak " << residentKilobytes("VmHWM:") / 1024
          << " MB\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 2 && args[0] == QLatin1String("generate"))
        return generate(args[1], args.value(2, QStringLiteral("/usr/share/goban")));
    if (args.size() >= 2 && args[0] == QLatin1String("measure"))
        return measure(args[1], args.value(2));
    if (args.size() >= 2 && args[0] == QLatin1String("searches"))
        return searchesOnly(args[1], args.value(2, QStringLiteral("5")).toInt(), args.value(3));
    out() << "usage: search_bench generate DIR [SGFDIR] | measure DIR [PATTERNS] | searches DIR "
             "[ROUNDS [PATTERNS]]\n";
    return 2;
}
