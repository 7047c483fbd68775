#include "ui/strayclickguard.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWidget>

namespace vorleth {

bool StrayClickGuard::continuesPressElsewhere(const QWidget* window, Qt::MouseButton button,
                                              QPointF globalPosition, quint64 timestamp) const {
    // Events made up without a time (by the program itself) are never taken for the second
    // half of a double click.
    if (!m_hasLast || m_last.button != button || timestamp == 0 || m_last.timestamp == 0)
        return false;
    if (m_last.window == window)
        return false;
    const QStyleHints* hints = QGuiApplication::styleHints();
    if (timestamp < m_last.timestamp ||
        timestamp - m_last.timestamp >= quint64(hints->mouseDoubleClickInterval()))
        return false;
    const QPointF moved = globalPosition - m_last.globalPosition;
    return moved.manhattanLength() <= hints->mouseDoubleClickDistance();
}

bool StrayClickGuard::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease)
        return false;
    // The window system's event reaches the window first and then each widget in turn; the
    // widgets are what would act on it.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    QWidget* window = widget->window();
    const Qt::MouseButton button = mouse->button();

    if (m_droppingIn && m_droppingIn == window && m_droppingButton == button) {
        if (type == QEvent::MouseButtonRelease)
            m_droppingIn = nullptr;
        return true;
    }
    if (type == QEvent::MouseButtonRelease)
        return false;

    const bool stray =
        continuesPressElsewhere(window, button, mouse->globalPosition(), mouse->timestamp());
    if (stray) {
        m_droppingIn = window;
        m_droppingButton = button;
        return true;
    }
    if (type == QEvent::MouseButtonPress)
        m_last = {window, button, mouse->globalPosition(), mouse->timestamp()};
    m_hasLast = m_hasLast || type == QEvent::MouseButtonPress;
    return false;
}

} // namespace vorleth
