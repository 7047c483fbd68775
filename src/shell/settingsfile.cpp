#include "shell/settingsfile.h"

#include "state/sharedstate.h"

#include <QDir>
#include <QFile>

#include <limits>
#include <optional>

namespace vorleth {

namespace {

constexpr int unreadFieldCount = 5;

// Walks the text field by field: a field runs to the next comma or line end, leading blanks
// skipped. There is no quoting.
class FieldReader {
public:
    explicit FieldReader(QString text) : m_text(std::move(text)) {}

    std::optional<QString> next() {
        while (m_pos < m_text.size() && isBlank(m_text.at(m_pos)))
            ++m_pos;
        if (m_pos >= m_text.size())
            return std::nullopt;
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && !isDelimiter(m_text.at(m_pos)))
            ++m_pos;
        QString field = m_text.mid(start, m_pos - start);
        if (m_pos < m_text.size()) {
            const QChar delimiter = m_text.at(m_pos++);
            if (delimiter == QLatin1Char('\r') && m_pos < m_text.size() &&
                m_text.at(m_pos) == QLatin1Char('\n'))
                ++m_pos;
        }
        return field;
    }

private:
    static bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
    static bool isDelimiter(QChar c) {
        return c == QLatin1Char(',') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
    }

    QString m_text;
    qsizetype m_pos = 0;
};

std::optional<int> parseShort(const QString& field) {
    const std::optional<int> value = textfile::parseNumber(field);
    if (!value || *value < std::numeric_limits<qint16>::min() ||
        *value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return value;
}

} // namespace

QString settingsFilePath(const QString& baseDirectory) {
    return QDir(baseDirectory).filePath(settingsFileName);
}

QString formatNumberField(int value) {
    const QString sign = value < 0 ? QStringLiteral("-") : QStringLiteral(" ");
    return sign + QString::number(qAbs(static_cast<qint64>(value))) + QLatin1Char(' ');
}

QString settingsLine(const Settings& settings) {
    QString line = settings.recordDirectory + QLatin1Char(',') + settings.photoDirectory +
                   QLatin1Char(',') + formatNumberField(settings.screenSize);
    for (int i = 0; i < unreadFieldCount; ++i)
        line += QLatin1Char(',') + formatNumberField(0);
    return line + QStringLiteral("\r\n");
}

Outcome writeSettings(const QString& baseDirectory, const Settings& settings) {
    const std::optional<QByteArray> bytes = textfile::encodeExactly(settingsLine(settings));
    if (!bytes)
        return Outcome::failure(QStringLiteral("フォルダ名に保存できない文字が含まれています"));
    // Written to a temporary file and renamed, so a failed write never leaves half a line.
    return textfile::writeFileSafely(settingsFilePath(baseDirectory), *bytes);
}

Outcome writeSettings(const SharedState& state) {
    return writeSettings(state.baseDirectory, state.settings);
}

bool readFirstThreeFields(const QString& baseDirectory, Settings& settings) {
    QFile file(settingsFilePath(baseDirectory));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    return readSettingsFields(bytes, settings);
}

bool readSettingsFields(const QByteArray& bytes, Settings& settings) {
    std::optional<QString> text = textfile::decode(bytes);
    if (!text)
        return false;

    FieldReader reader(std::move(*text));
    const auto recordDirectory = reader.next();
    if (!recordDirectory)
        return false;
    settings.recordDirectory = *recordDirectory;
    const auto photoDirectory = reader.next();
    if (!photoDirectory)
        return false;
    settings.photoDirectory = *photoDirectory;
    const auto screenSizeField = reader.next();
    const auto screenSize = screenSizeField ? parseShort(*screenSizeField) : std::nullopt;
    if (!screenSize)
        return false;
    settings.screenSize = *screenSize;
    return true;
}

ReadResult readSettings(SharedState& state) {
    ReadResult result;
    result.readWhole = readFirstThreeFields(state.baseDirectory, state.settings);
    if (!result.readWhole) {
        result.rewritten = true;
        result.rewrite = writeSettings(state);
    }
    return result;
}

} // namespace vorleth
