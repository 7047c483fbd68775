#include "store/library.h"

#include "import/importsource.h"
#include "state/sharedstate.h"
#include "store/recordname.h"
#include "store/textfile.h"
#include "support/printers.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"
#include "support/workedexample.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

#include <cstdlib>
#include <functional>

namespace vorleth {
namespace {

using test::readBytes;
using test::ScriptedDialogs;
using test::sjis;
using test::sp;
using test::writeBytes;

// Every entry of a directory with its content; directories show as "<dir>".
QMap<QString, QByteArray> snapshot(const QString& directory) {
    QMap<QString, QByteArray> entries;
    const QDir dir(directory);
    for (const QFileInfo& info : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
        entries[info.fileName()] = info.isDir() ? QByteArray("<dir>") : readBytes(info.filePath());
    return entries;
}

QStringList entryTexts(const MoveList& moves) {
    QStringList out;
    for (const MoveEntry& e : moves.entries())
        out << QStringLiteral("%1:%2").arg(e.point).arg(e.kind);
    return out;
}

const QString workedExampleName = QStringLiteral(
    "対局名（練習碁）白番（甲）黒番（乙）勝敗（白中押勝）記録日（20071105）手数（3）時間（90503）"
    "参照（20071105）コミ（6.5）");

// Reads the record s names into s's record and move list.
::testing::AssertionResult readInto(SharedState& s) {
    const Outcome read = readRecord(s.settings.recordDirectory, s.record, s.board.moves);
    if (read.ok)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << read.messages.join(u' ').toStdString();
}

// A record directory of its own, a clock set by the test and scripted message boxes.
struct Library {
    QTemporaryDir temp;
    SharedState state{temp.path()};
    QDateTime now{QDate(2007, 11, 5), QTime(9, 5, 3)};

    Library() {
        state.settings.recordDirectory = temp.filePath(QStringLiteral("records"));
        QDir().mkpath(state.settings.recordDirectory);
        state.clock = [this] { return now; };
    }

    QString records() const { return state.settings.recordDirectory; }
    QString pathOf(const QString& name) const { return recordPath(records(), name); }

    Outcome save() {
        return saveRecord(records(), state.catalogue, state.record, state.board.moves, now);
    }
    Outcome touch() { return touchRecord(records(), state.record, now); }

    void enterWorkedExample() {
        state.record.game = test::workedExampleGame;
        state.record.moveCount = int(test::workedExampleMoves.size());
        state.board.moves.clear();
        bool black = true;
        for (PointCode point : test::workedExampleMoves) {
            state.board.moves.append({point, black ? QStringLiteral("1") : QStringLiteral("2")});
            black = !black;
        }
    }

    // A state that knows nothing but where the records are and which one to read.
    SharedState readerFor(const QString& fileName) const {
        SharedState reader(temp.path());
        reader.settings.recordDirectory = records();
        reader.record.fileName = fileName;
        return reader;
    }
};

class RecordFile : public ::testing::Test, protected Library {
protected:
    void SetUp() override { ASSERT_TRUE(QFileInfo(records()).isDir()); }
};

TEST_F(RecordFile, WorkedExampleIsWrittenByteForByteAndReadsBack) {
    enterWorkedExample();
    const Outcome saved = save();
    ASSERT_TRUE(saved.ok);
    EXPECT_TRUE(saved.messages.isEmpty());
    EXPECT_EQ(state.record.fileName, workedExampleName);
    // Nothing but the record is left behind: no temporary file.
    EXPECT_EQ(QDir(records()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{workedExampleName + ".IGO"});

    const QByteArray header = "2007/11/05" + sp(4) + "," + sp(13) + sjis("練習碁") + sp(8) + "," +
                              sp(13) + " 3 " + sp(11) + "," + sp(13) + " 1 " + sp(11) + "," +
                              sp(13) + sjis("甲") + sp(12) + "," + sp(13) + sjis("乙") + sp(12) +
                              "," + sp(13) + sjis("白中押勝") + "\r\n";
    const QByteArray codes = " 1604  1717  404 " + QByteArray(" 999 ").repeated(15) + "\r\n";
    const QByteArray kinds = "1,2,1" + QByteArray(",999").repeated(15) + "\r\n";
    EXPECT_EQ(readBytes(pathOf(workedExampleName)), header + codes + kinds);

    SharedState reader = readerFor(workedExampleName);
    ASSERT_TRUE(readInto(reader));
    EXPECT_EQ(reader.record.game.gameName, QStringLiteral("練習碁"));
    EXPECT_EQ(reader.record.game.whitePlayer, QStringLiteral("甲"));
    EXPECT_EQ(reader.record.game.blackPlayer, QStringLiteral("乙"));
    EXPECT_EQ(reader.record.game.result, QStringLiteral("白中押勝"));
    EXPECT_EQ(reader.record.game.komi, QStringLiteral("6.5"));
    EXPECT_EQ(reader.record.moveCount, 3);
    EXPECT_EQ(reader.board.moves, state.board.moves);
}

TEST_F(RecordFile, HeaderItemsStartAtTheNextZone) {
    struct Case {
        const char* label;
        QList<QByteArray> fields;
        QByteArray line;
    };
    const Case cases[] = {
        {"a double-byte name exactly filling its zone is followed by a blank zone",
         {sjis("七文字の対局名"), "x"},
         sjis("七文字の対局名") + sp(14) + "," + sp(13) + "x"},
        {"a name running into the next zone pushes the comma one zone on",
         {sjis("八文字の対局名前"), "x"},
         sjis("八文字の対局名前") + sp(12) + "," + sp(13) + "x"},
        {"half-width katakana takes one column each",
         {sjis("ｱｲｳ"), " 3 "},
         sjis("ｱｲｳ") + sp(11) + "," + sp(13) + " 3 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(textfile::zonedFields(c.fields), c.line);
    }
}

TEST_F(RecordFile, TextItemsReadBackWhateverTheyHoldAroundCommasAndBlanks) {
    const QStringList texts = {QStringLiteral("甲,乙"),
                               QStringLiteral(" 前の空白"),
                               QStringLiteral("後の空白 "),
                               QStringLiteral("普通"),
                               QString(),
                               QStringLiteral("全角　空白")};
    QList<QByteArray> items;
    for (const QString& t : texts)
        items << textfile::textItem(t);
    const std::optional<QString> line = textfile::decode(textfile::zonedFields(items));
    ASSERT_TRUE(line);
    EXPECT_EQ(textfile::splitItems(*line), texts);
    // A double quote cannot be told from a delimiter: it is kept as its full-width form.
    EXPECT_EQ(textfile::textItem(QStringLiteral("a\"b")), sjis("a＂b"));
}

TEST_F(RecordFile, NamesAreCleanedWhenSavedAndCutToTenCharactersWhenRead) {
    struct Case {
        QString gameName;
        QString inFileName; // the value under 対局名（ as saved
        QString readBack;
    };
    const Case cases[] = {
        {"第一回春季囲碁大会決勝", "第一回春季囲碁大会決勝", "第一回春季囲碁大会決"},
        {"春 の/大-会:", "春の大会", "春の大会"},
        {"名人戦）決勝", "名人戦）決勝", "名人戦"},
        {"甲,乙の対局", "甲,乙の対局", "甲,乙の対局"},
        {"何?<子>|*\"\\", "何？＜子＞｜＊＂＼", "何？＜子＞｜＊＂＼"},
        {"改\t行\n", "改行", "改行"},
        {QStringLiteral("制\u0085御\u0088\u007f"), "制御", "制御"}, // C1 controls and DEL too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gameName.toStdString());
        enterWorkedExample();
        state.record.game.gameName = c.gameName;
        state.record.selectedIndex = 0;
        ASSERT_TRUE(save().ok);
        const QString expectedName =
            QString(workedExampleName).replace(QStringLiteral("練習碁"), c.inFileName);
        EXPECT_EQ(state.record.fileName, expectedName);
        EXPECT_TRUE(QFileInfo(pathOf(expectedName)).isFile());

        SharedState reader = readerFor(expectedName);
        ASSERT_TRUE(readInto(reader));
        EXPECT_EQ(reader.record.game.gameName, c.readBack);
        EXPECT_EQ(reader.record.game.whitePlayer, QStringLiteral("甲"));
        EXPECT_EQ(reader.board.moves.length(), 3);
    }
}

TEST_F(RecordFile, EveryRowPairHoldsEighteenEntriesAndAFullLastRowGetsAPaddingPair) {
    const QStringList kinds = {"1", "2", "+", "9"};
    struct Case {
        int length;
        int rowPairs;
    };
    for (const Case c : {Case{0, 1}, Case{17, 1}, Case{18, 2}, Case{36, 3}}) {
        SCOPED_TRACE(c.length);
        enterWorkedExample();
        state.record.selectedIndex = 0;
        state.record.moveCount = c.length;
        state.board.moves.clear();
        for (int i = 1; i <= c.length; ++i)
            state.board.moves.append({static_cast<PointCode>(100 + i), kinds[i % 4]});
        now = now.addSecs(1);
        ASSERT_TRUE(save().ok);

        const QList<QByteArray> lines = readBytes(pathOf(state.record.fileName)).split('\n');
        ASSERT_EQ(lines.size(), 1 + 2 * c.rowPairs + 1); // the last line end opens no line
        EXPECT_EQ(lines[0].simplified().split(',').at(3).trimmed(), QByteArray::number(c.rowPairs));
        if (c.length % 18 == 0) {
            EXPECT_EQ(lines[lines.size() - 3], QByteArray(" 999 ").repeated(18) + "\r");
            EXPECT_EQ(lines[lines.size() - 2], "999" + QByteArray(",999").repeated(17) + "\r");
        }

        SharedState reader = readerFor(state.record.fileName);
        ASSERT_TRUE(readInto(reader));
        EXPECT_EQ(reader.board.moves, state.board.moves);
        EXPECT_EQ(reader.record.moveCount, c.length);
    }
}

TEST_F(RecordFile, OlderLayoutWithTwoDigitYearSwapsTheHalvesOfEveryCode) {
    SharedState reader(temp.path());
    reader.settings.recordDirectory = QStringLiteral(VORLETH_TEST_DATA "/records");
    reader.record.fileName = QStringLiteral(
        "対局名（旧形式）白番（甲）黒番（乙）勝敗（黒中押勝）記録日（20071030）手数（3）"
        "時間（90503）参照（20071030）コミ（6.5）");
    ASSERT_TRUE(readInto(reader));
    // Stored as 416, 1617 and 1003.
    EXPECT_EQ(entryTexts(reader.board.moves), (QStringList{"1604:1", "1716:2", "310:1"}));
    EXPECT_EQ(reader.record.game.gameName, QStringLiteral("旧形式"));
}

TEST_F(RecordFile, EntriesPastTheCapacityAreReadAndDropped) {
    // 56 row pairs carry 1008 entries; entry p has the code p.
    QByteArray body = "2007/11/05,a, 1000 , 56 ,b,c,d\r\n";
    for (int r = 0; r < 56; ++r) {
        QByteArray codes;
        for (int i = 1; i <= 18; ++i)
            codes += " " + QByteArray::number(r * 18 + i) + " ";
        body += codes + "\r\n" + "1" + QByteArray(",1").repeated(17) + "\r\n";
    }
    const Result<GameRecord> read = decodeRecord(QStringLiteral("対局名（a）手数（1000）"), body);
    ASSERT_TRUE(read.ok) << read.error().toStdString();
    EXPECT_EQ(read.moves.length(), 1000);
    EXPECT_EQ(read.moves.entry(1000).point, 1000);
}

// The move count of the header is the game information's 手数 as typed; the list's length is
// the name's entry count, and that is what is read.
TEST_F(RecordFile, AHeaderMoveCountOtherThanTheListLengthIsNotUsed) {
    const QByteArray codes = " 1604  1717 " + QByteArray(" 999 ").repeated(16) + "\r\n";
    const QByteArray kinds = "1,2" + QByteArray(",999").repeated(16) + "\r\n";
    const Result<GameRecord> read = decodeRecord(
        QStringLiteral("対局名（a）手数（2）"), "2007/11/05,a, 250 , 1 ,b,c,d\r\n" + codes + kinds);
    ASSERT_TRUE(read.ok) << read.error();
    EXPECT_EQ(read.moves.length(), 2);
    EXPECT_EQ(read.metadata.entryCount, 2);
}

TEST_F(RecordFile, ABadFileIsAnErrorAndLeavesTheCurrentRecordAsItWas) {
    const QByteArray codes = " 1604 " + QByteArray(" 999 ").repeated(17) + "\r\n";
    const QByteArray kinds = "1" + QByteArray(",999").repeated(17) + "\r\n";
    auto header = [](const QByteArray& rowPairs) {
        return "2007/11/05,a, 1 ," + rowPairs + ",b,c,d\r\n";
    };
    struct Case {
        const char* label;
        std::optional<QByteArray> body; // nothing: no file at all
        QString entryCount;
        QString message;
    };
    const Case cases[] = {
        {"missing file", std::nullopt, "1", cannotReadRecordMessage},
        {"empty file", QByteArray(), "1", truncatedRecordMessage},
        {"header of six fields", "2007/11/05,a, 1 , 1 ,b,c\r\n" + codes + kinds, "1",
         malformedRecordMessage},
        {"header of eight fields", "2007/11/05,a, 1 , 1 ,b,c,d,e\r\n" + codes + kinds, "1",
         malformedRecordMessage},
        {"nineteen codes", header(" 1 ") + " 1 " + codes + kinds, "1", malformedRecordMessage},
        {"row pairs not a number", header(" x ") + codes + kinds, "1", malformedRecordMessage},
        {"negative row pairs", header(" -1 ") + codes + kinds, "1", malformedRecordMessage},
        {"fewer row pairs than declared", header(" 2 ") + codes + kinds, "1",
         truncatedRecordMessage},
        {"a kinds line missing", header(" 1 ") + codes, "1", truncatedRecordMessage},
        {"a code that is not a number",
         header(" 1 ") + QByteArray(codes).replace("1604", "16x4") + kinds, "1",
         malformedRecordMessage},
        {"a code beyond 16 bits", header(" 1 ") + " 40000 " + codes.mid(6) + kinds, "1",
         malformedRecordMessage},
        {"seventeen codes", header(" 1 ") + codes.mid(6) + kinds, "1", malformedRecordMessage},
        {"nineteen kinds", header(" 1 ") + codes + "1," + kinds, "1", malformedRecordMessage},
        {"bytes that are not Windows-31J", "2007/11/05,\xff\x82, 1 , 1 ,a,b,c\r\n" + codes + kinds,
         "1", badCharactersMessage},
        {"a lead byte at the very end", header(" 1 ") + codes + kinds + "\x82", "1",
         badCharactersMessage},
        {"more entries named than stored", header(" 1 ") + codes + kinds, "19",
         entryCountMismatchMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const QString name = QStringLiteral("対局名（不良）手数（%1）").arg(c.entryCount);
        QFile::remove(pathOf(name));
        if (c.body)
            writeBytes(pathOf(name), *c.body);

        enterWorkedExample();
        state.record.fileName = name;
        const CurrentRecord before = state.record;
        const MoveList movesBefore = state.board.moves;
        const Outcome read = readRecord(records(), state.record, state.board.moves);
        EXPECT_FALSE(read.ok);
        ASSERT_EQ(read.messages.size(), 1);
        EXPECT_TRUE(read.messages[0].startsWith(c.message + name + ".IGO")) << read.messages[0];
        EXPECT_EQ(state.record.game.gameName, before.game.gameName);
        EXPECT_EQ(state.record.game.komi, before.game.komi);
        EXPECT_EQ(state.record.moveCount, before.moveCount);
        EXPECT_EQ(state.board.moves, movesBefore);
    }
}

TEST_F(RecordFile, ANewVersionReplacesTheOldFileAndItsRecordMetadata) {
    for (const char* other : {"一", "二"}) {
        RecordMetadata entry;
        entry.fileName = QString::fromUtf8(other);
        state.catalogue.append(entry);
    }
    enterWorkedExample();
    ASSERT_TRUE(save().ok);
    EXPECT_EQ(state.record.selectedIndex, 3);
    ASSERT_EQ(state.catalogue.count(), 3);
    const RecordMetadata& first = state.catalogue.entry(3);
    EXPECT_EQ(first.fileName, workedExampleName);
    EXPECT_EQ(first.game.gameName, QStringLiteral("練習碁"));
    EXPECT_EQ(first.game.whitePlayer, QStringLiteral("甲"));
    EXPECT_EQ(first.game.blackPlayer, QStringLiteral("乙"));
    EXPECT_EQ(first.game.result, QStringLiteral("白中押勝"));
    EXPECT_EQ(first.recordDate, QStringLiteral("20071105"));
    EXPECT_EQ(first.entryCount, 3);
    EXPECT_EQ(first.timeOfDay, QStringLiteral("90503"));
    EXPECT_EQ(first.referenceDate, QStringLiteral("20071105"));
    EXPECT_EQ(first.game.komi, QStringLiteral("6.5"));

    // Continued after a replay the next day.
    state.board.moves.append({1616, QStringLiteral("2")});
    now = QDateTime(QDate(2007, 11, 6), QTime(15, 30, 12));
    const Outcome saved = save();
    ASSERT_TRUE(saved.ok);
    EXPECT_TRUE(saved.messages.isEmpty());
    const QString secondName = QStringLiteral(
        "対局名（練習碁）白番（甲）黒番（乙）勝敗（白中押勝）記録日（20071106）手数（4）"
        "時間（153012）参照（20071106）コミ（6.5）");
    EXPECT_EQ(state.record.fileName, secondName);
    EXPECT_EQ(QDir(records()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{secondName + ".IGO"});
    EXPECT_EQ(state.record.selectedIndex, 3);
    ASSERT_EQ(state.catalogue.count(), 3);
    EXPECT_EQ(state.catalogue.entry(3).fileName, secondName);
    EXPECT_EQ(state.catalogue.entry(3).entryCount, 4);
    EXPECT_EQ(state.catalogue.entry(3).timeOfDay, QStringLiteral("153012"));
    EXPECT_EQ(state.catalogue.entry(1).fileName, QStringLiteral("一"));
    EXPECT_EQ(state.catalogue.entry(2).fileName, QStringLiteral("二"));
}

TEST_F(RecordFile, AFailedSaveLeavesFilesRecordAndCatalogueAsTheyWere) {
    const QDateTime later(QDate(2007, 11, 6), QTime(8, 0, 0));
    const QString laterName =
        QString(workedExampleName).replace("20071105", "20071106").replace("90503", "80000");
    struct Case {
        const char* label;
        std::function<void(Library&)> setUp;
        QString message;
    };
    const Case cases[] = {
        {"a directory in the way of the new version",
         [&](Library& f) {
             f.enterWorkedExample();
             ASSERT_TRUE(f.save().ok);
             f.now = later;
             ASSERT_TRUE(QDir().mkpath(f.pathOf(laterName)));
         },
         cannotSaveRecordMessage + laterName + ".IGO"},
        {"a record directory that does not exist",
         [&](Library& f) {
             f.enterWorkedExample();
             f.state.settings.recordDirectory = f.temp.filePath("missing");
         },
         cannotSaveRecordMessage + workedExampleName + ".IGO"},
        {"another record under the same name",
         [&](Library& f) {
             f.enterWorkedExample();
             writeBytes(f.pathOf(workedExampleName), "another game");
         },
         sameNameExistsMessage + workedExampleName + ".IGO"},
        {"more entries than a record file can count",
         [&](Library& f) {
             f.enterWorkedExample();
             ASSERT_TRUE(f.save().ok);
             f.now = later;
             while (f.state.board.moves.length() < 1000)
                 f.state.board.moves.append({2020, QStringLiteral("9")});
         },
         recordTooLongMessage()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Library f;
        c.setUp(f);
        const auto filesBefore = snapshot(f.records());
        const CurrentRecord before = f.state.record;
        const QVector<RecordMetadata> catalogueBefore = f.state.catalogue.entries();

        const Outcome saved = f.save();
        EXPECT_FALSE(saved.ok);
        EXPECT_EQ(saved.messages, QStringList{c.message});
        EXPECT_EQ(snapshot(f.records()), filesBefore);
        EXPECT_EQ(f.state.record.fileName, before.fileName);
        EXPECT_EQ(f.state.record.selectedIndex, before.selectedIndex);
        EXPECT_EQ(f.state.catalogue.count(), catalogueBefore.size());
        if (!catalogueBefore.isEmpty()) {
            EXPECT_EQ(f.state.catalogue.entries().back().fileName, catalogueBefore.back().fileName);
        }
    }
}

TEST_F(RecordFile, AnOldVersionThatCannotBeDeletedIsReportedAndTheNewOneKept) {
    enterWorkedExample();
    ASSERT_TRUE(save().ok);
    // A directory under the old name cannot be removed as a file.
    ASSERT_TRUE(QFile::remove(pathOf(workedExampleName)));
    ASSERT_TRUE(QDir().mkpath(pathOf(workedExampleName) + "/inside"));

    now = now.addSecs(60);
    const Outcome saved = save();
    EXPECT_TRUE(saved.ok);
    EXPECT_EQ(saved.messages, QStringList{oldFileDeleteErrorMessage + workedExampleName});
    EXPECT_TRUE(QFileInfo(pathOf(state.record.fileName)).isFile());
    EXPECT_NE(state.record.fileName, workedExampleName);
}

// A name must fit both ext4 (255 bytes of UTF-8) and Windows (255 UTF-16 units), with room
// for the temporary file of the safe write. At the limit a name stays whole; past it the
// longest free text loses characters from its end, whole characters only.
TEST_F(RecordFile, ANameAtTheLimitStaysWholeAndALongerOneLosesTheEndOfItsLongestText) {
    RecordMetadata m = parseRecordName(workedExampleName);
    m.game.gameName.clear();
    const int room = maxRecordNameLength -
                     static_cast<int>((recordFileName(m) + recordExtension).toUtf8().size());
    ASSERT_GT(room, 50);

    m.game.gameName = QString(room, u'a');
    EXPECT_EQ(recordFileName(m), QString(workedExampleName).replace("練習碁", m.game.gameName))
        << "exactly at the limit";
    EXPECT_EQ((recordFileName(m) + recordExtension).toUtf8().size(), maxRecordNameLength);

    m.game.gameName += u'b';
    EXPECT_EQ(extractField(recordFileName(m), gameNameKey), QString(room, u'a'));

    // Three bytes a character, two texts that each fill the room: the longer one shortens
    // first, then they take turns.
    m.game.gameName = QStringLiteral("本因坊").repeated(room / 9 + 2);
    m.game.whitePlayer = QStringLiteral("白").repeated(room / 3);
    const QString fitted = recordFileName(m);
    EXPECT_TRUE(recordNameFits(fitted));
    EXPECT_GE((fitted + recordExtension).toUtf8().size(), maxRecordNameLength - 2);
    const int gameName = extractField(fitted, gameNameKey).size();
    const int white = extractField(fitted, whitePlayerKey).size();
    EXPECT_LE(std::abs(gameName - white), 1);
    EXPECT_TRUE(m.game.gameName.startsWith(extractField(fitted, gameNameKey)));
    EXPECT_EQ(extractField(fitted, komiKey), QStringLiteral("6.5")) << "the komi is kept";
    EXPECT_EQ(extractField(fitted, recordDateKey), QStringLiteral("20071105"));

    // A character outside the Basic Multilingual Plane goes as a whole.
    m.game.whitePlayer.clear();
    m.game.gameName = QStringLiteral("𠮷").repeated(room);
    const QString surrogates = extractField(recordFileName(m), gameNameKey);
    EXPECT_FALSE(surrogates.back().isHighSurrogate());
    EXPECT_TRUE(recordNameFits(recordFileName(m)));
}

// Shortening takes characters only from the free texts themselves: a text that runs into
// another key (its "）" missing) loses characters before that key, never the key's value.
TEST_F(RecordFile, ShorteningNeverCutsIntoTheValueOfAnotherKey) {
    const QDateTime at(QDate(2024, 3, 5), QTime(15, 30, 12));
    const QString name = gameNameKey + QStringLiteral("a）") + resultKey + QString(300, u'b') +
                         timeOfDayKey + QStringLiteral("90503）");
    const QString touched = touchedFileName(name, at);
    EXPECT_TRUE(recordNameFits(touched));
    EXPECT_EQ(extractField(touched, timeOfDayKey), QStringLiteral("153012"));
    EXPECT_EQ(extractField(touched, referenceDateKey), QStringLiteral("20240305"));
    EXPECT_EQ(touchedFileName(touched, at), touched);
}

// The example: a long game name and two players used to overflow the name and the
// save failed; now the record is kept, its header with the full texts.
TEST_F(RecordFile, ALongNamedGameIsSavedWithItsFullTextsInTheHeader) {
    enterWorkedExample();
    state.record.game.gameName =
        QStringLiteral("第７０期王座戦挑戦手合五番勝負第三局　東京都千代田区");
    state.record.game.whitePlayer = QStringLiteral("名誉王座　二十五世本因坊治勲　九段");
    state.record.game.blackPlayer = QStringLiteral("第四十八期名人　天元　王座　十段　碁聖");
    const Outcome saved = save();
    ASSERT_TRUE(saved.ok) << saved.messages.join(u' ');
    EXPECT_TRUE(recordNameFits(state.record.fileName));
    EXPECT_TRUE(QFileInfo(pathOf(state.record.fileName)).isFile());

    const std::optional<QString> body = textfile::decode(readBytes(pathOf(state.record.fileName)));
    ASSERT_TRUE(body.has_value());
    const QStringList header = textfile::splitItems(textfile::splitLines(*body).front());
    EXPECT_EQ(header.value(1), state.record.game.gameName);
    EXPECT_EQ(header.value(4), state.record.game.whitePlayer);
    EXPECT_EQ(header.value(5), state.record.game.blackPlayer);
    SharedState reader = readerFor(state.record.fileName);
    ASSERT_TRUE(readInto(reader));
    EXPECT_EQ(reader.board.moves, state.board.moves);

    // Touched with a six-digit time, the name stays within the limit and is renamed.
    now = QDateTime(QDate(2007, 11, 5), QTime(15, 30, 12));
    const Outcome touched = touch();
    ASSERT_TRUE(touched.ok) << touched.messages.join(u' ');
    EXPECT_TRUE(recordNameFits(state.record.fileName));
    EXPECT_EQ(extractField(state.record.fileName, timeOfDayKey), QStringLiteral("153012"));
    EXPECT_TRUE(QFileInfo(pathOf(state.record.fileName)).isFile());
}

TEST_F(RecordFile, TouchingSetsReferenceDateAndTimeAndAppendsMissingKeys) {
    const QDateTime at(QDate(2008, 1, 2), QTime(15, 30, 12));
    struct Case {
        QString before;
        QString after;
    };
    const Case cases[] = {
        {workedExampleName,
         "対局名（練習碁）白番（甲）黒番（乙）勝敗（白中押勝）記録日（20071105）手数（3）"
         "時間（153012）参照（20080102）コミ（6.5）"},
        {"対局名（練習碁）手数（3）", "対局名（練習碁）手数（3）参照（20080102）時間（153012）"},
        {"対局名（練習碁）時間（90503", "対局名（練習碁）時間（153012）参照（20080102）"},
        // A value that runs over the other key (its "）" is missing) loses that key when it is
        // set; the key is then appended.
        {"時間（90503参照（20071030）コミ（6.5）", "時間（153012）コミ（6.5）参照（20080102）"},
        {"参照（2007時間（90503）", "参照（20080102）時間（153012）"},
        // Blanks are cleaned away first, so they cannot join text into a key in front of the
        // value just set.
        {"参 照（x）参照（y）", "参照（20080102）参照（y）時間（153012）"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before.toStdString());
        const QString touched = touchedFileName(c.before, at);
        EXPECT_EQ(touched, c.after);
        EXPECT_EQ(extractField(touched, referenceDateKey), QStringLiteral("20080102"));
        EXPECT_EQ(extractField(touched, timeOfDayKey), QStringLiteral("153012"));
    }
}

TEST_F(RecordFile, TouchRenamesTheFileAndKeepsItsContent) {
    enterWorkedExample();
    ASSERT_TRUE(save().ok);
    const QByteArray content = readBytes(pathOf(workedExampleName));
    now = QDateTime(QDate(2007, 11, 5), QTime(15, 30, 12));

    const Outcome touchedOutcome = touch();
    EXPECT_TRUE(touchedOutcome.ok);
    EXPECT_TRUE(touchedOutcome.messages.isEmpty());
    const QString touched = QString(workedExampleName).replace("90503", "153012");
    EXPECT_EQ(state.record.fileName, touched);
    EXPECT_EQ(snapshot(records()), (QMap<QString, QByteArray>{{touched + ".IGO", content}}));
}

TEST_F(RecordFile, ATouchThatCannotRenameKeepsTheOldNameAndSaysSo) {
    const QString touched = QString(workedExampleName).replace("90503", "153012");
    struct Case {
        const char* label;
        bool fileExists;
        bool targetTaken;
    };
    for (const Case c : {Case{"another record under the new name", true, true},
                         Case{"the file is gone", false, false}}) {
        SCOPED_TRACE(c.label);
        Library f;
        f.state.record.fileName = workedExampleName;
        if (c.fileExists)
            writeBytes(f.pathOf(workedExampleName), "this record");
        if (c.targetTaken)
            writeBytes(f.pathOf(touched), "another record");
        const auto filesBefore = snapshot(f.records());
        f.now = QDateTime(QDate(2007, 11, 5), QTime(15, 30, 12));

        const Outcome touchedOutcome = f.touch();
        EXPECT_FALSE(touchedOutcome.ok);
        EXPECT_EQ(touchedOutcome.messages, QStringList{updateErrorMessage + touched});
        EXPECT_EQ(f.state.record.fileName, workedExampleName);
        EXPECT_EQ(snapshot(f.records()), filesBefore);
    }
}

TEST_F(RecordFile, SourceDeletionIsOfferedOnlyAfterAnImportAndDoneOnlyOnYes) {
    struct Case {
        const char* label;
        bool imported;
        bool withPath;
        std::optional<Dialogs::Answer> answer; // nothing: no question expected
        bool deleted;
    };
    const Case cases[] = {
        {"yes deletes", true, true, Dialogs::Answer::Yes, true},
        {"no keeps", true, true, Dialogs::Answer::No, false},
        {"not imported", false, true, std::nullopt, false},
        {"no source path", true, false, std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const QString source = temp.filePath(QStringLiteral("yahoo.sgf"));
        writeBytes(source, "(;GN[x])");
        ScriptedDialogs asked;
        if (c.answer)
            asked.answers.push_back(*c.answer);
        state.import.yahooImportFlag = c.imported;
        state.import.importSourcePath = c.withPath ? source : QString();

        offerSourceDeletion(state.import, asked);
        EXPECT_EQ(asked.shown.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_EQ(asked.shown[0].text, QStringLiteral("Yahoo 囲碁の元ファイルを削除しますか"));
            EXPECT_EQ(asked.shown[0].buttons, Dialogs::Buttons::YesNoDefaultNo);
        }
        EXPECT_EQ(QFile::exists(source), !c.deleted);
        EXPECT_EQ(state.import.importSourcePath.isEmpty(), c.deleted || !c.withPath);
    }
}

} // namespace
} // namespace vorleth
