#include "search/searchindex.h"
#include "search/searchlibrary.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

using test::patternFile;

// Every even game matches the empty board at move 0: the names of the hits are the names of
// the readable even games of the directory.
SearchPattern emptyBoard() {
    SearchPattern empty;
    empty.points.fill(PatternContent::Empty);
    return empty;
}

QStringList hitNames(const SearchResults& results) {
    QStringList names;
    for (const SearchHit& hit : results.hits)
        names << hit.fileName;
    names.sort();
    return names;
}

// What a search from scratch finds: the records themselves, read one by one.
QStringList evenGames(const QString& directory) {
    QStringList names;
    for (const QString& name : QDir(directory).entryList({QStringLiteral("*.IGO")}, QDir::Files))
        if (!name.contains(QStringLiteral("四子局")))
            names << name;
    names.sort();
    return names;
}

using SearchLibrary = test::SearchLibrary;

class SearchIndexTest : public ::testing::Test {
protected:
    QString dir() const { return library.directory(); }
    QString indexPath() const { return library.path(searchIndexFileName); }
    test::SearchLibrary library;
};

TEST_F(SearchIndexTest, BuiltOnceThenReadFromItsFile) {
    SearchIndex first(dir());
    ASSERT_TRUE(first.update());
    EXPECT_TRUE(first.rewroteFile());
    EXPECT_EQ(first.gameCount(), 30);
    const QByteArray written = test::readBytes(indexPath());

    // A second program run reads the file and finds nothing to do.
    SearchIndex second(dir());
    ASSERT_TRUE(second.update());
    EXPECT_FALSE(second.rewroteFile());
    EXPECT_EQ(test::readBytes(indexPath()), written);
    EXPECT_EQ(hitNames(second.search(emptyBoard(), false)), evenGames(dir()));
}

// Each change of the directory between two runs, and what the next search must see.
TEST_F(SearchIndexTest, FollowsRecordsAddedRenamedChangedAndDeleted) {
    const QString position = library.recordNamed(QStringLiteral("（Hon455）"));
    // A longer game: the first 150 of its entries make a record under the old name.
    const QString other = library.recordNamed(QStringLiteral("（9thMeijin1970）白番（RinKaiho）"));
    const QString added = QStringLiteral("対局名（追加）手数（150）.IGO");
    const QString renamed = QStringLiteral("対局名（改名）手数（150）.IGO");
    struct Case {
        const char* name;
        std::function<void(const SearchLibrary&)> change;
        QStringList holders; // the records that now reach Hon455's position
        int unreadable = 0;
    };
    const Case cases[] = {
        {"added",
         [&](const SearchLibrary& l) { QFile::copy(l.path(position), l.path(added)); },
         {position, added}},
        {"renamed",
         [&](const SearchLibrary& l) { QFile::rename(l.path(position), l.path(renamed)); },
         {renamed}},
        {"deleted", [&](const SearchLibrary& l) { QFile::remove(l.path(position)); }, {}},
        {"changed",
         [&](const SearchLibrary& l) {
             // Another game's moves under the old name: a new size and time.
             QFile::remove(l.path(position));
             QFile::copy(l.path(other), l.path(position));
         },
         {}},
        {"made unreadable",
         [&](const SearchLibrary& l) {
             test::writeBytes(l.path(position), QByteArray("not a record\r\n"));
         },
         {},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SearchLibrary library;
        {
            SearchIndex index(library.directory());
            ASSERT_TRUE(index.update());
        }
        c.change(library);
        SearchIndex index(library.directory());
        ASSERT_TRUE(index.update());
        const SearchResults even = index.search(emptyBoard(), false);
        QStringList expected = evenGames(library.directory());
        if (c.unreadable)
            expected.removeAll(position);
        EXPECT_EQ(hitNames(even), expected);
        EXPECT_EQ(even.unreadable, c.unreadable);
        QStringList holders = c.holders;
        holders.sort();
        EXPECT_EQ(hitNames(index.search(patternFile(QStringLiteral("position.txt")), false)),
                  holders);
    }
}

TEST_F(SearchIndexTest, DamagedFileIsRebuiltWithoutAWord) {
    {
        SearchIndex index(dir());
        ASSERT_TRUE(index.update());
    }
    const QByteArray good = test::readBytes(indexPath());
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    QByteArray flipped = good;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x40);
    const Case cases[] = {
        {"cut short", good.left(good.size() - 100)},
        {"a byte changed", flipped},
        {"another file", QByteArray("VLSIDX99") + good.mid(8)},
        // The layout before names were kept as UTF-16: the same chunks, read as another file.
        {"the previous layout", QByteArray("VLSIDX02") + good.mid(8)},
        {"empty", QByteArray()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::writeBytes(indexPath(), c.bytes);
        SearchIndex index(dir());
        ASSERT_TRUE(index.update());
        EXPECT_TRUE(index.rewroteFile());
        EXPECT_EQ(index.gameCount(), 30);
        EXPECT_EQ(hitNames(index.search(emptyBoard(), false)), evenGames(dir()));
        EXPECT_EQ(test::readBytes(indexPath()), good);
    }
}

TEST_F(SearchIndexTest, RecordSavedIsAddedWithoutLookingAtTheOthers) {
    SearchIndex index(dir());
    ASSERT_TRUE(index.update());
    const QString copy = QStringLiteral("対局名（保存）手数（150）.IGO");
    QFile::copy(library.path(library.recordNamed(QStringLiteral("（Hon455）"))),
                library.path(copy));
    ASSERT_TRUE(index.addRecord(copy));
    EXPECT_FALSE(index.rewroteFile());
    EXPECT_TRUE(hitNames(index.search(emptyBoard(), false)).contains(copy));
    EXPECT_EQ(index.gameCount(), 31);

    // What was appended is read back by the next run, which then has nothing to read.
    SearchIndex next(dir());
    int read = -1;
    ASSERT_TRUE(next.update([&](int, int total) {
        read = total;
        return true;
    }));
    EXPECT_EQ(read, 0);
    EXPECT_EQ(next.gameCount(), 31);
    EXPECT_EQ(hitNames(next.search(emptyBoard(), false)), evenGames(dir()));
}

TEST_F(SearchIndexTest, CancelledBuildKeepsWhatWasReadAndFinishesLater) {
    SearchIndex index(dir());
    EXPECT_FALSE(index.update([](int done, int) { return done < 10; }));
    EXPECT_EQ(index.gameCount(), 10);

    SearchIndex next(dir());
    int read = -1;
    ASSERT_TRUE(next.update([&](int, int total) {
        read = total;
        return true;
    }));
    EXPECT_EQ(read, 20);
    EXPECT_EQ(hitNames(next.search(emptyBoard(), false)), evenGames(dir()));
}

// The hits come in the order of their file names with the case of ASCII letters ignored, the
// names as they are settling a tie; whether the names part early or late.
TEST_F(SearchIndexTest, HitsComeInFileNameOrderWithLetterCaseIgnored) {
    const QStringList sorted{
        QStringLiteral("対局名（順序Z）.IGO"),
        QStringLiteral("対局名（順序）白番（a）.IGO"),
        QStringLiteral("対局名（順序）白番（B）.IGO"),
        QStringLiteral("対局名（順序）白番（b）.IGO"),
        QStringLiteral("対局名（順序）白番（c）.IGO"),
        QStringLiteral("対局名（順序）白番（山田）黒番（a）.IGO"),
        QStringLiteral("対局名（順序）白番（山田）黒番（B）.IGO"),
        QStringLiteral("対局名（順序）白番（山田）黒番（b）.IGO"),
        QStringLiteral("対局名（順序）白番（山田）黒番（佐藤）.IGO"),
    };
    const QString source = library.path(library.recordNamed(QStringLiteral("（Hon455）")));
    for (const int i : {6, 2, 8, 0, 4, 7, 1, 5, 3})
        ASSERT_TRUE(QFile::copy(source, library.path(sorted[i])));
    SearchIndex index(dir());
    ASSERT_TRUE(index.update());
    QStringList listed;
    for (const SearchHit& hit : index.search(emptyBoard(), false).hits)
        if (sorted.contains(hit.fileName))
            listed << hit.fileName;
    EXPECT_EQ(listed, sorted);
}

TEST(SearchIndexDirectoryTest, MissingDirectoryIsReportedAndFindsNothing) {
    SearchIndex index(QStringLiteral("/nonexistent/vorleth/records"));
    EXPECT_FALSE(index.update());
    EXPECT_TRUE(index.search(emptyBoard(), false).hits.isEmpty());
}

} // namespace
} // namespace vorleth
