#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace vorleth {

// A file's size and time as the search index keeps them (size -1: no regular file there).
// Read without the time-zone work of QDateTime, which counts for a listing of 100,000 records.
struct FileStamp {
    std::int64_t size = -1;
    std::int64_t modified = 0;
};

FileStamp stampOfFile(const QString& directory, const QString& name);

// Calls each with the name and stamp of every record file (".IGO", letter case ignored) of the
// directory; false when the directory cannot be read.
using RecordVisitor = std::function<void(const QString& name, FileStamp stamp)>;
bool listRecords(const QString& directory, const RecordVisitor& each);

} // namespace vorleth
