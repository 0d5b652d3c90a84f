// The source viewer window driven as the user drives it: opened from a
// double click on a log line, folded in the gutter, searched with Ctrl+F,
// and kept read-only.
#include "gui/widgets/source_viewer_window.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include "diagnostics/log_navigation.h"
#include "gui/qt_canvas.h"
#include "gui/widgets/document_windows.h"
#include "gui/widgets/log_view.h"
#include "gui/widgets/source_viewer_gutter.h"
#include "gui/widgets/source_viewer_search_dialog.h"
#include "source_viewer_test_services.h"
#include "support/test_files.h"

namespace corvane {

using testing::topLevel;
using testing::ViewerTestServices;

namespace {

constexpr Color kBlue = 0xFF0000;
constexpr Color kGreen = 0x008000;

KeywordEntry keyword(const std::string& word, Color color) {
    return {word, static_cast<int>(word.size()), static_cast<int>(color)};
}

void colourCompletely(SourceViewerWindow& window) {
    while (!window.viewer().colouringFinished()) window.colourTick();
}

// The foreground colours the layout of `line` draws, as (start, length, colour).
std::vector<std::tuple<int, int, Color>> layoutColours(SourceViewerWindow& window, int line) {
    std::vector<std::tuple<int, int, Color>> result;
    const QTextBlock block = window.textEdit()->document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        const QColor c = range.format.foreground().color();
        result.emplace_back(range.start, range.length, rgb(c.red(), c.green(), c.blue()));
    }
    return result;
}

}  // namespace

class SourceViewerWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ViewerTestServices> test;
    std::unique_ptr<DocumentWindows> windows;

    SourceViewerWindow* openViewer(const std::string& path, int line) {
        windows->open(DocumentRequest{DocumentKind::kSourceViewer, path, "", "", line, 0});
        return topLevel<SourceViewerWindow>();
    }

private slots:
    void init() {
        test = std::make_unique<ViewerTestServices>();
        test->settings.verilogWords = {keyword("module", kBlue), keyword("//", kGreen)};
        windows = std::make_unique<DocumentWindows>();
        registerSourceViewerWindows(*windows, test->services);
    }
    void cleanup() {
        windows.reset();
        test.reset();
    }

    void doubleClickOnALogLineShowsThatLineNearTheTopWithTheMarker() {
        const std::string path = ViewerTestServices::examplePath("top.v");
        MessageLog log;
        log.appendLog("#ERROR : " + path + " : 5 : Syntax error.(21)\r\n");
        LogView view(log);
        view.setLineHandler([this](const std::string& line) {
            const auto target = navigationTargetOf(line);
            if (target) openViewer(target->file, target->line);
        });
        view.resize(600, 200);
        view.show();
        view.flush();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(20, 5));

        SourceViewerWindow* window = topLevel<SourceViewerWindow>();
        QVERIFY(window != nullptr);
        QCOMPARE(window->windowTitle(), QString::fromStdString("Source - " + path));
        QCOMPARE(window->viewer().pointedLine(), 5);
        QTRY_COMPARE(window->firstVisibleLine(), 4);
        auto* gutter = static_cast<SourceViewerGutter*>(window->gutter());
        QVERIFY(gutter->lineTop(4) >= 0 && gutter->lineTop(4) < 20);
        QCOMPARE(window->statusLabel()->text(), QString("line 5"));
        QVERIFY(window->textEdit()->document()->findBlockByNumber(4).text().contains("rst_n"));
        colourCompletely(*window);
        testing::saveScreenshot(*window, "source_viewer");
    }

    void openingTheSamePathAgainReusesTheWindow() {
        const std::string path = ViewerTestServices::examplePath("top.v");
        SourceViewerWindow* first = openViewer(path, 3);
        QVERIFY(first != nullptr);
        SourceViewerWindow* second = openViewer(path, 17);
        QCOMPARE(second, first);
        QCOMPARE(windows->openCount(DocumentKind::kSourceViewer), 1);
        QCOMPARE(first->viewer().pointedLine(), 17);
    }

    void aFileThatCannotBeOpenedIsNamedInAMessage() {
        testing::TempDir dir;
        const std::string missing = dir.path() + "/missing.v";
        QVERIFY(openViewer(missing, 1) == nullptr);
        QCOMPARE(windows->openCount(DocumentKind::kSourceViewer), 0);
        QCOMPARE(test->ui.messageBoxes.size(), std::size_t{1});
        QCOMPARE(test->ui.messageBoxes[0].caption, std::string("CORVANE cannot open this file."));
        QCOMPARE(test->ui.messageBoxes[0].text, missing);
    }

    void aClickInTheGutterFoldsTheRegion() {
        SourceViewerWindow* window = openViewer(testing::fixturePath("viewers/fold.v"), 1);
        QVERIFY(window != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QPlainTextEdit* text = window->textEdit();
        const int lines = text->document()->blockCount();
        auto* gutter = static_cast<SourceViewerGutter*>(window->gutter());
        const int top = gutter->lineTop(9);
        QVERIFY(top >= 0);

        QTest::mouseClick(gutter, Qt::LeftButton, {}, QPoint(4, top + 3));
        QCOMPARE(text->document()->blockCount(), lines - 10);
        QCOMPARE(text->document()->findBlockByNumber(10).text(), QString("// filler line 21"));
        text->setTextCursor(QTextCursor(text->document()->findBlockByNumber(9)));
        QCOMPARE(window->statusLabel()->text(), QString("line 10"));
        text->setTextCursor(QTextCursor(text->document()->findBlockByNumber(10)));
        QCOMPARE(window->statusLabel()->text(), QString("line 21"));
        testing::saveScreenshot(*window, "source_viewer_folded");

        QTest::mouseClick(gutter, Qt::LeftButton, {}, QPoint(4, gutter->lineTop(9) + 3));
        QCOMPARE(text->document()->blockCount(), lines);
        QCOMPARE(text->toPlainText().toStdString(),
                 viewerTextOf(testing::readAll(testing::fixturePath("viewers/fold.v"))));
    }

    void colouringFollowsTheKeywordListInTheLayout() {
        SourceViewerWindow* window = openViewer(ViewerTestServices::examplePath("top.v"), 1);
        QVERIFY(window != nullptr);
        colourCompletely(*window);
        // Line 3: "module top(...": the word in blue, the rest black.
        QCOMPARE(layoutColours(*window, 2), (std::vector<std::tuple<int, int, Color>>{{0, 6, kBlue}}));
        // Line 1 is a comment, green to its end.
        const auto comment = layoutColours(*window, 0);
        QCOMPARE(comment.size(), std::size_t{1});
        QCOMPARE(std::get<2>(comment[0]), kGreen);
    }

    void ctrlFAndNextFindTheTextAndSayWhenTheyReachTheEnd() {
        SourceViewerWindow* window = openViewer(ViewerTestServices::examplePath("top.v"), 1);
        QVERIFY(window != nullptr);
        QPlainTextEdit* text = window->textEdit();
        text->setFocus();
        QTest::keyClick(text, Qt::Key_F, Qt::ControlModifier);
        SourceViewerSearchDialog* search = window->searchDialog();
        QTRY_VERIFY(search->isVisible());
        QCOMPARE(search->windowTitle(), QString("Search Text"));

        search->setText("u_fsm");
        QTest::mouseClick(search->nextButton(), Qt::LeftButton);
        QCOMPARE(text->textCursor().selectedText(), QString("u_fsm"));
        QCOMPARE(search->combo()->itemText(0), QString("u_fsm"));
        QCOMPARE(test->settings.searchWords, std::vector<std::string>{"u_fsm"});
        QVERIFY(test->ui.messageBoxes.empty());
        testing::saveScreenshot(*search, "source_viewer_search");

        int nexts = 0;
        connect(search, &SourceViewerSearchDialog::nextRequested, [&nexts] { ++nexts; });
        QTest::keyClick(search->combo(), Qt::Key_Return);  // Enter means Next
        QCOMPARE(nexts, 1);
        QCOMPARE(test->ui.messageBoxes.size(), std::size_t{1});
        QCOMPARE(test->ui.messageBoxes[0].text, std::string("u_fsm : CORVANE searched until the end."));
        QVERIFY(search->nextButton()->isEnabled());
        QCOMPARE(search->combo()->count(), 1);

        text->moveCursor(QTextCursor::End);
        QTest::mouseClick(search->previousButton(), Qt::LeftButton);
        QCOMPARE(text->textCursor().selectedText(), QString("u_fsm"));
        QCOMPARE(test->ui.messageBoxes.size(), std::size_t{1});
    }

    void theTextCannotBeChangedAndEscapeKeepsTheWindow() {
        SourceViewerWindow* window = openViewer(ViewerTestServices::examplePath("top.v"), 1);
        QVERIFY(window != nullptr);
        QPlainTextEdit* text = window->textEdit();
        const QString before = text->toPlainText();
        QApplication::clipboard()->setText("pasted");
        text->selectAll();
        for (const Qt::Key key : {Qt::Key_V, Qt::Key_X, Qt::Key_Y, Qt::Key_Z}) {
            QTest::keyClick(text, key, Qt::ControlModifier);
        }
        QTest::keyClicks(text, "typed");
        QTest::keyClick(text, Qt::Key_Delete);
        QTest::keyClick(text, Qt::Key_Tab);
        QTest::keyClick(text, Qt::Key_Escape);
        QCOMPARE(text->toPlainText(), before);
        QVERIFY(window->isVisible());

        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(test->ui.clipboardText.substr(0, 2), std::string("//"));
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::SourceViewerWindowTest)
#include "source_viewer_window_test.moc"
