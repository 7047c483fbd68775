#include "counting/guesschoice.h"

#include <QDir>
#include <QFile>

namespace vorleth {

namespace {

const QString estimateWord = QStringLiteral("推定");
const QString traditionalWord = QStringLiteral("従来");

QString guessFilePath(const QString& baseDirectory) {
    return QDir(baseDirectory).filePath(countGuessFileName);
}

} // namespace

CountGuess readCountGuess(const QString& baseDirectory) {
    QFile file(guessFilePath(baseDirectory));
    if (!file.open(QIODevice::ReadOnly))
        return CountGuess::Estimate;
    const std::optional<QString> text = textfile::decode(file.readAll());
    if (!text)
        return CountGuess::Estimate;
    const QStringList lines = textfile::splitLines(*text);
    return !lines.isEmpty() && lines.first().trimmed() == traditionalWord ? CountGuess::Traditional
                                                                          : CountGuess::Estimate;
}

Outcome writeCountGuess(const QString& baseDirectory, CountGuess guess) {
    const QString word = guess == CountGuess::Traditional ? traditionalWord : estimateWord;
    return textfile::writeFileSafely(guessFilePath(baseDirectory),
                                     textfile::encode(word) + textfile::lineEnd);
}

} // namespace vorleth
