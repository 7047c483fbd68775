#pragma once

#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QTreeView;

namespace vorleth {

// A drive list above the tree of that drive's directories, as the setup screen and the SGF
// chooser show them. The directory shown is the tree's current one: selected, its ancestors
// open, and scrolled into view. The tree's model reads the directories in the background, so
// the scrolling is done again as the directories on the way to it arrive, until the user
// moves elsewhere.
class DirectoryChooser : public QWidget {
    Q_OBJECT
public:
    DirectoryChooser(const QString& driveListName, const QString& treeName, QWidget* parent);

    // Shows a directory on its drive; a path that is no directory shows the drive with none
    // chosen.
    void showDirectory(const QString& path);
    // The current directory, empty when none is chosen.
    QString currentDirectory() const;

    QComboBox* driveList() const { return m_drives; }
    QTreeView* tree() const { return m_tree; }

signals:
    // The user (or showDirectory) made another directory current.
    void directoryChanged(const QString& path);

private:
    void showDrive(int index);
    void keepInView();

    QComboBox* m_drives = nullptr;
    QFileSystemModel* m_model = nullptr;
    QTreeView* m_tree = nullptr;
    QString m_shown; // the directory to keep in view while it loads; empty once left
};

} // namespace vorleth
