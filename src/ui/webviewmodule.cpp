#include "ui/webviewmodule.h"

#include "ui/webpage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QPluginLoader>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

// Exported by QtGui for the engine's own start-up, which does the same before the application
// exists; it has no public declaration.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
QT_END_NAMESPACE

namespace vorleth {

namespace {

QOpenGLContext* sharedContext = nullptr;

void deleteSharedContext() {
    qt_gl_set_global_share_context(nullptr);
    delete sharedContext;
    sharedContext = nullptr;
}

// The engine draws through OpenGL contexts shared with one global context. It makes that
// context itself only when it is linked into the program and so starts before the application
// object; made then, the context costs every start of the program the loading of the OpenGL
// driver, even when no page is ever shown. Loaded later, the engine expects the context to be
// there already. No other window of the program uses OpenGL, so nothing was made earlier that
// would have had to share with it.
void prepareSharedOpenGLContext() {
    if (QOpenGLContext::globalShareContext() || !qobject_cast<QGuiApplication*>(qApp))
        return;
    // Qt says once that this belongs before the application; made late, on purpose.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    sharedContext = new QOpenGLContext;
    // As the engine does: set even when creation fails (no OpenGL); the engine then draws
    // without it.
    sharedContext->create();
    qt_gl_set_global_share_context(sharedContext);
    qAddPostRoutine(deleteSharedContext);
}

bool runningAsRoot() {
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return false; // no root user whose sandbox Chromium would refuse
#endif
}

// The engine reads these when it starts, which is after the module is loaded: setting them
// here is early enough.
void prepareEngineEnvironment() {
    if (!runningAsRoot())
        return;
    // Chromium refuses to start its sandbox as root.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--no-sandbox"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

} // namespace

WebViewModule::WebViewModule(QStringList directories) : m_directories(std::move(directories)) {}

WebViewModule& WebViewModule::shared() {
    static WebViewModule module({QCoreApplication::applicationDirPath()});
    return module;
}

void WebViewModule::setDirectories(QStringList directories) {
    if (m_factory)
        return;
    m_directories = std::move(directories);
    m_tried = false;
    m_error.clear();
}

WebPageFactory* WebViewModule::factory() {
    if (m_tried)
        return m_factory;
    m_tried = true;

    QStringList problems;
    for (const QString& directory : m_directories) {
        // Without a suffix the loader tries the platform's names (libvorleth_webengine.so).
        QPluginLoader loader(QDir(directory).filePath(baseName));
        if (!QFileInfo::exists(loader.fileName())) {
            problems << QStringLiteral("%1: not found").arg(QDir::toNativeSeparators(directory));
            continue;
        }
        prepareEngineEnvironment();
        prepareSharedOpenGLContext();
        QObject* instance = loader.instance();
        if (!instance) {
            problems << loader.errorString();
            continue;
        }
        if (auto* factory = qobject_cast<WebPageFactory*>(instance)) {
            m_factory = factory;
            m_error.clear();
            return m_factory;
        }
        problems << QStringLiteral("%1: not a module of this program version")
                        .arg(QDir::toNativeSeparators(loader.fileName()));
    }
    if (problems.isEmpty())
        problems << QStringLiteral("no directory to look in");
    m_error = QStringLiteral("%1: %2").arg(baseName, problems.join(QStringLiteral("; ")));
    return nullptr;
}

} // namespace vorleth
