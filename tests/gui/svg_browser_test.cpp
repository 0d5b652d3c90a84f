// An SVG export opened in a web browser: the file is well-formed XML whose
// view box is the canvas, and headless Chromium, when installed, renders it
// as the same drawing the PNG export shows. Skipped without Chromium.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <QXmlStreamReader>
#include <string>

#include "console/controller.h"
#include "gui/schematic_export.h"
#include "platform/progress_sink.h"
#include "support/scripted_ui_host.h"
#include "support/test_files.h"

namespace corvane {
namespace {

// How long the browser may take to write its screenshot.
constexpr int kBrowserTimeoutMs = 30000;

QString browserOnPath() {
    for (const char* name : {"chromium", "chromium-browser"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) return path;
    }
    return {};
}

// Reads the whole document; the error text, empty when it is well-formed,
// and the root element's view box.
std::string checkXml(const std::string& path, QString& viewBox) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return "cannot read " + path;
    QXmlStreamReader xml(&file);
    bool root = true;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && root) {
            if (xml.name() != QStringLiteral("svg")) return "the root element is not svg";
            viewBox = xml.attributes().value(QStringLiteral("viewBox")).toString();
            root = false;
        }
    }
    return xml.hasError() ? xml.errorString().toStdString() : "";
}

// Runs the browser headless on `svg` and waits a bounded time for it; the
// failure with the browser's output, empty when it ended well.
std::string takeScreenshot(const QString& browser, const std::string& svg, const std::string& png,
                           QSize window, const std::string& profile) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(browser,
                  {"--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                   "--no-first-run", "--user-data-dir=" + QString::fromStdString(profile),
                   "--screenshot=" + QString::fromStdString(png),
                   QStringLiteral("--window-size=%1,%2").arg(window.width()).arg(window.height()),
                   QUrl::fromLocalFile(QString::fromStdString(svg)).toString()});
    if (!process.waitForStarted(kBrowserTimeoutMs)) return "the browser did not start";
    if (!process.waitForFinished(kBrowserTimeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return "the browser did not finish in time";
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return "the browser failed (exit code " + std::to_string(process.exitCode()) + "):\n" +
               process.readAll().right(2000).toStdString();
    }
    return "";
}

bool inked(QRgb pixel) {
    return qRed(pixel) < 224 || qGreen(pixel) < 224 || qBlue(pixel) < 224;
}

// Whether `image` has ink at (x, y) or a pixel next to it, which allows for
// the browser's own smoothing of lines and letters.
bool inkedNear(const QImage& image, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < image.width() && py < image.height() &&
                inked(image.pixel(px, py)))
                return true;
        }
    }
    return false;
}

// Of the pixels inked in `from`, the fraction that `to` inks there too.
double inkKept(const QImage& from, const QImage& to) {
    long long inkedPixels = 0, kept = 0;
    for (int y = 0; y < from.height(); ++y) {
        for (int x = 0; x < from.width(); ++x) {
            if (!inked(from.pixel(x, y))) continue;
            ++inkedPixels;
            if (inkedNear(to, x, y)) ++kept;
        }
    }
    return inkedPixels == 0 ? 0.0 : static_cast<double>(kept) / static_cast<double>(inkedPixels);
}

TEST(SvgInBrowser, IsWellFormedAndRendersAsThePngExport) {
    ensureGuiApplication();
    ScriptedUiHost ui;
    NullProgressSink progress;
    CMorvelDlg controller(ui, progress);
    ASSERT_TRUE(controller.analyseFolder(std::string(CORVANE_EXAMPLES) + "/rtl"));
    testing::TempDir dir;
    const std::string svg = dir.path() + "/counter.svg";
    const std::string reference = dir.path() + "/counter.png";
    std::string error;
    ASSERT_TRUE(exportModuleSchematic(controller.modules(), "counter", svg, error)) << error;
    ASSERT_TRUE(exportModuleSchematic(controller.modules(), "counter", reference, error)) << error;
    const QImage expected =
        QImage(QString::fromStdString(reference)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull());

    QString viewBox;
    EXPECT_EQ(checkXml(svg, viewBox), "");
    EXPECT_EQ(viewBox, QStringLiteral("0 0 %1 %2").arg(expected.width()).arg(expected.height()));

    const QString browser = browserOnPath();
    if (browser.isEmpty()) GTEST_SKIP() << "Chromium (chromium or chromium-browser) is not on PATH";
    const std::string shot = dir.path() + "/shot.png";
    ASSERT_EQ(takeScreenshot(browser, svg, shot, expected.size(), dir.path() + "/profile"), "");
    const QImage actual =
        QImage(QString::fromStdString(shot)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(actual.isNull()) << "no readable screenshot";
    ASSERT_EQ(actual.size(), expected.size());
    // Same drawing both ways: nearly all ink of each image is matched in the
    // other, so neither a blank page nor a shifted or scaled one passes.
    EXPECT_GT(inkKept(expected, actual), 0.95);
    EXPECT_GT(inkKept(actual, expected), 0.95);
}

}  // namespace
}  // namespace corvane
