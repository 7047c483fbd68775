#pragma once

#include <optional>

namespace vorleth {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb boardColour{255, 255, 5};
inline constexpr Rgb blackColour{0, 0, 0};
inline constexpr Rgb whiteColour{255, 255, 255};
inline constexpr Rgb cyanColour{0, 255, 255};

// Drawing primitives in twips (1/1440 inch), origin at the top left, y growing downwards.
// What is drawn stays until something is drawn over it.
class Canvas {
public:
    virtual ~Canvas() = default;
    // The axis-aligned rectangle between two opposite corners, filled.
    virtual void fillRect(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    // A straight line one pixel wide.
    virtual void line(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    // A circle around (cx, cy); filled solid when fill is given.
    virtual void circle(double cx, double cy, double radius, Rgb outline,
                        std::optional<Rgb> fill) = 0;
};

} // namespace vorleth
