#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QWebEngineView;

namespace vorleth {

// A web page area with the actions of a small browser. busy() is true from the start of a load
// until it has finished (or was stopped).
class WebView : public QWidget {
    Q_OBJECT
public:
    explicit WebView(QWidget* parent = nullptr);

    void navigate(const QString& address);
    void back();
    void forward();
    void reload();
    void stop();
    void home();   // the view's own home page
    void search(); // the view's own search page

    bool busy() const { return m_busy; }
    QString title() const;
    QUrl url() const;

    void setHomeUrl(const QUrl& url) { m_homeUrl = url; }
    QUrl homeUrl() const { return m_homeUrl; }
    void setSearchUrl(const QUrl& url) { m_searchUrl = url; }
    QUrl searchUrl() const { return m_searchUrl; }

    QWebEngineView* view() const { return m_view; }

signals:
    void titleChanged(const QString& title);
    void urlChanged(const QUrl& url);
    void loadStarted();
    void loadFinished(bool ok);

private:
    QWebEngineView* m_view;
    QUrl m_homeUrl;
    QUrl m_searchUrl;
    bool m_busy = false;
};

} // namespace vorleth
