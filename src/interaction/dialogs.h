#pragma once

#include "store/outcome.h"

#include <QString>

#include <optional>

namespace vorleth {

// Modal message and input boxes. The screens use a Qt implementation; tests answer
// with a scripted one.
class Dialogs {
public:
    // A question whose Yes (or OK) deletes a file starts on the answer that keeps it, so that
    // a hasty Enter deletes nothing: YesNoDefaultNo, OkCancelDefaultCancel.
    enum class Buttons { Ok, OkCancel, YesNo, YesNoDefaultNo, OkCancelDefaultCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    virtual Answer message(const QString& text, Buttons buttons = Buttons::Ok,
                           const QString& title = QString()) = 0;

    // Returns the text entered, or nothing when the box was cancelled.
    // x and y place the box (twips from the screen's top left); negative means centred.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& defaultText, int x = -1, int y = -1) = 0;
};

// Yes and No are the answers of these boxes; OK and Cancel of the others.
inline bool isYesNo(Dialogs::Buttons buttons) {
    return buttons == Dialogs::Buttons::YesNo || buttons == Dialogs::Buttons::YesNoDefaultNo;
}

// Answers every box at once without a user: OK, No (so nothing gets deleted unasked), Cancel
// where OK would delete, and the default text.
class SilentDialogs : public Dialogs {
public:
    Answer message(const QString&, Buttons buttons, const QString&) override {
        if (isYesNo(buttons))
            return Answer::No;
        return buttons == Buttons::OkCancelDefaultCancel ? Answer::Cancel : Answer::Ok;
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
