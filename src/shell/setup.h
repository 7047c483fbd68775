#pragma once

#include "shell/settingsfile.h"

#include <QString>

namespace vorleth {

class Dialogs;
struct SharedState;

// Shown, followed by the reason, when the settings file cannot be written.
inline const QString cannotWriteSettingsMessage = QStringLiteral("設定ファイルを書き込めません：");

// Entries of the setup screen's working-file choice.
inline const QString keepWorkingEntryChoice = QStringLiteral("しない");
inline const QString resetWorkingEntryChoice = QStringLiteral("棋譜ＥＮＴをする");

// What the setup screen shows when "設定する" is pressed.
struct SetupChoice {
    QString recordDirectory;   // the directory shown by the record tree, empty when none
    QString photoDirectory;    // the directory shown by the photo tree, empty when none
    QString workingFileChoice; // the text of the working-file choice
};

// The values "設定する" stores: the record directory (the base directory when none is shown)
// and the photo directory with a trailing separator ("PASS" when none is shown).
QString chosenRecordDirectory(const SharedState& state, const QString& shown);
QString chosenPhotoDirectory(const QString& shown);
bool resetsWorkingEntry(const QString& workingFileChoice);

// Applies the setup: resets the working entry when chosen, stores both directories and writes
// the settings file. A failure is shown with its reason, the settings in memory stay as they
// were and false is returned, so the screen can stay open for another try.
bool applySetup(SharedState& state, const SetupChoice& choice, Dialogs& dialogs);

// The screen-size screen.
QString screenSizeText(int screenSize); // "８００　６００" or "６４０　４８０ "
QString currentSizeLabel(int screenSize);
// Stores the new size and writes the settings file; a failure is shown and keeps the size.
bool applyScreenSize(SharedState& state, int screenSize, Dialogs& dialogs);

} // namespace vorleth
