#include "ui/screenarea.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace vorleth {

namespace {

// A window narrower than this beside a screen is of no use.
constexpr int narrowestBeside = 240;

// The working screen's controls, in global coordinates.
QList<QRect> controlRects(const QWidget* working) {
    QList<QRect> rects;
    for (const QWidget* w : working->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(working))
            continue;
        if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
            qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
            qobject_cast<const QAbstractItemView*>(w))
            rects << QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    }
    return rects;
}

bool coversNone(const QRect& frame, const QList<QRect>& controls) {
    return std::none_of(controls.begin(), controls.end(),
                        [&frame](const QRect& c) { return frame.intersects(c); });
}

} // namespace

QSize chosenScreenSize(bool large) {
    return large ? QSize(800, 600) : QSize(640, 480);
}

QMargins decorationOf(const QWidget* window) {
    if (window && window->isVisible()) {
        const QRect frame = window->frameGeometry();
        const QRect inner = window->geometry();
        if (frame != inner)
            return {inner.left() - frame.left(), inner.top() - frame.top(),
                    frame.right() - inner.right(), frame.bottom() - inner.bottom()};
    }
    return {frameAllowance, titleBarAllowance, frameAllowance, frameAllowance};
}

QRect chosenScreenArea(const QWidget* window, bool large) {
    const QScreen* screen = window && window->screen() ? window->screen() : nullptr;
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const QRect chosen(available.topLeft(), chosenScreenSize(large));
    return available.isValid() ? chosen.intersected(available) : chosen;
}

QSize largestClientSize(const QWidget* window, bool large) {
    const QMargins d = decorationOf(window);
    return chosenScreenArea(window, large).size().shrunkBy(d);
}

void fitIntoArea(QWidget* window, const QRect& area) {
    const QMargins d = decorationOf(window);
    const QSize room = area.size().shrunkBy(d);
    const QSize fitting = window->size().boundedTo(room).expandedTo(window->minimumSize());
    if (fitting != window->size())
        window->resize(fitting);
    const QSize outer = window->size().grownBy(d);
    const int x = std::max(area.left(), std::min(window->x(), area.right() + 1 - outer.width()));
    const int y = std::max(area.top(), std::min(window->y(), area.bottom() + 1 - outer.height()));
    window->move(x, y);
}

QRect outerRect(const QWidget* window) {
    return QRect(window->pos(), window->size().grownBy(decorationOf(window)));
}

void placeBeside(QWidget* window, const QWidget* working, const QRect& area) {
    const QMargins d = decorationOf(window);
    const QSize room = area.size().shrunkBy(d);
    const QSize size = window->size().boundedTo(room).expandedTo(window->minimumSize());
    window->resize(size);
    if (!working || !working->isVisible()) {
        fitIntoArea(window, area);
        return;
    }
    const QRect caller = outerRect(working);
    const QList<QRect> controls = controlRects(working);
    const int top = std::max(area.top(), caller.top());

    // Frame positions and client sizes, best first.
    std::optional<std::pair<QPoint, QSize>> chosen;
    auto consider = [&](QPoint at, QSize s) {
        const QRect frame(at, s.grownBy(d));
        if (!chosen && area.contains(frame) && coversNone(frame, controls))
            chosen = {at, s};
    };
    const int outerWidth = size.width() + d.left() + d.right();
    // Beside the working screen, right then left.
    consider({caller.right() + 1, top}, size);
    consider({caller.left() - outerWidth, top}, size);
    // Over its left part, up to its leftmost control.
    int controlsLeft = area.right() + 1;
    for (const QRect& c : controls)
        controlsLeft = std::min(controlsLeft, c.left());
    const int narrowed = controlsLeft - area.left() - d.left() - d.right();
    if (narrowed >= std::max(narrowestBeside, window->minimumWidth()))
        consider({area.left(), top}, {std::min(size.width(), narrowed), size.height()});
    // Nothing better: at the area's right edge, over the screen.
    if (!chosen)
        chosen = {QPoint(area.right() + 1 - outerWidth, top), size};
    window->resize(chosen->second);
    window->move(chosen->first);
    fitIntoArea(window, area);
}

} // namespace vorleth
