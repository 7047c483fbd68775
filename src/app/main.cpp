#include "app/screens.h"
#include "screens/shell/startpicture.h"
#include "state/sharedstate.h"
#include "ui/messagedialogs.h"
#include "ui/platform.h"
#include "ui/qttranslations.h"
#include "ui/screenregistry.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

int main(int argc, char* argv[]) {
    // The web engine is set up when the browser first opens (ui/webviewmodule.h), not here:
    // most sessions never show a page and should not pay for it at start.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorleth"));
    QApplication::setDesktopFileName(QStringLiteral("vorleth"));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(vorleth::drawProgramIcon(64))));
    vorleth::applyJapaneseFont(app);
    vorleth::installQtJapanese(app);

    vorleth::SharedState state;
    vorleth::ScreenRegistry screens;
    // Every box opens over the screen that asks.
    vorleth::MessageDialogs dialogs([&screens] { return screens.current(); });
    vorleth::registerScreens(screens, state, dialogs);
    screens.show(vorleth::ScreenId::Start);
    return app.exec();
}
