#include "search/recordfiles.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_LINUX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#else
#include <filesystem>
#endif

namespace vorleth {

namespace {

bool isRecordName(const QString& name) {
    return name.endsWith(u".igo", Qt::CaseInsensitive);
}

} // namespace

#ifdef Q_OS_LINUX
// One stat per record, relative to the open directory: the standard library's directory
// entries stat a file once for its size and again for its time, each by its whole path, which
// makes most of the time of checking a large library.
static FileStamp stampOf(const struct stat& st) {
    if (!S_ISREG(st.st_mode))
        return {};
    return {static_cast<std::int64_t>(st.st_size),
            static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

FileStamp stampOfFile(const QString& directory, const QString& name) {
    struct stat st;
    if (::stat(QFile::encodeName(QDir(directory).filePath(name)).constData(), &st) != 0)
        return {};
    return stampOf(st);
}

bool listRecords(const QString& directory, const RecordVisitor& each) {
    DIR* dir = ::opendir(QFile::encodeName(directory).constData());
    if (!dir)
        return false;
    const int fd = ::dirfd(dir);
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_type != DT_REG && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        struct stat st;
        if (!isRecordName(name) || ::fstatat(fd, entry->d_name, &st, 0) != 0)
            continue;
        if (const FileStamp stamp = stampOf(st); stamp.size >= 0)
            each(name, stamp);
    }
    const bool complete = errno == 0;
    ::closedir(dir);
    return complete;
}
#else
namespace fs = std::filesystem;

static fs::path nativePath(const QString& path) {
    return fs::path(path.toStdU16String());
}

static FileStamp stampOf(const fs::directory_entry& entry) {
    std::error_code error;
    if (!entry.is_regular_file(error))
        return {};
    FileStamp stamp;
    stamp.size = static_cast<std::int64_t>(entry.file_size(error));
    if (error)
        return {};
    stamp.modified = entry.last_write_time(error).time_since_epoch().count();
    return error ? FileStamp{} : stamp;
}

FileStamp stampOfFile(const QString& directory, const QString& name) {
    std::error_code error;
    const fs::directory_entry entry(nativePath(QDir(directory).filePath(name)), error);
    return error ? FileStamp{} : stampOf(entry);
}

bool listRecords(const QString& directory, const RecordVisitor& each) {
    std::error_code error;
    for (fs::directory_iterator it(nativePath(directory), error), end; !error && it != end;
         it.increment(error)) {
#ifdef Q_OS_WIN
        const QString name = QString::fromStdWString(it->path().filename().native());
#else
        const QString name =
            QFile::decodeName(QByteArray::fromStdString(it->path().filename().native()));
#endif
        if (!isRecordName(name))
            continue;
        if (const FileStamp stamp = stampOf(*it); stamp.size >= 0)
            each(name, stamp);
    }
    return !error;
}
#endif

} // namespace vorleth
