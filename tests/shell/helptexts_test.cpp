#include "shell/helptexts.h"

#include "interaction/navigator.h"

#include <gtest/gtest.h>

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
