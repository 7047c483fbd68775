#include "import/importsource.h"

#include "interaction/dialogs.h"

#include <QFile>
#include <QFileInfo>

namespace vorleth {

void offerSourceDeletion(ImportSource& source, Dialogs& dialogs) {
    if (!source.yahooImportFlag || source.importSourcePath.isEmpty())
        return;
    if (dialogs.message(sourceDeletionQuestion, Dialogs::Buttons::YesNoDefaultNo) !=
        Dialogs::Answer::Yes)
        return;
    const QString path = source.importSourcePath;
    if (QFileInfo::exists(path) && !QFile::remove(path)) {
        dialogs.message(cannotDeleteSourceMessage + path);
        return;
    }
    source.importSourcePath.clear();
}

} // namespace vorleth
