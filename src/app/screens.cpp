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
#include "screens/shell/browserscreen.h"
#include "screens/shell/helpscreen.h"
#include "screens/shell/mainmenuscreen.h"
#include "screens/shell/screensizescreen.h"
#include "screens/shell/setupscreen.h"
#include "screens/store/chooserscreens.h"
#include "screens/store/recordlistscreen.h"
#include "state/sharedstate.h"
#include "ui/screenregistry.h"

namespace vorleth {

namespace {

constexpr ScreenId allScreens[] = {
    ScreenId::Start,          ScreenId::RecordList, ScreenId::GameNameChooser,
    ScreenId::PlayerChooser,  ScreenId::Replay,     ScreenId::GameInfo,
    ScreenId::SgfChooser,     ScreenId::TableEntry, ScreenId::RepeatedPlays,
    ScreenId::BoardRecording, ScreenId::EndOfGame,  ScreenId::Counting,
    ScreenId::CountPalette,   ScreenId::Setup,      ScreenId::ScreenSize,
    ScreenId::Help,           ScreenId::Browser,
};

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

    // A screen that is not built yet says so and leads back to a fresh main menu. The entries
    // below replace this for every screen that exists.
    for (ScreenId id : allScreens) {
        add(id, [&state, &dialogs](Navigator& navigator, const Handover&) -> QWidget* {
            dialogs.message(notReadyMessage);
            return new MainMenuScreen(state, navigator, dialogs);
        });
    }

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
            return ReplayScreen::open(state, handed<ChosenRecord>(handover), navigator, dialogs);
        });

    // maptaikyokujyoho
    add(ScreenId::GameInfo, [&state, &dialogs](Navigator& navigator, const Handover&) -> QWidget* {
        return new GameInfoScreen(state, navigator, dialogs);
    });

    // mapgoban
    add(ScreenId::BoardRecording,
        [&state, &dialogs](Navigator& navigator, const Handover&) -> QWidget* {
            return new BoardRecordingScreen(state, navigator, dialogs);
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

    // frmBrowser, as large as the screen it opens beside
    add(ScreenId::Browser, [&state, &registry](Navigator&, const Handover&) -> QWidget* {
        auto* browser = new BrowserScreen(state);
        if (const QWidget* working = registry.current())
            browser->resize(BrowserScreen::openingSize(working->size()));
        return browser;
    });
}

} // namespace vorleth
