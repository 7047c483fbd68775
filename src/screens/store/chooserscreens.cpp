#include "screens/store/chooserscreens.h"

#include "state/sharedstate.h"
#include "ui/flexgrid.h"
#include "ui/heading.h"

#include <QActionGroup>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorleth {

namespace {

constexpr int kCountColumn = 0;
constexpr int kGroupColumn = 1;

struct ChooserTexts {
    const char16_t* screenName;
    const char16_t* windowTitle;
    const char16_t* listHeading;
    const char16_t* groupHeading;
    const char16_t* lengthMenu;
};

const ChooserTexts& textsOf(ChooserKind kind) {
    static const ChooserTexts gameName{u"対局名選択", u"Vorleth　対局名で選択", u"対局名　一覧表",
                                       u"対局名", u"絞り込み桁数"};
    static const ChooserTexts player{u"対局者選択", u"Vorleth　対局者で選択", u"対局者　一覧表",
                                     u"対局者", u"絞込み桁数"};
    return kind == ChooserKind::GameName ? gameName : player;
}

int& prefixLengthOf(ChooserKind kind, SharedState& state) {
    return kind == ChooserKind::GameName ? state.choosers.gameNamePrefixLength
                                         : state.choosers.playerPrefixLength;
}

QLineEdit* numberBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(80);
    return box;
}

} // namespace

ChooserScreen::ChooserScreen(ChooserKind kind, SharedState& state, Navigator& navigator,
                             QWidget* parent)
    : QMainWindow(parent), m_navigator(navigator),
      m_chooser(std::make_unique<Chooser>(kind, state.catalogue, state.recordList,
                                          prefixLengthOf(kind, state))) {
    const ChooserTexts& texts = textsOf(kind);
    setObjectName(QString::fromUtf16(texts.screenName));
    setWindowTitle(QString::fromUtf16(texts.windowTitle));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    QLabel* heading =
        newHeading(QString::fromUtf16(texts.listHeading), central, QStringLiteral("listHeading"));
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);

    m_grid = new FlexGrid(central);
    m_grid->setObjectName(QStringLiteral("Grid1"));
    m_grid->setColumns(2);
    m_grid->setColumnWidthTwips(kCountColumn, 700);
    m_grid->setColumnWidthTwips(kGroupColumn, 2000);
    m_grid->setColumnAlignment(kCountColumn, Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(m_grid, 1);
    connect(m_grid, &FlexGrid::cellClicked, this, [this](int row, int) { pick(row); });

    auto* counts = new QHBoxLayout;
    m_groupCountBox = numberBox(QStringLiteral("Text2"), central);
    m_pickedCountBox = numberBox(QStringLiteral("Text1"), central);
    counts->addWidget(new QLabel(QStringLiteral("グループ数"), central));
    counts->addWidget(m_groupCountBox);
    counts->addWidget(new QLabel(QStringLiteral("選択数"), central));
    counts->addWidget(m_pickedCountBox);
    counts->addStretch();
    layout->addLayout(counts);

    auto* done = new QPushButton(QStringLiteral("選択完了"), central);
    done->setObjectName(QStringLiteral("Option1"));
    connect(done, &QPushButton::clicked, this, [this] { finish(); });
    layout->addWidget(done, 0, Qt::AlignRight);
    setCentralWidget(central);

    QMenu* lengthMenu = menuBar()->addMenu(QString::fromUtf16(texts.lengthMenu));
    lengthMenu->setObjectName(QStringLiteral("lengthMenu"));
    auto* lengths = new QActionGroup(this);
    for (int length = kMinPrefixLength; length <= kMaxPrefixLength; ++length) {
        QAction* action = lengthMenu->addAction(QString::number(length));
        action->setObjectName(QStringLiteral("桁") + QString::number(length));
        action->setCheckable(true);
        lengths->addAction(action);
        m_lengthActions.append(action);
        connect(action, &QAction::triggered, this, [this, length] {
            m_chooser->setPrefixLength(length);
            fillGrid();
        });
    }

    m_chooser->open();
    fillGrid();
}

ChooserScreen::~ChooserScreen() = default;

void ChooserScreen::fillGrid() {
    const QVector<ChooserGroup>& groups = m_chooser->groups();
    m_grid->setRows(0); // no picked colour survives a rebuild
    m_grid->setRows(static_cast<int>(groups.size()));
    m_grid->setText(0, kCountColumn, QStringLiteral("対局数"));
    m_grid->setText(0, kGroupColumn, QString::fromUtf16(textsOf(m_chooser->kind()).groupHeading));
    for (int row = 1; row <= groups.size(); ++row) {
        const ChooserGroup& group = groups[row - 1];
        m_grid->setText(row, kCountColumn, lastFiveDigits(group.count));
        m_grid->setText(row, kGroupColumn, group.text);
    }
    m_groupCountBox->setText(m_chooser->groupCountText());
    m_pickedCountBox->setText(m_chooser->pickedCountText());
    for (QAction* action : std::as_const(m_lengthActions))
        action->setChecked(action->text() == QString::number(m_chooser->prefixLength()));
}

void ChooserScreen::pick(int row) {
    if (!m_chooser->pick(row))
        return;
    m_grid->setCellBackground(row, kGroupColumn, QColor(kPickedRed, kPickedGreen, kPickedBlue));
    m_pickedCountBox->setText(m_chooser->pickedCountText());
}

void ChooserScreen::finish() {
    m_navigator.show(ScreenId::RecordList);
    close();
}

GameNameChooser::GameNameChooser(SharedState& state, Navigator& navigator, QWidget* parent)
    : ChooserScreen(ChooserKind::GameName, state, navigator, parent) {}

PlayerChooser::PlayerChooser(SharedState& state, Navigator& navigator, QWidget* parent)
    : ChooserScreen(ChooserKind::Player, state, navigator, parent) {}

} // namespace vorleth
