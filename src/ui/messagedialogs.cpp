#include "ui/messagedialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace vorleth {

namespace {
QString windowTitle(const QString& title) {
    return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}
} // namespace

QWidget* MessageDialogs::parent() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_parent ? m_parent() : nullptr;
}

Dialogs::Answer MessageDialogs::message(const QString& text, Buttons buttons,
                                        const QString& title) {
    QMessageBox box(parent());
    box.setWindowTitle(windowTitle(title));
    box.setText(text);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case Buttons::YesNoDefaultNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        break;
    case Buttons::OkCancelDefaultCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}

std::optional<QString> MessageDialogs::input(const QString& prompt, const QString& title,
                                             const QString& defaultText, int x, int y) {
    QInputDialog dialog(parent());
    dialog.setWindowTitle(windowTitle(title));
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (x >= 0 && y >= 0) {
        // Positions are given in twips: 15 per pixel at 96 dots per inch.
        dialog.move(x / 15, y / 15);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

} // namespace vorleth
