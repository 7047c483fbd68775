#pragma once

// A canvas that records what is drawn on it, for tests of what the renderers ask to draw.

#include "board/canvas.h"

#include <optional>
#include <ostream>
#include <vector>

namespace vorleth::test {

// One primitive asked of the canvas.
struct Primitive {
    enum Kind { Rect, Line, Circle };
    Kind kind;
    double a, b, c, d; // rect and line: two corners or ends; circle: centre x, centre y, radius
    Rgb outline;       // a rect's and a line's colour
    std::optional<Rgb> fill; // a rect's colour; a circle's fill if any
    friend bool operator==(const Primitive&, const Primitive&) = default;
};

inline void PrintTo(const Primitive& p, std::ostream* os) {
    static const char* const names[] = {"rect", "line", "circle"};
    *os << names[p.kind] << "(" << p.a << ", " << p.b << ", " << p.c;
    if (p.kind != Primitive::Circle)
        *os << ", " << p.d;
    *os << ") rgb(" << p.outline.red << "," << p.outline.green << "," << p.outline.blue << ")";
    if (p.fill)
        *os << " fill rgb(" << p.fill->red << "," << p.fill->green << "," << p.fill->blue << ")";
}

class RecordingCanvas : public Canvas {
public:
    std::vector<Primitive> drawn;

    void fillRect(double x1, double y1, double x2, double y2, Rgb colour) override {
        drawn.push_back({Primitive::Rect, x1, y1, x2, y2, colour, colour});
    }
    void line(double x1, double y1, double x2, double y2, Rgb colour) override {
        drawn.push_back({Primitive::Line, x1, y1, x2, y2, colour, std::nullopt});
    }
    void circle(double cx, double cy, double radius, Rgb outline,
                std::optional<Rgb> fill) override {
        drawn.push_back({Primitive::Circle, cx, cy, radius, 0, outline, fill});
    }
};

} // namespace vorleth::test
