#pragma once

#include <QList>
#include <QStringList>

namespace vorleth {

// The usage guide of one screen, line by line in the order shown; leading blanks are part of
// the lines. A code without a text gives an empty list.
QStringList helpLines(int helpScreenCode);

// Every code that has a text.
QList<int> helpCodesWithText();

} // namespace vorleth
