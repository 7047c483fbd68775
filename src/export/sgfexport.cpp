#include "export/sgfexport.h"

#include "board/groups.h"
#include "board/playrules.h"
#include "store/recordcodec.h"
#include "store/recordname.h"
#include "store/textfile.h"

#include <QDate>
#include <QRegularExpression>

#include <array>

#ifndef VORLETH_VERSION
#error "VORLETH_VERSION is set by the build"
#endif

namespace vorleth {

namespace {

const QString applicationName = QStringLiteral("Vorleth");
// Values per output line: a few moves a line keeps the file readable in an editor.
constexpr int nodesPerLine = 10;

QString escaped(QString text) {
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u']', QStringLiteral("\\]"));
    return text;
}

QString property(const char* id, const QString& value) {
    return QString::fromLatin1(id) + u'[' + escaped(value) + u']';
}

QString sgfPoint(Point p) {
    return QString(QChar(u'a' + p.column - 1)) + QChar(u'a' + p.row - 1);
}

QString pointList(const char* id, const QVector<Point>& points) {
    if (points.isEmpty())
        return QString();
    QString text = QString::fromLatin1(id);
    for (const Point& p : points)
        text += u'[' + sgfPoint(p) + u']';
    return text;
}

// The komi as SGF writes a number, or nothing when the text is not one.
std::optional<QString> numericKomi(const QString& komi) {
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?\d+(\.\d+)?$)"));
    const QString text = komi.normalized(QString::NormalizationForm_KC).trimmed();
    if (!number.match(text).hasMatch())
        return std::nullopt;
    return text;
}

// A move as an SGF reader plays it: opponent groups without liberty go, then the mover's own
// group when it has none left. Returns whether that suicide happened.
bool playAsReader(Board& board, Point p, Board::Cell colour) {
    const PlayOutcome outcome = tryPlay(board, p, colour);
    board.setCell(p, colour);
    for (const Point& q : outcome.captured)
        board.setCell(q, Board::Empty);
    if (!outcome.suicide)
        return false;
    for (const Point& q : groupAt(board, p).stones)
        board.setCell(q, Board::Empty);
    return true;
}

// The set-up node that turns the position `from` into `to`, or an empty text when they agree.
QString setupNode(const Board& from, const Board& to) {
    QVector<Point> black, white, empty;
    for (int column = 1; column <= 19; ++column) {
        for (int row = 1; row <= 19; ++row) {
            const Point p{column, row};
            if (from.cell(p) == to.cell(p))
                continue;
            (to.cell(p) == Board::Black   ? black
             : to.cell(p) == Board::White ? white
                                          : empty)
                .append(p);
        }
    }
    const QString node = pointList("AB", black) + pointList("AW", white) + pointList("AE", empty);
    return node.isEmpty() ? QString() : u';' + node;
}

// The position a rebuild shows after the entry: stones and removals as written, entries off
// the board and markers left out.
void applyAsRecorded(Board& board, const MoveEntry& entry) {
    const Point p = Point::fromCode(entry.point);
    if (!entry.changesBoard() || !p.onBoard())
        return;
    if (entry.isRemoval())
        board.setCell(p, Board::Empty);
    else if (entry.isStone())
        board.setCell(p, entry.kind.left(1));
}

QString labelled(const char* label, const QString& value) {
    return QString::fromUtf8(label) + value;
}

// Header fields 2, 5, 6 and 7 (game name, white, black, result) of a record's body.
std::optional<std::array<QString, 4>> headerNames(const QByteArray& body) {
    const std::optional<QString> text = textfile::decode(body);
    if (!text)
        return std::nullopt;
    for (const QString& line : textfile::splitLines(*text)) {
        if (QStringView(line).trimmed().isEmpty())
            continue;
        const QStringList items = textfile::splitItems(line);
        if (items.size() != 7)
            return std::nullopt;
        return std::array<QString, 4>{items[1], items[4], items[5], items[6]};
    }
    return std::nullopt;
}

// How a name typed as text appears in a record's file name once read back.
QString asInFileName(const QString& text) {
    QString name = cleanFileName(fileSystemSafe(text));
    const qsizetype close = name.indexOf(u'）');
    if (close >= 0)
        name.truncate(close);
    return name.replace(u'＝', u'　');
}

} // namespace

std::optional<QString> sgfResult(const QString& words) {
    const QString text = words.normalized(QString::NormalizationForm_KC).trimmed();
    if (text == QStringLiteral("持碁"))
        return QStringLiteral("0");
    if (text == QStringLiteral("打掛"))
        return QStringLiteral("Void");
    static const QRegularExpression won(
        QStringLiteral("^([黒白])(?:(中押し?)|(半目)|(\\d{1,3})目(半)?)?勝ち?$"));
    const QRegularExpressionMatch m = won.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    QString re =
        m.captured(1) == QStringLiteral("黒") ? QStringLiteral("B+") : QStringLiteral("W+");
    if (m.hasCaptured(2))
        re += u'R';
    else if (m.hasCaptured(3))
        re += QStringLiteral("0.5");
    else if (m.hasCaptured(4))
        re += QString::number(m.captured(4).toInt()) + (m.hasCaptured(5) ? ".5" : "");
    return re;
}

QString SgfExportIssue::description() const {
    const QString where = moveNumber > 0
                              ? QStringLiteral("move %1 (entry %2)").arg(moveNumber).arg(entry)
                              : QStringLiteral("entry %1").arg(entry);
    switch (kind) {
    case Kind::OffBoard:
        return where + QStringLiteral(": a stone off the board, left out");
    case Kind::OccupiedPoint:
        return where + QStringLiteral(": played on an occupied point, which is emptied first (AE)");
    case Kind::Suicide:
        return where + QStringLiteral(": a stone without liberties, which SGF readers remove; "
                                      "set up again after it");
    case Kind::RemovalsDiffer:
        return where + QStringLiteral(": the record removes other stones than the rules; "
                                      "its position is set up after the move");
    }
    return where;
}

namespace {

// GN, PW, PB, KM, DT and RE of the root, with a komi that is not a number kept as a comment.
QString gameInfoProperties(const RecordMetadata& m) {
    QString info;
    QStringList comments;
    if (!m.game.gameName.isEmpty())
        info += property("GN", m.game.gameName);
    if (!m.game.whitePlayer.isEmpty())
        info += property("PW", m.game.whitePlayer);
    if (!m.game.blackPlayer.isEmpty())
        info += property("PB", m.game.blackPlayer);
    if (const auto komi = numericKomi(m.game.komi))
        info += property("KM", *komi);
    else if (!m.game.komi.trimmed().isEmpty())
        comments << labelled("コミ：", m.game.komi);
    const QDate date = QDate::fromString(m.recordDate, QStringLiteral("yyyyMMdd"));
    if (date.isValid())
        info += property("DT", date.toString(Qt::ISODate));
    // A result the standard has no form for is still the game's result: readers show RE as
    // text, and the program's import keeps it as written.
    if (const auto re = sgfResult(m.game.result))
        info += property("RE", *re);
    else if (!m.game.result.trimmed().isEmpty())
        info += property("RE", m.game.result);
    if (!comments.isEmpty())
        info += property("GC", comments.join(u'\n'));
    return info;
}

// Where the moves start: the position before the first move, as root properties, and the
// first entry written as a move.
struct Opening {
    QString properties;
    Board position;
    int firstEntry = 1;
};

// A problem record sets up the position before its first pause marker and plays the rest.
Opening problemOpening(const MoveList& moves) {
    Opening opening;
    int marker = 0;
    for (int i = 1; i <= moves.length() && marker == 0; ++i) {
        if (!moves.entry(i).changesBoard())
            marker = i;
    }
    if (marker == 0)
        return opening;
    for (int i = 1; i < marker; ++i)
        applyAsRecorded(opening.position, moves.entry(i));
    const QString setup = setupNode(Board(), opening.position);
    if (!setup.isEmpty())
        opening.properties += setup.mid(1) + u'\n';
    opening.firstEntry = marker + 1;
    for (int i = opening.firstEntry; i <= moves.length(); ++i) {
        if (moves.entry(i).isStone() && Point::fromCode(moves.entry(i).point).onBoard()) {
            opening.properties +=
                property("PL", moves.entry(i).kind.startsWith(black) ? "B" : "W") + u'\n';
            break;
        }
    }
    return opening;
}

Opening openingOf(const GameRecord& record) {
    const QString& gameName = record.metadata.game.gameName;
    const int handicap = handicapCount(gameName);
    if (handicap > 0) {
        Opening opening;
        QVector<Point> stones;
        for (int i = 1; i <= handicap; ++i) {
            stones << handicapPoint(i, handicap);
            opening.position.setCell(stones.back(), Board::Black);
        }
        opening.properties =
            property("HA", QString::number(handicap)) + pointList("AB", stones) + u'\n';
        return opening;
    }
    return isProblemName(gameName) ? problemOpening(record.moves) : Opening{};
}

// The nodes of the moves, keeping the position the record shows and the one an SGF reader
// reaches side by side, and noting where they part.
class MoveNodes {
public:
    MoveNodes(const Board& start, QVector<SgfExportIssue>& issues)
        : m_recorded(start), m_reader(start), m_issues(issues) {}

    void add(const MoveList& moves, int i) {
        const MoveEntry& entry = moves.entry(i);
        if (!entry.isStone()) {
            applyAsRecorded(m_recorded, entry);
            return;
        }
        settle(i - 1);
        const Point p = Point::fromCode(entry.point);
        if (!p.onBoard()) {
            m_issues.append({SgfExportIssue::Kind::OffBoard, i, 0});
            return;
        }
        ++m_moveNumber;
        if (m_reader.cell(p) != Board::Empty) {
            m_nodes << u';' + pointList("AE", {p});
            m_reader.setCell(p, Board::Empty);
            m_issues.append({SgfExportIssue::Kind::OccupiedPoint, i, m_moveNumber});
        }
        const Board::Cell colour = Board::cellFor(entry.kind.left(1));
        m_nodes << u';' + QString(colour == Board::Black ? u'B' : u'W') + u'[' + sgfPoint(p) + u']';
        m_lastWasSuicide = playAsReader(m_reader, p, colour);
        m_lastMoveEntry = i;
        applyAsRecorded(m_recorded, entry);
    }

    // Brings the reader back to the record's position after the last move, when they differ.
    // A difference before the first move (a removal of a handicap stone) is put on the entry
    // that was read last.
    void settle(int lastEntry) {
        const QString node = setupNode(m_reader, m_recorded);
        if (node.isEmpty())
            return;
        m_nodes << node;
        m_reader = m_recorded;
        using Kind = SgfExportIssue::Kind;
        m_issues.append({m_lastWasSuicide ? Kind::Suicide : Kind::RemovalsDiffer,
                         m_lastMoveEntry > 0 ? m_lastMoveEntry : lastEntry, m_moveNumber});
    }

    QString text() const {
        QString body;
        for (qsizetype i = 0; i < m_nodes.size(); ++i)
            body +=
                m_nodes[i] + ((i + 1) % nodesPerLine == 0 || i + 1 == m_nodes.size() ? "\n" : "");
        return body;
    }

private:
    Board m_recorded;
    Board m_reader;
    QVector<SgfExportIssue>& m_issues;
    QStringList m_nodes;
    int m_moveNumber = 0;
    int m_lastMoveEntry = 0;
    bool m_lastWasSuicide = false;
};

} // namespace

SgfExport exportSgf(const GameRecord& record) {
    SgfExport result;
    QString root = QStringLiteral("(;FF[4]CA[UTF-8]GM[1]SZ[19]") +
                   property("AP", applicationName + u':' + QStringLiteral(VORLETH_VERSION)) + u'\n';
    const QString info = gameInfoProperties(record.metadata);
    if (!info.isEmpty())
        root += info + u'\n';
    const Opening opening = openingOf(record);
    root += opening.properties;

    MoveNodes nodes(opening.position, result.issues);
    for (int i = opening.firstEntry; i <= record.moves.length(); ++i)
        nodes.add(record.moves, i);
    nodes.settle(record.moves.length());
    result.text = (root + nodes.text() + QStringLiteral(")\n")).toUtf8();
    return result;
}

void restoreFullNames(RecordMetadata& metadata, const QByteArray& body) {
    if (metadata.fileName.isEmpty())
        return;
    const std::optional<std::array<QString, 4>> typed = headerNames(body);
    const std::array<std::pair<QString*, const QString*>, 4> fields{{
        {&metadata.game.gameName, &gameNameKey},
        {&metadata.game.whitePlayer, &whitePlayerKey},
        {&metadata.game.blackPlayer, &blackPlayerKey},
        {&metadata.game.result, &resultKey},
    }};
    for (size_t i = 0; i < fields.size(); ++i) {
        QString& field = *fields[i].first;
        const QString inName = extractField(metadata.fileName, *fields[i].second);
        // A field that did not come from this name is someone's own text: it stays.
        if (!inName.startsWith(field))
            continue;
        field = typed && asInFileName((*typed)[i]) == inName ? (*typed)[i] : inName;
    }
}

Outcome writeSgfFile(const QString& path, const QByteArray& bytes) {
    return textfile::writeFileSafely(path, bytes);
}

} // namespace vorleth
