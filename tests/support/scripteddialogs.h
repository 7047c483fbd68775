#pragma once

#include "interaction/dialogs.h"

#include <QStringList>

#include <deque>

namespace vorleth::test {

// Records every box shown and answers from scripted queues (OK / default text when empty).
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString text;
        Buttons buttons;
    };

    std::deque<Answer> answers;
    std::deque<std::optional<QString>> inputs;
    std::vector<Shown> shown;
    QStringList prompts;
    QStringList inputTitles;

    Answer message(const QString& text, Buttons buttons, const QString&) override {
        shown.push_back({text, buttons});
        if (answers.empty())
            return isYesNo(buttons) ? Answer::Yes : Answer::Ok;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& defaultText, int, int) override {
        prompts << prompt;
        inputTitles << title;
        if (inputs.empty())
            return defaultText;
        const bool cancelled = !inputs.front().has_value();
        const QString text = inputs.front().value_or(QString());
        inputs.pop_front();
        if (cancelled)
            return std::nullopt;
        return text;
    }

    QStringList messages() const {
        QStringList texts;
        for (const auto& s : shown)
            texts << s.text;
        return texts;
    }
};

} // namespace vorleth::test
