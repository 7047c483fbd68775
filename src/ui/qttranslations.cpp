#include "ui/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vorleth {

bool installQtJapanese(QCoreApplication& app) {
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // qtbase carries the widgets' texts; the web engine's own catalogue is there on some
    // systems only (not on Debian 12), for the page's context menu.
    bool baseLoaded = false;
    for (const QString& name : {QStringLiteral("qtbase_ja"), QStringLiteral("qtwebengine_ja")}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(name, directory) && QCoreApplication::installTranslator(translator)) {
            baseLoaded = baseLoaded || name.startsWith(QLatin1String("qtbase"));
        } else {
            delete translator;
        }
    }
    return baseLoaded;
}

} // namespace vorleth
