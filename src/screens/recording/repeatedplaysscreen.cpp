#include "screens/recording/repeatedplaysscreen.h"

#include "ui/twipsbox.h"

#include "state/contexts.h"
#include "state/sharedstate.h"
#include "ui/escapebutton.h"
#include "ui/flexgrid.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace vorleth {

namespace {

// The controls' boxes in twips (left, top, width, height); the same at both screen sizes.
struct Box {
    double left, top, width, height;
};
constexpr double clientWidth = 6765;
constexpr double clientHeight = 6360;
constexpr Box gridBox{2640, 2280, 1695, 6495};
constexpr Box finishBox{840, 2760, 1455, 375};
constexpr Box backBox{4920, 2760, 1215, 375};
constexpr int moveColumn = 0;
constexpr int earlierColumn = 1;

const QColor background(255, 255, 192);

// Puts a widget in its box, grown to the size its text needs.
void place(QWidget* widget, const Box& box) {
    const QSize hint = widget->sizeHint();
    widget->setGeometry(pixels(box.left), pixels(box.top),
                        std::max(pixels(box.width), hint.width()),
                        std::max(pixels(box.height), hint.height()));
}

// A label in its box; a wrapped one keeps the box's width and takes the lines it needs.
QLabel* label(QWidget* parent, const char* name, const QString& text, const Box& box,
              double pointSize, bool wrap = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont font = l->font();
    font.setPointSizeF(pointSize);
    l->setFont(font);
    if (wrap) {
        l->setWordWrap(true);
        const int width = pixels(box.width);
        l->setGeometry(pixels(box.left), pixels(box.top), width,
                       std::max(pixels(box.height), l->heightForWidth(width)));
    } else {
        place(l, box);
    }
    return l;
}

} // namespace

RepeatedPlaysScreen::RepeatedPlaysScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                                         QWidget* parent)
    : QMainWindow(parent), m_controller(repeatedPlaysContext(state), *this, dialogs, navigator) {
    setObjectName(QStringLiteral("nidouchienter"));
    setWindowTitle(QStringLiteral("二度打入力"));
    buildControls();
    m_controller.open();
}

RepeatedPlaysScreen::~RepeatedPlaysScreen() = default;

void RepeatedPlaysScreen::buildControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(pixels(clientWidth), pixels(clientHeight));
    client->setAutoFillBackground(true);
    QPalette palette = client->palette();
    palette.setColor(QPalette::Window, background);
    client->setPalette(palette);
    setCentralWidget(client);

    label(client, "Label1", QStringLiteral("コウなどの入力画面"), {1560, 360, 3210, 360}, 12);
    label(client, "Label5",
          QStringLiteral(
              "この入力は省略できます。その場合は碁盤を見ながらマウスで場所を指定して打ちます"),
          {1920, 840, 4575, 375}, 8, true);
    label(client, "Label2",
          QStringLiteral("直前のコウが繰り返されるときは * をいれると自動で判断します"),
          {1320, 1440, 4815, 180}, 8);
    label(client, "Label3",
          QStringLiteral("入力欄の移動は上下矢印またはマウスでおこなってください"),
          {1320, 1680, 4515, 180}, 8);
    label(client, "Label4", QStringLiteral("入力した値の消去は　Back spaceでできます"),
          {1320, 1920, 3405, 180}, 8);

    m_grid = new FlexGrid(client);
    m_grid->setObjectName(QStringLiteral("Grid1"));
    m_grid->setColumns(2);
    m_grid->setText(0, moveColumn, QStringLiteral("手番"));
    m_grid->setText(0, earlierColumn, QStringLiteral("元の手番"));
    const QFontMetrics metrics(m_grid->horizontalHeader()->font());
    // Columns share the list's box, each at least as wide as its heading.
    const int columnWidth = std::max(pixels(gridBox.width) / 2 - 8,
                                     metrics.horizontalAdvance(QStringLiteral("元の手番")) + 12);
    for (int column : {moveColumn, earlierColumn}) {
        m_grid->setColumnAlignment(column, Qt::AlignCenter);
        m_grid->setColumnWidth(column, columnWidth);
        m_grid->setCellBackground(0, column, palette.color(QPalette::Button));
        m_grid->setCellForeground(0, column, Qt::black);
    }
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 4);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The list's box runs past the window's bottom edge; the list ends inside the window, so
    // that its scroll bar can be reached.
    const int top = pixels(gridBox.top);
    m_grid->setGeometry(pixels(gridBox.left), top,
                        2 * columnWidth + m_grid->verticalScrollBar()->sizeHint().width() +
                            2 * m_grid->frameWidth(),
                        pixels(clientHeight) - top - 4);
    connect(m_grid, &FlexGrid::currentCellMoved, this,
            [this](int, int) { m_controller.currentCellChanged(); });
    connect(m_grid, &FlexGrid::keyPressed, this, [this](int key) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            m_controller.typed(u'\r');
    });
    connect(m_grid, &FlexGrid::keyTyped, this, [this](const QString& typed) {
        for (QChar c : typed) {
            // Enter comes as its key (the keypad's gives no character on every platform).
            if (c != u'\r' && c != u'\n')
                m_controller.typed(c);
        }
    });

    auto* finish = new QPushButton(QStringLiteral("並べる"), client);
    finish->setObjectName(QStringLiteral("Command1"));
    place(finish, finishBox);
    connect(finish, &QPushButton::clicked, this, [this] { closeAfter(m_controller.finish()); });
    auto* back = new QPushButton(QStringLiteral("戻る"), client);
    back->setObjectName(QStringLiteral("Command2"));
    place(back, backBox);
    connect(back, &QPushButton::clicked, this, [this] { closeAfter(m_controller.back()); });
    pressOnEscape(this, back);
}

void RepeatedPlaysScreen::closeAfter(bool handedOver) {
    if (handedOver)
        close();
}

void RepeatedPlaysScreen::setRows(int rows) {
    m_grid->setRows(rows);
}

int RepeatedPlaysScreen::rows() const {
    return m_grid->rows();
}

QString RepeatedPlaysScreen::text(int row, int column) const {
    return m_grid->text(row, column);
}

void RepeatedPlaysScreen::setText(int row, int column, const QString& text) {
    m_grid->setText(row, column, text);
}

int RepeatedPlaysScreen::currentRow() const {
    return m_grid->currentGridRow();
}

int RepeatedPlaysScreen::currentColumn() const {
    return m_grid->currentGridColumn();
}

void RepeatedPlaysScreen::setCurrent(int row, int column) {
    m_grid->setCurrent(row, column);
}

} // namespace vorleth
