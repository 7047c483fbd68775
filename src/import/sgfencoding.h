#pragma once

#include "store/outcome.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vorleth {

// Bytes of an SGF file to text, before anything reads a property: in Shift_JIS, GBK, GB18030
// and Big5 the second byte of a character can be "[", "\" or "]", and ISO-2022-JP spells every
// character with ASCII bytes, so the brackets are only found safely in the decoded text. Every
// reader of SGF files (game trees and the line-by-line layout) decodes through here.
//
// The order: a byte order mark; UTF-16 by its pattern of zero bytes; the encoding CA names
// (unless the bytes are UTF-8 that reads better, as in files converted with their old CA kept);
// ISO-2022-JP by its escape sequences; plain ASCII or valid UTF-8; otherwise a guess among the
// legacy encodings (uchardet, checked by how everyday the characters of each reading are), for
// which the file is refused when the guess is not sure and the names (GN, EV, PB, PW, KM, RE)
// read differently in the encodings that fit the bytes.
struct SgfText {
    QString text;
    QString encoding;     // the encoding read with, as the user knows it ("Shift_JIS", "EUC-KR")
    QStringList warnings; // a guessed encoding, a CA that was not used
};

Result<SgfText> decodeSgfBytes(const QByteArray& bytes);

// The decoder for a CA value, aliases included (SJIS and CP932 read as Windows-31J, GB2312 and
// GBK as GB18030, EUC-KR as CP949, ISO-8859-1 as Windows-1252: each time the superset that the
// files' writers actually used). Empty when no decoder knows the name.
QString sgfEncodingName(const QString& charset);

// The refusal, naming the encodings tried.
QString undetectedEncodingMessage(const QStringList& tried);
QString guessedEncodingWarning(const QString& encoding);

} // namespace vorleth
