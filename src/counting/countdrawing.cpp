#include "counting/countdrawing.h"

namespace vorleth {

namespace {

Rgb rgb(MarkDrawing::Colour colour) {
    switch (colour) {
    case MarkDrawing::Colour::White:
        return whiteColour;
    case MarkDrawing::Colour::Grey:
        return greyColour;
    default:
        return blackColour;
    }
}

} // namespace

void drawMark(BoardRenderer& renderer, Point p, CountMark mark) {
    const MarkDrawing drawing = markDrawing(mark);
    if (drawing.disc != MarkDrawing::Colour::None)
        renderer.drawDisc(p, rgb(drawing.disc), blackColour);
    if (drawing.square != MarkDrawing::Colour::None) {
        const double side = drawing.squareSide * renderer.geometry().stoneRadius;
        renderer.drawSquare(p, side, rgb(drawing.square),
                            drawing.greySquareOutline ? std::optional<Rgb>(greyColour)
                                                      : std::nullopt);
    }
}

} // namespace vorleth
