// The web engine module: QWebEngineView behind the program's WebPage interface. The program
// loads it only when a web view is first needed (ui/webviewmodule.h).
#include "ui/webpage.h"

#include <QObject>
#include <QWebEngineView>

namespace vorleth {

class EnginePage : public QWebEngineView, public WebPage {
public:
    EnginePage(QWidget* parent, Events events)
        : QWebEngineView(parent), m_events(std::move(events)) {
        connect(this, &QWebEngineView::loadStarted, this, [this] {
            if (m_events.loadStarted)
                m_events.loadStarted();
        });
        connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
            if (m_events.loadFinished)
                m_events.loadFinished(ok);
        });
        connect(this, &QWebEngineView::titleChanged, this, [this](const QString& title) {
            if (m_events.titleChanged)
                m_events.titleChanged(title);
        });
        connect(this, &QWebEngineView::urlChanged, this, [this](const QUrl& url) {
            if (m_events.urlChanged)
                m_events.urlChanged(url);
        });
    }

    // The callbacks go before the view does; a signal sent while it is torn down finds none.
    ~EnginePage() override { disconnect(this, nullptr, this, nullptr); }

    QWidget* widget() override { return this; }
    void load(const QUrl& url) override { QWebEngineView::load(url); }
    void back() override { QWebEngineView::back(); }
    void forward() override { QWebEngineView::forward(); }
    void reload() override { QWebEngineView::reload(); }
    void stop() override { QWebEngineView::stop(); }
    QString title() const override { return QWebEngineView::title(); }
    QUrl url() const override { return QWebEngineView::url(); }

private:
    WebPage::Events m_events;
};

class WebEngineModule : public QObject, public WebPageFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VORLETH_WEB_PAGE_FACTORY_IID)
    Q_INTERFACES(vorleth::WebPageFactory)

public:
    WebPage* createPage(QWidget* parent, WebPage::Events events) override {
        return new EnginePage(parent, std::move(events));
    }
};

} // namespace vorleth

#include "webenginemodule.moc"
