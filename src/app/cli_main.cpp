#include "app/cli.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

int main(int argc, char* argv[]) {
    // Figures are painted with fonts, which need the GUI application; nothing is shown, so no
    // display is needed either.
    const bool paints = argc > 1 && qstrcmp(argv[1], "diagram") == 0;
    if (paints && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app;
    if (paints)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
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
