#include "app/cli.h"
#include "search/searchlibrary.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

struct CliRun {
    int status = 0;
    QString out;
    QString err;
};

CliRun run(const QStringList& args) {
    CliRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.status = runCli(args, out, err);
    return r;
}

const QString patterns = QStringLiteral(VORLETH_TEST_DATA "/search/patterns/");

TEST(CliSearchTest, PrintsEachRecordWithItsMoveThenTheSummary) {
    test::SearchLibrary library;
    struct Case {
        QStringList extra;
        int games;
        QString summary;
    };
    const Case cases[] = {
        {{}, 6, QStringLiteral("6 games; next moves: X 16-3 (6); 0 unreadable games skipped")},
        {{QStringLiteral("--swap")},
         8,
         QStringLiteral("8 games; next moves: X 16-3 (8); 0 unreadable games skipped")},
    };
    for (const Case& c : cases) {
        const CliRun r = run(QStringList{QStringLiteral("search"), library.directory(),
                                         patterns + QStringLiteral("corner.txt")} +
                             c.extra);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        QStringList lines = r.out.split(u'\n');
        ASSERT_EQ(lines.takeLast(), QString());
        ASSERT_EQ(lines.size(), c.games + 1);
        EXPECT_EQ(lines.takeLast(), c.summary);
        for (const QString& line : lines) {
            const QStringList fields = line.split(u'\t');
            ASSERT_EQ(fields.size(), 2) << line.toStdString();
            EXPECT_TRUE(fields[0].endsWith(QStringLiteral(".IGO")));
            EXPECT_EQ(fields[1], fields[0].contains(QStringLiteral("TakagawaShukaku"))
                                     ? QStringLiteral("7")
                                     : QStringLiteral("8"));
        }
    }
}

TEST(CliSearchTest, BuildingTheIndexReportsProgressOnlyWhileThereIsWork) {
    test::SearchLibrary library;
    const QStringList args{QStringLiteral("search"), library.directory(),
                           patterns + QStringLiteral("corner.txt")};
    const int records = static_cast<int>(
        QDir(library.directory()).entryList({QStringLiteral("*.IGO")}, QDir::Files).size());
    ASSERT_GT(records, 0);

    const CliRun first = run(args);
    ASSERT_EQ(first.status, 0);
    QStringList lines = first.err.split(u'\n', Qt::SkipEmptyParts);
    // A small library still shows its progress, yet never more than a line per tenth.
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_LE(lines.size(), 11);
    EXPECT_EQ(lines.last(), QStringLiteral("vorleth-cli: indexing records %1/%1").arg(records));

    const CliRun again = run(args);
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.err, QString());
}

TEST(CliSearchTest, UnreadableRecordsAreSkippedAndCounted) {
    test::SearchLibrary library;
    test::writeBytes(library.path(QStringLiteral("対局名（壊れた）手数（3）.IGO")), "broken");
    const CliRun r = run(
        {QStringLiteral("search"), library.directory(), patterns + QStringLiteral("nowhere.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("0 games; 1 unreadable games skipped\n"));
}

TEST(CliSearchTest, BadArgumentsAndPatternsFail) {
    test::SearchLibrary library;
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.txt"));
    test::writeBytes(bad, QByteArray("XO.\n"));
    struct Case {
        const char* name;
        QStringList args;
        const char* message;
    };
    const Case cases[] = {
        {"pattern of one line", {library.directory(), bad}, "unreadable pattern"},
        {"no pattern file",
         {library.directory(), dir.filePath(QStringLiteral("none.txt"))},
         "cannot read"},
        {"no directory", {dir.filePath(QStringLiteral("none")), bad}, "no such directory"},
        {"pattern missing", {library.directory()}, "usage"},
    };
    for (const Case& c : cases) {
        const CliRun r = run(QStringList{QStringLiteral("search")} + c.args);
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_TRUE(r.out.isEmpty()) << c.name;
        EXPECT_TRUE(r.err.contains(QLatin1String(c.message))) << c.name << r.err.toStdString();
    }
}

} // namespace
} // namespace vorleth
