#pragma once

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
};

class Navigator {
public:
    virtual ~Navigator() = default;
    // Hands over: shows the next working screen. The caller then closes itself.
    virtual void show(ScreenId id) = 0;
    // Help and browser open beside the caller without taking over; an open one comes to the front.
    virtual void showBeside(ScreenId id) = 0;
};

} // namespace vorleth
