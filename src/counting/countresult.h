#pragma once

#include "counting/countgrid.h"

#include <QString>
#include <QStringList>

namespace vorleth {

// The count text and the result of a count. Prisoners are those taken during the game.
struct CountResult {
    int whiteTotal = 0;
    int blackTotal = 0;
    double komi = 0;
    double difference = 0; // blackTotal - whiteTotal - komi: positive when Black is ahead
    QStringList lines;     // the seven lines of the count text, the result last
    QString result;        // 持碁, 黒3目半勝, 白12目勝, ...

    // The lines as the count label shows them, joined by CR LF.
    QString countText() const;
};

CountResult computeResult(const CountCounters& counters, int prisonersWhite, int prisonersBlack,
                          const QString& komiText);

// The number the komi text begins with (blanks, an optional sign, digits and an optional
// fraction); 0 for a text that does not begin with one.
double komiValue(const QString& komiText);

// The result for a difference: 持碁 for 0, else the winner (黒 when positive) and the margin,
// a whole margin as "12目勝", any other as its whole part and "目半勝" (0.5 gives 黒0目半勝).
QString resultText(double difference);

} // namespace vorleth
