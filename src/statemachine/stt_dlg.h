// The state transition diagram window object: the state of one open diagram
// window and its behaviour, free of any windowing system. A desktop front
// end hosts it, forwards mouse, scroll, size, timer and menu events, and
// hands it a canvas to paint on.
//
// The window refers to its module by name only and runs the extraction on
// its own copy of the results, so it never holds a pointer into the database.
#pragma once

#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "database/module_list.h"
#include "platform/canvas.h"
#include "platform/printer_device.h"
#include "platform/ui_host.h"
#include "statemachine/diagram_layout.h"
#include "statemachine/diagram_print_page.h"
#include "statemachine/state_machine.h"

namespace corvane {

// What the host shows of the scroll bars: ranges 0..max, page sizes, positions.
struct SttScrollBars {
    int horizontalMax = 0;
    int verticalMax = 0;
    int horizontalPage = 0;
    int verticalPage = 0;
    int horizontalPosition = 0;
    int verticalPosition = 0;
    bool operator==(const SttScrollBars&) const = default;
};

// The window's client area and the thickness of its scroll bars.
struct SttClientArea {
    int width = 0;
    int height = 0;
    int verticalBarWidth = 0;
    int horizontalBarHeight = 0;
};

// Where the canvas control and the two scroll bars go, in client coordinates.
struct SttControlLayout {
    Rect canvas;
    Rect verticalBar;
    Rect horizontalBar;
    bool operator==(const SttControlLayout&) const = default;
};

enum class ScrollBarKind { kHorizontal, kVertical };
enum class ScrollCode { kLineUp, kLineDown, kPageUp, kPageDown, kThumbTrack, kOther };

// What the window asks of its host. Every hook does nothing by default.
class SttWindowHooks {
public:
    virtual ~SttWindowHooks() = default;
    virtual void setTitle(const std::string& /*title*/) {}
    // The console window's rectangle in screen coordinates.
    virtual Rect consoleWindowRect() const { return {}; }
    // Moves the window's top-left corner to `topLeft` (screen), keeping its size.
    virtual void moveWindow(Point /*topLeft*/) {}
    virtual void showOnTop() {}
    virtual void placeControls(const SttControlLayout& /*layout*/) {}
    virtual void setScrollBars(const SttScrollBars& /*bars*/) {}
    virtual void repaint(bool /*erase*/) {}
    virtual void startTimer(int /*id*/, int /*milliseconds*/) {}
    virtual void stopTimer(int /*id*/) {}
    // A copy has drawn the whole canvas, `size`, into `drawing` (a buffer of
    // the screen's surface); the host puts that picture on the clipboard.
    virtual void copyToClipboard(Canvas& /*drawing*/, DiagramSize /*size*/) {}
    // The window is gone: the host destroys what shows it.
    virtual void destroyWindow() {}
    // The main window's printer choice and margins.
    virtual PrinterSettings storedPrinter() const { return {}; }
    virtual void storePrinter(const PrinterSettings& /*settings*/) {}
    virtual PrintMargins printMargins() const { return {}; }
    // The printer chosen by `settings`, or nullptr when it cannot be used.
    virtual std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings& /*settings*/) {
        return nullptr;
    }
    // The current local time, for the printed header.
    virtual std::tm localTime() const;
};

class CSTTDlg {
public:
    static constexpr int kResizeTimer = 1;
    static constexpr int kDragTimer = 3;
    static constexpr int kCopyTimer = 4;
    // The canvas control's fixed position in the window.
    static constexpr Point kCanvasOrigin{12, 29};

    // A fresh window for the block at `lineId` of module `moduleName`: canvas
    // 1024 x 1024, nothing dragged, no copy requested, scroll positions 0.
    // The window does not own `modules`, `ui` or `hooks`.
    CSTTDlg(ModuleList& modules, UiHost& ui, SttWindowHooks& hooks, std::string moduleName,
            int lineId);

    CSTTDlg(const CSTTDlg&) = delete;
    CSTTDlg& operator=(const CSTTDlg&) = delete;

    // Whether this window shows the block at `lineId` of `moduleName`.
    bool shows(const std::string& moduleName, int lineId) const {
        return moduleName == moduleName_ && lineId == lineId_;
    }
    const Module* findModule() const { return modules_.find(moduleName_); }

    // Extraction, layout, labels, label positions from the file, title,
    // placement below the console window, and the message when no state
    // machine was found.
    void buildDiagram();

    // Painting onto `target`, with the canvas control at `control`: the
    // scroll-offset view through a buffer of the control's size, or, when a
    // copy was requested, the whole canvas at (0, 0) and onto the clipboard.
    // Draws nothing when the module is gone.
    void paint(Canvas& target, const Rect& control);
    // The whole canvas stretched into `area` of `target`, for printing.
    void drawFitted(Canvas& target, const Rect& area);
    // The whole canvas at (0, 0), one unit per pixel, on white: the picture a
    // copy puts on the clipboard, drawn straight onto `target` for exports.
    // Like every drawing it places the labels that are not placed yet.
    void drawWholeCanvas(Canvas& target);

    // Events.
    void onScroll(ScrollBarKind bar, ScrollCode code, int thumbPosition);
    // One wheel notch: away from the user (delta > 0) pages up, towards the
    // user pages down; the horizontal bar while Ctrl is held.
    void onMouseWheel(int delta, bool control);
    void onLeftButtonDown(Point windowPoint);
    void onMouseMove(Point windowPoint);
    void onLeftButtonUp();
    void onSize(const SttClientArea& area);
    void onTimer(int id);
    void onCopyCommand();
    void onPrintCommand();
    // The close box or "&Close": asks whether to save a modified diagram.
    // Returns whether the window was destroyed.
    bool onClose();

    // One printed page on `printer`, dated `now`.
    void printPage(PrinterDevice& printer, const std::tm& now);

    // The state diagram file at filePath(): reading sets the anchors of the
    // labels it names (false, changing nothing, when it cannot be read);
    // writing replaces the file with the canvas size and the placed labels
    // (false, leaving any previous file, when it cannot be written).
    bool readStateDiagramFile();
    bool writeStateDiagramFile();
    // The "Save As" dialog of the diagram file.
    FileDialogRequest saveAsDialogRequest() const;

    // The File menu. "&Open..." reads a chosen file and clears the modified
    // flag, or says "File open error." and keeps the previous path. "&Save"
    // writes at once (a failure says "File save error." and keeps the flag)
    // or, without a path, acts as "Save &As...", which writes a chosen file and
    // clears the flag, or says "File save error." and keeps the previous path.
    // Saving a diagram whose module is gone writes nothing.
    void onOpenCommand();
    void onSaveCommand();
    void onSaveAsCommand();

    // Window state.
    const std::string& moduleName() const { return moduleName_; }
    int lineId() const { return lineId_; }
    int result() const { return result_; }
    const std::string& stateRegister() const { return stateRegister_; }
    std::string title() const;
    DiagramSize canvasSize() const { return canvas_; }
    const std::vector<StateNode>& states() const { return states_; }
    TransitionLabels& labels() { return labels_; }
    const TransitionLabels& labels() const { return labels_; }
    Point scrollPosition() const { return {scrollX_, scrollY_}; }
    SttScrollBars scrollBars() const;
    const SttControlLayout& controlLayout() const { return layout_; }
    const std::string& filePath() const { return filePath_; }
    void setFilePath(const std::string& path) { filePath_ = path; }
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    bool alive() const { return alive_; }
    bool copyRequested() const { return copyRequested_; }
    const std::string& dragKey() const { return dragKey_; }
    const std::string& face() const { return face_; }

private:
    void paintCopy(Canvas& target);
    void drawView(Canvas& dc, Point offset);
    void refreshScrollBars();
    void layoutControls();
    void startTimer(int id, int milliseconds, int& running);
    void stopTimer(int& running);
    // Yes at the close question: false when the write failed (the window stays open).
    bool saveBeforeClose();
    void destroy();

    ModuleList& modules_;
    UiHost& ui_;
    SttWindowHooks& hooks_;
    std::string moduleName_;
    int lineId_;
    std::string face_;

    int result_ = 0;
    std::string stateRegister_;
    DiagramSize canvas_;
    std::string filePath_;
    std::vector<StateNode> states_;
    TransitionLabels labels_;

    int resizeTimer_ = 0;
    int dragTimer_ = 0;
    int copyTimer_ = 0;
    bool copyRequested_ = false;
    bool modified_ = false;
    bool alive_ = true;

    std::string dragKey_;
    Point dragStart_;  // the label's anchor when the drag began
    Point dragDown_;   // the canvas-control point where the button went down

    int scrollX_ = 0;
    int scrollY_ = 0;
    SttClientArea client_;
    SttControlLayout layout_;
};

// The control layout for a client area: the canvas keeps its top-left
// corner and leaves a scroll bar plus its left room on the right, a scroll
// bar and 12 pixels below; each bar stands one pixel from the canvas.
SttControlLayout sttControlLayout(const SttClientArea& area);

}  // namespace corvane
