// A record file as the replay reads it: the input's first line is the file name (UTF-8,
// without ".IGO"), the rest is the body.
#include "fuzzcheck.h"

#include "store/recordcodec.h"

using namespace vorleth;

namespace {

QVector<PointCode> pointsOf(const MoveList& moves) {
    QVector<PointCode> points;
    for (const MoveEntry& e : moves.entries())
        points << e.point;
    return points;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input = fuzz::bytesOf(data, size);
    const qsizetype newline = input.indexOf('\n');
    const QString name = newline < 0 ? QString() : QString::fromUtf8(input.first(newline));
    const QByteArray body = newline < 0 ? input : input.sliced(newline + 1);

    const Result<GameRecord> read = decodeRecord(name, body);
    if (!read.ok) {
        // Read whole or not at all.
        FUZZ_CHECK(read.moves.length() == 0);
        return 0;
    }
    const GameRecord& record = read.value();
    FUZZ_CHECK(record.moves.length() == record.metadata.entryCount);
    FUZZ_CHECK(record.moves.length() <= MoveList::capacity);

    // What the program writes for a record it read must read back with the same points; a
    // second writing gives the same bytes (kinds a reader would change are written so that
    // they read back alike).
    const QDate day(2024, 3, 5);
    const QByteArray written = encodeRecordBody(record, record.metadata.entryCount, day);
    const Result<GameRecord> again = decodeRecord(name, written);
    FUZZ_CHECK(again.ok);
    FUZZ_CHECK(pointsOf(again.moves) == pointsOf(record.moves));
    FUZZ_CHECK(encodeRecordBody(again.value(), record.metadata.entryCount, day) == written);
    return 0;
}
