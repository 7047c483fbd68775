#pragma once

#include "export/figurelayout.h"

#include <QAction>
#include <QString>
#include <QVector>

#include <functional>
#include <optional>

class QPrinter;

namespace vorleth {

class Dialogs;
struct SharedState;

inline const QString figureMenuCaption = QStringLiteral("棋譜図");
inline const QString figureSaveCaption = QStringLiteral("棋譜図を保存");
inline const QString figurePrintCaption = QStringLiteral("印刷");
inline const QString figureMovesPrompt =
    QStringLiteral("1図に入れる手数を指定してください（0なら全譜を1図にします）");
inline const QString figureMovesInvalidMessage =
    QStringLiteral("手数は0以上の整数で指定してください");
inline const QString cannotSaveFigureMessage = QStringLiteral("棋譜図を保存できません：");

// The pages of the game being replayed, movesPerFigure moves a figure (0: the whole game).
QVector<FigurePage> replayedFigurePages(const SharedState& state, int movesPerFigure);

// Paints the pages on the printer, a page each, each scaled to fit the printable area.
void printFigurePages(QPrinter& printer, const QVector<FigurePage>& pages);

// "棋譜図を保存" and "印刷" of the replay screen: the game being replayed drawn as a complete
// game diagram, or as figures of a number of moves the user gives, saved as PDF, SVG or PNG or
// printed through the system's print dialog with a preview.
class FigureActions : public QObject {
    Q_OBJECT
public:
    // Asks where to save, starting from the proposed path; nothing when the user cancels.
    using FileChooser = std::function<std::optional<QString>(const QString& proposedPath)>;
    // Shows the pages to print (a preview and the print dialog); tests print to a file instead.
    using Printer = std::function<void(const QVector<FigurePage>& pages)>;

    FigureActions(const SharedState& state, Dialogs& dialogs, QWidget* parent);

    QAction* saveAction() const { return m_save; }
    QAction* printAction() const { return m_print; }
    void setChooser(FileChooser chooser) { m_choose = std::move(chooser); }
    void setPrinter(Printer printer) { m_printer = std::move(printer); }

    // Each returns whether it went through (not cancelled, nothing failed).
    bool save();
    bool print();

private:
    std::optional<int> askMovesPerFigure();

    const SharedState& m_state;
    Dialogs& m_dialogs;
    QAction* m_save;
    QAction* m_print;
    FileChooser m_choose;
    Printer m_printer;
};

} // namespace vorleth
