#pragma once

#include "search/searchindex.h"
#include "store/recordname.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vorleth::test {

// The real games of tests/data/search, copied into a directory of the test's own, where the
// index file is written.
class SearchLibrary {
public:
    SearchLibrary() {
        const QDir source(QStringLiteral(VORLETH_TEST_DATA "/search"));
        // Copied by hand: QFile::copy syncs every file to disk, which takes its time.
        for (const QString& name : source.entryList({QStringLiteral("*.IGO")}, QDir::Files))
            writeBytes(path(name), readBytes(source.filePath(name)));
    }
    QString directory() const { return m_dir.path(); }
    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }
    // The one record whose name holds text (a game name such as "Hon455").
    QString recordNamed(const QString& text) const {
        const QStringList names = QDir(directory()).entryList({QStringLiteral("*.IGO")});
        QStringList found;
        for (const QString& name : names)
            if (name.contains(text))
                found << name;
        EXPECT_EQ(found.size(), 1) << text.toStdString();
        return found.value(0);
    }

private:
    QTemporaryDir m_dir;
};

inline SearchPattern patternFile(const QString& name) {
    QFile file(QStringLiteral(VORLETH_TEST_DATA "/search/patterns/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    const Result<SearchPattern> pattern = parsePattern(QString::fromUtf8(file.readAll()));
    EXPECT_TRUE(pattern.ok) << pattern.error().toStdString();
    return pattern.value();
}

// A game named by its game name and black player (unique in the library), with the number of
// stones played when it matched.
inline QString gameLabel(const QString& fileName) {
    const RecordMetadata m = parseRecordName(fileName.chopped(recordExtension.size()));
    return m.game.gameName + u'/' + m.game.blackPlayer;
}
inline QMap<QString, int> matchedMoves(const SearchResults& results) {
    QMap<QString, int> moves;
    for (const SearchHit& hit : results.hits)
        moves.insert(gameLabel(hit.fileName), hit.match.moves);
    return moves;
}

} // namespace vorleth::test
