#include "gui/widgets/net_view_window.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <vector>

#include "gui/qt_canvas.h"
#include "gui/widgets/document_windows.h"
#include "gui/widgets/net_view_raster.h"

namespace corvane {

namespace {

// The open net views in the order they were opened.
std::vector<NetViewWindow*>& openNetViews() {
    static std::vector<NetViewWindow*> views;
    return views;
}

QRect qtRectOf(const Rect& rect) {
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

class NetViewDocument final : public DocumentWindow {
public:
    explicit NetViewDocument(std::unique_ptr<NetViewWindow> window) : window_(std::move(window)) {}
    QWidget* widget() override { return window_.get(); }
    void update(const DocumentRequest& /*request*/) override { window_->show(); }
    void refresh() override { window_->rebuild(); }

private:
    std::unique_ptr<NetViewWindow> window_;
};

// After a view opens or is raised the schematic windows repaint (their
// traced nets may change colour) and every net view is traced again.
void refreshAfterOpening(ViewerServices& services) {
    services.repaintSchematicWindows();
    for (NetViewWindow* view : openNetViews()) {
        view->rebuild();
    }
}

}  // namespace

// The drawing area forwards its paint, mouse and size events to the window.
NetViewWindow::NetViewWindow(ViewerServices& services, const std::string& moduleName,
                             const std::string& netName)
    : services_(services),
      view_(services.modules, services.ui, *this, moduleName, netName),
      area_(new QWidget(this)),
      horizontal_(new QScrollBar(Qt::Horizontal, area_)),
      vertical_(new QScrollBar(Qt::Vertical, area_)) {
    setWindowTitle(QString::fromStdString(view_.title()));
    setCentralWidget(area_);
    area_->installEventFilter(this);
    area_->setAttribute(Qt::WA_OpaquePaintEvent);
    for (QScrollBar* bar : {horizontal_, vertical_}) {
        bar->setSingleStep(1);
        bar->setPageStep(64);
    }
    connect(horizontal_, &QScrollBar::valueChanged, this,
            [this](int value) { view_.onScroll(true, NetScrollCode::kThumb, value); });
    connect(vertical_, &QScrollBar::valueChanged, this,
            [this](int value) { view_.onScroll(false, NetScrollCode::kThumb, value); });
    resize_.setSingleShot(true);
    connect(&resize_, &QTimer::timeout, this, [this] { view_.onTimer(CGuiNetDlg::kResizeTimer); });
    buildMenus();
    resize(640, 420);
    view_.buildNetView();
    openNetViews().push_back(this);
}

NetViewWindow::~NetViewWindow() {
    auto& views = openNetViews();
    views.erase(std::remove(views.begin(), views.end(), this), views.end());
}

void NetViewWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Close"), this, &QWidget::close);
    file->addAction(tr("&Print..."), this, [this] { view_.onPrintCommand(); });
    QMenu* setting = menuBar()->addMenu(tr("&Setting"));
    setting->addAction(tr("Line &Color..."), this, [this] { view_.onLineColorCommand(); });
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* copy = edit->addAction(tr("&Copy on Clipboard(BMP Format)"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, &NetViewWindow::copyPicture);
}

void NetViewWindow::rebuild() {
    view_.buildNetView();
    area_->update();
}

void NetViewWindow::copyPicture() {
    view_.onCopyCommand();
    area_->repaint();
}

bool NetViewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != area_) {
        return QMainWindow::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::Paint: {
            QPainter painter(area_);
            painter.fillRect(area_->rect(), palette().window());
            QtCanvas canvas(painter);
            view_.paint(canvas);
            return true;
        }
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton) {
                view_.onButtonDown();
            }
            return true;
        }
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QPoint at = mouse->position().toPoint();
            const bool right = mouse->button() == Qt::RightButton;
            if (view_.onButtonUp({at.x(), at.y()}, right)) {
                showBoxMenu(mouse->globalPosition().toPoint());
            }
            return true;
        }
        case QEvent::Resize: {
            const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
            view_.onSize({area_->width(), area_->height(), bar, bar});
            return false;
        }
        default:
            return QMainWindow::eventFilter(watched, event);
    }
}

void NetViewWindow::showBoxMenu(const QPoint& globalPosition) {
    QMenu menu(this);
    QAction* open = menu.addAction(tr("Op&en Source"));
    if (menu.exec(globalPosition) == open) {
        view_.onOpenSource();
    }
}

void NetViewWindow::closeEvent(QCloseEvent* event) {
    view_.onClose();
    event->accept();
    // The traced pins lose their colour in the schematic windows.
    services_.repaintSchematicWindows();
}

void NetViewWindow::showEvent(QShowEvent* event) {
    view_.setVisible(true);
    QMainWindow::showEvent(event);
    if (!laidOut_) {
        // The first layout comes at once; later size changes wait for the timer.
        laidOut_ = true;
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        view_.onSize({area_->width(), area_->height(), bar, bar});
        view_.onTimer(CGuiNetDlg::kResizeTimer);
    }
}

void NetViewWindow::hideEvent(QHideEvent* event) {
    view_.setVisible(false);
    QMainWindow::hideEvent(event);
}

void NetViewWindow::repaint() {
    area_->update();
}

void NetViewWindow::repaintSchematicWindows() {
    services_.repaintSchematicWindows();
}

void NetViewWindow::setScrollRanges(int horizontalMax, int verticalMax) {
    const QSignalBlocker blockHorizontal(horizontal_);
    const QSignalBlocker blockVertical(vertical_);
    horizontal_->setRange(0, horizontalMax);
    vertical_->setRange(0, verticalMax);
}

void NetViewWindow::setScrollPositions(int horizontal, int vertical) {
    const QSignalBlocker blockHorizontal(horizontal_);
    const QSignalBlocker blockVertical(vertical_);
    horizontal_->setValue(horizontal);
    vertical_->setValue(vertical);
}

void NetViewWindow::startTimer(int /*id*/, int milliseconds) {
    resize_.start(milliseconds);
}

void NetViewWindow::stopTimer(int /*id*/) {
    resize_.stop();
}

void NetViewWindow::placeControls(const Rect& /*frame*/, const Rect& verticalBar,
                                  const Rect& horizontalBar) {
    vertical_->setGeometry(qtRectOf(verticalBar));
    horizontal_->setGeometry(qtRectOf(horizontalBar));
}

void NetViewWindow::copyToClipboard(Canvas& drawing, int /*width*/, int /*height*/) {
    auto* picture = dynamic_cast<QtCanvas*>(&drawing);
    const QImage* image = picture ? picture->finishImage() : nullptr;
    if (image != nullptr) {
        services_.ui.setClipboardImage(rasterOf(*image));
    }
}

PrinterSettings NetViewWindow::storedPrinter() const {
    return services_.project.printer;
}

void NetViewWindow::storePrinter(const PrinterSettings& settings) {
    services_.project.printer = settings;
}

PageMargins NetViewWindow::printMargins() const {
    return services_.project.margins;
}

std::unique_ptr<PrinterDevice> NetViewWindow::openPrinter(const PrinterSettings& settings) {
    return services_.printers.openPrinter(settings);
}

std::tm NetViewWindow::localTime() const {
    return services_.now();
}

std::optional<Color> netViewColourOf(const std::string& moduleName, const std::string& pinName) {
    for (NetViewWindow* window : openNetViews()) {
        if (const std::optional<Color> colour = window->view().isTracedBy(moduleName, pinName)) {
            return colour;
        }
    }
    return std::nullopt;
}

void registerNetViewWindows(DocumentWindows& windows, ViewerServices& services) {
    windows.registerFactory(
        DocumentKind::kNetView,
        [&services](const DocumentRequest& request) -> std::unique_ptr<DocumentWindow> {
            auto window = std::make_unique<NetViewWindow>(services, request.module, request.net);
            const ConsolePlacement console = services.ui.consolePlacement();
            window->move(console.x, console.y + console.height / 2);
            window->show();
            refreshAfterOpening(services);
            return std::make_unique<NetViewDocument>(std::move(window));
        });
}

}  // namespace corvane
