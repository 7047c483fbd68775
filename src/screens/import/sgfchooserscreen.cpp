#include "screens/import/sgfchooserscreen.h"

#include "ui/directorychooser.h"
#include "ui/heading.h"

#include "import/importsource.h"
#include "ui/escapebutton.h"

#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorleth {

namespace {

// The import directory made at start-up; should it be gone, the base directory or the root.
QString startDirectory(const QString& baseDirectory) {
    const QString sgf = QDir(baseDirectory).filePath(QStringLiteral("SGF"));
    for (const QString& candidate : {sgf, baseDirectory}) {
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    }
    return QDir::rootPath();
}

} // namespace

SgfChooserScreen::SgfChooserScreen(ImportSource& source, const QString& baseDirectory,
                                   Navigator& navigator, QWidget* parent)
    : QMainWindow(parent), m_source(source), m_navigator(navigator) {
    setObjectName(QStringLiteral("SgfTorikomi"));
    const QString title = QStringLiteral("ＹＡＨＯＯ囲碁ファイル(SGF)の取込み");
    setWindowTitle(title);

    auto* central = new QWidget(this);
    setCentralWidget(central);

    QLabel* heading = newHeading(title, central);
    auto* hint =
        new QLabel(QStringLiteral("ファイル名をダブルクリックしても取込みを開始します"), central);
    hint->setObjectName(QStringLiteral("HintLabel"));

    // On Windows the drive letters; elsewhere the one root "/".
    m_directories = new DirectoryChooser(QStringLiteral("Drive1"), QStringLiteral("Dir1"), central);

    m_fileModel = new QFileSystemModel(this);
    m_fileModel->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    m_fileModel->setNameFilters({QStringLiteral("*.sgf")}); // matched in either case
    m_fileModel->setNameFilterDisables(false);
    m_fileModel->setReadOnly(true);
    m_fileList = new QListView(central);
    m_fileList->setObjectName(QStringLiteral("File1"));
    m_fileList->setModel(m_fileModel);
    m_fileList->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* run = new QPushButton(QStringLiteral("取込み実行"), central);
    run->setObjectName(QStringLiteral("Command1"));
    auto* back = new QPushButton(QStringLiteral("戻る"), central);
    back->setObjectName(QStringLiteral("Command2"));

    connect(m_directories, &DirectoryChooser::directoryChanged, this, [this](const QString& path) {
        if (!path.isEmpty())
            showDirectory(path);
    });
    connect(m_fileList, &QListView::clicked, this, &SgfChooserScreen::pickFile);
    connect(m_fileList, &QListView::doubleClicked, this, &SgfChooserScreen::importFile);
    // The file selected, not merely the current one: a list given the focus makes its first
    // file current without the user choosing it.
    connect(run, &QPushButton::clicked, this, [this] {
        const QModelIndexList chosen = m_fileList->selectionModel()->selectedIndexes();
        importFile(chosen.isEmpty() ? QModelIndex() : chosen.first());
    });
    connect(back, &QPushButton::clicked, this, &SgfChooserScreen::leave);
    pressOnEscape(this, back);

    auto* lists = new QGridLayout;
    lists->addWidget(m_directories, 0, 0);
    lists->addWidget(m_fileList, 0, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(run);
    buttons->addWidget(back);
    buttons->addStretch(1);
    lists->addLayout(buttons, 0, 2);

    auto* layout = new QVBoxLayout(central);
    layout->addWidget(heading);
    layout->addWidget(hint);
    layout->addLayout(lists, 1);

    const QString start = startDirectory(baseDirectory);
    m_directories->showDirectory(start);
    showDirectory(start);

    resize(640, 420);
}

void SgfChooserScreen::showDirectory(const QString& path) {
    if (path == m_directory)
        return;
    m_directory = path;
    m_fileModel->setRootPath(path);
    m_fileList->setRootIndex(m_fileModel->index(path));
    // A file chosen in another directory is no choice here.
    m_fileList->selectionModel()->clear();
}

QString SgfChooserScreen::sourcePath(const QModelIndex& file) const {
    if (file.isValid() && file.parent() == m_fileList->rootIndex())
        return m_fileModel->filePath(file);
    // No file chosen: the directory alone, which the import reports as missing.
    return m_directory.endsWith(u'/') ? m_directory : m_directory + u'/';
}

void SgfChooserScreen::pickFile(const QModelIndex& file) {
    m_source.importSourcePath = sourcePath(file);
}

void SgfChooserScreen::importFile(const QModelIndex& file) {
    m_source.importSourcePath = sourcePath(file);
    m_navigator.show(ScreenId::GameInfo);
    close();
}

void SgfChooserScreen::leave() {
    m_source.importSourcePath.clear();
    m_navigator.show(ScreenId::GameInfo);
    close();
}

} // namespace vorleth
