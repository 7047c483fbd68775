#include "ui/directorychooser.h"

#include "ui/drivelist.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QItemSelectionModel>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace vorleth {

DirectoryChooser::DirectoryChooser(const QString& driveListName, const QString& treeName,
                                   QWidget* parent)
    : QWidget(parent) {
    m_drives = newDriveList(this, driveListName);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QString());
    m_model->setReadOnly(true);

    m_tree = new QTreeView(this);
    m_tree->setObjectName(treeName);
    m_tree->setModel(m_model);
    m_tree->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_tree->hideColumn(column);

    connect(m_drives, &QComboBox::activated, this, &DirectoryChooser::showDrive);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                const QString path = current.isValid() ? m_model->filePath(current) : QString();
                if (path != m_shown)
                    m_shown.clear(); // the user went elsewhere: leave the view to them
                emit directoryChanged(path);
            });
    // Rows above the directory that arrive late, or a sort of them, push it out of view again.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, &DirectoryChooser::keepInView);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &DirectoryChooser::keepInView);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &DirectoryChooser::keepInView);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_drives);
    layout->addWidget(m_tree, 1);
}

void DirectoryChooser::showDirectory(const QString& path) {
    const QString directory = QDir::cleanPath(QDir::fromNativeSeparators(path));
    const bool exists = QFileInfo(directory).isDir();
    m_drives->setCurrentIndex(driveIndexFor(m_drives, directory));
    m_tree->setRootIndex(m_model->index(m_drives->currentData().toString()));
    if (!exists) {
        m_shown.clear();
        m_tree->setCurrentIndex(QModelIndex());
        return;
    }
    const QString absolute = QDir::cleanPath(QFileInfo(directory).absoluteFilePath());
    m_shown = absolute;
    const QModelIndex index = m_model->index(absolute);
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        m_tree->expand(up);
    m_tree->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    keepInView();
    // Once the window has its size, the view knows where the middle is.
    QTimer::singleShot(0, this, &DirectoryChooser::keepInView);
}

QString DirectoryChooser::currentDirectory() const {
    const QModelIndex current = m_tree->currentIndex();
    return current.isValid() ? m_model->filePath(current) : QString();
}

void DirectoryChooser::showDrive(int index) {
    const QString root = m_drives->itemData(index).toString();
    m_shown.clear();
    m_tree->setRootIndex(m_model->index(root));
    // The drive's own directory is the one shown until another is chosen.
    m_tree->setCurrentIndex(m_model->index(root));
}

void DirectoryChooser::keepInView() {
    if (m_shown.isEmpty())
        return;
    const QModelIndex index = m_model->index(m_shown);
    if (index.isValid() && index == m_tree->currentIndex())
        m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

} // namespace vorleth
