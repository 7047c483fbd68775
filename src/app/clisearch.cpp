#include "app/clisearch.h"

#include "search/searchindex.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <algorithm>

namespace vorleth {

namespace {

const QString searchUsage = QStringLiteral("usage: vorleth-cli search DIR PATTERN [--swap]");

int failSearch(QTextStream& err, const QString& message) {
    err << "vorleth-cli: " << message << '\n';
    err.flush();
    return 1;
}

QString continuationText(const GameMatch& match) {
    if (match.nextPoint)
        return QStringLiteral("%1 %2-%3")
            .arg(QChar(match.nextBlack ? u'X' : u'O'))
            .arg(match.nextPoint->column)
            .arg(match.nextPoint->row);
    if (match.nextOffBoard)
        return QStringLiteral("%1 pass").arg(QChar(match.nextBlack ? u'X' : u'O'));
    return QStringLiteral("end");
}

} // namespace

int searchCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    const bool swap = args.contains(QStringLiteral("--swap"));
    QStringList positional = args.mid(1);
    positional.removeAll(QStringLiteral("--swap"));
    if (positional.size() != 2)
        return failSearch(err, searchUsage);
    const QString directory = positional.at(0);
    if (!QFileInfo(directory).isDir())
        return failSearch(err, QStringLiteral("no such directory: %1").arg(directory));

    QFile file(positional.at(1));
    if (!file.open(QIODevice::ReadOnly))
        return failSearch(
            err, QStringLiteral("cannot read %1: %2").arg(positional.at(1), file.errorString()));
    const Result<SearchPattern> pattern = parsePattern(QString::fromUtf8(file.readAll()));
    if (!pattern.ok)
        return failSearch(
            err,
            QStringLiteral("unreadable pattern %1: %2").arg(positional.at(1), pattern.error()));

    // One line per tenth of the records to read, so a large build shows it is moving while a
    // log of it stays short; a search with nothing new to read says nothing.
    SearchIndex index(directory);
    int reportedTenth = -1;
    const bool listed = index.update([&](int done, int total) {
        if (total <= 0)
            return true;
        const int tenth = static_cast<int>(qint64(done) * 10 / total);
        if (tenth > reportedTenth) {
            reportedTenth = tenth;
            err << "vorleth-cli: indexing records " << done << '/' << total << '\n';
            err.flush();
        }
        return true;
    });
    if (!listed)
        return failSearch(err, QStringLiteral("cannot list the directory %1").arg(directory));

    const SearchResults results = index.search(pattern.value(), swap);
    QMap<QString, int> continuations;
    for (const SearchHit& hit : results.hits) {
        // A tab cannot be part of a record's name, so the name stays easy to cut out.
        out << hit.fileName << '\t' << hit.match.moves << '\n';
        ++continuations[continuationText(hit.match)];
    }
    QList<std::pair<QString, int>> ranked;
    for (auto it = continuations.cbegin(); it != continuations.cend(); ++it)
        ranked.append({it.key(), it.value()});
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    QStringList next;
    for (const auto& [text, count] : ranked)
        next << QStringLiteral("%1 (%2)").arg(text).arg(count);
    out << results.hits.size() << " games";
    if (!next.isEmpty())
        out << "; next moves: " << next.join(QStringLiteral(", "));
    out << "; " << results.unreadable << " unreadable games skipped\n";
    return 0;
}

} // namespace vorleth
