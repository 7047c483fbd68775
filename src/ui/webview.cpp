#include "ui/webview.h"

#include "ui/webpage.h"
#include "ui/webviewmodule.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vorleth {

WebView::WebView(QWidget* parent) : WebView(WebViewModule::shared(), parent) {}

WebView::WebView(WebViewModule& module, QWidget* parent)
    : QWidget(parent), m_homeUrl(QStringLiteral("https://www.google.co.jp/")),
      m_searchUrl(QStringLiteral("https://www.google.co.jp/")) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    WebPageFactory* factory = module.factory();
    if (!factory) {
        m_unavailable =
            new QLabel(unavailableMessage + QLatin1Char('\n') + module.errorString(), this);
        m_unavailable->setObjectName(QStringLiteral("unavailable"));
        m_unavailable->setAlignment(Qt::AlignCenter);
        m_unavailable->setWordWrap(true);
        m_unavailable->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(m_unavailable);
        return;
    }

    WebPage::Events events;
    events.loadStarted = [this] {
        m_busy = true;
        emit loadStarted();
    };
    events.loadFinished = [this](bool ok) {
        m_busy = false;
        emit loadFinished(ok);
    };
    events.titleChanged = [this](const QString& title) { emit titleChanged(title); };
    events.urlChanged = [this](const QUrl& url) { emit urlChanged(url); };
    m_page = factory->createPage(this, std::move(events));
    layout->addWidget(m_page->widget());
}

WebView::~WebView() {
    // The page's callbacks reach into this view: it goes while the view is still whole.
    delete m_page;
}

void WebView::navigate(const QString& address) {
    const QUrl url = QUrl::fromUserInput(address.trimmed());
    if (!m_page || !url.isValid())
        return;
    m_page->load(url);
}

void WebView::back() {
    if (m_page)
        m_page->back();
}

void WebView::forward() {
    if (m_page)
        m_page->forward();
}

void WebView::reload() {
    if (m_page)
        m_page->reload();
}

void WebView::stop() {
    if (m_page)
        m_page->stop();
    // A stop before the engine has reported anything leaves no finish signal to clear it.
    m_busy = false;
}

void WebView::home() {
    if (m_page && m_homeUrl.isValid())
        m_page->load(m_homeUrl);
}

void WebView::search() {
    if (m_page && m_searchUrl.isValid())
        m_page->load(m_searchUrl);
}

QString WebView::title() const {
    return m_page ? m_page->title() : QString();
}

QUrl WebView::url() const {
    return m_page ? m_page->url() : QUrl();
}

} // namespace vorleth
