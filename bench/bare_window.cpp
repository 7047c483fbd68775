// The yardstick for start-up: a QApplication showing a 640 × 480 window with one Japanese
// label, and nothing else: it pays for fontconfig and the first CJK font as the program does. Built
// twice: bare_window links Qt Widgets only; bare_webengine_window also links QtWebEngine (without
// using it), which shows what merely linking the web engine costs.
//
// Usage: bare_window [--quit-after-paint]
// With the option the program ends once its window has painted (for timing offscreen);
// otherwise it runs until it is closed or killed.
#include "quitonfirstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

#ifdef VORLETH_BARE_WEBENGINE
#include <QWebEngineView>
#endif

int main(int argc, char* argv[]) {
#ifdef VORLETH_BARE_WEBENGINE
    // As a program using the engine must: before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
    QApplication app(argc, argv);
    QWidget window;
#ifdef VORLETH_BARE_WEBENGINE
    // A use of the library, so that no linker drops it as unneeded; the engine is not started.
    window.setObjectName(QString::fromLatin1(QWebEngineView::staticMetaObject.className()));
#endif
    QuitOnFirstPaint quitter;
    if (argc >= 2 && std::strcmp(argv[1], "--quit-after-paint") == 0)
        window.installEventFilter(&quitter);
    QLabel label(QStringLiteral("棋譜を並べる"), &window);
    label.move(20, 20);
    window.resize(640, 480);
    window.show();
    return app.exec();
}
