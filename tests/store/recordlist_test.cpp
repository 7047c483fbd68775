#include "store/recordlistcontroller.h"
#include "support/printers.h"
#include "support/recordspec.h"
#include "support/testfiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vorleth;

namespace {

struct FakeListView : RecordListView {
    int total = -1;
    QVector<int> rows;
    int chosen = -1;
    QString status;
    void showTotal(int records) override { total = records; }
    void showRows(const QVector<int>& positions, int chosenPosition) override {
        rows = positions;
        chosen = chosenPosition;
    }
    void showStatus(const QString& text) override { status = text; }
};

class RecordListControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // Listed in this order by name; referenced most recently by 乙, then 甲, then 丙.
        store(QStringLiteral("丙"), QStringLiteral("20060101"));
        store(QStringLiteral("乙"), QStringLiteral("20080101"));
        store(QStringLiteral("甲"), QStringLiteral("20070101"));
    }
    void store(const QString& gameName, const QString& referenceDate) {
        test::RecordSpec r{gameName,
                           QStringLiteral("白"),
                           QStringLiteral("黒"),
                           QStringLiteral("黒中押勝"),
                           QStringLiteral("20050101"),
                           10,
                           QStringLiteral("90503"),
                           referenceDate};
        test::touch(QDir(dir.path()).filePath(test::recordName(r) + QStringLiteral(".IGO")));
    }
    QString gameNameAt(int position) const { return catalogue.entry(position).game.gameName; }
    QStringList shownNames() const {
        QStringList names;
        for (int position : view.rows)
            names << gameNameAt(position);
        return names;
    }

    QTemporaryDir dir;
    Catalogue catalogue;
    RecordListState list;
    CurrentRecord record;
    int stepInterval = 500;
    FakeListView view;
    RecordListController controller{{catalogue, list, record, stepInterval, dir.path()}, view};
};

TEST_F(RecordListControllerTest, EnteringListsTheLibraryMostRecentlyReferencedFirst) {
    controller.enter();
    EXPECT_EQ(view.total, 3);
    EXPECT_EQ(shownNames(),
              (QStringList{QStringLiteral("乙"), QStringLiteral("甲"), QStringLiteral("丙")}));
    EXPECT_EQ(view.chosen, 0);
    EXPECT_EQ(view.status, shownStatusText(3));
}

TEST_F(RecordListControllerTest, TheChosenRecordStaysChosenWhenTheOrderChanges) {
    controller.enter();
    const int chosen = view.rows.at(2);
    controller.choose(chosen);
    controller.sortBy(MenuSort::GameName);
    EXPECT_EQ(view.chosen, chosen);
    EXPECT_NE(view.rows.indexOf(chosen), 2) << "the order changed";
    controller.clickHeading(1);
    EXPECT_EQ(view.chosen, chosen);
}

// Only a chosen record is replayed; the replay then steps at its opening interval.
TEST_F(RecordListControllerTest, ReplayingNeedsAChosenRecord) {
    enum class How { Button, DoubleClick };
    const struct Case {
        const char* what;
        How how;
        int position; // chosen, or double-clicked; 0 below the last row
        bool replays;
        QString status;
    } cases[] = {
        {"the button with nothing chosen", How::Button, 0, false, chooseARecordMessage},
        {"a double click below the rows", How::DoubleClick, 0, false,
         chooseARecordMessage + QStringLiteral("  ")},
        {"the button on a chosen record", How::Button, 2, true, shownStatusText(3)},
        {"a double click on a row", How::DoubleClick, 3, true, shownStatusText(3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        stepInterval = 500;
        record.selectedIndex = 0;
        controller.enter();
        std::optional<int> replayed;
        if (c.how == How::Button) {
            controller.choose(c.position);
            replayed = controller.replayChosen();
        } else {
            replayed = controller.chooseAndReplay(c.position);
        }
        EXPECT_EQ(replayed, c.replays ? std::optional<int>(c.position) : std::nullopt);
        EXPECT_EQ(stepInterval, c.replays ? RecordListController::replayStepInterval : 500);
        EXPECT_EQ(view.status, c.status);
    }
}

TEST_F(RecordListControllerTest, SelectingAllClearsTheFiltersAndScansAgain) {
    controller.enter();
    list.gameNameFilter = QStringList{QStringLiteral("甲")};
    store(QStringLiteral("丁"), QStringLiteral("20090101"));
    controller.selectAll();
    EXPECT_TRUE(list.gameNameFilter.isEmpty());
    EXPECT_EQ(view.total, 4);
    EXPECT_EQ(view.rows.size(), 4);
    EXPECT_EQ(gameNameAt(view.rows.first()), QStringLiteral("丁"));

    // Without a filter there is nothing to clear and the list stays as it is.
    store(QStringLiteral("戊"), QStringLiteral("20100101"));
    controller.selectAll();
    EXPECT_EQ(view.total, 4);
}

} // namespace
