#pragma once

#include <QDateTime>
#include <QStringList>
#include <QTextStream>

#include <functional>

namespace vorleth {

// The command-line companion, without a process: args are the arguments after the program
// name. Results go to out, errors to err (each one line); returns the exit status, 1 after
// any error. clock gives "now" for the names of saved records (the system clock when empty).
//   list DIR              the catalogue of DIR in the record list's default order
//   board FILE [N]        the position after the first N entries of a record file
//   count FILE [N]        the territory count of that position and its result
//   import DIR FILE...    standard SGF files saved as new records in DIR: one line per saved
//                         record, followed by a tab and how the board was turned when it was;
//                         warnings of the reader go to err, one line each
//   export FILE [OUT]     a record file as SGF, to OUT or to out
//   diagram FILE OUT [--moves-per-figure K]
//                         the record drawn as a complete game diagram, or as figures of K
//                         moves each, in the format OUT's extension names (.svg, .pdf, .png);
//                         PDF and PNG need a QGuiApplication
//   search DIR PATTERN [--swap]
//                         the records of DIR that reach the pattern (19 lines of X O . *):
//                         one line per record, its file name, a tab and the stones played
//                         when the pattern first appears; then the number of games and
//                         the moves played next with their counts. --swap also finds the
//                         pattern with the colours exchanged. Building the index shows
//                         progress on err
int runCli(const QStringList& args, QTextStream& out, QTextStream& err,
           std::function<QDateTime()> clock = {});

} // namespace vorleth
