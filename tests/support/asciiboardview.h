#pragma once

// The board view of the tests: keeps the picture the drawing calls leave behind as text, the
// last text of every box, and a log of the drawing calls.

#include "board/boardview.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <stdexcept>

namespace vorleth::test {

// The picture is 19 x 19 characters: 'X' black, 'O' white, '.' empty, and whatever a derived
// view marks with set() (the replay's cyan disc is 'C').
template <class View = BoardView> class AsciiBoardViewOf : public View {
public:
    AsciiBoardViewOf() { wipe(); }

    void drawBoard() override {
        ++boardDrawings;
        wipe();
        log << QStringLiteral("board");
    }
    void drawStone(Point p, const QString& colour) override {
        set(p, colour == QStringLiteral("2") ? 'O' : 'X');
        log << QStringLiteral("stone %1 %2").arg(p.code()).arg(colour);
    }
    void clearPoint(Point p) override {
        set(p, '.');
        log << QStringLiteral("clear %1").arg(p.code());
    }
    void showPoint(Point p) override { shownPoint = p; }
    void showMoveNumber(const QString& text) override { moveNumber = text; }
    void showSideToMove(const QString& text) override { sideToMove = text; }
    void showPrisoners(const QString& text) override { prisoners = text; }

    char at(int column, int row) const { return m_cells[column][row]; }
    int count(char c) const {
        int n = 0;
        for (int column = 1; column <= 19; ++column)
            for (int row = 1; row <= 19; ++row)
                n += m_cells[column][row] == c;
        return n;
    }
    int stones() const { return count('X') + count('O'); }
    // The stones in the form of boardDiagram (other marks read as empty points).
    QString diagram() const {
        QString text;
        for (int row = 1; row <= 19; ++row) {
            for (int column = 1; column <= 19; ++column) {
                const char c = m_cells[column][row];
                text.append(QLatin1Char(c == 'X' || c == 'O' ? c : '.'));
            }
            text.append(u'\n');
        }
        return text;
    }

    QStringList log;
    int boardDrawings = 0;
    std::optional<Point> shownPoint;
    QString moveNumber, sideToMove, prisoners;

protected:
    void set(Point p, char c) {
        if (!p.onBoard())
            throw std::logic_error("drawing off the board");
        m_cells[p.column][p.row] = c;
    }

private:
    void wipe() {
        for (auto& column : m_cells)
            column.fill('.');
    }

    std::array<std::array<char, 20>, 20> m_cells{};
};

using AsciiBoardView = AsciiBoardViewOf<>;

} // namespace vorleth::test
