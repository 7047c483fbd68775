#pragma once

#include <QString>
#include <QStringList>

namespace vorleth {

// What an operation below the screens reports to the screen that called it: whether it did
// what was asked, and the messages the user must see, in order. A failure carries its reason;
// a success may carry a message too (a saved record whose old version could not be deleted).
struct [[nodiscard]] Outcome {
    bool ok = true;
    QStringList messages;

    static Outcome success() { return {}; }
    static Outcome failure(const QString& message) { return {false, {message}}; }
    Outcome& note(const QString& message) {
        messages << message;
        return *this;
    }
};

} // namespace vorleth
