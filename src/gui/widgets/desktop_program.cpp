#include "gui/widgets/desktop_program.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <ctime>

#include "console/program_lifetime.h"
#include "console/startup_arguments.h"
#include "gui/widgets/console_window.h"
#include "gui/widgets/document_setting_dialog.h"
#include "gui/widgets/hierarchy_window.h"
#include "gui/widgets/log_view.h"
#include "gui/widgets/net_view_window.h"
#include "gui/widgets/progress_window.h"
#include "gui/widgets/project_dialogs.h"
#include "gui/widgets/qt_printing.h"
#include "gui/widgets/qt_ui_host.h"
#include "gui/widgets/schematic_window.h"
#include "gui/widgets/source_viewer_window.h"
#include "gui/widgets/splash_window.h"
#include "gui/widgets/state_diagram_window.h"
#include "gui/widgets/version_dialog.h"

namespace corvane {

DesktopProgram::DesktopProgram(DesktopOptions options)
    : options_(std::move(options)),
      progress_(std::make_unique<ProgressWindow>()),
      ui_(std::make_unique<QtUiHost>()),
      controller_(std::make_unique<CMorvelDlg>(*ui_, *progress_)) {}

DesktopProgram::~DesktopProgram() {
    // The windows go before the controller whose log and list they show.
    for (DocumentKind kind : {DocumentKind::kSourceViewer, DocumentKind::kSchematic,
                              DocumentKind::kNetView, DocumentKind::kStateDiagram}) {
        ui_->documentWindows().closeAll(kind);
    }
    styleDialogs_.reset();
    menu_.reset();
    ui_->attach(nullptr, nullptr);
    hierarchy_.reset();
    console_.reset();
    splash_.reset();
}

void DesktopProgram::start(const std::vector<std::string>& arguments) {
    if (options_.showSplash) {
        splash_ = std::make_unique<SplashWindow>(fourPartVersion(options_.paths.version));
        splash_->showCentred();
    }
    console_ = std::make_unique<ConsoleWindow>(*controller_);
    hierarchy_ = std::make_unique<HierarchyWindow>(*controller_, console_.get());
    ui_->attach(console_.get(), hierarchy_.get());
    registerDocumentWindows();
    menu_ = std::make_unique<MenuCommands>(*controller_, *this, options_.paths);
    console_->setMenuHandler([this](MenuCommand command) { menu_->run(command); },
                             [this] { return menu_->state(); });
    console_->setCloseHandler([this] { return mayCloseConsole(); });
    console_->setBusyCheck([this] { return progress_->busy(); });
    connect(hierarchy_.get(), &HierarchyWindow::visibilityChanged, console_.get(),
            &ConsoleWindow::updateMenuChecks);

    controller_->refreshTitle();
    // The settings place the console before it is first shown, so a window
    // manager sees the stored position from the start.
    readProgramSettings(*controller_, options_.paths.settings);
    console_->show();
    placeHierarchyBesideConsole();
    hierarchy_->show();
    for (const QString& family : QFontDatabase::families()) {
        fontFamilies_.push_back(family.toStdString());
    }
    console_->updateMenuChecks();
    console_->commandLine()->setFocus();
    open(arguments);
}

void DesktopProgram::open(const std::vector<std::string>& arguments) {
    if (!arguments.empty()) openStartupArguments(*controller_, arguments);
    console_->updatePrompt();
}

// The document windows that exist plug into the registry of the UiHost; the
// kinds without a window only record their requests.
void DesktopProgram::registerDocumentWindows() {
    viewerServices_.reset(new ViewerServices{controller_->modules(), controller_->settings(), *ui_,
                                             controller_->projectSettings(), ui_->printing()});
    viewerServices_->repaintSchematicWindows = [this] {
        ui_->documentWindows().repaintAll(DocumentKind::kSchematic);
    };
    viewerServices_->now = [this] { return now(); };
    DocumentWindows& windows = ui_->documentWindows();
    registerSourceViewerWindows(windows, *viewerServices_);
    registerSchematicWindows(windows, *viewerServices_,
                             [this] { controller_->setProjectModified(true); });
    registerNetViewWindows(windows, *viewerServices_);
    registerStateDiagramWindows(windows, *viewerServices_);
}

// The hierarchy window opens to the right of the console when it fits on the
// screen there, else at the screen's right edge.
void DesktopProgram::placeHierarchyBesideConsole() {
    const QRect frame = console_->frameGeometry();
    int x = frame.right() + 8;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->availableGeometry();
        if (x + hierarchy_->width() > desktop.right()) {
            x = std::max(desktop.left(), desktop.right() - hierarchy_->width());
        }
    }
    hierarchy_->move(x, frame.top());
}

bool DesktopProgram::mayCloseConsole() {
    if (finished_) return true;
    // A close that arrives while an analysis paints its progress is refused:
    // the analysis is working on the module list the project closing clears.
    if (progress_->busy()) return false;
    if (!menu_->leave()) return false;
    quit();
    return true;
}

void DesktopProgram::copyLogSelection() {
    console_->log()->flush();
    console_->log()->copy();
}

bool DesktopProgram::hierarchyVisible() const {
    return hierarchy_ && hierarchy_->isVisible();
}

void DesktopProgram::setHierarchyVisible(bool visible) {
    hierarchy_->setVisible(visible);
    console_->updateMenuChecks();
}

std::optional<PageMargins> DesktopProgram::documentSettingDialog(const PageMargins& preset) {
    return runDocumentSettingDialog(ui_->dialogParent(), preset);
}

void DesktopProgram::showVersion(const std::string& version) {
    showVersionDialog(ui_->dialogParent(), version);
}

CommentStyleDialogs& DesktopProgram::commentStyleDialogs() {
    if (!styleDialogs_) {
        styleDialogs_ =
            std::make_unique<QtCommentStyleDialogs>(console_.get(), *ui_, fontFamilies_);
    }
    return *styleDialogs_;
}

PrinterOpener& DesktopProgram::printers() {
    return ui_->printing();
}

std::tm DesktopProgram::now() const {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}

void DesktopProgram::quit() {
    if (finished_) return;
    finished_ = true;
    hierarchy_->hide();
    console_->close();
    if (splash_) splash_->close();
    emit finishedRunning();
    QCoreApplication::quit();
}

}  // namespace corvane
