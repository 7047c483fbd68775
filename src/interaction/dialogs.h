#pragma once

#include "store/outcome.h"

#include <QString>

#include <optional>

namespace vorleth {

// Modal message and input boxes. The screens use a Qt implementation; tests answer
// with a scripted one.
class Dialogs {
public:
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    virtual Answer message(const QString& text, Buttons buttons = Buttons::Ok,
                           const QString& title = QString()) = 0;

    // Returns the text entered, or nothing when the box was cancelled.
    // x and y place the box (twips from the screen's top left); negative means centred.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& defaultText, int x = -1, int y = -1) = 0;
};

// What a screen or a menu entry whose part of the program is not built yet says instead.
inline const QString notReadyMessage = QStringLiteral("この機能は準備中です");

// Answers every box at once without a user: OK, No (so nothing gets deleted unasked),
// and the default text.
class SilentDialogs : public Dialogs {
public:
    Answer message(const QString&, Buttons buttons, const QString&) override {
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
    std::optional<QString> input(const QString&, const QString&, const QString& defaultText, int,
                                 int) override {
        return defaultText;
    }
};

// Shows the messages an operation reported, in order; returns whether it succeeded.
inline bool report(Dialogs& dialogs, const Outcome& outcome) {
    for (const QString& message : outcome.messages)
        dialogs.message(message);
    return outcome.ok;
}

} // namespace vorleth
