#pragma once

#include <QObject>

namespace vorleth {

// Enter or Return on a focused push button presses it, as it does on Windows and in every
// dialog: outside a dialog Qt leaves such buttons to Space alone, and a user who tabs to
// "登録棋譜を閲覧" and presses Enter would see nothing happen. Buttons that already take Enter
// themselves (a dialog's default buttons) are left to Qt, so that one key never presses twice.
class EnterPressesButton : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace vorleth
