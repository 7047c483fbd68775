#include "shell/slideshow.h"

#include "state/sharedstate.h"

#include <QDir>

namespace vorleth {

bool slideshowEnabled(const QString& photoDirectory) {
    return photoDirectory != slideshowOff && photoDirectory.size() >= 2;
}

QStringList slideshowPictures(const QString& photoDirectory) {
    QDir directory(photoDirectory);
    directory.setNameFilters({QStringLiteral("*.bmp"), QStringLiteral("*.jpg")});
    directory.setFilter(QDir::Files);
    // Name filters ignore letter case unless told otherwise; the order ignores it too, as the
    // file lists of the system the photographs come from do.
    directory.setSorting(QDir::Name | QDir::IgnoreCase);
    return directory.entryList();
}

std::optional<QString> slideshowTick(SharedState& state) {
    const QString& photoDirectory = state.settings.photoDirectory;
    if (!slideshowEnabled(photoDirectory))
        return std::nullopt;
    const QStringList pictures = slideshowPictures(photoDirectory);
    if (pictures.isEmpty())
        return std::nullopt;
    int& index = state.shell.slideshowIndex;
    index += 1;
    if (index > pictures.size() || index < 1)
        index = 1;
    return QDir(photoDirectory).filePath(pictures.at(index - 1));
}

} // namespace vorleth
