#include "state/sharedstate.h"

#include <QDir>

namespace vorleth {

QString defaultBaseDirectory() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:/Vorleth");
#else
    return QDir::home().filePath(QStringLiteral("Vorleth"));
#endif
}

SharedState::SharedState(QString base)
    : baseDirectory(std::move(base)), clock([] { return QDateTime::currentDateTime(); }) {}

} // namespace vorleth
