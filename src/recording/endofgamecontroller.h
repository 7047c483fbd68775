#pragma once

#include "board/playrules.h"
#include "import/importsource.h"
#include "interaction/navigator.h"
#include "store/cataloguetypes.h"
#include "store/recordtypes.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace vorleth {

class Dialogs;

// The program-wide values the end-of-game screen reads and changes.
struct EndOfGameContext {
    const BoardModel& board; // the move list saved
    CurrentRecord& record;
    Catalogue& catalogue;
    ImportSource& import;
    QString recordDirectory;
    QString baseDirectory; // the recovery file
    std::function<QDateTime()> clock;
};

// mapshukyoku: opens on top of the recording board when the game's result is still open,
// asks for it and saves, or leaves without saving. Either way the board is left with it.
class EndOfGameController {
public:
    EndOfGameController(EndOfGameContext context, Dialogs& dialogs, Navigator& navigator);

    // "保管する" with the texts of the result and margin boxes. A save that fails is reported
    // and changes nothing, so that the user can try again; returns whether it handed over.
    bool save(const QString& resultBox, const QString& marginBox);
    // "保管しない": nothing is saved and nothing is asked.
    bool leaveWithoutSaving();
    void showHelp();

private:
    void leave();

    EndOfGameContext m_context;
    Dialogs& m_dialogs;
    Navigator& m_navigator;
};

} // namespace vorleth
