#include "shell/helptexts.h"

#include "interaction/navigator.h"

#include <gtest/gtest.h>

#include <iterator>

namespace vorleth {
namespace {

// The table itself is data; what can break is the lookup around it.
TEST(HelpTextsTest, EveryTextStartsWithTheSameOpeningLine) {
    for (int code : helpCodesWithText()) {
        SCOPED_TRACE(code);
        const QStringList lines = helpLines(code);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.first(), QStringLiteral("この画面では"));
    }
}

// Each screen's code leads to that screen's guide: the line after the opening one says which
// screen it is about, so two codes swapped in the table are caught here.
TEST(HelpTextsTest, EachCodeGivesItsScreensGuide) {
    const struct {
        int code;
        const char* secondLine;
    } cases[] = {
        {helpcode::setup, "  １．棋譜のあるディレクトリーを指定する"},
        {helpcode::mainMenu, "  １．保管棋譜や定石・詰め碁を並べる"},
        {helpcode::recordList,
         "    登録している全棋譜の中より対局名や対局者による絞り込みをします"},
        {helpcode::replay, "    碁盤に棋譜を再現します"},
        {helpcode::tableEntry, "    総譜から表形式で対局結果を入力します"},
        {helpcode::gameInfo, "    登録する棋譜の対局名や対局者などを入力します"},
        {helpcode::boardRecording, "    碁盤による対局ができます"},
        {helpcode::endOfGame, "    勝敗などの終局情報を入力します"},
        {helpcode::counting, "    地を計算します。ダメが詰められていることが条件です"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(helpLines(c.code).value(1), QString::fromUtf8(c.secondLine));
    }
    EXPECT_EQ(helpCodesWithText().size(), std::size(cases));
}

TEST(HelpTextsTest, CodesWithoutATextGiveNothing) {
    for (int code : {-1, 2, 3, 6, 7, 12, 19, 21, 99}) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(helpLines(code).isEmpty());
    }
}

TEST(HelpTextsTest, LeadingBlanksArePartOfTheLines) {
    EXPECT_EQ(helpLines(helpcode::setup).at(4),
              QStringLiteral("        右側にある 初期設定を ＨＥＤ ＥＮＴ にそれぞれ"));
    EXPECT_EQ(helpLines(helpcode::counting).at(4),
              QStringLiteral("    　　白の上蛤は黒の上蛤に　白地は黒地に"));
}

} // namespace
} // namespace vorleth
