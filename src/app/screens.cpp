#include "app/screens.h"

#include "replay/replayscreen.h"
#include "shell/browserscreen.h"
#include "shell/helpscreen.h"
#include "shell/mainmenuscreen.h"
#include "shell/screensizescreen.h"
#include "shell/setupscreen.h"
#include "shell/sharedstate.h"
#include "store/chooserscreens.h"
#include "store/recordlistscreen.h"
#include "ui/dialogs.h"
#include "ui/screenregistry.h"

namespace vorleth {

namespace {

const QString notReadyMessage = QStringLiteral("この機能は準備中です");

constexpr ScreenId allScreens[] = {
    ScreenId::Start,          ScreenId::RecordList, ScreenId::GameNameChooser,
    ScreenId::PlayerChooser,  ScreenId::Replay,     ScreenId::GameInfo,
    ScreenId::SgfChooser,     ScreenId::TableEntry, ScreenId::RepeatedPlays,
    ScreenId::BoardRecording, ScreenId::EndOfGame,  ScreenId::Counting,
    ScreenId::CountPalette,   ScreenId::Setup,      ScreenId::ScreenSize,
    ScreenId::Help,           ScreenId::Browser,
};

} // namespace

void registerScreens(ScreenRegistry& registry, SharedState& state, Dialogs& dialogs) {
    // A screen that is not built yet says so and leads back to a fresh main menu. The blocks
    // below replace this for every screen that exists.
    for (ScreenId id : allScreens) {
        registry.registerScreen(id, [&state, &dialogs](Navigator& navigator) -> QWidget* {
            dialogs.message(notReadyMessage);
            return new MainMenuScreen(state, navigator);
        });
    }

    // mapstart
    registry.registerScreen(ScreenId::Start, [&state](Navigator& navigator) -> QWidget* {
        return new MainMenuScreen(state, navigator);
    });

    // maptaikyokulist
    registry.registerScreen(ScreenId::RecordList, [&state](Navigator& navigator) -> QWidget* {
        return new RecordListScreen(state, navigator);
    });

    // mapkifusaigen; nothing opens when the record cannot be read (the record list is shown again)
    registry.registerScreen(ScreenId::Replay, [&state, &dialogs](Navigator& navigator) -> QWidget* {
        return ReplayScreen::open(state, navigator, dialogs);
    });

    // 対局名選択
    registry.registerScreen(ScreenId::GameNameChooser, [&state](Navigator& navigator) -> QWidget* {
        return new GameNameChooser(state, navigator);
    });

    // 対局者選択
    registry.registerScreen(ScreenId::PlayerChooser, [&state](Navigator& navigator) -> QWidget* {
        return new PlayerChooser(state, navigator);
    });

    // MAPINIT
    registry.registerScreen(ScreenId::Setup, [&state, &dialogs](Navigator& navigator) -> QWidget* {
        return new SetupScreen(state, navigator, dialogs);
    });

    // mapszchng
    registry.registerScreen(ScreenId::ScreenSize,
                            [&state, &dialogs](Navigator& navigator) -> QWidget* {
                                return new ScreenSizeScreen(state, navigator, dialogs);
                            });

    // MAPHELP
    registry.registerScreen(ScreenId::Help, [&state](Navigator& navigator) -> QWidget* {
        return new HelpScreen(state, navigator);
    });

    // frmBrowser, as large as the screen it opens beside
    registry.registerScreen(ScreenId::Browser, [&state, &registry](Navigator&) -> QWidget* {
        auto* browser = new BrowserScreen(state);
        if (const QWidget* working = registry.current())
            browser->resize(BrowserScreen::openingSize(working->size()));
        return browser;
    });
}

} // namespace vorleth
