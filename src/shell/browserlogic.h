#pragma once

#include <QString>
#include <QStringList>

namespace vorleth {

struct ShellState;

// The browser window's decisions, apart from the web view itself. The window calls these on
// its events and then mirrors timerOn and windowTitle into its timer and title bar.
class BrowserLogic {
public:
    static constexpr int busyPollIntervalMs = 5000;
    // Margin, in twips, kept free right of the address box and page and below the page.
    static constexpr int margin = 100;

    enum class Action { None, Back, Forward, Stop, Refresh, Home, Search };

    struct ToolbarButton {
        QString key;
        QString label;
        Action action;
    };
    // The toolbar's buttons in the order they stand.
    static QList<ToolbarButton> toolbarButtons();
    static Action actionForKey(const QString& key);

    static inline const QString connectingTitle = QStringLiteral("接続中...");

    // The address a new window opens: the one start-up left (taken only once), else the front
    // page of the maker's site.
    static QString takeStartingAddress(ShellState& shell);

    // Creation: the address box holds the starting address alone, the poll runs.
    // Returns the address to open.
    QString start(const QString& startingAddress);

    // Enter in the address box or a pick from its list: the poll runs and the box's text is
    // opened. Typed addresses are not added to the list.
    QString openFromBox(const QString& boxText);

    // A toolbar press; returns what the web view has to do. Every press switches the poll on;
    // "Stop" switches it off again and shows the page's title.
    Action press(const QString& key, const QString& pageTitle);

    // A tick of the busy poll.
    void tick(bool loading, const QString& pageTitle);

    // The web view reports a finished load.
    void loadFinished(const QString& pageTitle);

    const QString& startingAddress() const { return m_startingAddress; }
    const QStringList& addressList() const { return m_addressList; }
    bool timerOn() const { return m_timerOn; }
    const QString& windowTitle() const { return m_windowTitle; }

    // Sizes of the address box and the page area for a window's inner area, all in twips;
    // never negative however small the window gets.
    struct Layout {
        int addressBoxWidth = 0;
        int pageWidth = 0;
        int pageHeight = 0;
    };
    static Layout layout(int innerWidth, int innerHeight, int addressStripTop,
                         int addressStripHeight);

private:
    QString m_startingAddress;
    QStringList m_addressList;
    bool m_timerOn = false;
    QString m_windowTitle;
};

} // namespace vorleth
