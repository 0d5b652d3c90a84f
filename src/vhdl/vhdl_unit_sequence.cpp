#include "vhdl/vhdl_unit_sequence.h"

#include "database/vhdl_chunk.h"
#include "text/text_helpers.h"

namespace corvane {

namespace {

// A token further on, the read position left as it was.
class Lookahead {
public:
    explicit Lookahead(VhdlParseState& state)
        : state_(state),
          pos_(state.module.readPos),
          read_(state.module.tokensRead),
          line_(state.currentLine) {}
    ~Lookahead() {
        state_.module.readPos = pos_;
        state_.module.tokensRead = read_;
        state_.currentLine = line_;
    }
    Lookahead(const Lookahead&) = delete;
    Lookahead& operator=(const Lookahead&) = delete;

    std::string nextLower() { return toLowerAscii(state_.nextSkippingMarkers()); }

private:
    VhdlParseState& state_;
    int pos_;
    int read_;
    int line_;
};

// A package body or a configuration after a unit stays with that unit.
bool joinsThisModule(VhdlParseState& state, std::string_view token) {
    if (equalsLowerWord(token, "configuration")) return true;
    if (!equalsLowerWord(token, "package")) return false;
    Lookahead ahead(state);
    return ahead.nextLower() == "body";
}

bool belongsToAnotherModule(VhdlParseState& state, std::string_view token) {
    const std::string lower = toLowerAscii(token);
    if (lower == "entity") return true;
    Lookahead ahead(state);
    if (lower == "package") return ahead.nextLower() != "body";
    if (lower != "architecture") return false;
    ahead.nextLower();  // the architecture's name
    if (ahead.nextLower() != "of") return false;  // the header parser reports it
    // An architecture joins the entity read just before it.
    const std::string entity = ahead.nextLower();
    return !entity.empty() && entity != state.entityName;
}

// Lists the architecture headers ("architecture NAME of ENTITY") of the
// text from `from` on, in one pass over its tokens.
void indexArchitectures(std::string_view text, int from, VhdlFileNotes& notes) {
    notes.indexed = true;
    notes.indexedFrom = from;
    notes.architectures.clear();
    std::size_t pos = static_cast<std::size_t>(from);
    // The words after an "architecture" token: its name, "of", the entity.
    int wordsAfter = -1;
    int headerPos = 0;
    bool sawOf = false;
    while (pos < text.size()) {
        const std::size_t blank = std::min(text.find(' ', pos), text.size());
        const std::string_view token = text.substr(pos, blank - pos);
        const std::size_t here = pos;
        pos = blank + 1;
        if (token.starts_with("%%")) continue;
        if (wordsAfter >= 0) {
            ++wordsAfter;
            if (wordsAfter == 2) sawOf = equalsLowerWord(token, "of");
            if (wordsAfter == 3) {
                if (sawOf) notes.architectures.push_back({toLowerAscii(token), headerPos});
                wordsAfter = -1;
            }
        }
        if (equalsLowerWord(token, "architecture")) {
            wordsAfter = 0;
            headerPos = static_cast<int>(here);
        }
    }
}

bool alreadyRead(const VhdlFileNotes& notes, int position) {
    for (const VhdlFileNotes::Range& range : notes.alreadyRead) {
        if (range.begin == position) return true;
    }
    return false;
}

}  // namespace

int lineAt(std::string_view text, int pos) {
    const std::size_t marker = text.rfind("%%", static_cast<std::size_t>(pos));
    if (marker == std::string_view::npos) return 0;
    return leadingInt(text.substr(marker + 2, 12));
}

UnitSequence::UnitSequence() : passesOver_(!vhdlFileNotes().alreadyRead.empty()) {}

UnitSequence::Turn UnitSequence::turnAtOuterLevel(VhdlParseState& state, std::string_view token,
                                                  int position, int tokensRead) {
    // An architecture an earlier module has read is passed over.
    VhdlFileNotes& notes = vhdlFileNotes();
    if (!notes.alreadyRead.empty() && state.unit == kOutsideUnit && visitBegin_ < 0) {
        for (const VhdlFileNotes::Range& range : notes.alreadyRead) {
            if (range.begin != position) continue;
            state.module.readPos = range.end;
            return Turn::kMoved;
        }
    }
    const bool outside = state.unit == kOutsideUnit ||
                         (state.unit == kPackage && state.packageName.empty());
    if (!state.unitRead || !outside) {
        next_.pos = -1;
        return Turn::kGoOn;
    }
    if (visitBegin_ >= 0 && state.architectureRead) {
        // The architecture visited further down is complete: back to where
        // the next module begins.
        comeBack(state, position);
        return stopAt(state, back_);
    }
    if (next_.pos < 0) {
        next_.pos = afterMarker_ ? markerPos_ : position;
        next_.read = afterMarker_ ? markerRead_ : tokensRead;
        next_.line = state.currentLine;
    }
    if (joinsThisModule(state, token)) {
        next_.pos = -1;  // the next unit begins after it
        return Turn::kGoOn;
    }
    if (!belongsToAnotherModule(state, token)) return Turn::kGoOn;
    if (visitLaterArchitecture(state)) return Turn::kMoved;
    return stopAt(state, next_);
}

void UnitSequence::atEnd(VhdlParseState& state) {
    if (visitBegin_ < 0) return;
    comeBack(state, static_cast<int>(state.module.text.size()));
    stopAt(state, back_);
}

UnitSequence::Turn UnitSequence::stopAt(VhdlParseState& state, const Place& place) {
    state.module.readPos = place.pos;
    state.module.tokensRead = place.read;
    next_ = place;
    stopped_ = true;
    return Turn::kStop;
}

// An entity read without its architecture, with another unit next: its
// architecture further down the file, if there is one, is read now.
bool UnitSequence::visitLaterArchitecture(VhdlParseState& state) {
    if (state.architectureRead || state.entityName.empty()) return false;
    VhdlFileNotes& notes = vhdlFileNotes();
    const int from = state.module.readPos;
    if (!notes.indexed || notes.indexedFrom > from) indexArchitectures(state.module.text, from, notes);
    for (const VhdlFileNotes::Architecture& architecture : notes.architectures) {
        if (architecture.position < from || architecture.entity != state.entityName) continue;
        if (alreadyRead(notes, architecture.position)) continue;
        back_ = next_;
        visitBegin_ = architecture.position;
        state.module.readPos = architecture.position;
        state.currentLine = lineAt(state.module.text, architecture.position);
        next_.pos = -1;
        return true;
    }
    return false;
}

void UnitSequence::comeBack(VhdlParseState& state, int end) {
    vhdlFileNotes().alreadyRead.push_back({visitBegin_, end});
    visitBegin_ = -1;
    state.currentLine = back_.line;
}

void UnitSequence::keepRest(VhdlParseState& state, AnalysisContext& context) {
    const SourceText& source = context.sources.get(state.filePath);
    const int start = vhdlChunkStartLine();
    const int restart = next_.line > start ? next_.line : start + 1;
    keepVhdlChunk(state.module, source, restart, next_.pos, next_.read);
    if (restart <= source.lineCount()) context.restartLine = restart;
}

}  // namespace corvane
