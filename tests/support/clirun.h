#pragma once

// Running vorleth-cli in the test's process, and what a failed run must look like.

#include "app/cli.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <gtest/gtest.h>

namespace vorleth::test {

struct CliRun {
    int status = 0;
    QString out;
    QString err;
};

inline const QDateTime cliMorning(QDate(2024, 3, 5), QTime(9, 5, 3));

inline CliRun runCliWith(const QStringList& args, QDateTime now = cliMorning) {
    CliRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.status = runCli(args, out, err, [now] { return now; });
    return r;
}

// A failure says one line on the error stream, naming the program and the error, and
// nothing on the output.
inline void expectFailure(const CliRun& r, const char* error) {
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("vorleth-cli: "))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(error))) << r.err.toStdString();
    EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith(u'\n'));
}

} // namespace vorleth::test
