#include "gui/widgets/console_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "console/log_line_source.h"
#include "gui/widgets/log_view.h"

namespace corvane {

namespace {

ConsoleKey consoleKeyOf(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return ConsoleKey::kEnter;
        case Qt::Key_Escape:
            return ConsoleKey::kEscape;
        case Qt::Key_Up:
            return ConsoleKey::kUp;
        case Qt::Key_Down:
            return ConsoleKey::kDown;
        case Qt::Key_C:
            return ConsoleKey::kC;
        default:
            return ConsoleKey::kOther;
    }
}

// The transcript's lines before the prompt, and the prompt waiting for the next command.
std::pair<QString, QString> splitTranscript(const std::string& transcript) {
    const std::size_t lineEnd = transcript.rfind('\n');
    const std::size_t start = lineEnd == std::string::npos ? 0 : lineEnd + 1;
    QString lines = QString::fromStdString(transcript.substr(0, start));
    lines.remove(QLatin1Char('\r'));
    if (lines.endsWith(QLatin1Char('\n'))) lines.chop(1);
    return {lines, QString::fromStdString(transcript.substr(start))};
}

// The transcript pane: read-only, and a double click on an echoed
// "analyze" line opens that file as a double click in the log does.
class TranscriptView final : public QPlainTextEdit {
public:
    TranscriptView(CMorvelDlg& controller, QWidget* parent)
        : QPlainTextEdit(parent), controller_(controller) {
        setReadOnly(true);
        setLineWrapMode(QPlainTextEdit::NoWrap);
        setUndoRedoEnabled(false);
        setAcceptDrops(false);
        setFont(consoleFont());
        setObjectName(QStringLiteral("transcript"));
        setFixedHeight(fontMetrics().lineSpacing() * 4 + 2 * frameWidth() + 8);
    }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QPlainTextEdit::mouseDoubleClickEvent(event);
        openLogLineSource(controller_, textCursor().block().text().toStdString());
    }

private:
    CMorvelDlg& controller_;
};

}  // namespace

ConsoleWindow::ConsoleWindow(CMorvelDlg& controller, QWidget* parent)
    : QMainWindow(parent), controller_(controller), keys_(controller, [this] {
          log_->flush();
          log_->copy();
      }) {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    log_ = new LogView(controller_.log(), central);
    log_->setObjectName(QStringLiteral("log"));
    layout->addWidget(log_, 1);
    transcript_ = new TranscriptView(controller_, central);
    layout->addWidget(transcript_);

    auto* commandRow = new QHBoxLayout;
    commandRow->setSpacing(4);
    prompt_ = new QLabel(central);
    prompt_->setFont(consoleFont());
    commandLine_ = new QLineEdit(central);
    commandLine_->setObjectName(QStringLiteral("commandLine"));
    commandLine_->setFont(consoleFont());
    commandLine_->setAcceptDrops(false);
    commandRow->addWidget(prompt_);
    commandRow->addWidget(commandLine_, 1);
    layout->addLayout(commandRow);
    setCentralWidget(central);

    log_->setLineHandler([this](const std::string& line) { openLogLineSource(controller_, line); });
    log_->installEventFilter(this);
    transcript_->installEventFilter(this);
    commandLine_->installEventFilter(this);
    setAcceptDrops(true);
    buildMenus();
    updatePrompt();
    resize(800, 600);
}

ConsoleWindow::~ConsoleWindow() = default;

QAction* ConsoleWindow::action(MenuCommand command) const {
    const auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

void ConsoleWindow::buildMenus() {
    for (const MenuEntry& top : consoleMenuBar()) {
        QMenu* menu = menuBar()->addMenu(QString::fromStdString(top.text));
        addMenuEntries(menu, top.children);
        connect(menu, &QMenu::aboutToShow, this, &ConsoleWindow::updateMenuChecks);
    }
}

void ConsoleWindow::addMenuEntries(QWidget* menuWidget, const std::vector<MenuEntry>& entries) {
    auto* menu = static_cast<QMenu*>(menuWidget);
    for (const MenuEntry& entry : entries) {
        if (entry.separator) {
            menu->addSeparator();
        } else if (!entry.command) {
            addMenuEntries(menu->addMenu(QString::fromStdString(entry.text)), entry.children);
        } else {
            QAction* action = menu->addAction(QString::fromStdString(entry.text));
            const MenuCommand command = *entry.command;
            if (!entry.shortcut.empty()) {
                action->setShortcut(QKeySequence(QString::fromStdString(entry.shortcut)));
            }
            action->setCheckable(entry.checkable);
            connect(action, &QAction::triggered, this, [this, command] {
                if (runMenu_) runMenu_(command);
                updateMenuChecks();
                updatePrompt();
            });
            actions_[command] = action;
        }
    }
}

void ConsoleWindow::setMenuHandler(std::function<void(MenuCommand)> run,
                                   std::function<MenuState()> state) {
    runMenu_ = std::move(run);
    menuState_ = std::move(state);
    updateMenuChecks();
}

void ConsoleWindow::updateMenuChecks() {
    const MenuState state = menuState_ ? menuState_() : MenuState{};
    for (const auto& [command, action] : actions_) {
        if (action->isCheckable()) action->setChecked(menuItemChecked(command, state));
    }
}

void ConsoleWindow::setCommandText(const std::string& text) {
    commandLine_->setText(QString::fromStdString(text));
    commandLine_->end(false);
    commandLine_->setFocus();
}

void ConsoleWindow::updatePrompt() {
    const auto [lines, prompt] = splitTranscript(controller_.transcript());
    if (transcript_->toPlainText() != lines) {
        transcript_->setPlainText(lines);
        transcript_->moveCursor(QTextCursor::End);
        transcript_->ensureCursorVisible();
    }
    prompt_->setText(prompt);
}

void ConsoleWindow::dropPaths(const std::vector<std::string>& paths) {
    controller_.dropFiles(paths);
    updatePrompt();
}

bool ConsoleWindow::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    if (press || event->type() == QEvent::KeyRelease) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const bool control = keyEvent->modifiers().testFlag(Qt::ControlModifier);
        const bool swallowed = keys_.handle(consoleKeyOf(keyEvent->key()),
                                            press ? KeyPhase::kPressed : KeyPhase::kReleased,
                                            control, commandLine_->text().toStdString());
        if (swallowed) {
            if (press && consoleKeyOf(keyEvent->key()) == ConsoleKey::kEnter) updatePrompt();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void ConsoleWindow::closeEvent(QCloseEvent* event) {
    if (mayClose_ && !mayClose_()) {
        event->ignore();
        return;
    }
    event->accept();
}

void ConsoleWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void ConsoleWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    }
    event->acceptProposedAction();
    // The drop's own event must end before the analysis (and its dialogs) run.
    QMetaObject::invokeMethod(
        this, [this, paths] { dropWhenIdle(paths); }, Qt::QueuedConnection);
}

// The progress window lets the event loop run inside an analysis; a drop
// arriving then waits for the analysis to end instead of starting another.
void ConsoleWindow::dropWhenIdle(const std::vector<std::string>& paths) {
    if (busy_ && busy_()) {
        QTimer::singleShot(50, this, [this, paths] { dropWhenIdle(paths); });
        return;
    }
    dropPaths(paths);
}

}  // namespace corvane
