#pragma once

#include <QString>
#include <QStringList>

#include <utility>

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
    // Why it failed; empty on success.
    QString error() const { return ok ? QString() : messages.value(0); }
    // Turns this into a failure for that reason.
    Outcome& fail(const QString& reason) {
        ok = false;
        messages = QStringList{reason};
        return *this;
    }
};

// What an operation that produces something reports: its Outcome, with the members of the
// value beside it (a Result<GameRecord> has the record's metadata and moves). The value means
// something only when the operation succeeded.
template <class T> struct [[nodiscard]] Result : Outcome, T {
    const T& value() const { return *this; }
    T& value() { return *this; }

    static Result success(T value) {
        Result r;
        r.value() = std::move(value);
        return r;
    }
    static Result failure(const QString& reason) {
        Result r;
        r.fail(reason);
        return r;
    }
};

} // namespace vorleth
