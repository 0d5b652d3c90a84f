// The source viewer window on large and odd files: a 50,000-line file is
// coloured to its last line tick by tick and folds; a file of one very long
// line, a file with binary bytes and a file with Unicode line separators
// open, colour and fold without harm.
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include "gui/widgets/document_windows.h"
#include "gui/widgets/source_viewer_window.h"
#include "source_viewer_test_services.h"
#include "support/test_files.h"

namespace corvane {

using testing::topLevel;
using testing::ViewerTestServices;

namespace {

std::string manyLines(int count) {
    std::string text;
    for (int line = 0; line < count; line += 5) {
        text += "always @(posedge clk) begin  // block " + std::to_string(line) + "\n"
                "    if (en) q <= d;\n"
                "    /* hold */ r <= r;\n"
                "    reg_a <= reg_b;\n"
                "end\n";
    }
    return text;
}

}  // namespace

class SourceViewerLargeFileTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ViewerTestServices> test;
    std::unique_ptr<DocumentWindows> windows;
    testing::TempDir dir;

    SourceViewerWindow* open(const std::string& name, const std::string& bytes) {
        windows->open(DocumentRequest{DocumentKind::kSourceViewer, dir.write(name, bytes), "", "", 1, 0});
        return topLevel<SourceViewerWindow>();
    }

    // Runs the colouring ticks to the end; the longest tick goes to the log.
    static int colourToTheEnd(SourceViewerWindow& window) {
        int ticks = 0;
        qint64 longest = 0;
        while (!window.viewer().colouringFinished()) {
            QElapsedTimer tick;
            tick.start();
            window.colourTick();
            longest = std::max(longest, tick.elapsed());
            ++ticks;
        }
        qInfo("colouring: %d ticks, the longest %lld ms", ticks, longest);
        return ticks;
    }

private slots:
    void init() {
        test = std::make_unique<ViewerTestServices>();
        for (const char* word : {"always", "begin", "end", "if", "reg", "//", "/*"}) {
            test->settings.verilogWords.push_back({word, static_cast<int>(strlen(word)), 0xff0000});
        }
        windows = std::make_unique<DocumentWindows>();
        registerSourceViewerWindows(*windows, test->services);
    }
    void cleanup() {
        windows.reset();
        test.reset();
    }

    void aFiftyThousandLineFileIsColouredToItsEndAndFolds() {
        QElapsedTimer opening;
        opening.start();
        SourceViewerWindow* window = open("big.v", manyLines(50000));
        QVERIFY(window != nullptr);
        qInfo("opening: %lld ms", opening.elapsed());
        QTRY_VERIFY(!window->loading());
        QPlainTextEdit* text = window->textEdit();
        QCOMPARE(text->document()->blockCount(), 50001);
        colourToTheEnd(*window);
        const QTextBlock last = text->document()->findBlockByNumber(49999);
        QCOMPARE(last.text(), QString("end"));
        QCOMPARE(last.layout()->formats().size(), 1);

        QElapsedTimer folding;
        folding.start();
        window->toggleFold(49995);
        QCOMPARE(text->document()->blockCount(), 50001 - 4);
        window->toggleFold(49995);
        qInfo("folding and unfolding: %lld ms", folding.elapsed());
        QCOMPARE(text->document()->blockCount(), 50001);
        colourToTheEnd(*window);
        QCOMPARE(text->document()->findBlockByNumber(49999).layout()->formats().size(), 1);
    }

    void oddFilesOpenColourAndFold_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("blocks");
        QTest::newRow("one long line")
            << QByteArray(std::string(2'000'000, 'x').append(" begin reg\nend\n").c_str()) << 3;
        QTest::newRow("binary bytes") << QByteArray("begin\0\xff\xfe\nend\n", 11) << 1;
        QTest::newRow("invalid UTF-8") << QByteArray("begin \xff\xfe reg\n\xc3\nend\n") << 4;
        QTest::newRow("Unicode line separators")
            << QByteArray("begin \xe2\x80\xa8 x\n\xe2\x80\xa9 reg\nend\n") << 4;
        QTest::newRow("unbalanced nesting") << QByteArray("end\nbegin\nbegin\nend\n") << 5;
    }
    void oddFilesOpenColourAndFold() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, blocks);
        SourceViewerWindow* window = open("odd.v", bytes.toStdString());
        QVERIFY(window != nullptr);
        QTRY_VERIFY(!window->loading());
        QCOMPARE(window->textEdit()->document()->blockCount(), blocks);
        colourToTheEnd(*window);
        for (int line = 0; line < blocks; ++line) window->toggleFold(line);
        for (int line = blocks - 1; line >= 0; --line) window->toggleFold(line);
        QCOMPARE(window->textEdit()->document()->blockCount(), window->viewer().controlLineCount());
        window->close();
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::SourceViewerLargeFileTest)
#include "source_viewer_large_file_test.moc"
