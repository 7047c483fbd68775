#pragma once

#include <QString>

namespace vorleth {

// Removes half-width blanks, slashes, colons and hyphens: how dates, times and names are
// stored in a record's file name.
QString cleanFileName(const QString& text);

// The value after key (such as "白番（") up to the next "）" or the end of the name;
// empty when the key is absent. "＝" in the value reads as an ideographic space.
QString extractField(const QString& name, const QString& key);

} // namespace vorleth
