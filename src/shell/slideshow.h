#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vorleth {

struct SharedState;

// The slideshow's period on the main menu.
constexpr int slideshowIntervalMs = 3000;

// The photo directory value that switches the slideshow off.
inline const QString slideshowOff = QStringLiteral("PASS");

// Whether photoDirectory names a directory to show at all ("PASS" and texts shorter than two
// characters do not).
bool slideshowEnabled(const QString& photoDirectory);

// The ".bmp" and ".jpg" files of the directory (letter case ignored), in ascending name order.
QStringList slideshowPictures(const QString& photoDirectory);

// One tick: advances slideshowIndex (wrapping to 1 after the last picture) and returns the
// picture to show, or nothing when the slideshow is off or there is no picture.
std::optional<QString> slideshowTick(SharedState& state);

} // namespace vorleth
