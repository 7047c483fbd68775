#pragma once

#include "counting/estimate.h"
#include "store/textfile.h"

#include <QString>

namespace vorleth {

// The counting screen's choice of first guess, kept in a small file of its own in the base
// directory so that the settings file keeps the layout every earlier version reads: one line
// in Windows-31J, "推定" or "従来", CR LF.
inline const QString countGuessFileName = QStringLiteral("計算判定.dev");

// The captions of the two guesses in the counting screen's menu.
inline const QString estimateGuessCaption = QStringLiteral("推定による判定");
inline const QString traditionalGuessCaption = QStringLiteral("従来の判定");

// The remembered choice; the estimate when nothing (or nothing readable) is remembered.
CountGuess readCountGuess(const QString& baseDirectory);
Outcome writeCountGuess(const QString& baseDirectory, CountGuess guess);

} // namespace vorleth
