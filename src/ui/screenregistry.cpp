#include "ui/screenregistry.h"

#include "ui/screenarea.h"

#include <QCoreApplication>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace vorleth {

namespace {
// Closes a screen that stayed open after handing over, once no handler of it can still be
// running: a modal box opened in between runs a nested event loop, and deleting the screen
// from there would pull it from under the code that opened the box.
void closeWhenIdle(const QPointer<QWidget>& screen, int delayMs = 0) {
    QTimer::singleShot(delayMs, screen, [screen] {
        if (!screen || !screen->isVisible())
            return;
        if (QThread::currentThread()->loopLevel() > 1) {
            closeWhenIdle(screen, 50);
            return;
        }
        screen->setProperty(ScreenRegistry::replacedProperty, true);
        screen->close();
    });
}
// Without a chosen layout (some tests): the part of the screen windows may use.
QRect availableArea(const QWidget* window) {
    return window && window->screen() ? window->screen()->availableGeometry() : QRect();
}
} // namespace

ScreenRegistry::ScreenRegistry() {
    if (QCoreApplication::instance()) {
        QCoreApplication::instance()->installEventFilter(&m_strayClicks);
        QCoreApplication::instance()->installEventFilter(&m_enterPresses);
    }
}

ScreenRegistry::~ScreenRegistry() {
    if (QCoreApplication::instance()) {
        QCoreApplication::instance()->removeEventFilter(&m_enterPresses);
        QCoreApplication::instance()->removeEventFilter(&m_strayClicks);
    }
}

void ScreenRegistry::registerScreen(ScreenId id, Factory f, Placement placement) {
    m_entries[id] = Entry{std::move(f), placement};
}

QWidget* ScreenRegistry::create(ScreenId id, const Handover& handover) {
    const auto it = m_entries.find(id);
    if (it == m_entries.end() || !it->second.factory)
        return nullptr;
    QWidget* screen = it->second.factory(*this, handover);
    if (screen)
        screen->setAttribute(Qt::WA_DeleteOnClose);
    return screen;
}

void ScreenRegistry::show(ScreenId id, const Handover& handover) {
    QWidget* screen = create(id, handover);
    if (!screen)
        return;
    const bool onTop = m_entries[id].placement == Placement::OnTop;
    QPointer<QWidget> previous = m_current;
    QPointer<QWidget> previousUnderneath = m_underneath;

    m_current = screen;
    m_underneath = onTop ? previous : QPointer<QWidget>();
    if (onTop) {
        // When the screen on top goes away without handing over, the one underneath is the
        // working screen again.
        std::weak_ptr<int> alive = m_alive;
        QObject::connect(screen, &QObject::destroyed, screen, [this, screen, alive] {
            if (alive.expired())
                return;
            if (m_current == nullptr || m_current.data() == screen) {
                m_current = m_underneath;
                m_underneath = nullptr;
            }
        });
    }
    if (m_large)
        fitIntoArea(screen, chosenScreenArea(screen, m_large()));
    // Shown before anything closes, so the program never runs out of windows in between.
    screen->show();
    screen->raise();
    screen->activateWindow();

    if (onTop)
        return;
    // The caller closes itself right after handing over; one that does not (or a screen left
    // underneath an overlay) is closed once control is back in the event loop.
    for (const QPointer<QWidget>& old : {previous, previousUnderneath}) {
        if (old && old != screen)
            closeWhenIdle(old);
    }
}

void ScreenRegistry::showBeside(ScreenId id, const Handover& handover) {
    QPointer<QWidget>& open = m_beside[id];
    if (open) {
        if (open->isMinimized())
            open->showNormal();
        open->show();
        open->raise();
        open->activateWindow();
        return;
    }
    QWidget* screen = create(id, handover);
    if (!screen)
        return;
    open = screen;
    // A window that chose its size keeps it; the others take the size their contents ask for.
    if (!screen->testAttribute(Qt::WA_Resized))
        screen->adjustSize();
    const QWidget* working = m_current;
    const QRect area = m_large ? chosenScreenArea(working ? working : screen, m_large())
                               : availableArea(working ? working : screen);
    if (area.isValid())
        placeBeside(screen, working, area);
    screen->show();
    screen->raise();
    screen->activateWindow();
}

QWidget* ScreenRegistry::beside(ScreenId id) const {
    const auto it = m_beside.find(id);
    return it == m_beside.end() ? nullptr : it->second.data();
}

} // namespace vorleth
