#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QLabel;

namespace vorleth {

class WebPage;
class WebViewModule;

// A web page area with the actions of a small browser. busy() is true from the start of a load
// until it has finished (or was stopped).
// The page comes from the web engine module, loaded when the first view is made. Without the
// module the view shows unavailableMessage and the reason instead of a page; the actions then
// do nothing and the view is never busy.
class WebView : public QWidget {
    Q_OBJECT
public:
    static inline const QString unavailableMessage =
        QStringLiteral("Webページを表示する部品を読み込めなかったため、ページを表示できません。");

    explicit WebView(QWidget* parent = nullptr);
    WebView(WebViewModule& module, QWidget* parent = nullptr);
    ~WebView() override;

    bool available() const { return m_page != nullptr; }

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

signals:
    void titleChanged(const QString& title);
    void urlChanged(const QUrl& url);
    void loadStarted();
    void loadFinished(bool ok);

private:
    WebPage* m_page = nullptr;
    QLabel* m_unavailable = nullptr;
    QUrl m_homeUrl;
    QUrl m_searchUrl;
    bool m_busy = false;
};

} // namespace vorleth
