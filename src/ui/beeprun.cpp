#include "ui/beeprun.h"

#include "ui/platform.h"

#include <algorithm>

namespace vorleth {

BeepRun::BeepRun(QObject* parent, std::function<void()> beep)
    : QObject(parent), m_beep(beep ? std::move(beep) : std::function<void()>(systemBeep)),
      m_timer(this) {
    m_timer.setObjectName(QStringLiteral("beepTimer"));
    m_timer.setInterval(spacingMs);
    connect(&m_timer, &QTimer::timeout, this, &BeepRun::tick);
}

void BeepRun::soundBeeps(int count) {
    if (count <= 0)
        return;
    m_pending = std::max(m_pending, count);
    if (!m_timer.isActive()) {
        // The first beep at once, so the warning is heard with what caused it.
        tick();
        if (m_pending > 0)
            m_timer.start();
    }
}

void BeepRun::tick() {
    if (m_pending <= 0) {
        m_timer.stop();
        return;
    }
    --m_pending;
    m_beep();
    if (m_pending == 0)
        m_timer.stop();
}

} // namespace vorleth
