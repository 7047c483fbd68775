// A record library for the benchmarks: realistic record file names, directories filled with
// them, and the timing of one piece of work.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <ctime>
#include <map>
#include <memory>
#include <utility>

namespace vorleth::bench {

// The final position of a game of GNU Go against itself (scripts/gnugo_selfplay.py, seed 3,
// tests/data/sgf/gnugo-selfplay-3.sgf), as a board diagram: the counting benchmarks' game.
inline const QString gnugoFinalDiagram = QStringLiteral("............XXO....\n"
                                                        "......XX..X.XO.O...\n"
                                                        "..XXXXOOXX.XOO..OO.\n"
                                                        "X.XOOO.OXOX.XXOOOX.\n"
                                                        "XXO.O.O.OOXXXO..OOO\n"
                                                        "OO.O.XXO.OOOOOOO..O\n"
                                                        "..OO...OXOXOXXXXOO.\n"
                                                        ".....O.OOXXXO..XOOO\n"
                                                        ".......OX.....X.XXO\n"
                                                        "..OOOOOXX.X.OOX..XX\n"
                                                        ".OXXOXX.....OXX.OO.\n"
                                                        ".OOXXXX.....OOXXXO.\n"
                                                        "OOXXXOXXX..XXXXOXX.\n"
                                                        ".OXOOOX..O.XO.XOOXX\n"
                                                        "OOOOOX..XO.XOXOXOOX\n"
                                                        "XOOXXX..XO.XXOO...O\n"
                                                        "XXX......XXOO..OOO.\n"
                                                        ".......XX.XOXOO....\n"
                                                        "........OXXO.......\n");

inline const QStringList kSurnames = {"山田", "鈴木", "佐藤", "田中", "高橋", "伊藤",
                                      "渡辺", "中村", "小林", "加藤", "吉田", "山本",
                                      "松本", "井上", "木村", "林"};
inline const QStringList kGivenNames = {"一郎", "二段", "花子", "太郎",
                                        "健",   "三段", "次郎", "初段"};
inline const QStringList kEvents = {"春季大会", "秋季大会", "新春杯", "例会",     "名人戦",
                                    "本因坊戦", "練習碁",   "置碁",   "ネット碁", "研究会"};
inline const QStringList kResults = {"白中押勝",  "黒中押勝",   "白6目半勝", "黒2目半勝",
                                     "白1目半勝", "黒時間切勝", "ジゴ"};

// When the records were last looked at: on the day they were recorded (a library just filled),
// or on days of their own (a library in use).
enum class Referenced { OnRecordDate, Spread };

inline QString dateText(int year, int month, int day) {
    return QStringLiteral("%1%2%3")
        .arg(year)
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

// A file name as the program saves it; the fields vary the way a real library's do.
inline QString recordFileName(int i, Referenced referenced) {
    const QString recorded = dateText(2000 + (i / 336) % 10, 1 + (i / 28) % 12, 1 + (i * 7) % 28);
    const QString reference =
        referenced == Referenced::OnRecordDate
            ? recorded
            : dateText(2007 + (i / 13) % 3, 1 + (i * 5) % 12, 1 + (i * 11) % 28);
    const int seconds = static_cast<int>((qint64(i) * 7919) % 86400);
    const QString time = QStringLiteral("%1%2%3")
                             .arg(seconds / 3600)
                             .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    const QString white = kSurnames[i % kSurnames.size()] + kGivenNames[i / 3 % kGivenNames.size()];
    const QString black =
        kSurnames[i / 5 % kSurnames.size()] + kGivenNames[i / 7 % kGivenNames.size()];
    const QString event = kEvents[i / 11 % kEvents.size()] + QString::number(i / 97 % 30);
    return QStringLiteral("対局名（%1）白番（%2）黒番（%3）勝敗（%4）記録日（%5）手数（%6）"
                          "時間（%7）参照（%8）コミ（%9）.IGO")
        .arg(event, white, black, kResults[i % kResults.size()], recorded,
             QString::number(50 + (i * 37) % 300), time, reference, QStringLiteral("6.5"));
}

// A directory of count empty records, filled on first use and kept for the whole run.
inline QString recordDirectory(int count, Referenced referenced) {
    static std::map<std::pair<int, Referenced>, std::unique_ptr<QTemporaryDir>> directories;
    std::unique_ptr<QTemporaryDir>& dir = directories[{count, referenced}];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        const QDir target(dir->path());
        for (int i = 0; i < count; ++i) {
            QFile file(target.filePath(recordFileName(i, referenced)));
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot create %s", qPrintable(file.fileName()));
        }
    }
    return dir->path();
}

// Wall-clock and processor time of one piece of work. The processor time (of this thread, system
// calls included) is steadier when other programs share the machine.
struct Timing {
    double wall = 0;
    double cpu = 0;
    Timing& operator+=(const Timing& other) {
        wall += other.wall;
        cpu += other.cpu;
        return *this;
    }
};

inline double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

inline Timing timed(const auto& work) {
    const double cpuStart = threadSeconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return {std::chrono::duration<double>(end - start).count(), threadSeconds() - cpuStart};
}

} // namespace vorleth::bench
