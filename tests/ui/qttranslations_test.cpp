#include "ui/messagedialogs.h"
#include "ui/qttranslations.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vorleth {
namespace {

// "はい(&Y)" reads はい; "コピー(&C)\tCtrl+C" reads コピー.
QString shownText(QString text) {
    text = text.section(QLatin1Char('\t'), 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    text.remove(QLatin1Char('&'));
    return text;
}

// Runs open(), which shows a modal dialog, lets look() see the dialog and then closes it.
void withModalDialog(const std::function<void()>& open, const std::function<void(QDialog*)>& look) {
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        look(dialog);
        dialog->reject();
    });
    poll.start();
    open();
}

class QtJapaneseTest : public testing::Test {
protected:
    void SetUp() override {
        // The project installs the catalogues (qt6-translations-l10n): missing is a fault.
        ASSERT_TRUE(installQtJapanese(*qApp));
    }
    void TearDown() override {
        for (QTranslator* translator :
             qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    // The button texts of the modal dialog that open() shows; the dialog is then closed.
    static QStringList buttonsOfDialog(const std::function<void()>& open) {
        QStringList texts;
        withModalDialog(open, [&texts](QDialog* dialog) {
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
                if (button->isVisible())
                    texts << shownText(button->text());
            }
            texts.sort();
        });
        return texts;
    }
};

TEST_F(QtJapaneseTest, TheProgramsMessageAndInputBoxesHaveJapaneseButtons) {
    MessageDialogs dialogs;
    const struct {
        const char* name;
        std::function<void()> open;
        QStringList buttons; // sorted
    } cases[] = {
        {"OK / Cancel",
         [&] { dialogs.message(QStringLiteral("削除しますか"), Dialogs::Buttons::OkCancel); },
         {QStringLiteral("OK"), QStringLiteral("キャンセル")}},
        {"Yes / No",
         [&] { dialogs.message(QStringLiteral("削除しますか"), Dialogs::Buttons::YesNo); },
         {QStringLiteral("いいえ"), QStringLiteral("はい")}},
        {"input box",
         [&] { dialogs.input(QStringLiteral("手数"), QString(), QStringLiteral("1"), -1, -1); },
         {QStringLiteral("OK"), QStringLiteral("キャンセル")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(buttonsOfDialog(c.open), c.buttons);
    }
}

// On a desktop larger than the program's screen size a box without a parent opens in the
// middle of the desktop, far from the screen that asked.
TEST_F(QtJapaneseTest, BoxesOpenOverTheScreenThatAsks) {
    QWidget screen;
    screen.setGeometry(0, 0, 600, 400);
    screen.show();
    MessageDialogs dialogs([&screen] { return &screen; });
    for (const auto& open : std::initializer_list<std::function<void()>>{
             [&] { dialogs.message(QStringLiteral("削除しますか"), Dialogs::Buttons::YesNo); },
             [&] { dialogs.input(QStringLiteral("手数"), QString(), QStringLiteral("1")); }}) {
        QWidget* parent = nullptr;
        withModalDialog(open, [&parent](QDialog* dialog) { parent = dialog->parentWidget(); });
        EXPECT_EQ(parent, &screen);
    }
}

TEST_F(QtJapaneseTest, TextFieldsHaveAJapaneseContextMenu) {
    QLineEdit field;
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList entries;
    for (QAction* action : menu->actions())
        entries << shownText(action->text());
    for (const char* entry : {"元に戻す", "切り取り", "コピー", "貼り付け", "すべてを選択"})
        EXPECT_TRUE(entries.contains(QString::fromUtf8(entry))) << entry;
}

} // namespace
} // namespace vorleth
