#include "app/cli.h"

#include "board/playrules.h"
#include "import/sgfexport.h"
#include "import/sgfimport.h"
#include "store/catalogue.h"
#include "store/recordcodec.h"
#include "store/recordname.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace vorleth {

namespace {

const QString usage =
    QStringLiteral("usage: vorleth-cli list DIR | board FILE [N] | import DIR FILE... | "
                   "export FILE [OUT]");

int fail(QTextStream& err, const QString& message) {
    err << "vorleth-cli: " << message << '\n';
    err.flush();
    return 1;
}

int listCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2)
        return fail(err, usage);
    const QString directory = args.at(1);
    if (!QFileInfo(directory).isDir())
        return fail(err, QStringLiteral("no such directory: %1").arg(directory));
    Catalogue catalogue;
    RecordListState list;
    if (!enterRecordList(catalogue, list, directory))
        return fail(err, QStringLiteral("cannot list the directory %1").arg(directory));

    out << "position\tgameName\twhitePlayer\tblackPlayer\tresult\tentryCount\trecordDate\t"
           "timeOfDay\treferenceDate\tkomi\tfileName\n";
    for (const int position : list.displayOrder) {
        const RecordMetadata& e = catalogue.entry(position);
        const QStringList fields = {QString::number(position),
                                    e.game.gameName,
                                    e.game.whitePlayer,
                                    e.game.blackPlayer,
                                    e.game.result,
                                    QString::number(e.entryCount),
                                    e.recordDate,
                                    e.timeOfDay,
                                    e.referenceDate,
                                    e.game.komi,
                                    e.fileName};
        out << fields.join(u'\t') << '\n';
    }
    return 0;
}

int boardCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2 && args.size() != 3)
        return fail(err, usage);
    const QString path = args.at(1);
    std::optional<int> count;
    if (args.size() == 3) {
        static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
        bool ok = false;
        const int n = args.at(2).toInt(&ok);
        if (!digits.match(args.at(2)).hasMatch() || !ok)
            return fail(
                err, QStringLiteral("N must be a non-negative whole number: %1").arg(args.at(2)));
        count = n;
    }

    const QFileInfo info(path);
    if (!info.fileName().endsWith(recordExtension, Qt::CaseInsensitive))
        return fail(err, QStringLiteral("not a record file (%1): %2").arg(recordExtension, path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(err, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    const QString name = info.fileName().chopped(recordExtension.size());
    const RecordReadResult read = decodeRecord(name, file.readAll());
    if (!read.ok())
        return fail(err, read.error.simplified());

    BoardModel model;
    model.moves = read.record.moves;
    NullBoardView view;
    rebuildPosition(model, count.value_or(model.moves.length()), read.record.metadata.game.gameName,
                    view);

    out << boardDiagram(model.board);
    out << QStringLiteral("prisoners black=%1 white=%2\n")
               .arg(model.play.prisonersBlack)
               .arg(model.play.prisonersWhite);
    out << QStringLiteral("next %1\n").arg(model.play.nextMoveNumber);
    return 0;
}

int importCommand(const QStringList& args, QTextStream& out, QTextStream& err,
                  const std::function<QDateTime()>& clock) {
    if (args.size() < 3)
        return fail(err, usage);
    const QString directory = args.at(1);
    if (!QFileInfo(directory).isDir())
        return fail(err, QStringLiteral("no such directory: %1").arg(directory));

    const QDateTime now = clock ? clock() : QDateTime::currentDateTime();
    Catalogue catalogue;
    scanCatalogue(catalogue, directory);

    bool anyFailed = false;
    for (const QString& path : args.mid(2)) {
        const SgfImport import = importSgfFile(path);
        QString error = import.error;
        if (import.ok()) {
            for (const QString& saved : saveImportedGames(directory, catalogue, import, now, error))
                out << saved << '\n';
        }
        if (!error.isEmpty()) {
            anyFailed = true;
            out.flush();
            err << path << ": " << error.simplified() << '\n';
            err.flush();
        }
    }
    return anyFailed ? 1 : 0;
}

int exportCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2 && args.size() != 3)
        return fail(err, usage);
    const QString path = args.at(1);
    const QFileInfo info(path);
    if (!info.fileName().endsWith(recordExtension, Qt::CaseInsensitive))
        return fail(err, QStringLiteral("not a record file (%1): %2").arg(recordExtension, path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(err, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    const QByteArray body = file.readAll();
    RecordReadResult read = decodeRecord(info.fileName().chopped(recordExtension.size()), body);
    if (!read.ok())
        return fail(err, read.error.simplified());
    restoreFullNames(read.record.metadata, body);

    const SgfExport sgf = exportSgf(read.record);
    if (args.size() == 3) {
        if (const auto reason = writeSgfFile(args.at(2), sgf.text))
            return fail(err, QStringLiteral("cannot write %1: %2").arg(args.at(2), *reason));
    } else {
        out << QString::fromUtf8(sgf.text);
    }
    // The file is written all the same; these say where other programs may show it otherwise.
    for (const SgfExportIssue& issue : sgf.issues)
        err << "vorleth-cli: " << path << ": warning: " << issue.description() << '\n';
    return 0;
}

} // namespace

int runCli(const QStringList& args, QTextStream& out, QTextStream& err,
           std::function<QDateTime()> clock) {
    const QString command = args.value(0);
    int status = 0;
    if (command == QLatin1String("list"))
        status = listCommand(args, out, err);
    else if (command == QLatin1String("board"))
        status = boardCommand(args, out, err);
    else if (command == QLatin1String("import"))
        status = importCommand(args, out, err, clock);
    else if (command == QLatin1String("export"))
        status = exportCommand(args, out, err);
    else
        status = fail(err, usage);
    out.flush();
    err.flush();
    return status;
}

} // namespace vorleth
