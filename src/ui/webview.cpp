#include "ui/webview.h"

#include <QVBoxLayout>
#include <QWebEngineHistory>
#include <QWebEngineView>

namespace vorleth {

WebView::WebView(QWidget* parent)
    : QWidget(parent), m_view(new QWebEngineView(this)),
      m_homeUrl(QStringLiteral("https://www.google.co.jp/")),
      m_searchUrl(QStringLiteral("https://www.google.co.jp/")) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    connect(m_view, &QWebEngineView::loadStarted, this, [this] {
        m_busy = true;
        emit loadStarted();
    });
    connect(m_view, &QWebEngineView::loadFinished, this, [this](bool ok) {
        m_busy = false;
        emit loadFinished(ok);
    });
    connect(m_view, &QWebEngineView::titleChanged, this, &WebView::titleChanged);
    connect(m_view, &QWebEngineView::urlChanged, this, &WebView::urlChanged);
}

void WebView::navigate(const QString& address) {
    const QUrl url = QUrl::fromUserInput(address.trimmed());
    if (!url.isValid())
        return;
    m_view->load(url);
}

void WebView::back() {
    m_view->back();
}

void WebView::forward() {
    m_view->forward();
}

void WebView::reload() {
    m_view->reload();
}

void WebView::stop() {
    m_view->stop();
    // A stop before the engine has reported anything leaves no finish signal to clear it.
    m_busy = false;
}

void WebView::home() {
    if (m_homeUrl.isValid())
        m_view->load(m_homeUrl);
}

void WebView::search() {
    if (m_searchUrl.isValid())
        m_view->load(m_searchUrl);
}

QString WebView::title() const {
    return m_view->title();
}

QUrl WebView::url() const {
    return m_view->url();
}

} // namespace vorleth
