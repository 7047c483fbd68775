#include "screens/store/recordlistscreen.h"

#include "ui/platform.h"
#include "ui/screenarea.h"
#include "ui/twipsbox.h"

#include "screens/store/recordlistmodel.h"
#include "state/sharedstate.h"
#include "store/catalogue.h"

#include <QAbstractItemView>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <QtMath>

#include <algorithm>

namespace vorleth {

RecordListScreen::RecordListScreen(SharedState& state, Navigator& navigator, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_navigator(navigator),
      m_controller({state.catalogue, state.recordList, state.record, state.replay.stepInterval,
                    state.settings.recordDirectory},
                   *this) {
    setObjectName(QStringLiteral("maptaikyokulist"));
    setWindowTitle(QStringLiteral("Vorleth　対局一覧表"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_model = new RecordListModel(state.catalogue, this);
    setCentralWidget(buildControls());
    buildMenus();
    m_controller.enter();
    // A scan of a large library frees as much as the catalogue keeps (its pieces, the orders'
    // working arrays): the list keeps only the catalogue.
    returnFreedMemory();
}

QWidget* RecordListScreen::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* title = new QLabel(QStringLiteral("対局一覧表"), central);
    title->setObjectName(QStringLiteral("titleLabel"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    auto* instruction = new QLabel(
        QStringLiteral(
            "リストをダブルクリックしても選局できます　見出しをクリックすると並びが変わります"),
        central);
    instruction->setObjectName(QStringLiteral("instructionLabel"));
    layout->addWidget(instruction);

    auto* totalRow = new QHBoxLayout;
    auto* totalLabel = new QLabel(QStringLiteral("総対局数"), central);
    m_totalBox = new QLineEdit(central);
    m_totalBox->setObjectName(QStringLiteral("totalBox"));
    m_totalBox->setReadOnly(true);
    m_totalBox->setAlignment(Qt::AlignRight);
    m_totalBox->setMaximumWidth(pixels(1000));
    totalLabel->setBuddy(m_totalBox);
    totalRow->addWidget(totalLabel);
    totalRow->addWidget(m_totalBox);
    totalRow->addStretch();
    layout->addLayout(totalRow);

    m_grid = new QTableView(central);
    m_grid->setObjectName(QStringLiteral("Grid1"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setWordWrap(false);
    // Rows of one fixed height: the view then never measures rows, whatever the library's size.
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    QHeaderView* headings = m_grid->horizontalHeader();
    headings->setSectionsClickable(true);
    headings->setHighlightSections(false);
    headings->setStretchLastSection(false);
    // The widths were chosen for a narrow 9-point face; a wider screen font must still show a
    // whole date, so the two date columns grow to fit one.
    const int dateWidth = m_grid->fontMetrics().horizontalAdvance(QStringLiteral("20071105")) + 12;
    QList<int> widths;
    int gridWidth = 0;
    for (int column = 0; column < kRecordListColumns; ++column) {
        int width = pixels(RecordListModel::columnWidthTwips(column));
        if (column == 6 || column == 7)
            width = std::max(width, dateWidth);
        widths << width;
        gridWidth += width;
    }
    // Every column in view on the chosen screen size: where the window would not fit, the
    // texts give up some of their width and the dates keep theirs.
    const QMargins margins = layout->contentsMargins();
    const int extra = m_grid->verticalScrollBar()->sizeHint().width() + 2 * m_grid->frameWidth();
    const int room = largestClientSize(this, m_state.geometry.large()).width() - margins.left() -
                     margins.right() - extra;
    if (gridWidth > room) {
        const int dates = widths[6] + widths[7];
        const double share = double(room - dates) / (gridWidth - dates);
        gridWidth = dates;
        for (int column = 0; column < kRecordListColumns; ++column) {
            if (column != 6 && column != 7) {
                widths[column] = static_cast<int>(widths[column] * share);
                gridWidth += widths[column];
            }
        }
    }
    for (int column = 0; column < kRecordListColumns; ++column)
        m_grid->setColumnWidth(column, widths[column]);
    m_grid->setMinimumWidth(gridWidth + extra);
    layout->addWidget(m_grid, 1);

    m_grid->installEventFilter(this);
    setFocusProxy(m_grid);
    // The window gives its first focus to the first control in the tab order, the read-only
    // total; the arrows and Enter are meant for the list.
    m_grid->setFocus();
    connect(headings, &QHeaderView::sectionClicked, this,
            [this](int column) { m_controller.clickHeading(column); });
    connect(m_grid, &QTableView::clicked, this, [this](const QModelIndex& index) {
        m_controller.choose(m_model->positionAt(index.row()));
    });
    connect(m_grid, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        replay(m_controller.chooseAndReplay(m_model->positionAt(index.row())));
    });
    // Moving through the rows with the keyboard chooses too, so the highlighted row is always
    // the record that "選んだ対局を並べる" replays.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_refreshing && current.isValid())
                    m_controller.choose(m_model->positionAt(current.row()));
            });

    m_statusBox = new QLineEdit(central);
    m_statusBox->setObjectName(QStringLiteral("statusBox"));
    m_statusBox->setReadOnly(true);
    layout->addWidget(m_statusBox);

    auto* buttons = new QHBoxLayout;
    auto* replay = new QPushButton(QStringLiteral("選んだ対局を並べる"), central);
    replay->setObjectName(QStringLiteral("Command1"));
    auto* back = new QPushButton(QStringLiteral("戻る"), central);
    back->setObjectName(QStringLiteral("Command2"));
    buttons->addStretch();
    buttons->addWidget(replay);
    buttons->addWidget(back);
    layout->addLayout(buttons);
    connect(replay, &QPushButton::clicked, this,
            [this] { this->replay(m_controller.replayChosen()); });
    connect(back, &QPushButton::clicked, this, [this] { handOver(ScreenId::Start); });

    return central;
}

void RecordListScreen::buildMenus() {
    QMenu* select = menuBar()->addMenu(QStringLiteral("選局"));
    select->setObjectName(QStringLiteral("selectMenu"));
    QAction* all = select->addAction(QStringLiteral("全局選局"));
    all->setObjectName(QStringLiteral("selectAll"));
    connect(all, &QAction::triggered, this, [this] { m_controller.selectAll(); });
    QAction* byGameName = select->addAction(QStringLiteral("対局名で選局"));
    byGameName->setObjectName(QStringLiteral("selectByGameName"));
    connect(byGameName, &QAction::triggered, this, [this] { handOver(ScreenId::GameNameChooser); });
    QAction* byPlayer = select->addAction(QStringLiteral("対局者で選局"));
    byPlayer->setObjectName(QStringLiteral("selectByPlayer"));
    connect(byPlayer, &QAction::triggered, this, [this] { handOver(ScreenId::PlayerChooser); });

    QMenu* sort = menuBar()->addMenu(QStringLiteral("並べ替え"));
    sort->setObjectName(QStringLiteral("sortMenu"));
    const struct {
        const char16_t* caption;
        const char* name;
        MenuSort sort;
    } sorts[] = {
        {u"対局名", "sort_taikyokumei", MenuSort::GameName},
        {u"登録日", "sort_torokubi", MenuSort::RecordDate},
        {u"参照日", "sort_sanshobi", MenuSort::ReferenceDate},
    };
    for (const auto& entry : sorts) {
        QAction* action = sort->addAction(QString::fromUtf16(entry.caption));
        action->setObjectName(QString::fromLatin1(entry.name));
        const MenuSort how = entry.sort;
        connect(action, &QAction::triggered, this, [this, how] { m_controller.sortBy(how); });
    }

    QAction* help = menuBar()->addAction(QStringLiteral("ヘルプ"));
    help->setObjectName(QStringLiteral("F4HELP"));
    connect(help, &QAction::triggered, this,
            [this] { m_navigator.showHelp(helpcode::recordList); });
}

void RecordListScreen::showTotal(int records) {
    m_totalBox->setText(QString::number(records));
}

void RecordListScreen::showRows(const QVector<int>& positions, int chosen) {
    m_refreshing = true;
    m_model->setShownPositions(positions);
    // The chosen record stays highlighted wherever the new order puts it.
    const int row = m_model->rowOf(chosen);
    if (row >= 0) {
        const QModelIndex index = m_model->index(row, 1);
        m_grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
        m_grid->scrollTo(index);
    }
    m_refreshing = false;
}

void RecordListScreen::showStatus(const QString& text) {
    m_statusBox->setText(text);
}

bool RecordListScreen::eventFilter(QObject* watched, QEvent* event) {
    // A list taking the focus makes its first row current by itself, which here would choose
    // a record the user never pointed at; the arrows choose one.
    if (watched == m_grid && event->type() == QEvent::FocusIn && !m_grid->currentIndex().isValid())
        m_grid->setCurrentIndex(QModelIndex());
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            replay(m_controller.replayChosen());
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void RecordListScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        handOver(ScreenId::Start);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void RecordListScreen::replay(std::optional<int> position) {
    if (position)
        handOver(ScreenId::Replay, ChosenRecord{*position});
}

void RecordListScreen::handOver(ScreenId next, const Handover& handover) {
    m_navigator.show(next, handover);
    close();
}

} // namespace vorleth
