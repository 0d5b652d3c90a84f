// The net view window object: one net of one module followed down the
// hierarchy and drawn as two columns of port boxes joined by an arrow.
// A desktop front end hosts it: it forwards clicks, scrolling, size changes,
// timer ticks and menu commands, and hands it a canvas to paint on.
//
// The view refers to its module by name only and looks it up whenever it
// draws, traces or opens source, so a removed module leaves an empty view.
#pragma once

#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "database/module_list.h"
#include "platform/canvas.h"
#include "platform/printer_device.h"
#include "platform/ui_host.h"
#include "project/project_file.h"
#include "viewers/net_trace.h"

namespace corvane {

// What the view asks of its host. Every hook does nothing by default.
class NetViewHooks {
public:
    virtual ~NetViewHooks() = default;
    virtual void repaint() {}
    // The line colour changed: the schematic windows draw traced nets in it.
    virtual void repaintSchematicWindows() {}
    virtual void setScrollRanges(int /*horizontalMax*/, int /*verticalMax*/) {}
    virtual void setScrollPositions(int /*horizontal*/, int /*vertical*/) {}
    virtual void startTimer(int /*id*/, int /*milliseconds*/) {}
    virtual void stopTimer(int /*id*/) {}
    // Where the frame and the two scroll bars go, in client coordinates.
    virtual void placeControls(const Rect& /*frame*/, const Rect& /*verticalBar*/,
                               const Rect& /*horizontalBar*/) {}
    // `drawing` holds the whole canvas, `width` x `height`; the host puts it
    // on the clipboard as a bitmap.
    virtual void copyToClipboard(Canvas& /*drawing*/, int /*width*/, int /*height*/) {}
    // The main window's printer choice and margins.
    virtual PrinterSettings storedPrinter() const { return {}; }
    virtual void storePrinter(const PrinterSettings& /*settings*/) {}
    virtual PageMargins printMargins() const { return {}; }
    virtual std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings& /*settings*/) {
        return nullptr;
    }
    virtual std::tm localTime() const;
};

enum class NetScrollCode { kLineUp, kLineDown, kPageUp, kPageDown, kThumb, kOther };

// A window's client area and the thickness of its scroll bars.
struct NetViewClientArea {
    int width = 0;
    int height = 0;
    int verticalBarWidth = 0;
    int horizontalBarHeight = 0;
};

// How many pages a printout takes and how far apart they stand on the canvas.
struct NetPrintPages {
    int across = 1;
    int down = 1;
    double stepX = 0;  // canvas units from one page column to the next
    double stepY = 0;
    int count() const { return across * down; }
};

class CGuiNetDlg {
public:
    static constexpr int kResizeTimer = 1;
    static constexpr Color kDefaultLineColor = 0xFF8000;
    static constexpr Color kSelectedBoxColor = 0x0000FF;
    // The drawing frame's fixed top-left corner in the window.
    static constexpr Point kFrameOrigin{8, 8};

    // The view does not own `modules`, `ui` or `hooks`.
    CGuiNetDlg(const ModuleList& modules, UiHost& ui, NetViewHooks& hooks, std::string moduleName,
               std::string netName);

    CGuiNetDlg(const CGuiNetDlg&) = delete;
    CGuiNetDlg& operator=(const CGuiNetDlg&) = delete;

    bool shows(const std::string& moduleName, const std::string& netName) const {
        return moduleName == moduleName_ && netName == netName_;
    }
    const std::string& moduleName() const { return moduleName_; }
    const std::string& netName() const { return netName_; }
    // "Net - " + module + "::" + net.
    std::string title() const;

    // Trace, layout, canvas size and scroll ranges.
    void buildNetView();
    const NetTrace& trace() const { return trace_; }
    const NetLayout& layout() const { return layout_; }
    int canvasWidth() const { return canvasWidth_; }
    int canvasHeight() const { return canvasHeight_; }

    // Draws the view at `scale` with the canvas scrolled to `scroll`, canvas
    // point (x, y) landing on (trunc((x - scroll.x) * scale) + offset.x, ...).
    void draw(Canvas& dc, double scale, double scrollX, double scrollY, Point offset) const;
    // Screen painting through a white buffer of the frame's size, then the
    // clipboard copy when one was asked for. Nothing when the module is gone.
    void paint(Canvas& target);

    // Mouse: a press arms the next release, which selects the box under it
    // (the first left box, then the first right box, edges included).
    // Returns true when the release was a right click on a box: the host
    // shows the pop-up menu with "Op&en Source".
    void onButtonDown();
    bool onButtonUp(Point windowPoint, bool rightButton);
    const NetPortEntry& selection() const { return selection_; }

    // Menu commands.
    void onOpenSource();
    void onLineColorCommand();
    void onCopyCommand();
    void onPrintCommand();
    void onClose();

    void onScroll(bool horizontal, NetScrollCode code, int thumbPosition);
    Point scrollPosition() const { return {scrollX_, scrollY_}; }
    void onSize(const NetViewClientArea& area);
    void onTimer(int id);
    const Rect& frame() const { return frame_; }

    // Printing onto `printer`, dated `now`, with `margins` in millimetres.
    static NetPrintPages printPages(int canvasWidth, int canvasHeight, int printableWidth,
                                    int printableHeight);
    void printTo(PrinterDevice& printer, const PageMargins& margins, const std::tm& now) const;

    // Whether this view traces pin `pinName` of module `moduleName`, and in
    // which colour: its own net, or a port its trace reached (loads first).
    std::optional<Color> isTracedBy(const std::string& moduleName, const std::string& pinName) const;

    Color lineColor() const { return lineColor_; }
    void setLineColor(Color color) { lineColor_ = color; }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    bool alive() const { return alive_; }
    bool copyRequested() const { return copyRequested_; }
    const std::string& face() const { return face_; }

private:
    void drawBox(Canvas& dc, const NetBox& box, double scale, double sx, double sy,
                 Point offset) const;
    void clampScroll();

    const ModuleList& modules_;
    UiHost& ui_;
    NetViewHooks& hooks_;
    std::string moduleName_;
    std::string netName_;
    std::string face_;

    Color lineColor_ = kDefaultLineColor;
    NetTrace trace_;
    NetLayout layout_;
    int canvasWidth_ = 1040;
    int canvasHeight_ = 1040;
    NetPortEntry selection_;
    bool copyRequested_ = false;
    bool buttonDown_ = false;
    bool alive_ = true;
    bool visible_ = true;
    int resizeTimer_ = 0;
    NetViewClientArea client_;
    int scrollX_ = 0;
    int scrollY_ = 0;
    Rect frame_{kFrameOrigin.x, kFrameOrigin.y, kFrameOrigin.x + 640, kFrameOrigin.y + 400};
};

}  // namespace corvane
