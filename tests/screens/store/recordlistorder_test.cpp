// The record list's rows after each heading click, against a plain stable sort of the records
// read from their names with the list's keys written out as texts.
#include "screens/store/recordlistmodel.h"
#include "store/catalogue.h"
#include "store/recordname.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using namespace vorleth;

namespace {

// Texts that meet in the keys' corners: empty, prefixes of one another, letter case, characters
// beyond the Basic Multilingual Plane and beyond Windows-31J, dates and times not as the
// program writes them, counts past four digits.
const QStringList kGames = {"",       "春",  "春季", "春季大会", "Spring",
                            "spring", "😀杯", "𠮷野", "ｶﾞ",       "例会"};
const QStringList kPlayers = {"", "山田", "山田一郎", "yamada", "Yamada", "이세돌", "柯洁", "Ω"};
const QStringList kResults = {"", "白中押勝", "黒2目半勝", "ジゴ", "白"};
const QStringList kDates = {"20071105", "20071106",  "20080101",         "19991231", "",
                            "2007",     "200711050", "２００７１１０５", "2007110a"};
const QStringList kTimes = {"0", "90503", "153012", "000000", "", "1234567", "12a", "5", "95959"};
const QStringList kCounts = {"0",     "7",     "99", "120", "999", "9999",
                             "10000", "32767", "",   "abc", "0120"};

// The key of a heading as the list documents it: the texts themselves; the count zero-filled
// to at least four digits; the date, a blank and the time zero-filled to six digits when it is
// a number of fewer.
QString referenceKey(const RecordMetadata& e, int column) {
    const auto dateTime = [&](const QString& date) {
        const bool digits = std::all_of(e.timeOfDay.cbegin(), e.timeOfDay.cend(),
                                        [](QChar c) { return c >= u'0' && c <= u'9'; });
        const bool short_ = !e.timeOfDay.isEmpty() && e.timeOfDay.size() < 6;
        return date + u' ' + (digits && short_ ? e.timeOfDay.rightJustified(6, u'0') : e.timeOfDay);
    };
    switch (column) {
    case 1:
        return e.game.gameName;
    case 2:
        return e.game.whitePlayer;
    case 3:
        return e.game.blackPlayer;
    case 4:
        return e.game.result;
    case 5:
        return QString::number(e.entryCount).rightJustified(4, u'0');
    case 6:
        return dateTime(e.recordDate);
    default:
        return dateTime(e.referenceDate);
    }
}

// The fields a library's names are made of.
struct Library {
    const char* what;
    QStringList games;
    QStringList players;
    QStringList results;
    QStringList dates;
    QStringList times;
    QStringList counts;
};

// Whether a shown record passes the filters as the list documents them: any game-name prefix
// alone decides, an empty prefix picking the games without a name; otherwise any player prefix
// on either player.
bool passes(const RecordMetadata& e, const RecordListState& state) {
    const auto startsWithAny = [](const QString& text, const QStringList& prefixes) {
        return std::any_of(prefixes.cbegin(), prefixes.cend(), [&](const QString& prefix) {
            return prefix.isEmpty() ? text.isEmpty() : text.startsWith(prefix);
        });
    };
    if (!state.gameNameFilter.isEmpty())
        return startsWithAny(e.game.gameName, state.gameNameFilter);
    if (!state.playerFilter.isEmpty())
        return startsWithAny(e.game.whitePlayer, state.playerFilter) ||
               startsWithAny(e.game.blackPlayer, state.playerFilter);
    return true;
}

// Every heading clicked twice on a library of records with fields drawn from library, against
// a plain stable sort of the records read from their names; then the filters against the
// names' own fields.
void checkEveryHeading(const Library& library) {
    QTemporaryDir temp;
    const QDir dir(temp.path());
    std::mt19937 random(20071105);
    const auto any = [&](const QStringList& texts) {
        return texts[static_cast<int>(random() % texts.size())];
    };
    constexpr int kScanned = 400;
    for (int i = 0; i < kScanned; ++i) {
        // The komi keeps every name apart.
        const QString name = "対局名（" + any(library.games) + "）白番（" + any(library.players) +
                             "）黒番（" + any(library.players) + "）勝敗（" + any(library.results) +
                             "）記録日（" + any(library.dates) + "）手数（" + any(library.counts) +
                             "）時間（" + any(library.times) + "）参照（" + any(library.dates) +
                             "）コミ（" + QString::number(i) + "）.IGO";
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    }

    Catalogue catalogue;
    RecordListState state;
    ASSERT_TRUE(enterRecordList(catalogue, state, dir.path()));
    ASSERT_EQ(catalogue.count(), kScanned);
    // Records saved since the scan hold texts the scanned ones hold too.
    for (int position = 1; position <= kScanned; position += 50) {
        RecordMetadata saved = catalogue.entry(position);
        saved.game.komi = "0.5";
        saved.fileName = recordFileName(saved);
        catalogue.append(saved);
    }
    const int kRecords = catalogue.count();
    std::vector<RecordMetadata> parsed;
    for (int position = 1; position <= kRecords; ++position)
        parsed.push_back(parseRecordName(catalogue.fileName(position).toString()));

    RecordListModel model(catalogue);
    for (int column = 1; column <= 7; ++column) {
        std::vector<int> ascending(kRecords);
        for (int i = 0; i < kRecords; ++i)
            ascending[i] = i + 1;
        std::stable_sort(ascending.begin(), ascending.end(), [&](int a, int b) {
            return referenceKey(parsed[a - 1], column) < referenceKey(parsed[b - 1], column);
        });
        std::vector<int> descending(ascending.rbegin(), ascending.rend());

        // The first click sorts descending, the second ascending.
        for (const std::vector<int>* expected : {&descending, &ascending}) {
            SCOPED_TRACE(testing::Message()
                         << "column " << column
                         << (expected == &ascending ? " ascending" : " descending"));
            ASSERT_TRUE(clickHeading(catalogue, state, column));
            model.setShownPositions(shownPositions(catalogue, state));
            ASSERT_EQ(model.rowCount(), kRecords);
            std::vector<int> rows;
            for (int row = 0; row < kRecords; ++row)
                rows.push_back(model.data(model.index(row, kPositionColumn)).toString().toInt());
            EXPECT_EQ(rows, *expected);
            // The row shows its own record's texts.
            for (int row = 0; row < kRecords; row += 37) {
                const RecordMetadata& e = parsed[(*expected)[row] - 1];
                const QStringList cells = {e.game.gameName,
                                           e.game.whitePlayer,
                                           e.game.blackPlayer,
                                           e.game.result,
                                           QString::number(e.entryCount),
                                           e.recordDate,
                                           e.referenceDate};
                for (int c = 1; c <= 7; ++c)
                    EXPECT_EQ(model.data(model.index(row, c)).toString(), cells[c - 1]);
            }
        }
    }

    // Prefixes that are whole texts, beginnings of texts, empty, or no text's beginning.
    const auto firstOf = [](const QStringList& texts) {
        QStringList prefixes;
        for (const QString& text : texts)
            prefixes.append(text.left(1));
        return prefixes;
    };
    const QStringList none = {"該当なし"};
    const std::pair<QStringList, QStringList> filters[] = {
        {library.games.mid(0, 2), {}},
        {firstOf(library.games), {}},
        {{""}, {}},
        {none, {}},
        {{}, library.players.mid(1, 1)},
        {{}, firstOf(library.players)},
        {{}, {""}},
        {{}, none},
        {library.games.mid(1, 1), library.players},
    };
    for (const auto& [games, players] : filters) {
        SCOPED_TRACE(testing::Message() << "games " << games.join(u'|').toStdString() << " players "
                                        << players.join(u'|').toStdString());
        state.gameNameFilter = games;
        state.playerFilter = players;
        QVector<int> expected;
        for (const int position : state.displayOrder) {
            if (passes(parsed[position - 1], state))
                expected.append(position);
        }
        EXPECT_EQ(shownPositions(catalogue, state), expected);
    }
}

} // namespace

TEST(RecordListOrder, EveryHeadingBothWaysMatchesAPlainStableSort) {
    const Library libraries[] = {
        {"texts in the keys' corners", kGames, kPlayers, kResults, kDates, kTimes, kCounts},
        // Every key a number of the usual width: the keys the program writes itself, with many
        // records to a key.
        {"texts as the program writes them",
         {"春季大会", "春季大会決勝", "例会", ""},
         {"山田", "山田一郎", "鈴木"},
         {"白中押勝", "ジゴ"},
         {"20071105", "20071106", "19991231", "20080101"},
         {"90503", "153012", "0", "", "235959"},
         {"0", "7", "99", "120", "9999"}},
    };
    for (const Library& library : libraries) {
        SCOPED_TRACE(library.what);
        checkEveryHeading(library);
    }
}
