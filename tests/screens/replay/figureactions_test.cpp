// "棋譜図を保存" and "印刷" of the replay screen, on a real 307-entry handicap game: the files in
// each format, the number of moves a figure the user asks for, and what the printer gets.

#include "replay/replaytestbase.h"
#include "support/figuresvg.h"
#include "support/recordingnavigator.h"
#include "support/scripteddialogs.h"
#include "support/testfiles.h"

#include "screens/replay/figureactions.h"
#include "screens/replay/replayscreen.h"
#include "ui/figurewriter.h"

#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

namespace vorleth {
namespace {

// The game's stones: 3 handicap stones stand before the first of its moves.
constexpr int gameMoves = 230;

int pdfPages(const QByteArray& pdf) {
    return int(pdf.count(QByteArray("/Type /Page\n")) + pdf.count(QByteArray("/Type /Page ")) +
               pdf.count(QByteArray("/Type /Page>")) + pdf.count(QByteArray("/Type /Page/")));
}

class FigureActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString gameFile = QDir(QStringLiteral(VORLETH_TEST_DATA "/replay"))
                                     .entryList({QStringLiteral("*.IGO")})
                                     .value(0);
        ASSERT_FALSE(gameFile.isEmpty());
        ASSERT_TRUE(QFile::copy(QStringLiteral(VORLETH_TEST_DATA "/replay/") + gameFile,
                                QDir(library.directory.path()).filePath(gameFile)));
        library.select(gameFile.chopped(recordExtension.size()));
        screen.reset(ReplayScreen::open(state, library.chosen(), navigator, dialogs));
        ASSERT_NE(screen, nullptr);
        actions = screen->findChild<FigureActions*>();
        ASSERT_NE(actions, nullptr);
        actions->setChooser([this](const QString& proposed) -> std::optional<QString> {
            proposals << proposed;
            return answer;
        });
        actions->setPrinter([this](const QVector<FigurePage>& pages) { printed = pages; });
    }

    QString out(const QString& name) const { return library.directory.filePath(name); }

    test::RecordLibrary library;
    SharedState& state = library.state;
    test::ScriptedDialogs dialogs;
    test::RecordingNavigator navigator;
    std::unique_ptr<ReplayScreen> screen;
    FigureActions* actions = nullptr;
    QStringList proposals;
    std::optional<QString> answer;
    QVector<FigurePage> printed;
};

TEST_F(FigureActionsTest, TheMenuHoldsSaveAndPrint) {
    QMenu* menu = nullptr;
    for (QAction* a : screen->menuBar()->actions())
        if (a->text() == figureMenuCaption)
            menu = a->menu();
    ASSERT_NE(menu, nullptr);
    QStringList captions;
    for (const QAction* a : menu->actions())
        captions << a->text();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("棋譜図を保存"), QStringLiteral("印刷")}));
}

TEST_F(FigureActionsTest, SavesEachFormatWithTheFiguresAskedFor) {
    struct Case {
        const char* movesPerFigure;
        const char* name;
        QStringList files; // what must be written
        int figures;
    };
    const std::vector<Case> cases = {
        {"0", "whole.svg", {"whole.svg"}, 1},
        {"100", "split.svg", {"split-1.svg", "split-2.svg", "split-3.svg"}, 3},
        {"0", "whole.pdf", {"whole.pdf"}, 1},
        {"100", "split.pdf", {"split.pdf"}, 3},
        {"0", "whole.png", {"whole.png"}, 1},
        {"150", "split.png", {"split-1.png", "split-2.png"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.inputs = {QString::fromLatin1(c.movesPerFigure)};
        answer = out(QString::fromLatin1(c.name));
        EXPECT_TRUE(actions->save());
        EXPECT_TRUE(dialogs.shown.empty()) << dialogs.messages().join(u'\n').toStdString();
        const QString suffix = QFileInfo(*answer).suffix();
        if (suffix == QLatin1String("pdf")) {
            const QByteArray pdf = test::readBytes(*answer);
            EXPECT_TRUE(pdf.startsWith("%PDF-"));
            EXPECT_EQ(pdfPages(pdf), c.figures);
        }
        int numbered = 0;
        int notes = 0;
        for (const QString& file : c.files) {
            ASSERT_TRUE(QFileInfo::exists(out(file))) << file.toStdString();
            if (suffix == QLatin1String("svg")) {
                const test::ReadFigure f = test::readFigureSvg(test::readBytes(out(file)));
                for (const auto& column : f.numbers)
                    for (int n : column)
                        numbered += n > 0;
                notes += int(f.notes.size());
                EXPECT_EQ(f.heading.first(), QStringLiteral("三子局　研究会"));
            } else if (suffix == QLatin1String("png")) {
                const QImage image(out(file));
                ASSERT_FALSE(image.isNull());
                EXPECT_GT(image.width(), 800);
            }
        }
        if (suffix == QLatin1String("svg")) {
            EXPECT_EQ(numbered + notes, gameMoves); // every move once, on a point or in a note
        }
    }
    EXPECT_EQ(proposals.first(), QDir(state.baseDirectory).filePath("三子局　研究会.pdf"));
}

TEST_F(FigureActionsTest, AnswersThatDoNotGoThrough) {
    struct Case {
        const char* name;
        std::optional<QString> moves;
        std::optional<QString> path;
        QStringList messages;
    };
    const std::vector<Case> cases = {
        {"not a number",
         QStringLiteral("abc"),
         QStringLiteral("a.svg"),
         {figureMovesInvalidMessage}},
        {"negative", QStringLiteral("-3"), QStringLiteral("b.svg"), {figureMovesInvalidMessage}},
        {"the number cancelled", std::nullopt, QStringLiteral("c.svg"), {}},
        {"the file cancelled", QStringLiteral("0"), std::nullopt, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.shown.clear();
        proposals.clear();
        dialogs.inputs = {c.moves};
        answer = c.path ? std::optional<QString>(out(*c.path)) : std::nullopt;
        EXPECT_FALSE(actions->save());
        EXPECT_EQ(dialogs.messages(), c.messages);
        EXPECT_EQ(proposals.size(), c.moves && !c.messages.size() ? 1 : 0);
        EXPECT_EQ(QDir(library.directory.path()).entryList({"*.svg"}), QStringList());
    }
}

TEST_F(FigureActionsTest, AFailedWriteShowsItsReason) {
    dialogs.inputs = {QStringLiteral("0")};
    answer = out(QStringLiteral("no/such/folder/g.pdf"));
    EXPECT_FALSE(actions->save());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown.front().text.startsWith(cannotSaveFigureMessage +
                                                      QDir::toNativeSeparators(*answer) + u'（'));
}

TEST_F(FigureActionsTest, PrintsAPageAFigure) {
    dialogs.inputs = {QStringLiteral("50")};
    EXPECT_TRUE(actions->print());
    EXPECT_EQ(printed.size(), 5);

    // What the print dialog's printer gets: here a PDF file in its place.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out(QStringLiteral("printed.pdf")));
    printFigurePages(printer, printed);
    EXPECT_EQ(pdfPages(test::readBytes(out(QStringLiteral("printed.pdf")))), 5);
}

// With the font the figures are set in: numbers of one and two digits sit inside their stones,
// and the notes of a row do not run into each other.
TEST_F(FigureActionsTest, NothingOverlapsInTheRealFont) {
    const QVector<FigurePage> pages = replayedFigurePages(state, 0);
    ASSERT_EQ(pages.size(), 1);
    const FigurePage& page = pages.front();
    QImage canvas(10, 10, QImage::Format_RGB32);
    canvas.setDotsPerMeterX(qRound(72 / 0.0254));
    canvas.setDotsPerMeterY(qRound(72 / 0.0254));
    auto width = [&canvas](const FigureText& t) {
        QFont font(QStringLiteral("Noto Sans CJK JP"));
        font.setPointSizeF(t.size);
        return QFontMetricsF(font, &canvas).horizontalAdvance(t.text);
    };
    double radius = 0;
    for (const FigureDisc& d : page.discs)
        radius = std::max(radius, d.radius);
    const FigureText* previousNote = nullptr;
    int notes = 0;
    for (const FigureText& t : page.texts) {
        if (t.role == FigureText::Role::Move && t.text.size() <= 2) {
            EXPECT_LT(width(t), 2 * radius) << t.text.toStdString();
        }
        if (t.role != FigureText::Role::Note)
            continue;
        ++notes;
        EXPECT_LE(t.at.x() + width(t), page.width) << t.text.toStdString();
        if (previousNote && previousNote->at.y() == t.at.y()) {
            EXPECT_LT(previousNote->at.x() + width(*previousNote), t.at.x())
                << t.text.toStdString();
        }
        previousNote = &t;
    }
    EXPECT_GT(notes, 40);
}

} // namespace
} // namespace vorleth
