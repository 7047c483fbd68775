#include "import/tableimport.h"
#include "import/tableimporttest.h"

namespace vorleth {
namespace {

using namespace test;

// --- mail text ---------------------------------------------------------------------------------

TEST_F(TableImportTest, MailTextFillsTheTableEntry) {
    const QString text = QString::fromUtf8(test::readBytes(fixture("mail.txt")));
    source.importSourcePath = QStringLiteral("/somewhere/earlier.sgf");
    const Outcome outcome = importMailText(text, true, target());
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.messages, QStringList{text}); // the text is shown as it is
    EXPECT_EQ(record.game.blackPlayer, utf8("甲"));
    EXPECT_EQ(record.game.whitePlayer, utf8("乙"));
    EXPECT_EQ(record.game.gameName, yahooGameName);
    EXPECT_EQ(record.game.komi, QStringLiteral("0")); // the mail has none
    expectFilledAsImport(3);
    EXPECT_EQ(tableCodes(table, 3), (std::vector<int>{1604, 416, 304}));
    EXPECT_EQ(gridEntries(table),
              (std::vector<std::pair<int, int>>{{304, 3}, {416, 2}, {1604, 1}}));
    EXPECT_TRUE(table.repeatedPlays.isEmpty());
    EXPECT_TRUE(source.importSourcePath.isEmpty()); // no file to offer for deletion
}

TEST_F(TableImportTest, MailTextThatGivesNoGameChangesNothing) {
    const struct {
        const char* name;
        const char* text;
        bool hasText;
        QString message;
    } cases[] = {
        {"no text on the clipboard", "", false, copyMailMessage},
        {"text without move lines", "黒番:甲\r\n白番:乙\r\nよろしく\r\n", true, copyMailMessage},
        {"a letter outside the alphabet", "1. q-16 d-4\r\n2. z-3 c-3\r\n", true,
         badMailMoveMessage(QStringLiteral("z"))},
        {"row 0", "1. q-16 d-0(0:10)\r\n", true, badMailMoveMessage(QStringLiteral("d-0"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = importMailText(utf8(c.text), c.hasText, target());
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.messages, (QStringList{utf8(c.text), c.message}));
        expectUntouched();
    }
}

TEST(MailText, LinesAndMoves) {
    const struct {
        const char* name;
        const char* text;
        std::vector<int> moves;
        QString message; // empty for none
    } cases[] = {
        {"j is column 9, t column 19, rows from the bottom",
         "1. j-10(0:01) t-1(0:02)\r\n2. a-19 t-19\r\n",
         {910, 1919, 101, 1901},
         {}},
        {"move lines in order only",
         "1. q-16 d-4\r\n3. c-3 d-3\r\n2. c-16 d-16\r\n4. e-5 f-6\r\n",
         {1604, 416, 304, 404},
         {}},
        {"a later line out of order is passed over",
         "1. q-16 d-4\r\n3. c-3 d-3\r\n4. e-5 f-6\r\n",
         {1604, 416},
         {}},
        {"10. is not 1.", "10. q-16 d-4\r\n1. c-3 d-3\r\n", {317, 417}, {}},
        {"lines ending in LF alone",
         "黒番:甲\n1. q-16 d-4\n2. c-16 d-16\n",
         {1604, 416, 304, 404},
         {}},
        {"lines ending in CR alone", "1. q-16 d-4\r2. c-16 d-16\r", {1604, 416, 304, 404}, {}},
        {"blanks at the end and between moves",
         "1. q-16(0:03)  d-4(0:10) \r\n2.\tc-16 d-16\r\n",
         {1604, 416, 304, 404},
         {}},
        {"a pass that ends the game", "1. q-16 d-4\r\n2. c-16 パス\r\n", {1604, 416, 304}, {}},
        {"a pass with its time", "1. q-16 d-4\r\n2. パス(0:30)\r\n", {1604, 416}, {}},
        {"a pass before further moves",
         "1. q-16 d-4\r\n2. パス c-16\r\n3. d-16 e-16\r\n",
         {1604, 416},
         stoppedMessage(StopReason::Pass, 3)},
        {"a white pass before further lines",
         "1. q-16 パス\r\n2. c-16 d-16\r\n",
         {1604},
         stoppedMessage(StopReason::Pass, 2)},
        {"the game's last move by black", "1. q-16 d-4\r\n2. c-16\r\n", {1604, 416, 304}, {}},
        {"a line with one move before further lines",
         "1. q-16 d-4\r\n2. c-16\r\n3. d-16 e-16\r\n",
         {1604, 416, 304},
         stoppedMessage(StopReason::Unreadable, 4)},
        {"a point played again",
         "1. d-16 e-16\r\n2. d-16 e-16\r\n3. d-16 a-1\r\n",
         {404, 504, 404, 504, 404, 119},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TableImport import = readMailText(utf8(c.text));
        EXPECT_TRUE(import.outcome.ok) << import.outcome.messages.join(u'\n');
        EXPECT_EQ(codes(import.moves), c.moves);
        EXPECT_EQ(import.outcome.messages,
                  c.message.isEmpty() ? QStringList{} : QStringList{c.message});
    }
}

TEST(MailText, MovesWithoutAPointRefuseTheText) {
    const struct {
        const char* field;
        const char* message;
    } cases[] = {
        {"z-3", "z Code err="},         {"i-3", "i Code err="},
        {"Q-16", "Q Code err="},        {"qq-16", "qq Code err="},
        {"-16", " Code err="},          {"q16(0:03)", "q16(0:03) Code err="},
        {"q-0(0:03)", "q-0 Code err="}, {"q-20", "q-20 Code err="},
        {"q-(0:03)", "q- Code err="},   {"q-1234567890", "q-1234567890 Code err="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        const TableImport import =
            readMailText(QStringLiteral("1. q-16 d-4\r\n2. c-3 %1\r\n").arg(utf8(c.field)));
        EXPECT_FALSE(import.outcome.ok);
        EXPECT_EQ(import.outcome.messages, QStringList{utf8(c.message)});
        EXPECT_TRUE(import.moves.isEmpty());
    }
}

TEST(MailText, PlayersAndTheMoveLimit) {
    const TableImport players =
        readMailText(utf8("黒番: 山田　太郎 \r\n白番:乙\r\n1. q-16 d-4\r\n"));
    EXPECT_EQ(players.game.blackPlayer, utf8("山田　太郎"));
    EXPECT_EQ(players.game.whitePlayer, utf8("乙"));
    EXPECT_EQ(players.game.gameName, yahooGameName);

    QString text;
    for (int pair = 1; pair <= 250; ++pair)
        text += QStringLiteral("%1. q-16 d-4\r\n").arg(pair);
    EXPECT_EQ(readMailText(text).moves.size(), 500);
    const TableImport tooMany = readMailText(text + QStringLiteral("251. c-3 d-3\r\n"));
    EXPECT_FALSE(tooMany.outcome.ok);
    EXPECT_EQ(tooMany.outcome.messages, QStringList{tooManyMovesMessage});
}

} // namespace
} // namespace vorleth
