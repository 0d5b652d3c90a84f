#include "gui/widgets/schematic_window.h"

#include <QActionGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolBar>
#include <QWheelEvent>

#include "gui/qt_canvas.h"
#include "gui/schematic_export.h"
#include "gui/widgets/document_windows.h"
#include "gui/widgets/net_view_window.h"
#include "gui/widgets/project_dialogs.h"
#include "gui/widgets/schematic_window_icons.h"
#include "gui/widgets/schematic_window_text_dialog.h"
#include "gui/widgets/truth_table_dialog.h"
#include "schematic/schematic_file.h"
#include "schematic/schematic_file_commands.h"
#include "schematic/schematic_print.h"
#include "schematic/schematic_renderer.h"

namespace corvane {

namespace {

constexpr int kPageStep = 64;
// The largest canvas the bitmap copy makes an image of (64 M pixels, 256 MB);
// a larger one, as a schematic file may ask for, is left off the clipboard
// like a bitmap that cannot be made.
constexpr long long kMaxClipboardPixels = 64LL * 1024 * 1024;

SchematicModifiers modifiersOf(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier)};
}

Point pointOf(const QMouseEvent* mouse) {
    const QPoint at = mouse->position().toPoint();
    return {at.x(), at.y()};
}

// The renderer's requests that reach beyond the window: traced pins take the
// colour of the net view that traces them, messages go to the program's
// message boxes.
class AreaPaintHost final : public SchematicPaintHost {
public:
    explicit AreaPaintHost(UiHost& ui) : ui_(ui) {}
    std::optional<Color> netViewColor(std::string_view module,
                                      std::string_view pin) const override {
        return netViewColourOf(std::string(module), std::string(pin));
    }
    void showMessage(std::string_view text) override {
        MessageBoxRequest request;
        request.text = std::string(text);
        ui_.messageBox(request);
    }

private:
    UiHost& ui_;
};

class SchematicDocument final : public DocumentWindow {
public:
    explicit SchematicDocument(std::unique_ptr<SchematicWindow> window)
        : window_(std::move(window)) {}
    QWidget* widget() override { return window_.get(); }
    void update(const DocumentRequest&) override {
        window_->show();
        window_->raise();
        window_->activateWindow();
    }
    void refresh() override { window_->open(); }

private:
    std::unique_ptr<SchematicWindow> window_;
};

}  // namespace

SchematicWindow::SchematicWindow(ViewerServices& services, const std::string& moduleName,
                                 std::function<void()> markProjectModified)
    : services_(services),
      markProjectModified_(std::move(markProjectModified)),
      area_(new QWidget),
      horizontal_(new QScrollBar(Qt::Horizontal)),
      vertical_(new QScrollBar(Qt::Vertical)),
      schematic_(services.modules, moduleName, standardSchematicPasses()) {
    schematic_.setHooks(*this);
    schematic_.setUi(services.ui);

    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(area_, 0, 0);
    grid->addWidget(vertical_, 0, 1);
    grid->addWidget(horizontal_, 1, 0);
    setCentralWidget(central);

    area_->installEventFilter(this);
    area_->setAttribute(Qt::WA_OpaquePaintEvent);
    area_->setFocusPolicy(Qt::StrongFocus);
    area_->setMouseTracking(true);
    area_->setMinimumSize(64, 64);
    for (QScrollBar* bar : {horizontal_, vertical_}) {
        bar->setSingleStep(1);
        bar->setPageStep(kPageStep);
        bar->setFocusPolicy(Qt::NoFocus);
    }
    connect(horizontal_, &QScrollBar::valueChanged, this,
            [this](int value) { schematic_.onScroll(true, value); });
    connect(vertical_, &QScrollBar::valueChanged, this,
            [this](int value) { schematic_.onScroll(false, value); });
    layoutTimer_.setSingleShot(true);
    connect(&layoutTimer_, &QTimer::timeout, this, [this] {
        schematic_.onAreaSize(area_->width(), area_->height());
        syncScrollBars();
    });

    buildToolBar();
    buildMenus();
    resize(900, 640);
}

SchematicWindow::~SchematicWindow() = default;

void SchematicWindow::open() {
    Module* module = schematic_.findModule();
    if (module != nullptr) {
        if (module->schematicPath.empty() || !openWithSchematicFile(schematic_, *this)) {
            schematic_.openWithoutFile();
        }
    }
    schematic_.onAreaSize(area_->width(), area_->height());
    updateTitle(schematic_);
    syncScrollBars();
    syncActions();
    area_->update();
}

QAction* SchematicWindow::action(SchematicCommand command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

void SchematicWindow::buildToolBar() {
    toolBar_ = addToolBar("Schematic");
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(20, 20));
    auto* tools = new QActionGroup(this);
    tools->setExclusive(true);
    for (const SchematicToolButton& button : schematic_.toolBar()) {
        QAction* act = toolBar_->addAction(schematicToolIcon(button.command, devicePixelRatioF()),
                                           QString::fromStdString(button.tip));
        act->setToolTip(QString::fromStdString(button.tip));
        act->setCheckable(button.kind != ToolButtonKind::kPush);
        if (button.kind == ToolButtonKind::kRadio) tools->addAction(act);
        const SchematicCommand command = button.command;
        connect(act, &QAction::triggered, this, [this, command] { runCommand(command); });
        actions_[command] = act;
    }
}

void SchematicWindow::buildMenus() {
    for (const SchematicMenuItem& top : schematic_.menuBar()) {
        QMenu* menu = menuBar()->addMenu(QString::fromStdString(top.text));
        addMenuItems(menu, top.items);
    }
}

void SchematicWindow::exportPicture(CSchematicDlg&) {
    AreaPaintHost host(services_.ui);
    exportSchematicCommand(schematic_, services_.ui, host);
    syncScrollBars();
    area_->update();
}

void SchematicWindow::print(CSchematicDlg&) {
    AreaPaintHost host(services_.ui);
    TextPrintJob job{services_.ui,       services_.project.printer, services_.project.margins,
                     services_.printers, services_.now(),           fontRuleFace()};
    printSchematicCommand(schematic_, job, host);
    area_->update();
}

void SchematicWindow::copyBitmap(CSchematicDlg&) {
    const CanvasSize size = schematic_.canvasSize();
    if (size.width <= 0 || size.height <= 0) return;
    if (static_cast<long long>(size.width) * size.height > kMaxClipboardPixels) return;
    QImage image(size.width, size.height, QImage::Format_RGB32);
    if (image.isNull()) return;
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        SchematicViewState view;
        view.copyRequested = 1;
        AreaPaintHost host(services_.ui);
        SchematicRenderer(schematic_, view, host).paint(canvas, {0, 0, size.width, size.height}, 0);
    }
    QGuiApplication::clipboard()->setImage(image);
    // The copy drew off screen, so the window keeps showing its own view.
    area_->update();
}

void SchematicWindow::addMenuItems(QMenu* menu, const std::vector<SchematicMenuItem>& items) {
    for (const SchematicMenuItem& item : items) {
        if (!item.items.empty()) {
            addMenuItems(menu->addMenu(QString::fromStdString(item.text)), item.items);
        } else if (item.text.empty()) {
            menu->addSeparator();
        } else {
            QAction* act = makeAction(item);
            menu->addAction(act);
            actions_[item.command] = act;
        }
    }
}

QAction* SchematicWindow::makeAction(const SchematicMenuItem& item) {
    auto* act = new QAction(QString::fromStdString(item.text), this);
    act->setEnabled(item.enabled);
    act->setCheckable(item.checked);
    act->setChecked(item.checked);
    const SchematicCommand command = item.command;
    connect(act, &QAction::triggered, this, [this, command] { runCommand(command); });
    return act;
}

void SchematicWindow::runCommand(SchematicCommand command) {
    schematic_.onCommand(command);
    syncActions();
    syncScrollBars();
    area_->update();
}

void SchematicWindow::syncActions() {
    auto apply = [this](SchematicCommand command, bool enabled, bool checked, bool checkable) {
        QAction* act = action(command);
        if (act == nullptr) return;
        const QSignalBlocker block(act);
        act->setEnabled(enabled);
        act->setCheckable(checkable || checked);
        act->setChecked(checked);
    };
    std::function<void(const std::vector<SchematicMenuItem>&)> walk =
        [&](const std::vector<SchematicMenuItem>& items) {
            for (const SchematicMenuItem& item : items) {
                if (!item.items.empty()) {
                    walk(item.items);
                } else if (item.command != SchematicCommand::kNone) {
                    const bool toggles = item.command == SchematicCommand::kGridAppear ||
                                         item.command == SchematicCommand::kGridSnap ||
                                         item.command == SchematicCommand::kGridSmall ||
                                         item.command == SchematicCommand::kGridNormal ||
                                         item.command == SchematicCommand::kGridWide;
                    apply(item.command, item.enabled, item.checked, toggles);
                }
            }
        };
    walk(schematic_.menuBar());
    for (const SchematicToolButton& button : schematic_.toolBar()) {
        apply(button.command, button.enabled, button.checked, button.kind != ToolButtonKind::kPush);
    }
}

void SchematicWindow::syncScrollBars() {
    const Module* module = schematic_.findModule();
    const CanvasSize extent = module ? schematic_.scrollExtent(*module) : CanvasSize{};
    const Point position = schematic_.scrollPosition();
    const QSignalBlocker blockH(horizontal_);
    const QSignalBlocker blockV(vertical_);
    horizontal_->setRange(0, extent.width);
    vertical_->setRange(0, extent.height);
    horizontal_->setValue(position.x);
    vertical_->setValue(position.y);
}

void SchematicWindow::updateTitle(CSchematicDlg&) {
    const Module* module = schematic_.findModule();
    setWindowTitle(module ? QString::fromStdString(schematicWindowTitle(*module))
                          : QString("Schematic"));
}

void SchematicWindow::repaint(CSchematicDlg&) {
    syncScrollBars();
    area_->update();
}

void SchematicWindow::markProjectModified(CSchematicDlg&) {
    if (markProjectModified_) markProjectModified_();
}

void SchematicWindow::setCapture(bool captured) {
    if (captured) {
        area_->grabMouse();
    } else {
        area_->releaseMouse();
    }
}

std::optional<CommentTextEntry> SchematicWindow::editCommentText(const CommentTextEntry& preset,
                                                                 Point at) {
    SchematicTextDialog dialog(this, services_.ui, preset);
    dialog.move(area_->mapToGlobal(QPoint(at.x, at.y)));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.entry();
}

std::optional<LineStyleChoice> SchematicWindow::chooseLineStyle(const LineStyleChoice& preset) {
    LineStyleDlg dialog(this, services_.ui, LineStyle{preset.pt, preset.color});
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const LineStyle style = dialog.style();
    return LineStyleChoice{style.pt, style.color};
}

void SchematicWindow::openTruthTable(const std::string&, int) {
    runTruthTableDialog(services_.ui, this);
}

void SchematicWindow::showContextMenu(const std::vector<SchematicMenuItem>& items, Point at) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const SchematicMenuItem& item : items) {
        QAction* act = menu->addAction(QString::fromStdString(item.text));
        act->setEnabled(item.enabled);
        act->setCheckable(item.checked);
        act->setChecked(item.checked);
        const SchematicCommand command = item.command;
        connect(act, &QAction::triggered, this, [this, command] { runCommand(command); });
    }
    menu->popup(area_->mapToGlobal(QPoint(at.x, at.y)));
}

void SchematicWindow::paintArea() {
    QPainter painter(area_);
    painter.fillRect(area_->rect(), QColor(0x85, 0x82, 0x7F));
    QtCanvas canvas(painter);
    AreaPaintHost host(services_.ui);
    schematic_.paint(canvas, {0, 0, area_->width(), area_->height()}, &host);
}

bool SchematicWindow::mouseEvent(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const SchematicModifiers modifiers = modifiersOf(mouse->modifiers());
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            area_->setFocus();
            // New figures take the program's default comment style as it is now.
            schematic_.setDefaultLineStyle(
                {services_.project.commentStyle.linePt, services_.project.commentStyle.lineColor});
            if (mouse->button() == Qt::LeftButton)
                schematic_.onLeftButtonDown(pointOf(mouse), modifiers);
            break;
        case QEvent::MouseMove:
            // Moves change no menu state; only the drawing repaints.
            schematic_.onMouseMove(pointOf(mouse), modifiers);
            return true;
        case QEvent::MouseButtonRelease:
            if (mouse->button() == Qt::LeftButton) {
                schematic_.onLeftButtonUp(pointOf(mouse), modifiers);
            } else if (mouse->button() == Qt::RightButton) {
                const QPoint global = mouse->globalPosition().toPoint();
                schematic_.onRightButtonUp(pointOf(mouse), {global.x(), global.y()});
            }
            break;
        case QEvent::MouseButtonDblClick:
            if (mouse->button() == Qt::LeftButton)
                schematic_.onLeftDoubleClick(pointOf(mouse), modifiers);
            break;
        default:
            return false;
    }
    syncActions();
    return true;
}

bool SchematicWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != area_) return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::Paint:
            paintArea();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            return mouseEvent(event);
        case QEvent::Wheel: {
            const auto* wheel = static_cast<QWheelEvent*>(event);
            // With Shift held some platforms turn the wheel into a sideways one.
            const QPoint delta = wheel->angleDelta();
            schematic_.onMouseWheel(delta.y() != 0 ? delta.y() : delta.x(),
                                    modifiersOf(wheel->modifiers()));
            syncScrollBars();
            syncActions();
            return true;
        }
        case QEvent::KeyPress:
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        case QEvent::Resize:
            layoutTimer_.start(kLayoutDelayMilliseconds);
            return false;
        default:
            return QMainWindow::eventFilter(watched, event);
    }
}

void SchematicWindow::keyPressEvent(QKeyEvent* event) {
    SchematicKey key = SchematicKey::kOther;
    switch (event->key()) {
        case Qt::Key_Escape:
            key = SchematicKey::kEscape;
            break;
        case Qt::Key_End:
            key = SchematicKey::kEnd;
            break;
        case Qt::Key_Left:
            key = SchematicKey::kLeft;
            break;
        case Qt::Key_Right:
            key = SchematicKey::kRight;
            break;
        case Qt::Key_Up:
            key = SchematicKey::kUp;
            break;
        case Qt::Key_Down:
            key = SchematicKey::kDown;
            break;
        case Qt::Key_Delete:
            key = SchematicKey::kDelete;
            break;
        case Qt::Key_C:
            key = SchematicKey::kC;
            break;
        default:
            QMainWindow::keyPressEvent(event);
            return;
    }
    schematic_.onKey(key);
    syncScrollBars();
    area_->update();
    event->accept();
}

void SchematicWindow::closeEvent(QCloseEvent* event) {
    if (schematic_.onClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void registerSchematicWindows(DocumentWindows& windows, ViewerServices& services,
                              std::function<void()> markProjectModified) {
    windows.registerFactory(
        DocumentKind::kSchematic, [&services, markProjectModified](const DocumentRequest& request) {
            auto window =
                std::make_unique<SchematicWindow>(services, request.module, markProjectModified);
            window->open();
            window->show();
            return std::make_unique<SchematicDocument>(std::move(window));
        });
}

}  // namespace corvane
