// Start-up time of the main menu against a bare Qt window, offscreen.
//
// Times two child programs from process start until their window has painted for the first
// time:
//   real: this program run as a child, doing what the program's main() does (registry, main
//         menu with its whole start-up sequence)
//   bare: bare_window, built beside this program, which links Qt Widgets only, so that what
//         the program links beyond that counts against it
// It prints the median of each and their ratio. Usage: startup_bench [runs]
// startup_x11.sh measures the same from outside, on an X server, against more programs.
#include "app/screens.h"
#include "quitonfirstpaint.h"
#include "state/sharedstate.h"
#include "ui/messagedialogs.h"
#include "ui/platform.h"
#include "ui/qttranslations.h"
#include "ui/screenregistry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const char* const childFlag = "--child";

int runReal(int argc, char* argv[], const QString& base) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorleth"));
    vorleth::applyJapaneseFont(app);
    vorleth::installQtJapanese(app);

    vorleth::SharedState state(base);
    vorleth::MessageDialogs dialogs;
    vorleth::ScreenRegistry screens;
    vorleth::registerScreens(screens, state, dialogs);
    QuitOnFirstPaint quitter;
    screens.show(vorleth::ScreenId::Start);
    if (!screens.current())
        return 2;
    screens.current()->installEventFilter(&quitter);
    return app.exec();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Wall time of one child in milliseconds, negative when it failed.
double timeChild(const QString& program, const QStringList& arguments) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    child.start(program, arguments);
    if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        return -1;
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc >= 3 && std::strcmp(argv[1], childFlag) == 0) {
        if (std::strcmp(argv[2], "real") == 0 && argc >= 4)
            return runReal(argc, argv, QString::fromLocal8Bit(argv[3]));
        return 2;
    }

    const int runs = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 10;
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const QString bareWindow =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bare_window"));
    const QStringList bareArguments{QStringLiteral("--quit-after-paint")};

    // A base directory of an earlier run: no installation guide, settings read back.
    QTemporaryDir temp;
    const QString base = QDir(temp.path()).filePath(QStringLiteral("Vorleth"));
    for (const char* sub : {"SGF", "Pelloq", "Pelloq写真"})
        QDir().mkpath(QDir(base).filePath(QString::fromUtf8(sub)));

    // One of each first, untimed, so that both find the libraries in the page cache.
    timeChild(bareWindow, bareArguments);
    timeChild(self, {childFlag, QStringLiteral("real"), base});

    std::vector<double> bare;
    std::vector<double> real;
    for (int i = 0; i < runs; ++i) {
        const double b = timeChild(bareWindow, bareArguments);
        const double r = timeChild(self, {childFlag, QStringLiteral("real"), base});
        if (b < 0 || r < 0) {
            std::fprintf(stderr, "startup_bench: a child failed\n");
            return 1;
        }
        bare.push_back(b);
        real.push_back(r);
    }
    const double bareMedian = median(bare);
    const double realMedian = median(real);
    std::printf("runs: %d (offscreen)\n", runs);
    std::printf("bare window:  median %.1f ms\n", bareMedian);
    std::printf("main menu:    median %.1f ms\n", realMedian);
    std::printf("ratio:        %.2f (target at most 1.50)\n", realMedian / bareMedian);
    return 0;
}
