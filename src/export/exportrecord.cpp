#include "export/exportrecord.h"

#include "export/sgfexport.h"
#include "store/recordname.h"

#include <QDir>
#include <QFile>

namespace vorleth {

GameRecord recordForExport(const QString& recordDirectory, const CurrentRecord& current,
                           const MoveList& moves) {
    GameRecord record;
    RecordMetadata& m = record.metadata;
    m.fileName = current.fileName;
    m.game = current.game;
    m.recordDate = extractField(current.fileName, recordDateKey);
    m.entryCount = moves.length();
    record.moves = moves;

    QByteArray body;
    QFile file(recordPath(recordDirectory, current.fileName));
    if (!current.fileName.isEmpty() && file.open(QIODevice::ReadOnly))
        body = file.readAll();
    restoreFullNames(m, body);
    return record;
}

QString proposedExportPath(const QString& directory, const QString& gameName,
                           const QString& suffix) {
    QString name = fileSystemSafe(gameName).trimmed();
    // A separator would make a folder of the name, a leading dot a hidden file.
    name.replace(u'/', u'／');
    name.replace(u':', u'：');
    if (name.startsWith(u'.'))
        name[0] = u'．';
    if (name.isEmpty())
        name = QStringLiteral("棋譜");
    return QDir(directory).filePath(name + u'.' + suffix);
}

} // namespace vorleth
