#pragma once

// The seam between the program and the web engine module. The engine's libraries are large and
// most sessions never show a page, so they live in a module that is loaded only when a web view
// is first needed (see webviewmodule.h); nothing else in the program links them.
//
// Only plain virtual calls and callbacks cross the seam: no class here has a Qt meta-object,
// so the module needs nothing from the program's own code.

#include <QString>
#include <QUrl>
#include <QtPlugin>

#include <functional>

class QWidget;

namespace vorleth {

// One page area of the engine. The object is its own widget: it belongs to the parent given at
// creation and goes with it (or with delete).
class WebPage {
public:
    // What the engine reports. Every callback may be left empty.
    struct Events {
        std::function<void()> loadStarted;
        std::function<void(bool ok)> loadFinished;
        std::function<void(const QString& title)> titleChanged;
        std::function<void(const QUrl& url)> urlChanged;
    };

    virtual ~WebPage() = default;

    virtual QWidget* widget() = 0;
    virtual void load(const QUrl& url) = 0;
    virtual void back() = 0;
    virtual void forward() = 0;
    virtual void reload() = 0;
    virtual void stop() = 0;
    virtual QString title() const = 0;
    virtual QUrl url() const = 0;
};

// What the module offers.
class WebPageFactory {
public:
    virtual ~WebPageFactory() = default;
    virtual WebPage* createPage(QWidget* parent, WebPage::Events events) = 0;
};

} // namespace vorleth

// The version in the name changes whenever the classes above change, so that a module built
// against other declarations is refused instead of called.
#define VORLETH_WEB_PAGE_FACTORY_IID "org.vorleth.WebPageFactory/1"
Q_DECLARE_INTERFACE(vorleth::WebPageFactory, VORLETH_WEB_PAGE_FACTORY_IID)
