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

} // namespace

TEST(RecordListOrder, EveryHeadingBothWaysMatchesAPlainStableSort) {
    QTemporaryDir temp;
    const QDir dir(temp.path());
    std::mt19937 random(20071105);
    const auto any = [&](const QStringList& texts) {
        return texts[static_cast<int>(random() % texts.size())];
    };
    constexpr int kRecords = 400;
    for (int i = 0; i < kRecords; ++i) {
        // The komi keeps every name apart.
        const QString name = "対局名（" + any(kGames) + "）白番（" + any(kPlayers) + "）黒番（" +
                             any(kPlayers) + "）勝敗（" + any(kResults) + "）記録日（" +
                             any(kDates) + "）手数（" + any(kCounts) + "）時間（" + any(kTimes) +
                             "）参照（" + any(kDates) + "）コミ（" + QString::number(i) + "）.IGO";
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    }

    Catalogue catalogue;
    RecordListState state;
    ASSERT_TRUE(enterRecordList(catalogue, state, dir.path()));
    ASSERT_EQ(catalogue.count(), kRecords);
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
}
