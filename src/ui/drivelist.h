#pragma once

#include <QString>

class QComboBox;
class QWidget;

namespace vorleth {

// The drive list of the directory choosers: the file system's roots (the drive letters on
// Windows, the one root "/" elsewhere), each shown natively and carrying its path as data.
QComboBox* newDriveList(QWidget* parent, const QString& name);

// The drive a path lies on (its longest root), or the first drive.
int driveIndexFor(const QComboBox* drives, const QString& path);

} // namespace vorleth
