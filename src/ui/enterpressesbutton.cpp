#include "ui/enterpressesbutton.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace vorleth {

namespace {

bool takesEnterItself(const QAbstractButton* button) {
    const auto* push = qobject_cast<const QPushButton*>(button);
    return push && (push->autoDefault() || push->isDefault());
}

} // namespace

bool EnterPressesButton::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    // Check boxes and radio buttons keep Qt's meaning of Enter (it reaches the dialog or the
    // screen); only buttons that do something when pressed are pressed.
    if (!button || (!qobject_cast<QPushButton*>(button) && !qobject_cast<QToolButton*>(button)))
        return false;
    if (!button->hasFocus() || !button->isEnabled() || takesEnterItself(button))
        return false;
    // A held key repeats; the first press has opened whatever the button opens, and the
    // repeats must not press whatever has the focus there.
    if (!key->isAutoRepeat())
        button->click();
    return true;
}

} // namespace vorleth
