// The working files "棋譜.ENT" and "棋譜.ENT2": the same input is read as both.
#include "fuzzcheck.h"

#include "store/workingfiles.h"

using namespace vorleth;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);

    if (const std::optional<WorkingEntry> entry = decodeWorkingEntry(bytes)) {
        FUZZ_CHECK(entry->points.size() <= TableEntryData::maxMoves);
        // Written back, it reads as the same moves; a second writing gives the same bytes.
        const QByteArray written = encodeWorkingEntry(*entry);
        const std::optional<WorkingEntry> again = decodeWorkingEntry(written);
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(again->moveCount == entry->moveCount);
        FUZZ_CHECK(again->points == entry->points);
        FUZZ_CHECK(encodeWorkingEntry(*again) == written);
    }

    if (const std::optional<QVector<RepeatedPlay>> plays = decodeRepeatedPlays(bytes)) {
        const std::optional<QVector<RepeatedPlay>> again =
            decodeRepeatedPlays(encodeRepeatedPlays(*plays));
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(*again == *plays);
    }
    return 0;
}
