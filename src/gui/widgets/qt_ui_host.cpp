#include "gui/widgets/qt_ui_host.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

#include "gui/widgets/console_window.h"
#include "gui/widgets/hierarchy_window.h"
#include "gui/widgets/log_view.h"
#include "gui/widgets/project_dialogs.h"
#include "gui/widgets/qt_printing.h"
#include "gui/widgets/selection_dialogs.h"

namespace corvane {

namespace {

QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::kNone:
            return QMessageBox::NoIcon;
        case MessageIcon::kInformation:
            return QMessageBox::Information;
        case MessageIcon::kExclamation:
            return QMessageBox::Warning;
        case MessageIcon::kQuestion:
            return QMessageBox::Question;
        case MessageIcon::kError:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::kOk:
            return QMessageBox::Ok;
        case MessageButtons::kOkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::kYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::kYesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageResult resultOf(int button, MessageButtons buttons) {
    switch (button) {
        case QMessageBox::Ok:
            return MessageResult::kOk;
        case QMessageBox::Yes:
            return MessageResult::kYes;
        case QMessageBox::No:
            return MessageResult::kNo;
        case QMessageBox::Cancel:
            return MessageResult::kCancel;
        default:
            // Closed without a button: the answer of declining.
            if (buttons == MessageButtons::kOk) return MessageResult::kOk;
            return buttons == MessageButtons::kYesNo ? MessageResult::kNo : MessageResult::kCancel;
    }
}

// The Qt file dialog with the core's caption, OK text, filter and folder.
void setUpFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowTitle(toQt(request.caption));
    if (!request.okText.empty()) dialog.setLabelText(QFileDialog::Accept, toQt(request.okText));
    if (!request.filter.empty()) dialog.setNameFilter(qtFileFilter(request.filter));
    if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(toQt(request.defaultExtension));
    if (!request.initialFolder.empty()) dialog.setDirectory(toQt(request.initialFolder));
    if (!request.proposedName.empty()) dialog.selectFile(toQt(request.proposedName));
}

}  // namespace

QString qtFileFilter(const std::string& filter) {
    const QStringList parts = toQt(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i].trimmed();
        if (label.isEmpty()) continue;
        // Qt reads the patterns from the label's parentheses; "*.*" means every file.
        const qsizetype open = label.lastIndexOf(QLatin1Char('('));
        if (open > 0 && label.endsWith(QLatin1Char(')'))) label.truncate(open);
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (patterns == QStringLiteral("*.*")) patterns = QStringLiteral("*");
        filters << label + QLatin1Char('(') + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

std::uint32_t colorRefOf(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

QColor qColorOf(std::uint32_t colorRef) {
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

QtUiHost::QtUiHost() = default;

QtUiHost::~QtUiHost() {
    while (waitDepth_ > 0) setWaitCursor(false);
}

void QtUiHost::attach(ConsoleWindow* console, HierarchyWindow* hierarchy) {
    console_ = console;
    hierarchy_ = hierarchy;
}

QtPrinting& QtUiHost::printing() {
    if (!printing_) printing_ = std::make_unique<QtPrinting>(console_);
    return *printing_;
}

QWidget* QtUiHost::dialogParent() const {
    if (QWidget* active = QApplication::activeWindow()) return active;
    return console_;
}

// ---- message boxes and dialogs ----

MessageResult QtUiHost::messageBox(const MessageBoxRequest& request) {
    QMessageBox box(qtIcon(request.icon), toQt(request.caption), toQt(request.text),
                    qtButtons(request.buttons), dialogParent());
    return resultOf(box.exec(), request.buttons);
}

FileDialogResult QtUiHost::openFileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(dialogParent());
    setUpFileDialog(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles
                       : request.mustExist ? QFileDialog::ExistingFile
                                           : QFileDialog::AnyFile);
    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted) return result;
    for (const QString& file : dialog.selectedFiles()) result.paths.push_back(file.toStdString());
    return result;
}

std::optional<std::string> QtUiHost::saveFileDialog(const FileDialogRequest& request) {
    QFileDialog dialog(dialogParent());
    setUpFileDialog(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtUiHost::browseFolder(const std::string& title,
                                                  const std::string& initialFolder) {
    QFileDialog dialog(dialogParent(), toQt(title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setDirectory(initialFolder.empty() ? QDir::homePath() : toQt(initialFolder));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::uint32_t> QtUiHost::chooseColor(std::uint32_t initial) {
    const QColor color = QColorDialog::getColor(qColorOf(initial), dialogParent());
    if (!color.isValid()) return std::nullopt;
    return colorRefOf(color);
}

std::optional<PrinterSettings> QtUiHost::defaultPrinter() {
    return printing().defaultPrinter();
}

std::optional<PrinterSettings> QtUiHost::printSetupDialog(const PrinterSettings& preset) {
    return printing().printSetupDialog(preset);
}

bool QtUiHost::printDialog(const PrinterSettings& settings) {
    return printing().printDialog(settings);
}

std::optional<std::string> QtUiHost::newProjectDialog() {
    return runNewProjectDialog(dialogParent());
}

std::optional<std::string> QtUiHost::selectModule(const std::vector<std::string>& names) {
    return runTargetDialog(dialogParent(), names);
}

std::optional<std::vector<std::string>> QtUiHost::selectModules(
    const std::vector<std::string>& names) {
    return runTargetMultiDialog(dialogParent(), names);
}

std::optional<std::pair<std::string, std::string>> QtUiHost::selectModuleAndNet(
    const std::map<std::string, std::vector<std::string>>& netsByModule) {
    return runTargetNetDialog(dialogParent(), netsByModule);
}

bool QtUiHost::openWithDesktop(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(toQt(path)));
}

// ---- clipboard ----

void QtUiHost::setClipboardText(const std::string& text) {
    QApplication::clipboard()->setText(toQt(text));
}

void QtUiHost::setClipboardImage(const RasterImage& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() < static_cast<std::size_t>(image.width) * image.height) {
        return;
    }
    QImage picture(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < image.width; ++x) {
            row[x] = qColorOf(image.pixels[static_cast<std::size_t>(y) * image.width + x]).rgb();
        }
    }
    QApplication::clipboard()->setImage(picture);
}

// ---- document windows ----

void QtUiHost::openDocumentWindow(const DocumentRequest& request) {
    documents_.open(request);
}

void QtUiHost::closeDocumentWindow(DocumentKind kind, const std::string& key) {
    documents_.close(kind, key);
}

void QtUiHost::closeAllDocumentWindows(DocumentKind kind) {
    documents_.closeAll(kind);
}

// ---- console and views ----

void QtUiHost::setWaitCursor(bool waiting) {
    if (waiting) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++waitDepth_;
    } else if (waitDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --waitDepth_;
    }
}

void QtUiHost::setConsoleTitle(const std::string& title) {
    if (console_ != nullptr) console_->setWindowTitle(toQt(title));
}

void QtUiHost::placeConsole(const ConsolePlacement& placement) {
    placement_ = placement;
    if (console_ == nullptr) return;
    console_->move(placement.x, placement.y);
    console_->resize(placement.width, placement.height);
    console_->show();
    console_->commandLine()->setFocus();
}

ConsolePlacement QtUiHost::consolePlacement() const {
    if (console_ == nullptr) return placement_;
    return {console_->x(), console_->y(), console_->width(), console_->height()};
}

void QtUiHost::refreshHierarchyTree() {
    if (hierarchy_ != nullptr) hierarchy_->scheduleRebuild();
}

void QtUiHost::regenerateSchematicWindows() {
    documents_.refreshAll(DocumentKind::kSchematic);
}

void QtUiHost::rebuildNetWindows() {
    documents_.refreshAll(DocumentKind::kNetView);
}

void QtUiHost::setCommandText(const std::string& text) {
    if (console_ != nullptr) console_->setCommandText(text);
}

void QtUiHost::scrollLogToEnd() {
    if (console_ == nullptr) return;
    console_->log()->flush();
    console_->log()->scrollToEnd();
}

}  // namespace corvane
