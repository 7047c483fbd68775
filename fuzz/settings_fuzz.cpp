// The settings file "棋譜.dev".
#include "fuzzcheck.h"

#include "shell/settingsfile.h"
#include "state/settings.h"

#include <QStringEncoder>

using namespace vorleth;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Settings settings;
    if (!readSettingsFields(fuzz::bytesOf(data, size), settings))
        return 0;
    FUZZ_CHECK(settings.screenSize >= -32768 && settings.screenSize <= 32767);

    // The line the program writes for what it read gives the same settings back.
    QStringEncoder encoder("Windows-31J");
    const QByteArray line = encoder.encode(settingsLine(settings));
    if (encoder.hasError())
        return 0; // writeSettings refuses such names
    Settings again;
    FUZZ_CHECK(readSettingsFields(line, again));
    FUZZ_CHECK(again.recordDirectory == settings.recordDirectory);
    FUZZ_CHECK(again.photoDirectory == settings.photoDirectory);
    FUZZ_CHECK(again.screenSize == settings.screenSize);
    return 0;
}
