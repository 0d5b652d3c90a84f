// Arbitrary bytes as a source file in the source viewer. Colouring must end,
// every fold must collapse and expand back to the same text, the status
// line and the pointed line must stay inside the text, and a piece of the
// text must be found searching either way.
#include <cstdint>
#include <string>

#include "platform/silent_ui_host.h"
#include "viewers/editor_dlg.h"

namespace {

corvane::KeywordEntry entry(const std::string& word, int color) {
    return {word, static_cast<int>(word.size()), color};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace corvane;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    ModuleList modules;
    Settings settings;
    settings.verilogWords = {entry("module", 0xff0000), entry("//", 0x008000), entry("/*", 0x008000),
                             entry("begin", 0x0000ff), entry("reg", 0xff00ff)};
    settings.vhdlWords = {entry("--", 0x008000), entry("entity", 0xff0000)};
    SilentUiHost ui;
    CEditorDlg viewer(modules, settings, ui, size % 2 == 0 ? "f.v" : "f.vhd");
    viewer.setText(bytes);
    const std::string original = viewer.text();

    std::size_t steps = 0;
    while (viewer.colouringStep()) {
        if (++steps > original.size() + 2) __builtin_trap();
    }

    for (const GutterMarker& marker : viewer.gutterMarkers()) {
        viewer.toggleFold(marker.controlLine);
        if (viewer.markerPosition() > viewer.text().size()) __builtin_trap();
        viewer.statusText(viewer.controlLineCount() - 1);
    }
    for (bool folded = true; folded;) {
        folded = false;
        for (const GutterMarker& marker : viewer.gutterMarkers()) {
            if (marker.collapsed) {
                viewer.toggleFold(marker.controlLine);
                folded = true;
                break;
            }
        }
    }
    if (viewer.text() != original) __builtin_trap();
    while (viewer.colouringStep()) {
    }

    if (original.size() >= 3) {
        const std::size_t at = data[0] % (original.size() - 2);
        const std::string piece = original.substr(at, 3);
        if (!viewer.searchNext(piece, {0, 0}).match) __builtin_trap();
        if (!viewer.searchPrevious(piece, {original.size(), original.size()}).match) __builtin_trap();
    }
    return 0;
}
