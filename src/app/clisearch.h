#pragma once

#include <QStringList>
#include <QTextStream>

namespace vorleth {

// search DIR PATTERN [--swap]: the records of DIR that reach the pattern of the file PATTERN.
int searchCommand(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace vorleth
