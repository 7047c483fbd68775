// A record's file name (UTF-8, without ".IGO"), as the catalogue and the record operations
// read and rewrite it.
#include "fuzzcheck.h"

#include "store/recordname.h"

using namespace vorleth;

namespace {

// Nothing a file system refuses in a name, nothing cleanFileName would remove.
bool safeName(const QString& name) {
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control || QStringView(u"\\/:*?\"<>| -").contains(c))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString name = QString::fromUtf8(fuzz::bytesOf(data, size));

    // The catalogue reads all fields in one walk; it must find what looking up each key finds.
    const RecordMetadata listed = parseRecordName(name);
    FUZZ_CHECK(listed.fileName == name);
    const std::pair<const QString*, const QString*> fields[] = {
        {&listed.game.gameName, &gameNameKey},       {&listed.game.whitePlayer, &whitePlayerKey},
        {&listed.game.blackPlayer, &blackPlayerKey}, {&listed.game.result, &resultKey},
        {&listed.recordDate, &recordDateKey},        {&listed.timeOfDay, &timeOfDayKey},
        {&listed.referenceDate, &referenceDateKey},  {&listed.game.komi, &komiKey},
    };
    for (const auto& [value, key] : fields) {
        FUZZ_CHECK(*value == extractField(name, *key));
        FUZZ_CHECK(!value->contains(u'）'));
    }
    FUZZ_CHECK(listed.entryCount >= 0);

    // Touching a record sets its reference date and time, whatever the name held before.
    const QDateTime now(QDate(2024, 3, 5), QTime(15, 30, 12));
    const QString touched = touchedFileName(name, now);
    FUZZ_CHECK(extractField(touched, referenceDateKey) == QLatin1String("20240305"));
    FUZZ_CHECK(extractField(touched, timeOfDayKey) == QLatin1String("153012"));
    FUZZ_CHECK(touchedFileName(touched, now) == touched);

    // A name built from whatever the fields hold is safe for the file system.
    RecordMetadata m;
    m.game.gameName = listed.game.gameName;
    m.game.whitePlayer = listed.game.whitePlayer;
    m.game.blackPlayer = listed.game.blackPlayer;
    m.game.result = listed.game.result;
    m.recordDate = listed.recordDate;
    m.entryCount = listed.entryCount;
    m.timeOfDay = listed.timeOfDay;
    m.referenceDate = listed.referenceDate;
    m.game.komi = listed.game.komi;
    FUZZ_CHECK(safeName(recordFileName(m)));
    FUZZ_CHECK(cleanFileName(cleanFileName(name)) == cleanFileName(name));
    return 0;
}
