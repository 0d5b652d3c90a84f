#include "gui/widgets/state_diagram_window.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QWheelEvent>

#include "gui/qt_canvas.h"
#include "gui/widgets/document_windows.h"
#include "gui/widgets/net_view_raster.h"

namespace corvane {

namespace {

QRect qtRectOf(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

class StateDiagramDocument final : public DocumentWindow {
public:
    explicit StateDiagramDocument(std::unique_ptr<StateDiagramWindow> window)
        : window_(std::move(window)) {}
    QWidget* widget() override { return window_.get(); }
    void update(const DocumentRequest& /*request*/) override { window_->show(); }

private:
    std::unique_ptr<StateDiagramWindow> window_;
};

}  // namespace

StateDiagramWindow::StateDiagramWindow(ViewerServices& services, const std::string& moduleName,
                                       int lineId)
    : services_(services),
      area_(new QWidget(this)),
      horizontal_(new QScrollBar(Qt::Horizontal, area_)),
      vertical_(new QScrollBar(Qt::Vertical, area_)),
      diagram_(services.modules, services.ui, *this, moduleName, lineId) {
    setCentralWidget(area_);
    area_->installEventFilter(this);
    area_->setAttribute(Qt::WA_OpaquePaintEvent);
    area_->setMouseTracking(false);
    for (QScrollBar* bar : {horizontal_, vertical_}) {
        bar->setSingleStep(1);
        bar->setPageStep(64);
    }
    connect(horizontal_, &QScrollBar::valueChanged, this, [this](int value) {
        diagram_.onScroll(ScrollBarKind::kHorizontal, ScrollCode::kThumbTrack, value);
    });
    connect(vertical_, &QScrollBar::valueChanged, this, [this](int value) {
        diagram_.onScroll(ScrollBarKind::kVertical, ScrollCode::kThumbTrack, value);
    });
    buildMenus();
    resize(720, 560);
}

StateDiagramWindow::~StateDiagramWindow() = default;

void StateDiagramWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open..."), this, [this] { diagram_.onOpenCommand(); });
    file->addAction(tr("&Save"), this, [this] { diagram_.onSaveCommand(); });
    file->addAction(tr("Save &As..."), this, [this] { diagram_.onSaveAsCommand(); });
    file->addAction(tr("&Print..."), this, [this] { diagram_.onPrintCommand(); });
    file->addAction(tr("&Close"), this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* copy = edit->addAction(tr("&Copy on Clipboard(BMP Format)"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, [this] { diagram_.onCopyCommand(); });
}

void StateDiagramWindow::forwardSize() {
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    diagram_.onSize({area_->width(), area_->height(), bar, bar});
}

bool StateDiagramWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != area_) {
        return QMainWindow::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::Paint: {
            QPainter painter(area_);
            painter.fillRect(area_->rect(), palette().window());
            QtCanvas canvas(painter);
            diagram_.paint(canvas, diagram_.controlLayout().canvas);
            return true;
        }
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                const QPoint at = mouse->position().toPoint();
                diagram_.onLeftButtonDown({at.x(), at.y()});
            }
            return true;
        }
        case QEvent::MouseMove: {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            diagram_.onMouseMove({at.x(), at.y()});
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                diagram_.onLeftButtonUp();
            }
            return true;
        case QEvent::Wheel: {
            const auto* wheel = static_cast<QWheelEvent*>(event);
            diagram_.onMouseWheel(wheel->angleDelta().y(),
                                  wheel->modifiers().testFlag(Qt::ControlModifier));
            return true;
        }
        case QEvent::Resize:
            forwardSize();
            return false;
        default:
            return QMainWindow::eventFilter(watched, event);
    }
}

void StateDiagramWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!laidOut_) {
        // The first layout comes at once; later size changes wait for the timer.
        laidOut_ = true;
        forwardSize();
        diagram_.onTimer(CSTTDlg::kResizeTimer);
    }
}

void StateDiagramWindow::closeEvent(QCloseEvent* event) {
    if (destroyed_ || diagram_.onClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void StateDiagramWindow::setTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

Rect StateDiagramWindow::consoleWindowRect() const {
    const ConsolePlacement console = services_.ui.consolePlacement();
    return {console.x, console.y, console.x + console.width, console.y + console.height};
}

void StateDiagramWindow::moveWindow(Point topLeft) {
    move(topLeft.x, topLeft.y);
}

void StateDiagramWindow::showOnTop() {
    show();
    raise();
}

void StateDiagramWindow::placeControls(const SttControlLayout& layout) {
    vertical_->setGeometry(qtRectOf(layout.verticalBar));
    horizontal_->setGeometry(qtRectOf(layout.horizontalBar));
}

void StateDiagramWindow::setScrollBars(const SttScrollBars& bars) {
    const QSignalBlocker blockHorizontal(horizontal_);
    const QSignalBlocker blockVertical(vertical_);
    horizontal_->setRange(0, bars.horizontalMax);
    vertical_->setRange(0, bars.verticalMax);
    horizontal_->setValue(bars.horizontalPosition);
    vertical_->setValue(bars.verticalPosition);
}

void StateDiagramWindow::repaint(bool /*erase*/) {
    area_->update();
}

QTimer& StateDiagramWindow::timer(int id) {
    std::unique_ptr<QTimer>& slot = timers_[id];
    if (!slot) {
        slot = std::make_unique<QTimer>();
        connect(slot.get(), &QTimer::timeout, this, [this, id] { diagram_.onTimer(id); });
    }
    return *slot;
}

void StateDiagramWindow::startTimer(int id, int milliseconds) {
    timer(id).start(milliseconds);
}

void StateDiagramWindow::stopTimer(int id) {
    timer(id).stop();
}

void StateDiagramWindow::copyToClipboard(Canvas& drawing, DiagramSize /*size*/) {
    auto* picture = dynamic_cast<QtCanvas*>(&drawing);
    const QImage* image = picture ? picture->finishImage() : nullptr;
    if (image != nullptr) {
        services_.ui.setClipboardImage(rasterOf(*image));
    }
}

// The diagram object has settled its close question: the window goes (the
// document registry deletes hidden windows).
void StateDiagramWindow::destroyWindow() {
    destroyed_ = true;
    for (auto& [id, running] : timers_) {
        running->stop();
    }
    hide();
}

PrinterSettings StateDiagramWindow::storedPrinter() const {
    return services_.project.printer;
}

void StateDiagramWindow::storePrinter(const PrinterSettings& settings) {
    services_.project.printer = settings;
    services_.project.printer.valid = true;
}

PrintMargins StateDiagramWindow::printMargins() const {
    const PageMargins& margins = services_.project.margins;
    return {margins.top, margins.bottom, margins.left, margins.right};
}

std::unique_ptr<PrinterDevice> StateDiagramWindow::openPrinter(const PrinterSettings& settings) {
    return services_.printers.openPrinter(settings);
}

std::tm StateDiagramWindow::localTime() const {
    return services_.now();
}

void registerStateDiagramWindows(DocumentWindows& windows, ViewerServices& services) {
    windows.registerFactory(
        DocumentKind::kStateDiagram,
        [&services](const DocumentRequest& request) -> std::unique_ptr<DocumentWindow> {
            auto window =
                std::make_unique<StateDiagramWindow>(services, request.module, request.alwaysLine);
            window->buildDiagram();
            return std::make_unique<StateDiagramDocument>(std::move(window));
        });
}

}  // namespace corvane
