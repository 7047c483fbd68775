#pragma once

// Finding a screen's controls by their object names, and acting on them as a user would.

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QTreeView>
#include <QWidget>

#include <gtest/gtest.h>

namespace vorleth::test {

// The child of that name; a missing one fails the test (and gives null).
template <typename T> T* child(const QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << "no " << name;
    return found;
}

inline void click(const QObject* parent, const char* button) {
    if (auto* b = child<QPushButton>(parent, button))
        b->click();
}

// Escape pressed while that control has the focus: a key it leaves goes on to its parents.
inline void pressEscape(QWidget* focus) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(focus, &key);
}

inline void trigger(const QObject* parent, const char* action) {
    if (auto* a = child<QAction>(parent, action))
        a->trigger();
}

// Whether a tree's current row is selected and wholly inside the part of the view one sees.
inline bool currentRowInView(const QTreeView* tree) {
    const QModelIndex current = tree->currentIndex();
    return current.isValid() && tree->selectionModel()->isSelected(current) &&
           tree->viewport()->rect().contains(tree->visualRect(current));
}

// The object names of a window's text boxes that a screen reader could not name: neither an
// accessible name of their own nor a label that names them.
inline QStringList unnamedTextBoxes(const QWidget* window) {
    QList<const QWidget*> boxes;
    for (const QLineEdit* box : window->findChildren<QLineEdit*>())
        if (!qobject_cast<const QWidget*>(box->parent())->inherits("QComboBox"))
            boxes << box;
    for (const QPlainTextEdit* box : window->findChildren<QPlainTextEdit*>())
        boxes << box;
    QStringList unnamed;
    for (const QWidget* box : boxes) {
        bool labelled = !box->accessibleName().isEmpty();
        for (const QLabel* label : window->findChildren<QLabel*>())
            labelled = labelled || label->buddy() == box;
        if (!labelled)
            unnamed << box->objectName();
    }
    return unnamed;
}

// Lets closed screens go away and posted events arrive.
inline void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Closes every window the test left open, and the windows their closing opens in turn (the
// counting screen's close box goes back to the board): a window outliving its test would
// reach into the next test's fixture with the last one's state.
inline void closeEveryWindow() {
    for (int round = 0; round < 5; ++round) {
        const QWidgetList open = QApplication::topLevelWidgets();
        if (open.isEmpty())
            break;
        for (QWidget* w : open)
            w->close();
        settle();
    }
}

} // namespace vorleth::test
