#pragma once

#include "interaction/navigator.h"

#include <QMainWindow>
#include <QModelIndex>

class QFileSystemModel;
class QListView;

namespace vorleth {

class DirectoryChooser;
struct ImportSource;

// SgfTorikomi: picks the SGF file to import. A drive list, a directory list starting in the
// base directory's SGF, and a file list of *.sgf (in either case). The file chosen becomes the
// import source and the game information screen opens again, which imports it; "戻る" opens it
// without a source.
class SgfChooserScreen : public QMainWindow {
    Q_OBJECT
public:
    SgfChooserScreen(ImportSource& source, const QString& baseDirectory, Navigator& navigator,
                     QWidget* parent = nullptr);

    // The directory whose files the file list shows.
    QString shownDirectory() const { return m_directory; }

private:
    void showDirectory(const QString& path);  // File1 follows Dir1
    void pickFile(const QModelIndex& file);   // File1 clicked
    void importFile(const QModelIndex& file); // File1 double-clicked, Command1
    void leave();                             // Command2
    QString sourcePath(const QModelIndex& file) const;

    ImportSource& m_source;
    Navigator& m_navigator;
    QString m_directory;
    DirectoryChooser* m_directories = nullptr; // Drive1, Dir1
    QFileSystemModel* m_fileModel = nullptr;
    QListView* m_fileList = nullptr;
};

} // namespace vorleth
