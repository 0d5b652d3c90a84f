// The schematic window: hosts the schematic window object CSchematicDlg,
// turning its tool bar, menus and context menus (data) into Qt widgets,
// forwarding mouse, wheel, key, scroll bar and size events in drawing-area
// coordinates, and answering its hooks with Qt dialogs.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>
#include <string>

#include "gui/widgets/source_viewer_services.h"
#include "schematic/schematic_dlg.h"

class QAction;
class QActionGroup;
class QMenu;
class QScrollBar;
class QToolBar;

namespace corvane {

class DocumentWindows;

class SchematicWindow final : public QMainWindow, private SchematicWindowHooks {
    Q_OBJECT
public:
    static constexpr int kLayoutDelayMilliseconds = 50;

    // A window for `moduleName`; open() fills it from the module's schematic
    // file or generates the schematic. `markProjectModified` is called when
    // an edit must reach the project file.
    SchematicWindow(ViewerServices& services, const std::string& moduleName,
                    std::function<void()> markProjectModified = {});
    ~SchematicWindow() override;

    void open();
    CSchematicDlg& schematic() { return schematic_; }
    QWidget* drawingArea() const { return area_; }
    QScrollBar* horizontalBar() const { return horizontal_; }
    QScrollBar* verticalBar() const { return vertical_; }
    QToolBar* toolBar() const { return toolBar_; }
    // The action of a menu or tool bar command (nullptr when it has none).
    QAction* action(SchematicCommand command) const;
    // File > "&Export" > "&EMF..." and File > "&Print...".
    QAction* exportAction() const { return action(SchematicCommand::kExportPicture); }
    QAction* printAction() const { return action(SchematicCommand::kPrint); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // SchematicWindowHooks
    void recordUndoStep(CSchematicDlg&) override { syncActions(); }
    void restartUndoHistory(CSchematicDlg&) override { syncActions(); }
    void refreshMenuStates(CSchematicDlg&) override { syncActions(); }
    void updateTitle(CSchematicDlg&) override;
    void updateScrollRanges(CSchematicDlg&) override { syncScrollBars(); }
    void repaint(CSchematicDlg&) override;
    void markProjectModified(CSchematicDlg&) override;
    void setCapture(bool captured) override;
    std::optional<CommentTextEntry> editCommentText(const CommentTextEntry& preset,
                                                    Point at) override;
    std::optional<LineStyleChoice> chooseLineStyle(const LineStyleChoice& preset) override;
    void showContextMenu(const std::vector<SchematicMenuItem>& menu, Point at) override;
    void closeWindow(CSchematicDlg&) override { close(); }
    void openTruthTable(const std::string& module, int assignIndex) override;
    // The whole canvas at zoom 1 from its top-left corner onto the clipboard.
    void copyBitmap(CSchematicDlg&) override;
    void exportPicture(CSchematicDlg&) override;
    void print(CSchematicDlg&) override;

    void buildToolBar();
    void buildMenus();
    // The export and print entries of the File menu, above "&Close".
    void addMenuItems(QMenu* menu, const std::vector<SchematicMenuItem>& items);
    QAction* makeAction(const SchematicMenuItem& item);
    void runCommand(SchematicCommand command);
    // Enabled and checked states of every action from the window object.
    void syncActions();
    void syncScrollBars();
    void paintArea();
    bool mouseEvent(QEvent* event);

    ViewerServices& services_;
    std::function<void()> markProjectModified_;
    QWidget* area_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
    QToolBar* toolBar_ = nullptr;
    QTimer layoutTimer_;
    CSchematicDlg schematic_;
    std::map<SchematicCommand, QAction*> actions_;
};

// Registers the schematic window as the window of DocumentKind::kSchematic:
// one window per module, raised when it is asked for again and regenerated
// when the module list changes.
void registerSchematicWindows(DocumentWindows& windows, ViewerServices& services,
                              std::function<void()> markProjectModified = {});

}  // namespace corvane
