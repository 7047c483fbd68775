#pragma once

#include "store/tabledata.h"

#include <optional>
#include <variant>

namespace vorleth {

// Every screen of the program. Screens open one another by id, so a screen needs no header
// of the screen it hands over to; the application wires ids to constructors.
enum class ScreenId {
    Start,           // mapstart
    RecordList,      // maptaikyokulist
    GameNameChooser, // 対局名選択
    PlayerChooser,   // 対局者選択
    Replay,          // mapkifusaigen
    GameInfo,        // maptaikyokujyoho
    SgfChooser,      // SgfTorikomi
    TableEntry,      // mapsofuenter
    RepeatedPlays,   // nidouchienter
    BoardRecording,  // mapgoban
    EndOfGame,       // mapshukyoku
    Counting,        // mapkeisanA
    CountPalette,    // keisancmd
    Setup,           // MAPINIT
    ScreenSize,      // mapszchng
    Help,            // MAPHELP
    Browser,         // frmBrowser
    SearchResults,   // the games that reached a position or pattern
};

// Which screen's usage guide the help screen shows.
namespace helpcode {
constexpr int setup = 0;           // MAPINIT
constexpr int mainMenu = 1;        // mapstart
constexpr int recordList = 4;      // maptaikyokulist
constexpr int replay = 5;          // mapkifusaigen
constexpr int tableEntry = 8;      // mapsofuenter
constexpr int gameInfo = 9;        // maptaikyokujyoho
constexpr int boardRecording = 10; // mapgoban
constexpr int endOfGame = 11;      // mapshukyoku
constexpr int counting = 20;       // mapkeisanA
} // namespace helpcode

// What a screen is given as it opens, when it needs something that does not outlive the
// hand-over. Everything kept across screens lives in the program-wide state instead.
struct HelpTopic {
    int code = helpcode::mainMenu; // the screen whose guide to show
    friend bool operator==(const HelpTopic&, const HelpTopic&) = default;
};
struct ChosenRecord {
    int cataloguePosition = 0; // the record to replay
    // A search result opens the replay stopped where its pattern appears, after this many
    // stones; -1 replays from the start.
    int stopAtStones = -1;
    friend bool operator==(const ChosenRecord&, const ChosenRecord&) = default;
};
// The recording board goes on with the game in the move list (from the replay, from the count,
// from the recovery file): it rebuilds the position of the first entries and records on.
struct ContinueGame {
    int entries = 0; // how many entries of the move list the position is made of
    // Leaving the board without saving asks nothing: the count was told the game need not be
    // kept.
    bool skipSaveQuestion = false;
    // A game brought back from the recovery file was being placed from the typed diagram: the
    // board goes on placing it from there.
    std::optional<PlacementStop> placement = std::nullopt;
    friend bool operator==(const ContinueGame&, const ContinueGame&) = default;
};
// The recording board places the moves of the typed diagram (table entry, repeated plays).
struct PlaceDiagram {
    friend bool operator==(const PlaceDiagram&, const PlaceDiagram&) = default;
};
using Handover = std::variant<std::monostate, HelpTopic, ChosenRecord, ContinueGame, PlaceDiagram>;

class Navigator {
public:
    virtual ~Navigator() = default;
    // Hands over: shows the next working screen. The caller then closes itself.
    virtual void show(ScreenId id, const Handover& handover = {}) = 0;
    // Help and browser open beside the caller without taking over; an open one comes to the
    // front as it is.
    virtual void showBeside(ScreenId id, const Handover& handover = {}) = 0;

    // The help screen beside the caller, on the caller's topic.
    void showHelp(int code) { showBeside(ScreenId::Help, HelpTopic{code}); }
};

} // namespace vorleth
