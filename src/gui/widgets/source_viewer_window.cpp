#include "gui/widgets/source_viewer_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QVBoxLayout>

#include "gui/qt_canvas.h"
#include "gui/widgets/document_windows.h"
#include "gui/widgets/source_viewer_gutter.h"
#include "gui/widgets/source_viewer_search_dialog.h"
#include "platform/text_metrics.h"

namespace corvane {

namespace {

// Qt's text document breaks blocks at U+2029 (and lines at U+2028); the
// viewer's lines break at "\n" only, so those become U+FFFD, which has the
// same length in UTF-8 and UTF-16.
QString documentTextOf(const std::string& text) {
    QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    result.replace(QChar(0x2029), QChar(0xFFFD));
    result.replace(QChar(0x2028), QChar(0xFFFD));
    return result;
}

// UTF-16 positions of the bytes of one line of UTF-8 text: entry i is where
// byte i starts (continuation bytes share their character's position).
std::vector<int> utf16Positions(std::string_view bytes) {
    std::vector<int> positions(bytes.size() + 1, 0);
    int units = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        std::size_t length = decodeUtf8Sequence(bytes, i, codePoint);
        if (length == 0) {
            length = 1;
        }
        for (std::size_t k = 0; k < length && i + k < bytes.size(); ++k) {
            positions[i + k] = units;
        }
        units += codePoint > 0xFFFF ? 2 : 1;
        i += length;
    }
    positions[bytes.size()] = units;
    return positions;
}

QFont viewerFont() {
    QFont font(QString::fromStdString(fontRuleFace()));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(9);
    return font;
}

class SourceViewerDocument final : public DocumentWindow {
public:
    explicit SourceViewerDocument(std::unique_ptr<SourceViewerWindow> window)
        : window_(std::move(window)) {}
    QWidget* widget() override { return window_.get(); }
    void update(const DocumentRequest& request) override {
        window_->show();
        window_->pointAt(request.line);
    }

private:
    std::unique_ptr<SourceViewerWindow> window_;
};

}  // namespace

std::unique_ptr<SourceViewerWindow> SourceViewerWindow::open(ViewerServices& services,
                                                             const std::string& path, int line) {
    if (!canOpenForReading(path)) {
        services.ui.messageBox({kCannotOpenFileCaption, path, MessageIcon::kExclamation,
                                MessageButtons::kOk});
        return nullptr;
    }
    services.ui.setWaitCursor(true);
    auto window = std::make_unique<SourceViewerWindow>(services, path);
    services.ui.setWaitCursor(false);
    const ConsolePlacement console = services.ui.consolePlacement();
    window->move(console.x, console.y + console.height / 2);
    window->show();
    window->pointAt(line);
    return window;
}

SourceViewerWindow::SourceViewerWindow(ViewerServices& services, const std::string& path)
    : services_(services),
      viewer_(std::make_unique<CEditorDlg>(services.modules, services.settings, services.ui, path)),
      status_(new QLabel(this)),
      text_(new QPlainTextEdit(this)),
      gutter_(nullptr),
      search_(new SourceViewerSearchDialog(this)) {
    setWindowTitle(QString::fromStdString(viewer_->title()));
    resize(820, 600);
    text_->setReadOnly(true);
    text_->setUndoRedoEnabled(false);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setFont(viewerFont());
    text_->setTabStopDistance(4 * text_->fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    text_->installEventFilter(this);
    text_->viewport()->installEventFilter(this);
    gutter_ = new SourceViewerGutter(*this, *text_);

    auto* central = new QWidget(this);
    auto* rows = new QVBoxLayout(central);
    rows->setContentsMargins(4, 4, 28, 12);
    rows->addWidget(status_);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(0);
    columns->addWidget(gutter_);
    columns->addWidget(text_, 1);
    rows->addLayout(columns, 1);
    setCentralWidget(central);
    buildMenus();

    connect(text_, &QPlainTextEdit::cursorPositionChanged, this, &SourceViewerWindow::updateStatus);
    // Connected to the gutter itself, not through this window: the text emits
    // while the window's children are destroyed, after this object is gone.
    connect(text_, &QPlainTextEdit::updateRequest, gutter_, qOverload<>(&QWidget::update));
    connect(search_, &SourceViewerSearchDialog::nextRequested, this, &SourceViewerWindow::searchNext);
    connect(search_, &SourceViewerSearchDialog::previousRequested, this,
            &SourceViewerWindow::searchPrevious);
    connect(&colouring_, &QTimer::timeout, this, &SourceViewerWindow::colourTick);

    viewer_->load();
    loadDocument();
}

SourceViewerWindow::~SourceViewerWindow() = default;

QWidget* SourceViewerWindow::gutter() const {
    return gutter_;
}

void SourceViewerWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Print..."), this, &SourceViewerWindow::print);
    file->addAction(tr("&Close"), this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    // The shortcuts are keys of the text (see handleKey), shown in the menu only.
    edit->addAction(tr("&Copy\tCtrl+C"), this, &SourceViewerWindow::copySelection);
    edit->addAction(tr("&Search...\tCtrl+F"), this, &SourceViewerWindow::showSearch);
}

// The text goes into the document in pieces of whole lines, a few at a
// time between events, so a large file does not stop the window for long.
// Colouring starts once the whole text is there.
void SourceViewerWindow::loadDocument() {
    loaded_ = 0;
    busy_ = true;
    text_->setPlainText(documentTextOf(nextPiece()));
    busy_ = false;
    if (loaded_ < viewer_->text().size()) {
        QTimer::singleShot(0, this, &SourceViewerWindow::appendPieces);
    } else {
        finishLoading();
    }
}

std::string SourceViewerWindow::nextPiece() {
    const std::string& text = viewer_->text();
    std::size_t end = loaded_;
    for (int lines = 0; lines < kLoadPieceLines && end < text.size(); ++lines) {
        end = text.find('\n', end + 1);
        if (end == std::string::npos) {
            end = text.size();
        }
    }
    std::string piece = text.substr(loaded_, end - loaded_);
    loaded_ = end;
    return piece;
}

void SourceViewerWindow::appendPieces() {
    QElapsedTimer elapsed;
    elapsed.start();
    busy_ = true;
    QTextCursor end(text_->document());
    while (loaded_ < viewer_->text().size() && elapsed.elapsed() < kLoadBudget) {
        end.movePosition(QTextCursor::End);
        end.insertText(documentTextOf(nextPiece()));
    }
    busy_ = false;
    if (loaded_ < viewer_->text().size()) {
        QTimer::singleShot(0, this, &SourceViewerWindow::appendPieces);
    } else {
        finishLoading();
    }
}

void SourceViewerWindow::finishLoading() {
    loading_ = false;
    showPointedLine();
    updateStatus();
    colouring_.start(kColouringInterval);
}

void SourceViewerWindow::pointAt(int line) {
    viewer_->pointAt(line);
    showPointedLine();
    // The document is laid out once the window is shown; scroll again then.
    QTimer::singleShot(50, this, &SourceViewerWindow::scrollToPointedLine);
}

void SourceViewerWindow::showPointedLine() {
    const QTextBlock block = text_->document()->findBlockByNumber(viewer_->pointedControlLine());
    if (block.isValid()) {
        text_->setTextCursor(QTextCursor(block));
    }
    scrollToPointedLine();
}

void SourceViewerWindow::scrollToPointedLine() {
    text_->verticalScrollBar()->setValue(viewer_->pointedControlLine());
    gutter_->update();
}

int SourceViewerWindow::firstVisibleLine() const {
    return text_->cursorForPosition(QPoint(0, 0)).blockNumber();
}

void SourceViewerWindow::updateStatus() {
    if (busy_ || loading_) {
        return;
    }
    status_->setText(QString::fromStdString(viewer_->statusText(text_->textCursor().blockNumber())));
}

std::size_t SourceViewerWindow::byteOffsetOf(int qtPosition) const {
    const QTextBlock block = text_->document()->findBlock(qtPosition);
    const int line = block.blockNumber();
    const std::size_t start = viewer_->lineStart(line);
    const std::string_view bytes =
        std::string_view(viewer_->text()).substr(start, viewer_->lineEnd(line) - start);
    const std::vector<int> positions = utf16Positions(bytes);
    const int column = qtPosition - block.position();
    const auto at = std::lower_bound(positions.begin(), positions.end(), column);
    return start + static_cast<std::size_t>(at - positions.begin());
}

int SourceViewerWindow::qtPositionOf(std::size_t byteOffset) const {
    const int line = viewer_->controlLineAt(byteOffset);
    const std::size_t start = viewer_->lineStart(line);
    const std::string_view bytes =
        std::string_view(viewer_->text()).substr(start, viewer_->lineEnd(line) - start);
    const std::size_t column = std::min(byteOffset - start, bytes.size());
    return text_->document()->findBlockByNumber(line).position() + utf16Positions(bytes)[column];
}

TextSelection SourceViewerWindow::selection() const {
    const QTextCursor cursor = text_->textCursor();
    return {byteOffsetOf(cursor.selectionStart()), byteOffsetOf(cursor.selectionEnd())};
}

void SourceViewerWindow::select(const TextSelection& selection) {
    QTextCursor cursor = text_->textCursor();
    cursor.setPosition(qtPositionOf(selection.start));
    cursor.setPosition(qtPositionOf(selection.end), QTextCursor::KeepAnchor);
    text_->setTextCursor(cursor);
}

void SourceViewerWindow::colourTick() {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!viewer_->colouringFinished() && elapsed.elapsed() < kColouringBudget) {
        const std::optional<ColouringChunk> changed = viewer_->colouringStep();
        if (changed) {
            applyColours(viewer_->controlLineAt(changed->start),
                         viewer_->controlLineAt(changed->end > 0 ? changed->end - 1 : 0));
        }
    }
    if (viewer_->colouringFinished()) {
        colouring_.stop();
    }
}

// The colours go into each block's layout as additional formats, which
// leaves the document's text and its character formats untouched.
void SourceViewerWindow::applyColours(int firstLine, int lastLine) {
    QTextDocument* document = text_->document();
    QTextBlock block = document->findBlockByNumber(firstLine);
    for (int line = firstLine; line <= lastLine && block.isValid(); ++line, block = block.next()) {
        const std::vector<ColourRun> runs = viewer_->lineColours(line);
        const std::size_t start = viewer_->lineStart(line);
        const std::string_view bytes =
            std::string_view(viewer_->text()).substr(start, viewer_->lineEnd(line) - start);
        const bool ascii = static_cast<std::size_t>(block.length() - 1) == bytes.size();
        const std::vector<int> positions = ascii ? std::vector<int>{} : utf16Positions(bytes);
        auto position = [&](std::size_t byte) {
            return ascii ? static_cast<int>(byte) : positions[std::min(byte, bytes.size())];
        };
        QList<QTextLayout::FormatRange> formats;
        for (const ColourRun& run : runs) {
            if (run.color == 0) {
                continue;
            }
            QTextLayout::FormatRange range;
            range.start = position(run.start);
            range.length = position(run.start + run.length) - range.start;
            range.format.setForeground(qtColor(run.color));
            formats.append(range);
        }
        if (block.layout()->formats().isEmpty() && formats.isEmpty()) {
            continue;
        }
        block.layout()->setFormats(formats);
        document->markContentsDirty(block.position(), block.length());
    }
}

void SourceViewerWindow::toggleFold(int controlLine) {
    if (loading_) {
        return;
    }
    const int scroll = text_->verticalScrollBar()->value();
    const int caretLine = text_->textCursor().blockNumber();
    const std::optional<FoldChange> change = viewer_->toggleFold(controlLine);
    if (!change) {
        return;
    }
    busy_ = true;
    QTextDocument* document = text_->document();
    QTextCursor edit(document->findBlockByNumber(change->afterControlLine));
    edit.movePosition(QTextCursor::EndOfBlock);
    if (change->removedLines > 0) {
        const QTextBlock last =
            document->findBlockByNumber(change->afterControlLine + change->removedLines);
        edit.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
        edit.removeSelectedText();
    } else if (!change->insertedText.empty()) {
        edit.insertText(documentTextOf(change->insertedText));
    }
    applyColours(change->afterControlLine, change->afterControlLine);
    const int restoredLine = caretLine > change->afterControlLine && change->removedLines > 0
                                 ? change->afterControlLine
                                 : caretLine;
    text_->setTextCursor(QTextCursor(document->findBlockByNumber(restoredLine)));
    text_->verticalScrollBar()->setValue(scroll);
    busy_ = false;
    updateStatus();
    if (!viewer_->colouringFinished() && !colouring_.isActive()) {
        colouring_.start(kColouringInterval);
    }
    gutter_->update();
}

void SourceViewerWindow::copySelection() {
    if (loading_) {
        return;
    }
    viewer_->copy(selection());
}

void SourceViewerWindow::showSearch() {
    if (loading_) {
        return;
    }
    const SearchCombo combo = viewer_->openSearch(selection());
    search_->setEntries(combo.entries, combo.selected);
    if (!search_->isVisible()) {
        search_->adjustSize();
        const QPoint centre = text_->mapToGlobal(text_->rect().center());
        search_->move(centre - QPoint(search_->width() / 2, search_->height() / 2));
        search_->show();
    }
    search_->raise();
    search_->activateWindow();
}

void SourceViewerWindow::searchNext() {
    search(true);
}

void SourceViewerWindow::searchPrevious() {
    search(false);
}

// One search step; the dialog's buttons are off while it runs, a new search
// word goes to the top of its list, and a match is selected in the text.
void SourceViewerWindow::search(bool forwards) {
    search_->setSearchEnabled(false);
    const std::string text = search_->searchText();
    const SearchOutcome outcome = forwards ? viewer_->searchNext(text, selection())
                                           : viewer_->searchPrevious(text, selection());
    search_->setSearchEnabled(true);
    if (outcome.newComboEntry) search_->addEntryAtTop(*outcome.newComboEntry);
    if (outcome.match) {
        text_->setFocus();
        select(*outcome.match);
    }
    search_->raise();
}

void SourceViewerWindow::print() {
    TextPrintJob job{services_.ui, services_.project.printer, services_.project.margins,
                     services_.printers, services_.now(), fontRuleFace()};
    viewer_->print(job);
}

// The text is read-only: editing keys and Tab change nothing, Escape does
// not close the window, Ctrl+C copies and Ctrl+F opens the search.
bool SourceViewerWindow::handleKey(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape) {
        return true;
    }
    if (!(event->modifiers() & Qt::ControlModifier)) {
        return false;
    }
    switch (key) {
        case Qt::Key_C: copySelection(); return true;
        case Qt::Key_F: showSearch(); return true;
        case Qt::Key_V:
        case Qt::Key_X:
        case Qt::Key_Y:
        case Qt::Key_Z: return true;
        default: return false;
    }
}

bool SourceViewerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void SourceViewerWindow::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event)) {
        QMainWindow::keyPressEvent(event);
    }
}

void SourceViewerWindow::closeEvent(QCloseEvent* event) {
    viewer_->close();
    colouring_.stop();
    search_->hide();
    event->accept();
}

void registerSourceViewerWindows(DocumentWindows& windows, ViewerServices& services) {
    windows.registerFactory(
        DocumentKind::kSourceViewer,
        [&services](const DocumentRequest& request) -> std::unique_ptr<DocumentWindow> {
            std::unique_ptr<SourceViewerWindow> window =
                SourceViewerWindow::open(services, request.path, request.line);
            if (!window) {
                return nullptr;
            }
            return std::make_unique<SourceViewerDocument>(std::move(window));
        });
}

}  // namespace corvane
