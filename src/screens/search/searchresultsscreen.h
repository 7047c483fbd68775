#pragma once

#include "search/searchindex.h"

#include <QWidget>

class QLabel;
class QTableView;

namespace vorleth {

class Navigator;
class SearchHitsModel;
struct SharedState;

inline const QString searchResultsTitle = QStringLiteral("Vorleth　検索結果");
inline const QString noGamesFoundText = QStringLiteral("お望みの局面は見つかりません");
inline const QString replayChosenCaption = QStringLiteral("選んだ対局を並べる");
inline const QString closeCaption = QStringLiteral("閉じる");
inline const QString chooseGameText = QStringLiteral("対局を選んでください");
inline const QString recordingFirstText =
    QStringLiteral("記録中の対局があります。保管してから検索し直すと並べられます");

// The moves played next in the games found, most frequent first, each with its letter on the
// board: A, B, C ...
struct Continuation {
    QString letter;
    std::optional<Point> point; // in the pattern's orientation; none: the game ended or passed
    bool black = false;
    bool offBoard = false;
    int games = 0;
};
QVector<Continuation> continuations(const SearchResults& results);
// "黒 16-3", "白 パス", "終局"
QString continuationText(const Continuation& c);

// The games found by the last search, beside the board they were searched from: a list like
// the record list (game name, players, date, the stones played when the pattern appeared, the
// move played next) sorted by a click on a heading, and a board with the pattern and the next
// moves as letters with their counts. A double click replays the game stopped where the
// pattern appears.
class SearchResultsScreen : public QWidget {
    Q_OBJECT
public:
    SearchResultsScreen(SharedState& state, Navigator& navigator, QWidget* parent = nullptr);
    ~SearchResultsScreen() override;

    QTableView* grid() const { return m_grid; }
    // Replays the game of a row of the grid as it is sorted now.
    void replayRow(int row);

private:
    void refresh();

    SharedState& m_state;
    Navigator& m_navigator;
    QLabel* m_summary = nullptr;
    QTableView* m_grid = nullptr;
    SearchHitsModel* m_model = nullptr;
    QWidget* m_board = nullptr;
    QLabel* m_legend = nullptr;
};

} // namespace vorleth
