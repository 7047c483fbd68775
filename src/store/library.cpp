#include "store/library.h"

#include "store/catalogue.h"
#include "store/recordname.h"
#include "store/textfile.h"

#include <QFile>
#include <QFileInfo>

namespace vorleth {

QString recordTooLongMessage() {
    return QStringLiteral("棋譜ファイルに書けるのは%1項目までです。保管できません")
        .arg(MoveList::recordableEntries);
}

Result<GameRecord> loadRecord(const QString& directory, const QString& fileName) {
    QFile file(recordPath(directory, fileName));
    const auto unreadable =
        Result<GameRecord>::failure(cannotReadRecordMessage + fileName + recordExtension);
    if (!file.open(QIODevice::ReadOnly))
        return unreadable;
    const QByteArray body = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return unreadable;
    return decodeRecord(fileName, body);
}

Outcome readRecord(const QString& directory, CurrentRecord& record, MoveList& moves) {
    Result<GameRecord> read = loadRecord(directory, record.fileName);
    if (!read.ok)
        return read;
    const RecordMetadata& m = read.metadata;
    record.game = m.game;
    record.moveCount = m.entryCount;
    moves = std::move(read.moves);
    return Outcome::success();
}

QString newRecordName(const GameInfo& game, int entryCount, const QDateTime& now) {
    RecordMetadata m;
    m.game = game;
    m.recordDate = nameDate(now.date());
    m.entryCount = entryCount;
    m.timeOfDay = nameTime(now.time());
    m.referenceDate = m.recordDate;
    return recordFileName(m);
}

Outcome saveRecord(const QString& directory, Catalogue& catalogue, CurrentRecord& record,
                   const MoveList& moves, const QDateTime& now) {
    const int length = moves.length();
    if (length > MoveList::recordableEntries)
        return Outcome::failure(recordTooLongMessage());

    const QString newName = newRecordName(record.game, length, now);

    const QString previousName = record.fileName;
    const bool newVersion = record.selectedIndex != 0;
    // Another record can carry the same name (same names, result and length, saved within the
    // same second); overwriting it would lose that record.
    const bool ownFile = newVersion && previousName == newName;
    if (!ownFile && QFileInfo(recordPath(directory, newName)).isFile())
        return Outcome::failure(sameNameExistsMessage + newName + recordExtension);

    GameRecord written;
    written.metadata.game = record.game;
    written.moves = moves;
    const QByteArray body = encodeRecordBody(written, record.moveCount, now.date());
    if (!textfile::writeFileSafely(recordPath(directory, newName), body).ok)
        return Outcome::failure(cannotSaveRecordMessage + newName + recordExtension);

    Outcome outcome;
    // Only now that the new version is complete may the old one go.
    if (newVersion && !previousName.isEmpty() && previousName != newName) {
        const QString oldPath = recordPath(directory, previousName);
        if (QFileInfo::exists(oldPath) && !QFile::remove(oldPath))
            outcome.note(oldFileDeleteErrorMessage + previousName);
    }

    if (isCataloguePosition(catalogue, record.selectedIndex)) {
        catalogue.replace(record.selectedIndex, parseRecordName(newName));
    } else {
        catalogue.append(parseRecordName(newName));
        record.selectedIndex = catalogue.count();
    }
    record.fileName = newName;
    return outcome;
}

Outcome touchRecord(const QString& directory, CurrentRecord& record, const QDateTime& now) {
    if (record.fileName.isEmpty())
        return Outcome::success();
    const QString newName = touchedFileName(record.fileName, now);
    if (newName == record.fileName)
        return Outcome::success();
    // QFile::rename never replaces an existing file: a record already under the new name stays.
    if (!QFile::rename(recordPath(directory, record.fileName), recordPath(directory, newName)))
        return Outcome::failure(updateErrorMessage + newName);
    record.fileName = newName;
    return Outcome::success();
}

Outcome deleteRecord(const QString& directory, Catalogue& catalogue, const CurrentRecord& record) {
    const QString path = recordPath(directory, record.fileName);
    if (!QFile::remove(path))
        return Outcome::failure(recordDeletionFailedMessage + path);
    if (isCataloguePosition(catalogue, record.selectedIndex))
        catalogue.removeAt(record.selectedIndex);
    scanCatalogue(catalogue, directory);
    return Outcome::success();
}

} // namespace vorleth
