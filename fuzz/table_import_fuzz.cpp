// What the program's own imports read from outside: the mail text pasted through the
// clipboard (the input as UTF-8 text) and an SGF file of either layout (the input as bytes).
#include "fuzzcheck.h"

#include "import/tableimport.h"
#include "store/tabledata.h"

using namespace vorleth;

namespace {

// A refused source leaves nothing to import; an accepted one is a game the table can hold.
void checkImport(const TableImport& read) {
    if (!read.outcome.ok) {
        FUZZ_CHECK(read.moves.isEmpty());
        FUZZ_CHECK(!read.outcome.messages.isEmpty());
        return;
    }
    FUZZ_CHECK(!read.moves.isEmpty());
    FUZZ_CHECK(read.moves.size() <= TableEntryData::maxMoves);
    for (const PointCode code : read.moves)
        FUZZ_CHECK(Point::fromCode(code).onBoard());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    checkImport(readMailText(QString::fromUtf8(bytes)));
    checkImport(readSgfForTable(bytes));
    return 0;
}
