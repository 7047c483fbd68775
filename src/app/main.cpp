#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vorleth"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vorleth　開始メニュー"));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
