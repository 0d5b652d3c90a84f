#include "statemachine/stt_dlg.h"

#include "platform/text_metrics.h"
#include "statemachine/diagram_drawing.h"
#include "statemachine/fitted_canvas.h"
#include "statemachine/state_extraction.h"

namespace corvane {

namespace {

constexpr const char* kCaption = "Corvane";
constexpr const char* kNoMachine = "No state machine was detected.";
constexpr const char* kBitmapError = "OnDrawSTT : background bitmap image error.";
constexpr const char* kNoPrinter = "Setting of an effective printer can't be acquired.";
constexpr const char* kSaveQuestion = "Do you save State Machine Diagram config file?";
constexpr Color kWhite = rgb(255, 255, 255);

void notify(UiHost& ui, const char* caption, const char* text) {
    ui.messageBox({caption, text, MessageIcon::kExclamation, MessageButtons::kOk});
}

// A drawing surface as the diagram expects it: white, transparent text on
// the grey background colour.
void prepareSurface(Canvas& dc, const Rect& area) {
    dc.fillRectangle(area, kWhite);
    dc.setTextBackground(false, kDiagramBackground);
}

}  // namespace

std::tm SttWindowHooks::localTime() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

CSTTDlg::CSTTDlg(ModuleList& modules, UiHost& ui, SttWindowHooks& hooks, std::string moduleName,
                 int lineId)
    : modules_(modules),
      ui_(ui),
      hooks_(hooks),
      moduleName_(std::move(moduleName)),
      lineId_(lineId),
      face_(fontRuleFace()) {
    refreshScrollBars();
}

std::string CSTTDlg::title() const {
    return "State Transition Diagram - " + moduleName_ + " : " + std::to_string(lineId_) + " : " +
           stateRegister_;
}

void CSTTDlg::buildDiagram() {
    StateMachine machine;
    const Module* module = findModule();
    result_ = module != nullptr ? extractStateMachine(*module, lineId_, machine) : kNoSuchBlock;
    stateRegister_ = machine.stateRegister;
    states_.clear();
    if (result_ == kStateMachineFound) states_ = std::move(machine.states);
    if (!states_.empty()) {
        canvas_ = layoutStatesOnCircle(states_, canvas_);
        scrollX_ = scrollY_ = 0;
        refreshScrollBars();
    }
    buildTransitionLabels(states_, labels_);
    readStateDiagramFile();  // with an empty path this fails and changes nothing
    hooks_.setTitle(title());
    const Rect console = hooks_.consoleWindowRect();
    hooks_.moveWindow({console.left, (console.top + console.bottom) / 2});
    hooks_.showOnTop();
    if (result_ != kStateMachineFound) notify(ui_, kCaption, kNoMachine);
}

void CSTTDlg::drawView(Canvas& dc, Point offset) {
    DiagramScene scene{states_, labels_, canvas_, face_};
    drawStateDiagram(dc, scene, offset);
}

void CSTTDlg::paint(Canvas& target, const Rect& control) {
    if (findModule() == nullptr) return;
    if (copyRequested_) return paintCopy(target);
    const Rect local{0, 0, control.width(), control.height()};
    if (std::unique_ptr<Canvas> buffer = target.createBuffer(local.right, local.bottom)) {
        prepareSurface(*buffer, local);
        drawView(*buffer, {scrollX_, scrollY_});
        target.drawBuffer(*buffer, {control.left, control.top});
        return;
    }
    // Without a buffer the same picture goes straight into the control.
    notify(ui_, "", kBitmapError);
    target.setClipRect(control);
    prepareSurface(target, control);
    drawView(target, {scrollX_ - control.left, scrollY_ - control.top});
    target.clearClip();
}

void CSTTDlg::paintCopy(Canvas& target) {
    const Rect whole{0, 0, canvas_.width, canvas_.height};
    if (std::unique_ptr<Canvas> buffer = target.createBuffer(whole.right, whole.bottom)) {
        prepareSurface(*buffer, whole);
        drawView(*buffer, {0, 0});
        target.drawBuffer(*buffer, {0, 0});
        hooks_.copyToClipboard(*buffer, canvas_);
    } else {
        notify(ui_, "", kBitmapError);
        prepareSurface(target, whole);
        drawView(target, {0, 0});
    }
    copyRequested_ = false;
    startTimer(kCopyTimer, 500, copyTimer_);
}

void CSTTDlg::drawFitted(Canvas& target, const Rect& area) {
    target.fillRectangle(area, kWhite);
    FittedCanvas fitted(target, area, canvas_.width);
    fitted.setTextBackground(false, kDiagramBackground);
    drawView(fitted, {0, 0});
}

void CSTTDlg::drawWholeCanvas(Canvas& target) {
    prepareSurface(target, {0, 0, canvas_.width, canvas_.height});
    drawView(target, {0, 0});
}

void CSTTDlg::onCopyCommand() {
    copyRequested_ = true;
    hooks_.repaint(false);
}

void CSTTDlg::onPrintCommand() {
    PrinterSettings settings = hooks_.storedPrinter();
    if (!settings.valid) {
        const std::optional<PrinterSettings> fallback = ui_.defaultPrinter();
        if (!fallback) return notify(ui_, kCaption, kNoPrinter);
        settings = *fallback;
    }
    if (!ui_.printDialog(settings)) return;
    hooks_.storePrinter(settings);
    std::unique_ptr<PrinterDevice> printer = hooks_.openPrinter(settings);
    if (!printer) return notify(ui_, kCaption, kNoPrinter);
    printPage(*printer, hooks_.localTime());
    hooks_.repaint(true);
}

void CSTTDlg::printPage(PrinterDevice& printer, const std::tm& now) {
    const DiagramPageLayout page = diagramPageLayout(printer.pageMetrics(), hooks_.printMargins());
    // The window's own module name names the job, so a diagram whose module
    // has been removed since still prints.
    if (!printer.startDocument(moduleName_)) return;
    if (printer.startPage()) {
        Canvas& dc = printer.canvas();
        drawDiagramPageFrame(dc, page, title(), printDateText(now), face_);
        dc.setClipRect(page.diagramArea);
        drawFitted(dc, page.diagramArea);
        dc.clearClip();
        printer.endPage();
    }
    printer.endDocument();
}

bool CSTTDlg::onClose() {
    if (findModule() != nullptr && modified_) {
        const MessageResult answer =
            ui_.messageBox({kCaption, std::string(kSaveQuestion) + "\r\n\r\n" + filePath_,
                            MessageIcon::kQuestion, MessageButtons::kYesNoCancel});
        if (answer == MessageResult::kCancel) return false;
        if (answer == MessageResult::kYes && !saveBeforeClose()) return false;
    }
    destroy();
    return true;
}

bool CSTTDlg::saveBeforeClose() {
    const std::string previous = filePath_;
    if (filePath_.empty()) {
        const std::optional<std::string> chosen = ui_.saveFileDialog(saveAsDialogRequest());
        if (!chosen) return true;  // the window closes without saving
        filePath_ = *chosen;
    }
    if (!writeStateDiagramFile()) {
        // The window stays open with its changes rather than losing them.
        notify(ui_, kCaption, "File save error.");
        filePath_ = previous;
        return false;
    }
    modified_ = false;
    return true;
}

void CSTTDlg::destroy() {
    stopTimer(resizeTimer_);
    stopTimer(dragTimer_);
    stopTimer(copyTimer_);
    alive_ = false;
    hooks_.destroyWindow();
}

}  // namespace corvane
