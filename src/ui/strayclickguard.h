#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>

namespace vorleth {

// A double click on a button that opens another window: the first click opens it under the
// pointer, and the second click, as the window system sends it, lands in the new window and
// would press whatever is there (a button, a question's Yes, a point of the board). Installed
// on the application, this drops the presses, double clicks and releases of a double click
// whose first press went to another window.
class StrayClickGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Press {
        QPointer<QWidget> window;
        Qt::MouseButton button = Qt::NoButton;
        QPointF globalPosition;
        quint64 timestamp = 0;
    };
    bool continuesPressElsewhere(const QWidget* window, Qt::MouseButton button,
                                 QPointF globalPosition, quint64 timestamp) const;

    Press m_last;
    bool m_hasLast = false;
    // The double click being dropped: its window and button, until its release.
    QPointer<QWidget> m_droppingIn;
    Qt::MouseButton m_droppingButton = Qt::NoButton;
};

} // namespace vorleth
