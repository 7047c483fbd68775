#pragma once

#include "replay/replaycontroller.h"
#include "replay/replayfakes.h"
#include "state/contexts.h"
#include "state/sharedstate.h"
#include "store/catalogue.h"
#include "store/recordcodec.h"
#include "store/recordname.h"
#include "store/textfile.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace vorleth::test {

// A move list written compactly: {code, kind} per entry.
inline MoveList movesOf(std::initializer_list<std::pair<int, const char*>> entries) {
    MoveList moves;
    for (const auto& [code, kind] : entries)
        moves.append({static_cast<PointCode>(code), QString::fromUtf8(kind)});
    return moves;
}

inline int stoneEntries(const MoveList& moves, int upTo) {
    int n = 0;
    for (int i = 1; i <= upTo; ++i)
        n += moves.entry(i).isStone();
    return n;
}

// A record directory in a temporary folder, with a fixed clock.
class RecordLibrary {
public:
    RecordLibrary() {
        state.settings.recordDirectory = directory.path();
        state.clock = [] { return QDateTime(QDate(2024, 5, 6), QTime(15, 30, 12)); };
    }

    // Writes a record file as the program saves one, rescans the catalogue and selects the
    // record the way the record list does before it opens the replay. Returns its file name.
    QString store(const QString& gameName, const MoveList& moves) {
        GameRecord record;
        RecordMetadata& m = record.metadata;
        m.game = {gameName, QStringLiteral("山田"), QStringLiteral("佐藤"),
                  QStringLiteral("白中押勝"), QStringLiteral("6.5")};
        m.recordDate = QStringLiteral("20240101");
        m.entryCount = moves.length();
        m.timeOfDay = QStringLiteral("90503");
        m.referenceDate = QStringLiteral("20240101");
        record.moves = moves;
        const QString name = recordFileName(m);
        EXPECT_TRUE(
            textfile::writeFileSafely(recordPath(directory.path(), name),
                                      encodeRecordBody(record, moves.length(), QDate(2024, 1, 1)))
                .ok);
        select(name);
        return name;
    }

    void select(const QString& fileName) {
        EXPECT_TRUE(scanCatalogue(state.catalogue, directory.path()));
        state.record.selectedIndex = 0;
        for (int i = 1; i <= state.catalogue.count(); ++i) {
            if (state.catalogue.entry(i).fileName == fileName)
                state.record.selectedIndex = i;
        }
        ASSERT_NE(state.record.selectedIndex, 0) << qPrintable(fileName);
        state.replay.stepInterval = 3000;
    }

    // The record chosen last, as the record list hands it to the replay.
    ChosenRecord chosen() const { return {state.record.selectedIndex}; }

    bool exists(const QString& fileName) const {
        return QFileInfo::exists(recordPath(directory.path(), fileName));
    }

    QTemporaryDir directory;
    SharedState state{directory.path()};
};

// One replay on the fake view with virtual timers, over a library of its own.
struct ReplayRig {
    ReplayRig() { timers.controller = &controller; }

    // Stores the game and opens it as the record list does.
    ::testing::AssertionResult open(const QString& gameName, const MoveList& moves) {
        library.store(gameName, moves);
        if (controller.open(library.chosen()))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the replay did not open";
    }

    RecordLibrary library;
    SharedState& state = library.state;
    FakeReplayView view;
    VirtualTimers timers;
    ScriptedDialogs dialogs;
    RecordingNavigator navigator;
    ReplayController controller{replayContext(state), view, timers, dialogs, navigator};
};

} // namespace vorleth::test
