#pragma once

#include "recording/repeatedplays.h"

#include <QMainWindow>

namespace vorleth {

class Dialogs;
class FlexGrid;
class Navigator;
struct SharedState;

// nidouchienter: the list of the diagram's moves without a point, where the user types the
// earlier move each one reuses. The screen lays out the labels, the list and the buttons and
// hands every typed key and cell change to the RepeatedPlaysController.
class RepeatedPlaysScreen : public QMainWindow, private RepeatedPlaysView {
    Q_OBJECT
public:
    RepeatedPlaysScreen(SharedState& state, Navigator& navigator, Dialogs& dialogs,
                        QWidget* parent = nullptr);
    ~RepeatedPlaysScreen() override;

    FlexGrid* grid() const { return m_grid; }

private:
    void buildControls();
    void closeAfter(bool handedOver);

    // RepeatedPlaysView
    void setRows(int rows) override;
    int rows() const override;
    QString text(int row, int column) const override;
    void setText(int row, int column, const QString& text) override;
    int currentRow() const override;
    int currentColumn() const override;
    void setCurrent(int row, int column) override;

    FlexGrid* m_grid = nullptr; // Grid1
    RepeatedPlaysController m_controller;
};

} // namespace vorleth
