#include "screens/recording/tableentryscreen.h"

#include "ui/twipsbox.h"

#include "state/contexts.h"
#include "state/sharedstate.h"
#include "ui/beeprun.h"
#include "ui/escapebutton.h"
#include "ui/flexgrid.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>

namespace vorleth {

namespace {

constexpr double largeScale = 8.0 / 6.0;
constexpr int gridLines = 20; // the heading row or column and the 19 lines of the board

// A control's box in twips: left, top, width, height.
struct Box {
    double left, top, width, height;
};
// Its box in each layout: the 800 layout moves or stretches some of them.
struct Place {
    Box small;
    Box large;
};

constexpr Box captionBox{3120, 120, 3780, 345};
constexpr Box finishBox{1320, 600, 1215, 375};
constexpr Box backBox{6720, 600, 975, 375};
constexpr Box gridBox{600, 1080, 8055, 4575};
constexpr Box messageBox{1560, 5640, 4635, 285};

const Place captionPlace{captionBox, captionBox};                           // Label1
const Place finishPlace{finishBox, {1200, 600, 1215, 375}};                 // Command1
const Place backPlace{backBox, {backBox.left * largeScale, 600, 975, 375}}; // Command2
const Place gridPlace{gridBox,
                      {600, 1080, gridBox.width* largeScale, gridBox.height* largeScale}}; // Grid1
const Place messagePlace{messageBox, {1560, messageBox.top* largeScale, 4635, 285}};       // errmsg

constexpr double clientWidth = 9360;
constexpr double clientHeight = 6060;
constexpr double largeClientWidth = 11325;

void place(QWidget* widget, const Place& where, bool large) {
    const Box& box = large ? where.large : where.small;
    int width = pixels(box.width);
    int height = pixels(box.height);
    // Buttons and text boxes keep the room their font needs.
    if (qobject_cast<QPushButton*>(widget) || qobject_cast<QLineEdit*>(widget)) {
        width = std::max(width, widget->sizeHint().width());
        height = std::max(height, widget->minimumSizeHint().height());
    }
    widget->setGeometry(pixels(box.left), pixels(box.top), width, height);
}

const QColor starPointColour(255, 224, 192);
const QColor failedColour(255, 0, 0);
const QColor captionColour(192, 255, 192);
const QColor messageBackground(255, 192, 192);

bool isStarLine(int line) {
    return line == 4 || line == 10 || line == 16;
}

// The current cell shows as a frame, not as a selection: a selection would paint over the red
// of a number that failed its check. Numbers are drawn across the whole narrow cell, without
// the usual margins, so that three digits fit.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(QAbstractItemView* view) : QStyledItemDelegate(view), m_view(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        // Painted directly rather than through the style: the whole grid is redrawn at every
        // refresh and line edit, and this keeps that well within a frame.
        const QVariant background = index.data(Qt::BackgroundRole);
        if (background.isValid())
            painter->fillRect(option.rect, background.value<QBrush>());
        const QVariant foreground = index.data(Qt::ForegroundRole);
        painter->setPen(foreground.isValid() ? foreground.value<QBrush>().color()
                                             : option.palette.color(QPalette::Text));
        painter->setFont(option.font);
        painter->drawText(option.rect, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
        if (index == m_view->currentIndex()) {
            painter->save();
            painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
            painter->restore();
        }
    }

private:
    QAbstractItemView* m_view;
};

} // namespace

TableEntryScreen::TableEntryScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                                   Beeper* beeper, QWidget* parent)
    : QMainWindow(parent), m_large(state.geometry.large()),
      m_ownBeeps(beeper ? nullptr : std::make_unique<BeepRun>()),
      m_controller(tableEntryContext(state), *this, beeper ? *beeper : *m_ownBeeps, dialogs,
                   navigator),
      m_loadTimer(this) {
    setObjectName(QStringLiteral("mapsofuenter"));
    setWindowTitle(QStringLiteral("Vorleth　総譜から入力"));
    buildControls();
    buildMenus();

    m_controller.open();
    m_loadTimer.setObjectName(QStringLiteral("Timer1"));
    m_loadTimer.setSingleShot(true);
    m_loadTimer.setInterval(1);
    connect(&m_loadTimer, &QTimer::timeout, this, [this] { m_controller.load(); });
    m_loadTimer.start();
}

TableEntryScreen::~TableEntryScreen() {
    m_loadTimer.stop();
}

void TableEntryScreen::buildControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(pixels(m_large ? largeClientWidth : clientWidth),
                         pixels(m_large ? clientHeight * largeScale : clientHeight));
    setCentralWidget(client);

    auto* caption = new QLabel(QStringLiteral("Vorleth　 総譜入力画面"), client);
    caption->setObjectName(QStringLiteral("Label1"));
    caption->setAlignment(Qt::AlignCenter);
    caption->setAutoFillBackground(true);
    QPalette captionPalette = caption->palette();
    captionPalette.setColor(QPalette::Window, captionColour);
    caption->setPalette(captionPalette);
    place(caption, captionPlace, m_large);

    auto* finish = new QPushButton(QStringLiteral("並べる"), client);
    finish->setObjectName(QStringLiteral("Command1"));
    place(finish, finishPlace, m_large);
    connect(finish, &QPushButton::clicked, this, [this] { closeAfter(m_controller.finish()); });

    auto* back = new QPushButton(QStringLiteral("戻る"), client);
    back->setObjectName(QStringLiteral("Command2"));
    place(back, backPlace, m_large);
    connect(back, &QPushButton::clicked, this, [this] { closeAfter(m_controller.back()); });
    pressOnEscape(this, back);

    m_grid = new FlexGrid(client);
    m_grid->setObjectName(QStringLiteral("Grid1"));
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setItemDelegate(new CellDelegate(m_grid));
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setWordWrap(false);
    QFont gridFont = m_grid->font();
    gridFont.setPointSize(m_large ? 12 : 9);
    m_grid->setFont(gridFont);
    m_grid->horizontalHeader()->setFont(gridFont);
    place(m_grid, gridPlace, m_large);
    // Twenty lines share the grid's height, so that the whole board shows at once.
    const int lineHeight = (m_grid->height() - 2 * m_grid->frameWidth()) / gridLines;
    m_grid->verticalHeader()->setMinimumSectionSize(1);
    m_grid->verticalHeader()->setDefaultSectionSize(lineHeight);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setMinimumSectionSize(1);
    m_grid->horizontalHeader()->setFixedHeight(lineHeight);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setUpGrid();
    connect(m_grid, &FlexGrid::currentCellMoved, this,
            [this](int, int) { m_controller.currentCellChanged(); });
    connect(m_grid, &FlexGrid::keyPressed, this, [this](int key) { m_controller.keyDown(key); });
    connect(m_grid, &FlexGrid::keyReleased, this, [this](int key) { m_controller.keyUp(key); });

    m_message = new QLineEdit(client);
    m_message->setObjectName(QStringLiteral("errmsg"));
    m_message->setReadOnly(true);
    m_message->setFocusPolicy(Qt::NoFocus);
    QPalette messagePalette = m_message->palette();
    messagePalette.setColor(QPalette::Base, messageBackground);
    messagePalette.setColor(QPalette::Text, failedColour);
    m_message->setPalette(messagePalette);
    place(m_message, messagePlace, m_large);
}

void TableEntryScreen::buildMenus() {
    auto action = [this](auto* owner, const char* name, const QString& text, auto slot) {
        QAction* a = owner->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    TableEntryController& c = m_controller;

    QMenu* corrections = menuBar()->addMenu(QStringLiteral("修正指示"));
    corrections->setObjectName(QStringLiteral("shuseishiji"));
    action(corrections, "leftshift", QStringLiteral("左にシフト"), [&c] { c.shiftLeft(); });
    action(corrections, "rightshift", QStringLiteral("右にシフト"), [&c] { c.shiftRight(); });
    action(corrections, "upline", QStringLiteral("１行上げる"), [&c] { c.lineUp(); });
    action(corrections, "downline", QStringLiteral("１行下げる"), [&c] { c.lineDown(); });
    action(corrections, "eraselline", QStringLiteral("１行消去"), [&c] { c.eraseLine(); });
    action(menuBar(), "savepro", QStringLiteral("現状保管"), [&c] { c.saveProgress(); });
    action(menuBar(), "F8HELP", QStringLiteral("ヘルプ"), [&c] { c.showHelp(); });
    // A caption of 31 ideographic spaces that does nothing.
    action(menuBar(), "kuhaku", QString(31, QChar(0x3000)), [] {});
}

void TableEntryScreen::closeAfter(bool handedOver) {
    if (handedOver)
        close();
}

void TableEntryScreen::closeEvent(QCloseEvent* event) {
    m_loadTimer.stop();
    QMainWindow::closeEvent(event);
}

void TableEntryScreen::setUpGrid() {
    const double width = m_large ? 485 : 380;
    m_grid->setColumns(gridLines);
    m_grid->setRows(gridLines - 1);
    m_grid->setFixedColumns(1);
    for (int i = 0; i < gridLines; ++i) {
        m_grid->setColumnWidthTwips(i, width);
        m_grid->setColumnAlignment(i, Qt::AlignCenter);
        m_grid->setText(0, i, QString::number(i));
        m_grid->setCellBackground(0, i, palette().color(QPalette::Button));
        m_grid->setCellForeground(0, i, Qt::black);
        if (i > 0) {
            m_grid->setText(i, 0, QString::number(i));
            m_grid->setCellForeground(i, 0, Qt::black);
        }
    }
    for (int column = 1; column < gridLines; ++column) {
        for (int row = 1; row < gridLines; ++row) {
            if (isStarLine(column) && isStarLine(row))
                m_grid->setCellBackground(row, column, starPointColour);
        }
    }
}

void TableEntryScreen::resetGrid() {
    // The lines, headings, widths and star points stay as set up; only numbers and their
    // colours change, so only they are reset.
    for (int column = 1; column < gridLines; ++column) {
        for (int row = 1; row < gridLines; ++row) {
            m_grid->setText(row, column, QString());
            m_grid->setCellForeground(row, column, Qt::black);
        }
    }
    m_grid->setCurrent(1, 1);
    m_grid->setFocus();
}

void TableEntryScreen::showNumber(Point cell, int number) {
    m_grid->setText(cell.row, cell.column, number == 0 ? QString() : QString::number(number));
}

void TableEntryScreen::setRed(Point cell, bool red) {
    m_grid->setCellForeground(cell.row, cell.column, red ? failedColour : QColor(Qt::black));
}

Point TableEntryScreen::currentCell() const {
    const Point cell{m_grid->currentGridColumn(), m_grid->currentGridRow()};
    return cell.onBoard() ? cell : Point{};
}

void TableEntryScreen::setCurrentCell(Point cell) {
    m_grid->setCurrent(cell.row, cell.column);
}

void TableEntryScreen::showMessage(const QString& text) {
    m_message->setText(text);
}

} // namespace vorleth
