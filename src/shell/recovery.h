#pragma once

#include <QString>

namespace vorleth {

class Dialogs;
struct SharedState;

inline const QString recoveryQuestion = QStringLiteral("前回記録中の対局を復元しますか");

// At the first start-up of a run, when the recording board left its recovery file behind (a
// crash, a power cut): asks whether to restore that game. Yes sets the game up for the
// recording board to continue (board entry, state 99) and returns true; the caller then shows
// the board. No deletes the file. Later start-ups of the same run ask nothing.
bool offerRecovery(SharedState& state, Dialogs& dialogs);

} // namespace vorleth
