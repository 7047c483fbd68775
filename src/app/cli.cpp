#include "app/cli.h"

#include "board/playrules.h"
#include "import/sgfimport.h"
#include "shell/sharedstate.h"
#include "store/catalogue.h"
#include "store/record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace vorleth {

namespace {

const QString usage =
    QStringLiteral("usage: vorleth-cli list DIR | board FILE [N] | import DIR FILE...");

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
        const CatalogueEntry& e = catalogue.entry(position);
        const QStringList fields = {QString::number(position),
                                    e.gameName,
                                    e.whitePlayer,
                                    e.blackPlayer,
                                    e.result,
                                    QString::number(e.entryCount),
                                    e.recordDate,
                                    e.timeOfDay,
                                    e.referenceDate,
                                    e.komi,
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
    NullBoardDisplay display;
    rebuildPosition(model, count.value_or(model.moves.length()), read.record.metadata.gameName,
                    display);

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

    SharedState state(directory);
    if (clock)
        state.clock = clock;
    state.settings.recordDirectory = directory;
    scanCatalogue(state.catalogue, directory);

    bool anyFailed = false;
    for (const QString& path : args.mid(2)) {
        const SgfImport import = importSgfFile(path);
        if (!import.warnings.isEmpty()) {
            out.flush();
            for (const QString& warning : import.warnings)
                err << path << ": warning: " << warning.simplified() << '\n';
            err.flush();
        }
        QString error = import.error;
        if (import.ok()) {
            const QStringList saved = saveImportedGames(state, import, error);
            for (int i = 0; i < saved.size(); ++i) {
                // A tab cannot be part of a saved name, so the name stays easy to cut out.
                out << saved.at(i);
                const BoardSymmetry turned = import.games.at(i).turned;
                if (turned != BoardSymmetry::Identity)
                    out << "\tboard " << symmetryDescription(turned);
                out << '\n';
            }
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
    else
        status = fail(err, usage);
    out.flush();
    err.flush();
    return status;
}

} // namespace vorleth
