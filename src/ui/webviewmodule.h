#pragma once

#include <QString>
#include <QStringList>

namespace vorleth {

class WebPageFactory;

// Finds the web engine module (vorleth_webengine) and loads it the first time a page is asked
// for; the engine's libraries come with it. The program looks beside its executable, where the
// build and the installation put the module; tests point it at the build tree.
// The outcome of the first attempt holds for the rest of the run, failure included: a module
// that could not be loaded is not searched for again at every window.
class WebViewModule {
public:
    static inline const QString baseName = QStringLiteral("vorleth_webengine");

    explicit WebViewModule(QStringList directories);
    WebViewModule(const WebViewModule&) = delete;
    WebViewModule& operator=(const WebViewModule&) = delete;

    // The program's module, looked for beside the executable.
    static WebViewModule& shared();

    // Where to look, in order. Changes nothing once the module is loaded.
    void setDirectories(QStringList directories);
    const QStringList& directories() const { return m_directories; }

    // The module's factory, loading it on the first call; null when it cannot be loaded, and
    // errorString() then says why.
    WebPageFactory* factory();
    QString errorString() const { return m_error; }

private:
    QStringList m_directories;
    bool m_tried = false;
    WebPageFactory* m_factory = nullptr;
    QString m_error;
};

} // namespace vorleth
