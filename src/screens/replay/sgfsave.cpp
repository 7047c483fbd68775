#include "screens/replay/sgfsave.h"

#include "export/exportrecord.h"
#include "export/sgfexport.h"
#include "interaction/dialogs.h"
#include "shell/startup.h"
#include "state/sharedstate.h"

#include <QDir>
#include <QFileDialog>

namespace vorleth {

namespace {

QString issueText(const SgfExportIssue& issue) {
    if (issue.kind == SgfExportIssue::Kind::OffBoard)
        return QStringLiteral("%1項目目（盤外の石は省きました）").arg(issue.entry);
    if (issue.moveNumber == 0)
        return QStringLiteral("%1項目目").arg(issue.entry);
    return QStringLiteral("%1手目").arg(issue.moveNumber);
}

} // namespace

QString proposedSgfPath(const QString& baseDirectory, const QString& gameName) {
    return proposedExportPath(QDir(baseDirectory).filePath(sgfDirectoryName), gameName,
                              QStringLiteral("sgf"));
}

SgfSaveAction::SgfSaveAction(const SharedState& state, Dialogs& dialogs, QWidget* parent)
    : QAction(sgfSaveCaption, parent), m_state(state), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("sgfhozon"));
    m_choose = [parent](const QString& proposedPath) -> std::optional<QString> {
        const QString path = QFileDialog::getSaveFileName(parent, sgfSaveCaption, proposedPath,
                                                          QStringLiteral("SGF (*.sgf);;* (*)"));
        if (path.isEmpty())
            return std::nullopt;
        return path;
    };
    connect(this, &QAction::triggered, this, [this] { save(); });
}

bool SgfSaveAction::save() {
    const GameRecord record =
        recordForExport(m_state.settings.recordDirectory, m_state.record, m_state.board.moves);
    const QString proposed = proposedSgfPath(m_state.baseDirectory, record.metadata.game.gameName);
    // Start-up makes the folder; should it be gone, the dialog still opens there.
    QDir().mkpath(QFileInfo(proposed).path());
    const std::optional<QString> path = m_choose(proposed);
    if (!path || path->isEmpty())
        return false;

    const SgfExport sgf = exportSgf(record);
    if (const Outcome written = writeSgfFile(*path, sgf.text); !written.ok) {
        m_dialogs.message(cannotSaveSgfMessage + QDir::toNativeSeparators(*path) + u'（' +
                          written.error() + u'）');
        return false;
    }
    if (!sgf.issues.isEmpty()) {
        QStringList places;
        for (const SgfExportIssue& issue : sgf.issues)
            places << issueText(issue);
        m_dialogs.message(sgfSetUpAgainMessage + places.join(u'、'));
    }
    return true;
}

} // namespace vorleth
