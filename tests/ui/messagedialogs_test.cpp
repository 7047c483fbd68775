#include "ui/messagedialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace vorleth {
namespace {

// Enter on a box answers with its default button: the answer that keeps a file wherever the
// other one deletes it.
TEST(MessageDialogs, EnterGivesTheDefaultAnswerAndDeletingIsNeverTheDefault) {
    const struct {
        const char* name;
        Dialogs::Buttons buttons;
        Dialogs::Answer onEnter;
    } cases[] = {
        {"Yes / No", Dialogs::Buttons::YesNo, Dialogs::Answer::Yes},
        {"Yes deletes", Dialogs::Buttons::YesNoDefaultNo, Dialogs::Answer::No},
        {"OK / Cancel", Dialogs::Buttons::OkCancel, Dialogs::Answer::Ok},
        {"OK deletes", Dialogs::Buttons::OkCancelDefaultCancel, Dialogs::Answer::Cancel},
    };
    MessageDialogs dialogs;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int ticks = 0;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box) {
                poll.stop();
                QTest::keyClick(box, Qt::Key_Return);
                return;
            }
            // A box that never became active must not keep the test waiting.
            if (++ticks > 500) {
                poll.stop();
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (auto* stuck = qobject_cast<QMessageBox*>(w))
                        stuck->done(-1);
                }
            }
        });
        poll.start();
        EXPECT_EQ(dialogs.message(QStringLiteral("削除しますか"), c.buttons), c.onEnter);
    }
}

} // namespace
} // namespace vorleth
