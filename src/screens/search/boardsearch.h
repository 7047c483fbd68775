#pragma once

#include "board/board.h"
#include "search/pattern.h"

#include <QObject>
#include <QPoint>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QMenuBar;
class QRubberBand;

namespace vorleth {

class Dialogs;
class DrawingSurface;
class Navigator;
struct BoardGeometry;
struct SharedState;

// Captions and messages of the search from a board.
inline const QString searchMenuCaption = QStringLiteral("検索");
inline const QString searchPositionCaption = QStringLiteral("この局面を検索");
inline const QString searchRegionCaption = QStringLiteral("この部分を検索");
inline const QString swapColoursCaption = QStringLiteral("白黒反転も含む");
inline const QString chooseRegionMessage =
    QStringLiteral("Shift キーを押したまま碁盤の上をドラッグして、検索する部分を囲んでください");
inline const QString indexProgressCaption = QStringLiteral("検索の準備をしています");
inline const QString cancelCaption = QStringLiteral("取り消し");
inline const QString directoryUnreadableMessage = QStringLiteral("棋譜の保存場所を読めません：");

// The search from a board screen: a menu "検索" on the screen's menu bar, and a rectangle
// dragged on the board with Shift held (a plain press on the board stays the screen's own:
// it plays or steps), after which "この部分を検索" pops up. position gives the whole position
// the screen shows. The menu goes before the menu bar's action before (at the end without).
// The results open beside the screen.
class BoardSearch : public QObject {
    Q_OBJECT
public:
    BoardSearch(QMenuBar* menuBar, DrawingSurface* surface, const BoardGeometry& geometry,
                SharedState& state, Navigator& navigator, Dialogs& dialogs,
                std::function<SearchPattern()> position, QObject* parent,
                QAction* before = nullptr);

    void searchPosition();
    // The rectangle between two points: its stones and empty points as they stand.
    void searchRegion(Point corner, Point oppositeCorner);
    // The rectangle last dragged, if any.
    std::optional<std::pair<Point, Point>> region() const { return m_region; }
    QAction* swapAction() const { return m_swap; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run(const SearchPattern& pattern);
    std::optional<Point> pointAt(const QPoint& widgetPosition) const;

    DrawingSurface* m_surface;
    const BoardGeometry& m_geometry;
    SharedState& m_state;
    Navigator& m_navigator;
    Dialogs& m_dialogs;
    std::function<SearchPattern()> m_position;
    QAction* m_swap = nullptr;
    QAction* m_searchRegion = nullptr;
    QRubberBand* m_band = nullptr;
    QPoint m_dragStart;
    bool m_dragging = false;
    std::optional<std::pair<Point, Point>> m_region;
};

} // namespace vorleth
