#include "app/screens.h"

#include "interaction/dialogs.h"
#include "screens/counting/countingscreen.h"
#include "screens/import/sgfchooserscreen.h"
#include "screens/recording/boardrecordingscreen.h"
#include "screens/recording/endofgamescreen.h"
#include "screens/recording/gameinfoscreen.h"
#include "screens/recording/repeatedplaysscreen.h"
#include "screens/recording/tableentryscreen.h"
#include "screens/replay/replayscreen.h"
#include "screens/search/boardsearch.h"
#include "screens/search/searchresultsscreen.h"
#include "screens/shell/browserscreen.h"
#include "screens/shell/helpscreen.h"
#include "screens/shell/mainmenuscreen.h"
#include "screens/shell/screensizescreen.h"
#include "screens/shell/setupscreen.h"
#include "screens/store/chooserscreens.h"
#include "screens/store/recordlistscreen.h"
#include "search/gamescan.h"
#include "state/sharedstate.h"
#include "ui/screenregistry.h"

#include <QAction>
#include <QMenuBar>

namespace vorleth {

namespace {

template <class T> T handed(const Handover& handover) {
    const T* value = std::get_if<T>(&handover);
    return value ? *value : T{};
}

} // namespace

void registerScreens(ScreenRegistry& registry, SharedState& state, Dialogs& dialogs) {
    using Factory = ScreenRegistry::Factory;
    // The main menu sets the geometry from the settings as it opens, before it is fitted.
    registry.setLayout([&state] { return state.geometry.large(); });
    auto add = [&registry](ScreenId id, Factory factory) {
        registry.registerScreen(id, std::move(factory));
    };

    // mapstart
    add(ScreenId::Start, [&state, &dialogs](Navigator& navigator, const Handover&) -> QWidget* {
        return new MainMenuScreen(state, navigator, dialogs);
    });

    // maptaikyokulist
    add(ScreenId::RecordList, [&state](Navigator& navigator, const Handover&) -> QWidget* {
        return new RecordListScreen(state, navigator);
    });

    // mapkifusaigen; nothing opens when the record cannot be read (the record list is shown again)
    add(ScreenId::Replay,
        [&state, &dialogs](Navigator& navigator, const Handover& handover) -> QWidget* {
            ReplayScreen* replay =
                ReplayScreen::open(state, handed<ChosenRecord>(handover), navigator, dialogs);
            if (replay) {
                // The position shown: the entries placed, the handicap stones of the game name.
                new BoardSearch(
                    replay->menuBar(), replay->surface(), state.geometry, state, navigator, dialogs,
                    [&state, replay] {
                        state.search.fromGameBeingRecorded = false;
                        return recordPosition(state.board.moves,
                                              replay->controller().placedEntries(),
                                              handicapCount(state.record.game.gameName));
                    },
                    replay, replay->menuBar()->findChild<QAction*>(QStringLiteral("F5HelLP")));
            }
            return replay;
        });

    // maptaikyokujyoho
    add(ScreenId::GameInfo, [&state, &dialogs](Navigator& navigator, const Handover&) -> QWidget* {
        return new GameInfoScreen(state, navigator, dialogs);
    });

    // mapgoban
    add(ScreenId::BoardRecording,
        [&state, &dialogs](Navigator& navigator, const Handover& handover) -> QWidget* {
            auto* board = new BoardRecordingScreen(state, navigator, dialogs, handover);
            new BoardSearch(
                board->menuBar(), board->surface(), state.geometry, state, navigator, dialogs,
                [&state] {
                    state.search.fromGameBeingRecorded = true;
                    return positionPattern(state.board.board);
                },
                board, board->menuBar()->findChild<QAction*>(QStringLiteral("F10HELP")));
            return board;
        });

    // mapshukyoku, on top of the board, which stays open underneath until this one leaves
    registry.registerScreen(
        ScreenId::EndOfGame,
        [&state, &dialogs](Navigator& navigator, const Handover&) -> QWidget* {
            return new EndOfGameScreen(state, navigator, dialogs);
        },
        ScreenRegistry::Placement::OnTop);

    // mapsofuenter
    add(ScreenId::TableEntry,
        [&state, &dialogs](Navigator& navigator, const Handover&) -> QWidget* {
            return new TableEntryScreen(state, navigator, dialogs);
        });

    // nidouchienter
    add(ScreenId::RepeatedPlays,
        [&state, &dialogs](Navigator& navigator, const Handover&) -> QWidget* {
            return new RepeatedPlaysScreen(state, navigator, dialogs);
        });

    // mapkeisanA; its palette keisancmd belongs to it
    add(ScreenId::Counting, [&state, &dialogs](Navigator& navigator, const Handover&) -> QWidget* {
        return new CountingScreen(state, navigator, dialogs);
    });

    // 対局名選択
    add(ScreenId::GameNameChooser, [&state](Navigator& navigator, const Handover&) -> QWidget* {
        return new GameNameChooser(state, navigator);
    });

    // 対局者選択
    add(ScreenId::PlayerChooser, [&state](Navigator& navigator, const Handover&) -> QWidget* {
        return new PlayerChooser(state, navigator);
    });

    // SgfTorikomi
    add(ScreenId::SgfChooser, [&state](Navigator& navigator, const Handover&) -> QWidget* {
        return new SgfChooserScreen(state.import, state.baseDirectory, navigator);
    });

    // MAPINIT
    add(ScreenId::Setup, [&state, &dialogs](Navigator& navigator, const Handover&) -> QWidget* {
        return new SetupScreen(state, navigator, dialogs);
    });

    // mapszchng
    add(ScreenId::ScreenSize,
        [&state, &dialogs](Navigator& navigator, const Handover&) -> QWidget* {
            return new ScreenSizeScreen(state, navigator, dialogs);
        });

    // MAPHELP
    add(ScreenId::Help, [](Navigator& navigator, const Handover& handover) -> QWidget* {
        return new HelpScreen(handed<HelpTopic>(handover), navigator);
    });

    // the games a search found, beside the board it was started from
    add(ScreenId::SearchResults, [&state](Navigator& navigator, const Handover&) -> QWidget* {
        return new SearchResultsScreen(state, navigator);
    });

    // frmBrowser, as large as the screen it opens beside
    add(ScreenId::Browser, [&state, &registry](Navigator&, const Handover&) -> QWidget* {
        auto* browser = new BrowserScreen(state);
        if (const QWidget* working = registry.current())
            browser->resize(BrowserScreen::openingSize(working->size()));
        return browser;
    });
}

} // namespace vorleth
