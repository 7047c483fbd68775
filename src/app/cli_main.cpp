#include "app/cli.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // Opened without text translation, so lines end in LF on every platform.
    QFile standardOutput;
    QFile standardError;
    standardOutput.open(stdout, QIODevice::WriteOnly);
    standardError.open(stderr, QIODevice::WriteOnly);
    QTextStream out(&standardOutput);
    QTextStream err(&standardError);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    return vorleth::runCli(QCoreApplication::arguments().mid(1), out, err);
}
