#include "app/screens.h"
#include "shell/startpicture.h"
#include "state/sharedstate.h"
#include "ui/messagedialogs.h"
#include "ui/platform.h"
#include "ui/screenregistry.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

int main(int argc, char* argv[]) {
    // Before the application exists: the web engine reads its settings at start.
    vorleth::prepareWebEngine();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorleth"));
    QApplication::setDesktopFileName(QStringLiteral("vorleth"));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(vorleth::drawProgramIcon(64))));
    vorleth::applyJapaneseFont(app);

    vorleth::SharedState state;
    vorleth::MessageDialogs dialogs;
    vorleth::ScreenRegistry screens;
    vorleth::registerScreens(screens, state, dialogs);
    screens.show(vorleth::ScreenId::Start);
    return app.exec();
}
