#pragma once

#include "counting/countingcontroller.h"
#include "ui/surfaceboardview.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QCloseEvent;
class QLabel;
class QPlainTextEdit;

namespace vorleth {

class CountPalette;
class Dialogs;
class DrawingSurface;
class Navigator;
struct SharedState;

// mapkeisanA: the final position with its count marks, the count text and the result. A left
// click on a marked point opens the correction palette keisancmd over the screen, which is
// disabled until the palette closes; a right click undoes the last correction. Everything
// that is decided is decided by the CountingController.
class CountingScreen : public QMainWindow, private SurfaceBoardViewOf<CountingView> {
    Q_OBJECT
public:
    // Counts the position on the board as the screen opens.
    CountingScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                   QWidget* parent = nullptr);
    ~CountingScreen() override;

    CountingController& controller() { return m_controller; }
    DrawingSurface* surface() const { return m_surface; }
    // The open palette, or null.
    CountPalette* palette() const;

protected:
    // The close box means "対局画面に戻る": the game goes back to the board, never lost.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void closeAfter(bool handedOver);
    void paletteFinished();

    // CountingView
    // The count shows no status boxes of the board.
    SurfaceBoardView& boardView() override { return *m_board; }
    void drawMark(Point p, CountMark mark) override;
    void showCountText(const QString& text) override;
    void showRecordInformation(const QString& text) override;
    void setTitle(const QString& text) override;
    void openPalette(const QString& currentMarkName) override;

    SharedState& m_state;
    DrawingSurface* m_surface = nullptr;
    std::unique_ptr<SurfaceBoardView> m_board;
    QPlainTextEdit* m_information = nullptr; // taikyoku
    QLabel* m_countText = nullptr;           // Label3
    QPointer<CountPalette> m_palette;
    bool m_handedOver = false;
    CountingController m_controller;
};

} // namespace vorleth
