#include "screens/search/searchresultsscreen.h"

#include "interaction/navigator.h"
#include "screens/search/searchhitsmodel.h"
#include "state/sharedstate.h"
#include "store/catalogue.h"
#include "store/recordname.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMap>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace vorleth {

namespace {

// The key of a continuation: where and which colour, or how the game went on instead.
QString continuationKey(const GameMatch& m) {
    if (m.nextPoint)
        return QStringLiteral("%1:%2").arg(m.nextBlack).arg(m.nextPoint->code());
    return m.nextOffBoard ? QStringLiteral("%1:pass").arg(m.nextBlack) : QStringLiteral("end");
}

QString letterOf(int i) {
    return i < 26 ? QString(QChar(u'A' + i)) : QString::number(i + 1);
}

// The pattern as searched, with the letters of the continuations on it.
class PatternBoard : public QWidget {
public:
    PatternBoard(const SearchState& search, QWidget* parent) : QWidget(parent), m_search(search) {
        setMinimumSize(300, 300);
    }

    QVector<Continuation> letters;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double cell = std::min(width(), height()) / 20.0;
        p.fillRect(rect(), QColor(255, 255, 5)); // the board colour of the drawn boards
        auto centre = [cell](Point pt) { return QPointF(pt.column * cell, pt.row * cell); };
        // Points the pattern does not care about are shaded.
        for (int i = 0; i < boardPointCount; ++i)
            if (m_search.pattern.points[i] == PatternContent::Any)
                p.fillRect(QRectF(centre(pointOfIndex(i)) - QPointF(cell / 2, cell / 2),
                                  QSizeF(cell, cell)),
                           QColor(200, 200, 150));
        p.setPen(Qt::black);
        for (int k = 1; k <= 19; ++k) {
            p.drawLine(centre({k, 1}), centre({k, 19}));
            p.drawLine(centre({1, k}), centre({19, k}));
        }
        for (int i = 0; i < boardPointCount; ++i) {
            const PatternContent c = m_search.pattern.points[i];
            if (c != PatternContent::Black && c != PatternContent::White)
                continue;
            p.setBrush(c == PatternContent::Black ? Qt::black : Qt::white);
            p.drawEllipse(centre(pointOfIndex(i)), cell * 0.45, cell * 0.45);
        }
        QFont font = p.font();
        font.setPixelSize(std::max(8, int(cell * 0.7)));
        font.setBold(true);
        p.setFont(font);
        for (const Continuation& c : letters) {
            if (!c.point)
                continue;
            const QRectF box(centre(*c.point) - QPointF(cell / 2, cell / 2), QSizeF(cell, cell));
            p.fillRect(box.adjusted(2, 2, -2, -2), QColor(255, 255, 255, 200));
            p.setPen(c.black ? Qt::red : Qt::blue);
            p.drawText(box, Qt::AlignCenter, c.letter);
        }
    }

private:
    const SearchState& m_search;
};

} // namespace

QVector<Continuation> continuations(const SearchResults& results) {
    QMap<QString, Continuation> byKey;
    for (const SearchHit& hit : results.hits) {
        Continuation& c = byKey[continuationKey(hit.match)];
        c.point = hit.match.nextPoint;
        c.black = hit.match.nextBlack;
        c.offBoard = hit.match.nextOffBoard;
        ++c.games;
    }
    QVector<Continuation> ranked = byKey.values().toVector();
    std::stable_sort(
        ranked.begin(), ranked.end(),
        [](const Continuation& a, const Continuation& b) { return a.games > b.games; });
    int letter = 0;
    for (Continuation& c : ranked)
        if (c.point)
            c.letter = letterOf(letter++);
    return ranked;
}

QString continuationText(const Continuation& c) {
    const QString colour = c.black ? QStringLiteral("黒") : QStringLiteral("白");
    if (c.point)
        return QStringLiteral("%1 %2-%3").arg(colour).arg(c.point->column).arg(c.point->row);
    if (c.offBoard)
        return colour + QStringLiteral(" パス");
    return QStringLiteral("終局");
}

SearchResultsScreen::SearchResultsScreen(SharedState& state, Navigator& navigator, QWidget* parent)
    : QWidget(parent), m_state(state), m_navigator(navigator) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(searchResultsTitle);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_model = new SearchHitsModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("Grid1"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    // The list opens in the order found (by file name); a click on a heading sorts.
    m_grid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_grid->setSortingEnabled(true);
    connect(m_grid, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { replayRow(index.row()); });

    auto* board = new PatternBoard(state.search, this);
    m_board = board;
    m_legend = new QLabel(this);
    m_legend->setObjectName(QStringLiteral("legend"));
    m_legend->setWordWrap(true);

    auto* replay = new QPushButton(replayChosenCaption, this);
    replay->setObjectName(QStringLiteral("Command1"));
    connect(replay, &QPushButton::clicked, this, [this] {
        if (!m_grid->currentIndex().isValid())
            m_summary->setText(chooseGameText);
        else
            replayRow(m_grid->currentIndex().row());
    });
    auto* close = new QPushButton(closeCaption, this);
    close->setObjectName(QStringLiteral("Command2"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* left = new QVBoxLayout;
    left->addWidget(m_summary);
    left->addWidget(m_grid, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(replay);
    buttons->addWidget(close);
    buttons->addStretch();
    left->addLayout(buttons);
    auto* right = new QVBoxLayout;
    right->addWidget(m_board, 1);
    right->addWidget(m_legend);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);
    resize(1000, 520);

    m_state.search.resultsChanged = [this] { refresh(); };
    refresh();
}

SearchResultsScreen::~SearchResultsScreen() {
    m_state.search.resultsChanged = nullptr;
}

void SearchResultsScreen::refresh() {
    const SearchResults& results = m_state.search.results;
    const QVector<Continuation> next = continuations(results);
    static_cast<PatternBoard*>(m_board)->letters = next;
    m_board->update();

    QString summary = results.hits.isEmpty()
                          ? noGamesFoundText
                          : QStringLiteral("%1 局が見つかりました").arg(results.hits.size());
    if (results.unreadable > 0)
        summary += QStringLiteral("（読めない棋譜 %1 局は除きました）").arg(results.unreadable);
    m_summary->setText(summary);
    QStringList legend;
    QMap<QString, QString> letterOfKey;
    for (const Continuation& c : next) {
        const QString text = continuationText(c);
        legend << (c.letter.isEmpty() ? text : c.letter + u'　' + text) +
                      QStringLiteral("　%1 局").arg(c.games);
        letterOfKey[text] = c.letter;
    }
    m_legend->setText(legend.join(u'\n'));

    m_model->setResults(&results, [letterOfKey](const SearchHit& hit) {
        Continuation c;
        c.point = hit.match.nextPoint;
        c.black = hit.match.nextBlack;
        c.offBoard = hit.match.nextOffBoard;
        const QString text = continuationText(c);
        const QString letter = letterOfKey.value(text);
        return letter.isEmpty() ? text : letter + u'　' + text;
    });
    m_grid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    // Measured on the rows in view and a thousand more, not on every game found.
    m_grid->resizeColumnsToContents();
}

void SearchResultsScreen::replayRow(int row) {
    const int hitIndex = m_model->hitAt(row);
    if (hitIndex < 0)
        return;
    if (m_state.search.fromGameBeingRecorded) {
        m_summary->setText(recordingFirstText);
        return;
    }
    const SearchHit& hit = m_state.search.results.hits[hitIndex];
    // The replay opens a record by its place in the catalogue, which the directory decides.
    Catalogue& catalogue = m_state.catalogue;
    scanCatalogue(catalogue, m_state.settings.recordDirectory);
    const QString fileName = hit.fileName.chopped(recordExtension.size());
    for (int position = 1; position <= catalogue.count(); ++position) {
        if (catalogue.fileName(position) == fileName) {
            m_state.replay.stepInterval = 3000;
            m_navigator.show(ScreenId::Replay, ChosenRecord{position, hit.match.moves});
            return;
        }
    }
    m_summary->setText(chooseGameText);
}

} // namespace vorleth
