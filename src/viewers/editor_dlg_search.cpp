// Searching the source viewer's text, and the search dialog's word list.
#include <algorithm>

#include "viewers/editor_dlg.h"

namespace corvane {

SearchCombo CEditorDlg::openSearch(const TextSelection& selection) {
    SearchCombo combo;
    combo.entries.assign(settings_.searchWords.rbegin(), settings_.searchWords.rend());
    const std::string selected = selectedText(selection);
    if (!selected.empty()) {
        settings_.searchWords.push_back(selected);
        combo.entries.insert(combo.entries.begin(), selected);
    }
    combo.selected = combo.entries.empty() ? -1 : 0;
    return combo;
}

SearchOutcome CEditorDlg::searchNext(const std::string& what, const TextSelection& selection) {
    return search(what, selection, true);
}

SearchOutcome CEditorDlg::searchPrevious(const std::string& what, const TextSelection& selection) {
    return search(what, selection, false);
}

SearchOutcome CEditorDlg::search(const std::string& what, const TextSelection& selection,
                                 bool forward) {
    SearchOutcome outcome;
    if (what.empty()) {
        return outcome;
    }
    if (what != lastSearched_) {
        lastSearched_ = what;
        settings_.searchWords.push_back(what);
        outcome.newComboEntry = what;
    }
    const std::size_t start = std::min(selection.start, text_.size());
    const std::size_t end = std::clamp(selection.end, start, text_.size());
    std::size_t found = std::string::npos;
    if (forward) {
        found = text_.find(what, end);
    } else if (start >= what.size()) {
        // The whole match lies before the selection's start.
        found = text_.rfind(what, start - what.size());
    }
    if (found != std::string::npos) {
        outcome.match = TextSelection{found, found + what.size()};
        return outcome;
    }
    MessageBoxRequest message;
    message.text = what + (forward ? " : CORVANE searched until the end."
                                   : " : CORVANE searched until the top.");
    message.icon = MessageIcon::kNone;
    ui_.messageBox(message);
    return outcome;
}

}  // namespace corvane
