#include "ui/webviewmodule.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // Always offscreen: the screens' tests must not reach the display, the clipboard or any
    // other state of the person running them, whatever platform their session names.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    vorleth::WebViewModule::shared().setDirectories({QStringLiteral(VORLETH_WEBVIEW_MODULE_DIR)});
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
