#pragma once

class QAbstractButton;
class QWidget;

namespace vorleth {

// Escape on the screen (where no control of it takes the key itself) does what a click on
// its return button does, question included; nothing while that button cannot be clicked.
void pressOnEscape(QWidget* screen, QAbstractButton* button);

} // namespace vorleth
