// The source viewer window: the text of one source file, read-only, with a
// gutter of fold markers and the pointed-line arrow, a status line, keyword
// colours added in the background, search, copy and print. The behaviour is
// CEditorDlg's; this window shows its text and forwards clicks and keys.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>

#include "gui/widgets/source_viewer_services.h"
#include "viewers/editor_dlg.h"

class QLabel;
class QPlainTextEdit;

namespace corvane {

class DocumentWindows;
class SourceViewerGutter;
class SourceViewerSearchDialog;

class SourceViewerWindow final : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kColouringInterval = 250;  // ms between colouring ticks
    // ms of colouring per tick: with the repaint after it the window never
    // stops answering for more than 100 ms.
    static constexpr int kColouringBudget = 90;
    static constexpr int kGutterWidth = 36;         // fold markers, then the arrow
    static constexpr int kLoadPieceLines = 2000;    // lines put into the document at once
    static constexpr int kLoadBudget = 40;          // ms of loading between events

    // Opens the viewer of `path` pointing at `line`; says "CORVANE cannot
    // open this file." with the path and returns nullptr when it cannot be read.
    static std::unique_ptr<SourceViewerWindow> open(ViewerServices& services,
                                                    const std::string& path, int line);

    SourceViewerWindow(ViewerServices& services, const std::string& path);
    ~SourceViewerWindow() override;

    CEditorDlg& viewer() { return *viewer_; }
    QPlainTextEdit* textEdit() const { return text_; }
    QWidget* gutter() const;
    QLabel* statusLabel() const { return status_; }
    SourceViewerSearchDialog* searchDialog() const { return search_; }

    // Whether the text is still going into the window.
    bool loading() const { return loading_; }
    // Points at `line` (1-based) and scrolls it near the top.
    void pointAt(int line);
    // The control line shown at the top of the text.
    int firstVisibleLine() const;
    // Folds or unfolds the region starting beside `controlLine`.
    void toggleFold(int controlLine);
    // One colouring tick: steps until the budget is spent or colouring ends.
    void colourTick();

    // Menu commands.
    void copySelection();
    void showSearch();
    void searchNext();
    void searchPrevious();
    void search(bool forwards);
    void print();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class SourceViewerGutter;
    void buildMenus();
    void loadDocument();
    std::string nextPiece();
    void appendPieces();
    void finishLoading();
    void showPointedLine();
    bool handleKey(QKeyEvent* event);
    void applyColours(int firstLine, int lastLine);
    void updateStatus();
    TextSelection selection() const;
    void select(const TextSelection& selection);
    std::size_t byteOffsetOf(int qtPosition) const;
    int qtPositionOf(std::size_t byteOffset) const;
    void scrollToPointedLine();

    ViewerServices& services_;
    std::unique_ptr<CEditorDlg> viewer_;
    QLabel* status_;
    QPlainTextEdit* text_;
    SourceViewerGutter* gutter_;
    SourceViewerSearchDialog* search_;
    QTimer colouring_;
    bool busy_ = false;  // the text is being rewritten: no status updates
    bool loading_ = true;
    std::size_t loaded_ = 0;  // bytes of the viewer's text already in the document
};

// Registers the source viewer as the window of DocumentKind::kSourceViewer.
void registerSourceViewerWindows(DocumentWindows& windows, ViewerServices& services);

}  // namespace corvane
