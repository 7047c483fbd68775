#include "shell/setup.h"

#include "interaction/dialogs.h"
#include "shell/slideshow.h"
#include "state/sharedstate.h"
#include "store/workingfiles.h"

#include <QDir>

namespace vorleth {

QString chosenRecordDirectory(const SharedState& state, const QString& shown) {
    return QDir::toNativeSeparators(shown.isEmpty() ? state.baseDirectory : shown);
}

QString chosenPhotoDirectory(const QString& shown) {
    if (shown.isEmpty())
        return slideshowOff;
    QString directory = QDir::toNativeSeparators(shown);
    if (!directory.endsWith(QDir::separator()))
        directory += QDir::separator();
    return directory;
}

bool resetsWorkingEntry(const QString& workingFileChoice) {
    return workingFileChoice.left(5) == QStringLiteral("棋譜ＥＮＴ");
}

namespace {

bool store(SharedState& state, const Settings& settings, Dialogs& dialogs) {
    const Outcome result = writeSettings(state.baseDirectory, settings);
    if (!result.ok) {
        dialogs.message(cannotWriteSettingsMessage + result.error());
        return false;
    }
    state.settings = settings;
    return true;
}

} // namespace

bool applySetup(SharedState& state, const SetupChoice& choice, Dialogs& dialogs) {
    Settings settings = state.settings;
    settings.recordDirectory = chosenRecordDirectory(state, choice.recordDirectory);
    settings.photoDirectory = chosenPhotoDirectory(choice.photoDirectory);

    // The working entry's own writer shows why it failed.
    if (resetsWorkingEntry(choice.workingFileChoice) &&
        !report(dialogs, writeWorkingEntryPlaceholder(state.baseDirectory)))
        return false;
    return store(state, settings, dialogs);
}

QString screenSizeText(int screenSize) {
    return screenSize == 800 ? QStringLiteral("８００　６００") : QStringLiteral("６４０　４８０ ");
}

QString currentSizeLabel(int screenSize) {
    return QStringLiteral("今のサイズは") + screenSizeText(screenSize) + QStringLiteral("です");
}

bool applyScreenSize(SharedState& state, int screenSize, Dialogs& dialogs) {
    Settings settings = state.settings;
    settings.screenSize = screenSize;
    return store(state, settings, dialogs);
}

} // namespace vorleth
