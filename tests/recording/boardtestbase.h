#pragma once

// The recording board's controller with the fakes of the tests: a text picture for the
// board, virtual timers, scripted dialogs and a navigator that only records.

#include "recording/recordingfakes.h"
#include "replay/replaytestbase.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include "board/playrules.h"
#include "recording/boardrecordingcontroller.h"
#include "state/contexts.h"
#include "store/recoveryfile.h"

#include <QVector>

#include <gtest/gtest.h>

namespace vorleth::test {

// Points of moves that capture nothing: black fills a block in the upper rows, white one in the
// lower rows, taking turns.
inline QVector<Point> quietPoints(int moves) {
    QVector<Point> points;
    for (int i = 0; i < moves; ++i) {
        const int k = i / 2;
        points << Point{k % 15 + 1, (i % 2 == 0 ? 2 : 14) + k / 15};
    }
    return points;
}

inline MoveList quietMoves(int moves) {
    MoveList list;
    const QVector<Point> points = quietPoints(moves);
    for (int i = 0; i < moves; ++i)
        list.append({points[i].code(), i % 2 == 0 ? black : white});
    return list;
}

// What playing the points one after another on an empty board gives by the play rules.
inline BoardModel played(const QVector<Point>& points) {
    BoardModel model;
    for (const Point& p : points)
        EXPECT_EQ(playStone(model, p).result, PlayResult::Played);
    return model;
}

class BoardRecordingTest : public ::testing::Test {
protected:
    BoardRecordingTest() {
        timers.controller = &controller;
        state.shell.entryMode = 3;
        state.record.game = {QStringLiteral("練習碁"), QStringLiteral("山田"),
                             QStringLiteral("佐藤"), QString(), QStringLiteral("6.5")};
    }

    void click(int column, int row) {
        controller.leftPress(state.geometry.pointX(column), state.geometry.pointY(row));
    }
    void click(Point p) { click(p.column, p.row); }
    void wait(long long ms) { timers.advance(ms); }

    // A typed diagram handed to the board as the table entry does: its points by move number
    // (0: given by an earlier move), to be placed as the board opens.
    void diagram(const QVector<int>& points) {
        state.shell.entryMode = 2;
        state.record.moveCount = static_cast<int>(points.size());
        for (int i = 0; i < points.size(); ++i)
            state.table.tableMoves[i + 1] = points[i];
        handover = PlaceDiagram{};
    }
    // Opens the board with what the previous screen would hand over.
    void open() { controller.open(handover); }
    static QVector<int> codes(const QVector<Point>& points) {
        QVector<int> out;
        for (const Point& p : points)
            out << p.code();
        return out;
    }

    QString recoveryPath() const { return recoveryFilePath(state.baseDirectory); }
    BoardModel& model() { return state.board; }
    int tableState() const { return controller.state(); }

    Handover handover; // a fresh game unless set
    test::RecordLibrary library;
    SharedState& state = library.state;
    FakeRecordingView view;
    test::VirtualRecordingTimers timers;
    ScriptedDialogs dialogs;
    RecordingNavigator navigator;
    BoardRecordingController controller{boardRecordingContext(state), view, timers, dialogs,
                                        navigator};
};

} // namespace vorleth::test
