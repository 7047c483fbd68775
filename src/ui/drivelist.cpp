#include "ui/drivelist.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>

namespace vorleth {

QComboBox* newDriveList(QWidget* parent, const QString& name) {
    auto* drives = new QComboBox(parent);
    drives->setObjectName(name);
    for (const QFileInfo& drive : QDir::drives())
        drives->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()),
                        drive.absoluteFilePath());
    return drives;
}

int driveIndexFor(const QComboBox* drives, const QString& path) {
    int best = 0;
    qsizetype bestLength = -1;
    for (int i = 0; i < drives->count(); ++i) {
        const QString root = drives->itemData(i).toString();
        if (path.startsWith(root, Qt::CaseInsensitive) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

} // namespace vorleth
