// The state transition diagram window: hosts the diagram window object
// CSTTDlg, forwarding its paint, mouse, wheel, scroll bar, size and timer
// events and its File and Edit menus, and answering its hooks with Qt.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <map>
#include <memory>
#include <string>

#include "gui/widgets/source_viewer_services.h"
#include "statemachine/stt_dlg.h"

class QScrollBar;

namespace corvane {

class DocumentWindows;

class StateDiagramWindow final : public QMainWindow, private SttWindowHooks {
    Q_OBJECT
public:
    // A window for the block at `lineId` of `moduleName`; buildDiagram()
    // extracts the machine, places the window and shows it.
    StateDiagramWindow(ViewerServices& services, const std::string& moduleName, int lineId);
    ~StateDiagramWindow() override;

    CSTTDlg& diagram() { return diagram_; }
    void buildDiagram() { diagram_.buildDiagram(); }
    // The area the diagram's controls stand in; mouse points are taken in it.
    QWidget* drawingArea() const { return area_; }
    QScrollBar* horizontalBar() const { return horizontal_; }
    QScrollBar* verticalBar() const { return vertical_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // SttWindowHooks
    void setTitle(const std::string& title) override;
    Rect consoleWindowRect() const override;
    void moveWindow(Point topLeft) override;
    void showOnTop() override;
    void placeControls(const SttControlLayout& layout) override;
    void setScrollBars(const SttScrollBars& bars) override;
    void repaint(bool erase) override;
    void startTimer(int id, int milliseconds) override;
    void stopTimer(int id) override;
    void copyToClipboard(Canvas& drawing, DiagramSize size) override;
    void destroyWindow() override;
    PrinterSettings storedPrinter() const override;
    void storePrinter(const PrinterSettings& settings) override;
    PrintMargins printMargins() const override;
    std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings& settings) override;
    std::tm localTime() const override;

    void buildMenus();
    void forwardSize();
    QTimer& timer(int id);

    ViewerServices& services_;
    // The controls come first: the diagram object sets the scroll bars
    // while it is constructed.
    QWidget* area_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
    CSTTDlg diagram_;
    std::map<int, std::unique_ptr<QTimer>> timers_;
    bool laidOut_ = false;
    bool destroyed_ = false;
};

// Registers the diagram window as the window of DocumentKind::kStateDiagram.
void registerStateDiagramWindows(DocumentWindows& windows, ViewerServices& services);

}  // namespace corvane
