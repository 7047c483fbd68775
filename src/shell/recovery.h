#pragma once

#include "interaction/navigator.h"

#include <QString>

#include <optional>

namespace vorleth {

class Dialogs;
struct SharedState;

inline const QString recoveryQuestion = QStringLiteral("前回記録中の対局を復元しますか");

// At the first start-up of a run, when the recording board left its recovery file behind (a
// crash, a power cut): asks whether to restore that game. Yes sets the game up as a board entry
// and returns what the recording board is to continue; the caller then shows the board with
// it. No deletes the file. Later start-ups of the same run ask nothing.
std::optional<ContinueGame> offerRecovery(SharedState& state, Dialogs& dialogs);

} // namespace vorleth
