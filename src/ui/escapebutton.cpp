#include "ui/escapebutton.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace vorleth {

namespace {

// Watches the screen itself: a key reaches it only when the control with the focus left it
// unused, so an editor that cancels with Escape keeps doing so.
class EscapeFilter : public QObject {
public:
    EscapeFilter(QWidget* screen, QAbstractButton* button) : QObject(screen), m_button(button) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier)
            return false;
        if (m_button && m_button->isEnabled() && m_button->isVisibleTo(m_button->window()))
            m_button->click();
        return true;
    }

private:
    QPointer<QAbstractButton> m_button;
};

} // namespace

void pressOnEscape(QWidget* screen, QAbstractButton* button) {
    screen->installEventFilter(new EscapeFilter(screen, button));
}

} // namespace vorleth
