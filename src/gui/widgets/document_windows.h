// The document windows the console opens through UiHost::openDocumentWindow:
// source viewers, schematic windows, net views and state diagram windows.
//
// Each kind of window plugs in by registering a factory; a request for a
// kind without a factory is recorded and shows nothing. An open window is
// raised (and told about the new request) instead of opened twice. A window
// that has been closed (hidden) is deleted by a reaper 50 ms later.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui_host.h"

class QWidget;

namespace corvane {

// One open document window as the registry sees it.
class DocumentWindow {
public:
    virtual ~DocumentWindow() = default;
    // The top-level widget, owned by this object (deleting it deletes the
    // widget); closing it (hiding it) ends the document.
    virtual QWidget* widget() = 0;
    // Another request for the same document, for example a new line to point at.
    virtual void update(const DocumentRequest& /*request*/) {}
    // The module list changed: schematics regenerate, net views rebuild.
    virtual void refresh() {}
};

using DocumentWindowFactory =
    std::function<std::unique_ptr<DocumentWindow>(const DocumentRequest& request)>;

// Source viewers are keyed by their path, the other kinds by their module.
const std::string& documentKey(const DocumentRequest& request);

class DocumentWindows final : public QObject {
    Q_OBJECT
public:
    static constexpr int kReapMilliseconds = 50;

    DocumentWindows();
    ~DocumentWindows() override;

    void registerFactory(DocumentKind kind, DocumentWindowFactory factory);
    bool hasFactory(DocumentKind kind) const;

    // Records the request; raises the window already showing that document
    // or creates one when the kind has a factory.
    void open(const DocumentRequest& request);
    // Closes the first window of `kind` whose key is `key`.
    void close(DocumentKind kind, const std::string& key);
    void closeAll(DocumentKind kind);
    // Tells every open window of `kind` that the module list changed.
    void refreshAll(DocumentKind kind);
    // Repaints every open window of `kind` (a net view's colour changed).
    void repaintAll(DocumentKind kind);

    int openCount(DocumentKind kind) const;
    // Every request made, oldest first.
    const std::vector<DocumentRequest>& requests() const { return requests_; }

    // Deletes the windows that have been closed.
    void reap();

private:
    struct Entry {
        DocumentRequest request;
        std::unique_ptr<DocumentWindow> window;
        QPointer<QWidget> widget;
    };
    static bool sameDocument(const DocumentRequest& a, const DocumentRequest& b);
    static bool isClosed(const Entry& entry);

    std::map<DocumentKind, DocumentWindowFactory> factories_;
    std::vector<Entry> open_;
    std::vector<DocumentRequest> requests_;
    QTimer reaper_;
};

}  // namespace corvane
