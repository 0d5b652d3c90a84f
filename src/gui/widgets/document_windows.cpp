#include "gui/widgets/document_windows.h"

#include <QWidget>
#include <algorithm>

namespace corvane {

const std::string& documentKey(const DocumentRequest& request) {
    return request.kind == DocumentKind::kSourceViewer ? request.path : request.module;
}

DocumentWindows::DocumentWindows() {
    reaper_.setInterval(kReapMilliseconds);
    connect(&reaper_, &QTimer::timeout, this, &DocumentWindows::reap);
}

DocumentWindows::~DocumentWindows() = default;

void DocumentWindows::registerFactory(DocumentKind kind, DocumentWindowFactory factory) {
    factories_[kind] = std::move(factory);
}

bool DocumentWindows::hasFactory(DocumentKind kind) const {
    return factories_.count(kind) != 0;
}

bool DocumentWindows::sameDocument(const DocumentRequest& a, const DocumentRequest& b) {
    if (a.kind != b.kind || documentKey(a) != documentKey(b)) return false;
    if (a.kind == DocumentKind::kNetView) return a.net == b.net;
    if (a.kind == DocumentKind::kStateDiagram) return a.alwaysLine == b.alwaysLine;
    return true;
}

bool DocumentWindows::isClosed(const Entry& entry) {
    return entry.widget.isNull() || !entry.widget->isVisible();
}

void DocumentWindows::open(const DocumentRequest& request) {
    requests_.push_back(request);
    reap();
    for (Entry& entry : open_) {
        if (!sameDocument(entry.request, request)) continue;
        entry.window->update(request);
        entry.widget->raise();
        entry.widget->activateWindow();
        return;
    }
    const auto factory = factories_.find(request.kind);
    if (factory == factories_.end() || !factory->second) return;
    std::unique_ptr<DocumentWindow> window = factory->second(request);
    if (!window || window->widget() == nullptr) return;
    QWidget* widget = window->widget();
    open_.push_back({request, std::move(window), widget});
    widget->show();
    widget->raise();
    reaper_.start();
}

void DocumentWindows::close(DocumentKind kind, const std::string& key) {
    reap();
    const auto found = std::find_if(open_.begin(), open_.end(), [&](const Entry& entry) {
        return entry.request.kind == kind && documentKey(entry.request) == key;
    });
    if (found != open_.end()) open_.erase(found);
}

void DocumentWindows::closeAll(DocumentKind kind) {
    std::erase_if(open_, [kind](const Entry& entry) { return entry.request.kind == kind; });
}

void DocumentWindows::refreshAll(DocumentKind kind) {
    reap();
    for (Entry& entry : open_) {
        if (entry.request.kind == kind) entry.window->refresh();
    }
}

void DocumentWindows::repaintAll(DocumentKind kind) {
    reap();
    for (Entry& entry : open_) {
        if (entry.request.kind == kind) entry.widget->update();
    }
}

int DocumentWindows::openCount(DocumentKind kind) const {
    return static_cast<int>(std::count_if(open_.begin(), open_.end(), [kind](const Entry& entry) {
        return entry.request.kind == kind && !isClosed(entry);
    }));
}

void DocumentWindows::reap() {
    std::erase_if(open_, isClosed);
    if (open_.empty()) reaper_.stop();
}

}  // namespace corvane
