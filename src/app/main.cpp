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
#include <QTimer>

int main(int argc, char* argv[]) {
    // The web engine is set up when the browser first opens (ui/webviewmodule.h), not here:
    // most sessions never show a page and should not pay for it at start.
    // The menus stay in each window, where the screens are laid out around them; asking
    // whether the desktop offers a menu bar of its own would also hold up the first window.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorleth"));
    QApplication::setDesktopFileName(QStringLiteral("vorleth"));
    vorleth::applyJapaneseFont(app);
    vorleth::installQtJapanese(app);

    vorleth::SharedState state;
    vorleth::ScreenRegistry screens;
    // Every box opens over the screen that asks.
    vorleth::MessageDialogs dialogs([&screens] { return screens.current(); });
    vorleth::registerScreens(screens, state, dialogs);
    screens.show(vorleth::ScreenId::Start);
    // The icon is painted once the first window is on its way; the window manager takes it up
    // when it is set.
    QTimer::singleShot(0, &app, [] {
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(vorleth::drawProgramIcon(64))));
    });
    return app.exec();
}
