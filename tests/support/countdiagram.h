#pragma once

// Count diagrams in tests: a position written as text, with the dead stones in lower case
// (x black, o white) beside the marks a count gives.

#include "board/board.h"

#include <QString>

namespace vorleth::test {

// Diagrams in the tests start on the line after the opening R"(.
inline QString diagram(const char* text) {
    QString d = QString::fromUtf8(text);
    if (d.startsWith(u'\n'))
        d.remove(0, 1);
    return d;
}

// The final position a count diagram was made from: its live and dead stones.
inline Board positionOf(const QString& count) {
    QString stones = count;
    for (QChar& c : stones) {
        if (c == u'x')
            c = u'X';
        else if (c == u'o')
            c = u'O';
    }
    return parseBoardDiagram(stones);
}

} // namespace vorleth::test
