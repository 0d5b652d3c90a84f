// The net view window: one net of one module followed down the hierarchy,
// drawn by CGuiNetDlg in a frame with two scroll bars. Boxes are selected
// with the mouse; a right click offers "Op&en Source". The window also
// answers the schematic windows' question which colour a traced pin takes.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>

#include "gui/widgets/source_viewer_services.h"
#include "viewers/gui_net_dlg.h"

class QScrollBar;

namespace corvane {

class DocumentWindows;

class NetViewWindow final : public QMainWindow, private NetViewHooks {
    Q_OBJECT
public:
    NetViewWindow(ViewerServices& services, const std::string& moduleName,
                  const std::string& netName);
    ~NetViewWindow() override;

    CGuiNetDlg& view() { return view_; }
    // The area the view draws in (its frame, scroll bars and margins).
    QWidget* drawingArea() const { return area_; }
    QScrollBar* horizontalBar() const { return horizontal_; }
    QScrollBar* verticalBar() const { return vertical_; }

    // Traces and lays the net out again, and repaints.
    void rebuild();
    // "&Copy on Clipboard(BMP Format)": the whole canvas as an image.
    void copyPicture();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // NetViewHooks
    void repaint() override;
    void repaintSchematicWindows() override;
    void setScrollRanges(int horizontalMax, int verticalMax) override;
    void setScrollPositions(int horizontal, int vertical) override;
    void startTimer(int id, int milliseconds) override;
    void stopTimer(int id) override;
    void placeControls(const Rect& frame, const Rect& verticalBar, const Rect& horizontalBar) override;
    void copyToClipboard(Canvas& drawing, int width, int height) override;
    PrinterSettings storedPrinter() const override;
    void storePrinter(const PrinterSettings& settings) override;
    PageMargins printMargins() const override;
    std::unique_ptr<PrinterDevice> openPrinter(const PrinterSettings& settings) override;
    std::tm localTime() const override;

    void buildMenus();
    void showBoxMenu(const QPoint& globalPosition);

    ViewerServices& services_;
    CGuiNetDlg view_;
    QWidget* area_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
    QTimer resize_;
    bool laidOut_ = false;
};

// The colour of the first visible net view, in opening order, that traces
// pin `pinName` of module `moduleName`; nothing when none does.
std::optional<Color> netViewColourOf(const std::string& moduleName, const std::string& pinName);

// Registers the net view as the window of DocumentKind::kNetView.
void registerNetViewWindows(DocumentWindows& windows, ViewerServices& services);

}  // namespace corvane
