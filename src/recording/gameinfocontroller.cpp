#include "recording/gameinfocontroller.h"

#include "interaction/dialogs.h"
#include "store/catalogue.h"
#include "store/resulttext.h"
#include "store/workingfiles.h"

#include <algorithm>
#include <cmath>

namespace vorleth {

namespace {

constexpr int tableEntryMode = 2;

// A digit box holds one digit or nothing (full-width digits read as digits); nothing else.
std::optional<int> digitOf(const QString& text) {
    const QString digit = text.normalized(QString::NormalizationForm_KC).trimmed();
    if (digit.isEmpty())
        return 0;
    if (digit.size() != 1 || !digit.front().isDigit())
        return std::nullopt;
    return digit.front().digitValue();
}

QStringList numbers(int from, int to) {
    QStringList items;
    for (int i = from; i <= to; ++i)
        items << QString::number(i);
    return items;
}

bool needsMargin(const QString& result) {
    return result == QStringLiteral("白勝") || result == QStringLiteral("黒勝");
}

} // namespace

QString moveCountOutOfRangeMessage() {
    return QStringLiteral("手数は 0 から %1 までの数で入力してください")
        .arg(TableEntryData::maxMoves);
}

QStringList gameInfoResults() {
    return {QStringLiteral("白勝"),     QStringLiteral("白中押勝"), QStringLiteral("黒勝"),
            QStringLiteral("黒中押勝"), QStringLiteral("持碁"),     QStringLiteral("打掛"),
            QStringLiteral("定石"),     QStringLiteral("黒先白死"), QStringLiteral("白先黒死"),
            QStringLiteral("黒先劫"),   QStringLiteral("白先劫"),   QStringLiteral("黒先活"),
            QStringLiteral("白先活")};
}

QStringList endOfGameResults() {
    return {QStringLiteral("打掛"),   QStringLiteral("白勝"),     QStringLiteral("白中押勝"),
            QStringLiteral("黒勝"),   QStringLiteral("黒中押勝"), QStringLiteral("持碁"),
            QStringLiteral("定石"),   QStringLiteral("黒先白死"), QStringLiteral("白先黒死"),
            QStringLiteral("黒先劫"), QStringLiteral("白先劫"),   QStringLiteral("黒先活"),
            QStringLiteral("白先活")};
}

QStringList marginItems() {
    QStringList items;
    for (int i = 0; i <= 14; ++i)
        items << QString::number(i) + QStringLiteral(".5") << QString::number(i + 1) + ".0";
    return items;
}

QStringList moveCountDigits(int moveCount) {
    const double n = moveCount;
    const double hundreds = std::floor(n * 0.01);
    const double units = n - 10 * std::floor(n * 0.1);
    const double tens = std::floor((n - 100 * hundreds - units) * 0.1);
    QStringList digits;
    for (const double d : {hundreds, tens, units})
        digits << QString::number(static_cast<long long>(d)).right(1);
    return digits;
}

GameInfoController::GameInfoController(GameInfoContext context, GameInfoView& view,
                                       Dialogs& dialogs, Navigator& navigator)
    : m_context(std::move(context)), m_view(view), m_dialogs(dialogs), m_navigator(navigator) {}

void GameInfoController::open() {
    if (!m_context.import.importSourcePath.isEmpty() && importFromSourcePath()) {
        showBoxes(false);
        return;
    }
    showBoxes(true);
}

bool GameInfoController::importFromSourcePath() {
    return report(m_dialogs, importSgf(importTarget()));
}

ImportTarget GameInfoController::importTarget() {
    return {m_context.record, m_context.table, m_context.board, m_context.import};
}

void GameInfoController::updateMenus() {
    m_view.setTableEntryMenusVisible(m_context.entryMode == tableEntryMode);
}

void GameInfoController::showBoxes(bool scanLibrary) {
    updateMenus();
    Catalogue& catalogue = m_context.catalogue;
    if (scanLibrary) {
        scanCatalogue(catalogue, m_context.recordDirectory);
        buildGameNameList(catalogue);
    }
    buildPlayerNameList(catalogue);

    GameInfoLists lists;
    lists.gameNames = catalogue.gameNames;
    lists.playerNames = catalogue.playerNames;
    lists.results = gameInfoResults();
    lists.margins = marginItems();
    lists.hundreds = numbers(0, 3);
    lists.digits = numbers(0, 9);

    const GameInfo& game = m_context.record.game;
    GameInfoBoxes shown;
    shown.gameName = game.gameName;
    shown.whitePlayer = game.whitePlayer;
    shown.blackPlayer = game.blackPlayer;
    shown.result = game.result;
    // An imported or recalled game keeps its komi; a new one starts with the usual.
    shown.komi = game.komi.isEmpty() ? defaultKomiText : game.komi;
    const QStringList digits = moveCountDigits(m_context.record.moveCount);
    shown.hundreds = digits[0];
    shown.tens = digits[1];
    shown.units = digits[2];
    m_view.fill(lists, shown);
}

void GameInfoController::copyBoxes(const GameInfoBoxes& boxes) {
    GameInfo& game = m_context.record.game;
    // An empty box keeps what the field held (an import may have filled it).
    for (auto [box, field] : {std::pair{&boxes.gameName, &game.gameName},
                              std::pair{&boxes.whitePlayer, &game.whitePlayer},
                              std::pair{&boxes.blackPlayer, &game.blackPlayer},
                              std::pair{&boxes.result, &game.result}}) {
        if (!box->isEmpty())
            *field = *box;
    }
}

std::optional<int> GameInfoController::moveCountOfBoxes(const GameInfoBoxes& boxes, bool& refused) {
    refused = false;
    if (boxes.hundreds.trimmed().isEmpty() && boxes.tens.trimmed().isEmpty() &&
        boxes.units.trimmed().isEmpty())
        return std::nullopt;
    const std::optional<int> hundreds = digitOf(boxes.hundreds);
    const std::optional<int> tens = digitOf(boxes.tens);
    const std::optional<int> units = digitOf(boxes.units);
    const int n = hundreds && tens && units ? 100 * *hundreds + 10 * *tens + *units : -1;
    if (n < 0 || n > TableEntryData::maxMoves) {
        m_dialogs.message(moveCountOutOfRangeMessage());
        refused = true;
        return std::nullopt;
    }
    return n;
}

bool GameInfoController::next() {
    const GameInfoBoxes boxes = m_view.boxes();
    // Boxes that do not hold what they are for are told before anything changes.
    const std::optional<QString> margin = marginNumber(boxes.margin);
    if (!margin) {
        m_dialogs.message(marginNotNumberMessage);
        return false;
    }
    const std::optional<QString> komi =
        boxes.komi.trimmed().isEmpty() ? std::optional<QString>(QString()) : komiNumber(boxes.komi);
    if (!komi) {
        m_dialogs.message(komiNotNumberMessage);
        return false;
    }
    bool refused = false;
    const std::optional<int> n = moveCountOfBoxes(boxes, refused);
    if (refused)
        return false;

    copyBoxes(boxes);
    GameInfo& game = m_context.record.game;
    if (needsMargin(game.result))
        game.result = composeResult(game.result, *margin);
    if (n && *n != 0)
        m_context.record.moveCount = *n;

    for (auto [field, message] : {std::pair{&game.gameName, &gameNameNeededMessage},
                                  std::pair{&game.whitePlayer, &whitePlayerNeededMessage},
                                  std::pair{&game.blackPlayer, &blackPlayerNeededMessage}}) {
        if (field->isEmpty()) {
            m_dialogs.message(*message);
            return false;
        }
    }
    if (!komi->isEmpty())
        game.komi = *komi;
    handicapFromGameName(m_context.board, game.gameName);

    if (m_context.entryMode != tableEntryMode) {
        m_navigator.show(ScreenId::BoardRecording);
        return true;
    }
    if (m_context.record.moveCount == 0)
        return false;
    m_navigator.show(ScreenId::TableEntry);
    return true;
}

bool GameInfoController::back() {
    const GameInfoBoxes boxes = m_view.boxes();
    bool refused = false;
    const std::optional<int> n = moveCountOfBoxes(boxes, refused);
    if (refused)
        return false;
    copyBoxes(boxes);
    if (n)
        m_context.record.moveCount = *n;
    m_navigator.show(ScreenId::Start);
    return true;
}

void GameInfoController::recallLastEntry() {
    TableEntryData& table = m_context.table;
    if (!report(m_dialogs, readWorkingEntry(m_context.baseDirectory, m_context.record, table)))
        return;
    // The recalled entry is the user's own, not an import: the opening must not import the file
    // again over it, the repeated plays come from the working file, and there is no source
    // file to offer for deletion.
    m_context.import.reset();
    table.repeatedPlays.clear();
    open();
    table.tablePrefilled = true;
    m_context.board.moves.clear();
    m_context.board.play.appliedCount = 0;
    // The grid shows this diagram only, not numbers left from an earlier one. A point holds the
    // number of the first move played there; a later one is a repeated play.
    table.clearDiagramGrid();
    const int moves = std::min(m_context.record.moveCount, TableEntryData::maxMoves);
    for (int i = 1; i <= moves; ++i) {
        const Point p = Point::fromCode(table.tableMoves[i]);
        if (p.onBoard() && table.diagramGrid[p.column][p.row] < 1)
            table.diagramGrid[p.column][p.row] = i;
    }
}

void GameInfoController::importPastedText(const QString& text, bool hasText) {
    // The boxes show the imported game; a refused text leaves them as they were.
    if (report(m_dialogs, importMailText(text, hasText, importTarget())))
        showBoxes(false);
}

bool GameInfoController::importSgfFile() {
    m_navigator.show(ScreenId::SgfChooser);
    return true;
}

void GameInfoController::showHelp() {
    m_navigator.showHelp(helpcode::gameInfo);
}

} // namespace vorleth
