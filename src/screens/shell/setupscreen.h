#pragma once

#include "interaction/navigator.h"

#include <QMainWindow>

class QComboBox;
class QFileSystemModel;
class QTreeView;

namespace vorleth {

class Dialogs;
struct SharedState;

// MAPINIT: chooses the record and photo directories and can reset the table-entry working
// file. Applying writes the settings file and returns to the main menu, whose start-up then
// reads them.
class SetupScreen : public QMainWindow {
    Q_OBJECT
public:
    SetupScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                QWidget* parent = nullptr);

    // The directory a tree shows: its current directory, empty when none is chosen.
    static QString shownDirectory(const QTreeView* tree);

private:
    // A drive list above a directory tree, the tree showing directory at first.
    QWidget* directoryChooser(const QString& driveName, const QString& treeName,
                              const QString& directory);
    void apply(); // Command1
    void leave(); // Command2

    SharedState& m_state;
    Navigator& m_navigator;
    Dialogs& m_dialogs;
    QTreeView* m_recordTree = nullptr;
    QTreeView* m_photoTree = nullptr;
    QComboBox* m_workingFileChoice = nullptr;
};

} // namespace vorleth
