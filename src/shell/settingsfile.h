#pragma once

#include "store/textfile.h"

#include <QByteArray>
#include <QString>

namespace vorleth {

struct SharedState;
struct Settings;

// The settings file "棋譜.dev" in the base directory: one line in Windows-31J ending in CR LF,
// eight comma-separated fields: the record directory, the photo directory, the screen size and
// five zeros that are never read.
inline const QString settingsFileName = QStringLiteral("棋譜.dev");

QString settingsFilePath(const QString& baseDirectory);

// A number as the file writes it: a blank (or a minus sign) in the sign position, the digits,
// one trailing blank: " 0 ", " 800 ", "-5 ".
QString formatNumberField(int value);

// The whole line, CR LF included.
QString settingsLine(const Settings& settings);

// Rewrites the whole file with the three current values and the five zeros. A directory name
// that Windows-31J cannot spell is refused rather than written as something else.
Outcome writeSettings(const QString& baseDirectory, const Settings& settings);
Outcome writeSettings(const SharedState& state);

// Reads the first three fields of the file's bytes into settings, one after the other; a field
// that was read keeps its value when a later one fails. Returns false when a field cannot be
// read (missing, bytes that are not Windows-31J, or a screen size that is not a 16-bit number).
bool readSettingsFields(const QByteArray& bytes, Settings& settings);
// The same for the settings file of baseDirectory; false also when it cannot be opened.
bool readFirstThreeFields(const QString& baseDirectory, Settings& settings);

// Reads the settings; when that fails the file is rewritten at once with the values held at
// that moment. Returns whether the file was read whole.
struct ReadResult {
    bool readWhole = false;
    bool rewritten = false;
    Outcome rewrite; // only meaningful when rewritten
};
ReadResult readSettings(SharedState& state);

} // namespace vorleth
