#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringEncoder>

#include <gtest/gtest.h>

namespace vorleth::test {

// n spaces, as the fixed-width fields of the files are padded.
inline QByteArray sp(int n) {
    return QByteArray(n, ' ');
}

// The text in the Japanese ANSI code page the files are written in.
inline QByteArray sjis(const QString& text) {
    QStringEncoder encoder("Windows-31J");
    return encoder.encode(text);
}

// A file's whole content; a missing or unreadable file reads as a marker no file holds, so that
// it never passes for an empty one.
inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
}

// Creates an empty file (or empties one).
inline void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

} // namespace vorleth::test
