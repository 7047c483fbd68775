#include "screens/search/boardsearch.h"

#include "board/geometry.h"
#include "interaction/dialogs.h"
#include "interaction/navigator.h"
#include "state/sharedstate.h"
#include "ui/drawingsurface.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QRubberBand>

namespace vorleth {

BoardSearch::BoardSearch(QMenuBar* menuBar, DrawingSurface* surface, const BoardGeometry& geometry,
                         SharedState& state, Navigator& navigator, Dialogs& dialogs,
                         std::function<SearchPattern()> position, QObject* parent, QAction* before)
    : QObject(parent), m_surface(surface), m_geometry(geometry), m_state(state),
      m_navigator(navigator), m_dialogs(dialogs), m_position(std::move(position)) {
    auto* menu = new QMenu(searchMenuCaption, menuBar);
    menuBar->insertMenu(before, menu);
    menu->setObjectName(QStringLiteral("kensaku"));
    QAction* whole = menu->addAction(searchPositionCaption);
    whole->setObjectName(QStringLiteral("kensaku_kyokumen"));
    connect(whole, &QAction::triggered, this, &BoardSearch::searchPosition);
    m_searchRegion = menu->addAction(searchRegionCaption);
    m_searchRegion->setObjectName(QStringLiteral("kensaku_bubun"));
    connect(m_searchRegion, &QAction::triggered, this, [this] {
        if (m_region)
            searchRegion(m_region->first, m_region->second);
        else
            m_dialogs.message(chooseRegionMessage);
    });
    menu->addSeparator();
    m_swap = menu->addAction(swapColoursCaption);
    m_swap->setObjectName(QStringLiteral("kensaku_hanten"));
    m_swap->setCheckable(true);
    m_swap->setChecked(m_state.search.swapColours);
    connect(m_swap, &QAction::toggled, this, [this](bool on) { m_state.search.swapColours = on; });

    m_band = new QRubberBand(QRubberBand::Rectangle, m_surface);
    m_surface->installEventFilter(this);
}

std::optional<Point> BoardSearch::pointAt(const QPoint& widgetPosition) const {
    const QPointF twips = m_surface->toTwips(widgetPosition);
    return m_geometry.pointAt(twips.x(), twips.y());
}

bool BoardSearch::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_surface)
        return false;
    auto* mouse = dynamic_cast<QMouseEvent*>(event);
    if (!mouse)
        return false;
    const QPoint at = mouse->position().toPoint();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton || !(mouse->modifiers() & Qt::ShiftModifier))
            return false;
        m_dragging = true;
        m_dragStart = at;
        m_band->setGeometry(QRect(at, QSize()));
        m_band->show();
        return true;
    case QEvent::MouseMove:
        if (!m_dragging)
            return false;
        m_band->setGeometry(QRect(m_dragStart, at).normalized());
        return true;
    case QEvent::MouseButtonRelease: {
        if (!m_dragging)
            return false;
        m_dragging = false;
        m_band->hide();
        const auto from = pointAt(m_dragStart);
        const auto to = pointAt(at);
        if (!from || !to)
            return true;
        m_region = std::pair{*from, *to};
        // The choice of colours stays open until a search is chosen.
        QMenu popup;
        popup.addAction(m_searchRegion);
        popup.addAction(m_swap);
        QAction* chosen = nullptr;
        do {
            chosen = popup.exec(mouse->globalPosition().toPoint());
        } while (chosen == m_swap);
        return true;
    }
    case QEvent::MouseButtonDblClick:
        return m_dragging;
    default:
        return false;
    }
}

void BoardSearch::searchPosition() {
    run(m_position());
}

void BoardSearch::searchRegion(Point corner, Point oppositeCorner) {
    const SearchPattern whole = m_position();
    SearchPattern region;
    const int left = std::min(corner.column, oppositeCorner.column);
    const int right = std::max(corner.column, oppositeCorner.column);
    const int top = std::min(corner.row, oppositeCorner.row);
    const int bottom = std::max(corner.row, oppositeCorner.row);
    for (int column = left; column <= right; ++column)
        for (int row = top; row <= bottom; ++row)
            region.set({column, row}, whole.at({column, row}));
    run(region);
}

void BoardSearch::run(const SearchPattern& pattern) {
    const QString directory = m_state.settings.recordDirectory;
    SearchIndex& index = m_state.search.indexFor(directory);

    // The progress shows only when reading the records takes a while: the first search of a
    // large library, or many records added since.
    QProgressDialog progress(indexProgressCaption, cancelCaption, 0, 1, m_surface->window());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const bool complete = index.update([&](int done, int total) {
        progress.setMaximum(std::max(total, 1));
        progress.setValue(done);
        QApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.reset();
    if (!complete) {
        if (!progress.wasCanceled())
            m_dialogs.message(directoryUnreadableMessage + directory);
        return;
    }

    SearchState& search = m_state.search;
    search.pattern = pattern;
    search.results = index.search(pattern, search.swapColours);
    if (search.resultsChanged)
        search.resultsChanged();
    m_navigator.showBeside(ScreenId::SearchResults);
}

} // namespace vorleth
