#include "screens/shell/setupscreen.h"

#include "ui/directorychooser.h"
#include "ui/heading.h"

#include "shell/helptexts.h"
#include "shell/setup.h"
#include "state/sharedstate.h"
#include "ui/escapebutton.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace vorleth {

SetupScreen::SetupScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                         QWidget* parent)
    : QMainWindow(parent), m_state(state), m_navigator(navigator), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("MAPINIT"));
    const QString title = QStringLiteral("Vorleth　保管フォルダ設定");
    setWindowTitle(title);

    auto* central = new QWidget(this);
    setCentralWidget(central);

    QLabel* heading = newHeading(title, central);

    auto* recordLabel = new QLabel(QStringLiteral("棋譜保管のDｉｒ設定"), central);
    auto* photoLabel = new QLabel(QStringLiteral("写真のＤｉｒ設定"), central);
    auto* workingLabel = new QLabel(QStringLiteral("棋譜作業ﾌｧｲﾙの初期化"), central);

    QWidget* recordChooser = directoryChooser(QStringLiteral("Drive1"), QStringLiteral("Dir1"),
                                              m_state.settings.recordDirectory);
    QWidget* photoChooser = directoryChooser(QStringLiteral("Drive2"), QStringLiteral("Dir2"),
                                             m_state.settings.photoDirectory);
    m_recordTree = recordChooser->findChild<QTreeView*>(QStringLiteral("Dir1"));
    m_photoTree = photoChooser->findChild<QTreeView*>(QStringLiteral("Dir2"));

    m_workingFileChoice = new QComboBox(central);
    m_workingFileChoice->setObjectName(QStringLiteral("SONOTAINI2"));
    m_workingFileChoice->addItems({keepWorkingEntryChoice, resetWorkingEntryChoice});
    m_workingFileChoice->setCurrentIndex(0);

    auto* apply = new QPushButton(QStringLiteral("設定する"), central);
    apply->setObjectName(QStringLiteral("Command1"));
    auto* back = new QPushButton(QStringLiteral("戻る"), central);
    back->setObjectName(QStringLiteral("Command2"));
    connect(apply, &QPushButton::clicked, this, &SetupScreen::apply);
    connect(back, &QPushButton::clicked, this, &SetupScreen::leave);
    pressOnEscape(this, back);

    auto* grid = new QGridLayout;
    grid->addWidget(recordLabel, 0, 0);
    grid->addWidget(photoLabel, 0, 1);
    grid->addWidget(workingLabel, 0, 2);
    grid->addWidget(recordChooser, 1, 0);
    grid->addWidget(photoChooser, 1, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(m_workingFileChoice);
    right->addStretch(1);
    right->addWidget(apply);
    right->addWidget(back);
    grid->addLayout(right, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(central);
    layout->addWidget(heading);
    layout->addLayout(grid, 1);

    QAction* help = menuBar()->addAction(QStringLiteral("ヘルプ"));
    help->setObjectName(QStringLiteral("F0HELP"));
    connect(help, &QAction::triggered, this, [this] { m_navigator.showHelp(helpcode::setup); });

    resize(720, 480);
}

QWidget* SetupScreen::directoryChooser(const QString& driveName, const QString& treeName,
                                       const QString& directory) {
    auto* chooser = new DirectoryChooser(driveName, treeName, this);
    // A choice that does not exist (such as "PASS") shows none chosen.
    chooser->showDirectory(directory);
    return chooser;
}

QString SetupScreen::shownDirectory(const QTreeView* tree) {
    const auto* model = qobject_cast<const QFileSystemModel*>(tree->model());
    const QModelIndex current = tree->currentIndex();
    if (!model || !current.isValid())
        return {};
    return model->filePath(current);
}

void SetupScreen::apply() {
    const SetupChoice choice{shownDirectory(m_recordTree), shownDirectory(m_photoTree),
                             m_workingFileChoice->currentText()};
    if (!applySetup(m_state, choice, m_dialogs))
        return;
    leave();
}

void SetupScreen::leave() {
    m_navigator.show(ScreenId::Start);
    close();
}

} // namespace vorleth
