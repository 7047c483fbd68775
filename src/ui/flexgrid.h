#pragma once

#include <QColor>
#include <QTableWidget>

namespace vorleth {

// A small grid in the manner of the old FlexGrid: row 0 is the heading row (the horizontal
// header), data rows count from 1, columns from 0. The first fixedColumns() columns look like
// headings and never become current. Cells are not edited in place: screens handle the keys.
// The signals below use this numbering and hide QTableWidget's signals of the same name.
class FlexGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    void setRows(int dataRows); // data rows, headings not counted
    int rows() const;
    void setColumns(int columns);
    int columns() const;
    void setFixedColumns(int columns);
    int fixedColumns() const { return m_fixedColumns; }

    void setColumnWidthTwips(int column, double twips);
    double columnWidthTwips(int column) const;
    void setColumnAlignment(int column, Qt::Alignment alignment);

    // Row 0 addresses the heading.
    void setText(int row, int column, const QString& text);
    QString text(int row, int column) const;
    void setCellBackground(int row, int column, const QColor& colour);
    QColor cellBackground(int row, int column) const;
    void setCellForeground(int row, int column, const QColor& colour);
    QColor cellForeground(int row, int column) const;
    void clearCells(); // data cells lose their texts and colours; headings are kept

    void setCurrent(int row, int column); // a data row; ignored when out of range
    int currentGridRow() const;           // 0 when there is none
    int currentGridColumn() const;        // -1 when there is none

signals:
    void cellClicked(int row, int column);
    void cellDoubleClicked(int row, int column);
    void headingClicked(int column);
    void currentCellMoved(int row, int column);
    void keyPressed(int key);
    void keyReleased(int key);          // not for the repeats of a held key
    void keyTyped(const QString& text); // the characters of a pressed key, when it has some

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    // Typing must not jump to a cell whose text starts with the typed characters.
    void keyboardSearch(const QString&) override {}

private:
    QTableWidgetItem* cell(int row, int column, bool create);
    QTableWidgetItem* newItem(int column) const;
    void refreshFixedColumns();

    int m_fixedColumns = 0;
    QVector<Qt::Alignment> m_alignments;
};

} // namespace vorleth
