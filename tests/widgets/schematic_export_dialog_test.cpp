// File > Export > EMF... of the schematic window: the chosen name's extension
// picks the format; a path that cannot be written, or the window's own kind
// of schematic file, gives the message and leaves the file as it was.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "gui/schematic_export.h"
#include "gui/widgets/schematic_window.h"
#include "source_viewer_test_services.h"

namespace corvane {

using testing::ViewerTestServices;

namespace {

QByteArray head(const QString& path, int size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(size);
}

}  // namespace

class SchematicExportDialogTest : public QObject {
    Q_OBJECT

private slots:
    void fileMenuHoldsExportAndPrintAboveClose() {
        ViewerTestServices test;
        test.analyseExample();
        SchematicWindow window(test.services, "top");
        QMenu* file = window.menuBar()->actions().front()->menu();
        QVERIFY(file != nullptr);
        QStringList texts;
        for (QAction* act : file->actions()) texts << act->text();
        QCOMPARE(texts, (QStringList{"&Open...", "&Save", "Save &As...", "", "&Export", "&Print...",
                                     "", "&Close"}));
        QCOMPARE(window.exportAction()->text(), QString("&EMF..."));
        QVERIFY(file->actions().at(4)->menu()->actions().contains(window.exportAction()));
    }

    void theExtensionChoosesTheFormat() {
        ViewerTestServices test;
        test.analyseExample();
        SchematicWindow window(test.services, "top");
        window.open();
        QTemporaryDir folder;
        struct Case {
            const char* name;
            QByteArray magic;
        };
        const Case cases[] = {
            {"top.emf", QByteArray("\x01\x00\x00\x00", 4)},
            {"top.svg", "<?xml"},
            {"top.png", "\x89PNG"},
            {"top.PDF", "%PDF"},
            // Any other name gets the dialog's own format, a metafile.
            {"top.picture", QByteArray("\x01\x00\x00\x00", 4)},
        };
        for (const Case& c : cases) {
            const QString path = folder.filePath(c.name);
            test.ui.saveFileAnswers = {path.toStdString()};
            window.exportAction()->trigger();
            QVERIFY2(test.ui.messageBoxes.empty(), c.name);
            QVERIFY2(head(path, c.magic.size()) == c.magic, c.name);
        }
        const FileDialogRequest& request = test.ui.fileDialogs.back();
        QCOMPARE(request.caption, std::string("Please input the name of EMF file"));
        QCOMPARE(request.proposedName, std::string("top"));
        QCOMPARE(request.defaultExtension, std::string("emf"));
        QCOMPARE(request.filter, std::string(kSchematicExportFilter));
        QVERIFY(request.overwritePrompt);
    }

    void unwritablePathsAndSchematicFilesGiveTheMessageAndStayUntouched() {
        ViewerTestServices test;
        test.analyseExample();
        SchematicWindow window(test.services, "top");
        window.open();
        QTemporaryDir folder;
        const QString schematicFile = folder.filePath("top.qsch");
        {
            QFile file(schematicFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("kept as it was\n");
        }
        const std::string missingFolder = folder.filePath("no/such/folder/top.svg").toStdString();
        for (const std::string& path : {missingFolder, schematicFile.toStdString()}) {
            test.ui.messageBoxes.clear();
            test.ui.saveFileAnswers = {path};
            window.exportAction()->trigger();
            QCOMPARE(test.ui.messageBoxes.size(), std::size_t{1});
            QCOMPARE(test.ui.messageBoxes[0].caption,
                     std::string("CORVANE cannot save this file."));
            QCOMPARE(test.ui.messageBoxes[0].text, path);
        }
        QCOMPARE(head(schematicFile, 100), QByteArray("kept as it was\n"));
        QVERIFY(!QFile::exists(QString::fromStdString(missingFolder)));
        QVERIFY(!window.schematic().modified());

        // Cancel: no file, no message.
        test.ui.messageBoxes.clear();
        test.ui.saveFileAnswers = {std::nullopt};
        window.exportAction()->trigger();
        QVERIFY(test.ui.messageBoxes.empty());
    }
};

}  // namespace corvane

QTEST_MAIN(corvane::SchematicExportDialogTest)
#include "schematic_export_dialog_test.moc"
