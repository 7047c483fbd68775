#pragma once

// How GoogleTest prints the program's own types in failure messages. Include it in every test
// that compares them, so that a failure shows "白番" rather than a byte dump.

#include "board/board.h"

#include <QString>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// So that a QString can follow a failing check: EXPECT_TRUE(ok) << message.
inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << s.toStdString();
}

namespace vorleth {
inline void PrintTo(const Point& p, std::ostream* os) {
    *os << "(" << p.column << ", " << p.row << ")";
}
} // namespace vorleth
