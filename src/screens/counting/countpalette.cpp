#include "screens/counting/countpalette.h"

#include "counting/correction.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace vorleth {

namespace {

QLabel* label(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

CountPalette::CountPalette(const QString& currentMarkName, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("keisancmd"));
    setWindowTitle(QStringLiteral("計算修正指示"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(label("Label1", QStringLiteral("計算修正指示"), this), 0, 0, 1, 2);
    // The current state: what the clicked point is now.
    layout->addWidget(label("Label2", currentMarkName, this), 1, 0, 1, 2);
    layout->addWidget(label("Label4", QStringLiteral("以下に直す"), this), 2, 0, 1, 2);

    // Black's choices on the left, White's beside them, then seki and neutral, who belong to
    // nobody, and 戻る below.
    constexpr int firstRow = 3;
    int rows[2] = {firstRow, firstRow};
    QPushButton* seki = nullptr;
    QPushButton* neutral = nullptr;
    for (const PaletteButton& b : paletteMarkButtons()) {
        auto* button = new QPushButton(b.caption, this);
        button->setObjectName(QString::fromLatin1(b.control));
        connect(button, &QPushButton::clicked, this, [this, mark = b.mark] {
            m_picked = mark;
            accept();
        });
        if (b.mark == CountMark::Seki || b.mark == CountMark::None) {
            (b.mark == CountMark::Seki ? seki : neutral) = button;
            continue;
        }
        const int column = b.caption.startsWith(u'白') ? 1 : 0;
        layout->addWidget(button, rows[column]++, column);
    }
    auto* back = new QPushButton(paletteBackCaption, this);
    back->setObjectName(QStringLiteral("Command8"));
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    int lastButtonRow = std::max(rows[0], rows[1]);
    if (seki)
        layout->addWidget(seki, lastButtonRow, 0);
    if (neutral)
        layout->addWidget(neutral, lastButtonRow, 1);
    layout->addWidget(back, ++lastButtonRow, 1);
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false); // Enter picks nothing by itself

    const int row = lastButtonRow + 1;
    layout->addWidget(label("Label5", QStringLiteral("修正の取り消しは前の画面で右クリック"), this),
                      row, 0, 1, 2);
    layout->addWidget(label("Label6", QStringLiteral("（直前の指定のみ可能）"), this), row + 1, 0,
                      1, 2);
    layout->addWidget(label("Label3", QString(), this), row + 2, 0, 1, 2);
}

} // namespace vorleth
