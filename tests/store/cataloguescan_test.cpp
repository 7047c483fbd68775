// The catalogue read from names of every shape a library directory can hold, and listed in the
// order the names give with letter case ignored.
#include "store/catalogue.h"
#include "store/recordname.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using namespace vorleth;

namespace {

// A file of that name (the bytes as they are, valid UTF-8 or not).
void createRaw(const QDir& dir, const QByteArray& name) {
    const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
    const int descriptor = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(descriptor, 0) << path.constData();
    ::close(descriptor);
}

// The fields a scan read, in one line: game|white|black|result|recorded|count|time|referenced|
// komi.
QString fieldsOf(const RecordMetadata& e) {
    return QStringList{e.game.gameName, e.game.whitePlayer, e.game.blackPlayer,
                       e.game.result,   e.recordDate,       QString::number(e.entryCount),
                       e.timeOfDay,     e.referenceDate,    e.game.komi}
        .join(u'|');
}

QByteArray repeated(const char* text, int times) {
    QByteArray bytes;
    for (int i = 0; i < times; ++i)
        bytes += text;
    return bytes;
}

} // namespace

TEST(CatalogueScan, NamesOfEveryShape) {
    struct Case {
        const char* what;
        QByteArray name; // on disk, extension included
        bool listed;
        QString fields; // as fieldsOf writes them
    };
    // The longest name ext4 takes: 255 bytes with the extension.
    const QByteArray longGame = repeated("長", 28) + "99";
    const QByteArray longest =
        "対局名（" + longGame + "）白番（山田）黒番（鈴木）勝敗（白中押勝）" +
        "記録日（20071105）手数（120）時間（90503）参照（20071106）" + "コミ（6.5）.IGO";
    ASSERT_EQ(longest.size(), 255);
    const Case cases[] = {
        {"every field empty",
         "対局名（）白番（）黒番（）勝敗（）記録日（）手数（）時間（）参照（）コミ（）.IGO", true,
         "|||||0|||"},
        {"no key at all", "棋譜.igo", true, "|||||0|||"},
        {"keys without brackets", "対局名白番黒番手数.IGO", true, "|||||0|||"},
        {"a key at the very end", "白番（.IGO", true, "|||||0|||"},
        {"longest name", longest, true,
         QString::fromUtf8(longGame) + "|山田|鈴木|白中押勝|20071105|120|90503|20071106|6.5"},
        {"count too large for its field", "手数（1234567）.IGO", true, "|||||32767|||"},
        {"count in full-width digits", "手数（１２０）時間（９０５０３）.IGO", true,
         "|||||0|９０５０３||"},
        {"outside Windows-31J", "対局名（😀杯）白番（이세돌）黒番（柯洁）勝敗（𠮷）.IGO", true,
         "😀杯|이세돌|柯洁|𠮷||0|||"},
        {"\"＝\" beside characters outside Windows-31J", "白番（이＝세돌）黒番（𠮷＝＝）.igo", true,
         "|이　세돌|𠮷　　|||0|||"},
        {"brackets doubled and out of place", "）対局名（（二重）白番（a）b）.Igo", true,
         "（二重|a||||0|||"},
        {"bytes that are no UTF-8", "\xff\xfe対局名（壊\xc3）.IGO", true, "壊\uFFFD|||||0|||"},
        {"blanks before the extension", "  .igo", true, "|||||0|||"},
        {"hidden", ".対局名（隠）.IGO", false, {}},
        {"only the extension", ".IGO", false, {}},
        {"extension followed by more", "対局名（後）.IGO.bak", false, {}},
        {"extension too short", "対局名（短）.IG", false, {}},
        {"extension without its dot", "対局名（点）IGO", false, {}},
        {"extension with a blank after it", "対局名（空）.IGO ", false, {}},
    };

    QTemporaryDir temp;
    const QDir dir(temp.path());
    for (const Case& c : cases)
        createRaw(dir, c.name);
    Catalogue catalogue;
    ASSERT_TRUE(scanCatalogue(catalogue, dir.path()));

    const QVector<RecordMetadata> entries = catalogue.entries();
    int listed = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The name as the system gives it to a program, less its extension.
        const QString stem = QFile::decodeName(c.name).chopped(4);
        const auto found =
            std::find_if(entries.cbegin(), entries.cend(),
                         [&](const RecordMetadata& e) { return e.fileName == stem; });
        EXPECT_EQ(found != entries.cend(), c.listed);
        if (!c.listed || found == entries.cend())
            continue;
        ++listed;
        EXPECT_EQ(fieldsOf(*found), c.fields);
        // What the catalogue shows agrees with reading the name on its own.
        EXPECT_EQ(*found, parseRecordName(stem));
    }
    EXPECT_EQ(catalogue.count(), listed);
}

// The listing's order is the names' order with letter case ignored, as QString::toCaseFolded
// folds them (the extension's case included), the names themselves deciding between names
// equal but for case: checked on names whose folds differ from a plain lower-casing or that
// end where the extension's dot takes part in the order.
TEST(CatalogueScan, OrderIsTheNamesFoldedOrder) {
    const QStringList names = {
        "b.IGO",           "B.igo", "a.IGO",  "A.IGO",  "a-.IGO", "a0.igo",
        "a .IGO",          "Z.igo", "ａ.IGO", "Ａ.igo", "ß.IGO",  "ss.IGO",
        "SS.igo",          "Ω.IGO", "ω.igo",  "𐐀.IGO",  "𐐨.igo",  "\uE000.IGO",
        "𠮷.IGO",          "_.IGO", "[.igo",  "İ.IGO",  "i̇.IGO",  "対局名（春）.IGO",
        "対局名（春）.igo"};
    QTemporaryDir temp;
    const QDir dir(temp.path());
    for (const QString& name : names)
        createRaw(dir, QFile::encodeName(name));

    Catalogue catalogue;
    ASSERT_TRUE(scanCatalogue(catalogue, dir.path()));

    std::vector<QString> reference(names.cbegin(), names.cend());
    std::stable_sort(reference.begin(), reference.end(), [](const QString& a, const QString& b) {
        const int folded = a.toCaseFolded().compare(b.toCaseFolded());
        return folded != 0 ? folded < 0 : a < b;
    });
    QStringList expected;
    for (const QString& name : reference)
        expected.append(name.chopped(4));
    QStringList listed;
    for (int position = 1; position <= catalogue.count(); ++position)
        listed.append(catalogue.fileName(position).toString());
    EXPECT_EQ(listed, expected);
}
