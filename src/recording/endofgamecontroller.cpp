#include "recording/endofgamecontroller.h"

#include "interaction/dialogs.h"
#include "recording/gameinfocontroller.h"
#include "store/library.h"
#include "store/recoveryfile.h"
#include "store/resulttext.h"

namespace vorleth {

EndOfGameController::EndOfGameController(EndOfGameContext context, Dialogs& dialogs,
                                         Navigator& navigator)
    : m_context(std::move(context)), m_dialogs(dialogs), m_navigator(navigator) {}

bool EndOfGameController::save(const QString& resultBox, const QString& marginBox) {
    // A margin that is no number is told before anything is saved or changed.
    const std::optional<QString> margin = marginNumber(marginBox);
    if (!margin) {
        m_dialogs.message(marginNotNumberMessage);
        return false;
    }
    QString& result = m_context.record.game.result;
    const QString previous = result;
    if (!resultBox.isEmpty())
        result = resultBox;
    if (result == QStringLiteral("白勝") || result == QStringLiteral("黒勝"))
        result = composeResult(result, *margin);
    const Outcome saved = saveRecord(m_context.recordDirectory, m_context.catalogue,
                                     m_context.record, m_context.board.moves, m_context.clock());
    if (!report(m_dialogs, saved)) {
        result = previous;
        return false;
    }
    offerSourceDeletion(m_context.import, m_dialogs);
    leave();
    return true;
}

bool EndOfGameController::leaveWithoutSaving() {
    leave();
    return true;
}

void EndOfGameController::leave() {
    report(m_dialogs, removeRecoveryFile(m_context.baseDirectory));
    m_navigator.show(ScreenId::Start);
}

void EndOfGameController::showHelp() {
    m_navigator.showHelp(helpcode::endOfGame);
}

} // namespace vorleth
