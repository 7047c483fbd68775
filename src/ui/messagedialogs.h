#pragma once

#include "interaction/dialogs.h"

#include <functional>

class QWidget;

namespace vorleth {

// Dialogs as real modal boxes, centred on (or placed relative to) the window that asks: the
// one a modal box already open belongs to, else the one the parent function names (the
// working screen), so that a box never opens in the middle of a desktop larger than the
// program's screen size.
class MessageDialogs : public Dialogs {
public:
    explicit MessageDialogs(QWidget* parent = nullptr) : m_parent([parent] { return parent; }) {}
    explicit MessageDialogs(std::function<QWidget*()> parent) : m_parent(std::move(parent)) {}

    Answer message(const QString& text, Buttons buttons = Buttons::Ok,
                   const QString& title = QString()) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText, int x = -1, int y = -1) override;

private:
    QWidget* parent() const;

    std::function<QWidget*()> m_parent;
};

} // namespace vorleth
