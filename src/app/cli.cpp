#include "app/cli.h"

#include "app/clisearch.h"

#include "board/playrules.h"
#include "counting/correction.h"
#include "counting/estimate.h"
#include "export/figurelayout.h"
#include "export/sgfexport.h"
#include "import/sgfimport.h"
#include "store/catalogue.h"
#include "store/recordcodec.h"
#include "store/recordname.h"
#include "ui/figurewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringEncoder>

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>

namespace vorleth {

namespace {

const QString usage =
    QStringLiteral("usage: vorleth-cli list DIR | board FILE [N] | count [--design] FILE [N] | "
                   "import DIR FILE... | export FILE [OUT] | "
                   "diagram FILE OUT [--moves-per-figure K] | search DIR PATTERN [--swap]");

int fail(QTextStream& err, const QString& message) {
    err << "vorleth-cli: " << message << '\n';
    err.flush();
    return 1;
}

// The N of "board FILE [N]" and "count FILE [N]", or nothing when it is not a whole number.
std::optional<int> entryCountArgument(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!digits.match(text).hasMatch() || !ok)
        return std::nullopt;
    return n;
}

QString badEntryCount(const QString& text) {
    return QStringLiteral("N must be a non-negative whole number: %1").arg(text);
}

// A record file given by its path, whatever the letter case of its extension.
struct RecordFile {
    Result<GameRecord> read;
    QByteArray body;
};
std::optional<RecordFile> readRecordFile(const QString& path, QTextStream& err) {
    const QFileInfo info(path);
    if (!info.fileName().endsWith(recordExtension, Qt::CaseInsensitive)) {
        fail(err, QStringLiteral("not a record file (%1): %2").arg(recordExtension, path));
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(err, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    RecordFile record;
    record.body = file.readAll();
    record.read = decodeRecord(info.fileName().chopped(recordExtension.size()), record.body);
    if (!record.read.ok) {
        fail(err, record.read.error().simplified());
        return std::nullopt;
    }
    return record;
}

// The list's rows as UTF-8, straight from the catalogue's texts into one buffer that goes out
// in large pieces: a text per cell through the stream would cost more than reading the
// directory did.
class CatalogueRowWriter {
public:
    explicit CatalogueRowWriter(QTextStream& out) : m_out(out), m_buffer(chunk, '\0') {}
    ~CatalogueRowWriter() { flush(); }

    void bytes(std::string_view text) {
        room(static_cast<qsizetype>(text.size()));
        m_used = std::copy(text.begin(), text.end(), m_buffer.begin() + m_used) - m_buffer.begin();
    }
    // The text and the separator after it.
    void text(QStringView text, char separator = '\t') {
        room(3 * text.size() + 1);
        char* const start = m_buffer.data() + m_used;
        char* end = start;
        for (const QChar c : text) {
            const char16_t unit = c.unicode();
            if (unit < 0x80) {
                *end++ = static_cast<char>(unit);
            } else if (unit < 0x800) {
                *end++ = static_cast<char>(0xC0 | unit >> 6);
                *end++ = static_cast<char>(0x80 | (unit & 0x3F));
            } else if (!QChar::isSurrogate(unit)) {
                *end++ = static_cast<char>(0xE0 | unit >> 12);
                *end++ = static_cast<char>(0x80 | (unit >> 6 & 0x3F));
                *end++ = static_cast<char>(0x80 | (unit & 0x3F));
            } else {
                // Characters beyond the Basic Multilingual Plane (and any half of one) as Qt
                // writes them.
                end = m_encoder.appendToBuffer(start, text);
                break;
            }
        }
        *end++ = separator;
        m_used = end - m_buffer.data();
    }
    void number(int value) {
        room(12);
        char* at = m_buffer.data() + m_used;
        at = std::to_chars(at, at + 11, value).ptr;
        *at++ = '\t';
        m_used = at - m_buffer.data();
    }

private:
    static constexpr qsizetype chunk = qsizetype(1) << 20;

    void room(qsizetype n) {
        if (m_used + n <= static_cast<qsizetype>(m_buffer.size()))
            return;
        flush();
        if (n > static_cast<qsizetype>(m_buffer.size()))
            m_buffer.resize(size_t(n));
    }
    void flush() {
        if (m_used == 0)
            return;
        // A stream on a device (the standard output) takes the bytes as they are; a stream on
        // a string takes them as text.
        if (QIODevice* device = m_out.device()) {
            m_out.flush();
            device->write(m_buffer.data(), m_used);
        } else {
            m_out << QString::fromUtf8(m_buffer.data(), m_used);
        }
        m_used = 0;
    }

    QTextStream& m_out;
    std::string m_buffer;
    qsizetype m_used = 0;
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
};

int listCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2)
        return fail(err, usage);
    const QString directory = args.at(1);
    if (!QFileInfo(directory).isDir())
        return fail(err, QStringLiteral("no such directory: %1").arg(directory));
    Catalogue catalogue;
    RecordListState list;
    // The record list's entry without its game-name list, which no row shows.
    if (!scanCatalogue(catalogue, directory))
        return fail(err, QStringLiteral("cannot list the directory %1").arg(directory));
    applyDefaultOrder(catalogue, list);

    CatalogueRowWriter rows(out);
    rows.bytes("position\tgameName\twhitePlayer\tblackPlayer\tresult\tentryCount\trecordDate\t"
               "timeOfDay\treferenceDate\tkomi\tfileName\n");
    for (const int position : list.displayOrder) {
        const auto text = [&](EntryText which) { rows.text(catalogue.text(position, which)); };
        rows.number(position);
        text(EntryText::GameName);
        text(EntryText::WhitePlayer);
        text(EntryText::BlackPlayer);
        text(EntryText::Result);
        rows.number(catalogue.entryCount(position));
        text(EntryText::RecordDate);
        text(EntryText::TimeOfDay);
        text(EntryText::ReferenceDate);
        text(EntryText::Komi);
        rows.text(catalogue.fileName(position), '\n');
    }
    return 0;
}

// "FILE [N]": the record and its position after the first N entries (all of them by default);
// nothing, once the error is written, when the arguments or the file are wrong.
struct RecordPosition {
    Result<GameRecord> read;
    BoardModel model;
};
std::optional<RecordPosition> recordPosition(const QStringList& args, QTextStream& err) {
    if (args.size() != 2 && args.size() != 3) {
        fail(err, usage);
        return std::nullopt;
    }
    std::optional<int> count;
    if (args.size() == 3) {
        count = entryCountArgument(args.at(2));
        if (!count) {
            fail(err, badEntryCount(args.at(2)));
            return std::nullopt;
        }
    }
    const std::optional<RecordFile> file = readRecordFile(args.at(1), err);
    if (!file)
        return std::nullopt;

    RecordPosition position{file->read, {}};
    BoardModel& model = position.model;
    model.moves = position.read.moves;
    rebuildPosition(model, count.value_or(model.moves.length()),
                    position.read.metadata.game.gameName);
    return position;
}

int boardCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    const std::optional<RecordPosition> position = recordPosition(args, err);
    if (!position)
        return 1;
    const BoardModel& model = position->model;
    out << boardDiagram(model.board);
    out << QStringLiteral("prisoners black=%1 white=%2\n")
               .arg(model.play.prisonersBlack)
               .arg(model.play.prisonersWhite);
    out << QStringLiteral("next %1\n").arg(model.play.nextMoveNumber);
    return 0;
}

// The count of the position after the first N entries, as the counting screen shows it before
// any correction: the marks, the lines of the count text, the result. The first guess is the
// estimate, as the screen's; --design takes the enclosure searches instead.
int countCommand(QStringList args, QTextStream& out, QTextStream& err) {
    const QString designFlag = QStringLiteral("--design");
    const CountGuess guess =
        args.removeAll(designFlag) > 0 ? CountGuess::Traditional : CountGuess::Estimate;
    const std::optional<RecordPosition> position = recordPosition(args, err);
    if (!position)
        return 1;
    const BoardModel& model = position->model;
    CountingSession session;
    session.start(firstGuess(model.board, guess), model.play.prisonersWhite,
                  model.play.prisonersBlack, position->read.metadata.game.komi);

    out << countDiagram(session.grid());
    for (const QString& line : session.result().lines)
        out << line << '\n';
    out << "result " << session.result().result << '\n';
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
        const Result<SgfImport> import = importSgfFile(path);
        if (!import.warnings.isEmpty()) {
            out.flush();
            for (const QString& warning : import.warnings)
                err << path << ": warning: " << warning.simplified() << '\n';
            err.flush();
        }
        QString error = import.error();
        if (import.ok) {
            const Result<SavedRecords> records =
                saveImportedGames(directory, catalogue, import, now);
            error = records.error();
            const QStringList& saved = records.fileNames;
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

int exportCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2 && args.size() != 3)
        return fail(err, usage);
    const QString path = args.at(1);
    std::optional<RecordFile> file = readRecordFile(path, err);
    if (!file)
        return 1;
    Result<GameRecord>& read = file->read;
    restoreFullNames(read.metadata, file->body);

    const SgfExport sgf = exportSgf(read.value());
    if (args.size() == 3) {
        if (const Outcome written = writeSgfFile(args.at(2), sgf.text); !written.ok)
            return fail(err,
                        QStringLiteral("cannot write %1: %2").arg(args.at(2), written.error()));
    } else {
        out << QString::fromUtf8(sgf.text);
    }
    // The file is written all the same; these say where other programs may show it otherwise.
    for (const SgfExportIssue& issue : sgf.issues)
        err << "vorleth-cli: " << path << ": warning: " << issue.description() << '\n';
    return 0;
}

int diagramCommand(const QStringList& args, QTextStream& err) {
    QStringList rest = args.mid(1);
    int movesPerFigure = 0;
    const qsizetype option = rest.indexOf(QStringLiteral("--moves-per-figure"));
    if (option >= 0) {
        const std::optional<int> k = entryCountArgument(rest.value(option + 1));
        if (!k || *k < 1)
            return fail(err, QStringLiteral("K must be a whole number of at least 1: %1")
                                 .arg(rest.value(option + 1)));
        movesPerFigure = *k;
        rest.remove(option, 2);
    }
    if (rest.size() != 2)
        return fail(err, usage);
    const QString out = rest.at(1);
    if (!isFigureFormat(out))
        return fail(err, QStringLiteral("OUT must end in .svg, .pdf or .png: %1").arg(out));
    std::optional<RecordFile> file = readRecordFile(rest.at(0), err);
    if (!file)
        return 1;
    GameRecord& record = file->read.value();
    restoreFullNames(record.metadata, file->body);

    QVector<FigurePage> pages;
    for (const GameFigure& figure : gameFigures(record, movesPerFigure))
        pages.append(layoutFigure(figure, figureHeading(record.metadata, figure)));
    if (const auto reason = writeFigures(pages, out))
        return fail(err, QStringLiteral("cannot write %1: %2").arg(out, *reason));
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
    else if (command == QLatin1String("count"))
        status = countCommand(args, out, err);
    else if (command == QLatin1String("import"))
        status = importCommand(args, out, err, clock);
    else if (command == QLatin1String("export"))
        status = exportCommand(args, out, err);
    else if (command == QLatin1String("diagram"))
        status = diagramCommand(args, err);
    else if (command == QLatin1String("search"))
        status = searchCommand(args, out, err);
    else
        status = fail(err, usage);
    out.flush();
    err.flush();
    return status;
}

} // namespace vorleth
