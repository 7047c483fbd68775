#pragma once

#include "interaction/dialogs.h"

class QWidget;

namespace vorleth {

// Dialogs as real modal boxes, centred on (or placed relative to) a parent window.
class MessageDialogs : public Dialogs {
public:
    explicit MessageDialogs(QWidget* parent = nullptr) : m_parent(parent) {}

    Answer message(const QString& text, Buttons buttons = Buttons::Ok,
                   const QString& title = QString()) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText, int x = -1, int y = -1) override;

private:
    QWidget* m_parent;
};

} // namespace vorleth
