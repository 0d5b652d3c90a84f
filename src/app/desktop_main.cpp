// corvane: the desktop program.
//
//   corvane [FILE.cvproj | FOLDER | FILE.v ...]
//
// opens the project, or analyses the folders and files into a new project
// without a name. `--quit-when-ready` starts the program, writes on standard
// error the time to a usable console and the time the arguments took to
// open, and quits without the leaving sequence: the timed start-up of the
// README.
#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gui/widgets/desktop_program.h"
#include "project/settings_file.h"

#ifndef CORVANE_VERSION
#define CORVANE_VERSION "0.0.0"
#endif
#ifndef CORVANE_SOURCE_MANUAL
#define CORVANE_SOURCE_MANUAL ""
#endif

namespace {

constexpr const char* kUsage =
    "usage: corvane [--quit-when-ready] [FILE.cvproj | FOLDER | FILE.v ...]\n"
    "Opens the project file, or analyses the folders and source files into a\n"
    "new project.\n";

struct Arguments {
    std::vector<std::string> paths;
    bool quitWhenReady = false;
    bool help = false;
    bool version = false;
};

// What is left of the command line once Qt has taken its own options.
Arguments parseArguments(const QStringList& words) {
    Arguments arguments;
    bool pathsOnly = false;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const std::string word = words[i].toStdString();
        if (!pathsOnly && word == "--") {
            pathsOnly = true;
        } else if (!pathsOnly && word == "--quit-when-ready") {
            arguments.quitWhenReady = true;
        } else if (!pathsOnly && (word == "--help" || word == "-h")) {
            arguments.help = true;
        } else if (!pathsOnly && word == "--version") {
            arguments.version = true;
        } else {
            arguments.paths.push_back(word);
        }
    }
    return arguments;
}

// The manual installed beside the program, then the one of the source tree.
std::vector<std::string> helpFiles() {
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    return {programFolder + "/../share/doc/corvane/manual/index.html", CORVANE_SOURCE_MANUAL};
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane"));
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("corvane"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("corvane")));

    const Arguments arguments = parseArguments(QCoreApplication::arguments());
    if (arguments.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (arguments.version) {
        std::printf("corvane %s\n", CORVANE_VERSION);
        return 0;
    }

    corvane::DesktopOptions options;
    options.paths.settings = corvane::standardSettingsLocations();
    options.paths.helpFiles = helpFiles();
    options.paths.version = CORVANE_VERSION;
    options.showSplash = !arguments.quitWhenReady;
    corvane::DesktopProgram program(options);
    program.start();
    const qint64 consoleShown = sinceStart.elapsed();
    program.open(arguments.paths);
    const qint64 opening = sinceStart.elapsed() - consoleShown;

    if (arguments.quitWhenReady) {
        // Queued behind the console's first layout, paint, log and tree updates.
        QTimer::singleShot(0, &app, [&sinceStart, opening] {
            QCoreApplication::processEvents();
            std::fprintf(
                stderr, "corvane: console ready after %lld ms, the arguments opened in %lld ms\n",
                static_cast<long long>(sinceStart.elapsed()), static_cast<long long>(opening));
            QCoreApplication::exit(0);
        });
    }
    return app.exec();
}
