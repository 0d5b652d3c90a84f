// The Qt UiHost: filters, colours, message boxes and file dialogs as the
// user sees them, console placement, and the document window registry.
#include "gui/widgets/qt_ui_host.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "gui/widgets/console_window.h"
#include "gui/widgets/desktop_program.h"
#include "gui/widgets/document_windows.h"
#include "widgets/modal_helpers.h"

using namespace corvane;

namespace {

// A document window that counts what the registry tells it.
class CountingWindow final : public DocumentWindow {
public:
    explicit CountingWindow(int& refreshes) : refreshes_(refreshes) {}
    QWidget* widget() override { return &widget_; }
    void update(const DocumentRequest& request) override { lines.push_back(request.line); }
    void refresh() override { ++refreshes_; }

    std::vector<int> lines;

private:
    QWidget widget_;
    int& refreshes_;
};

DocumentRequest sourceRequest(const std::string& path, int line) {
    DocumentRequest request;
    request.kind = DocumentKind::kSourceViewer;
    request.path = path;
    request.line = line;
    return request;
}

}  // namespace

class QtUiHostTest : public QObject {
    Q_OBJECT

private slots:
    void filtersInQtsForm_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("all files") << "All files(*.*)|*.*||"
                                   << "All files(*)";
        QTest::newRow("project") << "Corvane Project(*.cvproj)|*.cvproj||"
                                 << "Corvane Project(*.cvproj)";
        QTest::newRow("two filters") << "CSV File(*.csv)|*.csv|Text(*.txt;*.log)|*.txt;*.log||"
                                     << "CSV File(*.csv);;Text(*.txt *.log)";
        QTest::newRow("label without patterns") << "Schematic|*.qsch||"
                                                << "Schematic(*.qsch)";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("malformed") << "|||(|"
                                   << "";
    }
    void filtersInQtsForm() {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(qtFileFilter(filter.toStdString()), qt);
    }

    void coloursKeepTheirChannels() {
        QCOMPARE(colorRefOf(QColor(0x12, 0x34, 0x56)), std::uint32_t{0x563412});
        QCOMPARE(qColorOf(0xFF0000), QColor(0, 0, 255));
        QCOMPARE(colorRefOf(qColorOf(0xA1B2C3)), std::uint32_t{0xA1B2C3});
    }

    void messageBoxesShowTheCaptionAndMapTheAnswer() {
        QtUiHost ui;
        auto shown = std::make_shared<corvane::testing::ShownMessage>();
        corvane::testing::answerNextMessageBox(QMessageBox::No, shown);
        const MessageResult answer =
            ui.messageBox({"Corvane", "Do you save project?", MessageIcon::kQuestion,
                           MessageButtons::kYesNoCancel});
        QCOMPARE(answer, MessageResult::kNo);
        QCOMPARE(shown->caption, QStringLiteral("Corvane"));
        QCOMPARE(shown->text, QStringLiteral("Do you save project?"));
    }

    void fileDialogsCarryTheCoreTexts() {
        QtUiHost ui;
        QString title;
        QString okText;
        QStringList filters;
        corvane::testing::onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (dialog == nullptr) {
                modal->close();
                return;
            }
            title = dialog->windowTitle();
            okText = dialog->labelText(QFileDialog::Accept);
            filters = dialog->nameFilters();
            dialog->reject();
        });
        FileDialogRequest request;
        request.caption = "Please specify the target Verilog/VHDL file(s)";
        request.okText = "&Analyze";
        request.filter = "All files(*.*)|*.*||";
        request.multiSelect = true;
        QVERIFY(!ui.openFileDialog(request).accepted());
        QCOMPARE(title, QStringLiteral("Please specify the target Verilog/VHDL file(s)"));
        QCOMPARE(okText, QStringLiteral("&Analyze"));
        QCOMPARE(filters, QStringList({"All files(*)"}));
    }

    void saveDialogAddsTheDefaultExtension() {
        QTemporaryDir dir;
        QtUiHost ui;
        QString suffix;
        corvane::testing::onNextModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (dialog == nullptr) {
                modal->close();
                return;
            }
            suffix = dialog->defaultSuffix();
            dialog->setDirectory(dir.path());
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                name->setText(QStringLiteral("ports"));
            }
            QMetaObject::invokeMethod(dialog, "accept");
            if (dialog->isVisible()) dialog->reject();
        });
        FileDialogRequest request;
        request.caption = "Please input the name of CSV file";
        request.filter = "CSV File(*.csv)|*.csv||";
        request.defaultExtension = "csv";
        const auto path = ui.saveFileDialog(request);
        QCOMPARE(suffix, QStringLiteral("csv"));
        QVERIFY(path.has_value());
        QCOMPARE(QString::fromStdString(*path), dir.filePath(QStringLiteral("ports.csv")));
    }

    void consolePlacementRoundTrips() {
        QTemporaryDir dir;
        DesktopOptions options;
        options.paths.settings.user = dir.filePath(QStringLiteral("s.ini")).toStdString();
        options.showSplash = false;
        DesktopProgram program(options);
        program.start();
        program.ui().placeConsole({30, 40, 700, 500});
        const ConsolePlacement placed = program.ui().consolePlacement();
        QCOMPARE(placed.x, 30);
        QCOMPARE(placed.y, 40);
        QCOMPARE(placed.width, 700);
        QCOMPARE(placed.height, 500);
        program.ui().setConsoleTitle("[x] 1 module(s) - Corvane");
        QCOMPARE(program.console().windowTitle(), QStringLiteral("[x] 1 module(s) - Corvane"));
    }

    void registryRecordsRaisesClosesAndReaps() {
        DocumentWindows windows;
        // No factory: the request is recorded and nothing opens.
        windows.open(sourceRequest("/a.v", 3));
        QCOMPARE(windows.requests().size(), std::size_t{1});
        QCOMPARE(windows.openCount(DocumentKind::kSourceViewer), 0);

        int refreshes = 0;
        std::vector<CountingWindow*> created;
        windows.registerFactory(DocumentKind::kSourceViewer, [&](const DocumentRequest&) {
            auto window = std::make_unique<CountingWindow>(refreshes);
            created.push_back(window.get());
            return window;
        });
        windows.open(sourceRequest("/a.v", 3));
        windows.open(sourceRequest("/a.v", 9));  // the same file: raised and pointed at 9
        windows.open(sourceRequest("/b.v", 1));
        QCOMPARE(created.size(), std::size_t{2});
        QCOMPARE(created[0]->lines, std::vector<int>({9}));
        QCOMPARE(windows.openCount(DocumentKind::kSourceViewer), 2);
        windows.refreshAll(DocumentKind::kSourceViewer);
        QCOMPARE(refreshes, 2);

        windows.close(DocumentKind::kSourceViewer, "/a.v");
        QCOMPARE(windows.openCount(DocumentKind::kSourceViewer), 1);
        // A window the user closed is deleted by the reaper.
        created[1]->widget()->close();
        QTRY_COMPARE(windows.openCount(DocumentKind::kSourceViewer), 0);
        windows.open(sourceRequest("/b.v", 2));
        QCOMPARE(created.size(), std::size_t{3});
        windows.closeAll(DocumentKind::kSourceViewer);
        QCOMPARE(windows.openCount(DocumentKind::kSourceViewer), 0);
        QCOMPARE(windows.requests().size(), std::size_t{5});
    }
};

QTEST_MAIN(QtUiHostTest)
#include "qt_ui_host_test.moc"
