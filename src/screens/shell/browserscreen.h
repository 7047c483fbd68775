#pragma once

#include "shell/browserlogic.h"

#include <QMainWindow>

class QComboBox;
class QLabel;
class QTimer;
class QToolBar;

namespace vorleth {

struct SharedState;
class WebView;
class WebViewModule;

// frmBrowser: a small browser beside the working screen for the maker's pages. It opens the
// start address left by the first start (once), else the site's front page.
class BrowserScreen : public QMainWindow {
    Q_OBJECT
public:
    // Never smaller than the smaller screen layout, so that a page has room below the toolbar
    // and the address strip.
    static constexpr QSize minimumOpeningSize{640, 480};

    // The page comes from the program's web engine module unless another one is given.
    explicit BrowserScreen(SharedState& state, QWidget* parent = nullptr);
    BrowserScreen(SharedState& state, WebViewModule& module, QWidget* parent = nullptr);

    // The size to open at beside the working screen: the working screen's own.
    static QSize openingSize(QSize workingScreen);

    const BrowserLogic& logic() const { return m_logic; }
    WebView* webView() const { return m_web; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolbar();
    void buildAddressStrip(QWidget* area);
    void press(const QString& key);
    void openFromBox(const QString& text);
    void applyLogic(); // mirrors the poll and title the logic decided
    void layoutPage(); // Resizing: margins kept, sizes never negative

    BrowserLogic m_logic;
    QToolBar* m_toolbar = nullptr;
    QWidget* m_pageArea = nullptr;
    QWidget* m_addressStrip = nullptr;
    QLabel* m_addressLabel = nullptr;
    QComboBox* m_address = nullptr;
    WebView* m_web = nullptr;
    QTimer* m_poll = nullptr;
};

} // namespace vorleth
