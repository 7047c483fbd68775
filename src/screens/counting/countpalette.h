#pragma once

#include "counting/countgrid.h"

#include <QDialog>

#include <optional>

class QLabel;

namespace vorleth {

// keisancmd: the correction palette. Names the clicked point's mark and offers the marks it
// can be changed to. However it closes (a mark button, 戻る, its close box, Escape) it
// reports through finished(); picked() then says which mark was chosen, if any.
class CountPalette : public QDialog {
    Q_OBJECT
public:
    CountPalette(const QString& currentMarkName, QWidget* parent);

    std::optional<CountMark> picked() const { return m_picked; }

private:
    std::optional<CountMark> m_picked;
};

} // namespace vorleth
