#include "screens/replay/figureactions.h"

#include "export/exportrecord.h"
#include "interaction/dialogs.h"
#include "state/sharedstate.h"
#include "ui/figurewriter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace vorleth {

QVector<FigurePage> replayedFigurePages(const SharedState& state, int movesPerFigure) {
    const GameRecord record =
        recordForExport(state.settings.recordDirectory, state.record, state.board.moves);
    QVector<FigurePage> pages;
    for (const GameFigure& figure : gameFigures(record, movesPerFigure))
        pages.append(layoutFigure(figure, figureHeading(record.metadata, figure)));
    return pages;
}

void printFigurePages(QPrinter& printer, const QVector<FigurePage>& pages) {
    QPainter painter(&printer);
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        const FigurePage& page = pages.at(i);
        const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
        const double scale = std::min(area.width() / page.width, area.height() / page.height);
        painter.save();
        painter.translate((area.width() - page.width * scale) / 2, 0);
        painter.scale(scale, scale);
        paintFigure(painter, page);
        painter.restore();
    }
}

FigureActions::FigureActions(const SharedState& state, Dialogs& dialogs, QWidget* parent)
    : QObject(parent), m_state(state), m_dialogs(dialogs),
      m_save(new QAction(figureSaveCaption, parent)),
      m_print(new QAction(figurePrintCaption, parent)) {
    m_save->setObjectName(QStringLiteral("kifuzuhozon"));
    m_print->setObjectName(QStringLiteral("insatsu"));
    m_choose = [parent](const QString& proposedPath) -> std::optional<QString> {
        QString filter;
        const QString path = QFileDialog::getSaveFileName(
            parent, figureSaveCaption, proposedPath,
            QStringLiteral("PDF (*.pdf);;SVG (*.svg);;PNG (*.png)"), &filter);
        if (path.isEmpty())
            return std::nullopt;
        // A name typed without an extension takes the format chosen in the dialog.
        if (isFigureFormat(path))
            return path;
        return path + u'.' + filter.section(u'.', 1).chopped(1);
    };
    m_printer = [parent](const QVector<FigurePage>& pages) {
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog preview(&printer, parent);
        preview.setWindowTitle(figurePrintCaption);
        connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                [&pages](QPrinter* p) { printFigurePages(*p, pages); });
        preview.exec();
    };
    connect(m_save, &QAction::triggered, this, [this] { save(); });
    connect(m_print, &QAction::triggered, this, [this] { print(); });
}

std::optional<int> FigureActions::askMovesPerFigure() {
    const std::optional<QString> answer =
        m_dialogs.input(figureMovesPrompt, figureSaveCaption, QStringLiteral("0"));
    if (!answer)
        return std::nullopt;
    bool ok = false;
    const int moves = answer->trimmed().toInt(&ok);
    if (!ok || moves < 0) {
        m_dialogs.message(figureMovesInvalidMessage);
        return std::nullopt;
    }
    return moves;
}

bool FigureActions::save() {
    const std::optional<int> moves = askMovesPerFigure();
    if (!moves)
        return false;
    const QString proposed = proposedExportPath(m_state.baseDirectory, m_state.record.game.gameName,
                                                QStringLiteral("pdf"));
    const std::optional<QString> path = m_choose(proposed);
    if (!path || path->isEmpty())
        return false;
    if (const auto reason = writeFigures(replayedFigurePages(m_state, *moves), *path)) {
        m_dialogs.message(cannotSaveFigureMessage + QDir::toNativeSeparators(*path) + u'（' +
                          *reason + u'）');
        return false;
    }
    return true;
}

bool FigureActions::print() {
    const std::optional<int> moves = askMovesPerFigure();
    if (!moves)
        return false;
    m_printer(replayedFigurePages(m_state, *moves));
    return true;
}

} // namespace vorleth
